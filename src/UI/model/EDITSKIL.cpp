#include "UI/model/EDITSKIL.h"

#include "DB/SkillArea.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {

TNewEditSkillAreaForm::TNewEditSkillAreaForm(TEditMode mode, TSectionedConfigFile* settings,
                                             const TSkillArea* area)
    : mode_(mode), settings_(settings), histories_(TPrefixHistories::Read(settings)) {
  const TSkillArea defaults;
  const TSkillArea& source = (mode != TEditMode::New && area != nullptr) ? *area : defaults;
  if (&source == area) SkillAreaName = area->Name;
  for (int i = 0; i < 4; ++i) Prefixes[static_cast<std::size_t>(i)] = source.GetPrefix(i + 1);
}

std::string TNewEditSkillAreaForm::Caption() const {
  return ByMode(mode_, "New Skill Area...", "Edit Skill Area Name...", "View Skill Area Name...");
}

std::string TNewEditSkillAreaForm::AcceptCaption() const { return ByMode(mode_, "Add", "Ok", ""); }

bool TNewEditSkillAreaForm::AcceptEnabled() const {
  if (ReadOnly() || std::string(Trim(SkillAreaName)).empty()) return false;
  if (mode_ == TEditMode::Edit) return true;
  for (const auto& prefix : Prefixes)
    if (prefix.empty()) return false;
  return true;
}

bool TNewEditSkillAreaForm::Execute(TUserInterface& ui) {
  if (!ui.ShowSkillAreaForm(*this) || !AcceptEnabled()) return false;
  for (std::size_t i = 0; i < Prefixes.size(); ++i)
    TPrefixHistories::Remember(histories_[i], Prefixes[i]);
  TPrefixHistories::Write(settings_, histories_);
  return true;
}

}  // namespace zelvora
