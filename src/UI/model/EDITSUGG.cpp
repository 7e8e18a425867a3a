#include "UI/model/EDITSUGG.h"

#include <utility>

#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {

TNewEditSuggestionForm::TNewEditSuggestionForm(TEditMode mode, std::string text)
    : SuggestionText(std::move(text)), mode_(mode) {}

std::string TNewEditSuggestionForm::Caption() const {
  return ByMode(mode_, "New Suggestion...", "Edit Suggestion Text...", "View Suggestion Text...");
}

std::string TNewEditSuggestionForm::AcceptCaption() const {
  return ByMode(mode_, "&Add", "&Ok", "");
}

bool TNewEditSuggestionForm::AcceptEnabled() const {
  return !ReadOnly() && !std::string(Trim(SuggestionText)).empty();
}

std::optional<std::string> TNewEditSuggestionForm::Execute(TUserInterface& ui) {
  if (!ui.ShowSuggestionForm(*this) || !AcceptEnabled()) return std::nullopt;
  return std::string(Trim(SuggestionText));
}

}  // namespace zelvora
