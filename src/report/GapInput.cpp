#include "report/GapInput.h"

#include <algorithm>

namespace zelvora {

namespace {
constexpr int kLowestStep = 1;
constexpr int kHighestStep = 5;

bool OnScale(int value) { return value >= kLowestStep && value <= kHighestStep; }
}  // namespace

int TGapSheet::Answer(int answer, int question_index) const {
  if (answer < 1 || answer > AnsPerQ || question_index < 0) return 0;
  const long long at = static_cast<long long>(AnsPerQ) * question_index + (answer - 1);
  if (at >= static_cast<long long>(Answers.size())) return 0;
  return Answers[static_cast<std::size_t>(at)];
}

std::optional<int> TGapSheet::Gap(int question_index) const {
  const int current = Answer(1, question_index);
  const int expected = Answer(2, question_index);
  // A value off the scale is as good as unanswered: counting it would put a
  // gap above 4 into the cells of the negative gaps.
  if (!OnScale(current) || !OnScale(expected)) return std::nullopt;
  return expected - current;
}

void TGapSheet::SetPair(int question_index, int current, int expected) {
  if (question_index < 0 || AnsPerQ < 2) return;
  const std::size_t first = static_cast<std::size_t>(AnsPerQ) * question_index;
  if (Answers.size() < first + AnsPerQ) Answers.resize(first + AnsPerQ, 0);
  Answers[first] = static_cast<std::int8_t>(current);
  Answers[first + 1] = static_cast<std::int8_t>(expected);
}

bool TGapExperience::HasCompletedSheet() const {
  return std::any_of(Sheets.begin(), Sheets.end(),
                     [](const TGapSheet& sheet) { return sheet.Completed; });
}

}  // namespace zelvora
