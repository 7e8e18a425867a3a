#include "UI/NameDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/NameForm.h"

namespace zelvora {

TNameDialog::TNameDialog(TNameForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("NameForm");
  setWindowTitle(ToQ(form.Caption()));
  NameEdit = new QLineEdit(ToQ(form.Name));
  NameEdit->setObjectName("NameEdit");
  NameEdit->setMinimumWidth(300);
  PromptLbl = BuddyLabel(ToQ(form.Prompt()), NameEdit);
  PromptLbl->setObjectName("PromptLbl");
  AddOkBtn = NamedButton("AddOkBtn", ToQ(form.AddOkCaption()));
  AddOkBtn->setDefault(true);
  CancelBtn = NamedButton("CancelBtn", ToQ(TNameForm::CancelCaption()));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(AddOkBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PromptLbl);
  layout->addWidget(NameEdit);
  layout->addLayout(buttons);

  connect(NameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.Name = FromQ(text);
    Update();
  });
  connect(AddOkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  Update();
}

void TNameDialog::Update() { AddOkBtn->setEnabled(form_.AcceptEnabled()); }

}  // namespace zelvora
