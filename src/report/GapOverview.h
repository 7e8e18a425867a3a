// The Overview and Summary listings built from practice rankings.
//
// Overview, per group ("Organization", then each category but Self):
// strengths are the five smallest average gaps in ascending order; needs the
// five largest, largest first, leaving out those that print as 0.00; when
// every one of them prints 0.00 the needs give way to a fixed sentence.
// Developmental suggestions follow the needs in the same order, lettered.
//
// Summary, per category but Self that has ranked practices: every practice
// the category answered, smallest average first.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/GapInput.h"
#include "report/GapRanking.h"

namespace zelvora {

inline constexpr const char* kGapAllNeedsZero =
    "All the gap sizes are zero, therefore, no Developmental Needs will be printed.";

struct TGapSuggestionLine {
  std::string Letter;  // "a)", "b)", ...
  std::string Text;
};

struct TGapNeed {
  TGapRankingEntry Entry;
  std::vector<TGapSuggestionLine> Suggestions;
};

struct TGapOverviewGroup {
  std::string Name;  // "Organization" or the category's name
  std::vector<TGapRankingEntry> Strengths;
  std::vector<TGapNeed> Needs;  // largest gap first
  // Every candidate need printed 0.00: print kGapAllNeedsZero instead.
  bool AllNeedsZero = false;
  // At least one need has a suggestion: the suggestions page is printed.
  bool HasSuggestions = false;
};

struct TGapSummaryListing {
  TGapCategory Category;
  std::vector<TGapRankingEntry> Entries;  // ascending
};

struct TGapSummary {
  std::vector<TGapSummaryListing> Listings;
  // The closing paragraphs follow the last listing when the category list
  // has more than its first category.
  bool ClosingParagraphs = false;
};

// Groups whose ranking is empty are left out. Throws EGapError("No scores
// have been entered") when the survey has no completed sheets.
std::vector<TGapOverviewGroup> ComputeOverview(const TGapSurvey& survey,
                                               std::span<const TGapExperience> experiences,
                                               const TGapCategoryList& categories);

// Strengths and needs of one sorted ranking (the suggestions come from the
// survey's questions).
TGapOverviewGroup MakeOverviewGroup(const std::string& name,
                                    const std::vector<TGapRankingEntry>& sorted,
                                    const TGapSurvey& survey);

TGapSummary ComputeSummary(const TGapSurvey& survey, std::span<const TGapExperience> experiences,
                           const TGapCategoryList& categories);

}  // namespace zelvora
