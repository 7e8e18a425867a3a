#include "report/GapOrganizational.h"

#include "base/Text.h"
#include "report/GapCatGapKey.h"
#include "report/GapCategories.h"
#include "report/GapFormat.h"

namespace zelvora {

namespace {

// The tallies of every department, fed block by block.
class TDepartmentTallies {
 public:
  TDepartmentTallies(const TGapCategoryList& categories, std::size_t count)
      : tallies_(count, TCatGapKey(categories)) {}

  void Reset() {
    for (TCatGapKey& tally : tallies_) tally.Reset();
  }
  void CountQuestion() {
    for (TCatGapKey& tally : tallies_) tally.CountQuestion();
  }
  void Tally(std::span<const TGapExperience> experiences, const std::vector<int>& department_of,
             int question) {
    for (std::size_t e = 0; e < experiences.size(); ++e) {
      if (department_of[e] < 0) continue;
      TallyPractice(tallies_[static_cast<std::size_t>(department_of[e])], experiences.subspan(e, 1),
                    question);
    }
  }
  void Compute(TGapMarks marks) {
    for (TCatGapKey& tally : tallies_) tally.ComputeForReport(marks.Under, marks.Over);
  }
  bool AnyData() const {
    for (const TCatGapKey& tally : tallies_) {
      if (!tally.IsEmpty()) return true;
    }
    return false;
  }
  const TCatGapKey& operator[](std::size_t i) const { return tallies_[i]; }

 private:
  std::vector<TCatGapKey> tallies_;
};

}  // namespace

bool SameDepartmentName(const std::string& a, const std::string& b) { return SameText(a, b); }

std::vector<TGapOrgCategory> ComputeOrganizational(const TGapSurvey& survey,
                                                   const TGapCategoryList& company,
                                                   std::span<const TGapExperience> experiences,
                                                   const std::vector<std::string>& departments,
                                                   TGapOrgVariant variant, TGapMarks marks) {
  const TGapCategoryList categories = CommonCategories(company, experiences);

  std::vector<int> department_of(experiences.size(), -1);
  for (std::size_t e = 0; e < experiences.size(); ++e) {
    for (std::size_t d = 0; d < departments.size(); ++d) {
      if (SameDepartmentName(experiences[e].DepartmentName, departments[d])) {
        department_of[e] = static_cast<int>(d);
        break;
      }
    }
  }

  // Every category's pass sees the same tallies, so each block is tallied
  // once and read row by row.
  std::vector<TGapOrgCategory> result;
  for (const TGapCategory& category : categories) result.push_back({category, {}});
  TDepartmentTallies tallies(categories, departments.size());
  auto emit_block = [&](int index) {
    tallies.Compute(marks);
    for (std::size_t c = 0; c < categories.size(); ++c) {
      TGapOrgBlock block;
      block.Index = index;
      block.HasData = tallies.AnyData();
      for (std::size_t d = 0; d < departments.size(); ++d) {
        TGapRow row = MakeGapRow(tallies[d], static_cast<int>(c));
        row.AverageText = FormatSignedAverage(row.AverageMilli);
        block.Rows.push_back({departments[d], std::move(row)});
      }
      result[c].Blocks.push_back(std::move(block));
    }
  };

  if (variant == TGapOrgVariant::SkillAreas) {
    for (std::size_t area = 0; area < survey.SkillAreas.size(); ++area) {
      tallies.Reset();
      for (const int question : survey.SkillAreas[area].Questions) {
        if (question < 0 || question >= survey.QuestionCount()) continue;
        tallies.CountQuestion();
        tallies.Tally(experiences, department_of, question);
      }
      emit_block(static_cast<int>(area));
    }
  } else {
    for (int question = 0; question < survey.QuestionCount(); ++question) {
      tallies.Reset();
      tallies.CountQuestion();
      tallies.Tally(experiences, department_of, question);
      emit_block(question);
    }
  }
  return result;
}

}  // namespace zelvora
