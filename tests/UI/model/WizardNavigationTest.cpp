// The wizard's pages, question shown, buttons and the texts of the start and
// survey pages.
#include <gtest/gtest.h>

#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/Wizard.h"

namespace zelvora::testing {
namespace {

struct WizardNavigation : ::testing::Test {
  TAnswersWorld world{4};
  TFakeUserInterface ui;
  TWizard wizard{ui};
};

TEST_F(WizardNavigation, StartPageShowsHeaderItemsAndButtons) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  wizard.Open(*sheet);
  EXPECT_EQ(wizard.Page(), wpStart);
  EXPECT_EQ(wizard.SubjectName(), "Pat Example");
  EXPECT_EQ(wizard.SurveyName(), "Leadership");
  EXPECT_EQ(wizard.CategoryName(), "Boss");
  EXPECT_EQ(wizard.ItemText(1), "1. Almost Never");
  EXPECT_EQ(wizard.ItemText(5), "5. Always");
  EXPECT_EQ(wizard.NextCaption(), "&Next >");
  EXPECT_TRUE(wizard.NextEnabled());
  EXPECT_FALSE(wizard.BackEnabled());
  EXPECT_FALSE(wizard.ClearEnabled());
}

TEST_F(WizardNavigation, InstructionTextLineByLine) {
  const auto& lines = TWizard::InstructionLines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "Please take a few minutes to complete this CONFIDENTIAL SURVEY about the ");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[6], "     As you complete this survey, please remember:");
  EXPECT_EQ(lines[7], "     \"How often does it occur?\"    -- Indicates how often you believe");
  EXPECT_EQ(lines[9], "     \"How often should it occur?\" -- Indicates how often you EXPECT ");
  // Continuation lines start under the explanation of the line above.
  EXPECT_EQ(lines[8].find_first_not_of(' '), lines[7].find("Indicates"));
  EXPECT_EQ(lines[10].find_first_not_of(' '), lines[9].find("Indicates"));
  EXPECT_EQ(lines[13],
            "There are not \"Right\" or \"Wrong\" answers.  Just try to be fair and honest.");
}

TEST_F(WizardNavigation, NextAndBackWalkThePages) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  world.Answer(*sheet, 3, 3);
  wizard.Open(*sheet);
  wizard.Next();
  EXPECT_EQ(wizard.Page(), wpSurvey);
  EXPECT_EQ(wizard.NumberLine(), "Question 1 of 4.");
  EXPECT_TRUE(wizard.BackEnabled());
  EXPECT_TRUE(wizard.ClearEnabled());
  EXPECT_EQ(wizard.ActiveColumn(), 1);
  for (int q = 2; q <= 4; ++q) wizard.Next();
  EXPECT_EQ(wizard.QuestionNumber(), 4);
  wizard.Next();  // all answered: no question asked
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_EQ(wizard.Page(), wpFinish);
  EXPECT_EQ(wizard.NextCaption(), "&Save");
  EXPECT_FALSE(wizard.ClearEnabled());
  // Back from the finish page returns to the question last shown.
  wizard.Back();
  EXPECT_EQ(wizard.Page(), wpSurvey);
  EXPECT_EQ(wizard.QuestionNumber(), 4);
  wizard.Back();
  wizard.Back();
  wizard.Back();
  EXPECT_EQ(wizard.QuestionNumber(), 1);
  wizard.Back();
  EXPECT_EQ(wizard.Page(), wpStart);
  wizard.Back();  // disabled on the start page
  EXPECT_EQ(wizard.Page(), wpStart);
}

TEST_F(WizardNavigation, BackFromFinishAfterJumpingToAnUnansweredQuestion) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  world.Answer(*sheet, 3, 3);
  sheet->SetAnswer(2, 2, 0);  // question 2 half answered
  wizard.Open(*sheet);
  for (int i = 0; i < 4; ++i) wizard.Next();
  ui.Answers = {false};
  wizard.Next();
  EXPECT_EQ(ui.Log, std::vector<std::string>{"question: " + std::string(kWizardUnanswered)});
  EXPECT_EQ(wizard.Page(), wpSurvey);
  EXPECT_EQ(wizard.QuestionNumber(), 2);
  // Next from question 2 goes on to 3, not to the finish page.
  wizard.Next();
  EXPECT_EQ(wizard.QuestionNumber(), 3);
}

TEST_F(WizardNavigation, UnansweredQuestionOfANewSheet) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  wizard.Open(*sheet);
  for (int i = 0; i < 4; ++i) wizard.Next();
  ASSERT_EQ(wizard.QuestionNumber(), 4);
  ui.Answers = {false, true};
  wizard.Next();  // No: question 1 is shown
  EXPECT_EQ(wizard.Page(), wpSurvey);
  EXPECT_EQ(wizard.QuestionNumber(), 1);
  for (int i = 0; i < 3; ++i) wizard.Next();
  wizard.Next();  // Yes: the finish page
  EXPECT_EQ(wizard.Page(), wpFinish);
  EXPECT_EQ(ui.Log.size(), 2u);
}

TEST_F(WizardNavigation, QuestionTextPrefixesAndStoredSelections) {
  TScoreSheet* boss = world.AddSheet("Robin", 1);
  boss->SetAnswer(1, 3, 4);
  boss->SetAnswer(2, 3, 2);
  boss->SetAnswer(1, 4, 9);  // out of scale: nothing selected
  wizard.Open(*boss);
  wizard.Next();
  EXPECT_EQ(wizard.QuestionText(), "Question text 1");
  EXPECT_EQ(wizard.PrefixLine(1), "How often does this person...");
  EXPECT_EQ(wizard.PrefixLine(2), "How often should this person...");
  wizard.Next();
  wizard.Next();
  EXPECT_EQ(wizard.QuestionText(), "Question text 3");
  EXPECT_EQ(wizard.PrefixLine(1), "Stem 3...");  // the second area's own stems
  EXPECT_EQ(wizard.Selection(1), 4);
  EXPECT_EQ(wizard.Selection(2), 2);
  wizard.Next();
  EXPECT_EQ(wizard.Selection(1), 0);
  EXPECT_EQ(wizard.Selection(2), 0);
}

TEST_F(WizardNavigation, SelfPrefixesFollowTheCategoryNameInAnyCase) {
  struct Row {
    const char* name;
    bool self;
  } rows[] = {{"Self", true}, {"self", true}, {"SELF", true}, {"Selfish", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TAnswersWorld w(2);
    TCategoryList categories = {{row.name, 1}};
    w.company->SetCategories(categories);
    // Category 0 is always named Self; the row's name is category 1.
    TScoreSheet* sheet = w.AddSheet("Pat", 1);
    TWizard wz(ui);
    wz.Open(*sheet);
    wz.Next();
    EXPECT_EQ(wz.PrefixLine(1), row.self ? "How often do you..." : "How often does this person...");
    EXPECT_EQ(wz.PrefixLine(2),
              row.self ? "How often should you..." : "How often should this person...");
  }
}

TEST_F(WizardNavigation, FewerThanFiveLabelsLeaveTheRestBlank) {
  world.survey->FreqLabels = {"Never", "Often"};
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  wizard.Open(*sheet);
  EXPECT_EQ(wizard.ItemText(2), "2. Often");
  EXPECT_EQ(wizard.ItemText(3), "3.");
  EXPECT_EQ(wizard.ItemText(5), "5.");
}

TEST_F(WizardNavigation, ASurveyWithoutQuestionsGoesStraightToTheFinishPage) {
  TAnswersWorld empty(0);
  TScoreSheet* sheet = empty.AddSheet("Robin", 1);
  wizard.Open(*sheet);
  wizard.Next();
  EXPECT_EQ(wizard.Page(), wpFinish);
  wizard.Back();
  EXPECT_EQ(wizard.Page(), wpStart);
}

}  // namespace
}  // namespace zelvora::testing
