// TControlCenter: which buttons, menu entries and context-menu entries are
// enabled for the active list, and the print and disk entries.
#include <algorithm>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/UserInterface.h"

namespace zelvora {
namespace {

bool IsLibrarySurvey(const TSurvey* survey) {
  return survey->Department == nullptr || survey->Department->ID.IsNull();
}

}  // namespace

bool TControlCenter::IsBuiltIn(const TSurvey* survey) const {
  if (survey == nullptr) return false;
  if (survey->ID.Origin == 0 || survey->ID.Origin == 1) return true;
  return IsLibrarySurvey(survey) && survey->Name == kStandardSkillAreasName;
}

bool TControlCenter::IsEditable(const TSurvey* survey) const {
  return survey != nullptr && !IsBuiltIn(survey) && survey->HasCompletedSheets == 0;
}

bool TControlCenter::IsDepartmentSurvey(const TSurvey* survey) const {
  return survey != nullptr && !IsLibrarySurvey(survey);
}

TSurvey* TControlCenter::SelectedSurvey() const {
  const auto surveys = L(SurveyLB).SelectedObjects();
  return surveys.size() == 1 ? static_cast<TSurvey*>(surveys.front()) : nullptr;
}

TSurvey* TControlCenter::SurveyOfSelection(int list) const {
  TSurvObject* object = L(list).FirstSelectedObject();
  if (object == nullptr) return nullptr;
  if (list == SkillAreaLB || list == QuestSkillAreaLB)
    return static_cast<TSkillArea*>(object)->Survey;
  TSkillArea* area = static_cast<TQuestion*>(object)->SkillArea;
  return area != nullptr ? area->Survey : nullptr;
}

bool TControlCenter::AnySelectedSurveyBuiltIn() const {
  const auto surveys = L(SurveyLB).SelectedObjects();
  return std::any_of(surveys.begin(), surveys.end(),
                     [this](TSurvObject* s) { return IsBuiltIn(static_cast<TSurvey*>(s)); });
}

TCCButtons TControlCenter::ButtonsFor(int index) const {
  TCCButtons b;
  b.Done = department_survey_mode_ || page_ == TCCPage::Detail;
  const TCCList& list = L(index);
  const int selected = list.SelectedCount();
  const int real = list.RealSelectedCount();
  const bool filled = !list.Empty();
  switch (index) {
    case CompanyLB:
      b.Edit = real >= 1;
      b.Show = b.Edit;
      b.Create = filled;
      break;
    case DepartmentLB:
      b.Edit = real >= 1;
      b.Create = filled;
      break;
    case DepartmentSurveyLB:
      b.Edit = list.Count() > list.FirstReal() && real >= 1 &&
               !(selected == 1 && list.AddEntrySelected());
      b.Show = b.Edit;
      b.Create = filled;
      break;
    case SurveyLB: {
      const bool one = selected == 1 && real == 1;
      const int at = one ? list.Selection().front() : -1;
      auto* survey = static_cast<TSurvey*>(list.ObjectAt(at));
      b.Edit = one && (unrestricted_ || (!IsLibraryEntry(at) && IsEditable(survey)));
      b.Show = one && (unrestricted_ || !IsLibraryEntry(at));
      b.Create = filled;
      for (int i : list.Selection())
        if (list.ObjectAt(i) != nullptr && !IsLibraryEntry(i)) b.Print = true;
      break;
    }
    case SkillAreaLB:
    case SurveyQuestionLB: {
      TSurvey* survey = SurveyOfSelection(index);
      b.Show = selected == 1 && real == 1;
      b.Edit = b.Show && (unrestricted_ || IsEditable(survey));
      if (index == SkillAreaLB && L(SurveyLB).RealSelectedCount() > 1 && AnySelectedSurveyBuiltIn())
        b.Edit = b.Show = false;
      // New items go into the one survey (or skill area) selected to the left.
      TSurvey* target = nullptr;
      if (index == SkillAreaLB) {
        target = SelectedSurvey();
      } else if (L(SkillAreaLB).RealSelectedCount() == 1) {
        target = static_cast<TSkillArea*>(L(SkillAreaLB).FirstSelectedObject())->Survey;
      }
      b.Create = filled && target != nullptr && (unrestricted_ || IsEditable(target));
      break;
    }
    case QuestSkillAreaLB:
    case QuestionLB:
      b.Edit = real == 1;
      b.Show = b.Edit;
      b.Create = filled;
      break;
    case SuggestionLB:
      b.Edit = real >= 1;
      b.Show = b.Edit;
      b.Create = filled;
      break;
    case SubjectLB:
    case ExperienceLB:
      b.Edit = real == 1;
      b.Create = filled;
      break;
    case RaterLB:
      b.Edit = real == 1;
      b.Show = b.Edit;
      b.Create = filled;
      break;
    default:
      break;
  }
  b.Delete = selected < 2 ? b.Edit : true;
  // Several skill areas or questions go only where one of them could be
  // edited: built-in and answered surveys keep their questions.
  if (selected >= 2 && (index == SkillAreaLB || index == SurveyQuestionLB) && !unrestricted_) {
    for (TSurvObject* object : list.SelectedObjects()) {
      TSurvey* survey = index == SkillAreaLB ? static_cast<TSkillArea*>(object)->Survey
                                             : static_cast<TQuestion*>(object)->SkillArea->Survey;
      if (!IsEditable(survey)) b.Delete = false;
    }
  }
  if (index == ExperienceLB || index == RaterLB) b.Print = b.Edit || b.Delete;
  b.Name = b.Edit;
  return b;
}

void TControlCenter::RecomputeButtons() {
  read_only_survey_ = IsBuiltIn(SelectedSurvey());
  buttons_ = ButtonsFor(active_);
}

std::vector<TCCMenuEntry> TControlCenter::ContextMenu(int index, int entry) {
  if (index < 0 || index >= kCCListCount) return {};
  if (entry >= 0 && entry < L(index).Count() && !L(index).IsSelected(entry)) Click(index, {entry});
  active_ = index;
  RecomputeButtons();
  clicked_list_ = index;
  clicked_index_ = entry;
  const TCCButtons& b = buttons_;
  const bool clicked_real = L(index).ObjectAt(entry) != nullptr;
  std::vector<TCCMenuEntry> menu;
  auto add = [&](bool enabled, const char* caption, TCCCommand command) {
    if (enabled) menu.push_back({caption, command});
  };
  auto separator = [&] { menu.push_back({"-", TCCCommand::Separator}); };
  switch (index) {
    case CompanyLB:
      add(b.Create, "&Create Company", TCCCommand::Create);
      add(b.Edit, "&Edit Company", TCCCommand::Edit);
      add(b.Show, "&View/Edit Categories", TCCCommand::Show);
      break;
    case DepartmentLB:
      add(b.Create, "&Create Department", TCCCommand::Create);
      add(b.Edit, "&Edit Department", TCCCommand::Edit);
      break;
    case DepartmentSurveyLB:
      add(b.Create, "&Add Surveys", TCCCommand::Create);
      add(b.Edit, "&Edit Surveys", TCCCommand::Edit);
      add(b.Show, "&Show Survey", TCCCommand::Show);
      break;
    case SurveyLB:
      add(b.Create, "&Create Survey", TCCCommand::Create);
      add(b.Edit, "&Edit Survey", TCCCommand::Edit);
      add(b.Show, "&Show Survey", TCCCommand::Show);
      separator();
      add(b.Print, "&Print Blank Survey(s)", TCCCommand::PrintBlankSurveys);
      break;
    case SkillAreaLB:
    case QuestSkillAreaLB:
      add(b.Create, "&Create Skill Area", TCCCommand::Create);
      add(b.Edit, "&Edit Skill Area", TCCCommand::Edit);
      add(b.Show, "&Show Skill Area", TCCCommand::Show);
      add(L(index).RealSelectedCount() > 0, "&Print Skill Area", TCCCommand::PrintSkillArea);
      break;
    case SurveyQuestionLB:
      add(b.Create, "&Create Survey Question", TCCCommand::Create);
      add(b.Edit, "&Edit Survey Question", TCCCommand::Edit);
      add(b.Show, "&Show Survey Question", TCCCommand::Show);
      break;
    case QuestionLB:
      add(b.Create, "&Create Question", TCCCommand::Create);
      add(b.Edit, "&Edit Question", TCCCommand::Edit);
      add(b.Show, "&Show Question", TCCCommand::Show);
      break;
    case SuggestionLB:
      add(b.Create, "&Create Suggestion", TCCCommand::Create);
      add(b.Edit, "&Edit Suggestion", TCCCommand::Edit);
      add(b.Show, "&Show Suggestion", TCCCommand::Show);
      break;
    case SubjectLB:
      add(b.Create, "&Create Subject", TCCCommand::Create);
      add(b.Edit, "&Edit Subject", TCCCommand::Edit);
      break;
    case ExperienceLB:
      add(b.Create, "&Create Experience", TCCCommand::Create);
      add(b.Edit, "&Edit Experience", TCCCommand::Edit);
      separator();
      add(b.Print && clicked_real, "Print Experience &Results", TCCCommand::PrintExperienceResults);
      add(b.Print && L(index).RealSelectedCount() == 2, "Print Comparative &Report",
          TCCCommand::PrintComparative);
      break;
    case RaterLB:
      add(b.Create, "&Create Rater", TCCCommand::Create);
      add(b.Edit, "&Edit Rater", TCCCommand::Edit);
      add(b.Show, "&Show Rater", TCCCommand::Show);
      separator();
      add(clicked_real, "Print &Survey(s) for", TCCCommand::PrintRaterSurveys);
      add(clicked_real, "Create Survey &Disk(s) for", TCCCommand::MakeSurveyDisks);
      add(clicked_real, "&Import Survey Disk for", TCCCommand::ImportSurveyDisk);
      break;
    default:
      break;
  }
  if (!menu.empty() && menu.back().Command == TCCCommand::Separator) menu.pop_back();
  if (!menu.empty() && menu.front().Command == TCCCommand::Separator) menu.erase(menu.begin());
  return menu;
}

void TControlCenter::RunCommand(TCCCommand command) {
  switch (command) {
    case TCCCommand::Separator:
      break;
    case TCCCommand::Create:
      CreateClick();
      break;
    case TCCCommand::Edit:
      EditClick();
      break;
    case TCCCommand::Show:
      ShowClick();
      break;
    case TCCCommand::PrintBlankSurveys:
      PrintPreset(7, 11, SurveyLB);
      break;
    case TCCCommand::PrintSkillArea:
      if (active_ == SkillAreaLB || active_ == QuestSkillAreaLB) PrintPreset(9, 9, active_);
      break;
    case TCCCommand::PrintExperienceResults:
      PrintPreset(1, 0, ExperienceLB);
      break;
    case TCCCommand::PrintComparative:
      PrintPreset(3, 5, ExperienceLB);
      break;
    case TCCCommand::PrintRaterSurveys:
      PrintPreset(6, 11, RaterLB);
      break;
    case TCCCommand::MakeSurveyDisks: {
      std::vector<TScoreSheet*> sheets;
      for (TSurvObject* object : L(RaterLB).SelectedObjects())
        sheets.push_back(static_cast<TScoreSheet*>(object));
      if (sheets.empty()) break;
      ui_.MakeSurveyDisks(sheets);
      Refresh(RaterLB);
      RecomputeButtons();
      break;
    }
    case TCCCommand::ImportSurveyDisk: {
      auto* sheet = static_cast<TScoreSheet*>(
          clicked_list_ == RaterLB ? L(RaterLB).ObjectAt(clicked_index_) : nullptr);
      if (sheet == nullptr) break;
      ui_.ImportSurveyDisk(*sheet);
      Refresh(RaterLB);
      RecomputeButtons();
      break;
    }
  }
}

void TControlCenter::PrintPreset(int kind, int section, int index) {
  TReportPreset preset;
  preset.Kind = kind;
  preset.Section = section;
  preset.SourceList = index;
  for (int i : L(index).Selection()) {
    TSurvObject* object = L(index).ObjectAt(i);
    if (object == nullptr || (index == SurveyLB && IsLibraryEntry(i))) continue;
    preset.Sources.push_back(object);
  }
  if (preset.Sources.empty()) return;
  ui_.OpenReportWizard(preset);
}

void TControlCenter::PrintClick() {
  if (!buttons_.Print) return;
  switch (active_) {
    case SurveyLB:
      PrintPreset(7, 11, SurveyLB);
      break;
    case ExperienceLB:
      PrintPreset(1, 0, ExperienceLB);
      break;
    case RaterLB:
      PrintPreset(6, 11, RaterLB);
      break;
    default:
      WizardClick();
      break;
  }
}

}  // namespace zelvora
