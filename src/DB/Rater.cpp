#include "DB/Rater.h"

namespace zelvora {

bool TRater::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

void TRater::Save() { SurveyDB().Update(*this); }

bool TRater::InsertRecord() { return SurveyDB().Insert(*this); }

void TRater::StoreTree() { InsertRecord(); }

}  // namespace zelvora
