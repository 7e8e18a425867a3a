#include "DB/Subject.h"

#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/Survey.h"

namespace zelvora {

TSubject::~TSubject() {
  DestroyList(surveys_);
  DestroyList(experiences_);
}

TExperienceList& TSubject::Experiences() {
  if (experiences_) return *experiences_;
  experiences_ = std::make_unique<TExperienceList>();
  experiences_->AddObserver(this);
  if (Department != nullptr) {
    for (TSurvObject* item : std::vector<TSurvObject*>(Department->Experiences().Raw())) {
      auto* experience = static_cast<TExperience*>(item);
      if (experience->SubjectID == ID) experiences_->Add(experience);
    }
  }
  return *experiences_;
}

TSurveyList& TSubject::Surveys() {
  if (surveys_) return *surveys_;
  auto& experiences = Experiences();
  surveys_ = std::make_unique<TSurveyList>();
  surveys_->AddObserver(this);
  if (Department != nullptr) {
    auto& surveys = Department->Surveys();
    for (TSurvObject* item : std::vector<TSurvObject*>(experiences.Raw())) {
      TSurvey* survey = surveys.FindByID(static_cast<TExperience*>(item)->SurveyID);
      if (survey != nullptr && !surveys_->Contains(survey)) surveys_->Add(survey);
    }
  }
  return *surveys_;
}

void TSubject::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list == experiences_.get()) {
    auto* experience = static_cast<TExperience*>(item);
    if (code == ncAdd) {
      experience->SetSubject(this);
      if (Department == nullptr) return;
      auto& department_experiences = Department->Experiences();
      if (department_experiences.Contains(experience)) return;
      department_experiences.Add(experience);
      TSurvey* survey = Department->Surveys().FindByID(experience->SurveyID);
      if (survey != nullptr) {
        auto& survey_experiences = survey->Experiences();
        if (!survey_experiences.Contains(experience)) survey_experiences.Add(experience);
        // Keep the other derived lists in step with the new experience.
        if (surveys_ && !surveys_->Contains(survey)) surveys_->Add(survey);
        if (survey->SubjectsIfAny() && !survey->SubjectsIfAny()->Contains(this)) {
          survey->SubjectsIfAny()->Add(this);
        }
      }
    } else if (code == ncDelete && Department != nullptr) {
      TBusyGuard busy(*this);
      auto& department_experiences = Department->Experiences();
      if (department_experiences.Contains(experience)) department_experiences.Remove(experience);
    }
    return;
  }
  if (&list == surveys_.get()) {
    auto* survey = static_cast<TSurvey*>(item);
    if (Department == nullptr) return;
    if (code == ncAdd) {
      auto& department_surveys = Department->Surveys();
      if (!department_surveys.Contains(survey)) {
        department_surveys.Add(survey);
        auto& takers = survey->Subjects();
        if (!takers.Contains(this)) takers.Add(this);
      }
    } else if (code == ncDelete) {
      // Deleting the survey deletes every subject who took it, this one
      // too; the department keeps this object alive until the list that is
      // notifying us has finished.
      TBusyGuard busy(*this);
      auto& department_surveys = Department->Surveys();
      if (department_surveys.Contains(survey)) department_surveys.Remove(survey);
    }
  }
}

bool TSubject::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(Experiences());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

void TSubject::Save() { SurveyDB().Update(*this); }

bool TSubject::InsertRecord() { return SurveyDB().Insert(*this); }

void TSubject::StoreTree() { InsertRecord(); }

}  // namespace zelvora
