// TNewEditQuestionForm: the question dialog: the question text, and,
// read-only, the four prefixes of the skill area the question belongs to, so
// the user sees the full questions. The text is handed back trimmed, only
// when it is not empty.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TSkillArea;
class TUserInterface;

class TNewEditQuestionForm : public TDialogModel {
 public:
  // `area` gives the prefixes shown (none when null).
  TNewEditQuestionForm(TEditMode mode, const TSkillArea* area, std::string text = "");

  std::string Caption() const override;
  TEditMode Mode() const { return mode_; }
  bool ReadOnly() const { return mode_ == TEditMode::View; }
  std::string AcceptCaption() const;
  std::string CancelCaption() const { return ReadOnly() ? "&Done" : "&Cancel"; }
  static std::string TextLabel() { return "Question Suffix:"; }

  // QuestionMemo.
  std::string QuestionText;
  // SelfEdit1, SelfEdit2, OtherEdit1, OtherEdit2.
  const std::array<std::string, 4>& Prefixes() const { return prefixes_; }

  bool AcceptEnabled() const;
  std::optional<std::string> Execute(TUserInterface& ui);

 private:
  TEditMode mode_;
  std::array<std::string, 4> prefixes_;
};

}  // namespace zelvora
