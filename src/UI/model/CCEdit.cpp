// TControlCenter: the Edit and Show actions of each list, with the rules for
// certified questions, renamed subjects and self raters.
#include <string>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/DateDlg.h"
#include "UI/model/EDITCATS.h"
#include "UI/model/EDITQUES.h"
#include "UI/model/EDITRATR.h"
#include "UI/model/EDITSKIL.h"
#include "UI/model/EDITSUGG.h"
#include "UI/model/EDITSURV.h"
#include "UI/model/NameForm.h"
#include "UI/model/UserInterface.h"
#include "base/DateTime.h"
#include "base/Text.h"

namespace zelvora {
namespace {

// Renames a score sheet and keeps its experience's list of rater names in
// step with it.
void RenameSheet(TScoreSheet& sheet, const std::string& name) {
  if (TExperience* experience = sheet.Experience) {
    for (std::string& entry : experience->RaterNames)
      if (SameText(entry, sheet.RaterName)) {
        entry = name;
        break;
      }
  }
  sheet.RaterName = name;
}

std::string RenameQuestion(const std::string& old_name) {
  return "Do you want to remove \"" + old_name + "\"\nfrom the global list of company raters?";
}

}  // namespace

void TControlCenter::Edit() {
  switch (active_) {
    case CompanyLB:
    case DepartmentLB:
      EditName(active_);
      break;
    case DepartmentSurveyLB:
      EnterDepartmentSurveyMode();
      break;
    case SurveyLB:
      EditSurvey();
      break;
    case SkillAreaLB:
    case QuestSkillAreaLB:
      EditSkillArea(active_);
      break;
    case SurveyQuestionLB:
    case QuestionLB:
      EditQuestion(active_);
      break;
    case SuggestionLB:
      EditSuggestion();
      break;
    case SubjectLB:
      EditSubject();
      break;
    case ExperienceLB:
      EditExperience();
      break;
    case RaterLB:
      EditRater();
      break;
    default:
      break;
  }
}

void TControlCenter::EditName(int list) {
  TSurvObject* object = L(list).FirstSelectedObject();
  if (object == nullptr) return;
  if (list == CompanyLB) {
    auto* company = static_cast<TCompany*>(object);
    TNameForm form("Edit Company...", "Company Name:", TEditMode::Edit, company->Name);
    const auto name = form.Execute(ui_);
    if (!name) return;
    company->Name = *name;
  } else {
    auto* department = static_cast<TDepartment*>(object);
    TNameForm form("Edit Department...", "Department Name:", TEditMode::Edit, department->Name);
    const auto name = form.Execute(ui_);
    if (!name) return;
    department->Name = *name;
  }
  object->Touch();
  object->Save();
  Changed(list, object);
}

void TControlCenter::EditSurvey() {
  TSurvey* survey = SelectedSurvey();
  if (survey == nullptr) return;
  TNewEditSurveyForm form(TEditMode::Edit, survey);
  if (!form.Execute(ui_)) return;
  form.StoreInto(*survey);
  survey->Touch();
  survey->Save();
  Changed(SurveyLB, survey);
}

void TControlCenter::EditSkillArea(int list) {
  auto* area = static_cast<TSkillArea*>(L(list).FirstSelectedObject());
  if (area == nullptr) return;
  TNewEditSkillAreaForm form(TEditMode::Edit, settings_, area);
  if (!form.Execute(ui_)) return;
  area->Name = std::string(Trim(form.SkillAreaName));
  for (int i = 0; i < 4; ++i) area->SetPrefix(i + 1, form.Prefixes[static_cast<std::size_t>(i)]);
  area->Touch();
  area->Save();
  Changed(list, area);
}

void TControlCenter::EditQuestion(int list) {
  auto* question = static_cast<TQuestion*>(L(list).FirstSelectedObject());
  if (question == nullptr) return;
  TSkillArea* area = question->SkillArea;
  TSurvey* survey = area != nullptr ? area->Survey : nullptr;
  const bool certified = question->Suggestions().Size() > 0;
  if (certified && list == SurveyQuestionLB && department_survey_mode_ &&
      IsDepartmentSurvey(survey) && survey->HasCompletedSheets != 0 && !unrestricted_) {
    ui_.Inform(
        "This is a certified question.\nCertified department questions cannot be edited\nonce a "
        "survey has been completed.");
    return;
  }
  if (list == SurveyQuestionLB && !unrestricted_) {
    if (question->Locked) {
      ui_.Inform("This is a certified Vexo question.\nEditing is disallowed.");
      return;
    }
    if (certified &&
        !ui_.Ask("This is a certified question.\nEditing this question will invalidate and "
                 "remove\nthe suggestion associated with this question.\n\nDo you want to edit "
                 "the question anyway?",
                 true))
      return;
  }
  TNewEditQuestionForm form(TEditMode::Edit, area, question->QuestionText);
  const auto text = form.Execute(ui_);
  if (!text) return;
  question->QuestionText = *text;
  question->Touch();
  question->Save();
  if (list == SurveyQuestionLB && !unrestricted_) {
    TSuggestionList& suggestions = question->Suggestions();
    while (suggestions.Size() > 0) suggestions.Delete(0);
  }
  Changed(list, question);
}

void TControlCenter::EditSuggestion() {
  auto* suggestion = static_cast<TSuggestion*>(L(SuggestionLB).FirstSelectedObject());
  if (suggestion == nullptr) return;
  TNewEditSuggestionForm form(TEditMode::Edit, suggestion->SuggestionText);
  const auto text = form.Execute(ui_);
  if (!text) return;
  suggestion->SuggestionText = *text;
  suggestion->Touch();
  suggestion->Save();
  Changed(SuggestionLB, suggestion);
}

void TControlCenter::EditSubject() {
  auto* subject = static_cast<TSubject*>(L(SubjectLB).FirstSelectedObject());
  if (subject == nullptr) return;
  TNameForm form("Edit Subject...", "Subject Name:", TEditMode::Edit, subject->Name);
  const auto name = form.Execute(ui_);
  if (!name) return;
  const std::string old_name = subject->Name;
  subject->Name = *name;
  subject->Touch();
  subject->Save();
  // The subject's own score sheet in each experience carries the name.
  for (TSurvObject* object : subject->Experiences().Raw()) {
    auto* experience = static_cast<TExperience*>(object);
    for (TSurvObject* item : experience->ScoreSheets().Raw()) {
      auto* sheet = static_cast<TScoreSheet*>(item);
      if (sheet->RaterName != old_name) continue;
      RenameSheet(*sheet, *name);
      sheet->Touch();
      sheet->Save();
      break;
    }
  }
  if (*name != old_name && ui_.Ask(RenameQuestion(old_name))) {
    TDepartment* department = subject->Department;
    TCompany* company = department != nullptr ? department->Company : nullptr;
    if (company != nullptr) {
      if (TRater* rater = company->FindRater(old_name)) company->Raters().Remove(rater);
      company->EnsureRater(*name);
    }
  }
  Changed(SubjectLB, subject);
}

void TControlCenter::EditExperience() {
  const int at = L(ExperienceLB).Selection().empty() ? -1 : L(ExperienceLB).Selection().front();
  auto* experience = static_cast<TExperience*>(L(ExperienceLB).FirstSelectedObject());
  if (experience == nullptr) return;
  // The dialog starts on the date the entry shows.
  std::string shown = at >= 0 ? L(ExperienceLB).Entries()[static_cast<std::size_t>(at)].Text : "";
  std::optional<double> start;
  if (shown.size() == 10 && shown[4] == '-' && shown[7] == '-')
    start = TDateEntryDialog::ParseDate(shown.substr(5, 2) + "/" + shown.substr(8, 2) + "/" +
                                        shown.substr(0, 4));
  TDateEntryDialog dialog("Edit Experience...", "\nEnter the experience date:", "&Ok");
  dialog.SetDate(start ? *start : Today());
  const auto date = dialog.Execute(ui_);
  if (!date) return;
  experience->ExperienceDate = *date;
  experience->Touch();
  experience->Save();
  Changed(ExperienceLB, experience);
}

void TControlCenter::EditRater() {
  auto* sheet = static_cast<TScoreSheet*>(L(RaterLB).FirstSelectedObject());
  if (sheet == nullptr) return;
  if (sheet->RaterCategory == 0) {
    ui_.Inform(
        "Raters with the \"self\" category cannot be edited directly.\nPlease edit Subject name to "
        "change this rater's name");
    return;
  }
  TExperience* experience = sheet->Experience;
  TDepartment* department = experience != nullptr ? experience->Department : nullptr;
  TCompany* company = department != nullptr ? department->Company : nullptr;
  if (company == nullptr) return;
  TNewEditRaterForm form(*sheet, *company, settings_, ui_);
  if (!form.Execute()) return;
  RenameSheet(*sheet, std::string(Trim(form.RaterName)));
  sheet->RaterCategory = static_cast<std::int16_t>(form.SelectedCategoryNumber());
  sheet->Touch();
  sheet->Save();
  Changed(RaterLB, sheet);
}

void TControlCenter::Show() { ShowItem(); }

void TControlCenter::ShowItem() {
  TSurvObject* object = L(active_).FirstSelectedObject();
  if (object == nullptr) return;
  switch (active_) {
    case CompanyLB: {
      TNewEditCategoryForm form(*static_cast<TCompany*>(object), settings_, ui_);
      if (form.Execute()) Changed(CompanyLB, object);
      break;
    }
    case DepartmentSurveyLB:
      ShowDetailPage(*static_cast<TSurvey*>(object));
      break;
    case SurveyLB: {
      TNewEditSurveyForm form(TEditMode::View, static_cast<TSurvey*>(object));
      ui_.ShowSurveyForm(form);
      break;
    }
    case SkillAreaLB:
    case QuestSkillAreaLB: {
      TNewEditSkillAreaForm form(TEditMode::View, settings_, static_cast<TSkillArea*>(object));
      ui_.ShowSkillAreaForm(form);
      break;
    }
    case SurveyQuestionLB:
    case QuestionLB: {
      auto* question = static_cast<TQuestion*>(object);
      TNewEditQuestionForm form(TEditMode::View, question->SkillArea, question->QuestionText);
      ui_.ShowQuestionForm(form);
      break;
    }
    case SuggestionLB: {
      TNewEditSuggestionForm form(TEditMode::View,
                                  static_cast<TSuggestion*>(object)->SuggestionText);
      ui_.ShowSuggestionForm(form);
      break;
    }
    case RaterLB:
      if (ui_.EnterScores(*static_cast<TScoreSheet*>(object))) Changed(RaterLB, object);
      break;
    default:
      break;
  }
}

}  // namespace zelvora
