// TSurveyDBBase: what the survey objects need from the database, and the one
// global reference through which they reach it.
//
// The objects call five groups of operations: load the stored children of a
// parent into a list, insert a record, update a record, delete a record, and
// the ID source (NextID, ReserveIDs). Each group has one operation per kind,
// here; the in-memory implementation (TMemoryDB) and the record-store
// database implement one operation per group for every kind.
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
#include <vector>

#include "DB/ObjectID.h"
#include "DB/SurvList.h"

namespace zelvora {

class TSurvObject;
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

class TSurveyDBBase {
 public:
  TSurveyDBBase();
  TSurveyDBBase(const TSurveyDBBase&) = delete;
  TSurveyDBBase& operator=(const TSurveyDBBase&) = delete;
  // Clears the global reference if it points here.
  virtual ~TSurveyDBBase();

  // Load children: every stored child with the given parent ID, appended
  // through the list's Add (companies: every company, in key order).
  virtual void LoadCompanies(TCompanyList& list) { LoadInto(TCompanyList::kKind, {}, list); }
  virtual void LoadDepartments(const TObjectID& company, TDepartmentList& list) {
    LoadInto(TDepartmentList::kKind, company, list);
  }
  virtual void LoadSubjects(const TObjectID& department, TSubjectList& list) {
    LoadInto(TSubjectList::kKind, department, list);
  }
  virtual void LoadExperiences(const TObjectID& department, TExperienceList& list) {
    LoadInto(TExperienceList::kKind, department, list);
  }
  virtual void LoadScoreSheets(const TObjectID& experience, TScoreSheetList& list) {
    LoadInto(TScoreSheetList::kKind, experience, list);
  }
  virtual void LoadSkillAreas(const TObjectID& survey, TSkillAreaList& list) {
    LoadInto(TSkillAreaList::kKind, survey, list);
  }
  virtual void LoadSurveys(const TObjectID& department, TSurveyList& list) {
    LoadInto(TSurveyList::kKind, department, list);
  }
  virtual void LoadQuestions(const TObjectID& skill_area, TQuestionList& list) {
    LoadInto(TQuestionList::kKind, skill_area, list);
  }
  virtual void LoadSuggestions(const TObjectID& question, TSuggestionList& list) {
    LoadInto(TSuggestionList::kKind, question, list);
  }
  virtual void LoadRaters(const TObjectID& company, TRaterList& list) {
    LoadInto(TRaterList::kKind, company, list);
  }

  // Insert, Delete and Update, by kind. Each passes the object to the one
  // operation of the implementation, which finds its record layout by the
  // object's Kind (DB/RecordLayouts.h); a kind is overridden only to make
  // it behave differently (tests do, to make one kind fail).
  virtual bool Insert(TCompany& object);
  virtual bool Insert(TDepartment& object);
  virtual bool Insert(TSubject& object);
  virtual bool Insert(TExperience& object);
  virtual bool Insert(TScoreSheet& object);
  virtual bool Insert(TSkillArea& object);
  virtual bool Insert(TSurvey& object);
  virtual bool Insert(TQuestion& object);
  virtual bool Insert(TSuggestion& object);
  virtual bool Insert(TRater& object);

  virtual void Delete(TCompany& object);
  virtual void Delete(TDepartment& object);
  virtual void Delete(TSubject& object);
  virtual void Delete(TExperience& object);
  virtual void Delete(TScoreSheet& object);
  virtual void Delete(TSkillArea& object);
  virtual void Delete(TSurvey& object);
  virtual void Delete(TQuestion& object);
  virtual void Delete(TSuggestion& object);
  virtual void Delete(TRater& object);

  virtual void Update(TCompany& object);
  virtual void Update(TDepartment& object);
  virtual void Update(TSubject& object);
  virtual void Update(TExperience& object);
  virtual void Update(TScoreSheet& object);
  virtual void Update(TSkillArea& object);
  virtual void Update(TSurvey& object);
  virtual void Update(TQuestion& object);
  virtual void Update(TSuggestion& object);
  virtual void Update(TRater& object);

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
  TDepartment* LibraryDepartment() const { return library_department_.get(); }
  TSurvey* LibrarySurvey() const { return library_survey_.get(); }

 protected:
  using TSurvObjects = std::vector<std::unique_ptr<TSurvObject>>;
  // The operations of the implementation, for objects of every kind.
  // LoadRecords appends a fresh object (State 1, no owner reference) for
  // every stored record of `kind` filed under `parent`, in load order; for
  // a kind without a parent, every record in key order.
  virtual void LoadRecords(int kind, const TObjectID& parent, TSurvObjects& found) = 0;
  virtual bool InsertObject(TSurvObject& object) = 0;
  virtual void DeleteObject(TSurvObject& object) = 0;
  virtual void UpdateObject(TSurvObject& object) = 0;

  // Called by Open after the store is ready: makes this the global database
  // and creates the library owners.
  void BecomeOpen();
  // Called by Close: frees the library owners and clears the global
  // reference if it points here.
  void BecomeClosed();

 private:
  // Loads first and fills the list only after: adding may make owners load
  // other lists.
  void LoadInto(int kind, const TObjectID& parent, TSurvList& list);

  std::unique_ptr<TDepartment> library_department_;
  std::unique_ptr<TSurvey> library_survey_;
};

// The global database reference: null while no database is open.
TSurveyDBBase* GetSurveyDB();
void SetSurveyDB(TSurveyDBBase* database);
// The open database; fails with "No survey database is open" when none is.
TSurveyDBBase& SurveyDB();

}  // namespace zelvora
