#include "UI/MessageBoxUI.h"

#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QLineEdit>
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

void TMessageBoxUI::ShowBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void TMessageBoxUI::ShowAbout(const TAboutInfo& info) {
  QMessageBox::about(parent_, QString::fromStdString(info.Product),
                     QString::fromStdString(info.Product + " " + info.Version));
}

std::optional<std::string> TMessageBoxUI::AskPassword(const std::string& prompt, bool masked) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent_, QString(), QString::fromStdString(prompt),
                            masked ? QLineEdit::Password : QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

}  // namespace zelvora
