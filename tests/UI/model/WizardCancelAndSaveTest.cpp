// Closing the wizard: Cancel puts the opening answers back, Save completes
// the sheet and stores sheet, experience and survey; the rater-disk mode
// loads and writes "dtf.xml".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "APP/TempFolder.h"
#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/RaterDisk.h"
#include "UI/model/Wizard.h"
#include "interchange/SurvMap.h"

namespace zelvora::testing {
namespace {

struct WizardClosing : ::testing::Test {
  TAnswersWorld world{4};
  TFakeUserInterface ui;
  TWizard wizard{ui};

  void AnswerAll(int current, int expected) {
    wizard.Next();
    for (int q = 1; q <= wizard.QuestionCount(); ++q) {
      wizard.Click(1, current);
      wizard.Click(2, expected);
      wizard.Next();
    }
  }
};

TEST_F(WizardClosing, CancelRestoresTheOpeningAnswers) {
  TScoreSheet* sheet = world.AddSheet("Pat Example", 0, true);
  world.Answer(*sheet, 2, 3);
  const auto before = sheet->AnswersBuf;
  wizard.Open(*sheet);
  wizard.Next();
  wizard.Click(1, 1);
  wizard.Next();
  wizard.Click(2, 5);
  wizard.Clear();
  ASSERT_NE(sheet->AnswersBuf, before);
  ASSERT_EQ(sheet->AnswersEdited, 1);
  wizard.Cancel();
  EXPECT_TRUE(wizard.Done());
  EXPECT_FALSE(wizard.Close());
  EXPECT_EQ(sheet->AnswersBuf, before);
  EXPECT_EQ(sheet->AnswersEdited, 0);
  EXPECT_TRUE(sheet->Completed);
}

TEST_F(WizardClosing, SaveCompletesAndStoresSheetExperienceAndSurvey) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  const double experience_date = world.experience->Date;
  wizard.Open(*sheet);
  AnswerAll(2, 4);
  ASSERT_EQ(wizard.Page(), wpFinish);
  wizard.Next();
  EXPECT_EQ(wizard.Result(), TWizardResult::Save);
  EXPECT_TRUE(wizard.Close());
  EXPECT_GT(world.experience->Date, experience_date);

  const auto stored = world.Reload(sheet->ID);
  ASSERT_NE(stored.sheet, nullptr);
  EXPECT_TRUE(stored.sheet->Completed);
  EXPECT_EQ(stored.sheet->AnswersEdited, 0);
  for (int q = 1; q <= 4; ++q) {
    EXPECT_EQ(stored.sheet->GetAnswer(1, q), 2);
    EXPECT_EQ(stored.sheet->GetAnswer(2, q), 4);
  }
  EXPECT_EQ(stored.survey->HasCompletedSheets, 1);
  EXPECT_EQ(world.db.StoredDate(okExperience, world.experience->ID), world.experience->Date);
}

TEST_F(WizardClosing, OneChangedAnswerOfACompletedSelfSheetLeavesItEditable) {
  struct Row {
    const char* name;
    bool both_answers;
    int edited;
    bool read_only_next_time;
  } rows[] = {{"one answer", false, 0, false}, {"both answers", true, 1, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TAnswersWorld w(4);
    TScoreSheet* sheet = w.AddSheet("Pat Example", 0, true);
    w.Answer(*sheet, 3, 3);
    TFakeUserInterface fake;
    TWizard wz(fake);
    wz.Open(*sheet);
    wz.Next();
    wz.Click(1, 2);
    if (row.both_answers) wz.Click(2, 4);
    while (wz.Page() != wpFinish) wz.Next();
    wz.Next();
    ASSERT_TRUE(wz.Close());
    const auto stored = w.Reload(sheet->ID);
    EXPECT_EQ(stored.sheet->AnswersEdited, row.edited);
    TWizard again(fake);
    again.Open(*stored.sheet);
    EXPECT_EQ(again.ReadOnly(), row.read_only_next_time);
  }
}

TEST_F(WizardClosing, ReadOnlyAndClosedWithoutSaveWriteNothing) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1, true);
  world.Answer(*sheet, 2, 3);
  const double date = world.db.StoredDate(okScoreSheet, sheet->ID);
  wizard.Open(*sheet);
  wizard.Cancel();
  EXPECT_FALSE(wizard.Close());
  EXPECT_EQ(world.db.StoredDate(okScoreSheet, sheet->ID), date);

  TScoreSheet* open = world.AddSheet("Kim", 2);
  TWizard other(ui);
  other.Open(*open);
  other.Next();
  other.Click(1, 3);
  EXPECT_FALSE(other.Close());  // closed by the close box: a Cancel
  EXPECT_EQ(open->GetAnswer(1, 1), 0);
  EXPECT_FALSE(open->Completed);
}

// --- Rater-disk mode ---

struct RaterDiskWizard : WizardClosing {
  TempFolder folder;
  std::string document = (folder.path() / "dtf.xml").string();
};

TEST_F(RaterDiskWizard, AboutSummaryStartQuestionsFinishAndTheDocumentIsWritten) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  TSurveyMapper::WriteSurveyDisk(document, *sheet);
  TRaterDisk disk(TRaterDisk::DocumentPath(folder.path().string(), {}));
  wizard.OpenRaterDisk(disk.Hooks());
  EXPECT_EQ(wizard.Page(), wpAbout);
  EXPECT_FALSE(wizard.BackEnabled());
  wizard.Next();
  ASSERT_EQ(wizard.Page(), wpSummary);
  const TWizardSummary summary = wizard.Summary();
  EXPECT_EQ(summary.Company, "Acme");
  EXPECT_EQ(summary.Department, "Sales");
  EXPECT_EQ(summary.Survey, "Leadership");
  EXPECT_EQ(summary.Subject, "Pat Example");
  EXPECT_EQ(summary.Experience, "2025-11-29");
  EXPECT_EQ(summary.RaterNumber, std::to_string(sheet->ID.Serial));
  EXPECT_EQ(summary.RaterCategory, "Boss");
  wizard.Back();
  EXPECT_EQ(wizard.Page(), wpAbout);
  wizard.Next();
  wizard.Next();
  EXPECT_EQ(wizard.Page(), wpStart);
  EXPECT_EQ(wizard.CategoryName(), "Boss");
  AnswerAll(1, 5);
  wizard.Next();
  EXPECT_EQ(wizard.Result(), TWizardResult::Save);
  EXPECT_TRUE(wizard.Close());
  EXPECT_TRUE(ui.Log.empty()) << ui.Log.front();

  // The document reads back completed with the answers, and its category
  // name is untouched.
  TSurveyDiskObjects back = TSurveyMapper::ReadSurveyDisk(document);
  EXPECT_TRUE(back.ScoreSheet->Completed);
  EXPECT_EQ(back.CategoryName, "Boss");
  EXPECT_EQ(back.ScoreSheet->ID, sheet->ID);
  for (int q = 1; q <= 4; ++q) {
    EXPECT_EQ(back.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 2)], 1);
    EXPECT_EQ(back.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 1)], 5);
  }
  EXPECT_EQ(back.Survey->Questions().Size(), 4);
  // The database sheet is untouched: only the disk was answered.
  EXPECT_FALSE(sheet->Completed);
}

TEST_F(RaterDiskWizard, WithoutAReadableDocumentTheProgramEnds) {
  struct Row {
    const char* name;
    const char* content;  // null: no file
  } rows[] = {{"no file", nullptr}, {"empty file", ""}, {"damaged", "<DOCUMENT><TScoreSheet>"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(document);
    if (row.content != nullptr) std::ofstream(document) << row.content;
    TFakeUserInterface fake;
    TWizard wz(fake);
    TRaterDisk disk(document);
    wz.OpenRaterDisk(disk.Hooks());
    wz.Next();
    EXPECT_EQ(fake.Log, std::vector<std::string>{"error: " + std::string(kWizardDiskError)});
    EXPECT_TRUE(wz.Done());
    EXPECT_EQ(wz.Result(), TWizardResult::Cancel);
    EXPECT_FALSE(wz.Close());
  }
}

TEST_F(RaterDiskWizard, AFailedSaveKeepsTheFinishPageAndThePreviousDocument) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  TSurveyMapper::WriteSurveyDisk(document, *sheet);
  std::ifstream in(document, std::ios::binary);
  const std::string before((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TRaterDisk disk(document);
  TRaterDiskHooks hooks = disk.Hooks();
  bool fail = true;
  auto save = hooks.Save;
  hooks.Save = [&](const TScoreSheet& s) {
    if (fail) throw std::runtime_error("Cannot create file \"dtf.xml\"");
    save(s);
  };
  wizard.OpenRaterDisk(hooks);
  wizard.Next();
  wizard.Next();
  AnswerAll(3, 3);
  wizard.Next();
  EXPECT_EQ(ui.Log, std::vector<std::string>{"error: Cannot create file \"dtf.xml\""});
  EXPECT_EQ(wizard.Page(), wpFinish);
  EXPECT_FALSE(wizard.Done());
  EXPECT_FALSE(disk.Load()->ScoreSheet->Completed);
  std::ifstream again(document, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()),
            before);
  fail = false;
  wizard.Next();  // a second try works
  EXPECT_EQ(wizard.Result(), TWizardResult::Save);
  EXPECT_TRUE(TSurveyMapper::ReadSurveyDisk(document).ScoreSheet->Completed);
}

TEST_F(RaterDiskWizard, ACompletedDiskOfAnotherCategoryIsReadOnly) {
  struct Row {
    int category;
    bool read_only;
  } rows[] = {{0, false}, {1, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.category);
    TScoreSheet* sheet =
        world.AddSheet("Rater " + std::to_string(row.category), row.category, true);
    TSurveyMapper::WriteSurveyDisk(document, *sheet);
    TRaterDisk disk(document);
    TWizard wz(ui);
    wz.OpenRaterDisk(disk.Hooks());
    wz.Next();
    EXPECT_EQ(wz.ReadOnly(), row.read_only);
  }
}

TEST(RaterDiskPath, FirstArgumentOrBesideTheProgram) {
  EXPECT_EQ(TRaterDisk::DocumentPath("/media/stick", {}), "/media/stick/dtf.xml");
  EXPECT_EQ(TRaterDisk::DocumentPath("/media/stick", {"/tmp/x/dtf.xml"}), "/tmp/x/dtf.xml");
}

}  // namespace
}  // namespace zelvora::testing
