// Printing recorded pages on a QPrinter: a page's picture and its level
// text both reach the sheet (read back from a PDF printer with poppler's
// pdftotext), and pages of another recorder are refused.
#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <filesystem>

#include "UI/PrintWindowsFixture.h"
#include "UI/QPrinterTarget.h"
#include "report/prDelphi.h"

namespace zelvora::testing {
namespace {

TEST(QPrinterTargetTest, ThePagesLevelTextIsPrinted) {
  TDelphiScreen screen(TestSystemPrinter());
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  for (const char* text : {"Alpha Strengths", "Omega Needs"}) {
    screen.StartPage();
    screen.MoveTo(500, 500);
    screen.Print(text);
    screen.EndPage();
  }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "zelvora-qprinter-target-test.pdf";
  std::filesystem::remove(path);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path.string()));
  {
    TQPrinterTarget target(&printer);
    ASSERT_TRUE(target.BeginJob("Level text"));
    target.DrawPage(screen.Pages(), 0);
    target.NewSheet();
    target.DrawPage(screen.Pages(), 1);
    target.EndJob();
  }
  QProcess text;
  text.start("pdftotext", {QString::fromStdString(path.string()), "-"});
  if (!text.waitForFinished(20000) || text.exitCode() != 0)
    GTEST_SKIP() << "pdftotext cannot read the PDF";
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(printed.contains("Alpha Strengths")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("Omega Needs")) << printed.toStdString();
  std::filesystem::remove(path);
}

TEST(QPrinterTargetTest, PagesOfAnotherRecorderAreRefused) {
  TOrientationPages pages;
  pages.orientations = {0};
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "zelvora-qprinter-refused-test.pdf";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path.string()));
  TQPrinterTarget target(&printer);
  ASSERT_TRUE(target.BeginJob("Refused"));
  EXPECT_THROW(target.DrawPage(pages, 0), std::logic_error);
  target.AbortJob();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace zelvora::testing
