#include "UI/PrefixesDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITPREF.h"

namespace zelvora {

TPrefixesDialog::TPrefixesDialog(TEditPrefixesForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("EditPrefixesForm");
  setWindowTitle(ToQ(form.Caption()));
  PrefixCatLB = new QListWidget;
  PrefixCatLB->setObjectName("PrefixCatLB");
  PrefixCatLB->setAccessibleName("Question Prefixes");
  for (const char* category : TEditPrefixesForm::kCategories) PrefixCatLB->addItem(category);
  PrefixCatLB->setCurrentRow(form.Category());
  PrefixCatLB->setMaximumHeight(PrefixCatLB->sizeHintForRow(0) * 4 + 2 * PrefixCatLB->frameWidth());
  auto* hint = new QLabel(TEditPrefixesForm::kHint);
  Prefixes = new QPlainTextEdit(ToQ(form.PrefixesText));
  Prefixes->setObjectName("Prefixes");
  Prefixes->setAccessibleName("Prefixes");
  Prefixes->setTabChangesFocus(true);
  Prefixes->setMinimumSize(360, 140);
  OkBtn = NamedButton("OkBtn", "OK");
  OkBtn->setDefault(false);
  CancelBtn = NamedButton("CancelBtn", "Cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PrefixCatLB);
  layout->addWidget(hint);
  layout->addWidget(Prefixes);
  layout->addLayout(buttons);

  connect(PrefixCatLB, &QListWidget::currentRowChanged, this, [this](int row) {
    if (redrawing_ || row < 0) return;
    form_.SelectCategory(row);
    redrawing_ = true;
    Prefixes->setPlainText(ToQ(form_.PrefixesText));
    redrawing_ = false;
  });
  connect(Prefixes, &QPlainTextEdit::textChanged, this, [this] {
    if (!redrawing_) form_.PrefixesText = FromQ(Prefixes->toPlainText());
  });
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace zelvora
