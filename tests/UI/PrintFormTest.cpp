// The print window's run: generation, every copy of every recorded page sent
// to the printer in its orientation, the panels and gauge from the report's
// notifications, Cancel at any page, and the error box's OK and Cancel.
#include <gtest/gtest.h>

#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "UI/Prinform.h"
#include "UI/PrintWindowsFixture.h"

namespace zelvora::testing {
namespace {

using Log = std::vector<std::string>;

struct PrintRig {
  TPagesReport* report;
  TRecordingTarget* target;
  QPointer<TPrintForm> window;
  std::unique_ptr<TRecordingTarget> kept;

  explicit PrintRig(std::vector<std::uint8_t> orientations, int copies = 1) {
    window = new TPrintForm(ShippedTexts(), TestSystemPrinter(), " - Test");
    auto owned = std::make_unique<TPagesReport>();
    owned->orientations = std::move(orientations);
    owned->Copies = copies;
    report = owned.get();
    auto recording = std::make_unique<TRecordingTarget>();
    target = recording.get();
    window->SetPrintTarget(std::move(recording));
    window->AttachReport(std::move(owned));
  }
  ~PrintRig() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (window) delete window.data();
  }
};

TEST(PrintFormTest, TwoCopiesPrintThePagesTwiceInOneJob) {
  PrintRig rig({0, 0}, 2);
  std::vector<std::string> titles;
  rig.target->on_draw = [&](int) {
    titles.push_back(rig.window->Title().toStdString() + " / " +
                     rig.window->PageText().toStdString());
  };
  rig.window->Run();
  EXPECT_EQ(rig.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet",
                                  "page 2", "sheet", "page 1", "sheet", "page 2", "end"}));
  EXPECT_EQ(titles, (Log{"Printing Copy 1 / Page 1 of 2", "Printing Copy 1 / Page 2 of 2",
                         "Printing Copy 2 / Page 1 of 2", "Printing Copy 2 / Page 2 of 2"}));
  EXPECT_EQ(rig.report->runs, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(rig.window.isNull());
}

TEST(PrintFormTest, MixedOrientationsAreSeparateJobsAndTheOrientationComesBack) {
  PrintRig rig({1, 0});
  rig.window->Run();
  EXPECT_EQ(rig.target->log,
            (Log{"landscape", "begin Individual Feedback: Pat Example", "page 1", "end", "portrait",
                 "begin Individual Feedback: Pat Example", "page 2", "end"}));
  EXPECT_EQ(rig.target->orientation, 0);
}

TEST(PrintFormTest, GaugeFollowsTheReport) {
  PrintRig rig({0, 0, 0});
  std::vector<int> values;
  rig.report->after_page = [&](int) { values.push_back(rig.window->Gauge()->value()); };
  rig.window->Run();
  // The gauge moves on each page-progress notification, after the page.
  EXPECT_EQ(values, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(rig.window->Gauge()->maximum(), 3);
  EXPECT_EQ(rig.window->Gauge()->value(), 3);
}

TEST(PrintFormTest, CancelWhilePrintingAbortsTheJob) {
  PrintRig rig({0, 0, 0}, 2);
  rig.target->on_draw = [&](int index) {
    if (index == 1) rig.window->findChild<QPushButton*>("CancelBtn")->click();
  };
  rig.window->Run();
  EXPECT_EQ(rig.target->log,
            (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet", "page 2", "abort"}));
  EXPECT_TRUE(rig.window->Cancelled());
  EXPECT_EQ(rig.window->PageText(), "Printing Cancelled");
  EXPECT_EQ(rig.window->Title(), "No Report - Test");
}

TEST(PrintFormTest, CancelWhileGeneratingPrintsNothing) {
  PrintRig rig({0, 0, 0});
  rig.report->after_page = [&](int n) {
    if (n == 1) rig.window->CancelPrinting();
  };
  rig.window->Run();
  EXPECT_EQ(rig.target->log, Log{});
}

TEST(PrintFormTest, ErrorBoxOkGoesOnCancelStops) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    PrintRig rig({0});
    rig.report->fail = true;
    std::vector<std::string> asked;
    rig.window->AskContinue = [&](const std::string& text) {
      asked.push_back(text);
      return ok;
    };
    rig.window->Run();
    EXPECT_EQ(asked, Log{"No valid data found to process"});
    EXPECT_EQ(rig.window->Cancelled(), !ok);
    EXPECT_EQ(rig.target->log, Log{});
  }
}

TEST(PrintFormTest, AJobThatCannotStartCountsAsCancel) {
  PrintRig rig({0});
  rig.target->refuse = true;
  rig.window->Run();
  EXPECT_TRUE(rig.window->Cancelled());
}

}  // namespace
}  // namespace zelvora::testing
