#include "report/GapOverview.h"

#include <algorithm>

#include "report/GapError.h"
#include "report/GapFormat.h"

namespace zelvora {

namespace {
constexpr std::size_t kListedPerGroup = 5;
}  // namespace

TGapOverviewGroup MakeOverviewGroup(const std::string& name,
                                    const std::vector<TGapRankingEntry>& sorted,
                                    const TGapSurvey& survey) {
  TGapOverviewGroup group;
  group.Name = name;
  const std::size_t listed = std::min(kListedPerGroup, sorted.size());
  group.Strengths.assign(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(listed));
  bool any_candidate = false;
  for (std::size_t i = 0; i < listed; ++i) {
    const TGapRankingEntry& entry = sorted[sorted.size() - 1 - i];
    any_candidate = true;
    if (ReadRankingNumber(entry.Text) == 0.0) continue;
    TGapNeed need{entry, {}};
    const std::size_t question = static_cast<std::size_t>(entry.QuestionIndex);
    if (question < survey.Questions.size()) {
      const std::vector<std::string>& suggestions = survey.Questions[question].Suggestions;
      for (std::size_t s = 0; s < suggestions.size(); ++s) {
        need.Suggestions.push_back({SuggestionLetter(s), suggestions[s]});
      }
    }
    group.HasSuggestions = group.HasSuggestions || !need.Suggestions.empty();
    group.Needs.push_back(std::move(need));
  }
  group.AllNeedsZero = any_candidate && group.Needs.empty();
  return group;
}

std::vector<TGapOverviewGroup> ComputeOverview(const TGapSurvey& survey,
                                               std::span<const TGapExperience> experiences,
                                               const TGapCategoryList& categories) {
  if (!survey.HasCompletedSheets) throw EGapError(kGapNoScores);
  const TGapPracticeRanker ranker(survey, experiences, categories);
  std::vector<TGapOverviewGroup> groups;
  for (const TGapGroup& group : RankingGroups(categories)) {
    const std::vector<TGapRankingEntry> sorted = ranker.Rank(group);
    if (sorted.empty()) continue;
    groups.push_back(MakeOverviewGroup(group.Name, sorted, survey));
  }
  return groups;
}

TGapSummary ComputeSummary(const TGapSurvey& survey, std::span<const TGapExperience> experiences,
                           const TGapCategoryList& categories) {
  const TGapPracticeRanker ranker(survey, experiences, categories);
  TGapSummary summary;
  for (const TGapCategory& category : categories) {
    if (category.Number == kSelfCategory) continue;
    std::vector<TGapRankingEntry> entries = ranker.Rank({category.Name, {category.Number}});
    if (entries.empty()) continue;
    summary.Listings.push_back({category, std::move(entries)});
  }
  summary.ClosingParagraphs = !summary.Listings.empty() && categories.size() > 1;
  return summary;
}

}  // namespace zelvora
