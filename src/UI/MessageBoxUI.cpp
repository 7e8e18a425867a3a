#include "UI/MessageBoxUI.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

#include "UI/DateDialog.h"

namespace zelvora {
TMessageBoxUI::~TMessageBoxUI() {
  while (busy_ > 0) SetBusy(false);
}

QString TMessageBoxUI::BoxCaption() const {
  if (!caption_.isEmpty()) return caption_;
  return parent_ != nullptr ? parent_->window()->windowTitle()
                            : QApplication::applicationDisplayName();
}

void TMessageBoxUI::Inform(const std::string& text) {
  QMessageBox::information(parent_, BoxCaption(), QString::fromStdString(text));
}

void TMessageBoxUI::ShowError(const std::string& text) {
  QMessageBox::critical(parent_, BoxCaption(), QString::fromStdString(text));
}

bool TMessageBoxUI::Ask(const std::string& text, bool warning) {
  const auto buttons = QMessageBox::Yes | QMessageBox::No;
  const QString message = QString::fromStdString(text);
  const auto answer = warning ? QMessageBox::warning(parent_, BoxCaption(), message, buttons)
                              : QMessageBox::question(parent_, BoxCaption(), message, buttons);
  return answer == QMessageBox::Yes;
}

void TMessageBoxUI::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_;
  }
}

bool TMessageBoxUI::ShowDateDialog(TDateEntryDialog& dialog) {
  TDateDialog window(dialog, *this, parent_);
  return window.exec() == QDialog::Accepted;
}

}  // namespace zelvora
