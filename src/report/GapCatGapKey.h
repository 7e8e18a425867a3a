// A gap tally that also keeps its category list (names with numbers), so a
// section can print each row's category name beside its numbers.
#pragma once

#include <string>

#include "report/GapCatGap.h"
#include "report/GapInput.h"

namespace zelvora {

class TCatGapKey : public TCatGap {
 public:
  explicit TCatGapKey(TGapCategoryList categories);

  const TGapCategoryList& Categories() const { return categories_; }
  // Empty for a row outside the tally.
  const std::string& CategoryName(int row) const;

 private:
  TGapCategoryList categories_;
};

}  // namespace zelvora
