#include "DB/Department.h"

#include "DB/Company.h"
#include "DB/Experience.h"
#include "DB/Subject.h"
#include "DB/Survey.h"

namespace zelvora {

TDepartment::~TDepartment() {
  // Experiences first: the derived lists of subjects and surveys only
  // mirror them and are never read while they go.
  DestroyList(FExperiences);
  DestroyList(FSurveys);
  DestroyList(FSubjects);
  FParked.clear();
}

void TDepartment::FreeParked() {
  std::erase_if(FParked, [](const std::unique_ptr<TSurvObject>& parked) { return !parked->IsBusy(); });
}

TSurveyList& TDepartment::Surveys() {
  return LazyList(FSurveys, FSurveysLoaded,
                  [this](TSurveyList& list) { SurveyDB().LoadSurveys(ID, list); });
}

TSubjectList& TDepartment::Subjects() {
  return LazyList(FSubjects, FSubjectsLoaded,
                  [this](TSubjectList& list) { SurveyDB().LoadSubjects(ID, list); });
}

TExperienceList& TDepartment::Experiences() {
  return LazyList(FExperiences, FExperiencesLoaded,
                  [this](TExperienceList& list) { SurveyDB().LoadExperiences(ID, list); });
}

void TDepartment::ForgetEverywhere(TSurvObject* leaving) {
  if (leaving->Kind() == okExperience && FExperiences) {
    // The subject and survey of a leaving experience stop mirroring each
    // other when no other experience links them.
    auto* experience = static_cast<TExperience*>(leaving);
    bool still_linked = false;
    for (TSurvObject* item : FExperiences->Raw()) {
      auto* other = static_cast<TExperience*>(item);
      if (other != experience && other->SubjectID == experience->SubjectID &&
          other->SurveyID == experience->SurveyID) {
        still_linked = true;
        break;
      }
    }
    TSubject* subject = FSubjects ? FSubjects->FindByID(experience->SubjectID) : nullptr;
    TSurvey* survey = FSurveys ? FSurveys->FindByID(experience->SurveyID) : nullptr;
    if (!still_linked && subject != nullptr && survey != nullptr) {
      if (subject->SurveysIfAny()) subject->SurveysIfAny()->Forget(survey);
      if (survey->SubjectsIfAny()) survey->SubjectsIfAny()->Forget(subject);
    }
  }
  if (FSubjects) {
    for (TSurvObject* item : FSubjects->Raw()) {
      auto* subject = static_cast<TSubject*>(item);
      if (subject->ExperiencesIfAny()) subject->ExperiencesIfAny()->Forget(leaving);
      if (subject->SurveysIfAny()) subject->SurveysIfAny()->Forget(leaving);
    }
  }
  if (FSurveys) {
    for (TSurvObject* item : FSurveys->Raw()) {
      auto* survey = static_cast<TSurvey*>(item);
      if (survey->SubjectsIfAny()) survey->SubjectsIfAny()->Forget(leaving);
      if (survey->ExperiencesIfAny()) survey->ExperiencesIfAny()->Forget(leaving);
    }
  }
  if (FExperiences) {
    for (TSurvObject* item : FExperiences->Raw()) {
      static_cast<TExperience*>(item)->ForgetReference(leaving);
    }
  }
}

void TDepartment::Update(TObservable& list, TSurvObject* item, int code) {
  const bool surveys = &list == FSurveys.get();
  const bool subjects = &list == FSubjects.get();
  const bool experiences = &list == FExperiences.get();
  if (!surveys && !subjects && !experiences) return;
  if (!FParked.empty()) FreeParked();
  switch (code) {
    case ncAdd:
      if (surveys) {
        static_cast<TSurvey*>(item)->Department = this;
        StoreAddedChild(*item, FSurveysLoaded, true);
      } else if (subjects) {
        static_cast<TSubject*>(item)->Department = this;
        StoreAddedChild(*item, FSubjectsLoaded, false);
      } else {
        auto* experience = static_cast<TExperience*>(item);
        experience->Department = this;
        experience->SyncReferenceIDs();
        StoreAddedChild(*item, FExperiencesLoaded, false);
      }
      break;
    case ncDelete:
      // The object's own cascade runs first (it reads the derived lists);
      // then no derived list may keep the freed object.
      if (item->Delete()) {
        ForgetEverywhere(item);
        if (item->IsBusy()) {
          FParked.emplace_back(item);
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
  auto& experiences = EnsureList(FExperiences);
  for (TSurvObject* item : std::vector<TSurvObject*>(experiences.Raw())) item->StoreTree();
  FExperiencesLoaded = true;
  auto& surveys = EnsureList(FSurveys);
  for (TSurvObject* item : std::vector<TSurvObject*>(surveys.Raw())) item->StoreTree();
  FSurveysLoaded = true;
  auto& subjects = EnsureList(FSubjects);
  for (TSurvObject* item : std::vector<TSurvObject*>(subjects.Raw())) item->StoreTree();
  FSubjectsLoaded = true;
}

}  // namespace zelvora
