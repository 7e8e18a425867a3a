#include "report/GapTraining.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "base/Rounding.h"
#include "report/GapCatGap.h"
#include "report/GapCategories.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapTallying.h"

namespace zelvora {

namespace {

bool HasCompletedSheetOf(const TGapExperience& experience, int category) {
  return std::any_of(
      experience.Sheets.begin(), experience.Sheets.end(),
      [&](const TGapSheet& sheet) { return sheet.Completed && sheet.RaterCategory == category; });
}

// The per-question totals of one category pass: the number of cells and the
// sum of their averages in thousandths (exact, so the mean rounds exactly).
struct TQuestionTotals {
  std::vector<std::int32_t> Count;
  std::vector<std::int64_t> SumMilli;
};

TQuestionTotals MakeTotals(std::size_t questions) {
  try {
    return {std::vector<std::int32_t>(questions, 0), std::vector<std::int64_t>(questions, 0)};
  } catch (const std::bad_alloc&) {
    throw EGapError(kGapNoMemory);
  }
}

}  // namespace

TGapTraining ComputeTraining(const TGapSurvey& survey, const TGapCategoryList& company,
                             std::span<const TGapExperience> experiences) {
  const TGapCategoryList categories = UnionCategories(company, experiences);
  if (survey.QuestionCount() > kGapMaxTrainingQuestions) throw EGapError(kGapTooManyQuestions);
  const std::size_t questions = static_cast<std::size_t>(survey.QuestionCount());

  TGapTraining result;
  for (std::size_t q = 0; q < questions; ++q) result.Headers.push_back("Q" + std::to_string(q + 1));

  TQuestionTotals totals = MakeTotals(questions);
  for (const TGapCategory& category : categories) {
    std::fill(totals.Count.begin(), totals.Count.end(), 0);
    std::fill(totals.SumMilli.begin(), totals.SumMilli.end(), 0);
    TGapTrainingCategory pass;
    pass.Category = category;
    // Only this category's sheets are tallied, so a one-row tally suffices.
    TCatGap tally({category.Number});
    for (std::size_t e = 0; e < experiences.size(); ++e) {
      const TGapExperience& participant = experiences[e];
      if (!HasCompletedSheetOf(participant, category.Number)) continue;
      TGapTrainingRow row;
      row.Experience = static_cast<int>(e);
      row.SubjectName = participant.SubjectName;
      row.ExperienceDate = participant.ExperienceDate;
      row.Cells.resize(questions);
      for (std::size_t q = 0; q < questions; ++q) {
        tally.Reset();
        TallyPractice(tally, experiences.subspan(e, 1), static_cast<int>(q), category.Number);
        if (tally.IsEmpty()) continue;
        tally.ComputeForReport(false, false);
        const std::int32_t average = tally.Cell(0, TCatGap::kCellAverage);
        row.Cells[q] = FormatAverage(average);
        totals.SumMilli[q] += average;
        totals.Count[q] += 1;
      }
      pass.Rows.push_back(std::move(row));
    }
    pass.Totals.reserve(questions);
    for (std::size_t q = 0; q < questions; ++q) {
      pass.Totals.push_back(totals.Count[q] == 0
                                ? std::string(kGapTotalNotAvailable)
                                : FormatHundredths(DivRoundHalfEven(
                                      totals.SumMilli[q], std::int64_t{totals.Count[q]} * 10)));
    }
    result.Categories.push_back(std::move(pass));
  }
  return result;
}

}  // namespace zelvora
