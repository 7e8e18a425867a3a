// The numbers behind a report as one table for a spreadsheet: one
// comma-separated table per run, every row naming its row kind in the first
// column.
//
// Columns: Kind, Number, Text, Category, N, R, Gap 0..Gap 4, Gap -1..Gap -4,
// Average, Group, Tag. Row kinds by report:
//  - Individual and Composite: "Skill area" and "Question" (the category and
//    practice tables: one row per rater category with N, R, the counts of
//    every gap size and the average); "Strength" and "Need" (the Overview's
//    ranking per group, the group in Group, "Check" in Tag); "Summary" (the
//    Summary's listing per category, ascending, "Check" in Tag).
//  - Comparative: "Comparative", per question and common category one row
//    for the current and one for the previous experience (Group "Current" or
//    "Previous"), the verdict in Tag of the current row.
//  - Organizational: "Organizational skill area" and "Organizational item",
//    per common category one row per selected department (Group).
//  - Training: "Training", one row per category, participant (Text, the
//    experience's date in Group) and question with a cell; "Training total"
//    the per-question totals.
// Fields a row kind has no value for are empty.
//
// Callers may rely on:
//  - The numbers are the gap arithmetic's, printed as the report prints them
//    (blanks trimmed).
//  - Experiences must be of one instrument (TGapSurvey::SameInstrument);
//    failures throw EGapError with the report's message.
#pragma once
#include <string>
#include <vector>

#include "report/GapTallying.h"
#include "report/Report.h"

namespace zelvora {

// The column names, the table's first line (without its line end).
extern const char* const kResultsHeader;

// What a results run covers: the report kind (individual, composite,
// comparative, organizational or training), the experiences (for the
// Comparative kind, two each of the subjects, in any order, given one
// subject after the other) and the departments of the Organizational kind.
struct TResultsRequest {
  int Kind = kReportIndividual;
  std::vector<const TReportExperience*> Experiences;
  std::vector<std::string> Departments;
  TGapMarks Marks;
};

// The table as comma-separated lines (UTF-8; the caller converts at the file
// boundary), the first line naming the columns.
std::string ResultsCsvFor(const TResultsRequest& request);
// One experience gives the Individual figures, more the Composite ones.
std::string ResultsCsv(const std::vector<const TReportExperience*>& experiences);

// One field quoted for a comma-separated file when it needs to be.
std::string CsvField(const std::string& text);

}  // namespace zelvora
