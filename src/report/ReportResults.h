// The numbers behind an Individual or Composite report as one table for a
// spreadsheet: per skill area and per question, one row per rater category
// with N, R, the counts of every gap size and the average.
//
// Callers may rely on:
//  - One experience gives the Individual figures (its own categories), more
//    give the Composite figures (the categories all of them have).
//  - The numbers are the gap arithmetic's, the average printed as the report
//    prints it.
//  - Failures throw EGapError with the report's message.
#pragma once
#include <string>
#include <vector>

#include "report/Report.h"

namespace zelvora {

// The table as comma-separated lines (UTF-8; the caller converts at the file
// boundary), the first line naming the columns.
std::string ResultsCsv(const std::vector<const TReportExperience*>& experiences);

// One field quoted for a comma-separated file when it needs to be.
std::string CsvField(const std::string& text);

}  // namespace zelvora
