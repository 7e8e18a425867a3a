// The backup/restore window's behaviour: captions, the pages it passes
// through, the waits at the drive, Cancel while the work runs, and how a
// failure is shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "APP/TempFolder.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "UI/model/BackupWorld.h"
#include "UI/model/Bkuprest.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;
using backupdisk::WriteLabel;

std::set<std::string> FileNamesOf(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class BkuprestModelTest : public ::testing::Test, protected TBackupWorld {
 protected:
  std::unique_ptr<TBkupRestModel> Model(TBackupMode mode) {
    auto model = std::make_unique<TBkupRestModel>(mode, db, ui, space, true);
    model->SetFolder(disk);
    return model;
  }

  TFolderFreeSpace space;
};

TEST_F(BkuprestModelTest, CaptionsAndStartTextsFollowTheMode) {
  struct Row {
    TBackupMode mode;
    const char* caption;
    const char* text;
  };
  const Row rows[] = {
      {TBackupMode::kBackup, "Full Backup",
       "Select the drive where you wish to place the backup data:"},
      {TBackupMode::kRestore, "Restore Backup",
       "Select the drive where you wish to restore the backup data from:"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    auto model = Model(row.mode);
    EXPECT_EQ(model->Caption(), row.caption);
    EXPECT_EQ(model->StartText(), row.text);
    EXPECT_EQ(model->Page(), TBkupRestPage::kStart);
  }
  EXPECT_STREQ(TBkupRestModel::kFormCaption, "Backup/Restore");
}

TEST_F(BkuprestModelTest, ABackupWaitsOnTheMessagePageThenShowsItsStagesOnTheProgressPage) {
  WriteBytes(disk + "/old.txt", "x");
  auto model = Model(TBackupMode::kBackup);
  TBkupRestPage page_at_wait = TBkupRestPage::kStart;
  std::string message_at_wait;
  ui.BeforeDiskAnswer = [&] {
    page_at_wait = model->Page();
    message_at_wait = model->Message();
    fs::remove(disk + "/old.txt");
  };
  ui.DiskAnswers.push_back(disk);
  EXPECT_EQ(model->Ok(), TBkupRestOutcome::kDone);
  EXPECT_EQ(page_at_wait, TBkupRestPage::kMessage);
  EXPECT_EQ(message_at_wait, "\nPlease use a disk which contains\nno files on it for this backup.");
  ASSERT_FALSE(ui.Progress.empty());
  EXPECT_EQ(ui.Progress.front(),
            (std::pair<std::string, int>{"\nPreparing database for backup...", 0}));
  EXPECT_EQ(ui.Progress.back(), (std::pair<std::string, int>{"\nSaving backup data...", 100}));
  EXPECT_TRUE(fs::exists(disk + "/Bk360.b1"));
  EXPECT_EQ(model->Page(), TBkupRestPage::kProgress);
}

TEST_F(BkuprestModelTest, CancelWhileTheWorkRunsStopsIt) {
  struct Row {
    TBackupMode mode;
    const char* stage;  // Cancel is pressed at the first progress of it
  };
  const Row rows[] = {{TBackupMode::kBackup, "\nPreparing database for backup..."},
                      {TBackupMode::kBackup, "\nSaving backup data..."},
                      {TBackupMode::kRestore, "\nReading backup data..."},
                      {TBackupMode::kRestore, "\nImporting backup data..."}};
  // A set to restore from.
  ASSERT_EQ(Model(TBackupMode::kBackup)->Ok(), TBkupRestOutcome::kDone);
  const auto backup_files = FileNamesOf(disk);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stage);
    const std::string folder = disks.File(std::string("run-") + std::to_string(ui.Log.size()));
    fs::create_directories(folder);
    auto model = Model(row.mode);
    if (row.mode == TBackupMode::kBackup) model->SetFolder(folder);
    ui = TFakeUserInterface();
    ui.OnProgress = [&](int) {
      if (model->Message() == row.stage) model->Cancel();
    };
    EXPECT_EQ(model->Ok(), TBkupRestOutcome::kCancelled);
    EXPECT_TRUE(FileNamesOf(folder).empty());
    EXPECT_FALSE(fs::exists(data.File("bk360.cmp")));
    EXPECT_FALSE(fs::exists(data.File("BkRest")));
    EXPECT_EQ(model->DatabaseChanged(), std::string(row.stage) == "\nImporting backup data...");
  }
  EXPECT_EQ(FileNamesOf(disk), backup_files);
}

TEST_F(BkuprestModelTest, AFailureIsShownAsAnErrorAndARestoreSaysWhenTheDatabaseChanged) {
  auto failing = Model(TBackupMode::kRestore);
  WriteLabel(disk, 1, "1/2/2026", 5);
  WriteBytes(disk + "/Bk360.b1", "SPIS!");
  EXPECT_EQ(failing->Ok(), TBkupRestOutcome::kFailed);
  ASSERT_EQ(ui.Log.size(), 1u);
  EXPECT_EQ(ui.Log[0].rfind("error: ", 0), 0u) << ui.Log[0];
  EXPECT_FALSE(failing->DatabaseChanged());

  fs::remove_all(disk);
  fs::create_directories(disk);
  ASSERT_EQ(Model(TBackupMode::kBackup)->Ok(), TBkupRestOutcome::kDone);
  auto restoring = Model(TBackupMode::kRestore);
  EXPECT_EQ(restoring->Ok(), TBkupRestOutcome::kDone);
  EXPECT_TRUE(restoring->DatabaseChanged());
  // OK again after the work ended does nothing: the window has closed.
  EXPECT_EQ(restoring->Ok(), TBkupRestOutcome::kNone);
}

}  // namespace
}  // namespace zelvora::testing
