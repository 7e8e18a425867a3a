// Dragging within a list to reorder and between lists to copy.
#include <gtest/gtest.h>

#include <stdexcept>

#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

std::vector<int> Orders(TSurvey& survey) {
  std::vector<int> orders;
  for (TSurvObject* object : survey.SkillAreas().Raw()) orders.push_back(object->SortOrder());
  return orders;
}

class ReorderTest : public ControlCenterTest {
 protected:
  // Four skill areas A0..A3 with Order 0, 3, 7 and 9.
  void Build() {
    Open();
    survey = AddLibrarySurvey("Alpha", {1, 1, 1, 1});
    const int orders[] = {0, 3, 7, 9};
    for (int i = 0; i < 4; ++i)
      survey->SkillAreas().At(i)->Order = static_cast<std::int16_t>(orders[i]);
    cc->ChangeTab(TCCTab::Surveys);
    Pick(SurveyLB, "Alpha");
  }
  TSurvey* survey = nullptr;
};

TEST_F(ReorderTest, MovingDownTakesTheOrderAboveTheDropAndKeepsTheGaps) {
  Build();
  cc->Click(SkillAreaLB, {1});
  ASSERT_TRUE(cc->CanDrop(SkillAreaLB, SkillAreaLB, 4));
  cc->Drop(SkillAreaLB, SkillAreaLB, 4);
  EXPECT_EQ(Texts(SkillAreaLB),
            (Strings{"Add New Skill Area...", "Alpha A1", "Alpha A2", "Alpha A0", "Alpha A3"}));
  EXPECT_EQ(Orders(*survey), (std::vector<int>{2, 6, 7, 9}));
  EXPECT_EQ(cc->List(SkillAreaLB).Selection(), std::vector<int>{3});
  // Every changed item was saved.
  for (TSurvObject* area : survey->SkillAreas().Raw())
    EXPECT_DOUBLE_EQ(db.StoredDate(okSkillArea, area->ID), area->Date);
  EXPECT_EQ(survey->Questions().At(2)->QuestionText, "Alpha Q0.0");
}

TEST_F(ReorderTest, MovingUpTakesTheOrderAtTheDrop) {
  Build();
  cc->Click(SkillAreaLB, {4});
  cc->Drop(SkillAreaLB, SkillAreaLB, 2);
  EXPECT_EQ(Texts(SkillAreaLB),
            (Strings{"Add New Skill Area...", "Alpha A0", "Alpha A3", "Alpha A1", "Alpha A2"}));
  EXPECT_EQ(Orders(*survey), (std::vector<int>{0, 3, 4, 8}));
  // Below the last entry and onto the add entry.
  cc->Drop(SkillAreaLB, SkillAreaLB, 0);
  EXPECT_EQ(Texts(SkillAreaLB)[1], "Alpha A3");
  cc->Drop(SkillAreaLB, SkillAreaLB, 5);
  EXPECT_EQ(Texts(SkillAreaLB)[4], "Alpha A3");
}

TEST_F(ReorderTest, DroppingOnItselfOrJustBelowChangesNothing) {
  Build();
  cc->Click(SkillAreaLB, {2});
  for (int drop : {2, 3}) {
    SCOPED_TRACE(drop);
    EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SkillAreaLB, drop));
    cc->Drop(SkillAreaLB, SkillAreaLB, drop);
    EXPECT_EQ(Orders(*survey), (std::vector<int>{0, 3, 7, 9}));
  }
  // Two items, or the add entry, are not reordered.
  cc->Click(SkillAreaLB, {1, 2});
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SkillAreaLB, 4));
  cc->Click(SkillAreaLB, {0});
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SkillAreaLB, 4));
}

TEST_F(ControlCenterTest, ReorderingStaysAmongOneOwnersItems) {
  Open();
  AddLibrarySurvey("Alpha", {1, 1});
  AddLibrarySurvey("Beta", {1, 1});
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {At(SurveyLB, "Alpha"), At(SurveyLB, "Beta")});
  cc->Click(SkillAreaLB, {0});
  EXPECT_TRUE(cc->CanDrop(SkillAreaLB, SkillAreaLB, 2));
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SkillAreaLB, 3));
}

TEST_F(ControlCenterTest, QuestionsDroppedOnTheirOwnSkillAreaAskAboutTheDuplicate) {
  Open();
  TSurvey* survey = AddLibrarySurvey("Alpha", {2, 1});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  cc->Click(SurveyQuestionLB, {1, 2});
  ASSERT_TRUE(cc->CanDrop(SurveyQuestionLB, SkillAreaLB, 1));
  EXPECT_FALSE(cc->CanDrop(SurveyQuestionLB, SkillAreaLB, 0));  // the add entry
  ui.Answers = {true, true, false};
  cc->Drop(SurveyQuestionLB, SkillAreaLB, 1);
  EXPECT_EQ(ui.Log[0], "question: Add Question(s) to Alpha A0 skill area!");
  EXPECT_EQ(ui.Log[1],
            "question: The \"Alpha A0\" skill area already has this question.\nAdding this "
            "question will create a duplicate.\nDo you want to add it anyway?");
  TSkillArea* area = survey->SkillAreas().At(0);
  ASSERT_EQ(area->Questions().Size(), 3);
  EXPECT_EQ(area->Questions().At(2)->QuestionText, "Alpha Q0.0");
  EXPECT_NE(area->Questions().At(2)->ID, area->Questions().At(0)->ID);
  EXPECT_TRUE(db.HasRecord(okQuestion, area->Questions().At(2)->ID));
  EXPECT_EQ(survey->Questions().Size(), 4);
}

TEST_F(ControlCenterTest, SkillAreasDroppedOnASurveyAreCopiedToItsEnd) {
  Open();
  TSurvey* alpha = AddLibrarySurvey("Alpha", {2, 1});
  TSurvey* beta = AddLibrarySurvey("Beta", {1});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  ui.Answers = {true};
  cc->Drop(SkillAreaLB, SurveyLB, At(SurveyLB, "Beta"));
  EXPECT_EQ(LastLog(), "question: Add Skill Area(s) to \"Beta\" survey!");
  ASSERT_EQ(beta->SkillAreas().Size(), 2);
  EXPECT_EQ(beta->SkillAreas().At(1)->Name, "Alpha A0");
  EXPECT_EQ(beta->Questions().Size(), 3);
  EXPECT_EQ(beta->Questions().At(2)->QuestionText, "Alpha Q0.1");

  ui.Answers = {true, false};
  cc->Drop(SkillAreaLB, SurveyLB, At(SurveyLB, "Alpha"));
  EXPECT_EQ(LastLog(),
            "question: The \"Alpha\" survey already has this skill area.\nAdding this skill area "
            "will create a duplicate.\nDo you want to add it anyway?");
  EXPECT_EQ(alpha->SkillAreas().Size(), 2);
}

TEST_F(ControlCenterTest, QuestionsDroppedOnASurveyFindTheirSkillAreaByName) {
  Open();
  AddLibrarySurvey("Alpha", {2, 1});
  TSurvey* beta = AddLibrarySurvey("Beta", {});
  auto area = std::make_unique<TSkillArea>();
  area->Name = "Alpha A1";
  beta->SkillAreas().Adopt(std::move(area));
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  cc->Click(SurveyQuestionLB, {1});
  ui.Answers = {true};
  cc->Drop(SurveyQuestionLB, SurveyLB, At(SurveyLB, "Beta"));
  EXPECT_EQ(LastLog(), "question: Add Question to \"Beta\" survey!");
  ASSERT_EQ(beta->SkillAreas().Size(), 2);
  EXPECT_EQ(beta->SkillAreas().At(1)->Name, "Alpha A0");
  EXPECT_EQ(beta->SkillAreas().At(1)->Questions().Size(), 1);

  cc->Click(SkillAreaLB, {1, 2});
  cc->Click(SurveyQuestionLB, {0, 1, 2});
  ui.Answers = {true};
  cc->Drop(SurveyQuestionLB, SurveyLB, At(SurveyLB, "Beta"));
  EXPECT_EQ(LastLog(), "question: Add Questions to \"Beta\" survey!");
  EXPECT_EQ(beta->SkillAreas().Size(), 2);
  EXPECT_EQ(beta->SkillAreas().At(0)->Questions().Size(), 1);
  EXPECT_EQ(beta->SkillAreas().At(1)->Questions().Size(), 3);
}

TEST_F(ControlCenterTest, DropAcceptance) {
  Open();
  AddStandardSkillAreas();
  AddLibrarySurvey("Alpha", {2});
  TSurvey* done = AddLibrarySurvey("Done", {2});
  done->HasCompletedSheets = 1;
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SurveyLB, At(SurveyLB, "Standard Skill Areas")));
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SurveyLB, At(SurveyLB, "Done")));
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SurveyLB, 0));
  EXPECT_TRUE(cc->CanDrop(SkillAreaLB, SurveyLB, At(SurveyLB, "User Skill Areas")));
  // A selection that holds the add entry is not dragged.
  cc->Click(SkillAreaLB, {0, 1});
  EXPECT_FALSE(cc->CanDrop(SkillAreaLB, SurveyLB, At(SurveyLB, "User Skill Areas")));
  // Surveys are not dropped on surveys.
  EXPECT_FALSE(cc->CanDrop(SurveyLB, SurveyLB, 1));
  ui.Answers.clear();
  cc->Drop(SkillAreaLB, SurveyLB, At(SurveyLB, "Standard Skill Areas"));
  EXPECT_TRUE(ui.Log.empty());
}

TEST_F(ControlCenterTest, UnrestrictedModeAcceptsDropsOnBuiltInSurveys) {
  Open("WRENFAX");
  AddStandardSkillAreas();
  AddLibrarySurvey("Alpha", {2});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  EXPECT_TRUE(cc->CanDrop(SkillAreaLB, SurveyLB, At(SurveyLB, "Standard Skill Areas")));
}

TEST_F(ControlCenterTest, LibraryQuestionsAndSuggestions) {
  Open("WRENFAX");
  TSurvey* user = Root().LibrarySurveys().At(0);
  FillSurvey(*user, {2, 1});
  TQuestion* question = user->SkillAreas().At(0)->Questions().At(0);
  question->Suggestions().Adopt(std::make_unique<TSuggestion>());
  cc->ChangeTab(TCCTab::Questions);
  cc->Click(QuestSkillAreaLB, {1});
  cc->Click(QuestionLB, {1});
  cc->Click(SuggestionLB, {1});
  // Suggestions are never dropped on skill areas.
  EXPECT_FALSE(cc->CanDrop(SuggestionLB, QuestSkillAreaLB, 2));
  cc->Click(QuestionLB, {1, 2});
  ui.Answers = {true};
  ASSERT_TRUE(cc->CanDrop(QuestionLB, QuestSkillAreaLB, 1));
  cc->Click(QuestSkillAreaLB, {2});
  cc->Click(QuestionLB, {});
  ASSERT_FALSE(cc->CanDrop(QuestionLB, QuestSkillAreaLB, 1));
}

// A database whose ID source fails from the second reservation on.
class FailingIDsDB : public TMemoryDB {
 public:
  FailingIDsDB() : TMemoryDB(4343, 100) {}
  void ReserveIDs(int count) override {
    if (++reservations_ > 1 && failing) throw ESurvObjError("The ID source is exhausted");
    TMemoryDB::ReserveIDs(count);
  }
  bool failing = false;

 private:
  int reservations_ = 0;
};

TEST_F(ControlCenterTest, AnIDFailureEndsTheCopyAndKeepsWhatWasCopied) {
  db.Close();
  FailingIDsDB failing_db;
  failing_db.Open();
  Open();
  AddLibrarySurvey("Alpha", {3});
  TSurvey* beta = AddLibrarySurvey("Beta", {1});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  cc->Click(SkillAreaLB, {1});
  cc->Click(SurveyQuestionLB, {1, 2, 3});
  failing_db.failing = true;
  ui.Answers = {true};
  cc->Drop(SurveyQuestionLB, SurveyLB, At(SurveyLB, "Beta"));
  EXPECT_EQ(LastLog(), "error: The ID source is exhausted");
  ASSERT_EQ(beta->SkillAreas().Size(), 2);
  EXPECT_EQ(beta->SkillAreas().At(1)->Questions().Size(), 1);
  EXPECT_TRUE(failing_db.HasRecord(okQuestion, beta->SkillAreas().At(1)->Questions().At(0)->ID));
  cc.reset();
}

}  // namespace
}  // namespace zelvora::testing
