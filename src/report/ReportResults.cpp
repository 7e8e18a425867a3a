#include "report/ReportResults.h"

#include <algorithm>
#include <span>

#include "base/DateTime.h"
#include "base/Text.h"
#include "report/GapCatGapKey.h"
#include "report/GapCategories.h"
#include "report/GapComparative.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapOrganizational.h"
#include "report/GapOverview.h"
#include "report/GapTraining.h"

namespace zelvora {

const char* const kResultsOneExperience = "An Individual table takes one experience";

const char* const kResultsHeader =
    "Kind,Number,Text,Category,N,R,Gap 0,Gap 1,Gap 2,Gap 3,Gap 4,Gap -1,Gap -2,Gap -3,Gap -4,"
    "Average,Group,Tag";

namespace {

// The gap counts of a row kind without them: N, R and nine counts left empty.
constexpr const char* kNoCounts = ",,,,,,,,,,,";

// One line: the leading fields, the counts part (starting with its comma),
// the average, group and tag.
void AppendLine(std::string& out, const std::string& kind, const std::string& number,
                const std::string& text, const std::string& category, const std::string& counts,
                const std::string& average, const std::string& group, const std::string& tag) {
  out += CsvField(kind) + "," + number + "," + CsvField(text) + "," + CsvField(category) + counts +
         "," + CsvField(std::string(Trim(average))) + "," + CsvField(group) + "," + CsvField(tag) +
         "\n";
}

// ",N,R,gap 0..4,gap -1..-4" of a printed row.
std::string Counts(const TGapRow& r, const TCatGapKey* tally, int row) {
  std::string out = "," + FormatCount(r.Pairs) + "," + FormatCount(r.Negatives);
  for (const std::int32_t count : r.Counts) out += "," + FormatCount(count);
  if (tally == nullptr) return out + ",,,,";
  // Cells 8, 7, 6, 5 hold the gaps -1, -2, -3, -4.
  for (int cell = TCatGap::kCellFirstNegative + 3; cell >= TCatGap::kCellFirstNegative; --cell)
    out += "," + FormatCount(tally->Cell(row, cell));
  return out;
}

void AppendTally(std::string& out, const std::string& kind, const std::string& number,
                 const std::string& text, const TCatGapKey& tally) {
  for (int row = 0; row < tally.CategoryCount(); ++row) {
    const TGapRow r = MakeGapRow(tally, row);
    AppendLine(out, kind, number, text, r.CategoryName, Counts(r, &tally, row), r.AverageText, "",
               "");
  }
}

std::string QuestionNumber(int index) { return std::to_string(index + 1); }

const std::string& QuestionText(const TGapSurvey& survey, int index) {
  return survey.Questions[static_cast<std::size_t>(index)].Text;
}

// The category and practice tables, the Overview's ranking and the Summary.
void AppendIndividual(std::string& out, const TGapSurvey& survey,
                      const std::vector<TGapExperience>& data, const TGapCategoryList& categories) {
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
    AppendTally(out, "Skill area", std::to_string(area + 1), survey.SkillAreas[area].Name, tally);
  }
  for (int question = 0; question < survey.QuestionCount(); ++question) {
    tally.Reset();
    TallyPractice(tally, data, question);
    if (tally.IsEmpty()) continue;
    tally.ComputeForReport(false, true);
    AppendTally(out, "Question", QuestionNumber(question), QuestionText(survey, question), tally);
  }
  for (const TGapOverviewGroup& group : ComputeOverview(survey, data, categories)) {
    for (const TGapRankingEntry& e : group.Strengths)
      AppendLine(out, "Strength", QuestionNumber(e.QuestionIndex),
                 QuestionText(survey, e.QuestionIndex), "", kNoCounts, e.AverageText(), group.Name,
                 "");
    for (const TGapNeed& need : group.Needs) {
      const TGapRankingEntry& e = need.Entry;
      AppendLine(out, "Need", QuestionNumber(e.QuestionIndex),
                 QuestionText(survey, e.QuestionIndex), "", kNoCounts, e.AverageText(), group.Name,
                 e.Tag());
    }
  }
  for (const TGapSummaryListing& listing : ComputeSummary(survey, data, categories).Listings) {
    for (const TGapRankingEntry& e : listing.Entries)
      AppendLine(out, "Summary", QuestionNumber(e.QuestionIndex),
                 QuestionText(survey, e.QuestionIndex), listing.Category.Name, kNoCounts,
                 e.AverageText(), "", e.Tag());
  }
}

void AppendComparative(std::string& out, const std::vector<const TReportExperience*>& pair,
                       TGapMarks marks) {
  const TReportExperience& a = *pair[0];
  const TReportExperience& b = *pair[1];
  const TGapSurvey& survey = *b.Survey;
  const TGapComparative table =
      ComputeComparative(survey, b.CompanyCategories, a.Experience, b.Experience, marks);
  for (const TGapComparativeQuestion& q : table.Questions) {
    if (!q.HasData) continue;
    for (std::size_t i = 0; i < q.Rows.size(); ++i) {
      const TGapComparativeRow& row = q.Rows[i];
      const std::string& category = table.Categories[i].Name;
      AppendLine(out, "Comparative", QuestionNumber(q.QuestionIndex),
                 QuestionText(survey, q.QuestionIndex), category, Counts(row.Current, nullptr, 0),
                 row.Current.AverageText, "Current", row.Verdict);
      AppendLine(out, "Comparative", QuestionNumber(q.QuestionIndex),
                 QuestionText(survey, q.QuestionIndex), category, Counts(row.Previous, nullptr, 0),
                 row.Previous.AverageText, "Previous", "");
    }
  }
}

void AppendOrganizational(std::string& out, const TGapSurvey& survey,
                          const TGapCategoryList& company, const std::vector<TGapExperience>& data,
                          const TResultsRequest& request) {
  for (const TGapOrgVariant variant : {TGapOrgVariant::SkillAreas, TGapOrgVariant::Items}) {
    const bool items = variant == TGapOrgVariant::Items;
    for (const TGapOrgCategory& category : ComputeOrganizational(
             survey, company, data, request.Departments, variant, request.Marks)) {
      for (const TGapOrgBlock& block : category.Blocks) {
        if (!block.HasData) continue;
        const std::string number = std::to_string(block.Index + 1);
        const std::string& text =
            items ? QuestionText(survey, block.Index)
                  : survey.SkillAreas[static_cast<std::size_t>(block.Index)].Name;
        for (const TGapOrgRow& row : block.Rows)
          AppendLine(out, items ? "Organizational item" : "Organizational skill area", number, text,
                     category.Category.Name, Counts(row.Row, nullptr, 0), row.Row.AverageText,
                     row.Department, "");
      }
    }
  }
}

void AppendTraining(std::string& out, const TGapSurvey& survey, const TGapCategoryList& company,
                    const std::vector<TGapExperience>& data) {
  const TGapTraining table = ComputeTraining(survey, company, data);
  for (const TGapTrainingCategory& category : table.Categories) {
    for (const TGapTrainingRow& row : category.Rows) {
      for (std::size_t q = 0; q < row.Cells.size(); ++q) {
        if (Trim(row.Cells[q]).empty()) continue;
        AppendLine(out, "Training", std::to_string(q + 1), row.SubjectName, category.Category.Name,
                   kNoCounts, row.Cells[q], FormatShortDate(row.ExperienceDate), "");
      }
    }
    for (std::size_t q = 0; q < category.Totals.size(); ++q)
      AppendLine(out, "Training total", std::to_string(q + 1), "", category.Category.Name,
                 kNoCounts, category.Totals[q], "", "");
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
  TResultsRequest request;
  request.Kind = experiences.size() == 1 ? kReportIndividual : kReportComposite;
  request.Experiences = experiences;
  return ResultsCsvFor(request);
}

std::string ResultsCsvFor(const TResultsRequest& request) {
  const std::vector<const TReportExperience*>& experiences = request.Experiences;
  for (const TReportExperience* e : experiences)
    if (e == nullptr || e->Survey == nullptr) throw EGapError(kGapNoData);
  if (experiences.empty()) throw EGapError(kGapNoData);
  const TReportExperience& first = *experiences.front();
  for (const TReportExperience* e : experiences)
    if (!e->Survey->SameInstrument(*first.Survey)) throw EGapError(kReportMixedSurveys);
  const TGapSurvey& survey = *first.Survey;
  std::vector<TGapExperience> data;
  for (const TReportExperience* e : experiences) data.push_back(e->Experience);
  std::string out = std::string(kResultsHeader) + "\n";
  switch (request.Kind) {
    case kReportIndividual:
    case kReportComposite: {
      if (request.Kind == kReportComposite && data.size() < 2) throw EGapError(kReportTwoToAverage);
      const TGapCategoryList categories =
          request.Kind == kReportIndividual
              ? IndividualCategories(first.CompanyCategories, data.front())
              : CommonCategories(first.CompanyCategories, data);
      // The rows name no subject: an Individual table is one person's.
      if (request.Kind == kReportIndividual && data.size() > 1)
        throw EGapError(kResultsOneExperience);
      AppendIndividual(out, survey, data, categories);
      break;
    }
    case kReportComparative: {
      // Subjects one after the other, two experiences each, older first.
      std::size_t i = 0;
      while (i < experiences.size()) {
        std::size_t j = i;
        while (j < experiences.size() &&
               experiences[j]->Experience.SubjectName == experiences[i]->Experience.SubjectName)
          ++j;
        if (j - i != 2) throw EGapError(kReportNotTwoEach);
        std::vector<const TReportExperience*> pair{experiences[i], experiences[i + 1]};
        AppendComparative(out, pair, request.Marks);
        i = j;
      }
      break;
    }
    case kReportOrganizational:
      if (request.Departments.empty()) throw EGapError(kReportOneDepartment);
      if (data.size() < 2) throw EGapError(kReportTwoToAverage);
      AppendOrganizational(out, survey, first.CompanyCategories, data, request);
      break;
    case kReportTraining:
      AppendTraining(out, survey, first.CompanyCategories, data);
      break;
    default:
      throw EGapError(kReportNoValidData);
  }
  return out;
}

}  // namespace zelvora
