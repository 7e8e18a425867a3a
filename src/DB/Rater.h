// TRater: an entry in a company's directory of rater names. Score sheets
// refer to raters by name only.
#pragma once

#include <string>

#include "DB/SurvObjectBase.h"

namespace zelvora {

class TRater : public TSurvObject {
 public:
  std::string Name;             // up to 35 characters when stored
  TCompany* Company = nullptr;  // owner

  bool Delete() override;
  int Kind() const override { return okRater; }
  int ObjectCount() override { return 1; }
  void Save() override;
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }
};

}  // namespace zelvora
