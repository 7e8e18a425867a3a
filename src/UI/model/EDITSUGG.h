// TNewEditSuggestionForm: the suggestion dialog, one multi-line text handed
// back trimmed, only when it is not empty.
#pragma once

#include <optional>
#include <string>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TUserInterface;

class TNewEditSuggestionForm : public TDialogModel {
 public:
  explicit TNewEditSuggestionForm(TEditMode mode, std::string text = "");

  std::string Caption() const override;
  TEditMode Mode() const { return mode_; }
  bool ReadOnly() const { return mode_ == TEditMode::View; }
  std::string AcceptCaption() const;
  std::string CancelCaption() const { return ReadOnly() ? "&Done" : "&Cancel"; }
  static std::string TextLabel() { return "Suggestion:"; }

  // SuggestionMemo.
  std::string SuggestionText;

  bool AcceptEnabled() const;
  std::optional<std::string> Execute(TUserInterface& ui);

 private:
  TEditMode mode_;
};

}  // namespace zelvora
