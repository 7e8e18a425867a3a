// The Comparative report: the selection checks and their messages, one set
// of pages per subject with the newer experience as the current data.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

class ReportComparativeTest : public ::testing::Test {
 protected:
  TReportConfig config;
  TPageRecorder printer;
  TReportData data{1, 3};
  TReport360 report{config};

  std::shared_ptr<TReportExperience> At(const std::string& subject, int year, int gap) {
    auto e = data.Experience(subject, {TReportData::Sheet(1, gap, 3)});
    e->Experience.ExperienceDate = EncodeDate(year, 3, 11);
    return e;
  }
  bool Run(std::vector<TReportSourceEntry> sources, std::uint16_t options = 0) {
    report.TodayDate = EncodeDate(2026, 12, 8);
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kReportComparative;
    request.Sections = SectionBits({5});
    request.Options = options;
    request.Sources = std::move(sources);
    report.Prepare(request);
    return report.Generate();
  }
};

TEST_F(ReportComparativeTest, ThreeExperiencesOfOneSubjectStop) {
  EXPECT_FALSE(Run(
      {Selected(At("Ann", 2023, 1)), Selected(At("Ann", 2024, 1)), Selected(At("Ann", 2025, 1))}));
  EXPECT_EQ(report.GetErrorMessage(), "Some subjects did not have two experiences selected");
  EXPECT_EQ(printer.pages, 0);
}

TEST_F(ReportComparativeTest, OneExperienceOrASubjectWithOneStops) {
  EXPECT_FALSE(Run({Selected(At("Ann", 2023, 1))}));
  EXPECT_EQ(report.GetErrorMessage(), "You must have two experiences for each subject");
  TReport360 again(config);
  again.SetPrinter(&printer);
  TReportRequest request;
  request.Kind = kReportComparative;
  request.Sections = SectionBits({5});
  request.Sources = {Selected(At("Ann", 2023, 1)), TReportSourceEntry{},
                     Selected(At("Bob", 2023, 1)), Selected(At("Bob", 2024, 1)),
                     Selected(At("Bob", 2025, 1))};
  again.Prepare(request);
  EXPECT_FALSE(again.Generate());
  EXPECT_EQ(again.GetErrorMessage(), "You must have two experiences for each subject");
}

TEST_F(ReportComparativeTest, ThreeAndThreeAreNotPairedAcrossSubjects) {
  // Six in all passes the count checks, but pairs would mix two people.
  EXPECT_FALSE(
      Run({Selected(At("Ann", 2023, 1)), Selected(At("Ann", 2024, 1)), Selected(At("Ann", 2025, 1)),
           TReportSourceEntry{}, Selected(At("Bob", 2023, 1)), Selected(At("Bob", 2024, 1)),
           Selected(At("Bob", 2025, 1))}));
  EXPECT_EQ(report.GetErrorMessage(), "Some subjects did not have two experiences selected");
}

TEST_F(ReportComparativeTest, TwoSubjectsGiveTwoSetsWithTheNewerAsCurrent) {
  // Ann's newer experience is listed first: the pair is sorted by date.
  ASSERT_TRUE(Run({Selected(At("Ann", 2025, 2)), Selected(At("Ann", 2024, 1)), TReportSourceEntry{},
                   Selected(At("Bob", 2023, 1)), Selected(At("Bob", 2024, 0))},
                  kOptTitlePage));
  EXPECT_EQ(printer.Count("Current Data:"), 2);
  EXPECT_EQ(printer.Count("Previous Data:"), 2);
  EXPECT_EQ(printer.Count("Page 1"), 2);
  const int current = printer.Find("Current Data:");
  EXPECT_EQ(printer.items[static_cast<std::size_t>(current) + 1].text, "3/11/2025");
  const int previous = printer.Find("Previous Data:");
  EXPECT_EQ(printer.items[static_cast<std::size_t>(previous) + 1].text, "3/11/2024");
  EXPECT_LT(printer.PageOf("Ann"), printer.PageOf("Bob"));
  EXPECT_NE(printer.Find("COMPARATIVE REPORT"), -1);
  // Ann's current average 2.00 is "Develop"; Bob's 0.00 "Effective".
  EXPECT_NE(printer.Find("Develop"), -1);
  EXPECT_NE(printer.Find("Effective"), -1);
  EXPECT_EQ(report.GetErrorMessage(), "Selection Error");
}

}  // namespace
}  // namespace zelvora::testing
