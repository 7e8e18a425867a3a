// The report wizard's pages: their order per category and "Choose from:",
// what each list holds and shows, and the prompts and empty-result
// messages.
#include <gtest/gtest.h>

#include "report/RptwizWorld.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

TEST(RptwizPages, OrderFollowsCategoryAndChooseFrom) {
  struct Row {
    int category;
    bool subjects_first;
    std::vector<int> order;
  };
  const Row rows[] = {
      {rcIndividual, false, {0, 1, 2, 3, 4, 5, 6}},
      {rcComposite, true, {0, 1, 2, 4, 3, 5, 6}},
      {rcTraining, false, {0, 1, 2, 3, 4, 5, 6}},
      {rcRaterSurveys, false, {0, 1, 2, 3, 4, 5, 7, 6}},
      {rcRaterSurveys, true, {0, 1, 2, 3, 4, 5, 7, 6}},
      {rcRaterDisks, false, {0, 1, 2, 3, 4, 5, 7}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(RptWizCategoryName(row.category)) +
                 (row.subjects_first ? " subjects first" : ""));
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    TRptWiz wiz(*world.root, ui);
    wiz.SetChooseSubjects(row.subjects_first);
    wiz.SetCategory(row.category);
    EXPECT_EQ(wiz.PageOrder(), row.order);
  }
}

TEST(RptwizPages, PromptsAndCategoryLine) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  EXPECT_EQ(wiz.HelpText(), "Choose one category of report to print");
  EXPECT_FALSE(wiz.CanNext());
  ToDepartments(wiz, rcComparative, {"Sales"});
  EXPECT_EQ(wiz.InfoText(), "Current Category: Comparative");
  EXPECT_EQ(wiz.HelpText(), "Choose the department(s) to report");
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "Choose one survey to report");
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "Choose the subject(s) to report");
  SelectTexts(wiz, {"Sales: Ann"});
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "Choose TWO experiences to compare for each subject");
  wiz.SelectAll();
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwReportSelect);
  EXPECT_EQ(wiz.HelpText(), "You have selected the following report(s)");
}

TEST(RptwizPages, CompaniesSortedAndDepartmentsOfTheChosenOne) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  wiz.SetCategory(rcIndividual);
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwCompany), (Strings{"Acme", "Zeta Corp"}));
  EXPECT_FALSE(wiz.CanNext());
  SelectTexts(wiz, {"Zeta Corp"});
  SelectTexts(wiz, {"Acme"});  // single choice: the last one wins
  EXPECT_EQ(SelectedTexts(wiz, rwCompany), Strings{"Acme"});
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwDepartment), (Strings{"Sales", "Support", "Empty"}));
}

TEST(RptwizPages, SurveysFirstListsAndTexts) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcIndividual, {"Sales", "Support"});
  wiz.Next();
  // Common to both departments; the only one is chosen already.
  EXPECT_EQ(Texts(wiz, rwSurvey), Strings{"Leadership"});
  EXPECT_TRUE(wiz.CanNext());
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwSubject), (Strings{"Sales: Ann", "Sales: Bob", "Support: Cy"}));
  SelectTexts(wiz, {"Sales: Ann", "Support: Cy"});
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwExperience),
            (Strings{"Ann: 2026-01-05", "Ann: 2026-03-10", "Ann: 2026-06-01", "Cy: 2026-04-04",
                     "Cy: 2026-05-05"}));
}

TEST(RptwizPages, SubjectsFirstShowsSubjectsThenTheirCommonSurveys) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  wiz.SetCategory(rcIndividual);
  wiz.Next();
  SelectTexts(wiz, {"Acme"});
  wiz.Next();
  SelectTexts(wiz, {"Sales", "Support"});
  wiz.SetChooseSubjects(true);
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwSubject);
  EXPECT_EQ(Texts(wiz, rwSubject), (Strings{"Sales: Ann", "Sales: Bob", "Support: Cy"}));
  SelectTexts(wiz, {"Sales: Ann"});
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwSurvey);
  EXPECT_EQ(Texts(wiz, rwSurvey), (Strings{"Leadership", "Teamwork"}));
  wiz.Back();
  SelectTexts(wiz, {"Support: Cy"});
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwSurvey), Strings{"Leadership"});
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwExperience);
  // The short date format in this order.
  EXPECT_EQ(Texts(wiz, rwExperience)[0], "Ann: " + FormatShortDate(EncodeDate(2026, 1, 5)));
}

TEST(RptwizPages, ComparativeSeparatesSubjectsByAnUnselectableEntry) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcComparative, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Ann", "Sales: Bob"});
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwExperience), (Strings{"Ann: 2026-01-05", "Ann: 2026-03-10",
                                               "Ann: 2026-06-01", "", "Bob: 2026-02-02", ""}));
  wiz.SetSelected(3, true);
  EXPECT_EQ(wiz.SelectedCount(rwExperience), 0);
}

TEST(RptwizPages, RatersOfTheSelectedExperiences) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcRaterSurveys, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Bob"});
  wiz.Next();
  wiz.SelectAll();
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwSurveyOf);
  EXPECT_EQ(wiz.HelpText(), "Select raters to print surveys for");
  EXPECT_EQ(Texts(wiz, rwSurveyOf), (Strings{"Bob: Bob Self", "Bob: Bob Boss"}));
}

TEST(RptwizPages, EmptyResultMessagesKeepNextDisabled) {
  struct Row {
    const char* name;
    std::vector<std::string> departments;
    bool subjects_first;
    int page;
    const char* message;
  };
  const Row rows[] = {
      {"empty department", {"Empty"}, false, rwSurvey, "No surveys found in selected department"},
      {"no common survey",
       {"Empty", "Sales"},
       false,
       rwSurvey,
       "No surveys common to selected departments"},
      {"no subjects first", {"Empty"}, true, rwSubject, "No subjects in selected department(s)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    TRptWiz wiz(*world.root, ui);
    wiz.SetChooseSubjects(row.subjects_first);
    ToDepartments(wiz, rcIndividual, row.departments);
    wiz.Next();
    EXPECT_EQ(wiz.Page(), row.page);
    EXPECT_EQ(wiz.HelpText(), row.message);
    EXPECT_FALSE(wiz.CanNext());
    EXPECT_TRUE(wiz.SelectButtonsVisible());
    EXPECT_FALSE(wiz.SelectButtonsEnabled());
  }
}

TEST(RptwizPages, SurveyMessagesInSubjectsFirstOrder) {
  TRptwizWorld world;
  world.AddSubject(world.sales, "Dee");  // no experiences, so no surveys
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  wiz.SetChooseSubjects(true);
  ToDepartments(wiz, rcIndividual, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Dee"});
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "No surveys found for selected subject");
  wiz.Back();
  SelectTexts(wiz, {"Sales: Bob"});
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "No surveys common to selected subjects");
  EXPECT_FALSE(wiz.CanNext());
}

TEST(RptwizPages, NoExperiencesAndNoRaters) {
  TRptwizWorld world;
  TSubject* dee = world.AddSubject(world.sales, "Dee");
  world.AddExperience(dee, world.sales->Surveys().At(0), 2026, 9, 9, false);
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcRaterDisks, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Teamwork"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Ann"});
  wiz.Back();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwSubject), (Strings{"Sales: Ann", "Sales: Bob", "Sales: Dee"}));
  SelectTexts(wiz, {"Sales: Dee"});
  wiz.Next();
  SelectTexts(wiz, {"Dee: 2026-09-09"});
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwSurveyOf);
  EXPECT_EQ(wiz.HelpText(), "No raters exist for selected subject(s)");
  EXPECT_FALSE(wiz.CanNext());
}

TEST(RptwizPages, NoCompaniesAndNoDepartments) {
  TMemoryDB db{53, 1};
  db.Open();
  TDataRoot root;
  TFakeReportWizardUI ui;
  TRptWiz wiz(root, ui);
  wiz.SetCategory(rcTraining);
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "No Companies Found");
  EXPECT_FALSE(wiz.CanNext());
  auto company = std::make_unique<TCompany>();
  company->Name = "Lone";
  root.Companies().Adopt(std::move(company));
  wiz.Back();
  wiz.Next();
  SelectTexts(wiz, {"Lone"});
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "Selected company has no departments");
}

}  // namespace
}  // namespace zelvora::testing
