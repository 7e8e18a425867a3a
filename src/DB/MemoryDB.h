// TMemoryDB: the survey database kept in memory: one record per kind and ID,
// with the parent ID each record is filed under. It serves the objects
// exactly as the record-store database does (load children in the order the
// records were added, companies in key order; insert refuses a duplicate
// ID; update writes only a later Date) and is used by tests and by tools
// that need no files.
//
// Open makes it the global database and creates the library owners; Close
// (and the destructor) undo that.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DB/IDSource.h"
#include "DB/SurveyDBBase.h"

namespace zelvora {

class TMemoryDB : public TSurveyDBBase {
 public:
  // An installation with a random origin and serials from 1.
  TMemoryDB();
  // An installation with the given origin (above 10) and first serial.
  TMemoryDB(std::int32_t origin, std::int32_t first_serial);
  ~TMemoryDB() override;

  void Open();
  void Close();
  bool IsOpen() const { return FOpen; }

  void LoadCompanies(TCompanyList& list) override;
  void LoadDepartments(const TObjectID& company, TDepartmentList& list) override;
  void LoadSubjects(const TObjectID& department, TSubjectList& list) override;
  void LoadExperiences(const TObjectID& department, TExperienceList& list) override;
  void LoadScoreSheets(const TObjectID& experience, TScoreSheetList& list) override;
  void LoadSkillAreas(const TObjectID& survey, TSkillAreaList& list) override;
  void LoadSurveys(const TObjectID& department, TSurveyList& list) override;
  void LoadQuestions(const TObjectID& skill_area, TQuestionList& list) override;
  void LoadSuggestions(const TObjectID& question, TSuggestionList& list) override;
  void LoadRaters(const TObjectID& company, TRaterList& list) override;

  bool Insert(TCompany& object) override;
  bool Insert(TDepartment& object) override;
  bool Insert(TSubject& object) override;
  bool Insert(TExperience& object) override;
  bool Insert(TScoreSheet& object) override;
  bool Insert(TSkillArea& object) override;
  bool Insert(TSurvey& object) override;
  bool Insert(TQuestion& object) override;
  bool Insert(TSuggestion& object) override;
  bool Insert(TRater& object) override;

  void Delete(TCompany& object) override;
  void Delete(TDepartment& object) override;
  void Delete(TSubject& object) override;
  void Delete(TExperience& object) override;
  void Delete(TScoreSheet& object) override;
  void Delete(TSkillArea& object) override;
  void Delete(TSurvey& object) override;
  void Delete(TQuestion& object) override;
  void Delete(TSuggestion& object) override;
  void Delete(TRater& object) override;

  void Update(TCompany& object) override;
  void Update(TDepartment& object) override;
  void Update(TSubject& object) override;
  void Update(TExperience& object) override;
  void Update(TScoreSheet& object) override;
  void Update(TSkillArea& object) override;
  void Update(TSurvey& object) override;
  void Update(TQuestion& object) override;
  void Update(TSuggestion& object) override;
  void Update(TRater& object) override;

  TObjectID NextID() override;
  void ReserveIDs(int count) override;
  int ReservedIDs() const override;

  // Inspection, for tests and tools.
  // Number of records of a kind (kind codes 1 to 10).
  std::size_t RecordCount(int kind) const;
  bool HasRecord(int kind, const TObjectID& id) const;
  // The parent ID a record is filed under; (0,0) when absent.
  TObjectID ParentOf(int kind, const TObjectID& id) const;
  // The stored Date of a record; 0 when absent.
  double StoredDate(int kind, const TObjectID& id) const;
  std::int32_t Origin() const { return FCounter.OriginValue(); }

 private:
  struct Impl;
  TMemoryIDCounterStore FCounter;
  TIDSource FIDs;
  std::unique_ptr<Impl> FImpl;
  bool FOpen = false;
};

}  // namespace zelvora
