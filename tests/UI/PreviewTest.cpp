// The preview window over its model: clicks, keys, mouse buttons and the
// wheel reach the model and the labels, buttons, status bar, scroll bar and
// page surface redraw from it; Cancel and closing during a generation close
// the window afterwards; the window prints through its target, saves a real
// PDF, and is a window to a screen reader.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>

#include "UI/Preview.h"
#include "UI/PrintWindowsFixture.h"

namespace zelvora::testing {
namespace {

struct PreviewRig {
  TPagesReport* report;
  TRecordingTarget* target;
  QPointer<TPrPreviewScr> window;
  std::vector<std::string> errors;

  explicit PreviewRig(std::vector<std::uint8_t> orientations) {
    window = new TPrPreviewScr(ShippedTexts(), TestSystemPrinter());
    auto owned = std::make_unique<TPagesReport>();
    owned->orientations = std::move(orientations);
    report = owned.get();
    auto recording = std::make_unique<TRecordingTarget>();
    target = recording.get();
    window->SetPrintTarget(std::move(recording));
    window->ShowError = [this](const std::string& text) { errors.push_back(text); };
    window->AttachReport(std::move(owned));
    window->show();
  }
  ~PreviewRig() {
    if (window) delete window.data();
  }
  QPushButton* Button(const char* name) { return window->findChild<QPushButton*>(name); }
  QString Label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
  QWidget* Surface() { return window->findChild<QWidget*>("PaintBox1"); }
  QScrollBar* Bar() { return window->findChild<QScrollArea*>("ScrollBox")->verticalScrollBar(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.data(), key, modifiers);
  }
};

TEST(PreviewTest, ClicksKeysAndMouseReachTheModelAndTheLabelsRedraw) {
  PreviewRig rig({0, 0, 0, 0});
  EXPECT_EQ(rig.Label("PageNoLbl"), "No Report");
  EXPECT_FALSE(rig.Surface()->isVisible());
  rig.window->GenerateReport(true);
  EXPECT_TRUE(rig.Surface()->isVisible());
  struct Step {
    const char* name;
    std::function<void()> act;
    int page;
  };
  const Step steps[] = {
      {"Page >>", [&] { rig.Button("NextBtn")->click(); }, 1},
      {"Page Down", [&] { rig.Key(Qt::Key_PageDown); }, 2},
      {"Left", [&] { rig.Key(Qt::Key_Left); }, 1},
      {"Ctrl+Page Down", [&] { rig.Key(Qt::Key_PageDown, Qt::ControlModifier); }, 3},
      {"left button", [&] { QTest::mouseClick(rig.Surface(), Qt::LeftButton); }, 2},
      {"right button", [&] { QTest::mouseClick(rig.Surface(), Qt::RightButton); }, 3},
      {"Home", [&] { rig.Key(Qt::Key_Home); }, 0},
      {"End", [&] { rig.Key(Qt::Key_End); }, 3},
      {"<< Page", [&] { rig.Button("PrevBtn")->click(); }, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    EXPECT_EQ(rig.window->FirstPage(), step.page);
    EXPECT_EQ(rig.Label("PageNoLbl"), QString("Page %1 of 4").arg(step.page + 1));
    EXPECT_EQ(rig.Button("PrevBtn")->isEnabled(), step.page > 0);
    EXPECT_EQ(rig.Button("NextBtn")->isEnabled(), step.page < 3);
  }
  EXPECT_EQ(rig.Label("RptNoLbl"), "Individual Feedback - Pat Example");
}

TEST(PreviewTest, KeysAndTheWheelMoveTheScrollBar) {
  PreviewRig rig({0, 0});
  rig.window->GenerateReport(true);
  QScrollBar* bar = rig.Bar();
  ASSERT_GT(bar->maximum(), 100) << "the page is taller than the window";
  EXPECT_EQ(rig.window->Model().ScrollRange(), bar->maximum());
  const int step = bar->maximum() / 10;
  rig.Key(Qt::Key_Down);
  EXPECT_EQ(bar->value(), step);
  QWheelEvent wheel(QPointF(5, 5), rig.Surface()->mapToGlobal(QPointF(5, 5)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(rig.Surface(), &wheel);
  EXPECT_EQ(bar->value(), 2 * step);
  bar->setValue(bar->maximum() - 1);
  rig.Key(Qt::Key_Down);
  EXPECT_EQ(bar->value(), bar->maximum());
  rig.Key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), 0);
  rig.Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), bar->maximum());
  rig.Key(Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), 0) << "a new page is shown from its top";
}

TEST(PreviewTest, PageFillsTheWidthAndLandscapePagesAreWide) {
  PreviewRig rig({0, 1});
  rig.window->GenerateReport(true);
  QWidget* surface = rig.Surface();
  EXPECT_GT(surface->height(), surface->width());
  rig.Key(Qt::Key_PageDown);
  EXPECT_LT(surface->height(), surface->width());
  const QImage shot = surface->grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::white));
}

TEST(PreviewTest, ButtonsAndStatusBarRedrawDuringTheGeneration) {
  PreviewRig rig({0, 0, 0});
  std::vector<std::string> seen;
  rig.report->after_page = [&](int) {
    QStatusBar* status = rig.window->findChild<QStatusBar*>("StatusHeader");
    seen.push_back((rig.Button("PrintPageBtn")->isEnabled() ? "print " : "") +
                   rig.Button("CancelBtn")->text().toStdString() + " " +
                   (status->isVisible() ? "status " : "") + rig.Label("StatusPage").toStdString());
  };
  rig.window->GenerateReport(true);
  EXPECT_EQ(seen, (std::vector<std::string>{"Cancel status Pat Example     ",
                                            "Cancel status Page 1", "Cancel status Page 2"}));
  EXPECT_TRUE(rig.Button("PrintPageBtn")->isEnabled());
  EXPECT_TRUE(rig.Button("PrintAllBtn")->isEnabled());
  EXPECT_EQ(rig.Button("CancelBtn")->text(), "&Close");
  EXPECT_FALSE(rig.window->findChild<QStatusBar*>("StatusHeader")->isVisible());
}

TEST(PreviewTest, CancellingAGenerationClosesTheWindowAfterwards) {
  struct Row {
    const char* name;
    std::function<void(PreviewRig&)> cancel;
  };
  const Row rows[] = {
      {"Cancel button", [](PreviewRig& rig) { rig.Button("CancelBtn")->click(); }},
      {"Esc", [](PreviewRig& rig) { rig.Key(Qt::Key_Escape); }},
      {"closing the window", [](PreviewRig& rig) { EXPECT_FALSE(rig.window->close()); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PreviewRig rig({0, 0, 0, 0, 0});
    rig.report->after_page = [&](int n) {
      if (n == 2) row.cancel(rig);
    };
    rig.window->GenerateReport(true);
    EXPECT_EQ(rig.errors, std::vector<std::string>{"Cancelled"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rig.window.isNull());
  }
}

TEST(PreviewTest, PrintButtonsPrintThroughTheTarget) {
  PreviewRig rig({0, 1});
  rig.window->GenerateReport(true);
  rig.Button("PrintPageBtn")->click();
  EXPECT_EQ(rig.target->log,
            (std::vector<std::string>{"begin Individual Feedback: Pat Example", "page 1", "end"}));
  rig.target->log.clear();
  rig.Button("PrintAllBtn")->click();
  EXPECT_EQ(rig.target->log,
            (std::vector<std::string>{"begin Individual Feedback: Pat Example", "page 1", "end",
                                      "landscape", "begin Individual Feedback: Pat Example",
                                      "page 2", "end", "portrait"}));
  EXPECT_TRUE(rig.Button("PrintAllBtn")->isEnabled());
}

TEST(PreviewTest, SaveAsPdfWritesTheRecordedPages) {
  PreviewRig rig({0, 1});
  rig.window->GenerateReport(true);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "zelvora-preview-test.pdf";
  std::filesystem::remove(path);
  rig.window->AskPdfFile = [&](const std::string&) { return path.string(); };
  rig.Button("SavePdfBtn")->click();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_GT(std::filesystem::file_size(path), 500u);
  std::filesystem::remove(path);
  rig.window->SaveAsPdf("/nonexistent-folder/x.pdf");
  ASSERT_EQ(rig.errors.size(), 1u);
  EXPECT_EQ(rig.errors[0], "Could not write the file /nonexistent-folder/x.pdf.");
}

TEST(PreviewTest, AScreenReaderSeesAWindowWithItsCaption) {
  PreviewRig rig({0});
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(rig.window.data());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Window);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Viewing Reports");
}

}  // namespace
}  // namespace zelvora::testing
