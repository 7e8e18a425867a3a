// TControlCenter: what each list shows and how a fill reaches the lists to
// its right.
#include <algorithm>
#include <string>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "base/Text.h"

namespace zelvora {
namespace {

template <class T>
std::vector<T*> Typed(const std::vector<TSurvObject*>& objects) {
  std::vector<T*> typed;
  for (TSurvObject* object : objects) typed.push_back(static_cast<T*>(object));
  return typed;
}

// Appends the objects of a list, sorted by text from `first` on.
void AppendSorted(TCCList& list, TSurvList& objects) {
  const int first = list.Count();
  for (TSurvObject* object : objects.Raw()) list.Append({object->DisplayText(), object, false});
  list.SortFrom(first);
}

// Appends the objects of an ordered list in their Order.
void AppendOrdered(TCCList& list, TSurvList& objects) {
  objects.SortByOrder();
  for (TSurvObject* object : objects.Raw()) list.Append({object->DisplayText(), object, false});
}

std::string RaterEntryText(TScoreSheet& sheet) {
  return sheet.RaterName + " (" + std::to_string(sheet.ID.Serial) + ", " + sheet.CategoryName() +
         ")";
}

}  // namespace

int TControlCenter::GroupEnd(int list) {
  if (list <= DepartmentSurveyLB) return DepartmentSurveyLB;
  if (list <= SurveyQuestionLB) return SurveyQuestionLB;
  if (list <= SuggestionLB) return SuggestionLB;
  return RaterLB;
}

TSurvey* TControlCenter::UserSkillAreasSurvey() {
  for (TSurvObject* object : root_->LibrarySurveys().Raw()) {
    auto* survey = static_cast<TSurvey*>(object);
    if (survey->ID == kUserSkillAreasID) return survey;
  }
  for (TSurvObject* object : root_->LibrarySurveys().Raw()) {
    auto* survey = static_cast<TSurvey*>(object);
    if (survey->Name == kUserSkillAreasName) return survey;
  }
  return nullptr;
}

bool TControlCenter::IsLibraryEntry(int index) const {
  return index >= 1 && index <= library_entries_;
}

TSurvey* TControlCenter::QuestionLibrarySurvey() {
  if (!user_skill_area_mode_) {
    if (TSurvey* survey = SelectedSurvey()) return survey;
  }
  return UserSkillAreasSurvey();
}

void TControlCenter::FillOnly(int index) {
  TCCList& list = L(index);
  list.Clear();
  switch (index) {
    case CompanyLB:
      list.AddEntry("Add New Company...");
      AppendSorted(list, root_->Companies());
      break;
    case DepartmentLB: {
      const auto companies = Typed<TCompany>(L(CompanyLB).SelectedObjects());
      if (companies.empty() && active_ != DepartmentLB) break;
      list.AddEntry("Add New Department...");
      for (TCompany* company : companies)
        for (TSurvObject* object : company->Departments().Raw())
          list.Append({object->DisplayText(), object, false});
      list.SortFrom(1);
      break;
    }
    case DepartmentSurveyLB: {
      const auto departments = Typed<TDepartment>(L(DepartmentLB).SelectedObjects());
      if (departments.empty() && active_ != DepartmentSurveyLB) break;
      list.AddEntry("Add Department Survey...");
      for (TDepartment* department : departments)
        for (TSurvObject* object : department->Surveys().Raw())
          list.Append({object->DisplayText(), object, false});
      list.SortFrom(1);
      break;
    }
    case SurveyLB: {
      list.AddEntry("Add New Survey...");
      // The two question libraries come first, in name order.
      std::vector<TSurvey*> others;
      TSurvey* standard = nullptr;
      TSurvey* user = UserSkillAreasSurvey();
      for (TSurvObject* object : root_->LibrarySurveys().Raw()) {
        auto* survey = static_cast<TSurvey*>(object);
        if (survey == user) continue;
        if (standard == nullptr && survey->Name == kStandardSkillAreasName)
          standard = survey;
        else
          others.push_back(survey);
      }
      library_entries_ = 0;
      for (TSurvey* survey : {standard, user}) {
        if (survey == nullptr) continue;
        list.Append({survey->Name, survey, false});
        ++library_entries_;
      }
      const int first = list.Count();
      if (department_survey_mode_ && mode_department_ != nullptr) {
        for (TSurvObject* object : mode_department_->Surveys().Raw())
          list.Append({object->DisplayText(), object, false});
      } else {
        for (TSurvey* survey : others) list.Append({survey->Name, survey, false});
      }
      list.SortFrom(first);
      break;
    }
    case SkillAreaLB: {
      const auto surveys = Typed<TSurvey>(L(SurveyLB).SelectedObjects());
      if (surveys.empty()) break;
      if (surveys.size() == 1) {
        TSurvey* survey = surveys.front();
        const bool library_user = active_ == SurveyLB && survey == UserSkillAreasSurvey();
        if (unrestricted_ || IsEditable(survey) || library_user)
          list.AddEntry("Add New Skill Area...");
      }
      for (TSurvey* survey : surveys) AppendOrdered(list, survey->SkillAreas());
      break;
    }
    case SurveyQuestionLB: {
      const auto areas = Typed<TSkillArea>(L(SkillAreaLB).SelectedObjects());
      if (areas.empty()) break;
      if (areas.size() == 1 && (unrestricted_ || !IsBuiltIn(areas.front()->Survey)))
        list.AddEntry("Add New Question...");
      for (TSkillArea* area : areas) AppendOrdered(list, area->Questions());
      break;
    }
    case QuestSkillAreaLB: {
      list.AddEntry("Add New Skill Area...");
      if (TSurvey* survey = QuestionLibrarySurvey()) AppendOrdered(list, survey->SkillAreas());
      break;
    }
    case QuestionLB: {
      const auto areas = L(QuestSkillAreaLB).SelectedObjects();
      if (areas.size() != 1) break;
      list.AddEntry("Add New Question...");
      AppendOrdered(list, static_cast<TSkillArea*>(areas.front())->Questions());
      break;
    }
    case SuggestionLB: {
      const auto questions = L(QuestionLB).SelectedObjects();
      if (questions.size() != 1) break;
      list.AddEntry("Add New Suggestion...");
      AppendOrdered(list, static_cast<TQuestion*>(questions.front())->Suggestions());
      break;
    }
    case SubjectLB:
      if (page_ != TCCPage::Detail || shown_survey_ == nullptr) break;
      list.AddEntry("Add New Subject...");
      AppendSorted(list, shown_survey_->Subjects());
      break;
    case ExperienceLB: {
      const auto subjects = L(SubjectLB).SelectedObjects();
      if (subjects.size() != 1) break;
      list.AddEntry("Add New Experience...");
      std::vector<TExperience*> experiences =
          Typed<TExperience>(static_cast<TSubject*>(subjects.front())->Experiences().Raw());
      std::stable_sort(experiences.begin(), experiences.end(),
                       [](const TExperience* a, const TExperience* b) {
                         return a->ExperienceDate < b->ExperienceDate;
                       });
      for (TExperience* experience : experiences)
        list.Append({experience->DisplayText(), experience, false});
      break;
    }
    case RaterLB: {
      const auto experiences = L(ExperienceLB).SelectedObjects();
      if (experiences.size() != 1) break;
      list.AddEntry("Add New Rater...");
      for (TSurvObject* object :
           static_cast<TExperience*>(experiences.front())->ScoreSheets().Raw()) {
        auto* sheet = static_cast<TScoreSheet*>(object);
        list.Append({RaterEntryText(*sheet), sheet, sheet->Completed});
      }
      list.SortFrom(1);
      break;
    }
    default:
      break;
  }
}

void TControlCenter::FillAndCascade(int index, int select) {
  FillOnly(index);
  L(index).SelectOne(select);
  for (int next = index + 1; next <= GroupEnd(index); ++next) FillOnly(next);
}

void TControlCenter::Refresh(int index, const TSurvObject* select) {
  std::vector<std::vector<TSurvObject*>> kept;
  for (int list = index; list <= GroupEnd(index); ++list) kept.push_back(L(list).SelectedObjects());
  for (int list = index; list <= GroupEnd(index); ++list) {
    FillOnly(list);
    std::vector<int> selection;
    if (list == index && select != nullptr) {
      selection.push_back(L(list).IndexOf(select));
    } else {
      for (TSurvObject* object : kept[static_cast<std::size_t>(list - index)]) {
        const int at = L(list).IndexOf(object);
        if (at >= 0) selection.push_back(at);
      }
    }
    L(list).Select(selection);
  }
}

void TControlCenter::FillCompanyLB(int select) {
  FillAndCascade(CompanyLB, select);
  RecomputeButtons();
}
void TControlCenter::FillDepartmentLB(int select) {
  FillAndCascade(DepartmentLB, select);
  RecomputeButtons();
}
void TControlCenter::FillDepartmentSurveyLB(int select) {
  FillAndCascade(DepartmentSurveyLB, select);
  RecomputeButtons();
}
void TControlCenter::FillSurveyLB(int select) {
  FillAndCascade(SurveyLB, select);
  RecomputeButtons();
}
void TControlCenter::FillSkillAreaLB(int select) {
  FillAndCascade(SkillAreaLB, select);
  RecomputeButtons();
}
void TControlCenter::FillSurveyQuestionLB(int select) {
  FillAndCascade(SurveyQuestionLB, select);
  RecomputeButtons();
}
void TControlCenter::FillQuestSkillAreaLB(int select) {
  FillAndCascade(QuestSkillAreaLB, select);
  RecomputeButtons();
}
void TControlCenter::FillQuestionLB(int select) {
  FillAndCascade(QuestionLB, select);
  RecomputeButtons();
}
void TControlCenter::FillSuggestionLB(int select) {
  FillAndCascade(SuggestionLB, select);
  RecomputeButtons();
}
void TControlCenter::FillSubjectLB(int select) {
  FillAndCascade(SubjectLB, select);
  RecomputeButtons();
}
void TControlCenter::FillExperienceLB(int select) {
  FillAndCascade(ExperienceLB, select);
  RecomputeButtons();
}
void TControlCenter::FillRaterLB(int select) {
  FillAndCascade(RaterLB, select);
  RecomputeButtons();
}

}  // namespace zelvora
