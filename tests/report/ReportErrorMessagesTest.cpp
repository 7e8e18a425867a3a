// The generator's messages when nothing is produced, request preparation and
// cancelling.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

class ReportErrorMessagesTest : public ::testing::Test {
 protected:
  TReportConfig config;
  TPageRecorder printer;
  TReportData data{1, 2};
  TReport360 report{config};

  bool Run(int kind, std::vector<TReportSourceEntry> sources) {
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kind;
    request.Sections = SectionBits({1, 2, 3, 4});
    request.Sources = std::move(sources);
    report.Prepare(request);
    return report.Generate();
  }
};

TEST_F(ReportErrorMessagesTest, FreshGeneratorSaysNoOutputGenerated) {
  EXPECT_EQ(report.GetErrorMessage(), "No Output Generated");
}

TEST_F(ReportErrorMessagesTest, PrinterThatDoesNotOpen) {
  printer.open_result = false;
  EXPECT_FALSE(Run(kReportIndividual, {Selected(data.Experience("Pat", {}))}));
  EXPECT_EQ(report.GetErrorMessage(), "Could not open the printer.");
  EXPECT_EQ(printer.pages, 0);
}

TEST_F(ReportErrorMessagesTest, NothingSelectedLeavesNoValidData) {
  TReportSourceEntry unselected = Selected(data.Experience("Pat", {}));
  unselected.Selected = false;
  EXPECT_FALSE(Run(kReportIndividual, {unselected}));
  EXPECT_EQ(report.GetErrorMessage(), "No valid data found to process");
  EXPECT_EQ(printer.pages, 0);
}

TEST_F(ReportErrorMessagesTest, ExperienceWithoutCompletedSheetsGivesGapMessage) {
  TGapSheet open = TReportData::Sheet(1, 1, 2);
  open.Completed = false;
  EXPECT_FALSE(Run(kReportIndividual, {Selected(data.Experience("Pat", {open}))}));
  EXPECT_EQ(report.GetErrorMessage(), "No data found to process");
}

TEST_F(ReportErrorMessagesTest, CompositeNeedsTwoExperiences) {
  EXPECT_FALSE(
      Run(kReportComposite, {Selected(data.Experience("Pat", {TReportData::Sheet(1, 1, 2)}))}));
  EXPECT_EQ(report.GetErrorMessage(), "You must have at least two experiences to average");
}

TEST_F(ReportErrorMessagesTest, CompositeWithoutCommonCategories) {
  EXPECT_FALSE(
      Run(kReportComposite, {Selected(data.Experience("A", {TReportData::Sheet(1, 1, 2)})),
                             Selected(data.Experience("B", {TReportData::Sheet(2, 1, 2)}))}));
  EXPECT_EQ(report.GetErrorMessage(), "Unable to get common raters to compare");
}

TEST_F(ReportErrorMessagesTest, ExperiencesOfDifferentSurveysAreNotAveraged) {
  TReportData other(1, 2);
  // Another survey object with the same questions would be a department's
  // copy of the same instrument; this one asks something else.
  other.survey->Questions[1].Text = "Something else?";
  EXPECT_FALSE(
      Run(kReportComposite, {Selected(data.Experience("A", {TReportData::Sheet(1, 1, 2)})),
                             Selected(other.Experience("B", {TReportData::Sheet(1, 1, 2)}))}));
  EXPECT_EQ(report.GetErrorMessage(), "The selected experiences do not share one survey");
  EXPECT_EQ(printer.pages, 0);
}

TEST_F(ReportErrorMessagesTest, CancelSetsCancelledAndStopsPrepare) {
  report.SetPrinter(&printer);
  report.Cancel();
  EXPECT_EQ(report.GetErrorMessage(), "Cancelled");
  EXPECT_FALSE(report.Prepare(TReportRequest{}));
  EXPECT_FALSE(report.Generate());
  EXPECT_EQ(report.GetErrorMessage(), "Cancelled");
}

TEST_F(ReportErrorMessagesTest, PrepareTakesConfigurationOptionsAndReturnDateRule) {
  config.SetUseColor(true);
  config.SetGraphUnder(true);
  config.SetHeaderFooterBar(false);
  TReport360 fresh(config);
  TReportRequest request;
  request.Options = kOptTitlePage | kOptHeaderFooterBar;
  request.ReturnDate = EncodeDate(1979, 5, 1);
  ASSERT_TRUE(fresh.Prepare(request));
  EXPECT_EQ(fresh.Request().Options, kOptTitlePage | kOptUseColor | kOptGraphUnder | kOptGraphOver);
  EXPECT_EQ(fresh.Request().ReturnDate, EncodeDate(1980, 1, 1));
  request.ReturnDate = EncodeDate(2026, 12, 24);
  ASSERT_TRUE(fresh.Prepare(request));
  EXPECT_EQ(fresh.Request().ReturnDate, EncodeDate(2026, 12, 24));
}

TEST_F(ReportErrorMessagesTest, CompositeAveragesAndListsItsExperiencesAfterTheTitle) {
  report.SetPrinter(&printer);
  TReportRequest request;
  request.Kind = kReportComposite;
  request.Sections = SectionBits({1});
  request.Options = kOptTitlePage;
  request.Sources = {Selected(data.Experience("Ann", {TReportData::Sheet(1, 1, 2)})),
                     Selected(data.Experience("Bob", {TReportData::Sheet(1, 3, 2)}))};
  report.Prepare(request);
  ASSERT_TRUE(report.Generate());
  EXPECT_EQ(printer.PageOf("The following experiences are included in this Composite Report:"), 1);
  EXPECT_NE(printer.Find("3/11/2025 - Ann"), -1);
  EXPECT_NE(printer.Find("3/11/2025 - Bob"), -1);
  EXPECT_NE(printer.Find(" 2.00"), -1) << "gaps 1 and 3 average to 2";
  // The list is the first numbered page; the sections follow it.
  EXPECT_EQ(printer.PageOf("Page 1"), 1);
  EXPECT_EQ(printer.PageOf("Page 2"), 2);
  EXPECT_EQ(printer.PageOf(config.Text(TReportText::CategoryReportName)), 2);
}

TEST(ReportDatesTest, HeadingShortAndLongForms) {
  const double d = EncodeDate(2026, 12, 8);
  EXPECT_EQ(FormatHeadingDate(d), "December 8, 2026");
  EXPECT_EQ(FormatShortDate(d), "12/8/2026");
  EXPECT_EQ(FormatLongDate(d), "Tuesday, December 8, 2026");
  EXPECT_EQ(FormatLongDate(EncodeDate(1899, 12, 30)), "Saturday, December 30, 1899");
  EXPECT_EQ(FormatLongDate(EncodeDate(1899, 12, 29)), "Friday, December 29, 1899");
}

}  // namespace
}  // namespace zelvora::testing
