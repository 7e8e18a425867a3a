#include "DB/Suggestion.h"

namespace zelvora {

std::unique_ptr<TSuggestion> TSuggestion::Clone(TQuestion* target, bool new_ids) {
  auto copy = std::make_unique<TSuggestion>();
  StampCopy(*copy, new_ids);
  copy->Order = Order;
  copy->SuggestionText = SuggestionText;
  copy->CRC = CRC;
  copy->Question = target;
  return copy;
}

bool TSuggestion::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

void TSuggestion::Save() { SurveyDB().Update(*this); }

bool TSuggestion::InsertRecord() { return SurveyDB().Insert(*this); }

void TSuggestion::StoreTree() { InsertRecord(); }

}  // namespace zelvora
