// TExperience: one administration of one department survey to one subject on
// a date; owns one score sheet per rater.
//
// SubjectID and SurveyID are what is stored; Subject() and Survey() resolve
// them in the department on first use and keep the result. They are null
// when the department holds no such object. RaterNames has one entry per
// score sheet (duplicates possible), kept in step with ScoreSheets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TExperience : public TSurvObject {
 public:
  TExperience() = default;
  ~TExperience() override;

  double ExperienceDate = 0.0;
  TObjectID SubjectID;
  TObjectID SurveyID;
  std::uint8_t ScoreSheetsDeleted = 0;
  TDepartment* Department = nullptr;  // owner
  std::vector<std::string> RaterNames;

  TSubject* Subject();
  TSurvey* Survey();
  // Set the reference and the stored ID together.
  void SetSubject(TSubject* subject);
  void SetSurvey(TSurvey* survey);
  // Drops a resolved reference to an object that is going away.
  void ForgetReference(const TSurvObject* object);
  // Copies the IDs of resolved references into SubjectID and SurveyID (a
  // subject stored after the experience was made has its ID only now).
  void SyncReferenceIDs();

  TScoreSheetList& ScoreSheets();
  bool ScoreSheetsLoaded() const { return score_sheets_loaded_; }
  // Whether some score sheet has this rater name (case ignored).
  bool HasRaterName(const std::string& name) const;

  void Update(TObservable& list, TSurvObject* item, int code) override;
  bool Delete() override;
  int Kind() const override { return okExperience; }
  int ObjectCount() override;
  void Save() override;
  // Record, then every score sheet.
  void StoreTree() override;
  bool InsertRecord() override;
  // ExperienceDate as "yyyy-mm-dd".
  std::string DisplayText() const override;

 private:
  TSubject* subject_ = nullptr;
  TSurvey* survey_ = nullptr;
  std::unique_ptr<TScoreSheetList> score_sheets_;
  bool score_sheets_loaded_ = false;
};

}  // namespace zelvora
