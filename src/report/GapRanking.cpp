#include "report/GapRanking.h"

#include <algorithm>

#include "base/Rounding.h"
#include "report/GapFormat.h"
#include "report/GapTallying.h"

namespace zelvora {

std::string TGapRankingEntry::Tag() const { return Check ? kGapCheckTag : ""; }

std::vector<TGapGroup> RankingGroups(const TGapCategoryList& categories) {
  std::vector<TGapGroup> groups;
  TGapGroup organization{kGapOrganizationGroup, {}};
  for (const TGapCategory& category : categories) {
    if (category.Number != kSelfCategory) organization.CategoryNumbers.push_back(category.Number);
  }
  groups.push_back(std::move(organization));
  for (const TGapCategory& category : categories) {
    if (category.Number != kSelfCategory) groups.push_back({category.Name, {category.Number}});
  }
  return groups;
}

std::optional<TGapRankingEntry> RankComputedPractice(const TCatGap& computed,
                                                     std::span<const int> group,
                                                     int question_index) {
  std::int64_t weighted_milli = 0;  // sum of average (thousandths) x weight
  std::int64_t total_weight = 0;
  std::int64_t large_gaps = 0;
  std::int64_t pairs = 0;
  for (int row = 0; row < computed.CategoryCount(); ++row) {
    if (std::find(group.begin(), group.end(), computed.CategoryNumber(row)) == group.end()) {
      continue;
    }
    pairs += computed.Cell(row, TCatGap::kCellPairs);
    const std::int64_t weight =
        std::max<std::int64_t>(std::int64_t{computed.Cell(row, TCatGap::kCellPairs)} -
                                   computed.Cell(row, TCatGap::kCellNegatives),
                               0);
    weighted_milli += std::int64_t{computed.Cell(row, TCatGap::kCellAverage)} * weight;
    total_weight += weight;
    large_gaps += std::int64_t{computed.Cell(row, 3)} + computed.Cell(row, 4);
  }
  // A practice the group never answered is no strength of it; leaving it out
  // keeps a category's listing to what its raters said.
  if (pairs == 0) return std::nullopt;
  TGapRankingEntry entry;
  entry.QuestionIndex = question_index;
  entry.Hundredths = total_weight > 0 ? DivRoundHalfEven(weighted_milli, total_weight * 10) : 0;
  if (entry.Hundredths < 0) entry.Hundredths = 0;
  entry.Check = large_gaps >= 1;
  entry.Text = FormatRankingText(entry.Hundredths, question_index, entry.Check);
  return entry;
}

void SortRanking(std::vector<TGapRankingEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TGapRankingEntry& a, const TGapRankingEntry& b) {
                     const double va = ReadRankingNumber(a.Text);
                     const double vb = ReadRankingNumber(b.Text);
                     if (va != vb) return va < vb;
                     return a.QuestionIndex < b.QuestionIndex;
                   });
}

TGapPracticeRanker::TGapPracticeRanker(const TGapSurvey& survey,
                                       std::span<const TGapExperience> experiences,
                                       const TGapCategoryList& categories) {
  std::vector<int> numbers;
  for (const TGapCategory& category : categories) numbers.push_back(category.Number);
  computed_.reserve(survey.Questions.size());
  TCatGap tally(numbers);
  for (int question = 0; question < survey.QuestionCount(); ++question) {
    tally.Reset();
    tally.CountQuestion();  // one question: N stays the number of pairs
    TallyPractice(tally, experiences, question);
    tally.ComputeForReport(false, false);
    computed_.push_back(tally);
  }
}

std::vector<TGapRankingEntry> TGapPracticeRanker::Rank(const TGapGroup& group) const {
  std::vector<TGapRankingEntry> entries;
  for (std::size_t question = 0; question < computed_.size(); ++question) {
    if (computed_[question].IsEmpty()) continue;
    if (auto entry = RankComputedPractice(computed_[question], group.CategoryNumbers,
                                          static_cast<int>(question))) {
      entries.push_back(std::move(*entry));
    }
  }
  SortRanking(entries);
  return entries;
}

}  // namespace zelvora
