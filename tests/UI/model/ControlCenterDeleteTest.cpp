// Deleting from each list: confirmations, the library entries, the minimums
// of department surveys and the score-sheet rules.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(ControlCenterTest, ConfirmationsAreSingularOrPlural) {
  Open();
  TCompany* acme = AddCompany("Acme");
  AddDepartment(*acme, "Sales");
  AddDepartment(*acme, "Support");
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  ui.Answers = {false, false, true};
  cc->Click(DepartmentLB, {1});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete this department\nwith all of its "
            "surveys?");
  cc->Click(DepartmentLB, {0, 1, 2});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete these departments\nwith all of "
            "their surveys?");
  EXPECT_EQ(acme->Departments().Size(), 2);
  cc->KeyDelete();
  EXPECT_EQ(acme->Departments().Size(), 0);
  EXPECT_EQ(db.RecordCount(okDepartment), 0u);
  EXPECT_EQ(Texts(DepartmentLB), Strings{"Add New Department..."});

  ui.Answers = {true};
  Pick(CompanyLB, "Acme");
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete this company\nwith its departments "
            "and surveys?");
  EXPECT_EQ(Texts(CompanyLB), Strings{"Add New Company..."});
  EXPECT_EQ(cc->List(CompanyLB).Selection(), std::vector<int>{0});
}

TEST_F(ControlCenterTest, TheQuestionLibrariesCannotBeDeleted) {
  Open();
  AddStandardSkillAreas();
  AddLibrarySurvey("Alpha", {10});
  AddLibrarySurvey("Beta", {10});
  AddLibrarySurvey("Gamma", {10});
  cc->ChangeTab(TCCTab::Surveys);
  ui.Answers = {true, true};
  cc->Click(SurveyLB, {2, At(SurveyLB, "Alpha")});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "info: Only Valid Surveys may be deleted.");
  EXPECT_EQ(Root().LibrarySurveys().Size(), 5);
  // The item at the same position is selected afterwards.
  cc->Click(SurveyLB, {At(SurveyLB, "Beta")});
  cc->KeyDelete();
  EXPECT_EQ(Texts(SurveyLB), (Strings{"Add New Survey...", "Standard Skill Areas",
                                      "User Skill Areas", "Alpha", "Gamma"}));
  EXPECT_EQ(cc->List(SurveyLB).Selection(), std::vector<int>{4});
}

class DepartmentSurveyDeleteTest : public ControlCenterTest {
 protected:
  // A department survey of two skill areas, edited from the Surveys tab.
  void Build(std::vector<int> areas) {
    Open();
    TCompany* acme = AddCompany("Acme");
    TDepartment* sales = AddDepartment(*acme, "Sales");
    survey = AddDepartmentSurvey(*sales, "Leadership", areas);
    cc->FillCompanyLB();
    Pick(CompanyLB, "Acme");
    Pick(DepartmentLB, "Sales");
    Pick(DepartmentSurveyLB, "Leadership");
    cc->EditClick();
  }
  TSurvey* survey = nullptr;
};

TEST_F(DepartmentSurveyDeleteTest, TenQuestionsInTwoAreasCannotShrink) {
  Build({5, 5});
  ui.Answers = {true, true};
  cc->Click(SkillAreaLB, {1});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "info: Error deleting skill area(s).\n\nDepartment Surveys require a minimum of 10 "
            "questions.");
  cc->Click(SkillAreaLB, {2});
  cc->Click(SurveyQuestionLB, {3});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "info: Error deleting question(s).\n\nDepartment Surveys require a minimum of 10 "
            "questions\nand each skill area requires a minimum of five.");
  EXPECT_EQ(survey->Questions().Size(), 10);
}

TEST_F(DepartmentSurveyDeleteTest, QuestionsGoFromTheBottomUntilAMinimumStops) {
  Build({7, 6});
  ui.Answers = {true};
  cc->Click(SkillAreaLB, {1});
  // Four questions of a seven-question area: two may go, from the bottom.
  cc->Click(SurveyQuestionLB, {1, 2, 3, 4});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "info: Error deleting question(s).\n\nDepartment Surveys require a minimum of 10 "
            "questions\nand each skill area requires a minimum of five.");
  EXPECT_EQ(Texts(SurveyQuestionLB),
            (Strings{"Add New Question...", "Leadership Q0.0", "Leadership Q0.1", "Leadership Q0.4",
                     "Leadership Q0.5", "Leadership Q0.6"}));
}

TEST_F(DepartmentSurveyDeleteTest, SkillAreasGoFromTheBottomUntilTheMinimumStops) {
  Build({5, 5, 5, 5});
  ui.Answers = {true};
  cc->Click(SkillAreaLB, {1, 2, 3, 4});
  cc->KeyDelete();
  EXPECT_EQ(survey->SkillAreas().Size(), 2);
  EXPECT_EQ(Texts(SkillAreaLB),
            (Strings{"Add New Skill Area...", "Leadership A0", "Leadership A1"}));
}

TEST_F(ControlCenterTest, OutsideDepartmentSurveyModeThereAreNoMinimums) {
  Open();
  TSurvey* survey = AddLibrarySurvey("Alpha", {5, 5});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Alpha");
  ui.Answers = {true};
  cc->Click(SkillAreaLB, {1});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete this skill area\nwith all of its "
            "questions?");
  EXPECT_EQ(survey->Questions().Size(), 5);
  EXPECT_EQ(db.RecordCount(okQuestion), 5u);
}

class RaterDeleteTest : public ControlCenterTest {
 protected:
  void Build() {
    Open();
    TCompany* acme = AddCompany("Acme");
    sales = AddDepartment(*acme, "Sales");
    survey = AddDepartmentSurvey(*sales, "Leadership", {10});
    survey->HasCompletedSheets = 1;
    ann = AddSubject(*sales, "Ann");
    experience = AddExperience(*ann, *survey, 45000.0);
    other = AddExperience(*ann, *survey, 45100.0);
    AddSheet(*experience, "Ann", 0, true);
    for (int i = 1; i <= 5; ++i) AddSheet(*experience, "Done " + std::to_string(i), 1, true);
    AddSheet(*experience, "Open 1", 2);
    AddSheet(*other, "Ann", 0);
    OpenDetail("Acme", "Sales", "Leadership");
    Pick(SubjectLB, "Ann");
    cc->Click(ExperienceLB, {1});
  }
  void Select(const Strings& names) {
    std::vector<int> picked;
    for (const auto& name : names)
      for (int i = 0; i < cc->List(RaterLB).Count(); ++i)
        if (cc->List(RaterLB).Entries()[static_cast<std::size_t>(i)].Text.rfind(name + " (", 0) ==
            0)
          picked.push_back(i);
    cc->Click(RaterLB, picked);
  }
  TDepartment* sales = nullptr;
  TSurvey* survey = nullptr;
  TSubject* ann = nullptr;
  TExperience* experience = nullptr;
  TExperience* other = nullptr;
};

TEST_F(RaterDeleteTest, AtMostThreeCompletedSheetsPerExperience) {
  Build();
  ui.Answers = {true, true, true, true};
  Select({"Done 1", "Done 2"});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "warning question: Are you sure you want to delete these raters?");
  EXPECT_EQ(experience->ScoreSheetsDeleted, 2);
  Select({"Done 3", "Done 4"});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "error: A maximum of 3 completed surveys may be deleted.");
  EXPECT_EQ(experience->ScoreSheets().Size(), 5);
  Select({"Done 3"});
  cc->KeyDelete();
  EXPECT_EQ(experience->ScoreSheetsDeleted, 3);
  Select({"Done 4"});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "error: A maximum of 3 completed surveys may be deleted.");
  // Open sheets can still go.
  ui.Answers = {true};
  Select({"Open 1"});
  cc->KeyDelete();
  EXPECT_EQ(experience->ScoreSheets().Size(), 3);
  EXPECT_EQ(experience->ScoreSheetsDeleted, 3);
}

TEST_F(RaterDeleteTest, TheSelfRaterStaysWhileOthersExist) {
  Build();
  ui.Answers = {true};
  Select({"Ann", "Open 1"});
  const int position = cc->List(RaterLB).Selection().front();
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "info: \"Self\" rater categories cannot be deleted while other\nraters still exist!");
  EXPECT_EQ(experience->ScoreSheets().Size(), 6);
  EXPECT_TRUE(experience->HasRaterName("Ann"));
  EXPECT_FALSE(experience->HasRaterName("Open 1"));
  EXPECT_EQ(cc->List(RaterLB).Selection(), std::vector<int>{position});
}

TEST_F(RaterDeleteTest, AllRatersDeleteTheExperienceAndAllExperiencesTheSubject) {
  Build();
  ui.Answers = {true};
  std::vector<int> all;
  for (int i = 1; i < cc->List(RaterLB).Count(); ++i) all.push_back(i);
  cc->Click(RaterLB, all);
  cc->KeyDelete();
  EXPECT_EQ(std::count(ui.Log.begin(), ui.Log.end(),
                       "warning question: Are you sure you want to delete these raters?"),
            1);
  EXPECT_EQ(sales->Experiences().Size(), 1);
  EXPECT_EQ(Texts(ExperienceLB), (Strings{"Add New Experience...", "2023-06-23"}));
  // No completed sheet is left: the survey is no longer completed.
  EXPECT_EQ(survey->HasCompletedSheets, 0);
  EXPECT_DOUBLE_EQ(db.StoredDate(okSurvey, survey->ID), survey->Date);

  ui.Answers = {true};
  cc->Click(ExperienceLB, {1});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete this experience\nwith all of its "
            "raters?");
  EXPECT_EQ(sales->Subjects().Size(), 0);
  EXPECT_EQ(db.RecordCount(okSubject), 0u);
  EXPECT_EQ(db.RecordCount(okScoreSheet), 0u);
  EXPECT_EQ(Texts(SubjectLB), Strings{"Add New Subject..."});
}

TEST_F(RaterDeleteTest, CompletedMarkStaysWhileACompletedSheetRemains) {
  Build();
  ui.Answers = {true};
  Select({"Done 1"});
  cc->KeyDelete();
  EXPECT_EQ(survey->HasCompletedSheets, 1);
}

TEST_F(ControlCenterTest, DeletingAllSelectedSubjects) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
  for (const char* name : {"Ann", "Bob", "Cy"}) {
    TSubject* subject = AddSubject(*sales, name);
    AddSheet(*AddExperience(*subject, *survey), name, 0);
  }
  OpenDetail("Acme", "Sales", "Leadership");
  ui.Answers = {true};
  cc->Click(SubjectLB, {1, 2});
  cc->KeyDelete();
  EXPECT_EQ(LastLog(),
            "warning question: Are you sure you want to delete these subjects\nwith all of their "
            "experiences and raters?");
  EXPECT_EQ(Texts(SubjectLB), (Strings{"Add New Subject...", "Cy"}));
  EXPECT_EQ(cc->List(SubjectLB).Selection(), std::vector<int>{1});
  EXPECT_EQ(db.RecordCount(okExperience), 1u);
}

}  // namespace
}  // namespace zelvora::testing
