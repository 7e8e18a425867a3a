// TSurveyDBBase: what the survey objects need from the database, and the one
// global reference through which they reach it.
//
// The objects call five groups of operations: load the stored children of a
// parent into a list, insert a record, update a record, delete a record, and
// the ID source (NextID, ReserveIDs). Each group has one operation per kind.
// The in-memory implementation (TMemoryDB) and the record-store database
// serve the same interface.
//
// Callers may rely on:
//  - Load* appends each stored child through the list's Add, as an object in
//    State 1 whose owner reference the list's owner sets in its Update;
//  - Insert sets the object's State to 1 and returns false when the record
//    could not be added (for example a duplicate ID); failures of the store
//    itself are exceptions;
//  - Update writes only when the object's Date is later than the stored one,
//    and inserts when no record has the object's ID; it sets State 1;
//  - Delete removes the record with the object's ID, if there is one;
//  - NextID never hands out an origin of 0 to 10 nor the same ID twice;
//  - the library owners (a TDepartment and a TSurvey with ID (0,0)) exist
//    from Open to Close.
#pragma once

#include <memory>

#include "DB/ObjectID.h"

namespace zelvora {

class TCompany;
class TDepartment;
class TSurvey;
class TSubject;
class TSkillArea;
class TQuestion;
class TSuggestion;
class TExperience;
class TScoreSheet;
class TRater;
class TCompanyList;
class TDepartmentList;
class TSurveyList;
class TSubjectList;
class TSkillAreaList;
class TQuestionList;
class TSuggestionList;
class TExperienceList;
class TScoreSheetList;
class TRaterList;

class TSurveyDBBase {
 public:
  TSurveyDBBase();
  TSurveyDBBase(const TSurveyDBBase&) = delete;
  TSurveyDBBase& operator=(const TSurveyDBBase&) = delete;
  // Clears the global reference if it points here.
  virtual ~TSurveyDBBase();

  // Load children: every stored child with the given parent ID.
  virtual void LoadCompanies(TCompanyList& list) = 0;
  virtual void LoadDepartments(const TObjectID& company, TDepartmentList& list) = 0;
  virtual void LoadSubjects(const TObjectID& department, TSubjectList& list) = 0;
  virtual void LoadExperiences(const TObjectID& department, TExperienceList& list) = 0;
  virtual void LoadScoreSheets(const TObjectID& experience, TScoreSheetList& list) = 0;
  virtual void LoadSkillAreas(const TObjectID& survey, TSkillAreaList& list) = 0;
  virtual void LoadSurveys(const TObjectID& department, TSurveyList& list) = 0;
  virtual void LoadQuestions(const TObjectID& skill_area, TQuestionList& list) = 0;
  virtual void LoadSuggestions(const TObjectID& question, TSuggestionList& list) = 0;
  virtual void LoadRaters(const TObjectID& company, TRaterList& list) = 0;

  virtual bool Insert(TCompany& object) = 0;
  virtual bool Insert(TDepartment& object) = 0;
  virtual bool Insert(TSubject& object) = 0;
  virtual bool Insert(TExperience& object) = 0;
  virtual bool Insert(TScoreSheet& object) = 0;
  virtual bool Insert(TSkillArea& object) = 0;
  virtual bool Insert(TSurvey& object) = 0;
  virtual bool Insert(TQuestion& object) = 0;
  virtual bool Insert(TSuggestion& object) = 0;
  virtual bool Insert(TRater& object) = 0;

  virtual void Delete(TCompany& object) = 0;
  virtual void Delete(TDepartment& object) = 0;
  virtual void Delete(TSubject& object) = 0;
  virtual void Delete(TExperience& object) = 0;
  virtual void Delete(TScoreSheet& object) = 0;
  virtual void Delete(TSkillArea& object) = 0;
  virtual void Delete(TSurvey& object) = 0;
  virtual void Delete(TQuestion& object) = 0;
  virtual void Delete(TSuggestion& object) = 0;
  virtual void Delete(TRater& object) = 0;

  virtual void Update(TCompany& object) = 0;
  virtual void Update(TDepartment& object) = 0;
  virtual void Update(TSubject& object) = 0;
  virtual void Update(TExperience& object) = 0;
  virtual void Update(TScoreSheet& object) = 0;
  virtual void Update(TSkillArea& object) = 0;
  virtual void Update(TSurvey& object) = 0;
  virtual void Update(TQuestion& object) = 0;
  virtual void Update(TSuggestion& object) = 0;
  virtual void Update(TRater& object) = 0;

  // The ID source. NextID hands out the next reserved serial while any
  // remain, else the installation's origin with the next serial of the
  // persistent counter. ReserveIDs(n) advances the stored counter by n once
  // and keeps those n serials for the following NextID calls.
  virtual TObjectID NextID() = 0;
  virtual void ReserveIDs(int count) = 0;
  // Number of reserved IDs not yet handed out.
  virtual int ReservedIDs() const = 0;

  // The owners of library surveys and library skill areas; null while the
  // database is closed.
  TDepartment* LibraryDepartment() const { return FLibraryDepartment.get(); }
  TSurvey* LibrarySurvey() const { return FLibrarySurvey.get(); }

 protected:
  // Called by Open after the store is ready: makes this the global database
  // and creates the library owners.
  void BecomeOpen();
  // Called by Close: frees the library owners and clears the global
  // reference if it points here.
  void BecomeClosed();

 private:
  std::unique_ptr<TDepartment> FLibraryDepartment;
  std::unique_ptr<TSurvey> FLibrarySurvey;
};

// The global database reference: null while no database is open.
TSurveyDBBase* GetSurveyDB();
void SetSurveyDB(TSurveyDBBase* database);
// The open database; fails with "No survey database is open" when none is.
TSurveyDBBase& SurveyDB();

}  // namespace zelvora
