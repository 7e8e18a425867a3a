// The Edit and Show actions: certified and locked questions, renamed
// subjects, raters and experiences.
#include <gtest/gtest.h>

#include "UI/model/ControlCenterFixture.h"
#include "base/DateTime.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kCertifiedWarning =
    "warning question: This is a certified question.\nEditing this question will invalidate and "
    "remove\nthe suggestion associated with this question.\n\nDo you want to edit the question "
    "anyway?";

class EditQuestionTest : public ControlCenterTest {
 protected:
  void Build(const std::string& parameter = "") {
    Open(parameter);
    survey = AddLibrarySurvey("Library One", {10});
    question = survey->SkillAreas().At(0)->Questions().At(0);
    auto suggestion = std::make_unique<TSuggestion>();
    suggestion->SuggestionText = "Listen.";
    question->Suggestions().Adopt(std::move(suggestion));
    cc->ChangeTab(TCCTab::Surveys);
    Pick(SurveyLB, "Library One");
    cc->Click(SkillAreaLB, {1});
    cc->Click(SurveyQuestionLB, {1});
  }
  void Typing(const std::string& text) {
    ui.Script<TNewEditQuestionForm>([text](TNewEditQuestionForm& form) {
      EXPECT_EQ(form.Caption(), "Edit Question Text...");
      form.QuestionText = text;
      return true;
    });
  }
  TSurvey* survey = nullptr;
  TQuestion* question = nullptr;
};

TEST_F(EditQuestionTest, CertifiedQuestionWarnsAndLosesItsSuggestions) {
  Build();
  ui.Answers = {false};
  cc->EditClick();
  EXPECT_EQ(LastLog(), kCertifiedWarning);
  EXPECT_EQ(question->Suggestions().Size(), 1);

  ui.Answers = {true};
  Typing(" Changed text ");
  cc->EditClick();
  EXPECT_EQ(question->QuestionText, "Changed text");
  EXPECT_EQ(question->Suggestions().Size(), 0);
  EXPECT_EQ(db.RecordCount(okSuggestion), 0u);
  EXPECT_DOUBLE_EQ(db.StoredDate(okQuestion, question->ID), question->Date);
}

TEST_F(EditQuestionTest, UnrestrictedModeEditsWithoutWarningAndKeepsSuggestions) {
  Build("WRENFAX");
  question->Locked = true;
  Typing("Changed");
  cc->EditClick();
  EXPECT_EQ(question->QuestionText, "Changed");
  EXPECT_EQ(question->Suggestions().Size(), 1);
}

TEST_F(EditQuestionTest, LockedQuestionIsRefused) {
  Build();
  question->Locked = true;
  cc->EditClick();
  EXPECT_EQ(LastLog(), "info: This is a certified Vexo question.\nEditing is disallowed.");
  EXPECT_TRUE(ui.Dialogs.empty());
}

TEST_F(ControlCenterTest, CertifiedQuestionOfACompletedDepartmentSurveyIsRefused) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*acme, "Sales");
  TSurvey* survey = AddDepartmentSurvey(*sales, "Leadership", {10});
  TQuestion* question = survey->SkillAreas().At(0)->Questions().At(0);
  question->Suggestions().Adopt(std::make_unique<TSuggestion>());
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  Pick(DepartmentLB, "Sales");
  Pick(DepartmentSurveyLB, "Leadership");
  survey->HasCompletedSheets = 1;
  cc->EditClick();
  cc->Click(SkillAreaLB, {0});
  cc->Click(SurveyQuestionLB, {At(SurveyQuestionLB, question->QuestionText)});
  // The button is off for an answered survey; the rule holds for the action too.
  EXPECT_FALSE(cc->Buttons().Edit);
  cc->Edit();
  EXPECT_EQ(LastLog(),
            "info: This is a certified question.\nCertified department questions cannot be "
            "edited\nonce a survey has been completed.");
}

TEST_F(ControlCenterTest, LibraryQuestionsKeepTheirSuggestionsWhenEdited) {
  Open("WRENFAX");
  TSurvey* user = Root().LibrarySurveys().At(0);
  FillSurvey(*user, {2});
  TQuestion* question = user->SkillAreas().At(0)->Questions().At(0);
  question->Suggestions().Adopt(std::make_unique<TSuggestion>());
  cc->ChangeTab(TCCTab::Questions);
  cc->Click(QuestSkillAreaLB, {1});
  cc->Click(QuestionLB, {1});
  ui.Script<TNewEditQuestionForm>([](TNewEditQuestionForm& form) {
    form.QuestionText = "New";
    return true;
  });
  cc->EditClick();
  EXPECT_EQ(question->QuestionText, "New");
  EXPECT_EQ(question->Suggestions().Size(), 1);
}

class DetailEditTest : public ControlCenterTest {
 protected:
  void Build() {
    Open();
    acme = AddCompany("Acme");
    sales = AddDepartment(*acme, "Sales");
    survey = AddDepartmentSurvey(*sales, "Leadership", {10});
    ann = AddSubject(*sales, "Ann");
    first = AddExperience(*ann, *survey, EncodeDate(2024, 3, 15) + 0.5);
    second = AddExperience(*ann, *survey, EncodeDate(2024, 5, 1));
    self1 = AddSheet(*first, "Ann", 0);
    AddSheet(*first, "Ann", 1);  // a second "Ann" who is not the subject
    self2 = AddSheet(*second, "Ann", 0);
    bob = AddSheet(*first, "Bob", 1);
    acme->EnsureRater("Ann");
    acme->EnsureRater("Bob");
    OpenDetail("Acme", "Sales", "Leadership");
    Pick(SubjectLB, "Ann");
  }
  TCompany* acme = nullptr;
  TDepartment* sales = nullptr;
  TSurvey* survey = nullptr;
  TSubject* ann = nullptr;
  TExperience* first = nullptr;
  TExperience* second = nullptr;
  TScoreSheet* self1 = nullptr;
  TScoreSheet* self2 = nullptr;
  TScoreSheet* bob = nullptr;
};

TEST_F(DetailEditTest, RenamingASubjectRenamesItsSelfRaterAndAsksAboutTheDirectory) {
  Build();
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.Caption(), "Edit Subject...");
    EXPECT_EQ(form.Name, "Ann");
    form.Name = "Anne";
    return true;
  });
  ui.Answers = {true};
  cc->EditClick();
  EXPECT_EQ(LastLog(),
            "question: Do you want to remove \"Ann\"\nfrom the global list of company raters?");
  EXPECT_EQ(ann->Name, "Anne");
  EXPECT_EQ(self1->RaterName, "Anne");
  EXPECT_EQ(self2->RaterName, "Anne");
  EXPECT_EQ(first->ScoreSheets().At(1)->RaterName, "Ann");
  EXPECT_TRUE(first->HasRaterName("Anne"));
  EXPECT_EQ(acme->FindRater("Ann"), nullptr);
  EXPECT_NE(acme->FindRater("Anne"), nullptr);
  EXPECT_EQ(Texts(SubjectLB), (Strings{"Add New Subject...", "Anne"}));
  EXPECT_EQ(cc->List(SubjectLB).Selection(), std::vector<int>{1});
}

TEST_F(DetailEditTest, KeepingTheOldNameInTheDirectory) {
  Build();
  ui.Script<TNameForm>([](TNameForm& form) {
    form.Name = "Anne";
    return true;
  });
  ui.Answers = {false};
  cc->EditClick();
  EXPECT_NE(acme->FindRater("Ann"), nullptr);
  EXPECT_EQ(acme->FindRater("Anne"), nullptr);
}

TEST_F(DetailEditTest, SelfRatersAreEditedThroughTheSubject) {
  Build();
  cc->Click(ExperienceLB, {1});
  cc->Click(RaterLB, {cc->List(RaterLB).IndexOf(self1)});
  cc->EditClick();
  EXPECT_EQ(LastLog(),
            "info: Raters with the \"self\" category cannot be edited directly.\nPlease edit "
            "Subject name to change this rater's name");
}

TEST_F(DetailEditTest, EditingARaterChangesNameAndCategory) {
  Build();
  cc->Click(ExperienceLB, {1});
  cc->Click(RaterLB, {cc->List(RaterLB).IndexOf(bob)});
  ui.Script<TNewEditRaterForm>([](TNewEditRaterForm& form) {
    EXPECT_EQ(form.Caption(), "Edit Rater...");
    EXPECT_EQ(form.RaterName, "Bob");
    EXPECT_EQ(form.SelectedCategoryNumber(), 1);
    EXPECT_FALSE(form.OkEnabled());  // nothing changed yet
    form.RaterName = "ann";          // rates this experience already
    EXPECT_FALSE(form.OkEnabled());
    form.RaterName = "Bob";
    form.SelectedCategory = 2;  // Peer
    EXPECT_TRUE(form.OkEnabled());
    form.RaterName = "Robert";
    return true;
  });
  ui.Answers = {true};
  cc->EditClick();
  EXPECT_EQ(bob->RaterName, "Robert");
  EXPECT_EQ(bob->RaterCategory, 3);
  EXPECT_TRUE(first->HasRaterName("Robert"));
  EXPECT_FALSE(first->HasRaterName("Bob"));
  EXPECT_EQ(acme->FindRater("Bob"), nullptr);
  EXPECT_NE(acme->FindRater("Robert"), nullptr);
  EXPECT_EQ(cc->List(RaterLB).IndexOf(bob), cc->List(RaterLB).Selection().front());
}

TEST_F(DetailEditTest, EditingAnExperienceStartsOnItsShownDate) {
  Build();
  cc->Click(ExperienceLB, {1});
  ui.Script<TDateEntryDialog>([](TDateEntryDialog& dialog) {
    EXPECT_EQ(dialog.Caption(), "Edit Experience...");
    EXPECT_EQ(dialog.OkCaption(), "&Ok");
    EXPECT_EQ(dialog.DateText, "03/15/2024");
    dialog.DateText = "32/1/2024";
    return true;
  });
  ui.Script<TDateEntryDialog>([](TDateEntryDialog& dialog) {
    dialog.DateText = "6-30-2024";
    return true;
  });
  cc->EditClick();
  EXPECT_NE(std::find(ui.Log.begin(), ui.Log.end(), "error: Invalid Date\r\nPlease reenter"),
            ui.Log.end());
  EXPECT_EQ(FormatIsoDate(first->ExperienceDate), "2024-06-30");
  EXPECT_EQ(Texts(ExperienceLB), (Strings{"Add New Experience...", "2024-05-01", "2024-06-30"}));
  EXPECT_EQ(cc->List(ExperienceLB).Selection(), std::vector<int>{2});
}

TEST_F(ControlCenterTest, EditingNamesAndSurveysSavesThem) {
  Open();
  TCompany* acme = AddCompany("Acme");
  TSurvey* survey = AddLibrarySurvey("Library One", {10});
  cc->FillCompanyLB();
  Pick(CompanyLB, "Acme");
  ui.Script<TNameForm>([](TNameForm& form) {
    EXPECT_EQ(form.AddOkCaption(), "&Ok");
    form.Name = "Acme Ltd";
    return true;
  });
  cc->EditClick();
  EXPECT_EQ(acme->Name, "Acme Ltd");
  EXPECT_DOUBLE_EQ(db.StoredDate(okCompany, acme->ID), acme->Date);

  cc->ChangeTab(TCCTab::Surveys);
  Pick(SurveyLB, "Library One");
  ui.Script<TNewEditSurveyForm>([](TNewEditSurveyForm& form) {
    EXPECT_EQ(form.Caption(), "Edit Survey Name...");
    EXPECT_EQ(form.SurveyName(), "Library One");
    form.SetLabel(5, "All the time");
    EXPECT_FALSE(form.AcceptEnabled());  // no author yet
    form.SetSurveyAuthor("Me");
    return true;
  });
  cc->EditClick();
  EXPECT_EQ(survey->GetFreqLabel(5), "All the time");
  // Show opens the same dialog read-only.
  ui.Script<TNewEditSurveyForm>([](TNewEditSurveyForm& form) {
    EXPECT_EQ(form.Caption(), "Show Survey Name...");
    EXPECT_EQ(form.CancelCaption(), "&Done");
    EXPECT_FALSE(form.AcceptEnabled());
    return false;
  });
  cc->ShowClick();
  EXPECT_TRUE(ui.Dialogs.empty());
}

}  // namespace
}  // namespace zelvora::testing
