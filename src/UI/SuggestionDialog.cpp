#include "UI/SuggestionDialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITSUGG.h"

namespace zelvora {

TSuggestionDialog::TSuggestionDialog(TNewEditSuggestionForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditSuggestionForm");
  setWindowTitle(ToQ(form.Caption()));
  SuggestionMemo = new QPlainTextEdit(ToQ(form.SuggestionText));
  SuggestionMemo->setObjectName("SuggestionMemo");
  SuggestionMemo->setReadOnly(form.ReadOnly());
  SuggestionMemo->setTabChangesFocus(true);
  SuggestionMemo->setMinimumSize(380, 120);
  auto* label = BuddyLabel(ToQ(TNewEditSuggestionForm::TextLabel()), SuggestionMemo);

  auto* buttons = AcceptCancelButtons(this, form, AddBtn, CancelDoneBtn);
  AddBtn->setEnabled(form.AcceptEnabled());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(SuggestionMemo);
  layout->addLayout(buttons);

  connect(SuggestionMemo, &QPlainTextEdit::textChanged, this, [this] {
    form_.SuggestionText = FromQ(SuggestionMemo->toPlainText());
    AddBtn->setEnabled(form_.AcceptEnabled());
  });
}

}  // namespace zelvora
