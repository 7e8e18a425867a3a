// TControlCenter: deleting the selection of a list, with the minimums of
// department surveys and the rules for completed and self score sheets.
#include <string>

#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
namespace {

// The confirmation for one item and for several.
struct TDeleteQuestion {
  const char* Singular;
  const char* Plural;
};

TDeleteQuestion DeleteQuestionFor(int list) {
  switch (list) {
    case CompanyLB:
      return {"Are you sure you want to delete this company\nwith its departments and surveys?",
              "Are you sure you want to delete this company\nwith its departments and surveys?"};
    case DepartmentLB:
      return {"Are you sure you want to delete this department\nwith all of its surveys?",
              "Are you sure you want to delete these departments\nwith all of their surveys?"};
    case DepartmentSurveyLB:
      return {
          "Are you sure you want to delete this survey\nwith all of its skill areas, subjects and "
          "raters?",
          "Are you sure you want to delete this survey\nwith all of its skill areas, subjects and "
          "raters?"};
    case SurveyLB:
      return {"Are you sure you want to delete this survey\nwith all of its skill areas?",
              "Are you sure you want to delete these surveys\nwith all of their skill areas?"};
    case SkillAreaLB:
    case QuestSkillAreaLB:
      return {"Are you sure you want to delete this skill area\nwith all of its questions?",
              "Are you sure you want to delete these skill areas\nwith all of their questions?"};
    case SurveyQuestionLB:
    case QuestionLB:
      return {"Are you sure you want to delete this question\nwith all of its suggestions?",
              "Are you sure you want to delete these questions\nwith all of their suggestions?"};
    case SuggestionLB:
      return {"Are you sure you want to delete this suggestion?",
              "Are you sure you want to delete this suggestion?"};
    case SubjectLB:
      return {
          "Are you sure you want to delete this subject\nwith all of its experiences and raters?",
          "Are you sure you want to delete these subjects\nwith all of their experiences and "
          "raters?"};
    case ExperienceLB:
      return {"Are you sure you want to delete this experience\nwith all of its raters?",
              "Are you sure you want to delete these experiences\nwith all of their raters?"};
    case RaterLB:
    default:
      return {"Are you sure you want to delete this rater?",
              "Are you sure you want to delete these raters?"};
  }
}

}  // namespace

bool TControlCenter::ConfirmDeletion(int list, int count) {
  const TDeleteQuestion question = DeleteQuestionFor(list);
  return ui_.Ask(count == 1 ? question.Singular : question.Plural, true);
}

void TControlCenter::DeleteSelection() {
  const int list = active_;
  const auto objects = L(list).SelectedObjects();
  if (objects.empty()) return;
  int position = -1;
  for (int index : L(list).Selection())
    if (L(list).ObjectAt(index) != nullptr) {
      position = index;
      break;
    }
  if (!ConfirmDeletion(list, static_cast<int>(objects.size()))) return;
  int reselect = -1;
  switch (list) {
    case SurveyLB:
      reselect = DeleteSurveys();
      break;
    case SkillAreaLB:
    case QuestSkillAreaLB:
      reselect = DeleteSkillAreas(list);
      break;
    case SurveyQuestionLB:
    case QuestionLB:
      reselect = DeleteQuestions(list);
      break;
    case ExperienceLB:
      reselect = DeleteExperiences();
      break;
    case RaterLB:
      reselect = DeleteRaters();
      break;
    default:
      reselect = DeleteObjects(list);
      break;
  }
  if (list >= SubjectLB) ResetCompletedMarks();
  if (reselect < 0) {
    RefreshAll();
    return;
  }
  if (reselect != list)
    position = L(reselect).Selection().empty() ? 0 : L(reselect).Selection().front();
  ReselectAfterDeletion(reselect, position);
}

int TControlCenter::DeleteObjects(int list) {
  for (TSurvObject* object : L(list).SelectedObjects()) {
    switch (list) {
      case CompanyLB:
        root_->Companies().Remove(object);
        break;
      case DepartmentLB: {
        auto* department = static_cast<TDepartment*>(object);
        department->Company->Departments().Remove(department);
        break;
      }
      case DepartmentSurveyLB: {
        auto* survey = static_cast<TSurvey*>(object);
        survey->Department->Surveys().Remove(survey);
        break;
      }
      case SuggestionLB: {
        auto* suggestion = static_cast<TSuggestion*>(object);
        suggestion->Question->Suggestions().Remove(suggestion);
        break;
      }
      case SubjectLB: {
        auto* subject = static_cast<TSubject*>(object);
        subject->Department->Subjects().Remove(subject);
        break;
      }
      default:
        break;
    }
  }
  return list;
}

int TControlCenter::DeleteSurveys() {
  for (int index : L(SurveyLB).Selection())
    if (IsLibraryEntry(index)) {
      ui_.Inform("Only Valid Surveys may be deleted.");
      return -1;
    }
  for (TSurvObject* object : L(SurveyLB).SelectedObjects()) {
    auto* survey = static_cast<TSurvey*>(object);
    if (IsDepartmentSurvey(survey))
      survey->Department->Surveys().Remove(survey);
    else
      root_->LibrarySurveys().Remove(survey);
  }
  return SurveyLB;
}

int TControlCenter::DeleteSkillAreas(int list) {
  const auto objects = L(list).SelectedObjects();
  const bool minimums = list == SkillAreaLB && department_survey_mode_;
  // From the bottom of the list, so that a refusal keeps the upper areas.
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    auto* area = static_cast<TSkillArea*>(*it);
    TSurvey* survey = area->Survey;
    if (minimums && IsDepartmentSurvey(survey) &&
        survey->Questions().Size() - area->Questions().Size() < 10) {
      ui_.Inform(
          "Error deleting skill area(s).\n\nDepartment Surveys require a minimum of 10 questions.");
      break;
    }
    survey->SkillAreas().Remove(area);
  }
  return list;
}

int TControlCenter::DeleteQuestions(int list) {
  const auto objects = L(list).SelectedObjects();
  const bool minimums = list == SurveyQuestionLB && department_survey_mode_;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    auto* question = static_cast<TQuestion*>(*it);
    TSkillArea* area = question->SkillArea;
    TSurvey* survey = area->Survey;
    if (minimums && IsDepartmentSurvey(survey) &&
        (survey->Questions().Size() - 1 < 10 || area->Questions().Size() - 1 < 5)) {
      ui_.Inform(
          "Error deleting question(s).\n\nDepartment Surveys require a minimum of 10 "
          "questions\nand each skill area requires a minimum of five.");
      break;
    }
    area->Questions().Remove(question);
  }
  return list;
}

int TControlCenter::DeleteExperiences() {
  const auto objects = L(ExperienceLB).SelectedObjects();
  auto* subject = static_cast<TSubject*>(L(SubjectLB).FirstSelectedObject());
  if (subject != nullptr &&
      static_cast<int>(objects.size()) == L(ExperienceLB).Count() - L(ExperienceLB).FirstReal()) {
    subject->Department->Subjects().Remove(subject);
    return SubjectLB;
  }
  for (TSurvObject* object : objects) {
    auto* experience = static_cast<TExperience*>(object);
    experience->Department->Experiences().Remove(experience);
  }
  return ExperienceLB;
}

int TControlCenter::DeleteRaters() {
  const auto objects = L(RaterLB).SelectedObjects();
  auto* experience = static_cast<TExperience*>(L(ExperienceLB).FirstSelectedObject());
  if (experience == nullptr) return -1;
  if (static_cast<int>(objects.size()) == experience->ScoreSheets().Size()) {
    experience->Department->Experiences().Remove(experience);
    return ExperienceLB;
  }
  int completed = 0;
  for (TSurvObject* object : objects)
    if (static_cast<TScoreSheet*>(object)->Completed) ++completed;
  if (completed > 3 - experience->ScoreSheetsDeleted) {
    ui_.ShowError("A maximum of 3 completed surveys may be deleted.");
    return -1;
  }
  bool self_kept = false;
  for (TSurvObject* object : objects) {
    auto* sheet = static_cast<TScoreSheet*>(object);
    if (UpperCase(sheet->CategoryName()) == "SELF") {
      self_kept = true;
      continue;
    }
    const bool was_completed = sheet->Completed;
    experience->ScoreSheets().Remove(sheet);
    if (was_completed) {
      ++experience->ScoreSheetsDeleted;
      experience->Touch();
      experience->Save();
    }
  }
  if (self_kept) {
    ui_.Inform("\"Self\" rater categories cannot be deleted while other\nraters still exist!");
  }
  return RaterLB;
}

void TControlCenter::ResetCompletedMarks() {
  if (shown_survey_ == nullptr || shown_survey_->Department == nullptr) return;
  // A subject's deletion reaches experiences of every survey of the
  // department, so every survey is looked at.
  for (TSurvObject* object : shown_survey_->Department->Surveys().Raw()) {
    auto* survey = static_cast<TSurvey*>(object);
    if (survey->HasCompletedSheets == 0) continue;
    bool completed = false;
    for (TSurvObject* item : survey->Experiences().Raw())
      for (TSurvObject* sheet : static_cast<TExperience*>(item)->ScoreSheets().Raw())
        if (static_cast<TScoreSheet*>(sheet)->Completed) completed = true;
    if (completed) continue;
    survey->HasCompletedSheets = 0;
    survey->Touch();
    survey->Save();
  }
}

void TControlCenter::ReselectAfterDeletion(int list, int position) {
  RefreshAll();
  TCCList& shown = L(list);
  if (shown.Empty()) return;
  if (position >= shown.Count()) position = shown.Count() - 1;
  if (position < 0) position = 0;
  shown.SelectOne(position);
  for (int next = list + 1; next <= GroupEnd(list); ++next) FillOnly(next);
  RecomputeButtons();
}

}  // namespace zelvora
