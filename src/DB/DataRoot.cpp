#include "DB/DataRoot.h"

#include "DB/Company.h"
#include "DB/SkillArea.h"
#include "DB/Survey.h"

namespace zelvora {

TDataRoot::~TDataRoot() {
  DestroyList(companies_);
  DestroyList(library_surveys_);
  DestroyList(library_skill_areas_);
}

// The root has no record of its own, so unlike the other objects it loads
// its lists in every State but 4.
TCompanyList& TDataRoot::Companies() {
  if (!companies_) {
    companies_ = std::make_unique<TCompanyList>();
    companies_->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadCompanies(*companies_);
      } catch (...) {
        DestroyList(companies_);
        throw;
      }
    }
    companies_loaded_ = true;
  }
  return *companies_;
}

TSurveyList& TDataRoot::LibrarySurveys() {
  if (!library_surveys_) {
    library_surveys_ = std::make_unique<TSurveyList>();
    library_surveys_->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadSurveys(TObjectID{}, *library_surveys_);
      } catch (...) {
        DestroyList(library_surveys_);
        throw;
      }
    }
    library_surveys_loaded_ = true;
  }
  return *library_surveys_;
}

TSkillAreaList& TDataRoot::LibrarySkillAreas() {
  if (!library_skill_areas_) {
    library_skill_areas_ = std::make_unique<TSkillAreaList>();
    library_skill_areas_->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadSkillAreas(TObjectID{}, *library_skill_areas_);
      } catch (...) {
        DestroyList(library_skill_areas_);
        throw;
      }
    }
    library_skill_areas_loaded_ = true;
  }
  return *library_skill_areas_;
}

void TDataRoot::Reset() {
  DestroyList(companies_);
  DestroyList(library_surveys_);
  DestroyList(library_skill_areas_);
  companies_loaded_ = false;
  library_surveys_loaded_ = false;
  library_skill_areas_loaded_ = false;
}

bool TDataRoot::AddBuiltInSurveys() {
  auto& library = LibrarySurveys();
  if (library.Size() > 0) return false;
  auto survey = std::make_unique<TSurvey>();
  survey->ID = kUserSkillAreasID;
  survey->Name = kUserSkillAreasName;
  survey->Author = "User";
  survey->AnsPerQ = 2;
  survey->State = osBuiltOutside;
  library.Adopt(std::move(survey));
  return true;
}

void TDataRoot::Update(TObservable& list, TSurvObject* item, int code) {
  bool loaded;
  if (&list == companies_.get()) {
    loaded = companies_loaded_;
  } else if (&list == library_surveys_.get()) {
    loaded = library_surveys_loaded_;
    if (code == ncAdd) {
      TSurveyDBBase* db = GetSurveyDB();
      static_cast<TSurvey*>(item)->Department = db ? db->LibraryDepartment() : nullptr;
    }
  } else if (&list == library_skill_areas_.get()) {
    loaded = library_skill_areas_loaded_;
    if (code == ncAdd) {
      TSurveyDBBase* db = GetSurveyDB();
      static_cast<TSkillArea*>(item)->Survey = db ? db->LibrarySurvey() : nullptr;
    }
  } else {
    return;
  }
  switch (code) {
    case ncAdd:
      if (item->State == osCopyNewIDs || item->State == osBuiltOutside) {
        item->StoreTree();
      } else if (loaded) {
        item->ID = SurveyDB().NextID();
        item->InsertRecord();
      }
      break;
    case ncDelete:
      DeleteAndFree(item);
      break;
    case ncDestroy:
      FreeAll(static_cast<TSurvList&>(list));
      break;
    default:
      break;
  }
}

}  // namespace zelvora
