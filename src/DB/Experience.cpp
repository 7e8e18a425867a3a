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
TExperience::~TExperience() { DestroyList(score_sheets_); }

TSubject* TExperience::Subject() {
  if (subject_ == nullptr && Department != nullptr) {
    subject_ = Department->Subjects().FindByID(SubjectID);
  }
  return subject_;
}

TSurvey* TExperience::Survey() {
  if (survey_ == nullptr && Department != nullptr) {
    survey_ = Department->Surveys().FindByID(SurveyID);
  }
  return survey_;
}

void TExperience::SetSubject(TSubject* subject) {
  subject_ = subject;
  if (subject != nullptr) SubjectID = subject->ID;
}

void TExperience::SetSurvey(TSurvey* survey) {
  survey_ = survey;
  if (survey != nullptr) SurveyID = survey->ID;
}

void TExperience::ForgetReference(const TSurvObject* object) {
  if (subject_ == object) subject_ = nullptr;
  if (survey_ == object) survey_ = nullptr;
}

void TExperience::SyncReferenceIDs() {
  if (subject_ != nullptr) SubjectID = subject_->ID;
  if (survey_ != nullptr) SurveyID = survey_->ID;
}

TScoreSheetList& TExperience::ScoreSheets() {
  return LazyList(score_sheets_, score_sheets_loaded_,
                  [this](TScoreSheetList& list) { SurveyDB().LoadScoreSheets(ID, list); });
}

bool TExperience::HasRaterName(const std::string& name) const {
  return std::any_of(RaterNames.begin(), RaterNames.end(),
                     [&](const std::string& entry) { return SameText(entry, name); });
}

void TExperience::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list != score_sheets_.get()) return;
  switch (code) {
    case ncAdd: {
      auto* sheet = static_cast<TScoreSheet*>(item);
      sheet->Experience = this;
      StoreAddedChild(*sheet, score_sheets_loaded_, true);
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
      FreeAll(*score_sheets_);
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
  auto& sheets = EnsureList(score_sheets_);
  for (TSurvObject* sheet : std::vector<TSurvObject*>(sheets.Raw())) sheet->StoreTree();
  score_sheets_loaded_ = true;
}

std::string TExperience::DisplayText() const { return FormatIsoDate(ExperienceDate); }

}  // namespace zelvora
