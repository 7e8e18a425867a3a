#include "report/GapCategories.h"

#include <algorithm>

#include "report/GapError.h"

namespace zelvora {

namespace {

// Positions in the company's table of the categories that occur, each once.
// A table may name a number twice; its first entry is the one used.
std::vector<bool> OccurringPositions(const TGapCategoryList& company,
                                     std::span<const TGapExperience> experiences) {
  std::vector<bool> occurs(company.size(), false);
  for (const TGapExperience& experience : experiences) {
    for (const TGapSheet& sheet : experience.Sheets) {
      if (!sheet.Completed) continue;
      const auto found = std::find_if(company.begin(), company.end(), [&](const TGapCategory& c) {
        return c.Number == sheet.RaterCategory;
      });
      if (found != company.end()) occurs[static_cast<std::size_t>(found - company.begin())] = true;
    }
  }
  return occurs;
}

TGapCategoryList InTableOrder(const TGapCategoryList& company, const std::vector<bool>& occurs) {
  // Ordered by position in the table, compared as numbers: a table may hold
  // more than a hundred entries.
  TGapCategoryList list;
  for (std::size_t i = 0; i < company.size(); ++i) {
    if (occurs[i]) list.push_back(company[i]);
  }
  return list;
}

}  // namespace

TGapCategoryList ExperienceCategories(const TGapCategoryList& company,
                                      const TGapExperience& experience) {
  return InTableOrder(company, OccurringPositions(company, std::span(&experience, 1)));
}

TGapCategoryList IndividualCategories(const TGapCategoryList& company,
                                      const TGapExperience& experience) {
  TGapCategoryList list = ExperienceCategories(company, experience);
  if (list.empty()) throw EGapError(kGapNoData);
  return list;
}

TGapCategoryList CommonCategories(const TGapCategoryList& company,
                                  std::span<const TGapExperience> experiences) {
  TGapCategoryList common;
  bool first = true;
  for (const TGapExperience& experience : experiences) {
    const TGapCategoryList own = ExperienceCategories(company, experience);
    if (first) {
      common = own;
      first = false;
      continue;
    }
    std::erase_if(common, [&](const TGapCategory& category) {
      return std::find(own.begin(), own.end(), category) == own.end();
    });
  }
  if (common.empty()) throw EGapError(kGapNoCommonRaters);
  return common;
}

TGapCategoryList UnionCategories(const TGapCategoryList& company,
                                 std::span<const TGapExperience> experiences) {
  TGapCategoryList list = InTableOrder(company, OccurringPositions(company, experiences));
  if (list.empty()) throw EGapError(kGapNoData);
  return list;
}

}  // namespace zelvora
