// The print window over its run: the title and page panels and the gauge
// redraw from the run while it prints, the Cancel button, Esc and closing
// the window cancel it, the error box's answer reaches the run, the window
// frees itself afterwards, and it is a dialog to a screen reader.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "UI/Prinform.h"
#include "UI/PrintWindowsFixture.h"

namespace zelvora::testing {
namespace {

using Log = std::vector<std::string>;

struct PrintRig {
  TPagesReport* report;
  TRecordingTarget* target;
  QPointer<TPrintForm> window;

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

TEST(PrintFormTest, PanelsRedrawWhilePrintingAndTheWindowFreesItself) {
  PrintRig rig({0, 0}, 2);
  EXPECT_EQ(rig.window->Title(), "Printing Reports - Test");
  std::vector<std::string> titles;
  rig.target->on_draw = [&](int) {
    EXPECT_TRUE(rig.window->isVisible());
    titles.push_back(rig.window->Title().toStdString() + " / " +
                     rig.window->PageText().toStdString());
  };
  rig.window->Run();
  EXPECT_EQ(titles, (Log{"Printing Copy 1 / Page 1 of 2", "Printing Copy 1 / Page 2 of 2",
                         "Printing Copy 2 / Page 1 of 2", "Printing Copy 2 / Page 2 of 2"}));
  EXPECT_EQ(rig.target->log.front(), "begin Individual Feedback: Pat Example");
  EXPECT_FALSE(rig.window->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(rig.window.isNull());
}

TEST(PrintFormTest, GaugeFollowsTheReport) {
  PrintRig rig({0, 0, 0});
  std::vector<int> values;
  rig.report->after_page = [&](int) {
    EXPECT_FALSE(rig.window->findChild<QWidget*>("GaugePanel")->isHidden());
    values.push_back(rig.window->Gauge()->value());
  };
  rig.window->Run();
  EXPECT_EQ(values, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(rig.window->Gauge()->maximum(), 3);
  EXPECT_EQ(rig.window->Gauge()->value(), 3);
}

TEST(PrintFormTest, CancelButtonEscAndClosingCancelTheRun) {
  struct Row {
    const char* name;
    std::function<void(TPrintForm&)> cancel;
  };
  const Row rows[] = {
      {"Cancel button", [](TPrintForm& w) { w.findChild<QPushButton*>("CancelBtn")->click(); }},
      {"Esc", [](TPrintForm& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
      {"closing the window", [](TPrintForm& w) { EXPECT_FALSE(w.close()); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PrintRig rig({0, 0, 0}, 2);
    rig.target->on_draw = [&](int index) {
      if (index == 1) row.cancel(*rig.window);
    };
    rig.window->Run();
    EXPECT_EQ(rig.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet",
                                    "page 2", "abort"}));
    EXPECT_TRUE(rig.window->Cancelled());
    EXPECT_EQ(rig.window->PageText(), "Printing Cancelled");
    EXPECT_EQ(rig.window->Title(), "No Report - Test");
  }
}

TEST(PrintFormTest, TheErrorBoxAnswerReachesTheRun) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    PrintRig rig({0});
    rig.report->fail = true;
    Log asked;
    rig.window->AskContinue = [&](const std::string& text) {
      asked.push_back(text);
      return ok;
    };
    rig.window->Run();
    EXPECT_EQ(asked, Log{"No valid data found to process"});
    EXPECT_EQ(rig.window->Cancelled(), !ok);
  }
}

TEST(PrintFormTest, AScreenReaderSeesADialogWithItsCaption) {
  PrintRig rig({0});
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(rig.window.data());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Dialog);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Printing Reports");
}

}  // namespace
}  // namespace zelvora::testing
