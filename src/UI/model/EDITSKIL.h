// TNewEditSkillAreaForm: the skill-area dialog: the name and the four
// question prefixes, each prefix box an editable drop-down of the prefixes
// used before (TPrefixHistories).
//
// New: the name is empty and the prefixes are the defaults; the accept button
// is enabled while the name and all four prefixes are non-empty. Edit: the
// area's name and prefixes; accepted with a non-empty name. View: read-only,
// only "&Done". On accept every non-empty prefix not yet in its history is
// appended to it and the histories are written to the settings.
#pragma once

#include <array>
#include <string>

#include "UI/model/DialogModel.h"
#include "UI/model/PrefixHistories.h"

namespace zelvora {

class TSectionedConfigFile;
class TSkillArea;
class TUserInterface;

class TNewEditSkillAreaForm : public TDialogModel {
 public:
  static constexpr std::array<const char*, 4> kPrefixLabels = {
      "Current Performance (Self):", "Your Expectations (Self):", "Current Performance (Other):",
      "Your Expectations (Other):"};

  // Edit and View take the name and prefixes from `area`.
  TNewEditSkillAreaForm(TEditMode mode, TSectionedConfigFile* settings,
                        const TSkillArea* area = nullptr);

  std::string Caption() const override;
  TEditMode Mode() const { return mode_; }
  bool ReadOnly() const { return mode_ == TEditMode::View; }
  // "" when the accept button is hidden.
  std::string AcceptCaption() const;
  std::string CancelCaption() const { return ReadOnly() ? "&Done" : "Cancel"; }

  std::string SkillAreaName;
  std::array<std::string, 4> Prefixes;
  // The drop-down lists of the four prefix boxes.
  const TPrefixLists& Histories() const { return histories_; }

  bool AcceptEnabled() const;
  // Shows the dialog; true when it was accepted with what AcceptEnabled
  // asks for, after the histories were updated.
  bool Execute(TUserInterface& ui);

 private:
  TEditMode mode_;
  TSectionedConfigFile* settings_;
  TPrefixLists histories_;
};

}  // namespace zelvora
