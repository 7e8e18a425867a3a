#include "DB/Department.h"

#include "DB/Company.h"
#include "DB/Experience.h"
#include "DB/Subject.h"
#include "DB/Survey.h"

namespace zelvora {

TDepartment::~TDepartment() {
  // Experiences first: the derived lists of subjects and surveys only
  // mirror them and are never read while they go.
  DestroyList(experiences_);
  DestroyList(surveys_);
  DestroyList(subjects_);
  parked_.clear();
}

void TDepartment::FreeParked() {
  std::erase_if(parked_,
                [](const std::unique_ptr<TSurvObject>& parked) { return !parked->IsBusy(); });
}

TSurveyList& TDepartment::Surveys() {
  return LazyList(surveys_, surveys_loaded_,
                  [this](TSurveyList& list) { SurveyDB().LoadSurveys(ID, list); });
}

TSubjectList& TDepartment::Subjects() {
  return LazyList(subjects_, subjects_loaded_,
                  [this](TSubjectList& list) { SurveyDB().LoadSubjects(ID, list); });
}

TExperienceList& TDepartment::Experiences() {
  return LazyList(experiences_, experiences_loaded_,
                  [this](TExperienceList& list) { SurveyDB().LoadExperiences(ID, list); });
}

void TDepartment::ForgetEverywhere(TSurvObject* leaving) {
  if (leaving->Kind() == okExperience && experiences_) {
    // The subject and survey of a leaving experience stop mirroring each
    // other when no other experience links them.
    auto* experience = static_cast<TExperience*>(leaving);
    bool still_linked = false;
    for (TSurvObject* item : experiences_->Raw()) {
      auto* other = static_cast<TExperience*>(item);
      if (other != experience && other->SubjectID == experience->SubjectID &&
          other->SurveyID == experience->SurveyID) {
        still_linked = true;
        break;
      }
    }
    TSubject* subject = subjects_ ? subjects_->FindByID(experience->SubjectID) : nullptr;
    TSurvey* survey = surveys_ ? surveys_->FindByID(experience->SurveyID) : nullptr;
    if (!still_linked && subject != nullptr && survey != nullptr) {
      if (subject->SurveysIfAny()) subject->SurveysIfAny()->Forget(survey);
      if (survey->SubjectsIfAny()) survey->SubjectsIfAny()->Forget(subject);
    }
  }
  if (subjects_) {
    for (TSurvObject* item : subjects_->Raw()) {
      auto* subject = static_cast<TSubject*>(item);
      if (subject->ExperiencesIfAny()) subject->ExperiencesIfAny()->Forget(leaving);
      if (subject->SurveysIfAny()) subject->SurveysIfAny()->Forget(leaving);
    }
  }
  if (surveys_) {
    for (TSurvObject* item : surveys_->Raw()) {
      auto* survey = static_cast<TSurvey*>(item);
      if (survey->SubjectsIfAny()) survey->SubjectsIfAny()->Forget(leaving);
      if (survey->ExperiencesIfAny()) survey->ExperiencesIfAny()->Forget(leaving);
    }
  }
  if (experiences_) {
    for (TSurvObject* item : experiences_->Raw()) {
      static_cast<TExperience*>(item)->ForgetReference(leaving);
    }
  }
}

void TDepartment::Update(TObservable& list, TSurvObject* item, int code) {
  const bool surveys = &list == surveys_.get();
  const bool subjects = &list == subjects_.get();
  const bool experiences = &list == experiences_.get();
  if (!surveys && !subjects && !experiences) return;
  if (!parked_.empty()) FreeParked();
  switch (code) {
    case ncAdd:
      if (surveys) {
        static_cast<TSurvey*>(item)->Department = this;
        StoreAddedChild(*item, surveys_loaded_, true);
      } else if (subjects) {
        static_cast<TSubject*>(item)->Department = this;
        StoreAddedChild(*item, subjects_loaded_, false);
      } else {
        auto* experience = static_cast<TExperience*>(item);
        experience->Department = this;
        experience->SyncReferenceIDs();
        StoreAddedChild(*item, experiences_loaded_, false);
      }
      break;
    case ncDelete:
      // The object's own cascade runs first (it reads the derived lists);
      // then no derived list may keep the freed object.
      if (item->Delete()) {
        ForgetEverywhere(item);
        if (item->IsBusy()) {
          parked_.emplace_back(item);
        } else {
          delete item;
        }
      }
      break;
    case ncDestroy:
      FreeAll(static_cast<TSurvList&>(list));
      break;
    default:
      break;
  }
}

bool TDepartment::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(Surveys());
  // Subjects who took none of the department's surveys, and experiences
  // whose subject is gone, are stored under the department too: they go
  // with it rather than stay behind as orphan records.
  DeleteAll(Subjects());
  DeleteAll(Experiences());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TDepartment::ObjectCount() {
  return 1 + Surveys().ObjectCount() + Subjects().ObjectCount() + Experiences().ObjectCount();
}

void TDepartment::Save() { SurveyDB().Update(*this); }

bool TDepartment::InsertRecord() { return SurveyDB().Insert(*this); }

void TDepartment::StoreTree() {
  InsertRecord();
  auto& experiences = EnsureList(experiences_);
  for (TSurvObject* item : std::vector<TSurvObject*>(experiences.Raw())) item->StoreTree();
  experiences_loaded_ = true;
  auto& surveys = EnsureList(surveys_);
  for (TSurvObject* item : std::vector<TSurvObject*>(surveys.Raw())) item->StoreTree();
  surveys_loaded_ = true;
  auto& subjects = EnsureList(subjects_);
  for (TSurvObject* item : std::vector<TSurvObject*>(subjects.Raw())) item->StoreTree();
  subjects_loaded_ = true;
}

}  // namespace zelvora
