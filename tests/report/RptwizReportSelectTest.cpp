// The report wizard's last page: the dialogs before it, the controls shown
// per category, View and Print enabling, the summary text, the request it
// builds, and the hand-over of Rater Disks.
#include <gtest/gtest.h>

#include "report/RptwizWorld.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

// Category over Sales' Leadership, subjects Ann and Bob, every experience
// (Comparative: the first two of each subject).
void ToReportSelect(TRptWiz& wiz, int category) {
  ToDepartments(wiz, category, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Ann", "Sales: Bob"});
  wiz.Next();
  wiz.SelectAll();
  if (category == rcComparative) wiz.SetSelected(1, false);  // Ann: 1st and 3rd
  if (category == rcComparative) wiz.SetSelected(2, true);
  wiz.Next();
  if (category == rcRaterSurveys) {
    wiz.SelectAll();
    wiz.Next();
  }
}

TEST(RptwizReportSelect, ControlsShownPerCategory) {
  struct Row {
    int category;
    std::vector<int> boxes;
    bool copies_and_title;
    const char* help;
  };
  const Row rows[] = {
      {rcIndividual, {1, 2, 3, 4}, true, "Choose Report Type(s) and View or Print"},
      {rcComposite, {1, 2, 3, 4}, true, "Choose Report Type(s) and View or Print"},
      {rcOrganizational, {6, 7}, true, "Choose Report Type(s) and View or Print"},
      {rcTraining, {}, true, "You have selected the following report(s)"},
      {rcRaterSurveys, {}, false, "You have selected the following report(s)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(RptWizCategoryName(row.category));
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    TRptWiz wiz(*world.root, ui);
    ToReportSelect(wiz, row.category);
    ASSERT_EQ(wiz.Page(), rwReportSelect);
    std::vector<int> shown;
    for (int s : kRptWizBoxSections)
      if (wiz.BoxVisible(s)) {
        shown.push_back(s);
        EXPECT_TRUE(wiz.BoxChecked(s));
      }
    EXPECT_EQ(shown, row.boxes);
    EXPECT_EQ(wiz.MemoVisible(), row.boxes.empty());
    EXPECT_EQ(wiz.CopiesAndTitleVisible(), row.copies_and_title);
    EXPECT_FALSE(wiz.CategoryRadioVisible());
    EXPECT_EQ(wiz.HelpText(), row.help);
    EXPECT_TRUE(wiz.CanView());
    EXPECT_FALSE(wiz.CanNext());
  }
}

TEST(RptwizReportSelect, ViewEnabledWhileABoxIsChecked) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToReportSelect(wiz, rcOrganizational);
  wiz.SetBoxChecked(6, false);
  EXPECT_TRUE(wiz.CanView());
  wiz.SetBoxChecked(7, false);
  // Boxes of other categories do not count.
  EXPECT_TRUE(wiz.BoxChecked(1));
  EXPECT_FALSE(wiz.CanView());
  wiz.View();
  EXPECT_TRUE(ui.requests.empty());
}

TEST(RptwizReportSelect, ReturnDateAsapOrByTheDate) {
  struct Row {
    std::optional<double> date;
    const char* line;
  };
  const Row rows[] = {
      {std::nullopt, "\tReturn ASAP\n"},
      {EncodeDate(2026, 12, 22), "\tReturn by Tue Dec 22, 2026\n"},
      {EncodeDate(1980, 1, 1), "\tReturn ASAP\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    ui.return_date = row.date;
    TRptWiz wiz(*world.root, ui);
    ToReportSelect(wiz, rcRaterSurveys);
    EXPECT_EQ(ui.asked, Strings{"Enter a return date for surveys, or press 'ASAP'"});
    const std::string memo = wiz.MemoText();
    EXPECT_EQ(memo.substr(0, memo.find("\n    ") + 1),
              std::string("\n\tPrinting Survey(s)\n") + row.line + "\n");
    const TReportRequest request = wiz.BuildRequest();
    EXPECT_EQ(request.ReturnDate, row.date.value_or(0.0));
  }
}

TEST(RptwizReportSelect, SummaryListsTheSelectedEntries) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToReportSelect(wiz, rcComparative);
  EXPECT_EQ(wiz.MemoText(),
            "\n\tPrinting Comparative Report\n\tfor experiences:\n\n"
            "    Ann: 2026-01-05\n    Ann: 2026-06-01\n");
  TRptwizWorld world2;
  TRptWiz org(*world2.root, ui);
  ToReportSelect(org, rcOrganizational);
  EXPECT_EQ(org.MemoText(),
            "\n\tPrinting Organization by Skills\n\n    Ann: 2026-01-05\n    Ann: 2026-03-10\n"
            "    Ann: 2026-06-01\n    Bob: 2026-02-02\n\n    Sales\n");
}

TEST(RptwizReportSelect, CompositeAsksForItsNameCutTo31Characters) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  ui.name_typed = "Résumé of the whole sales team this year";
  TRptWiz wiz(*world.root, ui);
  ToReportSelect(wiz, rcComposite);
  EXPECT_EQ(ui.asked, Strings{"Report Name|Enter a descriptive name|Grouped Results"});
  EXPECT_EQ(wiz.ReportName, "Résumé of the whole sales team ");
  // Choosing a category again forgets it.
  for (int i = 0; i < 6; ++i) wiz.Back();
  ASSERT_EQ(wiz.Page(), rwType);
  wiz.SetCategory(rcComposite);
  EXPECT_EQ(wiz.ReportName, "");
}

TEST(RptwizReportSelect, RequestPerCategory) {
  struct Row {
    int category;
    std::uint16_t sections;
    std::uint16_t options;
    std::size_t sources;  // entries handed to the generator
    std::size_t selected;
  };
  const Row rows[] = {
      {rcIndividual, 0x1E, 0x0401, 4, 4},      {rcComposite, 0x1E, 0x0401, 4, 4},
      {rcComparative, 1 << 5, 0x0401, 4, 2},  // two separators
      {rcOrganizational, 0xC0, 0x0401, 4, 4},  {rcTraining, 1 << 8, 0x0401, 4, 4},
      {rcRaterSurveys, 1 << 11, 0x0406, 8, 8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(RptWizCategoryName(row.category));
    TRptwizWorld world;
    TFakeReportWizardUI ui;
    TRptWiz wiz(*world.root, ui);
    ToReportSelect(wiz, row.category);
    wiz.Copies = 3;
    wiz.Print();
    ASSERT_EQ(ui.requests.size(), 1u);
    EXPECT_TRUE(ui.printed[0]);
    const TReportRequest& r = ui.requests[0];
    EXPECT_EQ(r.Kind, RptWizCategoryKind(row.category));
    EXPECT_EQ(r.Sections, row.sections);
    EXPECT_EQ(r.Options, row.options);
    EXPECT_EQ(r.Copies, 3);
    EXPECT_EQ(r.Sources.size(), row.sources);
    std::size_t selected = 0;
    for (const TReportSourceEntry& e : r.Sources)
      if (e.Selected && (e.Data != nullptr || e.Form != nullptr)) ++selected;
    EXPECT_EQ(selected, row.selected);
    const std::size_t departments_selected = static_cast<std::size_t>(std::count_if(
        r.Departments.begin(), r.Departments.end(), [](const auto& d) { return d.Selected; }));
    EXPECT_EQ(departments_selected, row.category == rcOrganizational ? 1u : 0u);
  }
}

TEST(RptwizReportSelect, ComparativeRequestKeepsSubjectsApart) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToReportSelect(wiz, rcComparative);
  wiz.View();
  ASSERT_EQ(ui.requests.size(), 1u);
  EXPECT_FALSE(ui.printed[0]);
  const auto& s = ui.requests[0].Sources;
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].Text, "Ann: 2026-01-05");
  EXPECT_EQ(s[1].Text, "Ann: 2026-06-01");
  EXPECT_EQ(s[2].Data, nullptr);
  EXPECT_EQ(s[3].Data, nullptr);
}

TEST(RptwizReportSelect, TitleAndOtherOptionBits) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ASSERT_TRUE(wiz.OpenPreset(kReportBlankForms, 1 << 11, {}, "Blank"));
  EXPECT_TRUE(wiz.CategoryRadioVisible());
  EXPECT_FALSE(wiz.CopiesAndTitleVisible());
  wiz.OtherCategory = true;
  EXPECT_EQ(wiz.BuildRequest().Options, 0x0806);
  ASSERT_TRUE(wiz.OpenPreset(kReportSkillArea, 1 << 9, {}, "Skill Area"));
  wiz.TitlePage = false;
  EXPECT_EQ(wiz.BuildRequest().Options, 0x0400);
  EXPECT_EQ(wiz.BuildRequest().Sections, 1 << 9);
}

TEST(RptwizReportSelect, EveryPresetNamesItsCategory) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  const struct {
    int kind;
    const char* info;
  } rows[] = {{kReportIndividual, "Current Category: Individual"},
              {kReportComparative, "Current Category: Comparative"},
              {kReportRaterForms, "Current Category: Rater Surveys"},
              {kReportBlankForms, "Current Category: Blank Surveys"},
              {kReportSkillArea, "Current Category: Skill Areas"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    ASSERT_TRUE(wiz.OpenPreset(row.kind, 0, {}, RptWizPresetName(row.kind)));
    EXPECT_EQ(wiz.InfoText(), row.info);
  }
}

TEST(RptwizReportSelect, PresetIndividualTakesSectionsFromTheBoxes) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  std::vector<TReportSourceEntry> sources(2);
  sources[0].Text = "one";
  sources[0].Selected = true;
  sources[1].Text = "two";
  ASSERT_TRUE(wiz.OpenPreset(kReportIndividual, 0, sources, "Individual"));
  EXPECT_EQ(wiz.InfoText(), "Current Category: Individual");
  EXPECT_TRUE(wiz.ReportBoxesVisible());
  wiz.SetBoxChecked(2, false);
  const TReportRequest request = wiz.BuildRequest();
  EXPECT_EQ(request.Sections, 0x1A);
  ASSERT_EQ(request.Sources.size(), 2u);
  EXPECT_EQ(wiz.MemoText(), "\n\tPrinting Selected Reports\n\n    one\n");
}

TEST(RptwizReportSelect, RaterDisksHandTheSheetsToTheDiskMaker) {
  TRptwizWorld world;
  TFakeReportWizardUI ui;
  TRptWiz wiz(*world.root, ui);
  ToDepartments(wiz, rcRaterDisks, {"Sales"});
  wiz.Next();
  SelectTexts(wiz, {"Leadership"});
  wiz.Next();
  SelectTexts(wiz, {"Sales: Bob"});
  wiz.Next();
  wiz.SelectAll();
  wiz.Next();
  EXPECT_EQ(wiz.HelpText(), "Select raters to make disks for");
  SelectTexts(wiz, {"Bob: Bob Boss"});
  wiz.Next();
  EXPECT_EQ(wiz.Page(), rwSurveyOf);
  EXPECT_EQ(ui.disks_caption, "Create Survey Disks");
  ASSERT_EQ(ui.disk_sheets.size(), 1u);
  EXPECT_EQ(ui.disk_sheets[0]->RaterName, "Bob Boss");
  EXPECT_TRUE(ui.requests.empty());
}

}  // namespace
}  // namespace zelvora::testing
