#include "UI/model/Selsurv.h"

#include <algorithm>

#include "DB/SkillArea.h"
#include "DB/Survey.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {

void TSelSurvForm::Click(const std::vector<int>& selected) {
  for (auto& entry : entries_) entry.Selected = false;
  for (int index : selected)
    if (index >= 0 && index < static_cast<int>(entries_.size()))
      entries_[static_cast<std::size_t>(index)].Selected = true;
  for (auto& entry : entries_) {
    if (!entry.Selected) continue;
    const auto refusals = CheckDepartmentSurvey(*entry.Survey, true);
    for (const auto& text : refusals) ui_.Inform(text);
    if (!refusals.empty()) entry.Selected = false;
  }
}

bool TSelSurvForm::DoneEnabled() const {
  return std::any_of(entries_.begin(), entries_.end(), [](const TEntry& e) { return e.Selected; });
}

std::vector<TSurvey*> TSelSurvForm::SelectSurveys(const std::vector<TSurvey*>& surveys) {
  entries_.clear();
  for (TSurvey* survey : surveys) entries_.push_back({survey->Name, survey, false});
  std::stable_sort(entries_.begin(), entries_.end(), [](const TEntry& a, const TEntry& b) {
    return CompareText(a.Name, b.Name) < 0;
  });
  std::vector<TSurvey*> chosen;
  if (!ui_.SelectSurveys(*this)) return chosen;
  for (const auto& entry : entries_)
    if (entry.Selected) chosen.push_back(entry.Survey);
  return chosen;
}

std::vector<std::string> TSelSurvForm::CheckDepartmentSurvey(TSurvey& survey, bool every_area) {
  const std::string head = "The \"" + survey.Name + "\" survey cannot be added. " + "\n";
  std::vector<std::string> refusals;
  TSkillAreaList& areas = survey.SkillAreas();
  if (areas.Size() == 0) {
    refusals.push_back(head + "No skill areas exist for this survey.");
  } else if (areas.Size() == 1) {
    if (areas.At(0)->Questions().Size() < 10)
      refusals.push_back(head + "There is only one skill area, and this " + "\n" +
                         "skill area has less than 10 questions.");
  } else {
    for (TSurvObject* item : areas.Raw()) {
      auto* area = static_cast<TSkillArea*>(item);
      if (area->Questions().Size() >= 5) continue;
      refusals.push_back(head + "The \"" + area->Name +
                         "\" Skill Area has less than five questions.");
      if (!every_area) break;
    }
  }
  return refusals;
}

}  // namespace zelvora
