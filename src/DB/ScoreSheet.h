// TScoreSheet: one rater's answers for one experience.
//
// The answer buffer holds 230 signed bytes: answer a (1 to AnsPerQ of the
// experience's survey) to question q (1 = first question of the survey's
// flattened list) is byte AnsPerQ*(q-1)+(a-1). With two answers per question
// byte 2q-2 is the current performance and byte 2q-1 the expectation. Values
// 1 to 5 are scale steps; 0 or less means not answered. So at most 115
// questions fit.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

inline constexpr int kAnswersBufSize = 230;
inline constexpr int kMaxQuestionsPerSurvey = 115;
inline constexpr std::size_t kCategoryNameMaxChars = 15;

class TScoreSheet : public TSurvObject {
 public:
  TScoreSheet() { AnswersBuf.fill(0); }

  std::string RaterName;  // up to 35 characters when stored
  std::int16_t RaterCategory = 0;
  std::array<std::int8_t, kAnswersBufSize> AnswersBuf{};
  bool Completed = false;
  std::uint8_t AnswersEdited = 0;
  TExperience* Experience = nullptr;  // owner

  // The answers per question of the experience's survey (2 when the sheet
  // has no experience or survey yet).
  int AnswersPerQuestion();
  // The signed byte of answer a to question q. An index outside the buffer
  // fails with "Answer index out of range" instead of reading past it.
  std::int8_t GetAnswer(int a, int q);
  // Stores the low 8 bits of `value` (300 gives 44). Same index check.
  void SetAnswer(int a, int q, int value);
  // The byte index of answer a to question q for `ans_per_q`, or -1 when it
  // lies outside the buffer.
  static int AnswerIndex(int a, int q, int ans_per_q);

  // The name of the sheet's category in its company's table, at most 15
  // characters; "" when the number is not in the table.
  std::string CategoryName();
  // Whether the category name, upper-cased, is "SELF".
  bool IsSelfRater();

  bool Delete() override;
  int Kind() const override { return okScoreSheet; }
  int ObjectCount() override { return 1; }
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return RaterName; }
};

}  // namespace zelvora
