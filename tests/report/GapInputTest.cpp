// Reading answer pairs out of a score sheet's buffer; surveys that are the
// same instrument.
#include <gtest/gtest.h>

#include "report/GapInput.h"

namespace zelvora {
namespace {

TGapSheet SheetWith(std::vector<std::int8_t> answers, int ans_per_q = 2) {
  TGapSheet sheet;
  sheet.Completed = true;
  sheet.AnsPerQ = ans_per_q;
  sheet.Answers = std::move(answers);
  return sheet;
}

TEST(GapInputTest, GapIsExpectationMinusCurrent) {
  const TGapSheet sheet = SheetWith({3, 5, 5, 1, 1, 1});
  EXPECT_EQ(sheet.Gap(0), 2);
  EXPECT_EQ(sheet.Gap(1), -4);
  EXPECT_EQ(sheet.Gap(2), 0);
}

TEST(GapInputTest, IncompletePairsGiveNoGap) {
  // Current 3 with no expectation, expectation only, neither, negative bytes.
  const TGapSheet sheet = SheetWith({3, 0, 0, 4, 0, 0, -1, 4, 2, -56});
  for (int q = 0; q < 5; ++q) EXPECT_FALSE(sheet.Gap(q).has_value()) << q;
}

TEST(GapInputTest, AnswersOffTheScaleGiveNoGap) {
  // A 9 against a 1 would be a gap of 8, which has no cell of its own.
  const TGapSheet sheet = SheetWith({1, 9, 6, 1, 1, 6, 5, 5});
  EXPECT_FALSE(sheet.Gap(0).has_value());
  EXPECT_FALSE(sheet.Gap(1).has_value());
  EXPECT_FALSE(sheet.Gap(2).has_value());
  EXPECT_EQ(sheet.Gap(3), 0);
}

TEST(GapInputTest, QuestionsBeyondTheBufferAreUnanswered) {
  const TGapSheet sheet = SheetWith({1, 2, 3});  // question 2 has only its first answer
  EXPECT_EQ(sheet.Gap(0), 1);
  EXPECT_FALSE(sheet.Gap(1).has_value());
  EXPECT_FALSE(sheet.Gap(115).has_value());
  EXPECT_FALSE(sheet.Gap(-1).has_value());
  EXPECT_EQ(sheet.Answer(3, 0), 0) << "answer 3 of a two-answer survey";
}

TEST(GapInputTest, BufferLayoutFollowsAnswersPerQuestion) {
  // Three answers per question: answers 1 and 2 of question 2 are bytes 3 and 4.
  const TGapSheet sheet = SheetWith({1, 1, 9, 2, 4, 9}, 3);
  EXPECT_EQ(sheet.Gap(0), 0);
  EXPECT_EQ(sheet.Gap(1), 2);
  const TGapSheet single = SheetWith({3, 4}, 1);
  EXPECT_FALSE(single.Gap(0).has_value()) << "a one-answer survey has no expectation";
}

TEST(GapInputTest, SetPairWritesBothAnswers) {
  TGapSheet sheet;
  sheet.SetPair(2, 2, 5);
  ASSERT_EQ(sheet.Answers.size(), 6u);
  EXPECT_EQ(sheet.Answers[4], 2);
  EXPECT_EQ(sheet.Answers[5], 5);
  EXPECT_EQ(sheet.Gap(2), 3);
}

TGapSurvey TwoAreas() {
  TGapSurvey survey;
  survey.Name = "Leadership";
  for (int a = 0; a < 2; ++a) {
    TGapSkillArea area;
    area.Name = "Area " + std::to_string(a + 1);
    for (int q = 0; q < 2; ++q) {
      area.Questions.push_back(survey.QuestionCount());
      survey.Questions.push_back({"Practice " + std::to_string(survey.QuestionCount() + 1), a, {}});
    }
    survey.SkillAreas.push_back(area);
  }
  return survey;
}

TEST(GapInputTest, SameInstrumentMeansSameAreasWithSameQuestionsInOrder) {
  struct Row {
    const char* name;
    void (*change)(TGapSurvey&);
    bool same;
  };
  const Row rows[] = {
      {"an unchanged copy", [](TGapSurvey&) {}, true},
      {"another survey name and suggestions",
       [](TGapSurvey& s) {
         s.Name = "Leadership (Sales)";
         s.Questions[0].Suggestions = {"Listen."};
         s.HasCompletedSheets = true;
       },
       true},
      {"a skill area renamed", [](TGapSurvey& s) { s.SkillAreas[1].Name = "Coaching"; }, false},
      {"a question reworded", [](TGapSurvey& s) { s.Questions[2].Text = "Other"; }, false},
      {"two questions swapped", [](TGapSurvey& s) { std::swap(s.Questions[0], s.Questions[1]); },
       false},
      {"a question moved to the other area",
       [](TGapSurvey& s) {
         s.SkillAreas[0].Questions.pop_back();
         s.SkillAreas[1].Questions.insert(s.SkillAreas[1].Questions.begin(), 1);
       },
       false},
      {"a question more",
       [](TGapSurvey& s) {
         s.SkillAreas[1].Questions.push_back(4);
         s.Questions.push_back({"Practice 5", 1, {}});
       },
       false},
      {"a skill area index out of range", [](TGapSurvey& s) { s.SkillAreas[1].Questions[1] = 9; },
       false},
  };
  const TGapSurvey original = TwoAreas();
  EXPECT_TRUE(original.SameInstrument(original));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TGapSurvey copy = TwoAreas();
    row.change(copy);
    EXPECT_EQ(original.SameInstrument(copy), row.same);
    EXPECT_EQ(copy.SameInstrument(original), row.same);
  }
}

}  // namespace
}  // namespace zelvora
