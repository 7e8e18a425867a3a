#include "report/ReportResults.h"

#include <span>

#include "report/GapCatGapKey.h"
#include "report/GapCategories.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapTallying.h"

namespace zelvora {
namespace {

// Appends the rows of one computed tally.
void AppendRows(std::string& out, const std::string& kind, const std::string& number,
                const std::string& text, const TCatGapKey& tally) {
  for (int row = 0; row < tally.CategoryCount(); ++row) {
    const TGapRow r = MakeGapRow(tally, row);
    out += CsvField(kind) + "," + number + "," + CsvField(text) + "," + CsvField(r.CategoryName) +
           "," + FormatCount(r.Pairs) + "," + FormatCount(r.Negatives);
    for (const std::int32_t count : r.Counts) out += "," + FormatCount(count);
    // Cells 8, 7, 6, 5 hold the gaps -1, -2, -3, -4.
    for (int cell = TCatGap::kCellFirstNegative + 3; cell >= TCatGap::kCellFirstNegative; --cell)
      out += "," + FormatCount(tally.Cell(row, cell));
    std::string average = r.AverageText;
    while (!average.empty() && average.front() == ' ') average.erase(average.begin());
    while (!average.empty() && average.back() == ' ') average.pop_back();
    out += "," + average + "\n";
  }
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ResultsCsv(const std::vector<const TReportExperience*>& experiences) {
  if (experiences.empty() || experiences.front()->Survey == nullptr) throw EGapError(kGapNoData);
  const TReportExperience& first = *experiences.front();
  const TGapSurvey& survey = *first.Survey;
  std::vector<TGapExperience> data;
  for (const TReportExperience* e : experiences) data.push_back(e->Experience);
  const TGapCategoryList categories =
      data.size() == 1 ? IndividualCategories(first.CompanyCategories, data.front())
                       : CommonCategories(first.CompanyCategories, data);
  std::string out =
      "Kind,Number,Text,Category,N,R,Gap 0,Gap 1,Gap 2,Gap 3,Gap 4,Gap -1,Gap -2,Gap -3,Gap "
      "-4,Average\n";
  TCatGapKey tally(categories);
  for (std::size_t area = 0; area < survey.SkillAreas.size(); ++area) {
    tally.Reset();
    for (const int question : survey.SkillAreas[area].Questions) {
      if (question < 0 || question >= survey.QuestionCount()) continue;
      tally.CountQuestion();
      TallyPractice(tally, data, question);
    }
    if (tally.IsEmpty()) continue;
    tally.ComputeForReport(false, true);
    AppendRows(out, "Skill area", std::to_string(area + 1), survey.SkillAreas[area].Name, tally);
  }
  for (int question = 0; question < survey.QuestionCount(); ++question) {
    tally.Reset();
    TallyPractice(tally, data, question);
    if (tally.IsEmpty()) continue;
    tally.ComputeForReport(false, true);
    AppendRows(out, "Question", std::to_string(question + 1),
               survey.Questions[static_cast<std::size_t>(question)].Text, tally);
  }
  return out;
}

}  // namespace zelvora
