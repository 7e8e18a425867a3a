// TDataRoot: the top of the object tree: all companies, the library surveys
// (owned in the database by the library department (0,0)) and the library
// skill areas (owned by the library survey (0,0)). It has no record.
//
// Callers may rely on:
//  - each list is loaded from the database on first access (never when the
//    root's State is 4);
//  - adding a company, library survey or library skill area in State 2 or 4
//    stores it with its subtree and the IDs it carries; otherwise, when the
//    list is loaded, it gets a new ID and its record;
//  - Reset frees the three lists and everything in them; the next access
//    reloads from the database.
#pragma once

#include <memory>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

inline constexpr const char* kUserSkillAreasName = "User Skill Areas";
inline constexpr const char* kStandardSkillAreasName = "Standard Skill Areas";
inline constexpr TObjectID kUserSkillAreasID{2, 1};

class TDataRoot : public TSurvObject {
 public:
  TDataRoot() = default;
  ~TDataRoot() override;

  TCompanyList& Companies();
  TSurveyList& LibrarySurveys();
  TSkillAreaList& LibrarySkillAreas();
  bool CompaniesLoaded() const { return companies_loaded_; }
  bool LibrarySurveysLoaded() const { return library_surveys_loaded_; }
  bool LibrarySkillAreasLoaded() const { return library_skill_areas_loaded_; }

  void Reset();
  // When the library holds no survey, adds the built-in "User Skill Areas"
  // survey (ID (2,1), Author "User", AnsPerQ 2, no labels, State 4) and
  // returns true.
  bool AddBuiltInSurveys();

  void Update(TObservable& list, TSurvObject* item, int code) override;
  bool Delete() override { return false; }
  int Kind() const override { return okDataRoot; }
  int ObjectCount() override { return 0; }
  void Save() override {}
  void StoreTree() override {}
  bool InsertRecord() override { return false; }
  std::string DisplayText() const override { return std::string(); }

 private:
  std::unique_ptr<TCompanyList> companies_;
  std::unique_ptr<TSurveyList> library_surveys_;
  std::unique_ptr<TSkillAreaList> library_skill_areas_;
  bool companies_loaded_ = false;
  bool library_surveys_loaded_ = false;
  bool library_skill_areas_loaded_ = false;
};

}  // namespace zelvora
