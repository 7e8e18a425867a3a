// Practice rankings, strengths and developmental needs, summary listings.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapCatGap.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapOverview.h"
#include "report/GapRanking.h"

namespace zelvora {
namespace {

using gaptest::GapSheet;
using gaptest::kSkip;
using gaptest::MakeExperience;
using gaptest::MakeSurvey;

std::vector<std::string> Texts(const std::vector<TGapRankingEntry>& entries) {
  std::vector<std::string> texts;
  for (const auto& e : entries) texts.push_back(e.Text);
  return texts;
}

std::vector<std::string> NeedTexts(const std::vector<TGapNeed>& needs) {
  std::vector<std::string> texts;
  for (const auto& n : needs) texts.push_back(n.Entry.Text);
  return texts;
}

// Seven questions; question 7 only the subject answered. Question 3 has two
// suggestions, question 4 one.
class GapRankingTest : public ::testing::Test {
 protected:
  TGapSurvey survey = MakeSurvey({4, 3}, {0, 0, 2, 1});
  TGapExperience experience = MakeExperience({
      GapSheet(0, {1, 0, 2, 1, 0, 0, 2}),
      GapSheet(1, {2, 2, 3, -1, 1, kSkip, kSkip}),
      GapSheet(3, {0, 1, 1, 1, -2, -1, kSkip}),
      GapSheet(3, {1, kSkip, kSkip, 2, -1, -3, kSkip}),
  });
  TGapCategoryList categories = {{"Self", 0}, {"Boss", 1}, {"Peer", 3}};
};

TEST_F(GapRankingTest, GroupsAreOrganizationThenEachCategoryButSelf) {
  const std::vector<TGapGroup> groups = RankingGroups(categories);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].Name, "Organization");
  EXPECT_EQ(groups[0].CategoryNumbers, (std::vector<int>{1, 3}));
  EXPECT_EQ(groups[1].Name, "Boss");
  EXPECT_EQ(groups[2].CategoryNumbers, (std::vector<int>{3}));
}

TEST_F(GapRankingTest, RankingValuesWeightCategoriesByNonNegativePairs) {
  const TGapPracticeRanker ranker(survey, std::span(&experience, 1), categories);
  // Question 1: Boss 2.00 (1 pair) and Peer 0.50 (2 pairs) weigh to 1.00.
  // Question 4: Boss -1 weighs nothing, Peer 1.50. Question 6: only negative
  // gaps, so 0.00. Question 7 had no pair of the group and is not ranked.
  EXPECT_EQ(Texts(ranker.Rank(RankingGroups(categories)[0])),
            (std::vector<std::string>{" 0.00   5      ", " 1.00   0      ", " 1.00   4      ",
                                      " 1.50   1      ", " 1.50   3      ", " 2.00   2 Check"}));
  EXPECT_EQ(Texts(ranker.Rank({"Boss", {1}})),
            (std::vector<std::string>{" 0.00   3      ", " 1.00   4      ", " 2.00   0      ",
                                      " 2.00   1      ", " 3.00   2 Check"}));
}

TEST_F(GapRankingTest, RankComputedPracticeReportsCheckAndSkipsGroupsWithoutPairs) {
  TCatGap tally({0, 1, 3});
  tally.CountQuestion();
  tally.AddGap(0, 4);
  tally.AddGap(1, 1);
  tally.AddGap(1, 2);
  tally.AddGap(3, 4);
  tally.ComputeForReport(false, true);
  const std::vector<int> boss = {1};
  const std::vector<int> nobody = {2};
  const std::vector<int> both = {1, 3};
  auto entry = RankComputedPractice(tally, boss, 7);
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->Text, " 1.50   7      ") << "Self's 4 is not the Boss group's";
  EXPECT_FALSE(entry->Check);
  EXPECT_FALSE(RankComputedPractice(tally, nobody, 7).has_value());
  entry = RankComputedPractice(tally, both, 7);
  ASSERT_TRUE(entry.has_value());
  // (1.5 x 2 + 4 x 1) / 3 = 2.333
  EXPECT_EQ(entry->Text, " 2.33   7 Check");
  EXPECT_EQ(entry->AverageText(), " 2.33");
  EXPECT_EQ(entry->Tag(), "Check");
}

TEST_F(GapRankingTest, OrderingReadsThePrintedNumberThenTheIndex) {
  // 1.254 and 1.246 both print 1.25: they keep survey order.
  std::vector<TGapRankingEntry> entries = {{FormatRankingText(125, 9, false), 9, 125, false},
                                           {FormatRankingText(30, 4, false), 4, 30, false},
                                           {" N/A    1      ", 1, 0, false},
                                           {FormatRankingText(125, 2, true), 2, 125, true},
                                           {FormatRankingText(0, 7, false), 7, 0, false}};
  SortRanking(entries);
  std::vector<int> order;
  for (const auto& e : entries) order.push_back(e.QuestionIndex);
  EXPECT_EQ(order, (std::vector<int>{7, 4, 2, 9, 1}));
}

TEST_F(GapRankingTest, OverviewStrengthsNeedsAndSuggestions) {
  const std::vector<TGapOverviewGroup> groups =
      ComputeOverview(survey, std::span(&experience, 1), categories);
  ASSERT_EQ(groups.size(), 3u);
  const TGapOverviewGroup& organization = groups[0];
  EXPECT_EQ(organization.Name, "Organization");
  EXPECT_EQ(Texts(organization.Strengths),
            (std::vector<std::string>{" 0.00   5      ", " 1.00   0      ", " 1.00   4      ",
                                      " 1.50   1      ", " 1.50   3      "}));
  EXPECT_EQ(NeedTexts(organization.Needs),
            (std::vector<std::string>{" 2.00   2 Check", " 1.50   3      ", " 1.50   1      ",
                                      " 1.00   4      ", " 1.00   0      "}));
  EXPECT_FALSE(organization.AllNeedsZero);
  ASSERT_TRUE(organization.HasSuggestions);
  ASSERT_EQ(organization.Needs[0].Suggestions.size(), 2u);
  EXPECT_EQ(organization.Needs[0].Suggestions[1].Letter, "b)");
  EXPECT_EQ(organization.Needs[0].Suggestions[1].Text, "Question 3 suggestion 2");
  EXPECT_EQ(organization.Needs[1].Suggestions[0].Letter, "a)");
  EXPECT_TRUE(organization.Needs[2].Suggestions.empty());

  // Boss: the need at 0.00 is left out.
  EXPECT_EQ(NeedTexts(groups[1].Needs),
            (std::vector<std::string>{" 3.00   2 Check", " 2.00   1      ", " 2.00   0      ",
                                      " 1.00   4      "}));
  // Peer: six entries; the five needs from the top lose the one at 0.00.
  EXPECT_EQ(groups[2].Name, "Peer");
  EXPECT_EQ(NeedTexts(groups[2].Needs),
            (std::vector<std::string>{" 1.50   3      ", " 1.00   2      ", " 1.00   1      ",
                                      " 0.50   0      "}));
}

TEST_F(GapRankingTest, FewPracticesAreBothStrengthsAndNeeds) {
  survey = MakeSurvey({3});
  experience = MakeExperience({GapSheet(1, {1, 2, 3})});
  const auto groups = ComputeOverview(survey, std::span(&experience, 1), {{"Boss", 1}});
  ASSERT_EQ(groups.size(), 2u);  // Organization and Boss
  EXPECT_EQ(Texts(groups[1].Strengths),
            (std::vector<std::string>{" 1.00   0      ", " 2.00   1      ", " 3.00   2 Check"}));
  EXPECT_EQ(NeedTexts(groups[1].Needs),
            (std::vector<std::string>{" 3.00   2 Check", " 2.00   1      ", " 1.00   0      "}));
  EXPECT_FALSE(groups[1].HasSuggestions);
}

TEST_F(GapRankingTest, AllZeroNeedsGiveTheSentence) {
  survey = MakeSurvey({3}, {1, 1, 1});
  experience = MakeExperience({GapSheet(1, {0, 0, -2})});
  const auto groups = ComputeOverview(survey, std::span(&experience, 1), {{"Boss", 1}});
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[1].Strengths.size(), 3u);
  EXPECT_TRUE(groups[1].Needs.empty());
  EXPECT_TRUE(groups[1].AllNeedsZero);
  EXPECT_FALSE(groups[1].HasSuggestions) << "no suggestions page without needs";
  EXPECT_STREQ(kGapAllNeedsZero,
               "All the gap sizes are zero, therefore, no Developmental Needs will be printed.");
}

TEST_F(GapRankingTest, SelfOnlyDataGivesNoGroups) {
  experience = MakeExperience({GapSheet(0, {1, 2, 3})});
  EXPECT_TRUE(ComputeOverview(survey, std::span(&experience, 1), {{"Self", 0}}).empty());
}

TEST_F(GapRankingTest, OverviewNeedsScores) {
  survey.HasCompletedSheets = false;
  EXPECT_THROW(ComputeOverview(survey, std::span(&experience, 1), categories), EGapError);
}

TEST_F(GapRankingTest, SummaryListsEveryAnsweredPracticePerCategory) {
  const TGapSummary summary = ComputeSummary(survey, std::span(&experience, 1), categories);
  ASSERT_EQ(summary.Listings.size(), 2u);
  EXPECT_EQ(summary.Listings[0].Category.Name, "Boss");
  EXPECT_EQ(summary.Listings[0].Entries.size(), 5u);
  EXPECT_EQ(Texts(summary.Listings[1].Entries),
            (std::vector<std::string>{" 0.00   4      ", " 0.00   5      ", " 0.50   0      ",
                                      " 1.00   1      ", " 1.00   2      ", " 1.50   3      "}));
  EXPECT_TRUE(summary.ClosingParagraphs);

  const TGapSummary boss_only = ComputeSummary(survey, std::span(&experience, 1), {{"Boss", 1}});
  ASSERT_EQ(boss_only.Listings.size(), 1u);
  EXPECT_FALSE(boss_only.ClosingParagraphs);

  const TGapSummary self_and_boss =
      ComputeSummary(survey, std::span(&experience, 1), {{"Self", 0}, {"Boss", 1}});
  ASSERT_EQ(self_and_boss.Listings.size(), 1u);
  EXPECT_TRUE(self_and_boss.ClosingParagraphs);
}

}  // namespace
}  // namespace zelvora
