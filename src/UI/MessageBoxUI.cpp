#include "UI/MessageBoxUI.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace zelvora {
namespace {

QString Caption(QWidget* parent) {
  return parent != nullptr ? parent->window()->windowTitle()
                           : QApplication::applicationDisplayName();
}

}  // namespace

void TMessageBoxUI::Inform(const std::string& text) {
  QMessageBox::information(parent_, Caption(parent_), QString::fromStdString(text));
}

void TMessageBoxUI::ShowError(const std::string& text) {
  QMessageBox::critical(parent_, Caption(parent_), QString::fromStdString(text));
}

bool TMessageBoxUI::Ask(const std::string& text, bool warning) {
  const auto buttons = QMessageBox::Yes | QMessageBox::No;
  const QString message = QString::fromStdString(text);
  const auto answer = warning ? QMessageBox::warning(parent_, Caption(parent_), message, buttons)
                              : QMessageBox::question(parent_, Caption(parent_), message, buttons);
  return answer == QMessageBox::Yes;
}

void TMessageBoxUI::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace zelvora
