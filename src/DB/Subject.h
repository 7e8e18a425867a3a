// TSubject: a person assessed, kept in a department. Its experiences and the
// surveys it took are derived lists over the department's objects: adding to
// them adds to the department, removing from them deletes in the department.
#pragma once

#include <memory>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TSubject : public TSurvObject {
 public:
  TSubject() = default;
  ~TSubject() override;

  std::string Name;                   // up to 35 characters when stored
  TDepartment* Department = nullptr;  // owner

  // The department's experiences with this subject's ID, in department
  // order; built on first access.
  TExperienceList& Experiences();
  // The department surveys of those experiences, each once; built on first
  // access.
  TSurveyList& Surveys();
  TExperienceList* ExperiencesIfAny() const { return experiences_.get(); }
  TSurveyList* SurveysIfAny() const { return surveys_.get(); }

  void Update(TObservable& list, TSurvObject* item, int code) override;
  // Every experience of the subject (with its score sheets), then the record.
  bool Delete() override;
  int Kind() const override { return okSubject; }
  int ObjectCount() override { return 1; }
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }

 private:
  std::unique_ptr<TExperienceList> experiences_;
  std::unique_ptr<TSurveyList> surveys_;
};

}  // namespace zelvora
