#include "DB/Experience.h"

#include <algorithm>
#include <cctype>

#include "DB/Department.h"
#include "DB/ScoreSheet.h"
#include "DB/Subject.h"
#include "DB/Survey.h"
#include "base/DateTime.h"
#include "base/Text.h"

namespace zelvora {
TExperience::~TExperience() { DestroyList(FScoreSheets); }

TSubject* TExperience::Subject() {
  if (FSubject == nullptr && Department != nullptr) {
    FSubject = Department->Subjects().FindByID(SubjectID);
  }
  return FSubject;
}

TSurvey* TExperience::Survey() {
  if (FSurvey == nullptr && Department != nullptr) {
    FSurvey = Department->Surveys().FindByID(SurveyID);
  }
  return FSurvey;
}

void TExperience::SetSubject(TSubject* subject) {
  FSubject = subject;
  if (subject != nullptr) SubjectID = subject->ID;
}

void TExperience::SetSurvey(TSurvey* survey) {
  FSurvey = survey;
  if (survey != nullptr) SurveyID = survey->ID;
}

void TExperience::ForgetReference(const TSurvObject* object) {
  if (FSubject == object) FSubject = nullptr;
  if (FSurvey == object) FSurvey = nullptr;
}

void TExperience::SyncReferenceIDs() {
  if (FSubject != nullptr) SubjectID = FSubject->ID;
  if (FSurvey != nullptr) SurveyID = FSurvey->ID;
}

TScoreSheetList& TExperience::ScoreSheets() {
  return LazyList(FScoreSheets, FScoreSheetsLoaded,
                  [this](TScoreSheetList& list) { SurveyDB().LoadScoreSheets(ID, list); });
}

bool TExperience::HasRaterName(const std::string& name) const {
  return std::any_of(RaterNames.begin(), RaterNames.end(),
                     [&](const std::string& entry) { return SameText(entry, name); });
}

void TExperience::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list != FScoreSheets.get()) return;
  switch (code) {
    case ncAdd: {
      auto* sheet = static_cast<TScoreSheet*>(item);
      sheet->Experience = this;
      StoreAddedChild(*sheet, FScoreSheetsLoaded, true);
      RaterNames.push_back(sheet->RaterName);
      break;
    }
    case ncDelete: {
      auto* sheet = static_cast<TScoreSheet*>(item);
      const auto it =
          std::find_if(RaterNames.begin(), RaterNames.end(),
                       [&](const std::string& entry) { return SameText(entry, sheet->RaterName); });
      if (it != RaterNames.end()) RaterNames.erase(it);
      DeleteAndFree(sheet);
      break;
    }
    case ncDestroy:
      FreeAll(*FScoreSheets);
      RaterNames.clear();
      break;
    default:
      break;
  }
}

bool TExperience::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(ScoreSheets());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TExperience::ObjectCount() { return 1 + ScoreSheets().ObjectCount(); }

void TExperience::Save() {
  SyncReferenceIDs();
  SurveyDB().Update(*this);
}

bool TExperience::InsertRecord() {
  SyncReferenceIDs();
  return SurveyDB().Insert(*this);
}

void TExperience::StoreTree() {
  InsertRecord();
  auto& sheets = EnsureList(FScoreSheets);
  for (TSurvObject* sheet : std::vector<TSurvObject*>(sheets.Raw())) sheet->StoreTree();
  FScoreSheetsLoaded = true;
}

std::string TExperience::DisplayText() const { return FormatIsoDate(ExperienceDate); }

}  // namespace zelvora
