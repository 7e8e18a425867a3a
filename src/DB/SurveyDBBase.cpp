#include "DB/SurveyDBBase.h"

#include "DB/Survobj.h"

namespace zelvora {
namespace {

TSurveyDBBase* g_survey_db = nullptr;

}  // namespace

TSurveyDBBase::TSurveyDBBase() = default;

TSurveyDBBase::~TSurveyDBBase() {
  if (g_survey_db == this) g_survey_db = nullptr;
}

bool TSurveyDBBase::Insert(TCompany& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TDepartment& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TSubject& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TExperience& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TScoreSheet& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TSkillArea& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TSurvey& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TQuestion& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TSuggestion& o) { return InsertObject(o); }
bool TSurveyDBBase::Insert(TRater& o) { return InsertObject(o); }

void TSurveyDBBase::Delete(TCompany& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TDepartment& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TSubject& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TExperience& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TScoreSheet& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TSkillArea& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TSurvey& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TQuestion& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TSuggestion& o) { DeleteObject(o); }
void TSurveyDBBase::Delete(TRater& o) { DeleteObject(o); }

void TSurveyDBBase::Update(TCompany& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TDepartment& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TSubject& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TExperience& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TScoreSheet& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TSkillArea& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TSurvey& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TQuestion& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TSuggestion& o) { UpdateObject(o); }
void TSurveyDBBase::Update(TRater& o) { UpdateObject(o); }

void TSurveyDBBase::LoadInto(int kind, const TObjectID& parent, TSurvList& list) {
  TSurvObjects found;
  LoadRecords(kind, parent, found);
  for (auto& object : found) {
    // Owned by the list's owner once appended; freed here if refused.
    list.Add(object.get());
    (void)object.release();
  }
}

void TSurveyDBBase::BecomeOpen() {
  SetSurveyDB(this);
  // The library owners are never stored: built-in objects whose lists are
  // never loaded (the data root holds the library itself).
  library_department_ = std::make_unique<TDepartment>();
  library_department_->State = osBuiltOutside;
  library_survey_ = std::make_unique<TSurvey>();
  library_survey_->State = osBuiltOutside;
  library_survey_->Department = library_department_.get();
}

void TSurveyDBBase::BecomeClosed() {
  library_survey_.reset();
  library_department_.reset();
  if (g_survey_db == this) g_survey_db = nullptr;
}

TSurveyDBBase* GetSurveyDB() { return g_survey_db; }

void SetSurveyDB(TSurveyDBBase* database) { g_survey_db = database; }

TSurveyDBBase& SurveyDB() {
  if (g_survey_db == nullptr) throw ESurvObjError("No survey database is open");
  return *g_survey_db;
}

}  // namespace zelvora
