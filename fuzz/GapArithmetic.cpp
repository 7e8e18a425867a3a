// Fuzzes the gap arithmetic with arbitrary answer buffers, rater categories,
// dates and department names: every computation must finish without a
// failure other than its own messages, and the printed numbers must keep
// their shape (averages 5 characters, bars within -1..201, N never negative,
// rankings in ascending order).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/GapBlockReports.h"
#include "report/GapCatGap.h"
#include "report/GapCatGapKey.h"
#include "report/GapCategories.h"
#include "report/GapComparative.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapInput.h"
#include "report/GapOrganizational.h"
#include "report/GapOverview.h"
#include "report/GapRanking.h"
#include "report/GapTallying.h"
#include "report/GapTraining.h"

namespace {

using namespace zelvora;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool More() const { return at_ < size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckRow(const TGapRow& row) {
  Check(row.AverageText.size() == 5);
  Check(row.Bar >= -1 && row.Bar <= 201);
  Check(row.Pairs >= 0 && row.Negatives >= 0);
}

void CheckRanking(const std::vector<TGapRankingEntry>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Check(entries[i].Text.size() == 15 && entries[i].Hundredths >= 0);
    if (i > 0) Check(entries[i - 1].Hundredths <= entries[i].Hundredths);
  }
}

template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const EGapError&) {
    // One of the report's own messages.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  const int questions = 1 + in.Byte() % 24;
  const int areas = 1 + in.Byte() % 4;
  TGapSurvey survey;
  survey.HasCompletedSheets = (in.Byte() & 1) != 0;
  survey.SkillAreas.resize(static_cast<std::size_t>(areas));
  for (int q = 0; q < questions; ++q) {
    TGapQuestion question;
    question.SkillArea = q * areas / questions;
    question.Suggestions.resize(in.Byte() % 3, "suggestion");
    survey.SkillAreas[static_cast<std::size_t>(question.SkillArea)].Questions.push_back(q);
    survey.Questions.push_back(question);
  }
  TGapCategoryList company;
  const int table = in.Byte() % 9;
  for (int c = 0; c < table; ++c) company.push_back({"C" + std::to_string(c), in.Byte() % 8});

  std::vector<TGapExperience> experiences(1 + in.Byte() % 4);
  std::vector<std::string> departments = {"Sales", "sales", "Support"};
  for (TGapExperience& experience : experiences) {
    experience.ExperienceDate = static_cast<double>(in.Byte()) * 0.5;
    experience.DepartmentName = departments[in.Byte() % departments.size()];
    const int sheets = in.Byte() % 6;
    for (int s = 0; s < sheets; ++s) {
      TGapSheet sheet;
      sheet.RaterCategory = static_cast<std::int8_t>(in.Byte()) % 9;
      sheet.Completed = (in.Byte() & 1) != 0;
      sheet.AnsPerQ = 1 + in.Byte() % 3;
      sheet.Answers.resize(in.Byte() % 64);
      for (std::int8_t& answer : sheet.Answers) answer = static_cast<std::int8_t>(in.Byte() % 8);
      experience.Sheets.push_back(std::move(sheet));
    }
  }
  const TGapMarks marks{(in.Byte() & 1) != 0, (in.Byte() & 1) != 0};

  Guarded([&] {
    const TGapCategoryList list = IndividualCategories(company, experiences[0]);
    for (const auto& block :
         ComputeSkillAreaBlocks(survey, std::span(experiences.data(), 1), list, marks)) {
      for (const TGapRow& row : block.Rows) CheckRow(row);
    }
    for (const auto& block : ComputePracticeBlocks(survey, experiences, list, marks)) {
      for (const TGapRow& row : block.Rows) CheckRow(row);
    }
    for (const auto& group : ComputeOverview(survey, experiences, list)) {
      CheckRanking(group.Strengths);
      Check(group.Needs.size() <= 5);
    }
  });
  Guarded([&] {
    const TGapCategoryList list = CommonCategories(company, experiences);
    for (const auto& listing : ComputeSummary(survey, experiences, list).Listings) {
      CheckRanking(listing.Entries);
    }
  });
  if (experiences.size() >= 2) {
    Guarded([&] {
      const TGapComparative result =
          ComputeComparative(survey, company, experiences[0], experiences[1], marks);
      for (const auto& question : result.Questions) {
        for (const auto& row : question.Rows) {
          CheckRow(row.Current);
          CheckRow(row.Previous);
        }
      }
    });
  }
  Guarded([&] {
    for (const TGapOrgVariant variant : {TGapOrgVariant::SkillAreas, TGapOrgVariant::Items}) {
      for (const auto& category : ComputeOrganizational(survey, company, experiences,
                                                        {"SALES", "Support"}, variant, marks)) {
        for (const auto& block : category.Blocks) {
          for (const auto& row : block.Rows) Check(row.Row.Bar >= -1 && row.Row.Bar <= 201);
        }
      }
    }
  });
  Guarded([&] {
    const TGapTraining table = ComputeTraining(survey, company, experiences);
    for (const auto& category : table.Categories) {
      Check(category.Totals.size() == survey.Questions.size());
      for (const auto& total : category.Totals) Check(total.size() == 4 || total.size() == 5);
    }
  });
  return 0;
}
