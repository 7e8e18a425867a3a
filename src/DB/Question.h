// TQuestion: one question of a skill area, with its development suggestions.
// A locked question is certified and its text may not be edited; a question
// with suggestions is a certified question too.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TQuestion : public TOrdSurvObject {
 public:
  TQuestion() = default;
  ~TQuestion() override;

  std::string QuestionText;  // up to 300 characters when stored
  std::int32_t CRC = 0;      // carried as read, never computed
  bool Locked = false;
  TSkillArea* SkillArea = nullptr;  // owner

  TSuggestionList& Suggestions();
  bool SuggestionsLoaded() const { return suggestions_loaded_; }

  std::unique_ptr<TQuestion> Clone(TSkillArea* target, bool new_ids);

  void Update(TObservable& list, TSurvObject* item, int code) override;
  bool Delete() override;
  int Kind() const override { return okQuestion; }
  int ObjectCount() override;
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return QuestionText; }

 private:
  std::unique_ptr<TSuggestionList> suggestions_;
  bool suggestions_loaded_ = false;
};

}  // namespace zelvora
