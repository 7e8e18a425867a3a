#include "UI/model/CONCEN.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "APP/SurveyDefaults.h"
#include "DB/Survobj.h"
#include "UI/model/EDITPREF.h"
#include "UI/model/Selsurv.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
namespace {

std::array<TCCList, kCCListCount> MakeLists() {
  return {
      TCCList(CompanyLB, "Companies", false),         TCCList(DepartmentLB, "Departments", true),
      TCCList(DepartmentSurveyLB, "Surveys", false),  TCCList(SurveyLB, "Surveys", true),
      TCCList(SkillAreaLB, "Skill Areas", true),      TCCList(SurveyQuestionLB, "Questions", true),
      TCCList(QuestSkillAreaLB, "Skill Areas", true), TCCList(QuestionLB, "Questions", true),
      TCCList(SuggestionLB, "Suggestions", true),     TCCList(SubjectLB, "Subjects", true),
      TCCList(ExperienceLB, "Experiences", true),     TCCList(RaterLB, "Raters", true)};
}

constexpr const char* kOrganizationsTitle = "CREATE/EDIT ORGANIZATION INFORMATION";
constexpr const char* kSurveysTitle = "CREATE/EDIT GLOBALLY AVAILABLE SURVEYS";
constexpr const char* kDepartmentSurveysTitle = "CREATE/EDIT DEPARTMENT SURVEYS";
constexpr const char* kUserSkillAreasTitle = "CREATE/EDIT USER SKILL AREAS";

}  // namespace

TControlCenter::TControlCenter(TUserInterface& ui, TSectionedConfigFile* settings,
                               const std::string& first_parameter)
    : ui_(ui),
      settings_(settings),
      root_(std::make_unique<TDataRoot>()),
      lists_(MakeLists()),
      unrestricted_(UpperCase(first_parameter) == kUnrestrictedWord),
      title_(kOrganizationsTitle) {
  root_->AddBuiltInSurveys();
  FillCompanyLB(-1);
  RecomputeButtons();
}

TControlCenter::~TControlCenter() {
  for (auto& list : lists_) list.Clear();
}

const TCCList& TControlCenter::List(int index) const {
  if (index < 0 || index >= kCCListCount)
    throw std::out_of_range("No Control Center list " + std::to_string(index));
  return L(index);
}

int* TControlCenter::ListWidthSetting(TSurveyDefaults& defaults, int index) const {
  switch (index) {
    case CompanyLB:
      return &defaults.OrgCoWidth;
    case DepartmentLB:
      return &defaults.OrgDeptWidth;
    case SurveyLB:
      return &defaults.SurvSurvWidth;
    case SkillAreaLB:
      return &defaults.SurvSkillWidth;
    case QuestSkillAreaLB:
      return unrestricted_ ? &defaults.QuestSkillWidth : nullptr;
    case QuestionLB:
      return unrestricted_ ? &defaults.QuestQuestWidth : nullptr;
    case SubjectLB:
      return &defaults.SubjectWidth;
    case ExperienceLB:
      return &defaults.ExperienceWidth;
    default:
      return nullptr;
  }
}

void TControlCenter::Reload() {
  // The entries point into the tree that is about to go.
  for (auto& list : lists_) list.Clear();
  shown_survey_ = nullptr;
  mode_department_ = nullptr;
  mode_survey_ = nullptr;
  department_survey_mode_ = false;
  page_ = TCCPage::Start;
  detail_header_ = {};
  root_->Reset();
  root_->AddBuiltInSurveys();
  active_ = CompanyLB;
  tab_ = TCCTab::Organizations;
  title_ = kOrganizationsTitle;
  caption_ = kCaption;
  FillCompanyLB(-1);
  RecomputeButtons();
}

void TControlCenter::Focus(int list) {
  if (list < 0 || list >= kCCListCount) return;
  active_ = list;
  if ((list == DepartmentLB || list == DepartmentSurveyLB) && L(list).Empty())
    FillAndCascade(list, -1);
  RecomputeButtons();
}

void TControlCenter::Click(int list, std::vector<int> selection) {
  if (list < 0 || list >= kCCListCount) return;
  active_ = list;
  if (list == SurveyLB && selection.size() > 1)
    selection.erase(std::remove(selection.begin(), selection.end(), 0), selection.end());
  L(list).Select(std::move(selection));
  for (int next = list + 1; next <= GroupEnd(list); ++next) FillOnly(next);
  RecomputeButtons();
}

void TControlCenter::ChangeTab(TCCTab tab) {
  if (tab == TCCTab::Questions) user_skill_area_mode_ = true;
  SwitchTab(tab);
}

void TControlCenter::SwitchTab(TCCTab tab) {
  if (page_ != TCCPage::Start) return;
  if (tab == TCCTab::Questions && !unrestricted_) return;
  tab_ = tab;
  switch (tab) {
    case TCCTab::Organizations: {
      title_ = kOrganizationsTitle;
      caption_ = kCaption;
      if (department_survey_mode_) {
        department_survey_mode_ = false;
        mode_department_ = nullptr;
        FillSurveyLB(L(SurveyLB).IndexOf(UserSkillAreasSurvey()));
      }
      active_ = CompanyLB;
      for (int list : {DepartmentSurveyLB, DepartmentLB})
        if (L(list).SelectedCount() > 0) {
          active_ = list;
          break;
        }
      break;
    }
    case TCCTab::Surveys: {
      TSurvey* preselect = UserSkillAreasSurvey();
      if (department_survey_mode_ && mode_department_ != nullptr) {
        title_ = kDepartmentSurveysTitle;
        caption_ = std::string(kCaption) + " - " + UpperCase(mode_department_->Name) + ", " +
                   UpperCase(mode_department_->Company != nullptr ? mode_department_->Company->Name
                                                                  : std::string());
        if (mode_survey_ != nullptr) preselect = mode_survey_;
        mode_survey_ = nullptr;
      } else {
        title_ = kSurveysTitle;
        caption_ = kCaption;
      }
      FillOnly(SurveyLB);
      FillAndCascade(SurveyLB, L(SurveyLB).IndexOf(preselect));
      active_ = SurveyLB;
      break;
    }
    case TCCTab::Questions: {
      TSurvey* survey = QuestionLibrarySurvey();
      title_ = user_skill_area_mode_ || survey == nullptr
                   ? std::string(kUserSkillAreasTitle)
                   : "CREATE/EDIT \"" + UpperCase(survey->Name) + "\" SKILL AREAS";
      FillQuestSkillAreaLB(-1);
      active_ = QuestSkillAreaLB;
      break;
    }
  }
  RecomputeButtons();
}

void TControlCenter::EnterDepartmentSurveyMode() {
  auto* survey = static_cast<TSurvey*>(L(DepartmentSurveyLB).FirstSelectedObject());
  if (survey == nullptr || survey->Department == nullptr) return;
  department_survey_mode_ = true;
  mode_department_ = survey->Department;
  mode_survey_ = survey;
  SwitchTab(TCCTab::Surveys);
}

void TControlCenter::ShowDetailPage(TSurvey& survey) {
  const auto refusals = TSelSurvForm::CheckDepartmentSurvey(survey, false);
  if (!refusals.empty()) {
    ui_.Inform(refusals.front());
    return;
  }
  TDepartment* department = survey.Department;
  TCompany* company = department != nullptr ? department->Company : nullptr;
  detail_header_ = {"Company: " + (company != nullptr ? company->Name : std::string()),
                    "Department: " + (department != nullptr ? department->Name : std::string()),
                    "Survey: " + survey.Name};
  page_ = TCCPage::Detail;
  shown_survey_ = &survey;
  FillAndCascade(SubjectLB, -1);
  active_ = SubjectLB;
}

void TControlCenter::LeaveToStart() {
  for (int list = SubjectLB; list <= RaterLB; ++list) L(list).Clear();
  page_ = TCCPage::Start;
  shown_survey_ = nullptr;
  detail_header_ = {};
  SwitchTab(TCCTab::Organizations);
}

void TControlCenter::RefreshAll() {
  Refresh(CompanyLB);
  Refresh(SurveyLB);
  Refresh(QuestSkillAreaLB);
  if (page_ == TCCPage::Detail) Refresh(SubjectLB);
}

void TControlCenter::Changed(int list, const TSurvObject* select) {
  RefreshAll();
  Refresh(list, select);
  RecomputeButtons();
}

int TControlCenter::NextList(int list) {
  switch (list) {
    case CompanyLB:
    case DepartmentLB:
    case SurveyLB:
    case SkillAreaLB:
    case QuestSkillAreaLB:
    case QuestionLB:
    case SubjectLB:
    case ExperienceLB:
      return list + 1;
    default:
      return -1;
  }
}

void TControlCenter::Activate(int list, int index) {
  if (list < 0 || list >= kCCListCount || index < 0 || index >= L(list).Count()) return;
  if (!L(list).IsSelected(index)) Click(list, {index});
  active_ = list;
  RecomputeButtons();
  if (L(list).ObjectAt(index) == nullptr) {
    if (buttons_.Create) RunGuarded(&TControlCenter::Create);
  } else if (buttons_.Edit) {
    RunGuarded(&TControlCenter::Edit);
  }
}

void TControlCenter::KeyDelete() {
  if (!buttons_.Delete) {
    ui_.Inform("This item cannot be deleted!");
    return;
  }
  RunGuarded(&TControlCenter::DeleteSelection);
}

void TControlCenter::KeyInsert() {
  if (buttons_.Create) RunGuarded(&TControlCenter::Create);
}

void TControlCenter::KeyRight() {
  if (active_ == DepartmentSurveyLB) {
    if (buttons_.Show) RunGuarded(&TControlCenter::Show);
    return;
  }
  if (active_ == SurveyQuestionLB) {
    if (!unrestricted_) return;
    TSurvey* survey = SelectedSurvey();
    user_skill_area_mode_ = survey == nullptr || survey == UserSkillAreasSurvey();
    SwitchTab(TCCTab::Questions);
    return;
  }
  const int next = NextList(active_);
  if (next < 0) return;
  active_ = next;
  Refresh(next);
  RecomputeButtons();
}

void TControlCenter::KeyLeft() {
  switch (active_) {
    case CompanyLB:
      return;
    case SurveyLB:
      SwitchTab(TCCTab::Organizations);
      return;
    case QuestSkillAreaLB:
      tab_ = TCCTab::Surveys;
      title_ = department_survey_mode_ ? kDepartmentSurveysTitle : kSurveysTitle;
      active_ = SurveyQuestionLB;
      break;
    case SubjectLB:
      LeaveToStart();
      active_ = DepartmentSurveyLB;
      break;
    default:
      active_ = active_ - 1;
      break;
  }
  RecomputeButtons();
}

void TControlCenter::KeyPageDown() {
  if (page_ != TCCPage::Start) return;
  const int tabs = unrestricted_ ? 3 : 2;
  ChangeTab(static_cast<TCCTab>((static_cast<int>(tab_) + 1) % tabs));
}

void TControlCenter::KeyPageUp() {
  if (page_ != TCCPage::Start) return;
  const int tabs = unrestricted_ ? 3 : 2;
  ChangeTab(static_cast<TCCTab>((static_cast<int>(tab_) + tabs - 1) % tabs));
}

void TControlCenter::DoneClick() {
  if (!buttons_.Done) return;
  LeaveToStart();
}

void TControlCenter::EditClick() {
  if (buttons_.Edit) RunGuarded(&TControlCenter::Edit);
}

void TControlCenter::NameClick() { EditClick(); }

void TControlCenter::ShowClick() {
  if (buttons_.Show) RunGuarded(&TControlCenter::Show);
}

void TControlCenter::CreateClick() {
  if (buttons_.Create) RunGuarded(&TControlCenter::Create);
}

void TControlCenter::DeleteClick() {
  if (buttons_.Delete) RunGuarded(&TControlCenter::DeleteSelection);
}

void TControlCenter::QuestionPrefixesClick() {
  TEditPrefixesForm form(settings_);
  form.Execute(ui_);
}

void TControlCenter::WizardClick() { ui_.OpenReportWizard(TReportPreset{}); }

void TControlCenter::RunGuarded(void (TControlCenter::*action)()) {
  try {
    (this->*action)();
  } catch (const std::exception& failure) {
    // What was done before the failure stays; the lists show it.
    RefreshAll();
    ui_.ShowError(failure.what());
  }
  RecomputeButtons();
}

}  // namespace zelvora
