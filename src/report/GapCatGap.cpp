#include "report/GapCatGap.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/Rounding.h"

namespace zelvora {

namespace {

// Cells hold 32-bit counts; a count that would overflow stays at the limit.
std::int32_t Saturate(std::int64_t value) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

}  // namespace

TCatGap::TCatGap(std::vector<int> category_numbers)
    : numbers_(std::move(category_numbers)),
      rows_(numbers_.size(), Row{}),
      pairs_(numbers_.size(), 0) {}

void TCatGap::Reset() {
  for (Row& row : rows_) row.fill(0);
  std::fill(pairs_.begin(), pairs_.end(), 0);
  pairs_added_ = 0;
  questions_ = 0;
}

int TCatGap::RowOf(int category_number) const {
  const auto found = std::find(numbers_.begin(), numbers_.end(), category_number);
  return found == numbers_.end() ? -1 : static_cast<int>(found - numbers_.begin());
}

void TCatGap::AddGap(int category_number, int gap, int amount) {
  const int row = RowOf(category_number);
  if (row >= 0) AddGapToRow(row, gap, amount);
}

void TCatGap::AddGapToRow(int row, int gap, int amount) {
  if (row < 0 || row >= CategoryCount()) return;
  if (gap < kMinGap || gap > kMaxGap) return;
  Row& cells = rows_[static_cast<std::size_t>(row)];
  int index = gap;
  if (gap < 0) {
    cells[kCellNegatives] = Saturate(std::int64_t{cells[kCellNegatives]} + 1);
    index = gap + kCellNegatives;
  }
  cells[static_cast<std::size_t>(index)] =
      Saturate(std::int64_t{cells[static_cast<std::size_t>(index)]} + amount);
  ++pairs_added_;
  ++pairs_[static_cast<std::size_t>(row)];
  cells[kCellPairs] = Saturate(pairs_[static_cast<std::size_t>(row)]);
}

void TCatGap::CountQuestion() { ++questions_; }

void TCatGap::Compute(int scale, int cap, bool negative_mean, bool under_mark, bool over_mark) {
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    Row& cells = rows_[r];
    std::int64_t sum = 0;
    std::int64_t count = 0;
    // A row of negative gaps only (which includes a row without pairs) is
    // averaged over its negative gaps; any other row over the non-negative
    // gaps alone.
    if (negative_mean && std::int64_t{cells[kCellNegatives]} == pairs_[r]) {
      for (int j = kCellFirstNegative; j < kCellNegatives; ++j) {
        sum += std::int64_t{j - kCellNegatives} * cells[static_cast<std::size_t>(j)];
        count += cells[static_cast<std::size_t>(j)];
      }
    } else {
      for (int j = 0; j <= kMaxGap; ++j) {
        sum += std::int64_t{j} * cells[static_cast<std::size_t>(j)];
        count += cells[static_cast<std::size_t>(j)];
      }
    }
    if (count != 0) {
      cells[kCellAverage] = Saturate(DivRoundHalfEven(sum * 1000, count));
      cells[kCellBar] = Saturate(DivRoundHalfEven(sum * scale, count));
    }
    if (cells[kCellBar] > cap) cells[kCellBar] = over_mark ? Saturate(std::int64_t{cap} + 1) : cap;
    if (cells[kCellBar] < 0) cells[kCellBar] = under_mark ? -1 : 0;
    cells[kCellPairs] =
        Saturate(questions_ > 0 ? DivRoundHalfEven(pairs_[r], questions_) : pairs_[r]);
  }
}

void TCatGap::ComputeForReport(bool under_mark, bool over_mark) {
  Compute(kReportScale, kReportCap, true, under_mark, over_mark);
}

std::int32_t TCatGap::Cell(int row, int index) const {
  if (row < 0 || row >= CategoryCount() || index < 0 || index >= kCellCount) return 0;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
}

double TCatGap::AverageGap(int row) const { return Cell(row, kCellAverage) / 1000.0; }

int TCatGap::CategoryNumber(int row) const {
  if (row < 0 || row >= CategoryCount()) return -1;
  return numbers_[static_cast<std::size_t>(row)];
}

}  // namespace zelvora
