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

bool TGapSurvey::SameInstrument(const TGapSurvey& other) const {
  if (this == &other) return true;
  if (SkillAreas.size() != other.SkillAreas.size() || Questions.size() != other.Questions.size())
    return false;
  for (std::size_t a = 0; a < SkillAreas.size(); ++a) {
    const TGapSkillArea& mine = SkillAreas[a];
    const TGapSkillArea& theirs = other.SkillAreas[a];
    if (mine.Name != theirs.Name || mine.Questions.size() != theirs.Questions.size()) return false;
    for (std::size_t q = 0; q < mine.Questions.size(); ++q) {
      const int i = mine.Questions[q];
      const int j = theirs.Questions[q];
      // Answers are read by position: the questions must sit at the same
      // place in both flattened lists.
      if (i != j || i < 0 || i >= QuestionCount()) return false;
      if (Questions[static_cast<std::size_t>(i)].Text !=
          other.Questions[static_cast<std::size_t>(j)].Text)
        return false;
    }
  }
  return true;
}

}  // namespace zelvora
