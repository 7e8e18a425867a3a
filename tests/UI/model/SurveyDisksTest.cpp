// Making and importing survey disks over real folders, with the free space
// of the disk given by the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "APP/TempFolder.h"
#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/RaterDisk.h"
#include "UI/model/SurvDisk.h"
#include "UI/model/Wizard.h"
#include "interchange/XML.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

struct TFakeSpace : TDiskSpace {
  std::uintmax_t free = 10'000'000;
  std::uintmax_t FreeBytes(const std::string&) override { return free; }
};

struct SurveyDisks : ::testing::Test {
  TAnswersWorld world{4};
  TFakeUserInterface ui;
  TFakeSpace space;
  TempFolder folder;
  std::string program = folder.File("zelvora360-rater-source");
  std::string disk = (folder.path() / "disk").string();
  TSurveyDisks disks{ui, space, program};

  void SetUp() override {
    WriteBytes(program, "#!/bin/sh\necho rater\n");
    fs::create_directories(disk);
    disks.SetDiskFolder(disk);
  }
  std::string DiskFile(const char* name) const { return (fs::path(disk) / name).string(); }
  // Makes the disk of `sheet` alone, answers every question on it and marks
  // it completed, as the rater program would.
  void AnsweredDisk(TScoreSheet& sheet, int current, int expected, bool completed = true) {
    ASSERT_TRUE(disks.CreateDisks({&sheet}));
    ASSERT_TRUE(disks.MakeDisk());
    TSurveyDiskObjects objects = TSurveyMapper::ReadSurveyDisk(DiskFile("dtf.xml"));
    for (int q = 1; q <= 4; ++q) {
      objects.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 2)] =
          static_cast<std::int8_t>(current);
      objects.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 1)] =
          static_cast<std::int8_t>(expected);
    }
    objects.ScoreSheet->Completed = completed;
    TSurveyMapper::WriteSurveyDiskAnswers(DiskFile("dtf.xml"), *objects.ScoreSheet);
  }
};

TEST_F(SurveyDisks, CreateListsOnlyOpenSheets) {
  TScoreSheet* done = world.AddSheet("Done Rater", 1, true);
  TScoreSheet* open1 = world.AddSheet("Rater One", 1);
  TScoreSheet* open2 = world.AddSheet("Rater Two", 3);
  ASSERT_TRUE(disks.CreateDisks({done, nullptr, open1, open2}));
  EXPECT_EQ(disks.Caption(), "Create Survey Disks");
  EXPECT_EQ(disks.Page(), dpCreateDisks);
  EXPECT_EQ(disks.DisksToMake(), (std::vector<TScoreSheet*>{open1, open2}));
  EXPECT_EQ(disks.Selected(), 0);
  EXPECT_EQ(TSurveyDisks::EntryText(*open2),
            "Rater Two (" + std::to_string(open2->ID.Serial) + ", Peer)");
  EXPECT_TRUE(ui.Log.empty());

  EXPECT_FALSE(disks.CreateDisks({done}));
  EXPECT_EQ(ui.Log, std::vector<std::string>{"info: No Raters with open score sheets selected"});
}

TEST_F(SurveyDisks, FreeSpaceMustExceedFourHundredThousandBytes) {
  struct Row {
    std::uintmax_t free;
    bool made;
  } rows[] = {{0, false}, {399'999, false}, {400'000, false}, {400'001, true}};
  TScoreSheet* sheet = world.AddSheet("Rater One", 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.free);
    fs::remove_all(disk);
    fs::create_directories(disk);
    ui.Log.clear();
    space.free = row.free;
    ASSERT_TRUE(disks.CreateDisks({sheet}));
    EXPECT_EQ(disks.MakeDisk(), row.made);
    EXPECT_EQ(fs::exists(DiskFile("dtf.xml")), row.made);
    EXPECT_EQ(ui.Log, row.made ? std::vector<std::string>{}
                               : std::vector<std::string>{"error: " + std::string(kDiskNoSpace)});
  }
}

TEST_F(SurveyDisks, MakeDiskWritesTheDocumentAndAnExecutableProgramAndMovesTheEntry) {
  TScoreSheet* one = world.AddSheet("Rater One", 1);
  TScoreSheet* two = world.AddSheet("Rater Two", 3);
  ASSERT_TRUE(disks.CreateDisks({one, two}));
  ASSERT_TRUE(disks.MakeDisk());
  EXPECT_TRUE(ui.WasBusy);
  EXPECT_EQ(ui.Busy, 0);
  EXPECT_EQ(TSurveyMapper::ReadSurveyDisk(DiskFile("dtf.xml")).ScoreSheet->ID, one->ID);
  EXPECT_EQ(ReadBytes(DiskFile("zelvora360-rater")), "#!/bin/sh\necho rater\n");
  const fs::perms perms = fs::status(DiskFile("zelvora360-rater")).permissions();
  EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);
  EXPECT_NE(perms & fs::perms::others_exec, fs::perms::none);
  EXPECT_FALSE(fs::exists(DiskFile("zelvora360-rater.tmp~")));
  EXPECT_EQ(disks.DisksToMake(), std::vector<TScoreSheet*>{two});
  EXPECT_EQ(disks.CompletedDisks(), std::vector<TScoreSheet*>{one});
  EXPECT_EQ(disks.Selected(), 0);
  EXPECT_TRUE(disks.MakeDiskIsDefault());

  // The second disk goes into the same folder: the overwrite question.
  ui.Answers = {false};
  EXPECT_FALSE(disks.MakeDisk());
  EXPECT_EQ(ui.Log, std::vector<std::string>{"question: " + std::string(kDiskOverwrite)});
  EXPECT_EQ(TSurveyMapper::ReadSurveyDisk(DiskFile("dtf.xml")).ScoreSheet->ID, one->ID);
  ui.Answers = {true};
  EXPECT_TRUE(disks.MakeDisk());
  EXPECT_EQ(TSurveyMapper::ReadSurveyDisk(DiskFile("dtf.xml")).ScoreSheet->ID, two->ID);
  EXPECT_TRUE(disks.DisksToMake().empty());
  EXPECT_EQ(disks.CompletedDisks(), (std::vector<TScoreSheet*>{one, two}));
  EXPECT_FALSE(disks.MakeDiskEnabled());
  EXPECT_FALSE(disks.MakeDiskIsDefault());
  EXPECT_EQ(disks.Selected(), -1);
}

TEST_F(SurveyDisks, FailuresLeaveTheEntryToMake) {
  TScoreSheet* one = world.AddSheet("Rater One", 1);
  struct Row {
    const char* name;
    std::function<void()> arrange;
    std::string message_start;
  } rows[] = {
      {"missing program", [&] { fs::remove(program); }, "error: Cannot find the rater program"},
      {"disk folder missing", [&] { fs::remove_all(disk); }, "error: Cannot create file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    ui.Log.clear();
    row.arrange();
    ASSERT_TRUE(disks.CreateDisks({one}));
    EXPECT_FALSE(disks.MakeDisk());
    ASSERT_EQ(ui.Log.size(), 1u);
    EXPECT_EQ(ui.Log[0].rfind(row.message_start, 0), 0u) << ui.Log[0];
    EXPECT_EQ(disks.DisksToMake().size(), 1u);
    EXPECT_TRUE(disks.CompletedDisks().empty());
    EXPECT_EQ(ui.Busy, 0);
  }
}

TEST_F(SurveyDisks, ReadDiskShowsFieldsAndStatus) {
  TScoreSheet* sheet = world.AddSheet("Rater One", 1);
  disks.ImportDisks(*world.root);
  EXPECT_EQ(disks.Caption(), "Import Survey Disks");
  EXPECT_EQ(disks.Page(), dpReadDisks);
  EXPECT_EQ(disks.Status(), "Ready");
  // No document: a status, not a message.
  EXPECT_FALSE(disks.ReadDisk());
  EXPECT_EQ(disks.Status(), "Not a Survey Disk");
  EXPECT_TRUE(ui.Log.empty());

  AnsweredDisk(*sheet, 2, 3, false);
  disks.ImportDisks(*world.root);
  ASSERT_TRUE(disks.ReadDisk());
  EXPECT_EQ(disks.Fields().Company, "Acme");
  EXPECT_EQ(disks.Fields().Department, "Sales");
  EXPECT_EQ(disks.Fields().Survey, "Leadership");
  EXPECT_EQ(disks.Fields().Subject, "Pat Example");
  EXPECT_EQ(disks.Fields().Experience, "2025-11-29");
  EXPECT_EQ(disks.Fields().Reference, std::to_string(sheet->ID.Serial));
  EXPECT_EQ(disks.Fields().Category, "Boss");
  EXPECT_EQ(disks.Status(), "Survey Incomplete");
  EXPECT_FALSE(disks.SaveEnabled());
  EXPECT_FALSE(disks.SaveSurvey());
  EXPECT_FALSE(sheet->Completed);

  // A damaged document: its message, empty fields, the cursor back.
  WriteBytes(DiskFile("dtf.xml"), "<DOCUMENT><TScoreSheet>");
  EXPECT_FALSE(disks.ReadDisk());
  ASSERT_EQ(ui.Log.size(), 1u);
  EXPECT_EQ(ui.Log[0].rfind("error: ", 0), 0u);
  EXPECT_EQ(disks.Fields().Company, "");
  EXPECT_FALSE(disks.SaveEnabled());
  EXPECT_EQ(ui.Busy, 0);
}

TEST_F(SurveyDisks, SaveSurveyCopiesTheAnswersOnceAndKeepsTheCategory) {
  TScoreSheet* sheet = world.AddSheet("Rater One", 4);
  AnsweredDisk(*sheet, 2, 5);
  disks.ImportDisks(*world.root);
  ASSERT_TRUE(disks.ReadDisk());
  EXPECT_EQ(disks.Status(), "Survey Complete");
  ASSERT_TRUE(disks.SaveEnabled());
  ASSERT_TRUE(disks.SaveSurvey());
  EXPECT_EQ(ui.Log, std::vector<std::string>{"info: Survey Saved Successfully."});
  EXPECT_EQ(disks.Status(), "Ready");
  EXPECT_FALSE(disks.SaveEnabled());
  const auto stored = world.Reload(sheet->ID);
  EXPECT_TRUE(stored.sheet->Completed);
  EXPECT_EQ(stored.sheet->RaterCategory, 4);
  EXPECT_EQ(stored.sheet->GetAnswer(1, 3), 2);
  EXPECT_EQ(stored.sheet->GetAnswer(2, 3), 5);
  EXPECT_EQ(stored.survey->HasCompletedSheets, 1);

  // The same disk again.
  ui.Log.clear();
  ASSERT_TRUE(disks.ReadDisk());
  EXPECT_FALSE(disks.SaveSurvey());
  EXPECT_EQ(ui.Log, std::vector<std::string>{"info: Survey already completed."});
}

TEST_F(SurveyDisks, TheLookupChainNamesTheFirstMiss) {
  TScoreSheet* sheet = world.AddSheet("Rater One", 1);
  AnsweredDisk(*sheet, 3, 3);
  struct Row {
    const char* element;  // the disk object whose ID is changed
    const char* message;
  } rows[] = {{"TCompany", "Unknown Company"},       {"TDepartment", "Unknown Department"},
              {"TSurvey", "Unknown Survey"},         {"TSubject", "Unknown Subject"},
              {"TExperience", "Unknown Experience"}, {"TScoreSheet", "Unknown Rater"}};
  const std::string original = ReadBytes(DiskFile("dtf.xml"));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.element);
    TDocument document(0, DiskFile("dtf.xml"));
    document.FirstElement().FindElement(row.element)->SetText("ID", "41.999999");
    document.Save(DiskFile("dtf.xml"));
    ui.Log.clear();
    disks.ImportDisks(*world.root);
    ASSERT_TRUE(disks.ReadDisk());
    EXPECT_FALSE(disks.SaveSurvey());
    EXPECT_EQ(ui.Log, std::vector<std::string>{"error: " + std::string(row.message)});
    EXPECT_FALSE(sheet->Completed);
    WriteBytes(DiskFile("dtf.xml"), original);
  }
}

TEST_F(SurveyDisks, AChosenTargetTakesTheAnswersOnceWhateverTheDiskSays) {
  TScoreSheet* made_for = world.AddSheet("Rater One", 1);
  TScoreSheet* target = world.AddSheet("Rater Two", 3);
  AnsweredDisk(*made_for, 4, 4);
  disks.ImportDisk(*world.root, *target);
  EXPECT_EQ(disks.Caption(), "Import Survey Disk");
  ASSERT_TRUE(disks.ReadDisk());
  ASSERT_TRUE(disks.SaveSurvey());
  EXPECT_TRUE(target->Completed);
  EXPECT_EQ(target->RaterCategory, 3);
  EXPECT_EQ(target->GetAnswer(1, 1), 4);
  EXPECT_FALSE(made_for->Completed);
  // Dropped after the save: the next read is matched by the disk's IDs.
  ASSERT_TRUE(disks.ReadDisk());
  ASSERT_TRUE(disks.SaveSurvey());
  EXPECT_TRUE(made_for->Completed);
}

TEST_F(SurveyDisks, ADiskOfAnotherSurveyIsRefused) {
  TScoreSheet* made_for = world.AddSheet("Rater One", 1);
  TScoreSheet* target = world.AddSheet("Rater Two", 3);
  AnsweredDisk(*made_for, 3, 3);
  TDocument document(0, DiskFile("dtf.xml"));
  document.FirstElement().FindElement("TSurvey")->SetText("ID", "41.999999");
  document.Save(DiskFile("dtf.xml"));
  disks.ImportDisk(*world.root, *target);
  ASSERT_TRUE(disks.ReadDisk());
  EXPECT_FALSE(disks.SaveSurvey());
  EXPECT_EQ(ui.Log, std::vector<std::string>{"info: Surveys do not match."});
  EXPECT_FALSE(target->Completed);
}

TEST_F(SurveyDisks, ADiskAnsweredWithTheRaterProgramImportsWithTheSameAnswers) {
  TScoreSheet* sheet = world.AddSheet("Rater One", 1);
  ASSERT_TRUE(disks.CreateDisks({sheet}));
  ASSERT_TRUE(disks.MakeDisk());

  // The rater's side: the wizard in rater-disk mode over the disk's document.
  TFakeUserInterface rater_ui;
  TRaterDisk rater_disk(TRaterDisk::DocumentPath(disk, {}));
  TWizard wizard(rater_ui);
  wizard.OpenRaterDisk(rater_disk.Hooks());
  wizard.Next();  // About -> Summary
  wizard.Next();  // Summary -> Start
  wizard.Next();
  const int answers[4][2] = {{1, 2}, {3, 3}, {4, 5}, {2, 5}};
  for (const auto& pair : answers) {
    wizard.Key(pair[0]);
    wizard.Key(pair[1]);
    wizard.Next();
  }
  ASSERT_EQ(wizard.Page(), wpFinish);
  wizard.Next();
  ASSERT_TRUE(wizard.Close());
  EXPECT_TRUE(rater_ui.Log.empty());

  disks.ImportDisks(*world.root);
  ASSERT_TRUE(disks.ReadDisk());
  EXPECT_EQ(disks.Status(), "Survey Complete");
  ASSERT_TRUE(disks.SaveSurvey());
  const auto stored = world.Reload(sheet->ID);
  for (int q = 1; q <= 4; ++q) {
    SCOPED_TRACE(q);
    EXPECT_EQ(stored.sheet->GetAnswer(1, q), answers[q - 1][0]);
    EXPECT_EQ(stored.sheet->GetAnswer(2, q), answers[q - 1][1]);
  }
  EXPECT_TRUE(stored.sheet->Completed);
  EXPECT_EQ(stored.sheet->RaterCategory, 1);
}

}  // namespace
}  // namespace zelvora::testing
