// TControlCenter: the Create action of each list, and adding copies of
// library surveys to a department.
#include <memory>
#include <string>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/DateDlg.h"
#include "UI/model/EDITQUES.h"
#include "UI/model/EDITRATR.h"
#include "UI/model/EDITSKIL.h"
#include "UI/model/EDITSUGG.h"
#include "UI/model/EDITSURV.h"
#include "UI/model/NameForm.h"
#include "UI/model/Selsurv.h"
#include "UI/model/UserInterface.h"
#include "base/DateTime.h"
#include "base/Text.h"

namespace zelvora {

void TControlCenter::Create() {
  switch (active_) {
    case CompanyLB:
      CreateCompany();
      break;
    case DepartmentLB:
      CreateDepartment();
      break;
    case DepartmentSurveyLB:
      AddDepartmentSurveys();
      break;
    case SurveyLB:
      CreateSurvey();
      break;
    case SkillAreaLB:
    case QuestSkillAreaLB:
      CreateSkillArea(active_);
      break;
    case SurveyQuestionLB:
    case QuestionLB:
      CreateQuestion(active_);
      break;
    case SuggestionLB:
      CreateSuggestion();
      break;
    case SubjectLB:
      CreateSubject();
      break;
    case ExperienceLB:
      CreateExperience();
      break;
    case RaterLB:
      CreateRaters();
      break;
    default:
      break;
  }
}

void TControlCenter::CreateCompany() {
  TNameForm form("New Company...", "Company Name:", TEditMode::New);
  const auto name = form.Execute(ui_);
  if (!name) return;
  auto company = std::make_unique<TCompany>();
  company->Name = *name;
  TCompany* added = root_->Companies().Adopt(std::move(company));
  Changed(CompanyLB, added);
}

void TControlCenter::CreateDepartment() {
  auto* company = static_cast<TCompany*>(L(CompanyLB).FirstSelectedObject());
  if (company == nullptr) return;
  TNameForm form("New Department...", "Department Name:", TEditMode::New);
  const auto name = form.Execute(ui_);
  if (!name) return;
  auto department = std::make_unique<TDepartment>();
  department->Name = *name;
  TDepartment* added = company->Departments().Adopt(std::move(department));
  Changed(DepartmentLB, added);
}

void TControlCenter::AddDepartmentSurveys() {
  const auto departments = L(DepartmentLB).SelectedObjects();
  if (departments.size() != 1) return;
  auto* department = static_cast<TDepartment*>(departments.front());
  TSurvey* user = UserSkillAreasSurvey();
  std::vector<TSurvey*> offered;
  for (TSurvObject* object : root_->LibrarySurveys().Raw()) {
    auto* survey = static_cast<TSurvey*>(object);
    if (survey != user && survey->Name != kStandardSkillAreasName) offered.push_back(survey);
  }
  if (offered.empty()) {
    ui_.Inform("No surveys exist!\nSurveys must be created before they can be added.");
    return;
  }
  TSelSurvForm selection(ui_);
  TSurvey* last = nullptr;
  for (TSurvey* survey : selection.SelectSurveys(offered)) {
    const int count = survey->Questions().Size();
    if (count > kMaxQuestionsPerSurvey) {
      ui_.Inform("The \"" + survey->Name + "\" survey" + "\n" + "has " + std::to_string(count) +
                 " questions.  The maximum amount" + "\n" +
                 "of questions you are allowed to have is " +
                 std::to_string(kMaxQuestionsPerSurvey) + "." + "\n" +
                 "To add this survey you will need to" + "\n" + "delete " +
                 std::to_string(count - kMaxQuestionsPerSurvey) + " question(s).");
      continue;
    }
    std::string name = survey->Name;
    bool skipped = false;
    auto taken = [&](const std::string& candidate) {
      for (TSurvObject* object : department->Surveys().Raw())
        if (SameText(static_cast<TSurvey*>(object)->Name, candidate)) return true;
      return false;
    };
    while (taken(name)) {
      TNameForm form("Duplicate Name Error", "Please enter a unique Survey Name:", TEditMode::Edit,
                     name);
      const auto entered = form.Execute(ui_);
      if (!entered) {
        skipped = true;
        break;
      }
      name = *entered;
    }
    if (skipped) continue;
    auto copy = survey->Clone(department, true);
    copy->Name = name;
    last = department->Surveys().Adopt(std::move(copy));
    // Each copy shows at once, also when a later one fails.
    Changed(DepartmentSurveyLB, last);
  }
}

void TControlCenter::CreateSurvey() {
  TNewEditSurveyForm form(TEditMode::New);
  if (!form.Execute(ui_)) return;
  auto survey = std::make_unique<TSurvey>();
  form.StoreInto(*survey);
  survey->AnsPerQ = 2;
  TSurvey* added = department_survey_mode_ && mode_department_ != nullptr
                       ? mode_department_->Surveys().Adopt(std::move(survey))
                       : root_->LibrarySurveys().Adopt(std::move(survey));
  Changed(SurveyLB, added);
}

void TControlCenter::CreateSkillArea(int list) {
  TSurvey* survey = list == SkillAreaLB ? SelectedSurvey() : QuestionLibrarySurvey();
  if (survey == nullptr) return;
  TNewEditSkillAreaForm form(TEditMode::New, settings_);
  if (!form.Execute(ui_)) return;
  auto area = std::make_unique<TSkillArea>();
  area->Name = std::string(Trim(form.SkillAreaName));
  for (int i = 0; i < 4; ++i) area->SetPrefix(i + 1, form.Prefixes[static_cast<std::size_t>(i)]);
  TSkillArea* added = survey->SkillAreas().Adopt(std::move(area));
  Changed(list, added);
}

void TControlCenter::CreateQuestion(int list) {
  const auto areas = L(list == SurveyQuestionLB ? SkillAreaLB : QuestSkillAreaLB).SelectedObjects();
  if (areas.size() != 1) return;
  auto* area = static_cast<TSkillArea*>(areas.front());
  TNewEditQuestionForm form(TEditMode::New, area);
  const auto text = form.Execute(ui_);
  if (!text) return;
  auto question = std::make_unique<TQuestion>();
  question->QuestionText = *text;
  TQuestion* added = area->Questions().Adopt(std::move(question));
  Changed(list, added);
}

void TControlCenter::CreateSuggestion() {
  const auto questions = L(QuestionLB).SelectedObjects();
  if (questions.size() != 1) return;
  auto* question = static_cast<TQuestion*>(questions.front());
  TNewEditSuggestionForm form(TEditMode::New);
  const auto text = form.Execute(ui_);
  if (!text) return;
  auto suggestion = std::make_unique<TSuggestion>();
  suggestion->SuggestionText = *text;
  TSuggestion* added = question->Suggestions().Adopt(std::move(suggestion));
  Changed(SuggestionLB, added);
}

void TControlCenter::CreateSubject() {
  if (shown_survey_ == nullptr) return;
  TNameForm form("New Subject...", "Subject Name:", TEditMode::New);
  const auto name = form.Execute(ui_);
  if (!name) return;
  auto subject = std::make_unique<TSubject>();
  subject->Name = *name;
  TSubject* added = shown_survey_->Subjects().Adopt(std::move(subject));
  Changed(SubjectLB, added);
}

void TControlCenter::CreateExperience() {
  const auto subjects = L(SubjectLB).SelectedObjects();
  if (shown_survey_ == nullptr || subjects.size() != 1) return;
  auto* subject = static_cast<TSubject*>(subjects.front());
  TDateEntryDialog dialog("Add Experience...", "\nEnter the experience date:", "&Add");
  dialog.SetDate(Now());
  const auto date = dialog.Execute(ui_);
  if (!date) return;
  auto experience = std::make_unique<TExperience>();
  experience->SubjectID = subject->ID;
  experience->SurveyID = shown_survey_->ID;
  experience->ExperienceDate = *date;
  TExperience* added = subject->Experiences().Adopt(std::move(experience));
  // Every experience starts with the subject's own score sheet; the subject
  // is a rater of the company like any other.
  auto self = std::make_unique<TScoreSheet>();
  self->RaterName = subject->Name;
  self->RaterCategory = 0;
  added->ScoreSheets().Adopt(std::move(self));
  TDepartment* department = shown_survey_->Department;
  if (department != nullptr && department->Company != nullptr)
    department->Company->EnsureRater(subject->Name);
  Changed(ExperienceLB, added);
}

void TControlCenter::CreateRaters() {
  const auto experiences = L(ExperienceLB).SelectedObjects();
  if (shown_survey_ == nullptr || experiences.size() != 1) return;
  TDepartment* department = shown_survey_->Department;
  if (department == nullptr || department->Company == nullptr) return;
  TNewEditRaterForm form(*static_cast<TExperience*>(experiences.front()), *department->Company,
                         settings_, ui_);
  form.Execute();
  Changed(RaterLB, form.AddedSheets().empty() ? nullptr : form.AddedSheets().back());
}

}  // namespace zelvora
