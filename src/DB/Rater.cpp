#include "DB/Rater.h"

namespace zelvora {

bool TRater::Delete() {
  if (State == osDeleted) return false;
  MarkDeleted();
  DeleteOwnRecord(*this);
  return true;
}

void TRater::Save() { SurveyDB().Update(*this); }

bool TRater::InsertRecord() { return SurveyDB().Insert(*this); }

void TRater::StoreTree() { InsertRecord(); }

}  // namespace zelvora
