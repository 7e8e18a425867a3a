// Feeding score sheets into a tally, and the printable row of one category.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "report/GapCatGapKey.h"
#include "report/GapInput.h"

namespace zelvora {

// How bars beyond the scale are marked: the report options GRAPHUNDER and
// GRAPHOVER. The training table passes both off.
struct TGapMarks {
  bool Under = false;
  bool Over = true;
};

// One category row of a block as printed: name, N, average, the six
// distribution boxes and the bar.
struct TGapRow {
  std::string CategoryName;
  int CategoryNumber = 0;
  std::int32_t Pairs = 0;                // cell 10 (N)
  std::int32_t Negatives = 0;            // cell 9 (R)
  std::array<std::int32_t, 5> Counts{};  // gaps 0..4 (cells 0..4)
  std::int32_t AverageMilli = 0;         // cell 11
  std::int32_t Bar = 0;                  // cell 12, on a scale of 200
  std::string NText;                     // "3"
  std::string AverageText;               // " 1.00" or " N/A "
  // "R", "0", "1", "2", "3", "4" boxes in that order; empty when 0.
  std::array<std::string, 6> BoxTexts;
};

// Adds the gap of every completed sheet for the question (zero-based index);
// with a category, only that category's sheets.
void TallyPractice(TCatGap& tally, std::span<const TGapExperience> experiences, int question_index,
                   std::optional<int> only_category = std::nullopt);

// The row of a computed tally, printed as the category and practice tables
// print it (a negative average reads " N/A ").
TGapRow MakeGapRow(const TCatGapKey& tally, int row);

}  // namespace zelvora
