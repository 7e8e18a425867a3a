// The trainer's table: cells per participant, totals, limits.
#include <gtest/gtest.h>

#include "GapTestFixtures.h"
#include "report/GapError.h"
#include "report/GapTraining.h"

namespace zelvora {
namespace {

using gaptest::DefaultCompany;
using gaptest::GapSheet;
using gaptest::kSkip;
using gaptest::MakeExperience;
using gaptest::MakeSurvey;

using Texts = std::vector<std::string>;

class GapTrainingTest : public ::testing::Test {
 protected:
  TGapSurvey survey = MakeSurvey({3});
  std::vector<TGapExperience> participants = {
      MakeExperience(
          {GapSheet(0, {1, -1, kSkip}), GapSheet(1, {2, 0, 1}), GapSheet(1, {0, 0, kSkip})}, 45000,
          "Ann"),
      MakeExperience({GapSheet(1, {-2, 1, 3}), GapSheet(3, {1, 1, 1}, false)}, 45001, "Bob"),
      MakeExperience({GapSheet(1, {4, 4, 4}, false)}, 45002, "Cy"),
      MakeExperience({GapSheet(3, {2, kSkip, 1})}, 45003, "Di"),
  };

  std::string MessageOf() {
    try {
      ComputeTraining(survey, DefaultCompany(), participants);
    } catch (const EGapError& e) {
      return e.what();
    }
    return "no failure";
  }
};

TEST_F(GapTrainingTest, CellsAndTotalsPerCategory) {
  const TGapTraining table = ComputeTraining(survey, DefaultCompany(), participants);
  EXPECT_EQ(table.Headers, (Texts{"Q1", "Q2", "Q3"}));
  ASSERT_EQ(table.Categories.size(), 3u);

  const TGapTrainingCategory& self = table.Categories[0];
  EXPECT_EQ(self.Category.Name, "Self");
  ASSERT_EQ(self.Rows.size(), 1u);
  EXPECT_EQ(self.Rows[0].SubjectName, "Ann");
  EXPECT_EQ(self.Rows[0].Cells, (Texts{" 1.00", " N/A ", ""}));
  // The negative average enters the totals.
  EXPECT_EQ(self.Totals, (Texts{" 1.00", "-1.00", "N/A "}));

  const TGapTrainingCategory& boss = table.Categories[1];
  ASSERT_EQ(boss.Rows.size(), 2u) << "Cy has only an incomplete sheet";
  EXPECT_EQ(boss.Rows[0].Cells, (Texts{" 1.00", " 0.00", " 1.00"}));
  EXPECT_EQ(boss.Rows[1].SubjectName, "Bob");
  EXPECT_EQ(boss.Rows[1].Experience, 1);
  EXPECT_DOUBLE_EQ(boss.Rows[1].ExperienceDate, 45001);
  EXPECT_EQ(boss.Rows[1].Cells, (Texts{" N/A ", " 1.00", " 3.00"}));
  EXPECT_EQ(boss.Totals, (Texts{"-0.50", " 0.50", " 2.00"}));

  const TGapTrainingCategory& peer = table.Categories[2];
  ASSERT_EQ(peer.Rows.size(), 1u);
  EXPECT_EQ(peer.Rows[0].SubjectName, "Di") << "Bob's Peer sheet is incomplete";
  EXPECT_EQ(peer.Rows[0].Cells, (Texts{" 2.00", "", " 1.00"}));
  EXPECT_EQ(peer.Totals, (Texts{" 2.00", "N/A ", " 1.00"}));
}

TEST_F(GapTrainingTest, TotalsRoundTheExactMean) {
  // Cells 0.67 (2/3) and 0.00: the mean of 667 and 0 thousandths is 333.5,
  // 33.35 hundredths, which rounds to 0.33.
  survey = MakeSurvey({1});
  participants = {MakeExperience({GapSheet(1, {1}), GapSheet(1, {1}), GapSheet(1, {0})}),
                  MakeExperience({GapSheet(1, {0})})};
  const TGapTraining table = ComputeTraining(survey, DefaultCompany(), participants);
  EXPECT_EQ(table.Categories[0].Rows[0].Cells, (Texts{" 0.67"}));
  EXPECT_EQ(table.Categories[0].Totals, (Texts{" 0.33"}));
}

TEST_F(GapTrainingTest, QuestionLimit) {
  survey = MakeSurvey({1024});
  EXPECT_EQ(ComputeTraining(survey, DefaultCompany(), participants).Headers.size(), 1024u);
  survey = MakeSurvey({1000, 25});
  EXPECT_EQ(MessageOf(), "Too many Questions");
}

TEST_F(GapTrainingTest, NoCompletedSheetIsNoData) {
  participants = {MakeExperience({GapSheet(1, {1, 1, 1}, false)})};
  EXPECT_EQ(MessageOf(), "No data found to process");
}

}  // namespace
}  // namespace zelvora
