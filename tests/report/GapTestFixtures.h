// Builders of plain gap-analysis data for the report_core tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/GapInput.h"

namespace zelvora::gaptest {

inline constexpr int kBoss = 1;
inline constexpr int kOthers = 2;
inline constexpr int kPeer = 3;
inline constexpr int kStaff = 4;

// The default category table of a new company.
inline TGapCategoryList DefaultCompany() {
  return {{"Self", 0},  {"Boss", 1}, {"Others", 2}, {"Peer", 3},
          {"Staff", 4}, {"Team", 5}, {"Clients", 6}};
}

// No answer pair for that question.
inline constexpr std::optional<int> kSkip = std::nullopt;

// A completed sheet whose pair for question i has gap gaps[i]; each gap is
// written as an answer pair on the five-step scale.
inline TGapSheet GapSheet(int category, const std::vector<std::optional<int>>& gaps,
                          bool completed = true) {
  TGapSheet sheet;
  sheet.RaterCategory = category;
  sheet.Completed = completed;
  sheet.Answers.assign(230, 0);
  for (std::size_t q = 0; q < gaps.size(); ++q) {
    if (!gaps[q]) continue;
    const int gap = *gaps[q];
    const int current = gap >= 0 ? 1 : 1 - gap;
    sheet.SetPair(static_cast<int>(q), current, current + gap);
  }
  return sheet;
}

// A survey with areas of the given sizes: "Area 1", ... holding questions
// "Question 1", ... in order; question i has `suggestions[i]` suggestions.
inline TGapSurvey MakeSurvey(const std::vector<int>& area_sizes,
                             const std::vector<int>& suggestions = {}) {
  TGapSurvey survey;
  survey.Name = "Leadership";
  survey.HasCompletedSheets = true;
  int question = 0;
  for (std::size_t a = 0; a < area_sizes.size(); ++a) {
    TGapSkillArea area;
    area.Name = "Area " + std::to_string(a + 1);
    for (int i = 0; i < area_sizes[a]; ++i, ++question) {
      TGapQuestion q;
      q.Text = "Question " + std::to_string(question + 1);
      q.SkillArea = static_cast<int>(a);
      const int count = static_cast<std::size_t>(question) < suggestions.size()
                            ? suggestions[static_cast<std::size_t>(question)]
                            : 0;
      for (int s = 0; s < count; ++s) {
        q.Suggestions.push_back(q.Text + " suggestion " + std::to_string(s + 1));
      }
      area.Questions.push_back(question);
      survey.Questions.push_back(std::move(q));
    }
    survey.SkillAreas.push_back(std::move(area));
  }
  return survey;
}

inline TGapExperience MakeExperience(std::vector<TGapSheet> sheets, double date = 45000.0,
                                     std::string subject = "Ann Lee",
                                     std::string department = "Sales") {
  TGapExperience experience;
  experience.SubjectName = std::move(subject);
  experience.DepartmentName = std::move(department);
  experience.ExperienceDate = date;
  experience.Sheets = std::move(sheets);
  return experience;
}

}  // namespace zelvora::gaptest
