// Organizational tables by skill area and by question, per department.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapError.h"
#include "report/GapOrganizational.h"

namespace zelvora {
namespace {

using gaptest::DefaultCompany;
using gaptest::GapSheet;
using gaptest::MakeExperience;
using gaptest::MakeSurvey;

class GapOrganizationalTest : public ::testing::Test {
 protected:
  TGapSurvey survey = MakeSurvey({2});
  std::vector<TGapExperience> experiences = {
      MakeExperience({GapSheet(0, {1, 2}), GapSheet(1, {2, 2})}, 45000, "Ann", "Sales"),
      MakeExperience({GapSheet(0, {0, 0}), GapSheet(1, {-1, -2})}, 45001, "Bob", "marketing"),
      MakeExperience({GapSheet(0, {1, 1}), GapSheet(1, {0, 1})}, 45002, "Cy", "Support"),
      MakeExperience({GapSheet(0, {4, 4}), GapSheet(1, {4, 4})}, 45003, "Di", "Finance"),
  };
  std::vector<std::string> departments = {"Support", "SALES", "Marketing"};

  std::vector<TGapOrgCategory> Run(TGapOrgVariant variant, TGapMarks marks = {}) {
    return ComputeOrganizational(survey, DefaultCompany(), experiences, departments, variant,
                                 marks);
  }
};

struct Cell {
  const char* department;
  const char* n;
  const char* average;
  int bar;
};

void ExpectRows(const TGapOrgBlock& block, const std::vector<Cell>& cells) {
  ASSERT_EQ(block.Rows.size(), cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(block.Rows[i].Department, cells[i].department);
    EXPECT_EQ(block.Rows[i].Row.NText, cells[i].n) << cells[i].department;
    EXPECT_EQ(block.Rows[i].Row.AverageText, cells[i].average) << cells[i].department;
    EXPECT_EQ(block.Rows[i].Row.Bar, cells[i].bar) << cells[i].department;
  }
}

TEST_F(GapOrganizationalTest, BySkillArea) {
  const std::vector<TGapOrgCategory> result = Run(TGapOrgVariant::SkillAreas);
  ASSERT_EQ(result.size(), 2u);
  EXPECT_EQ(result[0].Category.Name, "Self");
  ASSERT_EQ(result[0].Blocks.size(), 1u);
  // N is per question of the area; Finance is not selected and stays out.
  ExpectRows(result[0].Blocks[0], {{"Support", "1", " 1.00", 100},
                                   {"SALES", "1", " 1.50", 150},
                                   {"Marketing", "1", " 0.00", 0}});
  ExpectRows(result[1].Blocks[0], {{"Support", "1", " 0.50", 50},
                                   {"SALES", "1", " 2.00", 200},
                                   {"Marketing", "1", "-1.50", 0}});
}

TEST_F(GapOrganizationalTest, ByItem) {
  const std::vector<TGapOrgCategory> result = Run(TGapOrgVariant::Items, {true, true});
  ASSERT_EQ(result[1].Blocks.size(), 2u);
  EXPECT_EQ(result[1].Blocks[1].Index, 1);
  ExpectRows(result[1].Blocks[0], {{"Support", "1", " 0.00", 0},
                                   {"SALES", "1", " 2.00", 200},
                                   {"Marketing", "1", "-1.00", -1}});
  ExpectRows(result[1].Blocks[1], {{"Support", "1", " 1.00", 100},
                                   {"SALES", "1", " 2.00", 200},
                                   {"Marketing", "1", "-2.00", -1}});
}

TEST_F(GapOrganizationalTest, DepartmentsSharingANameFeedOneTally) {
  experiences[1].DepartmentName = "sales";
  departments = {"Sales", "Marketing"};
  const std::vector<TGapOrgCategory> result = Run(TGapOrgVariant::SkillAreas);
  // Boss in Sales: 2, 2, -1, -2 over 2 questions.
  ExpectRows(result[1].Blocks[0], {{"Sales", "2", " 2.00", 200}, {"Marketing", "0", " 0.00", 0}});
  EXPECT_TRUE(result[1].Blocks[0].HasData);
}

TEST_F(GapOrganizationalTest, CaseFoldingCoversAccentedLetters) {
  EXPECT_TRUE(SameDepartmentName("Vente Été", "VENTE éTÉ"));
  EXPECT_FALSE(SameDepartmentName("Sales", "Sales "));
}

TEST_F(GapOrganizationalTest, NoCommonRatersStops) {
  experiences.push_back(MakeExperience({GapSheet(3, {1, 1})}, 45004, "Ed", "Sales"));
  EXPECT_THROW(Run(TGapOrgVariant::Items), EGapError);
}

}  // namespace
}  // namespace zelvora
