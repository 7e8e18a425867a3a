#include "DB/ScoreSheet.h"

#include <cctype>

#include "DB/Company.h"
#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {

int TScoreSheet::AnswersPerQuestion() {
  if (Experience != nullptr) {
    if (TSurvey* survey = Experience->Survey()) return survey->AnsPerQ;
  }
  return 2;
}

int TScoreSheet::AnswerIndex(int a, int q, int ans_per_q) {
  if (ans_per_q < 1 || a < 1 || a > ans_per_q || q < 1) return -1;
  const long long index = static_cast<long long>(ans_per_q) * (q - 1) + (a - 1);
  if (index >= kAnswersBufSize) return -1;
  return static_cast<int>(index);
}

std::int8_t TScoreSheet::GetAnswer(int a, int q) {
  const int index = AnswerIndex(a, q, AnswersPerQuestion());
  if (index < 0) throw ESurvObjError("Answer index out of range");
  return AnswersBuf[static_cast<std::size_t>(index)];
}

void TScoreSheet::SetAnswer(int a, int q, int value) {
  const int index = AnswerIndex(a, q, AnswersPerQuestion());
  if (index < 0) throw ESurvObjError("Answer index out of range");
  // The low 8 bits, read back as a signed byte.
  AnswersBuf[static_cast<std::size_t>(index)] =
      static_cast<std::int8_t>(static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu));
}

std::string TScoreSheet::CategoryName() {
  if (Experience == nullptr || Experience->Department == nullptr ||
      Experience->Department->Company == nullptr) {
    return std::string();
  }
  return CutToChars(Experience->Department->Company->CategoryName(RaterCategory),
                    kCategoryNameMaxChars);
}

bool TScoreSheet::IsSelfRater() { return SameText(CategoryName(), "SELF"); }

bool TScoreSheet::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

void TScoreSheet::Save() { SurveyDB().Update(*this); }

bool TScoreSheet::InsertRecord() { return SurveyDB().Insert(*this); }

void TScoreSheet::StoreTree() { InsertRecord(); }

}  // namespace zelvora
