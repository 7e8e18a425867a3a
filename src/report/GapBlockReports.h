// The block tables of the Category Report (one block per skill area) and the
// Individual Practices Report (one block per question): per block one row per
// category of the list, tallied over the completed sheets of the given
// experiences (one for an Individual report, all for a Composite one).
//
// Callers may rely on:
//  - Blocks without any answered pair are left out.
//  - A skill area's N is its answered pairs per question of the area,
//    rounded (ties to even); a practice's N is its answered pairs.
//  - Both throw EGapError("No scores have been entered") when the survey has
//    no completed sheets.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/GapInput.h"
#include "report/GapTallying.h"

namespace zelvora {

struct TGapAreaBlock {
  int SkillArea = 0;  // index into the survey's skill areas
  std::string Name;
  std::vector<TGapRow> Rows;  // one per category of the list
};

struct TGapPracticeBlock {
  int QuestionIndex = 0;  // zero-based; printed as QuestionIndex + 1
  int SkillArea = 0;
  // True for the first block of a skill area: the layout prints the area's
  // heading before it.
  bool StartsSkillArea = false;
  std::string AreaHeading;  // the area's QuestPrefix3 followed by "..."
  std::vector<TGapRow> Rows;
};

std::vector<TGapAreaBlock> ComputeSkillAreaBlocks(const TGapSurvey& survey,
                                                  std::span<const TGapExperience> experiences,
                                                  const TGapCategoryList& categories,
                                                  TGapMarks marks);

std::vector<TGapPracticeBlock> ComputePracticeBlocks(const TGapSurvey& survey,
                                                     std::span<const TGapExperience> experiences,
                                                     const TGapCategoryList& categories,
                                                     TGapMarks marks);

}  // namespace zelvora
