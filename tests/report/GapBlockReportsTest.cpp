// Skill-area and practice tables against hand-computed numbers.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapBlockReports.h"
#include "report/GapCategories.h"
#include "report/GapError.h"

namespace zelvora {
namespace {

using gaptest::GapSheet;
using gaptest::kSkip;
using gaptest::MakeExperience;
using gaptest::MakeSurvey;

// Areas of 4 and 2 questions. Raters: Self, Boss, two Peers; an incomplete
// Peer sheet and a sheet of a category the company does not have are
// ignored.
class GapBlockReportsTest : public ::testing::Test {
 protected:
  TGapSurvey survey = MakeSurvey({4, 2});
  TGapExperience experience = MakeExperience({
      GapSheet(0, {1, 0, 2, 1, 0, 0}),
      GapSheet(1, {2, 2, 3, -1, 1, kSkip}),
      GapSheet(3, {0, 1, 1, 1, -2, -1}),
      GapSheet(3, {1, kSkip, kSkip, 2, -1, -3}),
      GapSheet(3, {4, 4, 4, 4, 4, 4}, false),
      GapSheet(9, {4, 4, 4, 4, 4, 4}),
  });
  TGapCategoryList categories = IndividualCategories(gaptest::DefaultCompany(), experience);

  std::vector<TGapAreaBlock> Areas(TGapMarks marks = {}) {
    return ComputeSkillAreaBlocks(survey, std::span(&experience, 1), categories, marks);
  }
};

struct Expected {
  const char* name;
  const char* n;
  const char* average;
  std::array<const char*, 6> boxes;  // R, 0..4
  int bar;
};

void ExpectRow(const TGapRow& row, const Expected& e) {
  EXPECT_EQ(row.CategoryName, e.name);
  EXPECT_EQ(row.NText, e.n) << e.name;
  EXPECT_EQ(row.AverageText, e.average) << e.name;
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(row.BoxTexts[i], e.boxes[i]) << e.name << i;
  EXPECT_EQ(row.Bar, e.bar) << e.name;
}

TEST_F(GapBlockReportsTest, SkillAreaTable) {
  ASSERT_EQ(categories.size(), 3u);
  const std::vector<TGapAreaBlock> blocks = Areas();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].Name, "Area 1");
  ASSERT_EQ(blocks[0].Rows.size(), 3u);
  // Self 1,0,2,1: 4 pairs over 4 questions. Boss 2,2,3,-1: average 7/3.
  // Peers 0,1,1,1,1,2: 6 pairs over 4 questions is 1.5, which rounds to 2.
  ExpectRow(blocks[0].Rows[0], {"Self", "1", " 1.00", {"", "1", "2", "1", "", ""}, 100});
  ExpectRow(blocks[0].Rows[1], {"Boss", "1", " 2.33", {"1", "", "", "2", "1", ""}, 201});
  ExpectRow(blocks[0].Rows[2], {"Peer", "2", " 1.00", {"", "1", "4", "1", "", ""}, 100});
  // Self 0,0; Boss 1 (one pair over 2 questions rounds to 0); Peers all negative.
  ExpectRow(blocks[1].Rows[0], {"Self", "1", " 0.00", {"", "2", "", "", "", ""}, 0});
  ExpectRow(blocks[1].Rows[1], {"Boss", "0", " 1.00", {"", "", "1", "", "", ""}, 100});
  ExpectRow(blocks[1].Rows[2], {"Peer", "2", " N/A ", {"4", "", "", "", "", ""}, 0});
  EXPECT_EQ(blocks[1].Rows[2].AverageMilli, -1750);
}

TEST_F(GapBlockReportsTest, MarksFollowTheOptions) {
  const std::vector<TGapAreaBlock> marked = Areas({true, false});
  EXPECT_EQ(marked[0].Rows[1].Bar, 200) << "over-mark off cuts at the cap";
  EXPECT_EQ(marked[1].Rows[2].Bar, -1) << "under-mark on";
}

TEST_F(GapBlockReportsTest, AreasWithoutPairsAreLeftOut) {
  survey = MakeSurvey({4, 2, 3});  // the third area has no answers
  EXPECT_EQ(Areas().size(), 2u);
}

TEST_F(GapBlockReportsTest, AreaNRoundsTiesToEven) {
  // Three raters answer all four questions, a fourth answers two: 14/4 gives 4.
  survey = MakeSurvey({4});
  experience = MakeExperience({GapSheet(1, {1, 1, 1, 1}), GapSheet(1, {1, 1, 1, 1}),
                               GapSheet(1, {1, 1, 1, 1}), GapSheet(1, {1, 1, kSkip, kSkip})});
  categories = {{"Boss", 1}};
  EXPECT_EQ(Areas()[0].Rows[0].NText, "4");
  // Two raters on all four, a third on two: 10/4 gives 2.
  experience.Sheets.erase(experience.Sheets.begin());
  EXPECT_EQ(Areas()[0].Rows[0].NText, "2");
}

TEST_F(GapBlockReportsTest, PracticeTable) {
  const std::vector<TGapPracticeBlock> blocks =
      ComputePracticeBlocks(survey, std::span(&experience, 1), categories, {});
  ASSERT_EQ(blocks.size(), 6u);
  EXPECT_EQ(blocks[0].QuestionIndex, 0);
  EXPECT_TRUE(blocks[0].StartsSkillArea);
  EXPECT_FALSE(blocks[1].StartsSkillArea);
  EXPECT_TRUE(blocks[4].StartsSkillArea);
  EXPECT_EQ(blocks[4].AreaHeading, "How often does this person...");
  // Question 1: Self 1, Boss 2, Peers 0 and 1.
  ExpectRow(blocks[0].Rows[0], {"Self", "1", " 1.00", {"", "", "1", "", "", ""}, 100});
  ExpectRow(blocks[0].Rows[1], {"Boss", "1", " 2.00", {"", "", "", "1", "", ""}, 200});
  ExpectRow(blocks[0].Rows[2], {"Peer", "2", " 0.50", {"", "1", "1", "", "", ""}, 50});
  // Question 6: Boss skipped it and prints N 0 and 0.00 beside the others.
  ExpectRow(blocks[5].Rows[1], {"Boss", "0", " 0.00", {"", "", "", "", "", ""}, 0});
  ExpectRow(blocks[5].Rows[2], {"Peer", "2", " N/A ", {"2", "", "", "", "", ""}, 0});
  EXPECT_EQ(blocks[5].Rows[2].AverageMilli, -2000);
}

TEST_F(GapBlockReportsTest, PracticesWithoutPairsAreLeftOut) {
  experience = MakeExperience({GapSheet(1, {kSkip, 2, kSkip, kSkip, kSkip, 1})});
  const std::vector<TGapPracticeBlock> blocks =
      ComputePracticeBlocks(survey, std::span(&experience, 1), categories, {});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].QuestionIndex, 1);
  EXPECT_EQ(blocks[1].QuestionIndex, 5);
  EXPECT_TRUE(blocks[1].StartsSkillArea);
}

TEST_F(GapBlockReportsTest, CompositePoolsEveryExperience) {
  const std::vector<TGapExperience> both = {
      experience, MakeExperience({GapSheet(1, {0, 0, 0, 0, 0, 0})}, 45100, "Bob")};
  const std::vector<TGapAreaBlock> blocks = ComputeSkillAreaBlocks(survey, both, categories, {});
  // Boss in area 1: 2,2,3,-1 and 0,0,0,0: 8 pairs over 4 questions, 7/7.
  ExpectRow(blocks[0].Rows[1], {"Boss", "2", " 1.00", {"1", "4", "", "2", "1", ""}, 100});
}

TEST_F(GapBlockReportsTest, SurveyWithoutScoresStops) {
  survey.HasCompletedSheets = false;
  try {
    Areas();
    FAIL() << "expected a failure";
  } catch (const EGapError& e) {
    EXPECT_STREQ(e.what(), "No scores have been entered");
  }
  EXPECT_THROW(ComputePracticeBlocks(survey, std::span(&experience, 1), categories, {}), EGapError);
}

}  // namespace
}  // namespace zelvora
