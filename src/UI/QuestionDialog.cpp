#include "UI/QuestionDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITQUES.h"
#include "UI/model/EDITSKIL.h"

namespace zelvora {
namespace {

constexpr std::array<const char*, 4> kPrefixNames = {"SelfEdit1", "SelfEdit2", "OtherEdit1",
                                                     "OtherEdit2"};

}  // namespace

TQuestionDialog::TQuestionDialog(TNewEditQuestionForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditQuestionForm");
  setWindowTitle(ToQ(form.Caption()));

  auto* group = new QGroupBox("Question Prefixes");
  auto* prefixes = new QFormLayout(group);
  for (std::size_t i = 0; i < PrefixEdits.size(); ++i) {
    auto* edit = new QLineEdit(ToQ(form.Prefixes()[i]));
    edit->setObjectName(kPrefixNames[i]);
    edit->setReadOnly(true);
    edit->setMinimumWidth(280);
    PrefixEdits[i] = edit;
    prefixes->addRow(BuddyLabel(TNewEditSkillAreaForm::kPrefixLabels[i], edit), edit);
  }

  QuestionMemo = new QPlainTextEdit(ToQ(form.QuestionText));
  QuestionMemo->setObjectName("QuestionMemo");
  QuestionMemo->setReadOnly(form.ReadOnly());
  QuestionMemo->setTabChangesFocus(true);
  QuestionMemo->setMinimumHeight(70);
  auto* text_label = BuddyLabel(ToQ(TNewEditQuestionForm::TextLabel()), QuestionMemo);

  auto* buttons = AcceptCancelButtons(this, form, AddBtn, CancelDoneBtn);
  AddBtn->setEnabled(form.AcceptEnabled());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(text_label);
  layout->addWidget(QuestionMemo);
  layout->addLayout(buttons);

  connect(QuestionMemo, &QPlainTextEdit::textChanged, this, [this] {
    form_.QuestionText = FromQ(QuestionMemo->toPlainText());
    AddBtn->setEnabled(form_.AcceptEnabled());
  });
}

}  // namespace zelvora
