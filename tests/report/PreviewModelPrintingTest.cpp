// The preview model's printing: the shown page or the whole report, mixed
// orientations as consecutive jobs with the printer's orientation restored,
// a job that cannot start, Cancel during a print, the states of the buttons
// and the status texts while printing, and saving the pages as a PDF.
#include <gtest/gtest.h>

#include "report/PreviewWorld.h"

namespace zelvora::testing {
namespace {

using Log = std::vector<std::string>;

TEST(PreviewModelPrintingTest, PrintPageAndPrintReport) {
  TPreviewWorld world({0, 1, 1, 0});
  world.Generated();
  TPreviewModel& m = world.model;
  EXPECT_EQ(world.targets_made, 0) << "no printer is opened before the first print";
  m.NextPageClicked();
  std::vector<std::string> states;
  const auto note = [&] {
    states.push_back(m.CancelCaption() + (m.CancelEnabled() ? "" : " (disabled)") +
                     (m.PrintEnabled() ? " print" : "") + " [" + m.StatusSubject() + "] [" +
                     m.StatusPage() + "]");
  };
  world.view.on_events = note;
  m.PrintPageClicked();
  EXPECT_EQ(world.target->log, (Log{"landscape", "begin Individual Feedback: Pat Example", "page 2",
                                    "end", "portrait"}));
  EXPECT_EQ(states, (Log{"&Close (disabled) [] [Printing...]",
                         "&Close (disabled) [Page 2] [Printing...]"}));
  EXPECT_TRUE(m.CancelEnabled());
  EXPECT_FALSE(m.StatusVisible());

  world.target->log.clear();
  states.clear();
  m.PrintAllClicked();
  EXPECT_EQ(world.target->log,
            (Log{"begin Individual Feedback: Pat Example", "page 1", "end", "landscape",
                 "begin Individual Feedback: Pat Example", "page 2", "sheet", "page 3", "end",
                 "portrait", "begin Individual Feedback: Pat Example", "page 4", "end"}));
  EXPECT_EQ(world.target->orientation, 0);
  EXPECT_EQ(states.front(), "Cancel [] [Printing...]");
  EXPECT_EQ(states.back(), "Cancel [Page 4] [Printing...]");
  EXPECT_EQ(m.CancelCaption(), "&Close");
  EXPECT_TRUE(m.PrintEnabled());
  EXPECT_EQ(world.targets_made, 1);
  EXPECT_TRUE(world.view.log.empty());
}

TEST(PreviewModelPrintingTest, ThePrintersOwnOrientationComesBack) {
  TPreviewWorld world({0, 0});
  world.Generated();
  auto target = std::make_unique<TRecordingTarget>();
  TRecordingTarget* printer = target.get();
  printer->orientation = 1;
  world.model.SetPrintTarget(std::move(target));
  world.model.PrintPages(-1, -1);
  EXPECT_EQ(printer->log, (Log{"portrait", "begin Individual Feedback: Pat Example", "page 1",
                               "sheet", "page 2", "end", "landscape"}));
  EXPECT_EQ(world.targets_made, 0);
}

TEST(PreviewModelPrintingTest, PageRangesAreClampedToTheRecordedPages) {
  struct Row {
    int from;
    int to;
    Log pages;
  };
  const Row rows[] = {
      {-1, -1, {"page 1", "page 2", "page 3"}},
      {1, -1, {"page 2", "page 3"}},
      {0, 99, {"page 1", "page 2", "page 3"}},
      {2, 1, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.from) + ".." + std::to_string(row.to));
    TPreviewWorld world({0, 0, 0});
    world.Generated();
    world.model.PrintPages(row.from, row.to);
    Log pages;
    for (const std::string& entry : world.target->log)
      if (entry.rfind("page ", 0) == 0) pages.push_back(entry);
    EXPECT_EQ(pages, row.pages);
  }
}

TEST(PreviewModelPrintingTest, AJobThatCannotStartPrintsNothing) {
  TPreviewWorld world({0, 0});
  world.Generated();
  world.model.PrintAllClicked();
  world.target->log.clear();
  world.target->refuse = true;
  world.view.log.clear();
  world.model.PrintAllClicked();
  EXPECT_EQ(world.target->log, Log{});
  EXPECT_FALSE(world.model.Printing());
  EXPECT_TRUE(world.model.PrintEnabled());
  EXPECT_EQ(world.view.log, Log{"error Printing could not start on Test Printer."})
      << "a click on Print never passes in silence";
}

TEST(PreviewModelPrintingTest, CancelDuringPrintReportAbortsAndCloses) {
  TPreviewWorld world({0, 0, 0, 0});
  world.Generated();
  auto owned = std::make_unique<TRecordingTarget>();
  TRecordingTarget* printer = owned.get();
  world.model.SetPrintTarget(std::move(owned));
  printer->on_draw = [&](int index) {
    if (index == 1) world.model.CancelClicked();
  };
  world.model.PrintAllClicked();
  EXPECT_EQ(printer->log,
            (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet", "page 2", "abort"}));
  EXPECT_EQ(world.view.log, Log{"close"});
  EXPECT_EQ(world.report->runs, 1) << "a cancelled print leaves the report alone";
}

TEST(PreviewModelPrintingTest, NothingRegeneratesThePagesBeingPrinted) {
  TPreviewWorld world({0, 0, 0});
  world.report->HasNextReport = true;
  world.report->HasPrevReport = true;
  world.Generated();
  world.model.PrintPages(-1, -1);
  world.target->log.clear();
  std::vector<bool> enabled;
  world.target->on_draw = [&](int) {
    enabled.push_back(world.model.NextReportEnabled() || world.model.PrevReportEnabled() ||
                      world.model.PrintEnabled() || world.model.SavePdfEnabled());
    world.model.NextReportClicked();
    world.model.GenerateReport(false);
    world.model.PrintPageClicked();
  };
  world.model.PrintAllClicked();
  EXPECT_EQ(world.report->runs, 1);
  EXPECT_EQ(enabled, std::vector<bool>(3, false));
  EXPECT_EQ(world.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet",
                                    "page 2", "sheet", "page 3", "end"}));
  EXPECT_TRUE(world.model.NextReportEnabled());
}

TEST(PreviewModelPrintingTest, NothingPrintsWithoutPagesOrWhenTheReportForbidsIt) {
  TPreviewWorld world({0});
  world.model.PrintAllClicked();
  world.model.PrintPages(-1, -1);
  EXPECT_EQ(world.targets_made, 0);
  world.Generated();
  world.report->CanPrint = false;
  world.model.PrintAllClicked();
  world.model.PrintPageClicked();
  EXPECT_EQ(world.targets_made, 0);
}

TEST(PreviewModelPrintingTest, SaveAsPdfAsksForAFileAndShowsAFailure) {
  TPreviewWorld world({0, 1});
  world.model.SavePdfClicked();
  EXPECT_EQ(world.view.log, Log{}) << "nothing to save before the pages are there";
  world.Generated();
  world.model.SavePdfClicked();
  const std::string ask = "ask pdf Individual Feedback - Pat Example.pdf";
  EXPECT_EQ(world.view.log, Log{ask}) << "an empty answer saves nothing";
  world.view.pdf_answer = "/tmp/report.pdf";
  world.model.SavePdfClicked();
  world.view.pdf_answer = "/tmp/typed-without-suffix";
  world.model.SavePdfClicked();
  world.view.pdf_answer = "/missing-folder/report.pdf";
  world.model.SavePdfClicked();
  const auto& pages = dynamic_cast<const TOrientationPages&>(*world.model.Pages());
  EXPECT_EQ(pages.saved, (Log{"/tmp/report.pdf x1", "/tmp/typed-without-suffix.pdf x1"}));
  EXPECT_EQ(world.view.log, (Log{ask, ask, ask, ask,
                                 "error Could not write the file /missing-folder/report.pdf."}));
}

TEST(PreviewModelPrintingTest, TheOfferedFileNameIsFitForAFile) {
  TPreviewWorld world({0});
  world.report->subject = "R&D/Ops: \"A?\"";
  world.Generated();
  world.model.SavePdfClicked();
  EXPECT_EQ(world.view.log, Log{"ask pdf Individual Feedback - R&D_Ops - _A__.pdf"});
}

}  // namespace
}  // namespace zelvora::testing
