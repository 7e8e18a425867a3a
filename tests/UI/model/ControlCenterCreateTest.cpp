// The Create action of each list, and adding copies of library surveys to a
// department with the survey selection.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"
#include "base/DateTime.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

auto Typing(const std::string& name) {
  return [name](TNameForm& form) {
    form.Name = name;
    return true;
  };
}

TEST_F(ControlCenterTest, CreatesACompanyAndADepartmentWithTrimmedNames) {
  Open();
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Prompt(), "Company Name:");
    EXPECT_EQ(form.AddOkCaption(), "&Add");
    form.Name = "  Acme  ";
    return true;
  });
  cc->Click(CompanyLB, {0});
  cc->CreateClick();
  ASSERT_EQ(Root().Companies().Size(), 1);
  TCompany* acme = Root().Companies().At(0);
  EXPECT_EQ(acme->Name, "Acme");
  EXPECT_EQ(acme->ParseCategories().size(), 7u);
  EXPECT_EQ(cc->List(CompanyLB).Selection(), std::vector<int>{1});
  EXPECT_TRUE(db.HasRecord(okCompany, acme->ID));

  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "New Department...");
    EXPECT_EQ(form.Prompt(), "Department Name:");
    form.Name = "Sales";
    return true;
  });
  cc->Focus(DepartmentLB);
  cc->CreateClick();
  EXPECT_EQ(Texts(DepartmentLB), (Strings{"Add New Department...", "Sales"}));
  EXPECT_EQ(cc->List(DepartmentLB).Selection(), std::vector<int>{1});
  // A blank name adds nothing.
  ui.Script<TNameForm>(Typing("   "));
  cc->CreateClick();
  EXPECT_EQ(acme->Departments().Size(), 1);
}

class AddSurveysTest : public ControlCenterTest {
 protected:
  void Build() {
    Open();
    AddStandardSkillAreas();
    acme = AddCompany("Acme");
    sales = AddDepartment(*acme, "Sales");
    cc->FillCompanyLB();
    Pick(CompanyLB, "Acme");
    Pick(DepartmentLB, "Sales");
    cc->Click(DepartmentSurveyLB, {0});
  }
  // The user picks these surveys (by name) in the survey selection.
  void Choosing(Strings names) {
    ui.Script<TSelSurvForm>([names](TSelSurvForm& form) {
      std::vector<int> picked;
      for (std::size_t i = 0; i < form.Entries().size(); ++i)
        for (const auto& name : names)
          if (form.Entries()[i].Name == name) picked.push_back(static_cast<int>(i));
      form.Click(picked);
      return form.DoneEnabled();
    });
  }
  TCompany* acme = nullptr;
  TDepartment* sales = nullptr;
};

TEST_F(AddSurveysTest, WithoutLibrarySurveysThereIsNothingToAdd) {
  Build();
  cc->CreateClick();
  EXPECT_EQ(LastLog(),
            "info: No surveys exist!\nSurveys must be created before they can be added.");
  EXPECT_TRUE(ui.Dialogs.empty());
}

TEST_F(AddSurveysTest, OffersLibrarySurveysWithoutTheQuestionLibrariesAndCopiesTheChosen) {
  Build();
  TSurvey* alpha = AddLibrarySurvey("Alpha", {5, 5});
  AddLibrarySurvey("Beta", {10});
  ui.Script<TSelSurvForm>([](TSelSurvForm& form) {
    EXPECT_EQ(form.Caption(), "Survey Selection");
    Strings names;
    for (const auto& entry : form.Entries()) names.push_back(entry.Name);
    EXPECT_EQ(names, (Strings{"Alpha", "Beta"}));
    EXPECT_FALSE(form.DoneEnabled());
    form.Click({0});
    return true;
  });
  cc->CreateClick();
  ASSERT_EQ(sales->Surveys().Size(), 1);
  TSurvey* copy = sales->Surveys().At(0);
  EXPECT_NE(copy->ID, alpha->ID);
  EXPECT_EQ(copy->Questions().Size(), 10);
  EXPECT_TRUE(db.HasRecord(okSurvey, copy->ID));
  EXPECT_EQ(Texts(DepartmentSurveyLB), (Strings{"Add Department Survey...", "Alpha"}));
  EXPECT_EQ(cc->List(DepartmentSurveyLB).Selection(), std::vector<int>{1});
}

TEST_F(AddSurveysTest, ASurveyOf116QuestionsIsRefused) {
  Build();
  AddLibrarySurvey("Huge", {58, 58});
  AddLibrarySurvey("Max", {57, 58});
  Choosing({"Huge", "Max"});
  cc->CreateClick();
  EXPECT_NE(std::find(ui.Log.begin(), ui.Log.end(),
                      "info: The \"Huge\" survey\nhas 116 questions.  The maximum amount\nof "
                      "questions you are allowed to have is 115.\nTo add this survey you will need "
                      "to\ndelete 1 question(s)."),
            ui.Log.end());
  ASSERT_EQ(sales->Surveys().Size(), 1);
  EXPECT_EQ(sales->Surveys().At(0)->Name, "Max");
}

TEST_F(AddSurveysTest, ADuplicateNameAsksUntilUniqueAndCancelSkips) {
  Build();
  AddDepartmentSurvey(*sales, "Alpha", {10});
  AddDepartmentSurvey(*sales, "Alpha 2", {10});
  AddLibrarySurvey("Alpha", {10});
  AddLibrarySurvey("Beta", {10});
  AddDepartmentSurvey(*sales, "beta", {10});
  Choosing({"Alpha", "Beta"});
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "Duplicate Name Error");
    EXPECT_EQ(form.Prompt(), "Please enter a unique Survey Name:");
    EXPECT_EQ(form.Name, "Alpha");
    form.Name = "ALPHA 2";  // taken too, letter case aside
    return true;
  });
  ui.Script<TNameForm>(Typing("Alpha 3"));
  ui.Cancel();  // for "Beta"
  cc->CreateClick();
  Strings names;
  for (TSurvObject* object : sales->Surveys().Raw()) names.push_back(object->DisplayText());
  EXPECT_EQ(names, (Strings{"Alpha", "Alpha 2", "beta", "Alpha 3"}));
  EXPECT_TRUE(ui.Dialogs.empty());
}

TEST_F(ControlCenterTest, CreatesSurveysInTheLibraryOrTheDepartment) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  AddDepartmentSurvey(*sales, "Leadership", {10});
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {0});
  ui.Script<TNewEditSurveyForm>([](TNewEditSurveyForm& form) {
    EXPECT_EQ(form.Caption(), "New Survey...");
    form.SetSurveyName("Coaching");
    form.SetSurveyAuthor("Me");
    return true;
  });
  cc->CreateClick();
  EXPECT_EQ(Root().LibrarySurveys().Size(), 2);
  EXPECT_EQ(cc->List(SurveyLB).ObjectAt(cc->List(SurveyLB).Selection().front())->DisplayText(),
            "Coaching");

  cc->ChangeTab(TCCTab::Organizations);
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  Pick(DepartmentLB, "Sales");
  Pick(DepartmentSurveyLB, "Leadership");
  cc->EditClick();
  cc->Click(SurveyLB, {0});
  ui.Script<TNewEditSurveyForm>([](TNewEditSurveyForm& form) {
    form.SetSurveyName("Local");
    form.SetSurveyAuthor("Me");
    return true;
  });
  cc->CreateClick();
  EXPECT_EQ(sales->Surveys().Size(), 2);
  EXPECT_EQ(Root().LibrarySurveys().Size(), 2);
  EXPECT_EQ(Texts(SurveyLB),
            (Strings{"Add New Survey...", "User Skill Areas", "Leadership", "Local"}));
}

TEST_F(ControlCenterTest, CreatesSkillAreasQuestionsAndSuggestions) {
  Open("WRENFAX");
  cc->ChangeTab(TCCTab::Surveys);
  cc->Focus(SkillAreaLB);
  ui.Script<TNewEditSkillAreaForm>([](TNewEditSkillAreaForm& form) {
    EXPECT_EQ(form.Prefixes[0], "How often do you");
    form.SkillAreaName = "Listening";
    form.Prefixes[2] = "How often does she";
    return true;
  });
  cc->CreateClick();
  TSurvey* user = Root().LibrarySurveys().At(0);
  ASSERT_EQ(user->SkillAreas().Size(), 1);
  TSkillArea* area = user->SkillAreas().At(0);
  EXPECT_EQ(area->GetPrefix(3), "How often does she");
  EXPECT_EQ(settings.ReadSection("OtherCurPrefixes"),
            (Strings{"How often does this person", "How often does she"}));
  EXPECT_EQ(cc->List(SkillAreaLB).Selection(), std::vector<int>{1});

  cc->Focus(SurveyQuestionLB);
  ui.Script<TNewEditQuestionForm>([](TNewEditQuestionForm& form) {
    EXPECT_EQ(form.Prefixes()[2], "How often does she");
    form.QuestionText = " listen? ";
    return true;
  });
  cc->CreateClick();
  ASSERT_EQ(area->Questions().Size(), 1);
  EXPECT_EQ(area->Questions().At(0)->QuestionText, "listen?");

  cc->ChangeTab(TCCTab::Questions);
  EXPECT_EQ(Texts(QuestSkillAreaLB), (Strings{"Add New Skill Area...", "Listening"}));
  Pick(QuestSkillAreaLB, "Listening");
  Pick(QuestionLB, "listen?");
  cc->Focus(SuggestionLB);
  ui.Script<TNewEditSuggestionForm>([](TNewEditSuggestionForm& form) {
    form.SuggestionText = "Ask more.";
    return true;
  });
  cc->CreateClick();
  EXPECT_EQ(Texts(SuggestionLB), (Strings{"Add New Suggestion...", "Ask more."}));
}

TEST_F(ControlCenterTest, CreatesSubjectsExperiencesAndRaters) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
  OpenDetail("Acme", "Sales", "Leadership");
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "New Subject...");
    EXPECT_EQ(form.Prompt(), "Subject Name:");
    form.Name = "Ann";
    return true;
  });
  cc->CreateClick();
  EXPECT_EQ(Texts(SubjectLB), (Strings{"Add New Subject...", "Ann"}));
  EXPECT_EQ(sales->Subjects().Size(), 1);

  cc->Focus(ExperienceLB);
  ui.Script<TDateEntryDialog>([](TDateEntryDialog& dialog) {
    EXPECT_EQ(dialog.Caption(), "Add Experience...");
    EXPECT_EQ(dialog.Prompt(), "\nEnter the experience date:");
    EXPECT_EQ(dialog.OkCaption(), "&Add");
    dialog.DateText = "3 15 2024";
    return true;
  });
  cc->CreateClick();
  ASSERT_EQ(survey->Experiences().Size(), 1);
  TExperience* experience = survey->Experiences().At(0);
  EXPECT_EQ(FormatIsoDate(experience->ExperienceDate), "2024-03-15");
  // The subject rates the experience as Self and joins the directory.
  ASSERT_EQ(experience->ScoreSheets().Size(), 1);
  EXPECT_EQ(experience->ScoreSheets().At(0)->RaterName, "Ann");
  EXPECT_EQ(experience->ScoreSheets().At(0)->RaterCategory, 0);
  EXPECT_NE(acme->FindRater("Ann"), nullptr);

  acme->EnsureRater("Dora");
  cc->Focus(RaterLB);
  ui.Script<TNewEditRaterForm>([](TNewEditRaterForm& form) {
    EXPECT_EQ(form.DirectoryNames(), Strings{"Dora"});
    form.SelectedNames = {0};
    form.RaterName = "Bob";
    form.SelectedCategory = 0;  // Boss
    form.Add();
    form.RaterName = "Cy";
    form.SelectedCategory = 2;  // Peer
    form.Add();
    return false;
  });
  cc->CreateClick();
  EXPECT_EQ(Texts(RaterLB).size(), 5u);
  EXPECT_EQ(experience->ScoreSheets().Size(), 4);
  EXPECT_NE(acme->FindRater("Cy"), nullptr);
  EXPECT_EQ(cc->List(RaterLB).ObjectAt(cc->List(RaterLB).Selection().front())->DisplayText(), "Cy");
}

}  // namespace
}  // namespace zelvora::testing
