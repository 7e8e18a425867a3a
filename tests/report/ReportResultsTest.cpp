// The results table: gap counts per column, composite categories, the rows
// of every report kind, quoting.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"
#include "report/GapError.h"
#include "report/ReportResults.h"

namespace zelvora::testing {
namespace {

TEST(ReportResultsTest, CountsEveryGapSizeInItsColumn) {
  TReportData data(1, 2);
  TGapSheet sheet = TReportData::Sheet(1, 0, 2);
  sheet.SetPair(0, 5, 2);  // gap -3
  sheet.SetPair(1, 1, 5);  // gap 4
  const auto e = data.Experience("Pat", {sheet});
  const std::string csv = ResultsCsv({e.get()});
  // Question 1: one gap of -3: R 1, gap -3 column set, average N/A.
  EXPECT_NE(csv.find("Question,1,Practice 1 text?,Boss,1,1,0,0,0,0,0,0,0,1,0,N/A,,\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("Question,2,Practice 2 text?,Boss,1,0,0,0,0,0,1,0,0,0,0,4.00,,\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("Skill area,1,Area 1,Boss,1,1,0,0,0,0,1,0,0,1,0,"), std::string::npos) << csv;
}

TEST(ReportResultsTest, CompositeUsesCommonCategoriesAndNoDataFails) {
  TReportData data(1, 1);
  const auto a = data.Experience("A", {TReportData::Sheet(1, 1, 1), TReportData::Sheet(2, 1, 1)});
  const auto b = data.Experience("B", {TReportData::Sheet(1, 3, 1)});
  const std::string csv = ResultsCsv({a.get(), b.get()});
  EXPECT_NE(csv.find("Question,1,Practice 1 text?,Boss,2,"), std::string::npos) << csv;
  EXPECT_NE(csv.find(",2.00,,\n"), std::string::npos);
  EXPECT_EQ(csv.find("Peer"), std::string::npos);
  EXPECT_THROW(ResultsCsv({}), EGapError);
  const auto empty = data.Experience("C", {});
  EXPECT_THROW(ResultsCsv({empty.get()}), EGapError);
}

TEST(ReportResultsTest, FieldsWithCommasOrQuotesAreQuoted) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField("a, b"), "\"a, b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
}

// Every line has the columns of the header.
void ExpectColumns(const std::string& csv) {
  const std::string header = std::string(kResultsHeader) + "\n";
  ASSERT_EQ(csv.rfind(header, 0), 0u) << csv;
  const auto commas = std::count(header.begin(), header.end(), ',');
  std::size_t at = 0;
  while (at < csv.size()) {
    const std::size_t end = csv.find('\n', at);
    const std::string line = csv.substr(at, end - at);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), commas) << line;
    at = end + 1;
  }
}

TEST(ReportResultsTest, EveryReportKindHasItsRows) {
  TReportData data(1, 2);
  auto sheets = [](int boss_gap) {
    return std::vector<TGapSheet>{TReportData::Sheet(0, 1, 2), TReportData::Sheet(1, boss_gap, 2),
                                  TReportData::Sheet(2, 0, 2)};
  };
  const auto older = data.Experience("Pat", sheets(1));
  const auto newer = data.Experience("Pat", sheets(4));
  newer->Experience.ExperienceDate = EncodeDate(2026, 3, 11);
  newer->Experience.DepartmentName = "Support";
  older->Experience.DepartmentName = "Sales";
  struct Row {
    const char* name;
    int kind;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"individual ranking",
       kReportIndividual,
       {"\nStrength,1,Practice 1 text?,,,,,,,,,,,,,0.50,Organization,\n",
        "\nNeed,1,Practice 1 text?,,,,,,,,,,,,,1.00,Boss,\n",
        "\nSummary,2,Practice 2 text?,Peer,,,,,,,,,,,,0.00,,\n"}},
      {"composite ranking with check tags",
       kReportComposite,
       {"\nNeed,1,Practice 1 text?,,,,,,,,,,,,,2.50,Boss,Check\n",
        "\nSummary,1,Practice 1 text?,Boss,,,,,,,,,,,,2.50,,Check\n",
        "\nQuestion,1,Practice 1 text?,Boss,2,0,0,1,0,0,1,0,0,0,0,2.50,,\n"}},
      {"comparative rows with verdicts",
       kReportComparative,
       {"\nComparative,1,Practice 1 text?,Boss,1,0,0,0,0,0,1,,,,,4.00,Current,Develop\n",
        "\nComparative,1,Practice 1 text?,Boss,1,0,0,1,0,0,0,,,,,1.00,Previous,\n",
        "\nComparative,2,Practice 2 text?,Peer,1,0,1,0,0,0,0,,,,,0.00,Current,Effective\n"}},
      {"organizational rows per department and category",
       kReportOrganizational,
       {"\nOrganizational skill area,1,Area 1,Boss,", ",1.00,Sales,\n", ",4.00,Support,\n",
        "\nOrganizational item,2,Practice 2 text?,Peer,"}},
      {"training table",
       kReportTraining,
       {"\nTraining,1,Pat,Boss,,,,,,,,,,,,4.00,3/11/2026,\n",
        "\nTraining,2,Pat,Boss,,,,,,,,,,,,1.00,3/11/2025,\n",
        "\nTraining total,1,,Boss,,,,,,,,,,,,2.50,,\n"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TResultsRequest request;
    request.Kind = row.kind;
    request.Experiences = {older.get(), newer.get()};
    if (row.kind == kReportIndividual) request.Experiences = {older.get()};
    request.Departments = {"Sales", "Support"};
    const std::string csv = ResultsCsvFor(request);
    ExpectColumns(csv);
    for (const std::string& line : row.lines)
      EXPECT_NE(csv.find(line), std::string::npos) << line << csv;
  }
}

TEST(ReportResultsTest, RefusesWhatTheReportRefuses) {
  TReportData data(1, 1);
  TReportData other(1, 1);
  other.survey->Questions[0].Text = "Something else?";
  const auto a = data.Experience("A", {TReportData::Sheet(1, 1, 1)});
  const auto b = data.Experience("B", {TReportData::Sheet(1, 2, 1)});
  const auto c = other.Experience("C", {TReportData::Sheet(1, 2, 1)});
  struct Row {
    const char* name;
    int kind;
    std::vector<const TReportExperience*> experiences;
    std::vector<std::string> departments;
    const char* message;
  };
  const Row rows[] = {
      {"another instrument", kReportComposite, {a.get(), c.get()}, {}, kReportMixedSurveys},
      {"composite of one", kReportComposite, {a.get()}, {}, kReportTwoToAverage},
      {"comparative of two subjects",
       kReportComparative,
       {a.get(), b.get()},
       {},
       kReportNotTwoEach},
      {"organizational without department",
       kReportOrganizational,
       {a.get(), b.get()},
       {},
       kReportOneDepartment},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TResultsRequest request;
    request.Kind = row.kind;
    request.Experiences = row.experiences;
    request.Departments = row.departments;
    try {
      ResultsCsvFor(request);
      ADD_FAILURE() << "no error";
    } catch (const EGapError& error) {
      EXPECT_STREQ(error.what(), row.message);
    }
  }
  // Copies of one survey (each department's) are one instrument.
  TReportData copy = data;
  copy.survey = std::make_shared<TGapSurvey>(*data.survey);
  const auto d = copy.Experience("D", {TReportData::Sheet(1, 3, 1)});
  EXPECT_NO_THROW(ResultsCsv({a.get(), d.get()}));
}

}  // namespace
}  // namespace zelvora::testing
