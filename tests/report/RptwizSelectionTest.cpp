// The report wizard's selections: Next enabling, Select All / Unselect All,
// remembered selections and what clears them, and the Print password on the
// way to the company page.
#include <gtest/gtest.h>

#include "report/RptwizWorld.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

// Comparative over Sales' Leadership with Ann (three experiences) and Bob
// (one), on the experience page.
void ToComparativeExperiences(TRptWiz& wiz) {
  ToDepartments(wiz, rcComparative, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Ann", "Sales: Bob"});
  wiz.Next();
  ASSERT_EQ(wiz.Page(), rwExperience);
}

TEST(RptwizSelection, ComparativeNeedsAnEvenCountOfAtLeastTwo) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToComparativeExperiences(wiz);
  struct Row {
    Strings selected;
    bool can_next;
  };
  const Row rows[] = {
      {{"Ann: 2026-01-05"}, false},
      {{"Ann: 2026-01-05", "Ann: 2026-03-10"}, true},
      {{"Ann: 2026-01-05", "Ann: 2026-03-10", "Ann: 2026-06-01"}, false},
      {{"Ann: 2026-01-05", "Ann: 2026-03-10", "Ann: 2026-06-01", "Bob: 2026-02-02"}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.selected.size()) + " selected");
    wiz.UnselectAll();
    SelectTexts(wiz, row.selected);
    EXPECT_EQ(wiz.CanNext(), row.can_next);
    wiz.Next();
    EXPECT_EQ(wiz.Page(), row.can_next ? rwReportSelect : rwExperience);
    if (wiz.Page() == rwReportSelect) wiz.Back();
  }
}

TEST(RptwizSelection, ComparativeSelectAllTakesTheFirstTwoOfEachSubject) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToComparativeExperiences(wiz);
  wiz.SelectAll();
  // Bob has one experience and stays unselected.
  EXPECT_EQ(SelectedTexts(wiz, rwExperience), (Strings{"Ann: 2026-01-05", "Ann: 2026-03-10"}));
  EXPECT_TRUE(wiz.CanNext());
  wiz.UnselectAll();
  EXPECT_EQ(wiz.SelectedCount(rwExperience), 0);
  EXPECT_FALSE(wiz.CanNext());
}

TEST(RptwizSelection, SelectAllOnOtherPages) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  EXPECT_FALSE(wiz.SelectButtonsVisible());
  wiz.SetCategory(rcIndividual);
  wiz.Next();
  // Two companies: Select All on a single-choice page chooses nothing.
  wiz.SelectAll();
  EXPECT_EQ(wiz.SelectedCount(rwCompany), 0);
  SelectTexts(wiz, {"Acme"});
  wiz.Next();
  wiz.SelectAll();
  EXPECT_EQ(wiz.SelectedCount(rwDepartment), 3);
  wiz.UnselectAll();
  SelectTexts(wiz, {"Sales"});
  wiz.Next();
  // Two surveys in Sales.
  EXPECT_FALSE(wiz.CanNext());
  wiz.SelectAll();
  EXPECT_EQ(wiz.SelectedCount(rwSurvey), 0);
  SelectTexts(wiz, {"Teamwork"});
  wiz.Next();
  // Only Ann took Teamwork: Select All on a single entry.
  EXPECT_EQ(Texts(wiz, rwSubject), Strings{"Sales: Ann"});
  wiz.SelectAll();
  EXPECT_TRUE(wiz.CanNext());
  wiz.Next();
  wiz.SelectAll();
  EXPECT_EQ(SelectedTexts(wiz, rwExperience), Strings{"Ann: 2026-07-07"});
}

TEST(RptwizSelection, GoingBackWithoutAChangeRestoresEverything) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcIndividual, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Teamwork"});
  wiz.Next();
  wiz.SelectAll();
  wiz.Next();
  wiz.SelectAll();
  // Back to the departments and forward again.
  for (int i = 0; i < 3; ++i) wiz.Back();
  ASSERT_EQ(wiz.Page(), rwDepartment);
  EXPECT_EQ(SelectedTexts(wiz, rwDepartment), Strings{"Sales"});
  wiz.Next();
  EXPECT_EQ(SelectedTexts(wiz, rwSurvey), Strings{"Teamwork"});
  wiz.Next();
  EXPECT_EQ(SelectedTexts(wiz, rwSubject), Strings{"Sales: Ann"});
  wiz.Next();
  EXPECT_EQ(SelectedTexts(wiz, rwExperience), Strings{"Ann: 2026-07-07"});
}

TEST(RptwizSelection, ChangedDepartmentsClearSurveyAndSubjects) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcIndividual, {"Sales", "Support"});
  wiz.Next();  // Leadership, the only common one, is chosen
  wiz.Next();
  SelectTexts(wiz, {"Sales: Ann"});
  wiz.Next();
  wiz.Back();
  wiz.Back();
  wiz.Back();
  wiz.SetSelected(1, false);  // Support off
  wiz.Next();
  EXPECT_EQ(Texts(wiz, rwSurvey), (Strings{"Leadership", "Teamwork"}));
  EXPECT_EQ(wiz.SelectedCount(rwSurvey), 0);
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  EXPECT_EQ(wiz.SelectedCount(rwSubject), 0);
}

TEST(RptwizSelection, AnotherCompanyClearsTheDepartments) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcIndividual, {"Sales"});
  wiz.Back();
  wiz.SetSelected(1, true);  // Zeta Corp
  wiz.Next();
  EXPECT_EQ(wiz.SelectedCount(rwDepartment), 0);
  wiz.Back();
  wiz.SetSelected(0, true);  // Acme again: its selection was not kept
  wiz.Next();
  EXPECT_EQ(wiz.SelectedCount(rwDepartment), 0);
}

TEST(RptwizSelection, PrintPasswordOnTheWayToTheCompanyPage) {
  struct Row {
    int category;
    bool granted;
    int asked;
    int page;
  };
  const Row rows[] = {
      {rcIndividual, true, 1, rwCompany},  {rcIndividual, false, 1, rwType},
      {rcTraining, false, 1, rwType},      {rcRaterSurveys, false, 0, rwCompany},
      {rcRaterDisks, false, 0, rwCompany},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(RptWizCategoryName(row.category)) +
                 (row.granted ? " granted" : " refused"));
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    ui.password_ok = row.granted;
    TRptWiz wiz(*world.root, ui);
    wiz.SetCategory(row.category);
    wiz.Next();
    EXPECT_EQ(ui.password_asked, row.asked);
    EXPECT_EQ(wiz.Page(), row.page);
  }
}

TEST(RptwizSelection, RefusedPasswordClosesAPresetWizard) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  ui.password_ok = false;
  TRptWiz wiz(*world.root, ui);
  EXPECT_FALSE(wiz.OpenPreset(kReportComparative, 1 << 5, {}, "Comparative"));
  EXPECT_TRUE(wiz.Closed());
  // Blank forms ask nothing.
  EXPECT_TRUE(wiz.OpenPreset(kReportBlankForms, 1 << 11, {}, "Blank Surveys"));
  EXPECT_EQ(ui.password_asked, 1);
  EXPECT_EQ(wiz.Page(), rwReportSelect);
  EXPECT_TRUE(wiz.CanBack());
  wiz.Back();
  EXPECT_EQ(wiz.Page(), rwType);
  EXPECT_FALSE(wiz.IsPreset());
}

}  // namespace
}  // namespace zelvora::testing
