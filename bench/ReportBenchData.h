// The report benchmarks' data: a 115-question survey of 10 skill areas and
// experiences with a given number of completed score sheets over the seven
// default rater categories, answered at random from a seed.
#pragma once

#include <memory>
#include <random>
#include <string>

#include "report/Report.h"

namespace zelvora::bench {

constexpr int kQuestions = 115;
constexpr int kAreas = 10;

inline std::shared_ptr<TGapSurvey> MakeSurvey() {
  auto survey = std::make_shared<TGapSurvey>();
  survey->Name = "Leadership Practices";
  survey->HasCompletedSheets = true;
  for (int a = 0; a < kAreas; ++a) {
    TGapSkillArea area;
    area.Name = "Skill area " + std::to_string(a + 1);
    survey->SkillAreas.push_back(area);
  }
  for (int q = 0; q < kQuestions; ++q) {
    TGapQuestion question;
    question.Text = "Practice number " + std::to_string(q + 1) +
                    ": explains decisions to the team and follows up on commitments made?";
    question.SkillArea = q * kAreas / kQuestions;
    question.Suggestions = {"Ask the team what could be clearer.", "Keep a list of promises."};
    survey->SkillAreas[static_cast<std::size_t>(question.SkillArea)].Questions.push_back(q);
    survey->Questions.push_back(question);
  }
  return survey;
}

inline std::shared_ptr<TReportExperience> MakeExperience(const std::shared_ptr<TGapSurvey>& survey,
                                                         int sheets, unsigned seed) {
  std::mt19937 random(seed);
  auto e = std::make_shared<TReportExperience>();
  e->CompanyName = "Northwind Logistics";
  e->CompanyCategories = {{"Self", 0},  {"Boss", 1}, {"Others", 2}, {"Peer", 3},
                          {"Staff", 4}, {"Team", 5}, {"Clients", 6}};
  e->Survey = survey;
  e->Experience.SubjectName = "Subject " + std::to_string(seed);
  e->Experience.ExperienceDate = 45000 + seed;
  for (int s = 0; s < sheets; ++s) {
    TGapSheet sheet;
    sheet.RaterCategory = s % 7;
    sheet.Completed = true;
    for (int q = 0; q < kQuestions; ++q)
      sheet.SetPair(q, 1 + static_cast<int>(random() % 5), 1 + static_cast<int>(random() % 5));
    e->Experience.Sheets.push_back(sheet);
  }
  return e;
}

inline TReportSourceEntry Entry(std::shared_ptr<TReportExperience> data) {
  TReportSourceEntry entry;
  entry.Text = data->Experience.SubjectName;
  entry.Selected = true;
  entry.Data = std::move(data);
  return entry;
}

}  // namespace zelvora::bench
