// The results table: gap counts per column, composite categories, quoting.
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
  EXPECT_NE(csv.find("Question,1,Practice 1 text?,Boss,1,1,0,0,0,0,0,0,0,1,0,N/A\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("Question,2,Practice 2 text?,Boss,1,0,0,0,0,0,1,0,0,0,0,4.00\n"),
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
  EXPECT_NE(csv.find(",2.00\n"), std::string::npos);
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

}  // namespace
}  // namespace zelvora::testing
