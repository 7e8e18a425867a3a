// TNameForm: the one-line name dialog. The caller gives the caption and the
// prompt; New mode has an "&Add" button and an empty field, Edit mode an
// "&Ok" button and the current name. The name is handed back trimmed and
// only when it is not empty.
#pragma once

#include <optional>
#include <string>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TUserInterface;

class TNameForm : public TDialogModel {
 public:
  TNameForm(std::string caption, std::string prompt, TEditMode mode, std::string name = "");

  std::string Caption() const override { return caption_; }
  const std::string& Prompt() const { return prompt_; }
  TEditMode Mode() const { return mode_; }
  std::string AddOkCaption() const { return mode_ == TEditMode::New ? "&Add" : "&Ok"; }
  static std::string CancelCaption() { return "&Cancel"; }

  // NameEdit: what the user typed.
  std::string Name;

  bool AcceptEnabled() const;
  // Shows the dialog; the trimmed name when it was accepted with a name,
  // nothing when cancelled or left empty.
  std::optional<std::string> Execute(TUserInterface& ui);

 private:
  std::string caption_;
  std::string prompt_;
  TEditMode mode_;
};

}  // namespace zelvora
