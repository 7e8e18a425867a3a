#include "UI/PasswordForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "UI/MaskedEdit.h"
#include "UI/model/PasswordDialog.h"

namespace zelvora {
namespace {

struct TRowText {
  TPasswordItem item;
  const char* caption;
  const char* name;  // the middle of the control names: OldStartPassword
};

constexpr TRowText kRows[] = {
    {TPasswordItem::Start, "Start Program", "Start"},
    {TPasswordItem::Print, "Print Reports", "Print"},
    {TPasswordItem::View, "Edit Data", "View"},
};

QLineEdit* MaskedEdit(const QString& name, const QString& accessible_name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setAccessibleName(accessible_name);
  SetMasked(*edit, true);
  return edit;
}

}  // namespace

TPasswordForm::TPasswordForm(TPasswordDialog& model, QWidget* parent)
    : QDialog(parent), model_(model), close_(new QPushButton("Close")) {
  setObjectName("PasswordForm");
  setWindowTitle(kCaption);

  auto* grid = new QGridLayout;
  const char* columns[] = {"Old", "New", "Confirm"};
  for (int c = 0; c < 3; ++c) {
    auto* label = new QLabel(columns[c]);
    label->setObjectName(QString(columns[c]) + "Label");
    grid->addWidget(label, 0, c + 1);
  }
  for (int r = 0; r < 3; ++r) {
    const TRowText& text = kRows[r];
    const QString caption = text.caption;
    auto* label = new QLabel(caption);
    TRow& row = rows_[r];
    row.item = text.item;
    row.old_edit = MaskedEdit(QString("Old%1Password").arg(text.name), caption + " Old");
    row.new_edit = MaskedEdit(QString("New%1Password").arg(text.name), caption + " New");
    row.confirm_edit =
        MaskedEdit(QString("Confirm%1Password").arg(text.name), caption + " Confirm");
    row.change = new QPushButton("Change");
    row.change->setObjectName(QString("Change%1Btn").arg(text.name));
    row.change->setAccessibleDescription(caption);
    row.change->setAutoDefault(false);
    label->setBuddy(row.old_edit);
    grid->addWidget(label, r + 1, 0);
    grid->addWidget(row.old_edit, r + 1, 1);
    grid->addWidget(row.new_edit, r + 1, 2);
    grid->addWidget(row.confirm_edit, r + 1, 3);
    grid->addWidget(row.change, r + 1, 4);
    const TRow* row_ptr = &row;
    connect(row.change, &QPushButton::clicked, this, [this, row_ptr] { Change(*row_ptr); });
  }
  close_->setObjectName("CloseBtn");
  close_->setAutoDefault(false);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* heading = new QLabel("Passwords:");
  heading->setObjectName("PasswordsLabel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  // Row by row, then Close.
  QWidget* previous = nullptr;
  for (const TRow& row : rows_) {
    for (QWidget* w :
         {static_cast<QWidget*>(row.old_edit), static_cast<QWidget*>(row.new_edit),
          static_cast<QWidget*>(row.confirm_edit), static_cast<QWidget*>(row.change)}) {
      if (previous) setTabOrder(previous, w);
      previous = w;
    }
  }
  setTabOrder(previous, close_);
}

void TPasswordForm::Prepare() {
  for (const TRow& row : rows_) {
    row.old_edit->clear();
    row.new_edit->clear();
    row.confirm_edit->clear();
  }
  model_.Open();
  rows_[0].old_edit->setFocus();
}

void TPasswordForm::Open() {
  Prepare();
  exec();
}

void TPasswordForm::Change(const TRow& row) {
  const bool stored =
      model_.Change(row.item, row.old_edit->text().toStdString(),
                    row.new_edit->text().toStdString(), row.confirm_edit->text().toStdString());
  if (stored) {
    // The typed passwords are not left lying in the window.
    row.old_edit->clear();
    row.new_edit->clear();
    row.confirm_edit->clear();
  }
}

void TPasswordForm::done(int result) {
  model_.Close();
  QDialog::done(result);
}

}  // namespace zelvora
