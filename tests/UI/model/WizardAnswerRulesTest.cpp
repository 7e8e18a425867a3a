// Answering through the wizard: clicks, digit keys and Clear, the "Do Less"
// warning, the edit limit of completed sheets and read-only sheets.
#include <gtest/gtest.h>

#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/Wizard.h"

namespace zelvora::testing {
namespace {

const std::string kDoLess = std::string("info: ") + kWizardDoLess;
const std::string kLimit = std::string("info: ") + kWizardEditLimit;
const std::string kReadOnly = std::string("info: ") + kWizardReadOnly;

struct WizardAnswering : ::testing::Test {
  TAnswersWorld world{6};
  TFakeUserInterface ui;
  TWizard wizard{ui};

  // Opens the wizard on `sheet` at question `q`.
  void OpenAt(TScoreSheet& sheet, int q) {
    wizard.Open(sheet);
    wizard.Next();
    while (wizard.QuestionNumber() < q) wizard.Next();
  }
};

TEST_F(WizardAnswering, ClicksStoreAnswersAndSwitchTheActiveColumn) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  OpenAt(*sheet, 2);
  wizard.Click(1, 3);
  EXPECT_EQ(sheet->GetAnswer(1, 2), 3);
  EXPECT_EQ(wizard.ActiveColumn(), 2);
  wizard.Click(2, 5);
  EXPECT_EQ(sheet->GetAnswer(2, 2), 5);
  EXPECT_EQ(wizard.ActiveColumn(), 1);
  EXPECT_TRUE(ui.Log.empty());
  // Only question 2 changed.
  EXPECT_EQ(sheet->GetAnswer(1, 1), 0);
  EXPECT_EQ(sheet->GetAnswer(1, 3), 0);
}

TEST_F(WizardAnswering, DigitKeysAnswerTheActiveColumnThenTheOther) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  wizard.Open(*sheet);
  wizard.Key(4);  // the start page ignores digits
  EXPECT_EQ(sheet->GetAnswer(1, 1), 0);
  wizard.Next();
  wizard.Key(2);
  wizard.Key(4);
  EXPECT_EQ(sheet->GetAnswer(1, 1), 2);
  EXPECT_EQ(sheet->GetAnswer(2, 1), 4);
  EXPECT_EQ(wizard.ActiveColumn(), 1);
  wizard.Key(0);
  wizard.Key(6);
  EXPECT_EQ(sheet->GetAnswer(1, 1), 2);
  // Moving between questions keeps the active column; entering the survey
  // page makes column 1 active.
  wizard.Key(3);
  EXPECT_EQ(wizard.ActiveColumn(), 2);
  wizard.Next();
  EXPECT_EQ(wizard.ActiveColumn(), 2);
  wizard.Back();
  wizard.Back();
  wizard.Next();
  EXPECT_EQ(wizard.ActiveColumn(), 1);
}

TEST_F(WizardAnswering, DoLessWarningForEveryPair) {
  for (int current = 0; current <= 5; ++current) {
    for (int expected = 0; expected <= 5; ++expected) {
      SCOPED_TRACE("current " + std::to_string(current) + " expected " + std::to_string(expected));
      TAnswersWorld w(2);
      TScoreSheet* sheet = w.AddSheet("Robin", 1);
      TFakeUserInterface fake;
      TWizard wz(fake);
      wz.Open(*sheet);
      wz.Next();
      if (current > 0) wz.Click(1, current);
      if (expected > 0) wz.Click(2, expected);
      const bool warns = current > 0 && expected > 0 && expected < current;
      EXPECT_EQ(fake.Log, warns ? std::vector<std::string>{kDoLess} : std::vector<std::string>{});
      // Stored all the same.
      EXPECT_EQ(sheet->GetAnswer(2, 1), expected);
    }
  }
}

TEST_F(WizardAnswering, DoLessWhenTheCurrentColumnIsAnsweredSecond) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  OpenAt(*sheet, 1);
  wizard.Click(2, 2);
  EXPECT_TRUE(ui.Log.empty());
  wizard.Click(1, 4);
  EXPECT_EQ(ui.Log, std::vector<std::string>{kDoLess});
  EXPECT_EQ(sheet->GetAnswer(1, 1), 4);
}

TEST_F(WizardAnswering, ClearEmptiesTheQuestionAndMakesColumnOneActive) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  world.Answer(*sheet, 3, 4);
  OpenAt(*sheet, 2);
  wizard.Click(1, 2);
  ASSERT_EQ(wizard.ActiveColumn(), 2);
  wizard.Clear();
  EXPECT_EQ(sheet->GetAnswer(1, 2), 0);
  EXPECT_EQ(sheet->GetAnswer(2, 2), 0);
  EXPECT_EQ(wizard.Selection(1), 0);
  EXPECT_EQ(wizard.ActiveColumn(), 1);
  EXPECT_EQ(sheet->GetAnswer(1, 3), 3);
}

TEST_F(WizardAnswering, EditLimitOfACompletedSelfSheet) {
  TScoreSheet* sheet = world.AddSheet("Pat Example", 0, true);
  world.Answer(*sheet, 3, 3);
  OpenAt(*sheet, 1);
  ASSERT_FALSE(wizard.ReadOnly());
  struct Step {
    int question, column, item;
    bool refused;
    int edited_after;  // AnswersEdited after the click
  } steps[] = {
      {1, 1, 2, false, 0},  // count taken before the answer is stored
      {2, 1, 2, false, 1}, {3, 2, 5, false, 2}, {4, 1, 2, true, 2},  // a fourth question
      {2, 2, 4, false, 3},                                           // one of the three again
      {1, 1, 3, false, 3},                                           // back to its opening answers
  };
  for (const Step& step : steps) {
    SCOPED_TRACE("question " + std::to_string(step.question));
    while (wizard.QuestionNumber() < step.question) wizard.Next();
    while (wizard.QuestionNumber() > step.question) wizard.Back();
    ui.Log.clear();
    wizard.Click(step.column, step.item);
    EXPECT_EQ(ui.Log, step.refused ? std::vector<std::string>{kLimit} : std::vector<std::string>{});
    EXPECT_EQ(sheet->GetAnswer(step.column, step.question), step.refused ? 3 : step.item);
    EXPECT_EQ(sheet->AnswersEdited, step.edited_after);
    if (step.refused) {
      // The stored answers are selected again in both columns.
      EXPECT_EQ(wizard.Selection(1), 3);
      EXPECT_EQ(wizard.Selection(2), 3);
    }
  }
  // Question 1 is back at its opening answers, so a fourth question fits.
  while (wizard.QuestionNumber() < 5) wizard.Next();
  ui.Log.clear();
  wizard.Click(1, 1);
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_EQ(sheet->AnswersEdited, 2);
}

TEST_F(WizardAnswering, ClearIsNotLimitedAndLeavesTheEditCountAlone) {
  TScoreSheet* sheet = world.AddSheet("Pat Example", 0, true);
  world.Answer(*sheet, 3, 3);
  OpenAt(*sheet, 1);
  for (int q = 1; q <= 3; ++q) {
    wizard.Click(1, 2);
    wizard.Next();
  }
  ASSERT_EQ(sheet->AnswersEdited, 2);
  wizard.Clear();  // question 4
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_EQ(sheet->GetAnswer(1, 4), 0);
  EXPECT_EQ(sheet->AnswersEdited, 2);
}

TEST_F(WizardAnswering, ReadOnlySheets) {
  struct Row {
    const char* name;
    int category;
    bool completed;
    int edited;
    bool read_only;
  } rows[] = {
      {"open Boss", 1, false, 0, false},
      {"completed Boss", 1, true, 0, true},
      {"completed Self", 0, true, 0, false},
      {"open Self edited before", 0, false, 1, true},
      {"completed Self edited before", 0, true, 2, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TAnswersWorld w(2);
    TScoreSheet* sheet = w.AddSheet("Robin", row.category, row.completed);
    w.Answer(*sheet, 2, 3);
    sheet->AnswersEdited = static_cast<std::uint8_t>(row.edited);
    TFakeUserInterface fake;
    TWizard wz(fake);
    wz.Open(*sheet);
    EXPECT_EQ(wz.ReadOnly(), row.read_only);
    wz.Next();
    wz.Click(1, 5);
    wz.Key(1);
    wz.Clear();
    if (row.read_only) {
      EXPECT_EQ(fake.Log, (std::vector<std::string>{kReadOnly, kReadOnly, kReadOnly}));
      EXPECT_EQ(sheet->GetAnswer(1, 1), 2);
      EXPECT_EQ(sheet->GetAnswer(2, 1), 3);
      EXPECT_EQ(wz.Selection(1), 2);
      wz.Next();
      wz.Next();
      EXPECT_EQ(wz.Page(), wpFinish);
      EXPECT_FALSE(wz.NextEnabled());
      wz.Next();
      EXPECT_FALSE(wz.Done());
    } else {
      EXPECT_EQ(sheet->GetAnswer(1, 1), 0);  // cleared
    }
  }
}

TEST_F(WizardAnswering, EchoesOfTheWizardsOwnRedrawChangeNothing) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  world.Answer(*sheet, 4, 2);
  int echoes = 0;
  // A view that reports its redraw back as clicks, as a toolkit might.
  wizard.OnShowAnswers = [&] {
    ++echoes;
    EXPECT_FALSE(wizard.UserAction());
    wizard.Click(1, 1);
    wizard.Click(2, 5);
  };
  OpenAt(*sheet, 2);
  EXPECT_GT(echoes, 0);
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_EQ(sheet->GetAnswer(1, 1), 4);
  EXPECT_EQ(sheet->GetAnswer(2, 2), 2);
  EXPECT_TRUE(wizard.UserAction());
}

}  // namespace
}  // namespace zelvora::testing
