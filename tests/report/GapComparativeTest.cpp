// Comparative pairs: ordering by date, common raters, rows and verdicts.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapComparative.h"
#include "report/GapError.h"

namespace zelvora {
namespace {

using gaptest::DefaultCompany;
using gaptest::GapSheet;
using gaptest::kSkip;
using gaptest::MakeExperience;
using gaptest::MakeSurvey;

constexpr double kOlder = 44000.0;
constexpr double kNewer = 45000.0;

class GapComparativeTest : public ::testing::Test {
 protected:
  TGapSurvey survey = MakeSurvey({3});
  TGapExperience newer = MakeExperience(
      {GapSheet(0, {0, -1, kSkip}), GapSheet(1, {1, 2, kSkip}), GapSheet(1, {1, 2, kSkip})},
      kNewer);
  TGapExperience older = MakeExperience(
      {GapSheet(0, {1, 1, kSkip}), GapSheet(1, {2, 3, kSkip}), GapSheet(3, {0, 0, kSkip})}, kOlder);
};

TEST_F(GapComparativeTest, NewerIsCurrentWhicheverComesFirst) {
  for (const bool newer_first : {true, false}) {
    const TGapComparative result =
        newer_first ? ComputeComparative(survey, DefaultCompany(), newer, older, {})
                    : ComputeComparative(survey, DefaultCompany(), older, newer, {});
    EXPECT_EQ(result.CurrentExperience, newer_first ? 0 : 1);
    EXPECT_EQ(result.PreviousExperience, newer_first ? 1 : 0);
    ASSERT_EQ(result.Categories.size(), 2u) << "Peer is not common";
    EXPECT_EQ(result.Categories[1].Name, "Boss");
    ASSERT_EQ(result.Questions.size(), 3u);
    const TGapComparativeQuestion& q1 = result.Questions[0];
    EXPECT_EQ(q1.Rows[0].Current.AverageText, " 0.00");
    EXPECT_EQ(q1.Rows[0].Previous.AverageText, " 1.00");
    EXPECT_EQ(q1.Rows[0].Verdict, "Effective");
    EXPECT_EQ(q1.Rows[1].Current.NText, "2");
    EXPECT_EQ(q1.Rows[1].Current.AverageText, " 1.00");
    EXPECT_EQ(q1.Rows[1].Previous.AverageText, " 2.00");
    EXPECT_EQ(q1.Rows[1].Verdict, "Examine");
  }
}

TEST_F(GapComparativeTest, VerdictsAndBars) {
  const TGapComparative result = ComputeComparative(survey, DefaultCompany(), older, newer, {});
  const TGapComparativeQuestion& q2 = result.Questions[1];
  EXPECT_TRUE(q2.HasData);
  EXPECT_EQ(q2.Rows[0].Current.AverageText, " N/A ");
  EXPECT_EQ(q2.Rows[0].Verdict, "Examine") << "every pair negative";
  EXPECT_EQ(q2.Rows[0].Current.Bar, 0);
  EXPECT_EQ(q2.Rows[1].Verdict, "Develop");
  EXPECT_EQ(q2.Rows[1].Previous.AverageText, " 3.00");
  EXPECT_EQ(q2.Rows[1].Previous.Bar, 201);
  const TGapComparativeQuestion& q3 = result.Questions[2];
  EXPECT_FALSE(q3.HasData);
  EXPECT_EQ(q3.Rows[1].Current.NText, "0");
  EXPECT_EQ(q3.Rows[1].Verdict, "Effective") << "a category without pairs";

  const TGapComparative under =
      ComputeComparative(survey, DefaultCompany(), older, newer, {true, false});
  EXPECT_EQ(under.Questions[1].Rows[0].Current.Bar, -1);
  EXPECT_EQ(under.Questions[1].Rows[1].Previous.Bar, 200);
}

TEST_F(GapComparativeTest, VerdictThresholdsOnRealAverages) {
  // Boss gaps averaging 0.80 (4 of 5 ones) and 0.75 (3 of 4).
  survey = MakeSurvey({2});
  TGapExperience current =
      MakeExperience({GapSheet(1, {1, 1}), GapSheet(1, {1, 1}), GapSheet(1, {1, 1}),
                      GapSheet(1, {1, 0}), GapSheet(1, {0, kSkip})},
                     kNewer);
  const TGapExperience previous = MakeExperience({GapSheet(1, {0, 0})}, kOlder);
  const TGapComparative result =
      ComputeComparative(survey, DefaultCompany(), current, previous, {});
  EXPECT_EQ(result.Questions[0].Rows[0].Current.AverageText, " 0.80");
  EXPECT_EQ(result.Questions[0].Rows[0].Verdict, "Examine");
  EXPECT_EQ(result.Questions[1].Rows[0].Current.AverageText, " 0.75");
  EXPECT_EQ(result.Questions[1].Rows[0].Verdict, "Effective");
}

TEST_F(GapComparativeTest, SameDayKeepsTheGivenOrder) {
  older.ExperienceDate = kNewer + 0.75;  // later the same day
  const TGapComparative result = ComputeComparative(survey, DefaultCompany(), newer, older, {});
  EXPECT_EQ(result.PreviousExperience, 0);
  EXPECT_EQ(result.CurrentExperience, 1);
  EXPECT_EQ(result.Questions[0].Rows[0].Current.AverageText, " 1.00");
}

TEST_F(GapComparativeTest, NoCommonRatersStops) {
  const TGapExperience peers_only = MakeExperience({GapSheet(3, {1, 1, 1})}, kNewer);
  const TGapExperience boss_only = MakeExperience({GapSheet(1, {1, 1, 1})}, kOlder);
  try {
    ComputeComparative(survey, DefaultCompany(), peers_only, boss_only, {});
    FAIL() << "expected a failure";
  } catch (const EGapError& e) {
    EXPECT_STREQ(e.what(), "Unable to get common raters to compare");
  }
}

}  // namespace
}  // namespace zelvora
