#include "DB/Question.h"

#include "DB/SkillArea.h"
#include "DB/Suggestion.h"

namespace zelvora {

TQuestion::~TQuestion() { DestroyList(suggestions_); }

TSuggestionList& TQuestion::Suggestions() {
  const bool was_loaded = suggestions_loaded_;
  auto& list = LazyList(suggestions_, suggestions_loaded_,
                        [this](TSuggestionList& l) { SurveyDB().LoadSuggestions(ID, l); });
  if (!was_loaded && suggestions_loaded_) list.SortByOrder();
  return list;
}

std::unique_ptr<TQuestion> TQuestion::Clone(TSkillArea* target, bool new_ids) {
  auto copy = std::make_unique<TQuestion>();
  StampCopy(*copy, new_ids);
  copy->Order = Order;
  copy->QuestionText = QuestionText;
  copy->CRC = CRC;
  copy->Locked = Locked;
  copy->SkillArea = target;
  auto& copy_suggestions = copy->EnsureList(copy->suggestions_);
  for (TSurvObject* suggestion : std::vector<TSurvObject*>(Suggestions().Raw())) {
    copy_suggestions.Adopt(static_cast<TSuggestion*>(suggestion)->Clone(copy.get(), new_ids));
  }
  return copy;
}

void TQuestion::Update(TObservable& list, TSurvObject* item, int code) {
  if (&list != suggestions_.get()) return;
  switch (code) {
    case ncAdd: {
      auto* suggestion = static_cast<TSuggestion*>(item);
      suggestion->Question = this;
      if (suggestion->State == osNew || suggestion->State == osCopyNewIDs ||
          suggestion->State == osBuiltOutside) {
        suggestion->Order = suggestions_->Size();
      }
      StoreAddedChild(*suggestion, suggestions_loaded_, true);
      break;
    }
    case ncDelete:
      DeleteAndFree(item);
      break;
    case ncDestroy:
      FreeAll(*suggestions_);
      break;
    default:
      break;
  }
}

bool TQuestion::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(Suggestions());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TQuestion::ObjectCount() { return 1 + Suggestions().ObjectCount(); }

void TQuestion::Save() { SurveyDB().Update(*this); }

bool TQuestion::InsertRecord() { return SurveyDB().Insert(*this); }

void TQuestion::StoreTree() {
  InsertRecord();
  auto& suggestions = EnsureList(suggestions_);
  for (TSurvObject* suggestion : std::vector<TSurvObject*>(suggestions.Raw()))
    suggestion->StoreTree();
  suggestions_loaded_ = true;
}

}  // namespace zelvora
