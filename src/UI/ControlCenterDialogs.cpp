// The Control Center's part of TWidgetUserInterface: each dialog model shown
// in its Qt dialog, modally over the window the user interface belongs to.
#include <QInputDialog>

#include "UI/CategoryDialog.h"
#include "UI/DialogParts.h"
#include "UI/NameDialog.h"
#include "UI/PrefixesDialog.h"
#include "UI/QuestionDialog.h"
#include "UI/RaterDialog.h"
#include "UI/SelSurvDialog.h"
#include "UI/SkillAreaDialog.h"
#include "UI/SuggestionDialog.h"
#include "UI/SurveyDialog.h"
#include "UI/SurveyDisksForm.h"
#include "UI/WidgetUserInterface.h"
#include "UI/WizardForm.h"

namespace zelvora {
namespace {

template <class Dialog, class Form>
bool Run(Form& form, QWidget* parent) {
  Dialog dialog(form, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool TWidgetUserInterface::ShowNameForm(TNameForm& form) {
  return Run<TNameDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowSkillAreaForm(TNewEditSkillAreaForm& form) {
  return Run<TSkillAreaDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowQuestionForm(TNewEditQuestionForm& form) {
  return Run<TQuestionDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowSuggestionForm(TNewEditSuggestionForm& form) {
  return Run<TSuggestionDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowSurveyForm(TNewEditSurveyForm& form) {
  return Run<TSurveyDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowCategoryForm(TNewEditCategoryForm& form) {
  return Run<TCategoryDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowRaterForm(TNewEditRaterForm& form) {
  return Run<TRaterDialog>(form, Parent());
}

bool TWidgetUserInterface::ShowPrefixesForm(TEditPrefixesForm& form) {
  return Run<TPrefixesDialog>(form, Parent());
}

bool TWidgetUserInterface::SelectSurveys(TSelSurvForm& form) {
  return Run<TSelSurvDialog>(form, Parent());
}

bool TWidgetUserInterface::InputBox(const std::string& caption, const std::string& prompt,
                                    std::string& value) {
  bool ok = false;
  const QString text = QInputDialog::getText(Parent(), ToQ(caption), ToQ(prompt), QLineEdit::Normal,
                                             ToQ(value), &ok);
  if (ok) value = FromQ(text);
  return ok;
}

// The report wizard, the survey disks and the score-entry wizard are windows
// of their own; until they join the program the Control Center says so.
void TWidgetUserInterface::OpenReportWizard(const TReportPreset& preset) {
  if (report_wizard_) report_wizard_(preset);
}

void TWidgetUserInterface::MakeSurveyDisks(const std::vector<TScoreSheet*>& sheets) {
  TFileSystemSpace space;
  TSurveyDisksForm form(*this, space, TSurveyDisksForm::DefaultRaterProgram(), Parent());
  form.CreateDisks(sheets);
}

void TWidgetUserInterface::ImportSurveyDisk(TScoreSheet& sheet) {
  TDataRoot* root = data_root_ ? data_root_() : nullptr;
  if (root == nullptr) return;
  TFileSystemSpace space;
  TSurveyDisksForm form(*this, space, TSurveyDisksForm::DefaultRaterProgram(), Parent());
  form.ImportDisk(*root, sheet);
}

bool TWidgetUserInterface::EnterScores(TScoreSheet& sheet) {
  TWizardForm wizard(*this, Parent());
  return wizard.Execute(sheet, view_password_);
}

}  // namespace zelvora
