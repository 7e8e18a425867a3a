// The trainer's table: for each rater category occurring in any selected
// experience, one row per participant (experience) that has a completed sheet
// of that category, one cell per question with that participant's average
// for the category, and a totals row averaging the cells per question.
//
// Callers may rely on:
//  - A cell is empty when the participant's raters of the category left the
//    question unanswered; a negative average prints " N/A " and still enters
//    the totals.
//  - A total prints "%5.2f" (the mean of the cells, exactly rounded, ties to
//    even), or "N/A " when the question has no cell.
//  - More than 1024 questions gives EGapError("Too many Questions"); no data
//    at all gives EGapError("No data found to process").
#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/GapInput.h"

namespace zelvora {

inline constexpr int kGapMaxTrainingQuestions = 1024;
inline constexpr const char* kGapTotalNotAvailable = "N/A ";

struct TGapTrainingRow {
  int Experience = 0;  // index into the experiences given
  std::string SubjectName;
  double ExperienceDate = 0.0;
  std::vector<std::string> Cells;  // one per question; empty when blank
};

struct TGapTrainingCategory {
  TGapCategory Category;
  std::vector<TGapTrainingRow> Rows;
  std::vector<std::string> Totals;  // one per question
};

struct TGapTraining {
  std::vector<std::string> Headers;  // "Q1", "Q2", ...
  std::vector<TGapTrainingCategory> Categories;
};

TGapTraining ComputeTraining(const TGapSurvey& survey, const TGapCategoryList& company,
                             std::span<const TGapExperience> experiences);

}  // namespace zelvora
