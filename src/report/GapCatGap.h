// The gap tally: per rater category (one row each) the counts of every gap
// size, the number of negative gaps, the number of answered pairs, and, once
// computed, the average gap in thousandths and the bar length.
//
// Row layout (14 cells):
//   0..4   number of gaps equal to 0, 1, 2, 3, 4
//   5..8   number of gaps equal to -4, -3, -2, -1
//   9      R: number of negative gaps
//   10     N: answered pairs; after Compute, per question when questions
//          were counted (rounded, ties to even)
//   11     average gap x 1000, rounded (after Compute)
//   12     bar length: average x scale, rounded and limited (after Compute)
//   13     not used
//
// Callers may rely on:
//  - Gaps outside -4..4 and categories not in the tally are ignored.
//  - Every rounding is exact and to the nearest, ties to even.
//  - Compute may be called again on the same data: N is always derived from
//    the pairs added, never from an earlier result.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zelvora {

class TCatGap {
 public:
  static constexpr int kCellCount = 14;
  static constexpr int kCellFirstNegative = 5;  // gap -4; gap g < 0 sits at g + 9
  static constexpr int kCellNegatives = 9;      // R
  static constexpr int kCellPairs = 10;         // N
  static constexpr int kCellAverage = 11;       // thousandths
  static constexpr int kCellBar = 12;
  static constexpr int kMinGap = -4;
  static constexpr int kMaxGap = 4;

  // What every report passes to Compute (the bar's full width is a gap of 2).
  static constexpr int kReportScale = 100;
  static constexpr int kReportCap = 200;

  using Row = std::array<std::int32_t, kCellCount>;

  // One row per category number, in the given order.
  explicit TCatGap(std::vector<int> category_numbers);
  virtual ~TCatGap() = default;
  TCatGap(const TCatGap&) = default;
  TCatGap& operator=(const TCatGap&) = default;

  // Sets every cell of every row and both counters to 0.
  void Reset();
  // Adds `amount` gaps of size `gap` to the row of the category number.
  void AddGap(int category_number, int gap, int amount = 1);
  // The same by row position.
  void AddGapToRow(int row, int gap, int amount = 1);
  // One more question pooled into this tally (N becomes per question).
  void CountQuestion();
  // Derives cells 10..12 of every row (see the class comment).
  void Compute(int scale, int cap, bool negative_mean, bool under_mark, bool over_mark);
  // Compute as the reports call it: scale 100, cap 200, negative mean on.
  void ComputeForReport(bool under_mark, bool over_mark);

  // 0 for a row or cell outside the tally.
  std::int32_t Cell(int row, int index) const;
  // Cell 11 / 1000.
  double AverageGap(int row) const;
  // True when no pair was added since the last reset.
  bool IsEmpty() const { return pairs_added_ == 0; }
  int CategoryNumber(int row) const;
  int CategoryCount() const { return static_cast<int>(rows_.size()); }
  // The row of a category number, or -1.
  int RowOf(int category_number) const;
  int QuestionCount() const { return questions_; }

 private:
  std::vector<int> numbers_;
  std::vector<Row> rows_;
  // Pairs added per row, kept apart from cell 10 so that Compute can be
  // repeated without dividing N twice.
  std::vector<std::int64_t> pairs_;
  std::int64_t pairs_added_ = 0;
  int questions_ = 0;
};

}  // namespace zelvora
