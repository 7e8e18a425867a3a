#include "report/GapTallying.h"

#include "report/GapFormat.h"

namespace zelvora {

void TallyPractice(TCatGap& tally, std::span<const TGapExperience> experiences, int question_index,
                   std::optional<int> only_category) {
  for (const TGapExperience& experience : experiences) {
    for (const TGapSheet& sheet : experience.Sheets) {
      if (!sheet.Completed) continue;
      if (only_category && sheet.RaterCategory != *only_category) continue;
      if (const std::optional<int> gap = sheet.Gap(question_index)) {
        tally.AddGap(sheet.RaterCategory, *gap, 1);
      }
    }
  }
}

TGapRow MakeGapRow(const TCatGapKey& tally, int row) {
  TGapRow out;
  out.CategoryName = tally.CategoryName(row);
  out.CategoryNumber = tally.CategoryNumber(row);
  out.Pairs = tally.Cell(row, TCatGap::kCellPairs);
  out.Negatives = tally.Cell(row, TCatGap::kCellNegatives);
  for (int gap = 0; gap <= TCatGap::kMaxGap; ++gap) {
    out.Counts[static_cast<std::size_t>(gap)] = tally.Cell(row, gap);
  }
  out.AverageMilli = tally.Cell(row, TCatGap::kCellAverage);
  out.Bar = tally.Cell(row, TCatGap::kCellBar);
  out.NText = FormatCount(out.Pairs);
  out.AverageText = FormatAverage(out.AverageMilli);
  out.BoxTexts[0] = FormatBox(out.Negatives);
  for (std::size_t gap = 0; gap < out.Counts.size(); ++gap) {
    out.BoxTexts[gap + 1] = FormatBox(out.Counts[gap]);
  }
  return out;
}

}  // namespace zelvora
