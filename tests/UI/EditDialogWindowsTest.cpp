// The edit dialogs as windows over their models: captions and buttons by
// mode, the accept buttons following the models while the user types, the
// field limits, the category and rater dialogs' buttons, the date dialog's
// written-out date and its refusal, the survey selection's checks on each
// click, and a dialog cancelled inside a Control Center action.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "UI/CCListWidget.h"
#include "UI/CategoryDialog.h"
#include "UI/ControlCenterForm.h"
#include "UI/DateDialog.h"
#include "UI/NameDialog.h"
#include "UI/PrefixesDialog.h"
#include "UI/QuestionDialog.h"
#include "UI/RaterDialog.h"
#include "UI/SelSurvDialog.h"
#include "UI/SkillAreaDialog.h"
#include "UI/SuggestionDialog.h"
#include "UI/SurveyDialog.h"
#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

using EditDialogWindowsTest = ControlCenterTest;

void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

TEST_F(EditDialogWindowsTest, CaptionsAndButtonsFollowTheMode) {
  TSkillArea area;
  area.Name = "Listening";
  TSurvey survey;
  survey.Name = "Pulse";
  survey.Author = "HR";
  survey.FreqLabels = TSurvey::DefaultFreqLabels();
  for (TEditMode mode : {TEditMode::New, TEditMode::Edit, TEditMode::View}) {
    SCOPED_TRACE(static_cast<int>(mode));
    const auto check = [](QDialog& dialog, const TDialogModel& model, QPushButton* accept,
                          const std::string& accept_caption, QPushButton* cancel,
                          const std::string& cancel_caption) {
      EXPECT_EQ(dialog.windowTitle().toStdString(), model.Caption());
      EXPECT_EQ(accept->isVisibleTo(&dialog), !accept_caption.empty());
      EXPECT_EQ(accept->text().toStdString(), accept_caption);
      EXPECT_EQ(cancel->text().toStdString(), cancel_caption);
    };
    TNewEditSkillAreaForm skill(mode, &settings, &area);
    TSkillAreaDialog skill_dialog(skill);
    check(skill_dialog, skill, skill_dialog.AddBtn, skill.AcceptCaption(),
          skill_dialog.CancelDoneBtn, skill.CancelCaption());
    EXPECT_EQ(skill_dialog.SkillAreaName->isReadOnly(), mode == TEditMode::View);

    TNewEditQuestionForm question(mode, &area, "listens");
    TQuestionDialog question_dialog(question);
    check(question_dialog, question, question_dialog.AddBtn, question.AcceptCaption(),
          question_dialog.CancelDoneBtn, question.CancelCaption());
    EXPECT_EQ(question_dialog.PrefixEdits[0]->text(), "How often do you");
    EXPECT_TRUE(question_dialog.PrefixEdits[3]->isReadOnly());

    TNewEditSuggestionForm suggestion(mode, "read more");
    TSuggestionDialog suggestion_dialog(suggestion);
    check(suggestion_dialog, suggestion, suggestion_dialog.AddBtn, suggestion.AcceptCaption(),
          suggestion_dialog.CancelDoneBtn, suggestion.CancelCaption());

    TNewEditSurveyForm survey_form(mode, &survey);
    TSurveyDialog survey_dialog(survey_form);
    check(survey_dialog, survey_form, survey_dialog.AddBtn, survey_form.AcceptCaption(),
          survey_dialog.CancelDoneBtn, survey_form.CancelCaption());
    EXPECT_EQ(survey_dialog.LabelEdits[4]->text().toStdString(), survey_form.Label(5));
    EXPECT_EQ(survey_dialog.SurveyName->isEnabled(), mode != TEditMode::View);
  }
}

TEST_F(EditDialogWindowsTest, AcceptButtonsFollowWhatIsTyped) {
  TNewEditSurveyForm survey(TEditMode::New);
  TSurveyDialog dialog(survey);
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  QTest::keyClicks(dialog.SurveyName, "Pulse");
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  QTest::keyClicks(dialog.SurveyAuthor, "HR");
  EXPECT_TRUE(dialog.AddBtn->isEnabled());
  dialog.LabelEdits[2]->selectAll();
  QTest::keyClick(dialog.LabelEdits[2], Qt::Key_Backspace);
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  QTest::keyClicks(dialog.LabelEdits[2], "A label longer than twenty-five characters");
  EXPECT_EQ(dialog.LabelEdits[2]->text().size(), 25);
  EXPECT_EQ(survey.Label(3), "A label longer than twent");
  EXPECT_TRUE(dialog.AddBtn->isEnabled());

  TNewEditSkillAreaForm area(TEditMode::New, &settings);
  TSkillAreaDialog area_dialog(area);
  QTest::keyClicks(area_dialog.SkillAreaName, "Listening");
  EXPECT_TRUE(area_dialog.AddBtn->isEnabled());
  area_dialog.PrefixCB[1]->setCurrentText("");
  EXPECT_EQ(area.Prefixes[1], "");
  EXPECT_FALSE(area_dialog.AddBtn->isEnabled());

  TNameForm name("New Company...", "Company Name:", TEditMode::New);
  TNameDialog name_dialog(name);
  EXPECT_EQ(name_dialog.PromptLbl->text(), "Company Name:");
  EXPECT_FALSE(name_dialog.AddOkBtn->isEnabled());
  QTest::keyClicks(name_dialog.NameEdit, "Acme");
  EXPECT_TRUE(name_dialog.AddOkBtn->isEnabled());
  Click(name_dialog.CancelBtn);
  EXPECT_EQ(name_dialog.result(), QDialog::Rejected);
}

TEST_F(EditDialogWindowsTest, CategoryButtonsForwardToTheForm) {
  Open();
  TCompany* company = AddCompany("Acme");
  TNewEditCategoryForm form(*company, &settings, ui);
  TCategoryDialog dialog(form);
  EXPECT_EQ(dialog.CategoryEdit->maxLength(), 15);
  EXPECT_EQ(dialog.CategoryLB->count(), 6);  // without Self
  EXPECT_FALSE(dialog.OkBtn->isEnabled());
  QTest::keyClicks(dialog.CategoryEdit, "peer");
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  EXPECT_EQ(dialog.CategoryLB->currentItem()->text(), "Peer");
  dialog.CategoryEdit->clear();
  QTest::keyClicks(dialog.CategoryEdit, "Coach");
  ASSERT_TRUE(dialog.AddBtn->isEnabled());
  Click(dialog.AddBtn);
  EXPECT_EQ(dialog.CategoryLB->count(), 7);
  EXPECT_EQ(dialog.CategoryLB->currentItem()->text(), "Coach");
  EXPECT_FALSE(dialog.MoveDownBtn->isEnabled());
  Click(dialog.MoveUpBtn);
  EXPECT_EQ(dialog.CategoryLB->item(5)->text(), "Coach");
  EXPECT_TRUE(dialog.OkBtn->isEnabled());
  ui.Answers.push_back(true);
  Click(dialog.DeleteBtn);
  EXPECT_EQ(LastLog(), "question: Are you sure you want to delete the \"Coach\" category?");
  EXPECT_EQ(dialog.CategoryLB->count(), 6);
  // Nothing reached the company before OK.
  TCategoryList stored;
  company->GetCategories(stored);
  EXPECT_EQ(stored.size(), 7u);
}

TEST_F(EditDialogWindowsTest, TheNewRaterDialogAddsAndStaysOpen) {
  Open();
  TCompany* company = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*company, "Sales");
  TSurvey* pulse = AddDepartmentSurvey(*sales, "Pulse", {10});
  TExperience* experience = AddExperience(*AddSubject(*sales, "Ann"), *pulse);
  AddSheet(*experience, "Ann", 0);
  for (const char* name : {"Ann", "Bob", "Cy"}) company->EnsureRater(name);
  TNewEditRaterForm form(*experience, *company, &settings, ui);
  TRaterDialog dialog(form);
  dialog.show();
  ASSERT_EQ(dialog.RaterNameLB->count(), 2);
  EXPECT_EQ(dialog.RaterNameLB->item(0)->text(), "Bob");
  EXPECT_EQ(dialog.RaterNameLB->accessibleName(), "Rater Name");
  EXPECT_EQ(dialog.RaterCategoryLB->accessibleName(), "Rater Category");
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  dialog.RaterCategoryLB->setCurrentRow(0);
  dialog.RaterNameLB->item(0)->setSelected(true);
  ASSERT_TRUE(dialog.AddBtn->isEnabled());
  Click(dialog.AddBtn);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(experience->HasRaterName("Bob"));
  ASSERT_EQ(dialog.RaterNameLB->count(), 1);
  EXPECT_EQ(dialog.RaterNameLB->item(0)->text(), "Cy");
  // A name differing only in case from a rater of the experience is refused.
  dialog.RaterCategoryLB->setCurrentRow(0);
  QTest::keyClicks(dialog.RaterNameEdit, "bob");
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  Click(dialog.DoneBtn);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(EditDialogWindowsTest, TheDateIsWrittenOutAndAnUnreadableOneRefused) {
  TDateEntryDialog form("Add Experience...", "Enter the experience date:", "&Add");
  TDateDialog dialog(form, ui);
  dialog.show();
  QTest::keyClicks(dialog.DateEdit, "3 15 2024");
  EXPECT_EQ(dialog.DisplayPanel->text(), "Friday March 15, 2024");
  dialog.DateEdit->clear();
  QTest::keyClicks(dialog.DateEdit, "13/45/2024");
  EXPECT_EQ(dialog.DisplayPanel->text(), "");
  Click(dialog.OkBtn);
  EXPECT_EQ(LastLog(), "error: Invalid Date\r\nPlease reenter");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(EditDialogWindowsTest, SurveySelectionChecksEachClick) {
  Open();
  TSurvey* fine = AddLibrarySurvey("Fine", {10});
  TSurvey* small = AddLibrarySurvey("Small", {9});
  TSelSurvForm form(ui);
  ui.Cancel();
  form.SelectSurveys({fine, small});  // fills the list; the scripted user cancels
  TSelSurvDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Survey Selection");
  EXPECT_FALSE(dialog.DoneBtn->isEnabled());
  const auto row_center = [&](int row) {
    return dialog.SurveyDLB->visualItemRect(dialog.SurveyDLB->item(row)).center();
  };
  QTest::mouseClick(dialog.SurveyDLB->viewport(), Qt::LeftButton, {}, row_center(1));
  EXPECT_EQ(LastLog(),
            "info: The \"Small\" survey cannot be added. \nThere is only one skill area, and this "
            "\nskill area has less than 10 questions.");
  EXPECT_FALSE(dialog.SurveyDLB->item(1)->isSelected());
  EXPECT_FALSE(dialog.DoneBtn->isEnabled());
  QTest::mouseClick(dialog.SurveyDLB->viewport(), Qt::LeftButton, {}, row_center(0));
  EXPECT_TRUE(dialog.SurveyDLB->item(0)->isSelected());
  EXPECT_TRUE(dialog.DoneBtn->isEnabled());
}

TEST_F(EditDialogWindowsTest, ThePrefixEditorKeepsTheLinesOfEachKind) {
  TEditPrefixesForm form(&settings);
  TPrefixesDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), "Edit Question Prefixes");
  ASSERT_EQ(dialog.PrefixCatLB->count(), 4);
  EXPECT_EQ(dialog.PrefixCatLB->item(3)->text(), "Your Expectations (Other)");
  EXPECT_EQ(dialog.Prefixes->toPlainText(), "How often do you");
  dialog.Prefixes->setPlainText("How often do you\nHow regularly do you");
  dialog.PrefixCatLB->setCurrentRow(2);
  EXPECT_EQ(dialog.Prefixes->toPlainText(), "How often does this person");
  dialog.PrefixCatLB->setCurrentRow(0);
  EXPECT_EQ(dialog.Prefixes->toPlainText(), "How often do you\nHow regularly do you");
  EXPECT_EQ(form.Histories()[0],
            (std::vector<std::string>{"How often do you", "How regularly do you"}));
}

TEST_F(EditDialogWindowsTest, TheEditRaterDialogAcceptsANewNameOrAnotherCategory) {
  Open();
  TCompany* company = AddCompany("Acme");
  TDepartment* sales = AddDepartment(*company, "Sales");
  TSurvey* pulse = AddDepartmentSurvey(*sales, "Pulse", {10});
  TExperience* experience = AddExperience(*AddSubject(*sales, "Ann"), *pulse);
  AddSheet(*experience, "Ann", 0);
  TScoreSheet* bob = AddSheet(*experience, "Bob", 1);
  TNewEditRaterForm form(*bob, *company, &settings, ui);
  TRaterDialog dialog(form);
  EXPECT_EQ(dialog.windowTitle(), "Edit Rater...");
  EXPECT_EQ(dialog.AddBtn->text(), "&Ok");
  EXPECT_EQ(dialog.DoneBtn->text(), "&Cancel");
  EXPECT_EQ(dialog.RaterNameEdit->text(), "Bob");
  EXPECT_FALSE(dialog.AddBtn->isEnabled());  // the same rater, the same category
  dialog.RaterCategoryLB->setCurrentRow(2);
  EXPECT_TRUE(dialog.AddBtn->isEnabled());
  dialog.RaterNameEdit->selectAll();
  QTest::keyClicks(dialog.RaterNameEdit, "Ann");  // already rates this experience
  EXPECT_FALSE(dialog.AddBtn->isEnabled());
  Click(dialog.DoneBtn);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(bob->RaterName, "Bob");
}

TEST_F(EditDialogWindowsTest, TheQuestionAndSuggestionTextsEnableTheirButtons) {
  TNewEditQuestionForm question(TEditMode::New, nullptr);
  TQuestionDialog question_dialog(question);
  EXPECT_FALSE(question_dialog.AddBtn->isEnabled());
  QTest::keyClicks(question_dialog.QuestionMemo, "   ");
  EXPECT_FALSE(question_dialog.AddBtn->isEnabled());
  QTest::keyClicks(question_dialog.QuestionMemo, "listen to others?");
  EXPECT_TRUE(question_dialog.AddBtn->isEnabled());
  EXPECT_EQ(question.QuestionText, "   listen to others?");

  TNewEditSuggestionForm suggestion(TEditMode::Edit, "Read more");
  TSuggestionDialog suggestion_dialog(suggestion);
  EXPECT_TRUE(suggestion_dialog.AddBtn->isEnabled());
  suggestion_dialog.SuggestionMemo->clear();
  EXPECT_FALSE(suggestion_dialog.AddBtn->isEnabled());
}

// A user who sees the real survey dialog, types a new name and cancels.
class TCancellingUser : public TFakeUserInterface {
 public:
  bool ShowSurveyForm(TNewEditSurveyForm& form) override {
    TSurveyDialog dialog(form);
    dialog.show();
    dialog.SurveyName->selectAll();
    QTest::keyClicks(dialog.SurveyName, "Renamed");
    Click(dialog.CancelDoneBtn);
    return dialog.result() == QDialog::Accepted;
  }
};

TEST_F(EditDialogWindowsTest, CancellingTheRealDialogInsideAnEditChangesNothing) {
  Open();
  TSurvey* survey = AddLibrarySurvey("Alpha", {10});
  const double date = survey->Date;
  TCancellingUser user;
  TControlCenterForm window(user, &settings, "", nullptr);
  window.show();
  window.PageControl->setCurrentIndex(1);
  TCCListWidget* list = window.List(SurveyLB);
  const int row = list->row(list->findItems("Alpha", Qt::MatchExactly).front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
  ASSERT_TRUE(window.EditBtn->isEnabled());
  Click(window.EditBtn);
  TSurvey* shown = static_cast<TSurvey*>(window.Model().List(SurveyLB).ObjectAt(row));
  EXPECT_EQ(shown->Name, "Alpha");
  EXPECT_EQ(list->item(row)->text(), "Alpha");
  EXPECT_DOUBLE_EQ(db.StoredDate(okSurvey, survey->ID), date);
}

}  // namespace
}  // namespace zelvora::testing
