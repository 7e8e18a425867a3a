// TDepartment: part of a company; owns its own copies of surveys, its
// subjects and their experiences.
//
// Deleting a department deletes its surveys (and through them the subjects
// who took them), then every remaining subject with all of that subject's
// experiences and score sheets, then every remaining experience, then its
// record: nothing stored under the department is left behind.
// When an experience, subject or survey leaves the department, the derived
// lists of the department's subjects and surveys forget it, so no derived
// list ever holds a freed object; when the last experience linking a subject
// and a survey leaves, they stop listing each other.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TDepartment : public TSurvObject {
 public:
  TDepartment() = default;
  ~TDepartment() override;

  std::string Name;             // up to 35 characters when stored
  TCompany* Company = nullptr;  // owner

  TSurveyList& Surveys();
  TSubjectList& Subjects();
  TExperienceList& Experiences();
  bool SurveysLoaded() const { return surveys_loaded_; }
  bool SubjectsLoaded() const { return subjects_loaded_; }
  bool ExperiencesLoaded() const { return experiences_loaded_; }
  // The lists if they exist, without creating or loading them.
  TSurveyList* SurveysIfAny() const { return surveys_.get(); }
  TSubjectList* SubjectsIfAny() const { return subjects_.get(); }
  TExperienceList* ExperiencesIfAny() const { return experiences_.get(); }

  void Update(TObservable& list, TSurvObject* item, int code) override;
  bool Delete() override;
  int Kind() const override { return okDepartment; }
  int ObjectCount() override;
  void Save() override;
  // Record, experiences (with score sheets), surveys, subjects.
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }

 private:
  // Takes a leaving object out of every derived list of the department's
  // subjects and surveys, and out of the experiences' resolved references.
  void ForgetEverywhere(TSurvObject* leaving);

  // Frees parked objects that are no longer busy.
  void FreeParked();

  // Deleted objects that were busy when their deletion ran (a subject that
  // removed, through its own derived list, the survey whose cascade deleted
  // the subject). They are no longer in any list and are freed at the
  // department's next notification or with the department.
  std::vector<std::unique_ptr<TSurvObject>> parked_;
  std::unique_ptr<TSurveyList> surveys_;
  std::unique_ptr<TSubjectList> subjects_;
  std::unique_ptr<TExperienceList> experiences_;
  bool surveys_loaded_ = false;
  bool subjects_loaded_ = false;
  bool experiences_loaded_ = false;
};

}  // namespace zelvora
