// The backup over real folders standing for disks: one disk or several
// (disks made small through the free-space cap), the checks of each disk,
// and what a cancel at each step leaves behind.
#include <gtest/gtest.h>

#include "BackupTestSupport.h"
#include "DB/Backup.h"
#include "base/DateTime.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;
using namespace backupdisk;

class BackupTest : public BackupDBTest {
 protected:
  void SetUp() override {
    BackupDBTest::SetUp();
    Fill(60);
  }
  std::string Disk(int n) {
    const std::string path = disks.File("disk" + std::to_string(n));
    fs::create_directories(path);
    return path;
  }
  TBackupOutcome Backup(const std::string& first, std::optional<std::uint64_t> disk_size = {}) {
    TFolderFreeSpace space(disk_size);
    TBackup backup(*db, space, user);
    backup.SetDate(EncodeDate(2026, 3, 7));
    TBackupOutcome outcome = backup.Run(first);
    disks_written = backup.DisksWritten();
    archive_size = backup.ArchiveSize();
    return outcome;
  }
  bool ArchiveLeft() const { return fs::exists(dir() + TSurveyDB::kArchiveName); }

  TempFolder disks;
  TScriptedOperator user;
  int disks_written = 0;
  std::uint64_t archive_size = 0;
};

TEST_F(BackupTest, ASmallArchiveTakesOneLabelAndOnePiece) {
  ASSERT_EQ(Backup(Disk(1)), TBackupOutcome::kDone);
  EXPECT_EQ(disks_written, 1);
  EXPECT_EQ(FileNames(Disk(1)), (std::set<std::string>{"Backup1", "Bk360.b1"}));
  EXPECT_EQ(ReadBytes(Disk(1) + "/Backup1"),
            "DATE:   3/7/2026 BK360\r\nDATA SIZE = " + std::to_string(archive_size) + "\r\n");
  EXPECT_EQ(fs::file_size(Disk(1) + "/Bk360.b1"), archive_size);
  EXPECT_FALSE(ArchiveLeft());
  EXPECT_EQ(user.Log, (std::vector<std::string>{"stage: \nPreparing database for backup...",
                                                "stage: \nSaving backup data..."}));
  EXPECT_EQ(user.Percents.back(), 100);
  // The database is open and usable again after the archive was made.
  EXPECT_GT(db->LiveRecordCount(fbScoreSheet), 0);
}

TEST_F(BackupTest, SmallDisksTakeWholeBlocksAndTheLabelsFitBeside) {
  const std::uint64_t disk_size = 2 * kBlockSize + 100;
  for (int n = 2; n <= 40; ++n) user.Answers.push_back({Disk(n), {}});
  ASSERT_EQ(Backup(Disk(1), disk_size), TBackupOutcome::kDone);
  ASSERT_GE(disks_written, 3);
  std::uint64_t joined = 0;
  for (int n = 1; n <= disks_written; ++n) {
    SCOPED_TRACE("disk " + std::to_string(n));
    const std::uint64_t piece = fs::file_size(Disk(n) + "/Bk360.b" + std::to_string(n));
    const std::uint64_t label = fs::file_size(Disk(n) + "/Backup" + std::to_string(n));
    EXPECT_LE(piece + label, disk_size);
    if (n < disks_written) {
      EXPECT_EQ(piece, 2 * kBlockSize);
    }
    EXPECT_EQ(ReadLabel(Disk(n), n), archive_size);
    joined += piece;
  }
  EXPECT_EQ(joined, archive_size);
  EXPECT_TRUE(FileNames(Disk(disks_written + 1)).empty());
  const std::size_t waits = static_cast<std::size_t>(
      std::count_if(user.Log.begin(), user.Log.end(), [](const std::string& line) {
        return line.rfind("wait: \nPlease insert the next blank\nbackup disk into drive ", 0) == 0;
      }));
  EXPECT_EQ(waits, static_cast<std::size_t>(disks_written - 1));
  // Progress never goes back within the saving stage and ends at 100.
  EXPECT_TRUE(std::is_sorted(user.Percents.end() - static_cast<long>(archive_size / kBlockSize),
                             user.Percents.end()));
  EXPECT_EQ(user.Percents.back(), 100);
}

TEST_F(BackupTest, BadDisksAreRefusedWithTheirMessagesUntilAGoodOneComes) {
  const std::string missing = disks.File("no-such-drive");
  const std::string full = Disk(1);
  WriteBytes(full + "/notes.txt", "x");
  // Not ready, then a disk with a file on it, then that disk emptied.
  user.Answers.push_back({full, {}});
  user.Answers.push_back({full, [&] { fs::remove(full + "/notes.txt"); }});
  ASSERT_EQ(Backup(missing), TBackupOutcome::kDone);
  ASSERT_EQ(user.Log.size(), 4u);
  EXPECT_EQ(user.Log[0], "wait: \nDrive " + missing +
                             " is invalid or not ready.\nCorrect the problem and then retry.");
  EXPECT_EQ(user.Log[1],
            "wait: \nPlease use a disk which contains\nno files on it for this backup.");
  EXPECT_EQ(FileNames(full), (std::set<std::string>{"Backup1", "Bk360.b1"}));
}

TEST_F(BackupTest, ANextDiskWithFilesIsRefusedToo) {
  WriteBytes(Disk(2) + "/old.txt", "x");
  for (int n = 3; n <= 40; ++n) user.Answers.push_back({Disk(n), {}});
  user.Answers.push_front({Disk(2), {}});
  ASSERT_EQ(Backup(Disk(1), 2 * kBlockSize + 200), TBackupOutcome::kDone);
  EXPECT_EQ(user.Log[3],
            "wait: \nPlease use a disk which contains\nno files on it for this backup.");
  EXPECT_EQ(FileNames(Disk(2)), (std::set<std::string>{"old.txt"}));
  EXPECT_TRUE(fs::exists(Disk(3) + "/Bk360.b2"));
}

TEST_F(BackupTest, ADiskWithoutRoomForOneBlockIsRefused) {
  TFolderFreeSpace space(100);
  TBackup backup(*db, space, user);
  const std::string disk = Disk(1);
  EXPECT_EQ(backup.Run(disk), TBackupOutcome::kCancelled);
  EXPECT_EQ(user.Log.back(), "wait: \nThe disk in drive " + disk +
                                 " has no room\nfor the backup. Please use another disk.");
  EXPECT_TRUE(FileNames(disk).empty());
  EXPECT_FALSE(ArchiveLeft());
}

// A cancel at each step: what stays on the disks and in the data folder.
TEST_F(BackupTest, ACancelAtEachStepRemovesTheCurrentDisksFilesAndTheArchive) {
  struct Row {
    const char* name;
    std::function<void(TScriptedOperator&)> arrange;
    int disks_kept;  // finished disks whose files stay
  };
  const std::vector<Row> rows = {
      {"at the first disk's check", [](TScriptedOperator& u) { u.CancelAtLogSize = 0; }, 0},
      {"while archiving",
       [](TScriptedOperator& u) { u.CancelWhenStage = "\nPreparing database for backup..."; }, 0},
      {"while writing disk 1",
       [](TScriptedOperator& u) { u.CancelWhenStage = "\nSaving backup data..."; }, 0},
      {"at the prompt for disk 2", [](TScriptedOperator& u) { u.Answers.clear(); }, 0},
      {"while writing disk 2",
       [](TScriptedOperator& u) {
         u.Answers.front().before = [&u] { u.CancelAfterProgresses = 1; };
       },
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (int n = 1; n <= 3; ++n) fs::remove_all(Disk(n));
    user = TScriptedOperator();
    for (int n = 2; n <= 40; ++n) user.Answers.push_back({Disk(n), {}});
    row.arrange(user);
    EXPECT_EQ(Backup(Disk(1), 2 * kBlockSize + 200), TBackupOutcome::kCancelled);
    EXPECT_FALSE(ArchiveLeft());
    for (int n = 1; n <= 2; ++n) {
      const std::set<std::string> expected =
          n <= row.disks_kept
              ? std::set<std::string>{"Backup" + std::to_string(n), "Bk360.b" + std::to_string(n)}
              : std::set<std::string>{};
      EXPECT_EQ(FileNames(Disk(n)), expected) << "disk " << n;
    }
    EXPECT_GT(db->LiveRecordCount(fbCompany), 0);
  }
}

}  // namespace
}  // namespace zelvora::testing
