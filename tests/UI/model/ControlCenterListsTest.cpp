// What the Control Center's lists show, how selection flows to the right,
// tabs, department-survey mode, the detail page and Reload.
#include <gtest/gtest.h>

#include "APP/SurveyDefaults.h"
#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(ControlCenterTest, FreshDatabaseShowsAddEntriesAndTheUserLibrary) {
  Open();
  EXPECT_EQ(Texts(CompanyLB), Strings{"Add New Company..."});
  EXPECT_TRUE(cc->List(DepartmentLB).Empty());
  EXPECT_EQ(cc->Title(), "CREATE/EDIT ORGANIZATION INFORMATION");
  EXPECT_EQ(cc->WindowCaption(), "Control Center");
  EXPECT_EQ(cc->ActiveList(), CompanyLB);
  EXPECT_FALSE(cc->QuestionsTabShown());
  // The library gained the built-in user library.
  ASSERT_EQ(Root().LibrarySurveys().Size(), 1);
  EXPECT_EQ(Root().LibrarySurveys().At(0)->ID, kUserSkillAreasID);

  cc->ChangeTab(TCCTab::Surveys);
  EXPECT_EQ(Texts(SurveyLB), (Strings{"Add New Survey...", "User Skill Areas"}));
  EXPECT_EQ(cc->List(SurveyLB).Selection(), std::vector<int>{1});
  EXPECT_EQ(Texts(SkillAreaLB), Strings{"Add New Skill Area..."});
  EXPECT_EQ(cc->Title(), "CREATE/EDIT GLOBALLY AVAILABLE SURVEYS");
}

TEST_F(ControlCenterTest, ColumnHeadersAndSelectionKinds) {
  Open();
  const Strings headers{"Companies",   "Departments", "Surveys",     "Surveys",
                        "Skill Areas", "Questions",   "Skill Areas", "Questions",
                        "Suggestions", "Subjects",    "Experiences", "Raters"};
  for (int i = 0; i < kCCListCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cc->List(i).Header(), headers[static_cast<std::size_t>(i)]);
    EXPECT_EQ(cc->List(i).MultiSelect(), i != CompanyLB && i != DepartmentSurveyLB);
  }
}

TEST_F(ControlCenterTest, ListWidthsKeptInTheLayoutSettings) {
  TSurveyDefaults defaults;
  for (const char* parameter : {"", "WRENFAX"}) {
    SCOPED_TRACE(parameter);
    Open(parameter);
    const bool unrestricted = *parameter != 0;
    const std::vector<int*> expected = {&defaults.OrgCoWidth,
                                        &defaults.OrgDeptWidth,
                                        nullptr,
                                        &defaults.SurvSurvWidth,
                                        &defaults.SurvSkillWidth,
                                        nullptr,
                                        unrestricted ? &defaults.QuestSkillWidth : nullptr,
                                        unrestricted ? &defaults.QuestQuestWidth : nullptr,
                                        nullptr,
                                        &defaults.SubjectWidth,
                                        &defaults.ExperienceWidth,
                                        nullptr};
    for (int i = 0; i < kCCListCount; ++i)
      EXPECT_EQ(cc->ListWidthSetting(defaults, i), expected[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(ControlCenterTest, SurveyListPutsTheTwoLibrariesFirstThenSortsWithDuplicates) {
  Open();
  AddLibrarySurvey("beta", {10});
  AddLibrarySurvey("Alpha", {10});
  AddStandardSkillAreas();
  AddLibrarySurvey("Alpha", {10});
  cc->ChangeTab(TCCTab::Surveys);
  EXPECT_EQ(Texts(SurveyLB), (Strings{"Add New Survey...", "Standard Skill Areas",
                                      "User Skill Areas", "Alpha", "Alpha", "beta"}));
}

TEST_F(ControlCenterTest, CompanyListTakesOneSelectionAndSortsItsDepartments) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TCompany* zeta = AddCompany("Zeta");
  AddDepartment(*acme, "Sales");
  AddDepartment(*zeta, "Accounts");
  AddDepartment(*acme, "Accounts");
  cc->FillCompanyLB();
  // CompanyLB takes one selection.
  cc->Click(CompanyLB, {1, 2});
  EXPECT_EQ(cc->List(CompanyLB).Selection(), std::vector<int>{1});
  EXPECT_EQ(Texts(DepartmentLB), (Strings{"Add New Department...", "Accounts", "Sales"}));
  cc->Click(CompanyLB, {2});
  EXPECT_EQ(Texts(DepartmentLB), (Strings{"Add New Department...", "Accounts"}));
}

TEST_F(ControlCenterTest, SelectionRefillsTheListsToTheRightAndClearsTheRest) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  AddDepartment(*acme, "Support");
  AddDepartmentSurvey(*sales, "Leadership", {10});
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  Pick(DepartmentLB, "Sales");
  EXPECT_EQ(Texts(DepartmentSurveyLB), (Strings{"Add Department Survey...", "Leadership"}));
  Pick(DepartmentLB, "Support");
  EXPECT_EQ(Texts(DepartmentSurveyLB), Strings{"Add Department Survey..."});
  // A new company choice empties the department surveys.
  cc->Click(CompanyLB, {0});
  EXPECT_TRUE(cc->List(DepartmentLB).Empty());
  EXPECT_TRUE(cc->List(DepartmentSurveyLB).Empty());
  // Focusing an empty department list offers its add entry.
  cc->Focus(DepartmentLB);
  EXPECT_EQ(Texts(DepartmentLB), Strings{"Add New Department..."});
}

TEST_F(ControlCenterTest, SurveyListEntryZeroRules) {
  Open();
  AddLibrarySurvey("Alpha", {3, 4});
  AddLibrarySurvey("Beta", {2});
  cc->ChangeTab(TCCTab::Surveys);
  const int alpha = At(SurveyLB, "Alpha");
  const int beta = At(SurveyLB, "Beta");
  // Entry 0 with others: entry 0 is dropped.
  cc->Click(SurveyLB, {0, alpha, beta});
  EXPECT_EQ(cc->List(SurveyLB).Selection(), (std::vector<int>{alpha, beta}));
  EXPECT_EQ(Texts(SkillAreaLB), (Strings{"Alpha A0", "Alpha A1", "Beta A0"}));
  cc->Click(SkillAreaLB, {0, 1});
  EXPECT_EQ(cc->List(SurveyQuestionLB).Count(), 7);
  // Entry 0 alone clears skill areas and questions.
  cc->Click(SurveyLB, {0});
  EXPECT_TRUE(cc->List(SkillAreaLB).Empty());
  EXPECT_TRUE(cc->List(SurveyQuestionLB).Empty());
}

TEST_F(ControlCenterTest, AddEntriesOfSkillAreasAndQuestionsFollowTheSurvey) {
  Open();
  AddStandardSkillAreas();
  TSurvey* mine = AddLibrarySurvey("Mine", {2});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Standard Skill Areas");
  EXPECT_EQ(Texts(SkillAreaLB), Strings{"Listening"});
  Pick(SkillAreaLB, "Listening");
  EXPECT_FALSE(cc->List(SurveyQuestionLB).HasAddEntry());
  EXPECT_TRUE(cc->ReadOnlySurvey());
  Pick(SurveyLB, "Mine");
  EXPECT_TRUE(cc->List(SkillAreaLB).HasAddEntry());
  EXPECT_FALSE(cc->ReadOnlySurvey());
  // A completed survey takes no new skill areas.
  mine->HasCompletedSheets = 1;
  Pick(SurveyLB, "Mine");
  EXPECT_FALSE(cc->List(SkillAreaLB).HasAddEntry());
}

TEST_F(ControlCenterTest, UnrestrictedWordOpensTheBuiltInSurveysAndTheQuestionsTab) {
  Open("wrenfax");
  AddStandardSkillAreas();
  EXPECT_TRUE(cc->UnrestrictedMode());
  EXPECT_TRUE(cc->QuestionsTabShown());
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Standard Skill Areas");
  EXPECT_TRUE(cc->List(SkillAreaLB).HasAddEntry());
  Pick(SkillAreaLB, "Listening");
  EXPECT_TRUE(cc->List(SurveyQuestionLB).HasAddEntry());
}

TEST_F(ControlCenterTest, RaterEntriesShowNameSerialCategoryAndCompletion) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
  TSubject* ann = AddSubject(*sales, "Ann");
  TExperience* experience = AddExperience(*ann, *survey, 45366.0);
  TScoreSheet* self = AddSheet(*experience, "Ann", 0);
  TScoreSheet* boss = AddSheet(*experience, "Bob", 1, true);
  OpenDetail("Acme", "Sales", "Leadership");
  ASSERT_EQ(cc->Page(), TCCPage::Detail);
  EXPECT_EQ(cc->DetailHeader(), (std::array<std::string, 3>{"Company: Acme", "Department: Sales",
                                                            "Survey: Leadership"}));
  EXPECT_EQ(Texts(SubjectLB), (Strings{"Add New Subject...", "Ann"}));
  Pick(SubjectLB, "Ann");
  EXPECT_EQ(Texts(ExperienceLB), (Strings{"Add New Experience...", "2024-03-15"}));
  Pick(ExperienceLB, "2024-03-15");
  const auto& raters = cc->List(RaterLB).Entries();
  ASSERT_EQ(raters.size(), 3u);
  EXPECT_EQ(raters[1].Text, "Ann (" + std::to_string(self->ID.Serial) + ", Self)");
  EXPECT_FALSE(raters[1].Completed);
  EXPECT_EQ(raters[2].Text, "Bob (" + std::to_string(boss->ID.Serial) + ", Boss)");
  EXPECT_TRUE(raters[2].Completed);
  EXPECT_TRUE(cc->Buttons().Done);
  cc->DoneClick();
  EXPECT_EQ(cc->Page(), TCCPage::Start);
  EXPECT_EQ(cc->Tab(), TCCTab::Organizations);
  EXPECT_TRUE(cc->List(SubjectLB).Empty());
}

TEST_F(ControlCenterTest, ExperiencesAreListedByDate) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
  TSubject* ann = AddSubject(*sales, "Ann");
  AddExperience(*ann, *survey, 45400.0);
  AddExperience(*ann, *survey, 45000.0);
  OpenDetail("Acme", "Sales", "Leadership");
  Pick(SubjectLB, "Ann");
  EXPECT_EQ(Texts(ExperienceLB), (Strings{"Add New Experience...", "2023-03-15", "2024-04-18"}));
}

TEST_F(ControlCenterTest, ShowOnATooSmallDepartmentSurveyIsRefused) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  AddDepartmentSurvey(*sales, "Tiny", {9});
  OpenDetail("Acme", "Sales", "Tiny");
  EXPECT_EQ(LastLog(),
            "info: The \"Tiny\" survey cannot be added. \nThere is only one skill area, and this "
            "\nskill area has less than 10 questions.");
  EXPECT_EQ(cc->Page(), TCCPage::Start);
}

TEST_F(ControlCenterTest, DepartmentSurveyModeEditsTheDepartmentsSurveys) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  AddDepartmentSurvey(*sales, "Leadership", {10});
  AddLibrarySurvey("Library One", {10});
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  Pick(DepartmentLB, "Sales");
  Pick(DepartmentSurveyLB, "Leadership");
  EXPECT_TRUE(cc->Buttons().Edit);
  cc->EditClick();
  EXPECT_TRUE(cc->DepartmentSurveyMode());
  EXPECT_EQ(cc->Tab(), TCCTab::Surveys);
  EXPECT_EQ(cc->Title(), "CREATE/EDIT DEPARTMENT SURVEYS");
  EXPECT_EQ(cc->WindowCaption(), "Control Center - SALES, ACME");
  EXPECT_EQ(Texts(SurveyLB), (Strings{"Add New Survey...", "User Skill Areas", "Leadership"}));
  EXPECT_EQ(cc->List(SurveyLB).Selection(), std::vector<int>{2});
  EXPECT_TRUE(cc->Buttons().Done);
  // The Organizations tab ends the mode.
  cc->ChangeTab(TCCTab::Organizations);
  EXPECT_FALSE(cc->DepartmentSurveyMode());
  EXPECT_EQ(cc->WindowCaption(), "Control Center");
  EXPECT_EQ(cc->ActiveList(), DepartmentSurveyLB);
  cc->ChangeTab(TCCTab::Surveys);
  EXPECT_EQ(Texts(SurveyLB), (Strings{"Add New Survey...", "User Skill Areas", "Library One"}));
}

TEST_F(ControlCenterTest, QuestionsTabTitlesFollowTheUserSkillAreaMode) {
  Open("WRENFAX");
  AddLibrarySurvey("Delta", {10});
  cc->ChangeTab(TCCTab::Questions);
  EXPECT_EQ(cc->Title(), "CREATE/EDIT USER SKILL AREAS");
  EXPECT_EQ(Texts(QuestSkillAreaLB), Strings{"Add New Skill Area..."});
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Delta");
  cc->Click(SkillAreaLB, {1});
  cc->Focus(SurveyQuestionLB);
  cc->KeyRight();
  EXPECT_EQ(cc->Tab(), TCCTab::Questions);
  EXPECT_FALSE(cc->UserSkillAreaMode());
  EXPECT_EQ(cc->Title(), "CREATE/EDIT \"DELTA\" SKILL AREAS");
  EXPECT_EQ(Texts(QuestSkillAreaLB), (Strings{"Add New Skill Area...", "Delta A0"}));
}

TEST_F(ControlCenterTest, ArrowAndPageKeysMoveAcrossListsAndTabs) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  AddDepartmentSurvey(*sales, "Leadership", {10});
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  cc->Focus(CompanyLB);
  cc->KeyRight();
  EXPECT_EQ(cc->ActiveList(), DepartmentLB);
  Pick(DepartmentLB, "Sales");
  cc->KeyRight();
  EXPECT_EQ(cc->ActiveList(), DepartmentSurveyLB);
  Pick(DepartmentSurveyLB, "Leadership");
  cc->KeyRight();
  EXPECT_EQ(cc->Page(), TCCPage::Detail);
  EXPECT_EQ(cc->ActiveList(), SubjectLB);
  cc->KeyLeft();
  EXPECT_EQ(cc->Page(), TCCPage::Start);
  EXPECT_EQ(cc->ActiveList(), DepartmentSurveyLB);
  cc->KeyLeft();
  EXPECT_EQ(cc->ActiveList(), DepartmentLB);

  // Without the unrestricted word there are two tabs, and Right from the
  // survey questions goes nowhere.
  cc->KeyPageDown();
  EXPECT_EQ(cc->Tab(), TCCTab::Surveys);
  cc->KeyPageDown();
  EXPECT_EQ(cc->Tab(), TCCTab::Organizations);
  cc->KeyPageUp();
  EXPECT_EQ(cc->Tab(), TCCTab::Surveys);
  cc->Focus(SurveyQuestionLB);
  cc->KeyRight();
  EXPECT_EQ(cc->Tab(), TCCTab::Surveys);
  EXPECT_EQ(cc->ActiveList(), SurveyQuestionLB);
}

TEST_F(ControlCenterTest, ReloadStartsOverFromTheDatabase) {
  Open();
  TCompany* acme = AddCompany("Acme");
  AddDepartment(*acme, "Sales");
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  cc->ChangeTab(TCCTab::Surveys);
  cc->Reload();
  EXPECT_EQ(cc->Tab(), TCCTab::Organizations);
  EXPECT_EQ(Texts(CompanyLB), (Strings{"Add New Company...", "Acme"}));
  EXPECT_TRUE(cc->List(CompanyLB).Selection().empty());
  EXPECT_TRUE(cc->List(SurveyLB).Empty());
}

}  // namespace
}  // namespace zelvora::testing
