#include "DB/SurveyDBBase.h"

#include "DB/Department.h"
#include "DB/SurvList.h"
#include "DB/Survey.h"

namespace zelvora {
namespace {

TSurveyDBBase* g_survey_db = nullptr;

}  // namespace

TSurveyDBBase::TSurveyDBBase() = default;

TSurveyDBBase::~TSurveyDBBase() {
  if (g_survey_db == this) g_survey_db = nullptr;
}

void TSurveyDBBase::BecomeOpen() {
  SetSurveyDB(this);
  // The library owners are never stored: built-in objects whose lists are
  // never loaded (the data root holds the library itself).
  FLibraryDepartment = std::make_unique<TDepartment>();
  FLibraryDepartment->State = osBuiltOutside;
  FLibrarySurvey = std::make_unique<TSurvey>();
  FLibrarySurvey->State = osBuiltOutside;
  FLibrarySurvey->Department = FLibraryDepartment.get();
}

void TSurveyDBBase::BecomeClosed() {
  FLibrarySurvey.reset();
  FLibraryDepartment.reset();
  if (g_survey_db == this) g_survey_db = nullptr;
}

TSurveyDBBase* GetSurveyDB() { return g_survey_db; }

void SetSurveyDB(TSurveyDBBase* database) { g_survey_db = database; }

TSurveyDBBase& SurveyDB() {
  if (g_survey_db == nullptr) throw ESurvObjError("No survey database is open");
  return *g_survey_db;
}

}  // namespace zelvora
