#include "report/GapComparative.h"

#include <algorithm>
#include <span>

#include "base/DateTime.h"
#include "report/GapCatGapKey.h"
#include "report/GapCategories.h"
#include "report/GapError.h"
#include "report/GapFormat.h"

namespace zelvora {

namespace {

// Experiences are told apart by their calendar day, as their "yyyymmdd" keys
// are.
long DayKey(double date) {
  const CivilDate day = DecodeDate(date);
  return (static_cast<long>(day.year) * 100 + day.month) * 100 + day.day;
}

}  // namespace

TGapComparative ComputeComparative(const TGapSurvey& survey, const TGapCategoryList& company,
                                   const TGapExperience& first, const TGapExperience& second,
                                   TGapMarks marks) {
  TGapComparative result;
  const bool second_older = DayKey(second.ExperienceDate) < DayKey(first.ExperienceDate);
  result.PreviousExperience = second_older ? 1 : 0;
  result.CurrentExperience = second_older ? 0 : 1;
  const TGapExperience& previous = second_older ? second : first;
  const TGapExperience& current = second_older ? first : second;

  // The raters common to both; each list is in company order already.
  result.Categories = ExperienceCategories(company, previous);
  const TGapCategoryList current_categories = ExperienceCategories(company, current);
  std::erase_if(result.Categories, [&](const TGapCategory& category) {
    return std::find(current_categories.begin(), current_categories.end(), category) ==
           current_categories.end();
  });
  if (result.Categories.empty()) throw EGapError(kGapNoCommonRaters);

  TCatGapKey current_tally(result.Categories);
  TCatGapKey previous_tally(result.Categories);
  for (int question = 0; question < survey.QuestionCount(); ++question) {
    current_tally.Reset();
    previous_tally.Reset();
    TallyPractice(current_tally, std::span(&current, 1), question);
    TallyPractice(previous_tally, std::span(&previous, 1), question);
    current_tally.ComputeForReport(marks.Under, marks.Over);
    previous_tally.ComputeForReport(marks.Under, marks.Over);
    TGapComparativeQuestion out;
    out.QuestionIndex = question;
    out.SkillArea = survey.Questions[static_cast<std::size_t>(question)].SkillArea;
    out.HasData = !current_tally.IsEmpty() || !previous_tally.IsEmpty();
    for (int row = 0; row < current_tally.CategoryCount(); ++row) {
      TGapComparativeRow pair_row;
      pair_row.Current = MakeGapRow(current_tally, row);
      pair_row.Previous = MakeGapRow(previous_tally, row);
      pair_row.Verdict = ComparativeVerdict(pair_row.Current.AverageMilli);
      out.Rows.push_back(std::move(pair_row));
    }
    result.Questions.push_back(std::move(out));
  }
  return result;
}

}  // namespace zelvora
