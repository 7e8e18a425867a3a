// The Control Center's buttons, menus, context menus, print presets and keys.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using Menu = std::vector<std::string>;

Menu Captions(const std::vector<TCCMenuEntry>& menu) {
  Menu captions;
  for (const auto& entry : menu) captions.push_back(entry.Caption);
  return captions;
}

class ControlCenterButtonsTest : public ControlCenterTest {
 protected:
  // Acme / Sales / Leadership (two areas of 5) with Ann's experience rated
  // by Ann (self), Bob and Cy; a library survey "Library One".
  void Build(const std::string& parameter = "") {
    Open(parameter);
    acme = AddCompany("Acme");
    sales = AddDepartment(*acme, "Sales");
    survey = AddDepartmentSurvey(*sales, "Leadership", {5, 5});
    ann = AddSubject(*sales, "Ann");
    experience = AddExperience(*ann, *survey);
    AddExperience(*ann, *survey, 45100.0);
    AddSheet(*experience, "Ann", 0);
    AddSheet(*experience, "Bob", 1);
    AddSheet(*experience, "Cy", 3);
    library = AddLibrarySurvey("Library One", {10});
    cc->FillCompanyLB();
  }
  void ToRaters() {
    OpenDetail("Acme", "Sales", "Leadership");
    Pick(SubjectLB, "Ann");
    cc->Click(ExperienceLB, {1});
  }

  TCompany* acme = nullptr;
  TDepartment* sales = nullptr;
  TSurvey* survey = nullptr;
  TSurvey* library = nullptr;
  TSubject* ann = nullptr;
  TExperience* experience = nullptr;
};

TEST_F(ControlCenterButtonsTest, DeleteOnTheAddEntryCannotDelete) {
  Build();
  cc->Click(CompanyLB, {0});
  EXPECT_FALSE(cc->Buttons().Delete);
  EXPECT_FALSE(cc->Buttons().Edit);
  EXPECT_TRUE(cc->Buttons().Create);
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "info: This item cannot be deleted!");
  EXPECT_EQ(Root().Companies().Size(), 1);
}

TEST_F(ControlCenterButtonsTest, ButtonStatesByList) {
  Build();
  struct Row {
    const char* name;
    std::function<void()> setup;
    TCCButtons expected;
  };
  const std::vector<Row> rows = {
      {"company", [&] { Pick(CompanyLB, "Acme"); }, {false, true, true, true, false, true, true}},
      {"department",
       [&] {
         Pick(CompanyLB, "Acme");
         Pick(DepartmentLB, "Sales");
       },
       {false, true, false, true, false, true, true}},
      {"department survey",
       [&] {
         Pick(CompanyLB, "Acme");
         Pick(DepartmentLB, "Sales");
         Pick(DepartmentSurveyLB, "Leadership");
       },
       {false, true, true, true, false, true, true}},
      {"department survey add entry",
       [&] {
         Pick(CompanyLB, "Acme");
         Pick(DepartmentLB, "Sales");
         cc->Click(DepartmentSurveyLB, {0});
       },
       {false, false, false, true, false, false, false}},
      {"user library",
       [&] { cc->ChangeTab(TCCTab::Surveys); },
       {false, false, false, true, false, false, false}},
      {"library survey",
       [&] {
         cc->ChangeTab(TCCTab::Surveys);
         Pick(SurveyLB, "Library One");
       },
       {false, true, true, true, true, true, true}},
      {"library survey with the user library",
       [&] {
         cc->ChangeTab(TCCTab::Surveys);
         cc->Click(SurveyLB, {1, At(SurveyLB, "Library One")});
       },
       {false, false, false, true, true, true, false}},
      {"skill area",
       [&] {
         cc->ChangeTab(TCCTab::Surveys);
         Pick(SurveyLB, "Library One");
         cc->Click(SkillAreaLB, {1});
       },
       {false, true, true, true, false, true, true}},
      {"survey question",
       [&] {
         cc->ChangeTab(TCCTab::Surveys);
         Pick(SurveyLB, "Library One");
         cc->Click(SkillAreaLB, {1});
         cc->Click(SurveyQuestionLB, {3});
       },
       {false, true, true, true, false, true, true}},
      {"subject",
       [&] {
         OpenDetail("Acme", "Sales", "Leadership");
         Pick(SubjectLB, "Ann");
       },
       {true, true, false, true, false, true, true}},
      {"experience",
       [&] {
         OpenDetail("Acme", "Sales", "Leadership");
         Pick(SubjectLB, "Ann");
         cc->Click(ExperienceLB, {1});
       },
       {true, true, false, true, true, true, true}},
      {"two experiences",
       [&] {
         OpenDetail("Acme", "Sales", "Leadership");
         Pick(SubjectLB, "Ann");
         cc->Click(ExperienceLB, {1, 2});
       },
       {true, false, false, true, true, true, false}},
      {"rater",
       [&] {
         ToRaters();
         cc->Click(RaterLB, {2});
       },
       {true, true, true, true, true, true, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (cc->Page() == TCCPage::Detail) cc->DoneClick();
    cc->ChangeTab(TCCTab::Organizations);
    cc->FillCompanyLB();
    row.setup();
    EXPECT_EQ(cc->Buttons(), row.expected);
  }
}

TEST_F(ControlCenterButtonsTest, BuiltInSurveysLockTheirSkillAreasUnlessUnrestricted) {
  Build();
  AddStandardSkillAreas();
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {At(SurveyLB, "Standard Skill Areas"), At(SurveyLB, "Library One")});
  // Several surveys, one built in: no Edit or Show on the skill areas.
  cc->Click(SkillAreaLB, {At(SkillAreaLB, "Library One A0")});
  EXPECT_FALSE(cc->Buttons().Edit);
  EXPECT_FALSE(cc->Buttons().Show);
  Pick(SurveyLB, "Standard Skill Areas");
  cc->Click(SkillAreaLB, {0});
  EXPECT_TRUE(cc->Buttons().Show);
  EXPECT_FALSE(cc->Buttons().Edit);
  EXPECT_FALSE(cc->Buttons().Create);
  EXPECT_FALSE(cc->Buttons().Delete);
}

TEST_F(ControlCenterButtonsTest, SeveralSkillAreasOfAnAnsweredSurveyCannotBeDeleted) {
  Build();
  library->HasCompletedSheets = 1;
  cc->ChangeTab(TCCTab::Surveys);
  AddLibrarySurvey("Two Areas", {5, 5})->HasCompletedSheets = 1;
  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Two Areas");
  cc->Click(SkillAreaLB, {0, 1});
  EXPECT_FALSE(cc->Buttons().Delete);
  cc->KeyDelete();
  EXPECT_EQ(LastLog(), "info: This item cannot be deleted!");
}

TEST_F(ControlCenterButtonsTest, ContextMenusOfferOnlyWhatMayRun) {
  Build();
  EXPECT_EQ(Captions(cc->ContextMenu(CompanyLB, 0)), Menu{"&Create Company"});
  EXPECT_EQ(Captions(cc->ContextMenu(CompanyLB, At(CompanyLB, "Acme"))),
            (Menu{"&Create Company", "&Edit Company", "&View/Edit Categories"}));
  Pick(DepartmentLB, "Sales");
  EXPECT_EQ(Captions(cc->ContextMenu(DepartmentSurveyLB, 1)),
            (Menu{"&Add Surveys", "&Edit Surveys", "&Show Survey"}));
  cc->ChangeTab(TCCTab::Surveys);
  EXPECT_EQ(Captions(cc->ContextMenu(SurveyLB, 1)), Menu{"&Create Survey"});
  EXPECT_EQ(
      Captions(cc->ContextMenu(SurveyLB, At(SurveyLB, "Library One"))),
      (Menu{"&Create Survey", "&Edit Survey", "&Show Survey", "-", "&Print Blank Survey(s)"}));
  EXPECT_EQ(
      Captions(cc->ContextMenu(SkillAreaLB, 1)),
      (Menu{"&Create Skill Area", "&Edit Skill Area", "&Show Skill Area", "&Print Skill Area"}));
  cc->ChangeTab(TCCTab::Organizations);
  ToRaters();
  EXPECT_EQ(Captions(cc->ContextMenu(RaterLB, 2)),
            (Menu{"&Create Rater", "&Edit Rater", "&Show Rater", "-", "Print &Survey(s) for",
                  "Create Survey &Disk(s) for", "&Import Survey Disk for"}));
  EXPECT_EQ(Captions(cc->ContextMenu(ExperienceLB, 1)),
            (Menu{"&Create Experience", "&Edit Experience", "-", "Print Experience &Results"}));
  cc->Click(ExperienceLB, {1, 2});
  EXPECT_EQ(
      Captions(cc->ContextMenu(ExperienceLB, 2)),
      (Menu{"&Create Experience", "-", "Print Experience &Results", "Print Comparative &Report"}));
}

TEST_F(ControlCenterButtonsTest, PrintEntriesHandTheirPresetToTheReportWizard) {
  Build();
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {1, At(SurveyLB, "Library One")});
  cc->PrintClick();
  ASSERT_EQ(ui.Presets.size(), 1u);
  EXPECT_EQ(LastLog(), "report: kind 7 section 11 list 3");
  EXPECT_EQ(ui.Presets[0].Sources, std::vector<TSurvObject*>{library});

  Pick(SurveyLB, "Library One");
  cc->ContextMenu(SkillAreaLB, 1);
  cc->RunCommand(TCCCommand::PrintSkillArea);
  EXPECT_EQ(LastLog(), "report: kind 9 section 9 list 4");

  cc->ChangeTab(TCCTab::Organizations);
  ToRaters();
  cc->Click(ExperienceLB, {1, 2});
  cc->RunCommand(TCCCommand::PrintComparative);
  EXPECT_EQ(LastLog(), "report: kind 3 section 5 list 10");
  EXPECT_EQ(ui.Presets.back().Sources.size(), 2u);
  cc->Click(ExperienceLB, {1});
  cc->RunCommand(TCCCommand::PrintExperienceResults);
  EXPECT_EQ(LastLog(), "report: kind 1 section 0 list 10");
  cc->Click(RaterLB, {2, 3});
  cc->PrintClick();
  EXPECT_EQ(LastLog(), "report: kind 6 section 11 list 11");
  cc->RunCommand(TCCCommand::MakeSurveyDisks);
  ASSERT_EQ(ui.DiskRuns.size(), 1u);
  EXPECT_EQ(ui.DiskRuns[0].size(), 2u);
  cc->ContextMenu(RaterLB, 3);
  cc->RunCommand(TCCCommand::ImportSurveyDisk);
  ASSERT_EQ(ui.Imports.size(), 1u);
  EXPECT_EQ(ui.Imports[0], cc->List(RaterLB).ObjectAt(3));
  cc->WizardClick();
  EXPECT_EQ(LastLog(), "report: kind 0 section 0 list -1");
}

TEST_F(ControlCenterButtonsTest, InsertEnterAndDoubleClickCreateOrEdit) {
  Build();
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "New Company...");
    form.Name = "Beta";
    return true;
  });
  cc->Focus(CompanyLB);
  cc->KeyInsert();
  EXPECT_EQ(Root().Companies().Size(), 2);
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "New Company...");
    return false;
  });
  cc->Activate(CompanyLB, 0);
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "Edit Company...");
    EXPECT_EQ(form.Name, "Acme");
    return false;
  });
  cc->Activate(CompanyLB, At(CompanyLB, "Acme"));
  EXPECT_TRUE(ui.Dialogs.empty());
}

TEST_F(ControlCenterButtonsTest, ShowOnARaterOpensTheScoreEntry) {
  Build();
  ToRaters();
  cc->Click(RaterLB, {2});
  ui.ScoreEntrySaves = true;
  cc->ShowClick();
  ASSERT_EQ(ui.ScoreEntries.size(), 1u);
  EXPECT_EQ(cc->List(RaterLB).Selection(), std::vector<int>{2});
}

}  // namespace
}  // namespace zelvora::testing
