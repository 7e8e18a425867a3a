// The desktop program run as real processes: one copy per data folder (a
// second copy raises the first and ends without a window; a copy that was
// killed does not block the next), and the screenshot run.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

#include "APP/TempFolder.h"

namespace zelvora {
namespace {

using testing::TempFolder;

constexpr int kStartTimeoutMs = 30000;

class DesktopProgramTest : public ::testing::Test {
 protected:
  ~DesktopProgramTest() override {
    for (QProcess* process : processes_) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
      }
      delete process;
    }
  }

  QProcess* Start(const QString& folder, const QStringList& more = {}) {
    auto* process = new QProcess;
    processes_.push_back(process);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(ZELVORA360_EXE, QStringList{"--data", folder} + more);
    EXPECT_TRUE(process->waitForStarted(kStartTimeoutMs));
    return process;
  }

  // The process id written in the folder's lock file, 0 when none.
  static qint64 LockHolder(const QString& folder) {
    QFile file(QDir(folder).filePath("zelvora360.LOK"));
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return file.readLine().trimmed().toLongLong();
  }

  // Waits until `process` holds the folder's lock (it is then at its About
  // box, which nobody closes).
  static bool WaitUntilHolding(const QString& folder, QProcess* process) {
    return QTest::qWaitFor([&] { return LockHolder(folder) == process->processId(); },
                           kStartTimeoutMs);
  }

  std::vector<QProcess*> processes_;
};

TEST_F(DesktopProgramTest, ASecondCopyOnTheSameFolderEndsAndAKilledHolderBlocksNothing) {
  TempFolder data;
  const QString folder = QString::fromStdString(data.path().string());
  QProcess* first = Start(folder);
  ASSERT_TRUE(WaitUntilHolding(folder, first));

  QProcess* second = Start(folder);
  ASSERT_TRUE(second->waitForFinished(kStartTimeoutMs));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(LockHolder(folder), first->processId());
  EXPECT_EQ(first->state(), QProcess::Running);

  ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
  ASSERT_TRUE(first->waitForFinished(kStartTimeoutMs));
  ASSERT_TRUE(QFile::exists(QDir(folder).filePath("zelvora360.LOK")));

  QProcess* third = Start(folder);
  EXPECT_TRUE(WaitUntilHolding(folder, third));
  EXPECT_EQ(third->state(), QProcess::Running);
}

TEST_F(DesktopProgramTest, CopiesOnDifferentFoldersRunSideBySide) {
  TempFolder one;
  TempFolder two;
  const QString a = QString::fromStdString(one.path().string());
  const QString b = QString::fromStdString(two.path().string());
  QProcess* first = Start(a);
  ASSERT_TRUE(WaitUntilHolding(a, first));
  QProcess* second = Start(b);
  EXPECT_TRUE(WaitUntilHolding(b, second));
  EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(DesktopProgramTest, TheScreenshotRunSavesEveryScreen) {
  TempFolder data;
  TempFolder shots;
  const QString out = QString::fromStdString(shots.path().string());
  QProcess* run = Start(QString::fromStdString(data.path().string()), {"--screenshots", out});
  ASSERT_TRUE(run->waitForFinished(kStartTimeoutMs));
  EXPECT_EQ(run->exitCode(), 0);
  const QStringList files = QDir(out).entryList({"*.png"}, QDir::Files, QDir::Name);
  EXPECT_EQ(files, (QStringList{"01-main-window.png",
                                "02-file-menu.png",
                                "03-utilities-menu.png",
                                "04-help-menu.png",
                                "05-about.png",
                                "06-flash-message.png",
                                "07-enter-password.png",
                                "08-passwords.png",
                                "09-wizard-start.png",
                                "10-wizard-question.png",
                                "11-wizard-finish.png",
                                "12-rater-about.png",
                                "13-rater-summary.png",
                                "14-survey-disks-create.png",
                                "15-survey-disks-read.png",
                                "16-backup-start.png",
                                "17-restore-message.png",
                                "18-backup-progress.png",
                                "19-control-center-organizations.png",
                                "20-control-center-surveys.png",
                                "21-control-center-questions.png",
                                "22-control-center-detail.png",
                                "23-name-new.png",
                                "24-name-edit.png",
                                "25-skill-area-new.png",
                                "26-skill-area-edit.png",
                                "27-question-new.png",
                                "28-question-edit.png",
                                "29-suggestion-new.png",
                                "30-suggestion-edit.png",
                                "31-survey-new.png",
                                "32-survey-edit.png",
                                "33-categories.png",
                                "34-rater-new.png",
                                "35-rater-edit.png",
                                "36-question-prefixes.png",
                                "37-date-new.png",
                                "38-date-edit.png",
                                "39-survey-selection.png",
                                "40-report-wizard-type.png",
                                "41-report-wizard-departments.png",
                                "42-report-wizard-experiences.png",
                                "43-report-wizard-report-select.png",
                                "44-preview-individual.png",
                                "45-print-window.png"}));
  for (const QString& file : files) {
    const QImage image(QDir(out).filePath(file));
    EXPECT_FALSE(image.isNull()) << file.toStdString();
    EXPECT_GT(image.width(), 50) << file.toStdString();
  }
}

TEST_F(DesktopProgramTest, ABadCommandLineIsRefusedWithTheUsage) {
  TempFolder data;
  QProcess* run = Start(QString::fromStdString(data.path().string()), {"--frobnicate"});
  ASSERT_TRUE(run->waitForFinished(kStartTimeoutMs));
  EXPECT_EQ(run->exitCode(), 2);
}

}  // namespace
}  // namespace zelvora
