// The "Backup/Restore" window under the offscreen platform: its captions and
// accessible names, a backup and a restore run from the OK button, the
// message page's wait answered with Cancel, Cancel on the progress page,
// and the screens for the screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "APP/TempFolder.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "UI/Bkuprest.h"
#include "UI/model/BackupWorld.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

class BkuprestFormTest : public ::testing::Test, protected TBackupWorld {
 protected:
  template <class W>
  static W* Child(QWidget& form, const char* name) {
    W* widget = form.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // Runs `step` as soon as the event loop turns (inside the work).
  static void Soon(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }
};

TEST_F(BkuprestFormTest, CaptionsAndAccessibleNames) {
  TBkupRestForm backup(nullptr, TBackupMode::kBackup, db, ui, true);
  EXPECT_EQ(backup.windowTitle(), "Full Backup");
  EXPECT_EQ(Child<QLabel>(backup, "StartLbl")->text(),
            "Select the drive where you wish to place the backup data:");
  EXPECT_EQ(Child<QLineEdit>(backup, "DriveEdit")->accessibleName(), "Drive or folder");
  EXPECT_EQ(Child<QPushButton>(backup, "BrowseBtn")->text(), "&Browse...");
  EXPECT_EQ(Child<QProgressBar>(backup, "ProgressBar")->maximum(), 100);
  TBkupRestForm restore(nullptr, TBackupMode::kRestore, db, ui, true);
  EXPECT_EQ(restore.windowTitle(), "Restore Backup");
}

TEST_F(BkuprestFormTest, OkRunsTheBackupAndTheRestoreAndTheWindowCloses) {
  TBkupRestForm backup(nullptr, TBackupMode::kBackup, db, ui, true);
  backup.show();
  Child<QLineEdit>(backup, "DriveEdit")->setText(QString::fromStdString(disk));
  QTest::mouseClick(Child<QPushButton>(backup, "OkBtn"), Qt::LeftButton);
  EXPECT_EQ(backup.Model().Outcome(), TBkupRestOutcome::kDone);
  EXPECT_FALSE(backup.isVisible());
  EXPECT_EQ(backup.result(), QDialog::Accepted);
  EXPECT_TRUE(fs::exists(disk + "/Bk360.b1"));
  EXPECT_EQ(Child<QProgressBar>(backup, "ProgressBar")->value(), 100);

  TBkupRestForm restore(nullptr, TBackupMode::kRestore, db, ui, true);
  restore.show();
  Child<QLineEdit>(restore, "DriveEdit")->setText(QString::fromStdString(disk));
  QTest::keyClick(Child<QPushButton>(restore, "OkBtn"), Qt::Key_Space);
  EXPECT_EQ(restore.Model().Outcome(), TBkupRestOutcome::kDone);
  EXPECT_TRUE(restore.Model().DatabaseChanged());
  EXPECT_TRUE(ui.Log.empty());
}

TEST_F(BkuprestFormTest, TheMessagePageWaitsAndCancelEndsTheWork) {
  WriteBytes(disk + "/notes.txt", "x");
  TBkupRestForm form(nullptr, TBackupMode::kBackup, db, ui, true);
  form.show();
  Child<QLineEdit>(form, "DriveEdit")->setText(QString::fromStdString(disk));
  QString shown;
  int page = -1;
  QString folder;
  Soon([&] {
    shown = Child<QLabel>(form, "MessageLbl")->text();
    page = Child<QStackedWidget>(form, "Pages")->currentIndex();
    folder = Child<QLineEdit>(form, "MsgDriveEdit")->text();
    QTest::mouseClick(Child<QPushButton>(form, "MsgCancelBtn"), Qt::LeftButton);
  });
  QTest::mouseClick(Child<QPushButton>(form, "OkBtn"), Qt::LeftButton);
  EXPECT_EQ(shown, "\nPlease use a disk which contains\nno files on it for this backup.");
  EXPECT_EQ(page, 1);
  EXPECT_EQ(folder.toStdString(), disk);
  EXPECT_EQ(form.Model().Outcome(), TBkupRestOutcome::kCancelled);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(BkuprestFormTest, CancelOnTheProgressPageStopsTheBackup) {
  TBkupRestForm form(nullptr, TBackupMode::kBackup, db, ui, true);
  form.show();
  Child<QLineEdit>(form, "DriveEdit")->setText(QString::fromStdString(disk));
  Soon([&] { QTest::mouseClick(Child<QPushButton>(form, "ProgCancelBtn"), Qt::LeftButton); });
  QTest::mouseClick(Child<QPushButton>(form, "OkBtn"), Qt::LeftButton);
  EXPECT_EQ(form.Model().Outcome(), TBkupRestOutcome::kCancelled);
  EXPECT_TRUE(fs::is_empty(disk));
  EXPECT_FALSE(fs::exists(data.File("bk360.cmp")));
}

TEST_F(BkuprestFormTest, ScreensShowTheirPages) {
  struct Row {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    int page;
    const char* label;
    QString text;
  };
  const Row rows[] = {
      {"start", MakeBkupRestStartScreen, 0, "StartLbl",
       "Select the drive where you wish to place the backup data:"},
      {"message", MakeBkupRestMessageScreen, 1, "MessageLbl",
       QString::fromUtf8("\nPlease insert 360\xC2\xB0 backup\ndisk 2 into drive /media/backup:")},
      {"progress", MakeBkupRestProgressScreen, 2, "StageLbl", "\nSaving backup data..."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::unique_ptr<QWidget> screen = row.make();
    EXPECT_EQ(Child<QStackedWidget>(*screen, "Pages")->currentIndex(), row.page);
    EXPECT_EQ(Child<QLabel>(*screen, row.label)->text(), row.text);
    EXPECT_FALSE(screen->grab().isNull());
  }
}

}  // namespace
}  // namespace zelvora::testing
