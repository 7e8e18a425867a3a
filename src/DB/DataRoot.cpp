#include "DB/DataRoot.h"

#include "DB/Company.h"
#include "DB/SkillArea.h"
#include "DB/Survey.h"

namespace zelvora {

TDataRoot::~TDataRoot() {
  DestroyList(FCompanies);
  DestroyList(FLibrarySurveys);
  DestroyList(FLibrarySkillAreas);
}

// The root has no record of its own, so unlike the other objects it loads
// its lists in every State but 4.
TCompanyList& TDataRoot::Companies() {
  if (!FCompanies) {
    FCompanies = std::make_unique<TCompanyList>();
    FCompanies->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadCompanies(*FCompanies);
      } catch (...) {
        DestroyList(FCompanies);
        throw;
      }
    }
    FCompaniesLoaded = true;
  }
  return *FCompanies;
}

TSurveyList& TDataRoot::LibrarySurveys() {
  if (!FLibrarySurveys) {
    FLibrarySurveys = std::make_unique<TSurveyList>();
    FLibrarySurveys->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadSurveys(TObjectID{}, *FLibrarySurveys);
      } catch (...) {
        DestroyList(FLibrarySurveys);
        throw;
      }
    }
    FLibrarySurveysLoaded = true;
  }
  return *FLibrarySurveys;
}

TSkillAreaList& TDataRoot::LibrarySkillAreas() {
  if (!FLibrarySkillAreas) {
    FLibrarySkillAreas = std::make_unique<TSkillAreaList>();
    FLibrarySkillAreas->AddObserver(this);
    if (State != osBuiltOutside) {
      try {
        SurveyDB().LoadSkillAreas(TObjectID{}, *FLibrarySkillAreas);
      } catch (...) {
        DestroyList(FLibrarySkillAreas);
        throw;
      }
    }
    FLibrarySkillAreasLoaded = true;
  }
  return *FLibrarySkillAreas;
}

void TDataRoot::Reset() {
  DestroyList(FCompanies);
  DestroyList(FLibrarySurveys);
  DestroyList(FLibrarySkillAreas);
  FCompaniesLoaded = false;
  FLibrarySurveysLoaded = false;
  FLibrarySkillAreasLoaded = false;
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
  if (&list == FCompanies.get()) {
    loaded = FCompaniesLoaded;
  } else if (&list == FLibrarySurveys.get()) {
    loaded = FLibrarySurveysLoaded;
    if (code == ncAdd) {
      TSurveyDBBase* db = GetSurveyDB();
      static_cast<TSurvey*>(item)->Department = db ? db->LibraryDepartment() : nullptr;
    }
  } else if (&list == FLibrarySkillAreas.get()) {
    loaded = FLibrarySkillAreasLoaded;
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
