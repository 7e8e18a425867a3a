// Reading answer pairs out of a score sheet's buffer.
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

}  // namespace
}  // namespace zelvora
