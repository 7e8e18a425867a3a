#include "UI/model/EDITQUES.h"

#include <utility>

#include "DB/SkillArea.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
TNewEditQuestionForm::TNewEditQuestionForm(TEditMode mode, const TSkillArea* area, std::string text)
    : QuestionText(std::move(text)), mode_(mode) {
  if (area != nullptr)
    for (int i = 0; i < 4; ++i) prefixes_[static_cast<std::size_t>(i)] = area->GetPrefix(i + 1);
}

std::string TNewEditQuestionForm::Caption() const {
  return ByMode(mode_, "New Question...", "Edit Question Text...", "View Question Text...");
}

std::string TNewEditQuestionForm::AcceptCaption() const { return ByMode(mode_, "&Add", "&Ok", ""); }

bool TNewEditQuestionForm::AcceptEnabled() const {
  return !ReadOnly() && !std::string(Trim(QuestionText)).empty();
}

std::optional<std::string> TNewEditQuestionForm::Execute(TUserInterface& ui) {
  if (!ui.ShowQuestionForm(*this) || !AcceptEnabled()) return std::nullopt;
  return std::string(Trim(QuestionText));
}

}  // namespace zelvora
