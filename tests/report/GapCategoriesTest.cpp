// Category lists of one experience, common raters and the training union.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapCategories.h"
#include "report/GapError.h"

namespace zelvora {
namespace {

using gaptest::DefaultCompany;
using gaptest::GapSheet;
using gaptest::MakeExperience;

std::vector<int> Numbers(const TGapCategoryList& list) {
  std::vector<int> numbers;
  for (const auto& c : list) numbers.push_back(c.Number);
  return numbers;
}

template <class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const EGapError& e) {
    return e.what();
  }
  return "no failure";
}

TEST(GapCategoriesTest, IndividualListFollowsTheCompanyTable) {
  const TGapExperience experience =
      MakeExperience({GapSheet(3, {1}), GapSheet(0, {1}), GapSheet(1, {1}, false), GapSheet(3, {2}),
                      GapSheet(9, {1}), GapSheet(2, {1})});
  const TGapCategoryList list = IndividualCategories(DefaultCompany(), experience);
  EXPECT_EQ(Numbers(list), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(list[1].Name, "Others");

  const TGapCategoryList reordered = {{"Self", 0}, {"Team", 5}, {"Boss", 1}};
  const TGapExperience other = MakeExperience({GapSheet(1, {1}), GapSheet(5, {1})});
  EXPECT_EQ(Numbers(IndividualCategories(reordered, other)), (std::vector<int>{5, 1}));
}

TEST(GapCategoriesTest, LongTablesKeepOrderAndNames) {
  // More than a hundred entries: positions compare as numbers, names stay whole.
  TGapCategoryList company;
  for (int n = 0; n < 120; ++n) company.push_back({"Cat" + std::to_string(n), n});
  const TGapExperience experience =
      MakeExperience({GapSheet(105, {1}), GapSheet(11, {1}), GapSheet(99, {1})});
  const TGapCategoryList list = IndividualCategories(company, experience);
  ASSERT_EQ(Numbers(list), (std::vector<int>{11, 99, 105}));
  EXPECT_EQ(list[2].Name, "Cat105");
}

TEST(GapCategoriesTest, NoCompletedSheetOfAKnownCategoryIsNoData) {
  const TGapExperience only_incomplete = MakeExperience({GapSheet(1, {1}, false)});
  EXPECT_EQ(MessageOf([&] { IndividualCategories(DefaultCompany(), only_incomplete); }),
            "No data found to process");
  const TGapExperience only_unknown = MakeExperience({GapSheet(42, {1})});
  EXPECT_EQ(MessageOf([&] { IndividualCategories(DefaultCompany(), only_unknown); }),
            "No data found to process");
  EXPECT_TRUE(ExperienceCategories(DefaultCompany(), only_unknown).empty());
}

TEST(GapCategoriesTest, CommonRatersAreTheIntersection) {
  const std::vector<TGapExperience> experiences = {
      MakeExperience({GapSheet(0, {1}), GapSheet(3, {1}), GapSheet(1, {1})}),
      MakeExperience({GapSheet(3, {1}), GapSheet(1, {1}), GapSheet(4, {1})}),
      MakeExperience({GapSheet(1, {1}), GapSheet(3, {1}), GapSheet(0, {1}, false)})};
  EXPECT_EQ(Numbers(CommonCategories(DefaultCompany(), experiences)), (std::vector<int>{1, 3}));

  std::vector<TGapExperience> disjoint = experiences;
  disjoint.push_back(MakeExperience({GapSheet(4, {1})}));
  EXPECT_EQ(MessageOf([&] { CommonCategories(DefaultCompany(), disjoint); }),
            "Unable to get common raters to compare");
  EXPECT_EQ(MessageOf([&] { CommonCategories(DefaultCompany(), {}); }),
            "Unable to get common raters to compare");
}

TEST(GapCategoriesTest, UnionHasEveryCategoryOnce) {
  const std::vector<TGapExperience> experiences = {
      MakeExperience({GapSheet(3, {1}), GapSheet(3, {1})}),
      MakeExperience({GapSheet(1, {1}), GapSheet(0, {1}), GapSheet(6, {1}, false)})};
  EXPECT_EQ(Numbers(UnionCategories(DefaultCompany(), experiences)), (std::vector<int>{0, 1, 3}));
  const std::vector<TGapExperience> nothing = {MakeExperience({GapSheet(3, {1}, false)})};
  EXPECT_EQ(MessageOf([&] { UnionCategories(DefaultCompany(), nothing); }),
            "No data found to process");
}

TEST(GapCategoriesTest, DuplicateNumberInTableUsesItsFirstEntry) {
  const TGapCategoryList company = {{"Self", 0}, {"Boss", 1}, {"Chief", 1}};
  const TGapExperience experience = MakeExperience({GapSheet(1, {1})});
  const TGapCategoryList list = IndividualCategories(company, experience);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, "Boss");
}

}  // namespace
}  // namespace zelvora
