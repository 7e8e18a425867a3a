// The comparative table of one subject's two experiences: per question and
// per common rater category, the current (newer) and the previous (older)
// row side by side, with a verdict on the current average.
//
// Callers may rely on:
//  - The two experiences are ordered by calendar day (older first); on the
//    same day the first given counts as the older.
//  - Categories are the raters common to both; none gives EGapError("Unable
//    to get common raters to compare").
//  - Every question appears, in survey order; HasData tells whether either
//    experience has a pair for it.
#pragma once

#include <string>
#include <vector>

#include "report/GapInput.h"
#include "report/GapTallying.h"

namespace zelvora {

struct TGapComparativeRow {
  TGapRow Current;
  TGapRow Previous;
  std::string Verdict;  // "Effective", "Examine" or "Develop"
};

struct TGapComparativeQuestion {
  int QuestionIndex = 0;
  int SkillArea = 0;
  bool HasData = false;
  std::vector<TGapComparativeRow> Rows;  // one per common category
};

struct TGapComparative {
  int CurrentExperience = 1;  // 0 or 1: which of the two given is newer
  int PreviousExperience = 0;
  TGapCategoryList Categories;
  std::vector<TGapComparativeQuestion> Questions;
};

TGapComparative ComputeComparative(const TGapSurvey& survey, const TGapCategoryList& company,
                                   const TGapExperience& first, const TGapExperience& second,
                                   TGapMarks marks);

}  // namespace zelvora
