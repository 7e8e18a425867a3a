// TSuggestion: a development suggestion attached to a question.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TSuggestion : public TOrdSurvObject {
 public:
  std::string SuggestionText;  // up to 500 characters when stored
  std::int32_t CRC = 0;
  TQuestion* Question = nullptr;  // owner

  std::unique_ptr<TSuggestion> Clone(TQuestion* target, bool new_ids);

  bool Delete() override;
  int Kind() const override { return okSuggestion; }
  int ObjectCount() override { return 1; }
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return SuggestionText; }
};

}  // namespace zelvora
