// The restore over real folders: round trips through several disks, the
// merge by date into a database that moved on, the three record
// generations, the all-or-nothing check of a damaged or incomplete set,
// wrong and empty disks, and a cancel at each step.
#include <gtest/gtest.h>

#include "BackupTestSupport.h"
#include "DB/Backup.h"
#include "DB/RecordGenerations.h"
#include "DB/Restore.h"
#include "store/Compress.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;
using namespace backupdisk;

constexpr std::uint64_t kSmallDisk = 2 * kBlockSize + 100;

class RestoreTest : public BackupDBTest {
 public:
  void SetUp() override {
    BackupDBTest::SetUp();
    // The counter as it was before anything was made, for the test of the
    // ID source after a restore.
    fresh_counter = ReadBytes(dir() + TIDCounterFile::kFileName);
    Fill(60);
  }
  std::string Disk(int n) {
    const std::string path = disks.File("disk" + std::to_string(n));
    fs::create_directories(path);
    return path;
  }
  // Backs the fixture's database up onto disk1, disk2, ...; the number of disks.
  int MakeBackup(std::uint64_t disk_size = kSmallDisk) {
    TScriptedOperator writer;
    for (int n = 2; n <= 60; ++n) writer.Answers.push_back({Disk(n), {}});
    TFolderFreeSpace space(disk_size);
    TBackup backup(*db, space, writer);
    EXPECT_EQ(backup.Run(Disk(1)), TBackupOutcome::kDone);
    return backup.DisksWritten();
  }
  // A second database in its own folder: the one restored into.
  TSurveyDB& Target() {
    if (!target) {
      target = std::make_unique<TSurveyDB>();
      target->Open(target_dir.path().string());
    }
    return *target;
  }
  TRestoreOutcome Restore(TSurveyDB& into, int disks_after_first = 60, bool delete_work = true) {
    for (int n = 2; n <= 1 + disks_after_first; ++n) user.Answers.push_back({Disk(n), {}});
    TFolderFreeSpace space;
    TRestore restore(into, space, user, delete_work);
    const TRestoreOutcome outcome = restore.Run(Disk(1));
    merged = restore.RecordsMerged();
    return outcome;
  }
  std::string WorkFolder(TSurveyDB& into) { return into.DataDir() + TRestore::kWorkFolder; }

  // Writes a one-disk set onto disk1 from data files put into a staging
  // folder by `stage`, which gets the staging folder and returns the file
  // names to pack.
  void MakeHandMadeSet(const std::function<std::vector<std::string>(const fs::path&)>& stage) {
    CloseAll();
    const fs::path staging = disks.path() / "staging";
    fs::create_directories(staging);
    std::vector<fs::path> files;
    for (const std::string& name : stage(staging)) files.emplace_back(name);
    const fs::path archive = disks.path() / "set.cmp";
    TCompress().CompressFiles(archive, staging, files, TCompress::kMethodLzh);
    const std::string bytes = ReadBytes(archive.string());
    WriteLabel(Disk(1), 1, "3/7/2026", bytes.size());
    WriteBytes(Disk(1) + "/Bk360.b1", bytes);
    Reopen();
  }
  // Copies every current data file into `staging`; returns their names.
  std::vector<std::string> CopyDataFiles(const fs::path& staging) {
    std::vector<std::string> names;
    for (int i = 0; i < kFileblockCount; ++i) {
      names.push_back(std::string(FileblockInfo(i).BaseName) + ".DAT");
      fs::copy_file(DataPath(i), staging / names.back(), fs::copy_options::overwrite_existing);
    }
    return names;
  }

  TempFolder disks;
  TempFolder target_dir;
  std::unique_ptr<TSurveyDB> target;
  TScriptedOperator user;
  std::int64_t merged = 0;
  std::string fresh_counter;
};

TEST_F(RestoreTest, ABackupOverSeveralDisksRestoresTheSameDatabaseAndASecondRestoreChangesNothing) {
  const auto source = AllRecords(*db);
  const int written = MakeBackup();
  ASSERT_GE(written, 3);
  ASSERT_EQ(Restore(Target()), TRestoreOutcome::kDone);
  EXPECT_EQ(merged, static_cast<std::int64_t>(source.size()));
  EXPECT_EQ(AllRecords(Target()), source);
  EXPECT_FALSE(fs::exists(WorkFolder(Target())));
  // Disks 2 and on were asked for in order, each by its number.
  EXPECT_EQ(user.Log[1],
            "wait: \nPlease insert 360\xC2\xB0 backup\ndisk 2 into drive " + Disk(1) + ":");

  user = TScriptedOperator();
  ASSERT_EQ(Restore(Target()), TRestoreOutcome::kDone);
  EXPECT_EQ(merged, 0);
  EXPECT_EQ(AllRecords(Target()), source);
}

TEST_F(RestoreTest, RecordsMergeByDateAndNothingIsDeleted) {
  TCompany* company = root->Companies().At(0);
  TDepartment* department = company->Departments().At(0);
  const TObjectID kept_id = department->Subjects().At(0)->ID;
  const TObjectID gone_id = department->Subjects().At(1)->ID;
  MakeBackup();
  const auto at_backup = AllRecords(*db);

  // After the backup: one subject renamed (newer than the backup), one
  // deleted, one new; one score sheet set back to an older state.
  TSubject* renamed = department->Subjects().At(0);
  renamed->Name = "Renamed later";
  renamed->Date += 1.0;
  db->Update(*renamed);
  department->Subjects().Delete(1);
  const TObjectID new_id = MakeSubject(*department, "Added later")->ID;
  TScoreSheet* sheet = department->Subjects().At(5)->Experiences().At(0)->ScoreSheets().At(0);
  const TObjectID sheet_id = sheet->ID;
  std::vector<unsigned char> stored_sheet;
  for (const auto& [key, record] : AllRecords(*db)) {
    if (key.first == fbScoreSheet && RecordID(record) == sheet_id) stored_sheet = record;
  }
  auto older_sheet = stored_sheet;
  older_sheet[66] = 5;  // first answer
  const double old_date = 30000.0;
  std::memcpy(older_sheet.data() + 58, &old_date, 8);
  ASSERT_TRUE(db->MergeRecord(fbScoreSheet, true, older_sheet));

  root.reset();
  ASSERT_EQ(Restore(*db), TRestoreOutcome::kDone);
  // At least the deleted subject and the older sheet came back.
  EXPECT_GE(merged, 2);
  const auto after = AllRecords(*db);
  for (const auto& [key, record] : at_backup) EXPECT_TRUE(after.count(key)) << key.second;
  auto record_of = [&](int fileblock, const TObjectID& id) {
    auto it = after.find({fileblock, id.Key()});
    return it == after.end() ? std::vector<unsigned char>{} : it->second;
  };
  EXPECT_EQ(ShortTextAt(record_of(fbSubject, kept_id), 12), "Renamed later");
  EXPECT_EQ(ShortTextAt(record_of(fbSubject, gone_id), 12), "Subject 1");
  EXPECT_FALSE(record_of(fbSubject, new_id).empty());
  EXPECT_EQ(record_of(fbScoreSheet, sheet_id), stored_sheet);
}

TEST_F(RestoreTest, RestoredIDsOfThisInstallationAreNeverHandedOutAgain) {
  MakeBackup();
  std::int32_t highest = 0;
  for (const auto& [key, record] : AllRecords(*db))
    highest = std::max(highest, RecordID(record).Serial);
  const std::int32_t origin = db->Origin();
  // The same installation's counter from before the objects were made.
  WriteBytes(target_dir.File(TIDCounterFile::kFileName), fresh_counter);
  ASSERT_EQ(Target().Origin(), origin);
  ASSERT_EQ(Restore(Target()), TRestoreOutcome::kDone);
  Target().ReserveIDs(3);
  const TObjectID next = Target().NextID();
  EXPECT_EQ(next.Origin, origin);
  EXPECT_GT(next.Serial, highest);
  target->Close();
  target.reset();
  EXPECT_GT(Target().NextID().Serial, highest);  // kept on disk too
}

// The data files of earlier program versions: shorter records in files
// named with "a" or no generation letter.
TEST_F(RestoreTest, OlderRecordGenerationsAreZeroPaddedAndBuiltInOriginsNeverCome) {
  struct Row {
    const char* name;
    std::string sheet_letter;  // generation of the score-sheet file
    std::string other_letter;  // generation of the other nine files
  };
  const std::vector<Row> rows = {{"current", "b", "b"},
                                 {"score sheets a", "a", "b"},
                                 {"all unlettered", "", ""},
                                 {"all a", "a", "a"}};
  const auto source = AllRecords(*db);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(disks.path());
    fs::create_directories(disks.path());
    MakeHandMadeSet([&](const fs::path& staging) {
      std::vector<std::string> names;
      for (int i = 0; i < kFileblockCount; ++i) {
        const std::string letter = i == fbScoreSheet ? row.sheet_letter : row.other_letter;
        std::int32_t length = 0;
        for (const TRecordGeneration& g : RecordGenerations(i)) {
          if (letter == g.Letter) length = g.RecordLength;
        }
        // Each record (record 0 too) cut to the generation's length.
        const std::string bytes = ReadBytes(DataPath(i));
        const auto full = static_cast<std::size_t>(FileblockInfo(i).RecordLength);
        std::string cut;
        for (std::size_t at = 0; at + full <= bytes.size(); at += full) {
          cut += bytes.substr(at, static_cast<std::size_t>(length));
        }
        if (i == fbCompany) {
          // A built-in object's record (origin 3) in the backup.
          std::string builtin(static_cast<std::size_t>(length), '\0');
          builtin[4] = 3;
          builtin[8] = 9;
          cut += builtin;
        }
        // Old files came from a system that ignored case.
        names.push_back(i == fbRater ? "RT360" + letter + ".DAT"
                                     : FileblockStem(i) + letter + ".DAT");
        WriteBytes((staging / names.back()).string(), cut);
      }
      return names;
    });
    target.reset();
    fs::remove_all(target_dir.path());
    fs::create_directories(target_dir.path());
    user = TScriptedOperator();
    ASSERT_EQ(Restore(Target()), TRestoreOutcome::kDone);
    const auto restored = AllRecords(Target());
    ASSERT_EQ(restored.size(), source.size());
    for (const auto& [key, record] : source) {
      auto expected = record;
      const int fileblock = key.first;
      const std::string letter = fileblock == fbScoreSheet ? row.sheet_letter : row.other_letter;
      std::int32_t length = 0;
      for (const TRecordGeneration& g : RecordGenerations(fileblock)) {
        if (letter == g.Letter) length = g.RecordLength;
      }
      std::fill(expected.begin() + length, expected.end(), 0);
      ASSERT_EQ(restored.at(key), expected) << FileblockInfo(fileblock).BaseName;
    }
    if (row.sheet_letter != "b") {
      // Answers 201 to 230 read as 0.
      TScoreSheetList sheets;
      const auto& any_sheet = *std::find_if(source.begin(), source.end(), [](const auto& item) {
        return item.first.first == fbScoreSheet;
      });
      Target().LoadScoreSheets(RecordParentID(fbScoreSheet, any_sheet.second), sheets);
      ASSERT_GT(sheets.Size(), 0);
      for (int a = 200; a < 230; ++a)
        EXPECT_EQ(sheets.At(0)->AnswersBuf[static_cast<std::size_t>(a)], 0);
      EXPECT_NE(sheets.At(0)->AnswersBuf[199], 0);
      while (sheets.Size() > 0) {
        TSurvObject* item = sheets.Raw().front();
        sheets.Forget(item);
        delete item;
      }
    }
  }
}

// A damaged or incomplete set merges nothing and says why.
TEST_F(RestoreTest, ADamagedOrIncompleteSetMergesNothing) {
  struct Row {
    const char* name;
    std::function<std::vector<std::string>(RestoreTest&, const fs::path&)> stage;
    std::function<void(RestoreTest&)> damage;  // after the set was written
    std::string message;                       // the start of the error
  };
  const std::vector<Row> rows = {
      {"experiences missing",
       [](RestoreTest& t, const fs::path& staging) {
         auto names = t.CopyDataFiles(staging);
         names.erase(std::find(names.begin(), names.end(), "xp360b.DAT"));
         return names;
       },
       {},
       "xp360not found"},
      {"the last fileblock missing",
       [](RestoreTest& t, const fs::path& staging) {
         auto names = t.CopyDataFiles(staging);
         names.pop_back();
         return names;
       },
       {},
       "rt360not found"},
      {"a torn data file",
       [](RestoreTest& t, const fs::path& staging) {
         auto names = t.CopyDataFiles(staging);
         std::ofstream(staging / "ss360b.DAT", std::ios::binary | std::ios::app) << "xyz";
         return names;
       },
       {},
       "ss360b.DAT is damaged"},
      {"a damaged piece",
       [](RestoreTest& t, const fs::path& staging) { return t.CopyDataFiles(staging); },
       [](RestoreTest& t) {
         std::string bytes = ReadBytes(t.Disk(1) + "/Bk360.b1");
         bytes[bytes.size() / 2] ^= 0x5A;
         WriteBytes(t.Disk(1) + "/Bk360.b1", bytes);
       },
       ""},
      {"an archive cut short",
       [](RestoreTest& t, const fs::path& staging) { return t.CopyDataFiles(staging); },
       [](RestoreTest& t) {
         // The label agrees, so no further disk is asked for.
         std::string bytes = ReadBytes(t.Disk(1) + "/Bk360.b1");
         bytes.resize(bytes.size() - 700);
         WriteBytes(t.Disk(1) + "/Bk360.b1", bytes);
         WriteLabel(t.Disk(1), 1, "3/7/2026", bytes.size());
       },
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(disks.path());
    fs::create_directories(disks.path());
    MakeHandMadeSet([&](const fs::path& staging) { return row.stage(*this, staging); });
    if (row.damage) row.damage(*this);
    target.reset();
    fs::remove_all(target_dir.path());
    fs::create_directories(target_dir.path());
    user = TScriptedOperator();
    try {
      Restore(Target());
      ADD_FAILURE() << "no failure";
    } catch (const EBackupError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(row.message, 0), 0u) << e.what();
    }
    EXPECT_TRUE(AllRecords(Target()).empty());
    EXPECT_FALSE(fs::exists(WorkFolder(Target())));
  }
}

TEST_F(RestoreTest, WrongEmptyAndMissingDisksAreAskedForAgain) {
  const int written = MakeBackup();
  ASSERT_GE(written, 2);
  // Another set's disk 2 (another size) in a folder of its own.
  const std::string other = disks.File("other");
  fs::create_directories(other);
  WriteLabel(other, 2, "1/1/2020", 12345);
  WriteBytes(other + "/Bk360.b2", "x");
  const std::string empty = disks.File("empty");
  fs::create_directories(empty);
  const std::string missing = disks.File("missing");

  user.Answers = {{Disk(1), {}}, {other, {}}, {missing, {}}, {Disk(2), {}}};
  for (int n = 3; n <= written; ++n) user.Answers.push_back({Disk(n), {}});
  TFolderFreeSpace space;
  TRestore restore(Target(), space, user);
  ASSERT_EQ(restore.Run(empty), TRestoreOutcome::kDone);
  EXPECT_EQ(restore.DisksRead(), written);
  ASSERT_GE(user.Log.size(), 6u);
  EXPECT_EQ(user.Log[0],
            "wait: \nPlease insert 360\xC2\xB0 backup\ndisk 1 into drive " + empty + ":");
  EXPECT_EQ(user.Log[2],
            "wait: \nPlease insert 360\xC2\xB0 backup\ndisk 2 into drive " + Disk(1) + ":");
  EXPECT_EQ(user.Log[3],
            "wait: \nPlease insert 360\xC2\xB0 backup\ndisk 2 into drive " + other + ":");
  EXPECT_EQ(user.Log[4], "wait: \nDrive " + missing +
                             " is invalid or not ready.\nCorrect the problem and then retry.");
  EXPECT_EQ(AllRecords(Target()), AllRecords(*db));
}

TEST_F(RestoreTest, ACancelAtEachStepEndsTheRestoreAndLeavesNoWorkFiles) {
  MakeBackup();
  struct Row {
    const char* name;
    std::function<void(TScriptedOperator&)> arrange;
  };
  const std::vector<Row> rows = {
      {"at the first disk", [](TScriptedOperator& u) { u.CancelAtLogSize = 0; }},
      {"while reading disk 1",
       [](TScriptedOperator& u) { u.CancelWhenStage = "\nReading backup data..."; }},
      {"at the prompt for disk 2", [](TScriptedOperator& u) { u.Answers.clear(); }},
      {"while unpacking",
       [](TScriptedOperator& u) { u.CancelWhenStage = "\nUncompressing data. . ."; }},
      {"while importing",
       [](TScriptedOperator& u) { u.CancelWhenStage = "\nImporting backup data..."; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    user = TScriptedOperator();
    for (int n = 2; n <= 60; ++n) user.Answers.push_back({Disk(n), {}});
    row.arrange(user);
    TFolderFreeSpace space;
    TRestore restore(Target(), space, user);
    EXPECT_EQ(restore.Run(Disk(1)), TRestoreOutcome::kCancelled);
    EXPECT_FALSE(fs::exists(WorkFolder(Target())));
  }
}

TEST_F(RestoreTest, WorkFilesStayWhenAskedAndOldOnesNeverMix) {
  MakeBackup(1 << 30);
  // A file left by an earlier restore must not be taken for this set's.
  fs::create_directories(WorkFolder(Target()));
  WriteBytes(WorkFolder(Target()) + "/ss360c.DAT", "old");
  ASSERT_EQ(Restore(Target(), 0, false), TRestoreOutcome::kDone);
  const auto names = FileNames(WorkFolder(Target()));
  EXPECT_TRUE(names.count("bk360.cmp"));
  EXPECT_TRUE(names.count("ss360b.DAT"));
  EXPECT_FALSE(names.count("ss360c.DAT"));
}

}  // namespace
}  // namespace zelvora::testing
