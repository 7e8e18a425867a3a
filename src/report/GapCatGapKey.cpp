#include "report/GapCatGapKey.h"

#include <utility>

namespace zelvora {

namespace {

std::vector<int> NumbersOf(const TGapCategoryList& categories) {
  std::vector<int> numbers;
  numbers.reserve(categories.size());
  for (const TGapCategory& category : categories) numbers.push_back(category.Number);
  return numbers;
}

}  // namespace

TCatGapKey::TCatGapKey(TGapCategoryList categories)
    : TCatGap(NumbersOf(categories)), categories_(std::move(categories)) {}

const std::string& TCatGapKey::CategoryName(int row) const {
  static const std::string kNone;
  if (row < 0 || row >= static_cast<int>(categories_.size())) return kNone;
  return categories_[static_cast<std::size_t>(row)].Name;
}

}  // namespace zelvora
