// The preview window: generation into recorded pages, page navigation by
// buttons, keys and mouse, the enabling of its buttons, cancelling a
// generation, printing the shown page or the whole report, and saving a PDF.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
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
  QString PageLabel() { return window->findChild<QLabel*>("PageNoLbl")->text(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.data(), key, modifiers);
  }
};

TEST(PreviewTest, OnePageReportDisablesBothPageButtons) {
  PreviewRig rig({0});
  EXPECT_EQ(rig.PageLabel(), "No Report");
  EXPECT_FALSE(rig.Button("PrintPageBtn")->isEnabled());
  rig.window->GenerateReport(true);
  EXPECT_FALSE(rig.window->Busy());
  EXPECT_EQ(rig.PageLabel(), "Page 1 of 1");
  EXPECT_FALSE(rig.Button("PrevBtn")->isEnabled());
  EXPECT_FALSE(rig.Button("NextBtn")->isEnabled());
  rig.Key(Qt::Key_End);
  EXPECT_EQ(rig.window->FirstPage(), 0);
  rig.Key(Qt::Key_Home);
  EXPECT_EQ(rig.window->FirstPage(), 0);
  EXPECT_TRUE(rig.Button("PrintPageBtn")->isEnabled());
  EXPECT_TRUE(rig.Button("PrintAllBtn")->isEnabled());
  EXPECT_EQ(rig.Button("CancelBtn")->text(), "&Close");
}

TEST(PreviewTest, PagingByButtonsKeysAndMouse) {
  PreviewRig rig({0, 0, 0, 0});
  rig.window->GenerateReport(true);
  struct Step {
    const char* name;
    std::function<void()> act;
    int page;
  };
  QWidget* surface = rig.window->findChild<QWidget*>("PaintBox1");
  ASSERT_NE(surface, nullptr);
  const Step steps[] = {
      {"Page >>", [&] { rig.Button("NextBtn")->click(); }, 1},
      {"Page Down", [&] { rig.Key(Qt::Key_PageDown); }, 2},
      {"Left", [&] { rig.Key(Qt::Key_Left); }, 1},
      {"Ctrl+Page Down", [&] { rig.Key(Qt::Key_PageDown, Qt::ControlModifier); }, 3},
      {"Page Down on the last page", [&] { rig.Key(Qt::Key_PageDown); }, 3},
      {"Right on the last page", [&] { rig.Key(Qt::Key_Right); }, 3},
      {"left button", [&] { QTest::mouseClick(surface, Qt::LeftButton); }, 2},
      {"right button", [&] { QTest::mouseClick(surface, Qt::RightButton); }, 3},
      {"Ctrl+Page Up", [&] { rig.Key(Qt::Key_PageUp, Qt::ControlModifier); }, 0},
      {"Page Up on the first page", [&] { rig.Key(Qt::Key_PageUp); }, 0},
      {"End", [&] { rig.Key(Qt::Key_End); }, 3},
      {"<< Page", [&] { rig.Button("PrevBtn")->click(); }, 2},
      {"Home", [&] { rig.Key(Qt::Key_Home); }, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    EXPECT_EQ(rig.window->FirstPage(), step.page);
    EXPECT_EQ(rig.PageLabel(), QString("Page %1 of 4").arg(step.page + 1));
    EXPECT_EQ(rig.Button("PrevBtn")->isEnabled(), step.page > 0);
    EXPECT_EQ(rig.Button("NextBtn")->isEnabled(), step.page < 3);
  }
}

TEST(PreviewTest, PageFillsTheWidthAndLandscapePagesAreWide) {
  PreviewRig rig({0, 1});
  rig.window->GenerateReport(true);
  QWidget* surface = rig.window->findChild<QWidget*>("PaintBox1");
  EXPECT_TRUE(surface->isVisible());
  EXPECT_GT(surface->height(), surface->width());
  rig.Key(Qt::Key_PageDown);
  EXPECT_LT(surface->height(), surface->width());
  const QImage shot = surface->grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::white));
}

TEST(PreviewTest, PrintButtonsWaitForTheGenerationAndCanPrint) {
  PreviewRig rig({0, 0, 0});
  std::vector<bool> enabled_while_running;
  rig.report->after_page = [&](int) {
    enabled_while_running.push_back(rig.Button("PrintPageBtn")->isEnabled() ||
                                    rig.Button("PrintAllBtn")->isEnabled());
    EXPECT_EQ(rig.Button("CancelBtn")->text(), "Cancel");
  };
  rig.window->GenerateReport(true);
  EXPECT_EQ(enabled_while_running, (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(rig.Button("PrintAllBtn")->isEnabled());
  rig.report->CanPrint = false;
  rig.window->Refresh();
  EXPECT_FALSE(rig.Button("PrintPageBtn")->isEnabled());
  EXPECT_FALSE(rig.Button("PrintAllBtn")->isEnabled());
}

TEST(PreviewTest, CancelDuringGenerationShowsCancelledAndCloses) {
  PreviewRig rig({0, 0, 0, 0, 0});
  rig.report->after_page = [&](int n) {
    if (n == 2) rig.Button("CancelBtn")->click();
  };
  rig.window->GenerateReport(true);
  EXPECT_EQ(rig.errors, std::vector<std::string>{"Cancelled"});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(rig.window.isNull());
}

TEST(PreviewTest, FailedGenerationShowsTheReportsMessage) {
  PreviewRig rig({0});
  rig.report->fail = true;
  rig.window->GenerateReport(true);
  EXPECT_EQ(rig.errors, std::vector<std::string>{"No valid data found to process"});
  EXPECT_TRUE(rig.window->Busy());
  EXPECT_FALSE(rig.Button("PrintAllBtn")->isEnabled());
  EXPECT_FALSE(rig.window.isNull());
}

TEST(PreviewTest, PrintPageAndPrintReport) {
  PreviewRig rig({0, 1, 1, 0});
  rig.window->GenerateReport(true);
  rig.Key(Qt::Key_PageDown);
  rig.Button("PrintPageBtn")->click();
  EXPECT_EQ(rig.target->log, (std::vector<std::string>{"landscape", "begin Viewing Reports",
                                                       "page 2", "end", "portrait"}));
  rig.target->log.clear();
  rig.Button("PrintAllBtn")->click();
  // Mixed orientations print as consecutive jobs; the printer's own
  // orientation comes back at the end.
  EXPECT_EQ(rig.target->log,
            (std::vector<std::string>{"begin Viewing Reports", "page 1", "end", "landscape",
                                      "begin Viewing Reports", "page 2", "sheet", "page 3", "end",
                                      "portrait", "begin Viewing Reports", "page 4", "end"}));
  EXPECT_EQ(rig.target->orientation, 0);
  EXPECT_TRUE(rig.Button("PrintAllBtn")->isEnabled());
}

TEST(PreviewTest, AJobThatCannotStartPrintsNothing) {
  PreviewRig rig({0, 0});
  rig.window->GenerateReport(true);
  rig.target->refuse = true;
  rig.Button("PrintAllBtn")->click();
  EXPECT_EQ(rig.target->log, std::vector<std::string>{});
}

TEST(PreviewTest, SaveAsPdfWritesTheRecordedPages) {
  PreviewRig rig({0, 1});
  rig.window->GenerateReport(true);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "zelvora-preview-test.pdf";
  std::filesystem::remove(path);
  rig.window->AskPdfFile = [&] { return path.string(); };
  rig.Button("SavePdfBtn")->click();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_GT(std::filesystem::file_size(path), 500u);
  std::filesystem::remove(path);
  rig.window->SaveAsPdf("/nonexistent-folder/x.pdf");
  ASSERT_EQ(rig.errors.size(), 1u);
  EXPECT_EQ(rig.errors[0], "Could not write the file /nonexistent-folder/x.pdf.");
}

}  // namespace
}  // namespace zelvora::testing
