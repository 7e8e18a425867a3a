// Gap-analysis input read from the object model: the company's category
// table, a survey's skill areas and flattened questions with suggestions, and
// an experience's score sheets. Everything is copied, so the computations
// never touch (or load) the objects again.
//
// Requires: the objects' database is open (children lists may load).
// A category table whose number is not an integer fails as the company's
// own reading of it does.
#pragma once

#include <vector>

#include "report/GapInput.h"

namespace zelvora {

class TCompany;
class TSurvey;
class TExperience;

TGapCategoryList GapCategoriesOf(const TCompany& company);
TGapSurvey GapSurveyOf(TSurvey& survey);
TGapExperience GapExperienceOf(TExperience& experience);
// Null entries are left out.
std::vector<TGapExperience> GapExperiencesOf(const std::vector<TExperience*>& experiences);

}  // namespace zelvora
