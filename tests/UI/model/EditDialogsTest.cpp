// The logic of the edit dialogs: captions by mode, when the accept button is
// enabled, what is handed back, and the settings they keep.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"
#include "UI/model/DateDlg.h"
#include "UI/model/EDITPREF.h"
#include "base/DateTime.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

TEST(NameFormTest, HandsBackTheTrimmedNameOnlyWhenNotEmpty) {
  TFakeUserInterface ui;
  struct Row {
    const char* typed;
    bool accept;
    std::optional<std::string> result;
  };
  const Row rows[] = {{"  Acme Ltd \t", true, "Acme Ltd"},
                      {"   ", true, std::nullopt},
                      {"Acme", false, std::nullopt}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    TNameForm form("New Company...", "Company Name:", TEditMode::New);
    ui.Script<TNameForm>([&](TNameForm& f) {
      f.Name = row.typed;
      return row.accept;
    });
    EXPECT_EQ(form.Execute(ui), row.result);
  }
  EXPECT_EQ(TNameForm("c", "p", TEditMode::Edit, "x").AddOkCaption(), "&Ok");
}

TEST(EditDialogCaptionsTest, CaptionsAndButtonsByMode) {
  struct Row {
    TEditMode mode;
    Strings expected;  // caption, accept, cancel for skill area, question, suggestion, survey
  };
  const Row rows[] = {
      {TEditMode::New,
       {"New Skill Area...", "Add", "Cancel", "New Question...", "&Add", "&Cancel",
        "New Suggestion...", "&Add", "&Cancel", "New Survey...", "&Add", "&Cancel"}},
      {TEditMode::Edit,
       {"Edit Skill Area Name...", "Ok", "Cancel", "Edit Question Text...", "&Ok", "&Cancel",
        "Edit Suggestion Text...", "&Ok", "&Cancel", "Edit Survey Name...", "&Ok", "&Cancel"}},
      {TEditMode::View,
       {"View Skill Area Name...", "", "&Done", "View Question Text...", "", "&Done",
        "View Suggestion Text...", "", "&Done", "Show Survey Name...", "", "&Done"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.mode));
    TSkillArea area;
    TSurvey survey;
    TNewEditSkillAreaForm skill(row.mode, nullptr, &area);
    TNewEditQuestionForm question(row.mode, &area);
    TNewEditSuggestionForm suggestion(row.mode);
    TNewEditSurveyForm surveyForm(row.mode, &survey);
    EXPECT_EQ(
        (Strings{skill.Caption(), skill.AcceptCaption(), skill.CancelCaption(), question.Caption(),
                 question.AcceptCaption(), question.CancelCaption(), suggestion.Caption(),
                 suggestion.AcceptCaption(), suggestion.CancelCaption(), surveyForm.Caption(),
                 surveyForm.AcceptCaption(), surveyForm.CancelCaption()}),
        row.expected);
  }
}

TEST(SkillAreaFormTest, NewNeedsTheNameAndFourPrefixesEditOnlyTheName) {
  TSectionedConfigFile settings;
  TNewEditSkillAreaForm fresh(TEditMode::New, &settings);
  EXPECT_EQ(fresh.Prefixes[3], "How often should this person");
  EXPECT_FALSE(fresh.AcceptEnabled());
  fresh.SkillAreaName = "Listening";
  EXPECT_TRUE(fresh.AcceptEnabled());
  fresh.Prefixes[1].clear();
  EXPECT_FALSE(fresh.AcceptEnabled());

  TSkillArea area;
  area.Name = "Coaching";
  area.SetPrefix(2, "");
  TNewEditSkillAreaForm edit(TEditMode::Edit, &settings, &area);
  EXPECT_EQ(edit.SkillAreaName, "Coaching");
  EXPECT_TRUE(edit.AcceptEnabled());
  TNewEditSkillAreaForm view(TEditMode::View, &settings, &area);
  EXPECT_FALSE(view.AcceptEnabled());
}

TEST(SkillAreaFormTest, AcceptedPrefixesJoinTheirHistories) {
  TFakeUserInterface ui;
  auto settings =
      TSectionedConfigFile::FromText("[SelfCurPrefixes]\r\nHow often do you\r\nDo you\r\n");
  TNewEditSkillAreaForm form(TEditMode::New, &settings);
  EXPECT_EQ(form.Histories()[0], (Strings{"How often do you", "Do you"}));
  EXPECT_EQ(form.Histories()[1], Strings{"How often should you"});
  ui.Script<TNewEditSkillAreaForm>([](TNewEditSkillAreaForm& f) {
    f.SkillAreaName = "Listening";
    f.Prefixes[0] = "Do you";
    f.Prefixes[1] = "Should you";
    return true;
  });
  ASSERT_TRUE(form.Execute(ui));
  EXPECT_EQ(settings.ReadSection("SelfCurPrefixes"), (Strings{"How often do you", "Do you"}));
  EXPECT_EQ(settings.ReadSection("SelfExpPrefixes"),
            (Strings{"How often should you", "Should you"}));
  EXPECT_EQ(settings.ReadSection("OtherExpPrefixes"), Strings{"How often should this person"});
  // A cancelled dialog writes nothing.
  auto untouched = TSectionedConfigFile::FromText("");
  TNewEditSkillAreaForm cancelled(TEditMode::New, &untouched);
  ui.Cancel();
  EXPECT_FALSE(cancelled.Execute(ui));
  EXPECT_FALSE(untouched.Changed());
}

TEST(SurveyFormTest, NewWaitsForAChangeAndNeedsEveryField) {
  TNewEditSurveyForm form(TEditMode::New);
  EXPECT_EQ(form.Label(1), "Almost Never");
  EXPECT_EQ(form.Label(5), "Always");
  EXPECT_FALSE(form.AcceptEnabled());
  form.SetSurveyName("Coaching");
  EXPECT_FALSE(form.AcceptEnabled());
  form.SetSurveyAuthor("Me");
  EXPECT_TRUE(form.AcceptEnabled());
  for (int label = 1; label <= 5; ++label) {
    SCOPED_TRACE(label);
    const std::string kept = form.Label(label);
    form.SetLabel(label, " ");
    EXPECT_FALSE(form.AcceptEnabled());
    form.SetLabel(label, kept);
  }
  form.SetLabel(3, std::string(30, 'x'));
  EXPECT_EQ(form.Label(3), std::string(25, 'x'));
  TSurvey survey;
  form.StoreInto(survey);
  EXPECT_EQ(survey.FreqLabels.size(), 5u);
  EXPECT_EQ(survey.Author, "Me");
}

class CategoryFormTest : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    Open();
    acme = AddCompany("Acme");
  }
  Strings Names(const TNewEditCategoryForm& form) {
    Strings names;
    for (const auto& category : form.Categories()) names.push_back(category.Name);
    return names;
  }
  int NumberOf(const std::string& name) {
    for (const auto& category : acme->ParseCategories())
      if (category.Name == name) return category.Number;
    return -1;
  }
  TCompany* acme = nullptr;
};

TEST_F(CategoryFormTest, ADeletedCategoryComesBackWithItsNumberAndNewNamesGetFreshOnes) {
  {
    TNewEditCategoryForm form(*acme, &settings, ui);
    EXPECT_EQ(form.Caption(), "Categories...");
    EXPECT_EQ(Names(form), (Strings{"Boss", "Others", "Peer", "Staff", "Team", "Clients"}));
    EXPECT_FALSE(form.OkEnabled());
    form.TypeName("peer");
    EXPECT_EQ(form.Selected(), 2);
    EXPECT_FALSE(form.AddEnabled());
    ui.Answers = {true};
    form.DeleteSelected();
    EXPECT_EQ(LastLog(), "question: Are you sure you want to delete the \"Peer\" category?");
    form.TypeName("Mentor");
    form.Add();
    form.Commit();
  }
  // Listing the seven defaults raised LastCategoryNumber to 7; the new name
  // got 8, never the deleted 3.
  EXPECT_EQ(NumberOf("Mentor"), 8);
  EXPECT_EQ(NumberOf("Peer"), -1);
  EXPECT_EQ(acme->LastCategoryNumber, 8);
  EXPECT_EQ(settings.ReadSection(acme->ID.Key()), Strings{"3=Peer"});
  EXPECT_DOUBLE_EQ(db.StoredDate(okCompany, acme->ID), acme->Date);
  {
    TNewEditCategoryForm form(*acme, &settings, ui);
    form.TypeName(" peer ");
    EXPECT_TRUE(form.AddEnabled());
    form.Add();
    form.TypeName("Coach");
    form.Add();
    form.Commit();
  }
  EXPECT_EQ(NumberOf("peer"), 3);
  EXPECT_EQ(NumberOf("Coach"), 9);
  EXPECT_FALSE(settings.SectionExists(acme->ID.Key()));
}

TEST_F(CategoryFormTest, EditMoveAndCancel) {
  TNewEditCategoryForm form(*acme, &settings, ui);
  form.Select(0);
  EXPECT_FALSE(form.MoveUpEnabled());
  EXPECT_TRUE(form.MoveDownEnabled());
  form.MoveDown();
  EXPECT_EQ(form.Selected(), 1);
  ui.Inputs.push_back({true, " Manager "});
  form.EditSelected();
  EXPECT_EQ(LastLog(), "input: Edit Category Name | Type the new category name.");
  EXPECT_EQ(Names(form), (Strings{"Others", "Manager", "Peer", "Staff", "Team", "Clients"}));
  form.Select(5);
  EXPECT_FALSE(form.MoveDownEnabled());
  EXPECT_TRUE(form.OkEnabled());
  ui.Cancel();
  EXPECT_FALSE(form.Execute());
  EXPECT_EQ(NumberOf("Boss"), 1);
  ui.Script<TNewEditCategoryForm>([](TNewEditCategoryForm&) { return true; });
  EXPECT_TRUE(form.Execute());
  EXPECT_EQ(NumberOf("Manager"), 1);
  EXPECT_EQ(acme->ParseCategories()[2].Name, "Manager");
}

class RaterFormTest : public ControlCenterTest {
 protected:
  void SetUp() override {
    ControlCenterTest::SetUp();
    Open();
    acme = AddCompany("Acme");
    TDepartment* sales = AddDepartment(*acme, "Sales");
    TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
    experience = AddExperience(*AddSubject(*sales, "Ann"), *survey);
    AddSheet(*experience, "Ann", 0);
    AddSheet(*experience, "Bob", 1);
    for (const char* name : {"Ann", "Bob", "Zed", "Cy"}) acme->EnsureRater(name);
  }
  TCompany* acme = nullptr;
  TExperience* experience = nullptr;
};

TEST_F(RaterFormTest, NewFormAddsSeveralRatersAndFillsTheDirectory) {
  TNewEditRaterForm form(*experience, *acme, &settings, ui);
  EXPECT_EQ(form.Caption(), "New Rater...");
  EXPECT_EQ(form.CancelCaption(), "&Done");
  EXPECT_EQ(form.DirectoryNames(), (Strings{"Cy", "Zed"}));
  ASSERT_EQ(form.RaterCategories().size(), 6u);
  EXPECT_EQ(form.RaterCategories()[0].Name, "Boss");
  EXPECT_FALSE(form.AddEnabled());
  form.RaterName = "bob";  // rates already, letter case aside
  form.SelectedCategory = 1;
  EXPECT_FALSE(form.AddEnabled());
  form.RaterName = "Dee";
  EXPECT_TRUE(form.AddEnabled());
  form.SelectedNames = {0, 1};
  form.Add();
  EXPECT_EQ(experience->ScoreSheets().Size(), 5);
  EXPECT_EQ(form.AddedSheets().size(), 3u);
  EXPECT_EQ(form.AddedSheets()[0]->RaterCategory, 2);
  EXPECT_NE(acme->FindRater("Dee"), nullptr);
  EXPECT_TRUE(form.DirectoryNames().empty());
  EXPECT_TRUE(form.RaterName.empty());
}

TEST_F(RaterFormTest, DirectoryNamesAreDeletedAfterTheQuestion) {
  TNewEditRaterForm form(*experience, *acme, &settings, ui);
  ui.Answers = {false, true};
  form.SelectedNames = {0};
  form.DeleteDirectoryNames();
  EXPECT_EQ(LastLog(), "question: Delete selected company rater?");
  form.SelectedNames = {0, 1};
  form.DeleteDirectoryNames();
  EXPECT_EQ(LastLog(), "question: Delete selected company raters?");
  EXPECT_EQ(acme->FindRater("Cy"), nullptr);
  EXPECT_EQ(acme->FindRater("Zed"), nullptr);
  EXPECT_EQ(acme->Raters().Size(), 2);
}

TEST_F(RaterFormTest, EditCategoriesReloadsTheCategories) {
  TNewEditRaterForm form(*experience, *acme, &settings, ui);
  ui.Script<TNewEditCategoryForm>([](TNewEditCategoryForm& categories) {
    categories.TypeName("Mentor");
    categories.Add();
    return true;
  });
  form.EditCategories();
  EXPECT_EQ(form.RaterCategories().back().Name, "Mentor");
}

TEST(PrefixesFormTest, EditsTheFourHistoriesAndDropsEmptyLines) {
  TFakeUserInterface ui;
  TSectionedConfigFile settings;
  TEditPrefixesForm form(&settings);
  EXPECT_EQ(form.PrefixesText, "How often do you");
  form.PrefixesText = "Do you\r\n\r\nHow often do you";
  form.SelectCategory(3);
  EXPECT_EQ(form.PrefixesText, "How often should this person");
  form.PrefixesText = "\n";
  form.SelectCategory(0);
  EXPECT_EQ(form.PrefixesText, "Do you\r\nHow often do you");
  ui.Script<TEditPrefixesForm>([](TEditPrefixesForm&) { return true; });
  ASSERT_TRUE(form.Execute(ui));
  EXPECT_EQ(settings.ReadSection("SelfCurPrefixes"), (Strings{"Do you", "How often do you"}));
  EXPECT_FALSE(settings.SectionExists("OtherExpPrefixes"));
  // An emptied history reads as its default again.
  EXPECT_EQ(TPrefixHistories::Read(&settings)[3], Strings{"How often should this person"});
}

TEST(DateDialogTest, ReadsDatesTypedWithAnySeparator) {
  struct Row {
    const char* text;
    const char* iso;  // "" when it cannot be read
  };
  const Row rows[] = {{"3 15 2024", "2024-03-15"},
                      {"3-15-2024", "2024-03-15"},
                      {"03.15.2024", "2024-03-15"},
                      {"3;15;2024", "2024-03-15"},
                      {"12/31/1999", "1999-12-31"},
                      {"2/29/2024", "2024-02-29"},
                      {"2/29/2023", ""},
                      {"13/1/2024", ""},
                      {"0/10/2024", ""},
                      {"3/15/2024/1", ""},
                      {"March 15", ""},
                      {"", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const auto date = TDateEntryDialog::ParseDate(row.text);
    EXPECT_EQ(date ? FormatIsoDate(*date) : std::string(), row.iso);
  }
}

TEST(DateDialogTest, ShowsTheDateWrittenOutAndKeepsTheTimeOfDay) {
  TFakeUserInterface ui;
  TDateEntryDialog dialog("Enter Date", "When?", "&OK");
  const double initial = EncodeDate(2024, 1, 2) + 0.75;
  dialog.SetDate(initial);
  EXPECT_EQ(dialog.DateText, "01/02/2024");
  EXPECT_EQ(dialog.DisplayText(), "Tuesday January 2, 2024");
  dialog.DateText = "3 15 2024";
  EXPECT_EQ(dialog.DisplayText(), "Friday March 15, 2024");
  dialog.DateText = "3 15 20x";
  EXPECT_EQ(dialog.DisplayText(), "");
  EXPECT_FALSE(dialog.Leave(ui));
  EXPECT_EQ(ui.Log.back(), "error: Invalid Date\r\nPlease reenter");

  ui.Script<TDateEntryDialog>([](TDateEntryDialog& d) {
    d.DateText = "7/4/2024";
    return true;
  });
  const auto entered = dialog.Execute(ui);
  ASSERT_TRUE(entered);
  EXPECT_DOUBLE_EQ(*entered, EncodeDate(2024, 7, 4) + 0.75);
  ui.Script<TDateEntryDialog>([](TDateEntryDialog& d) {
    d.DateText = "8/8/2024";
    return false;
  });
  EXPECT_FALSE(dialog.Execute(ui));
  EXPECT_EQ(dialog.DateText, "01/02/2024");
}

}  // namespace
}  // namespace zelvora::testing
