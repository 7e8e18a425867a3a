// The preview model's generation: the button states and the Cancel/Close
// caption while a report is generated and afterwards, the status texts from
// the report's notifications, the busy cursor, cancelling (by the button,
// Esc or closing the window), failures, and regenerating for the next or
// previous report.
#include <gtest/gtest.h>

#include "report/PreviewWorld.h"

namespace zelvora::testing {
namespace {

using Log = std::vector<std::string>;

TEST(PreviewModelGenerationTest, PrintButtonsWaitForTheGenerationAndCanPrint) {
  TPreviewWorld world({0, 0, 0});
  TPreviewModel& m = world.model;
  EXPECT_FALSE(m.PrintEnabled());
  EXPECT_FALSE(m.SavePdfEnabled());
  std::vector<std::string> seen;
  world.report->after_page = [&](int) {
    seen.push_back(std::string(m.PrintEnabled() ? "print" : "-") +
                   (m.SavePdfEnabled() ? "pdf" : "-") + " " + m.CancelCaption() +
                   (m.Busy() ? " busy" : ""));
  };
  m.GenerateReport(true);
  EXPECT_EQ(seen, (Log{"-- Cancel busy", "-- Cancel busy", "-- Cancel busy"}));
  EXPECT_TRUE(m.PrintEnabled());
  EXPECT_TRUE(m.SavePdfEnabled());
  EXPECT_EQ(m.CancelCaption(), "&Close");
  world.report->CanPrint = false;
  EXPECT_FALSE(m.PrintEnabled());
  EXPECT_TRUE(m.SavePdfEnabled());
}

TEST(PreviewModelGenerationTest, StatusTextsFollowTheReportAndHideAfterwards) {
  TPreviewWorld world({0, 0});
  TPreviewModel& m = world.model;
  std::vector<std::string> seen;
  world.report->after_page = [&](int) {
    seen.push_back(std::string(m.StatusVisible() ? "shown" : "hidden") + " [" + m.StatusSubject() +
                   "] [" + m.StatusPage() + "] [" + m.PageLabel() + "]");
  };
  m.GenerateReport(true);
  EXPECT_EQ(seen, (Log{"shown [Individual Feedback     ] [Pat Example     ] []",
                       "shown [Individual Feedback     ] [Page 1] []"}));
  EXPECT_EQ(m.ReportLabel(), "Individual Feedback - Pat Example");
  EXPECT_FALSE(m.StatusVisible());
  EXPECT_EQ(m.PageLabel(), "Page 1 of 2");
  EXPECT_EQ(world.view.log, (Log{"busy cursor", "normal cursor"}));
}

TEST(PreviewModelGenerationTest, AnEmptyStartLeavesTheLabels) {
  TPreviewWorld world({0});
  world.report->title = "";
  world.report->subject = "";
  world.Generated();
  EXPECT_EQ(world.model.ReportLabel(), "Subject, Report");
}

TEST(PreviewModelGenerationTest, CancelDuringGenerationShowsCancelledAndCloses) {
  struct Row {
    const char* name;
    std::function<void(TPreviewModel&)> cancel;
  };
  const Row rows[] = {
      {"the Cancel button", [](TPreviewModel& m) { m.CancelClicked(); }},
      {"Esc", [](TPreviewModel& m) { m.KeyReleased(TPreviewKey::kEscape, false); }},
      {"closing the window",
       [](TPreviewModel& m) { EXPECT_FALSE(m.MayClose()) << "the window closes later"; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPreviewWorld world({0, 0, 0, 0, 0});
    world.report->after_page = [&](int n) {
      if (n == 2) row.cancel(world.model);
    };
    world.model.GenerateReport(true);
    EXPECT_EQ(world.view.log, (Log{"busy cursor", "normal cursor", "error Cancelled", "close"}));
    EXPECT_TRUE(world.model.CloseRequested());
    EXPECT_TRUE(world.model.Busy());
    EXPECT_EQ(world.model.PageCount(), 2);
    EXPECT_TRUE(world.model.MayClose());
  }
}

TEST(PreviewModelGenerationTest, CloseWhenIdleClosesAtOnce) {
  TPreviewWorld world({0});
  world.Generated();
  world.model.KeyReleased(TPreviewKey::kEscape, false);
  world.model.CancelClicked();
  EXPECT_EQ(world.view.log, (Log{"close", "close"}));
  EXPECT_FALSE(world.model.CloseRequested());
}

TEST(PreviewModelGenerationTest, FailuresShowTheReportsMessageAndKeepTheWindow) {
  struct Row {
    const char* name;
    bool fail;
    bool raise;
    const char* message;
  };
  const Row rows[] = {
      {"the report fails", true, false, "error No valid data found to process"},
      {"the generation throws", false, true, "error No Output Generated"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPreviewWorld world({0});
    world.report->fail = row.fail;
    world.report->raise = row.raise;
    world.model.GenerateReport(true);
    EXPECT_EQ(world.view.log, (Log{"busy cursor", "normal cursor", row.message}));
    EXPECT_TRUE(world.model.Busy());
    EXPECT_FALSE(world.model.PrintEnabled());
    EXPECT_EQ(world.model.CancelCaption(), "&Close");
    EXPECT_FALSE(world.model.Generating());
  }
}

TEST(PreviewModelGenerationTest, AFailureWithoutAMessageShowsNothing) {
  // No page drawn and no message set.
  TPreviewWorld world({});
  world.model.GenerateReport(true);
  EXPECT_EQ(world.view.log, (Log{"busy cursor", "normal cursor"}));
}

TEST(PreviewModelGenerationTest, AnotherReportGeneratesIntoAFreshRecorder) {
  TPreviewWorld world({0, 0, 0});
  TPreviewModel& m = world.model;
  world.report->HasNextReport = true;
  std::vector<bool> report_buttons;
  world.report->after_page = [&](int) {
    report_buttons.push_back(m.NextReportEnabled() || m.PrevReportEnabled());
  };
  world.Generated();
  EXPECT_TRUE(m.NextReportEnabled());
  EXPECT_FALSE(m.PrevReportEnabled());
  m.NextPageClicked();
  const int generation = m.Generation();
  world.report->orientations = {1};
  m.NextReportClicked();
  // The report has moved to its last subject.
  world.report->HasNextReport = false;
  world.report->HasPrevReport = true;
  EXPECT_EQ(world.recorders.size(), 2u);
  EXPECT_EQ(m.Generation(), generation + 1);
  EXPECT_EQ(m.PageCount(), 1);
  EXPECT_EQ(m.Pages()->Orientation(0), 1);
  EXPECT_EQ(m.FirstPage(), 0);
  EXPECT_EQ(m.PageLabel(), "Page 1 of 1");
  EXPECT_FALSE(m.NextReportEnabled());
  EXPECT_TRUE(m.PrevReportEnabled());
  m.NextReportClicked();  // disabled: nothing happens
  EXPECT_EQ(world.report->runs, 2);
  m.PrevReportClicked();
  EXPECT_EQ(world.report->runs, 3);
  EXPECT_EQ(report_buttons, std::vector<bool>(5, false));
}

TEST(PreviewModelGenerationTest, ReportButtonsDuringAGenerationDoNothing) {
  TPreviewWorld world({0, 0});
  world.report->HasNextReport = true;
  world.report->after_page = [&](int) {
    world.model.NextReportClicked();
    world.model.GenerateReport(false);
  };
  world.model.GenerateReport(true);
  EXPECT_EQ(world.report->runs, 1);
  EXPECT_EQ(world.model.PageCount(), 2);
}

}  // namespace
}  // namespace zelvora::testing
