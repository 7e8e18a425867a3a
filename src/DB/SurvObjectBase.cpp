#include "DB/SurvObjectBase.h"

#include <algorithm>

#include "DB/SurveyDBBase.h"
#include "base/DateTime.h"

namespace zelvora {

const char* KindClassName(int kind) {
  switch (kind) {
    case okDataRoot:
      return "TDataRoot";
    case okCompany:
      return "TCompany";
    case okDepartment:
      return "TDepartment";
    case okSurvey:
      return "TSurvey";
    case okSubject:
      return "TSubject";
    case okSkillArea:
      return "TSkillArea";
    case okQuestion:
      return "TQuestion";
    case okSuggestion:
      return "TSuggestion";
    case okExperience:
      return "TExperience";
    case okScoreSheet:
      return "TScoreSheet";
    case okRater:
      return "TRater";
    default:
      return "";
  }
}

TSurvObject::TSurvObject() : Date(Now()) {}

void TSurvObject::Update(TObservable&, TSurvObject*, int) {}

void TSurvObject::Touch() {
  // The database writes a change only when Date is later than the stored
  // one, so two edits within the clock's resolution must still differ: Date
  // moves forward by at least a millisecond.
  constexpr double kOneMillisecond = 1.0 / 86400000.0;
  Date = std::max(Now(), Date + kOneMillisecond);
}

bool TSurvObject::LoadsChildren() const {
  // Objects without a record have no stored children; asking the database
  // for the children of ID (0,0) would fetch the library's.
  if (State == osStored) return true;
  return State == osDeleted && had_record_;
}

TSurvObject::TDeleteRun::TDeleteRun(TSurvObject& object) : object_(object) {
  if (object.deleting_) return;
  if (object.State == osDeleted && !object.delete_failed_) return;
  if (object.State != osDeleted) {
    // Remembered so that the cascade can still load the children it deletes.
    object.had_record_ = object.State == osStored;
    object.State = osDeleted;
  }
  object.deleting_ = true;
  started_ = true;
}

TSurvObject::TDeleteRun::~TDeleteRun() {
  if (!started_) return;
  object_.deleting_ = false;
  object_.delete_failed_ = !done_;
}

void TSurvObject::StampCopy(TSurvObject& copy, bool new_ids) {
  if (new_ids) {
    if (SurveyDB().ReservedIDs() == 0) SurveyDB().ReserveIDs(ObjectCount());
    copy.ID = SurveyDB().NextID();
    copy.State = osCopyNewIDs;
  } else {
    copy.ID = ID;
    copy.State = osCopySameIDs;
    copy.Date = Date;
  }
}

void TSurvObject::StoreAddedChild(TSurvObject& child, bool list_loaded, bool stores_copies) {
  if (stores_copies && child.State == osCopyNewIDs && State != osCopyNewIDs) {
    child.StoreTree();
  } else if (list_loaded) {
    child.ID = SurveyDB().NextID();
    child.InsertRecord();
  }
}

void TSurvObject::DeleteAndFree(TSurvObject* child) {
  if (child != nullptr && child->Delete()) delete child;
}

void TSurvObject::FreeAll(TSurvList& list) {
  for (TSurvObject* item : list.Raw()) delete item;
}

void TSurvObject::DeleteAll(TSurvList& list) {
  while (list.Size() > 0) list.Delete(0);
}

}  // namespace zelvora
