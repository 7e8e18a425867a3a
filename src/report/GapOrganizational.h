// The organizational tables: for each common rater category (Self included)
// and each skill area (or each question), one row per selected department
// with N, the average and the bar of that category.
//
// Callers may rely on:
//  - An experience feeds the first selected department whose name equals its
//    department's name, compared without regard to case; experiences of other
//    departments are left out.
//  - N is per question of the block (ties to even); averages print "%5.2f"
//    even when negative.
//  - No common category gives EGapError("Unable to get common raters to
//    compare").
#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/GapInput.h"
#include "report/GapTallying.h"

namespace zelvora {

enum class TGapOrgVariant { SkillAreas, Items };

struct TGapOrgRow {
  std::string Department;
  TGapRow Row;  // AverageText is "%5.2f" also for a negative average
};

struct TGapOrgBlock {
  int Index = 0;  // the skill area, or the zero-based question index
  bool HasData = false;
  std::vector<TGapOrgRow> Rows;  // one per selected department, in order
};

struct TGapOrgCategory {
  TGapCategory Category;
  std::vector<TGapOrgBlock> Blocks;
};

std::vector<TGapOrgCategory> ComputeOrganizational(const TGapSurvey& survey,
                                                   const TGapCategoryList& company,
                                                   std::span<const TGapExperience> experiences,
                                                   const std::vector<std::string>& departments,
                                                   TGapOrgVariant variant, TGapMarks marks);

// Department names are the same without regard to case (Windows-1252
// letters included).
bool SameDepartmentName(const std::string& a, const std::string& b);

}  // namespace zelvora
