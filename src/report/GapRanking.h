// Ranking of practices (questions) by average gap size for a group of rater
// categories: the basis of the Overview (strengths, developmental needs) and
// Summary listings.
//
// A practice's value for a group is the average of the non-negative gaps of
// the group's categories, each category's average weighted by its number of
// non-negative pairs; a practice the group has no pair for is not ranked.
// Its entry text is "%5.2f %3d %-5s": value, zero-based question index and
// "Check" when the group gave at least one gap of 3 or 4.
//
// Callers may rely on:
//  - Entries come sorted by the printed value, then by question index.
//  - Values are never negative (a group whose pairs are all negative ranks
//    the practice at 0.00).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "report/GapCatGap.h"
#include "report/GapInput.h"

namespace zelvora {

struct TGapRankingEntry {
  std::string Text;  // "%5.2f %3d %-5s"
  int QuestionIndex = 0;
  std::int64_t Hundredths = 0;  // the printed value
  bool Check = false;

  // Characters 1..5 of the text: the printed average.
  std::string AverageText() const { return Text.substr(0, 5); }
  // "Check" or empty.
  std::string Tag() const;
};

// The categories a ranking takes into account, under the name printed for it.
struct TGapGroup {
  std::string Name;
  std::vector<int> CategoryNumbers;
};

inline constexpr const char* kGapOrganizationGroup = "Organization";

// "Organization" (every category of the list but Self), then one group per
// non-Self category, in list order.
std::vector<TGapGroup> RankingGroups(const TGapCategoryList& categories);

// The entry of one practice from its computed tally, or nothing when no
// category of the group has a pair for it.
std::optional<TGapRankingEntry> RankComputedPractice(const TCatGap& computed,
                                                     std::span<const int> group,
                                                     int question_index);

// Orders entries by the number in characters 1..5 of their text (blanks
// trimmed, 99 when unreadable), then by question index.
void SortRanking(std::vector<TGapRankingEntry>& entries);

// Every question of a survey tallied once over the completed sheets of the
// given experiences, ready to be ranked for any group.
class TGapPracticeRanker {
 public:
  TGapPracticeRanker(const TGapSurvey& survey, std::span<const TGapExperience> experiences,
                     const TGapCategoryList& categories);

  // The sorted ranking of the group.
  std::vector<TGapRankingEntry> Rank(const TGapGroup& group) const;

 private:
  std::vector<TCatGap> computed_;  // one per question, in survey order
};

}  // namespace zelvora
