// The category list a report works on: the rater categories that occur in
// its data, each once, in the order of the company's category table.
//
// Callers may rely on:
//  - Only completed sheets count; a sheet whose category number is not in
//    the company's table adds no category (its gaps are then ignored).
//  - Each function throws EGapError with the message the report shows.
#pragma once

#include <span>

#include "report/GapInput.h"

namespace zelvora {

// The categories of one experience's completed sheets (may be empty).
TGapCategoryList ExperienceCategories(const TGapCategoryList& company,
                                      const TGapExperience& experience);

// One experience (Individual): empty gives "No data found to process".
TGapCategoryList IndividualCategories(const TGapCategoryList& company,
                                      const TGapExperience& experience);

// The categories every experience has (Composite, Organizational, a
// Comparative pair), in the order of the first; empty gives "Unable to get
// common raters to compare".
TGapCategoryList CommonCategories(const TGapCategoryList& company,
                                  std::span<const TGapExperience> experiences);

// The categories any experience has (Training), in company order; empty gives
// "No data found to process".
TGapCategoryList UnionCategories(const TGapCategoryList& company,
                                 std::span<const TGapExperience> experiences);

}  // namespace zelvora
