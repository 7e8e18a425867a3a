// Printing through the machine's print system: the preview and the print
// window print to a CUPS queue that writes PDF files (cups-pdf), and the
// files are read back with poppler's tools. When cupsd cannot be started or the
// queue cannot be made the tests are skipped with the reason.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <set>

#include "UI/Preview.h"
#include "UI/Prinform.h"
#include "UI/PrintWindowsFixture.h"
#include "UI/QPrinterTarget.h"

namespace zelvora::testing {
namespace {

constexpr const char* kQueue = "ZelvoraPDF";

// Runs a command; its exit code (-1 when it could not run) and output.
std::pair<int, QString> Command(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(20000)) return {-1, QString()};
  return {process.exitCode(),
          QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

// Why the queue cannot be used, or empty when it can.
QString PrepareQueue() {
  if (Command("lpstat", {"-r"}).second.contains("is running") == false) {
    const auto started = Command("cupsd", {});
    if (started.first != 0) return "cupsd cannot start: " + started.second.trimmed();
    QThread::msleep(1500);
    if (!Command("lpstat", {"-r"}).second.contains("is running"))
      return "cupsd was started but the scheduler is not running";
  }
  if (Command("lpstat", {"-p", kQueue}).first != 0) {
    const auto added = Command("lpadmin", {"-p", kQueue, "-v", "cups-pdf:/", "-E", "-m",
                                           "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
    if (added.first != 0) return "the PDF queue cannot be added: " + added.second.trimmed();
  }
  return QString();
}

QDir OutputFolder() { return QDir(QDir::homePath() + "/PDF"); }

std::set<QString> PdfFiles() {
  const QStringList names = OutputFolder().entryList({"*.pdf"}, QDir::Files);
  return {names.begin(), names.end()};
}

// The files written since `before` whose name holds `tag` (the job's title:
// the tests run side by side), in job order; waits until `jobs` files are
// there.
QString PagesWritten(const std::set<QString>& before, const QString& tag, int jobs) {
  QElapsedTimer timer;
  timer.start();
  std::vector<QString> fresh;
  while (timer.elapsed() < 60000) {
    fresh.clear();
    for (const QString& name : PdfFiles())
      if (!before.count(name) && name.contains(tag)) fresh.push_back(name);
    if (static_cast<int>(fresh.size()) >= jobs) break;
    QThread::msleep(200);
  }
  if (static_cast<int>(fresh.size()) < jobs) return "timeout";
  QThread::msleep(500);
  // Job order: cups-pdf numbers its files by job.
  const QRegularExpression job_number("job_(\\d+)");
  std::sort(fresh.begin(), fresh.end(), [&](const QString& a, const QString& b) {
    return job_number.match(a).captured(1).toInt() < job_number.match(b).captured(1).toInt();
  });
  // The page counts of the jobs, as "1|2|1". (The queue puts a landscape
  // page onto a portrait sheet turned by a quarter, so the sheets do not tell
  // the orientations apart; the jobs do, one per run of pages of one
  // orientation.)
  QString pages;
  const QRegularExpression count("Pages: +(\\d+)");
  for (const QString& name : fresh) {
    const QString info = Command("pdfinfo", {OutputFolder().filePath(name)}).second;
    if (!pages.isEmpty()) pages += "|";
    pages += count.match(info).captured(1);
  }
  return pages;
}

// The text of the files written since `before` whose name holds `tag`.
QString TextWritten(const std::set<QString>& before, const QString& tag) {
  QString text;
  for (const QString& name : PdfFiles())
    if (!before.count(name) && name.contains(tag))
      text += Command("pdftotext", {OutputFolder().filePath(name), "-"}).second;
  return text;
}

class CupsPrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString why = PrepareQueue();
    if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
    printer_.setPrinterName(kQueue);
    if (!printer_.isValid()) GTEST_SKIP() << "Qt does not list the queue " << kQueue;
  }
  std::unique_ptr<TPrintTarget> Target() { return std::make_unique<TQPrinterTarget>(&printer_); }
  QPrinter printer_{QPrinter::HighResolution};
};

TEST_F(CupsPrintingTest, MixedOrientationsPrintAsConsecutiveJobs) {
  const auto before = PdfFiles();
  auto* window = new TPrintForm(ShippedTexts(), TestSystemPrinter(), "");
  auto report = std::make_unique<TPagesReport>();
  report->orientations = {0, 1, 1, 0};
  report->subject = "Mixed";
  window->SetPrintTarget(Target());
  window->AttachReport(std::move(report));
  window->Run();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(PagesWritten(before, "Mixed", 3).toStdString(), "1|2|1");
  EXPECT_EQ(printer_.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(CupsPrintingTest, TwoCopiesGiveTwiceThePages) {
  const auto before = PdfFiles();
  auto* window = new TPrintForm(ShippedTexts(), TestSystemPrinter(), "");
  auto report = std::make_unique<TPagesReport>();
  report->orientations = {0, 0, 0};
  report->Copies = 2;
  report->subject = "Copies";
  window->SetPrintTarget(Target());
  window->AttachReport(std::move(report));
  window->Run();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(PagesWritten(before, "Copies", 1).toStdString(), "6");
  // What the pages say reaches the paper, not only their lines and boxes.
  // The queue's converter keeps the glyphs but not the letters they stand
  // for, so each sheet is only checked to carry text.
  const QStringList sheets = TextWritten(before, "Copies").split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(sheets.size(), 6);
  for (const QString& sheet : sheets)
    EXPECT_TRUE(std::any_of(sheet.begin(), sheet.end(), [](QChar c) { return !c.isSpace(); }));
}

TEST_F(CupsPrintingTest, PrintPageGivesOnePage) {
  auto* window = new TPrPreviewScr(ShippedTexts(), TestSystemPrinter());
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  auto report = std::make_unique<TPagesReport>();
  report->orientations = {0, 0, 0};
  report->subject = "OnePage";
  window->SetPrintTarget(Target());
  window->AttachReport(std::move(report));
  window->show();
  window->GenerateReport(true);
  const auto before = PdfFiles();
  window->findChild<QPushButton*>("PrintPageBtn")->click();
  EXPECT_EQ(PagesWritten(before, "OnePage", 1).toStdString(), "1");
  delete window;
}

}  // namespace
}  // namespace zelvora::testing
