#include "UI/EnterPasswordForm.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "UI/MaskedEdit.h"

namespace zelvora {

TEnterPasswordForm::TEnterPasswordForm(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel(this)), password_(new QLineEdit(this)) {
  setObjectName("EnterPasswordForm");
  setWindowTitle(kCaption);
  prompt_->setObjectName("Prompt");
  password_->setObjectName("Password");
  prompt_->setBuddy(password_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->setSpacing(4);
  layout->addWidget(prompt_);
  layout->addWidget(password_, 1);
}

void TEnterPasswordForm::Prepare(const std::string& prompt, bool masked) {
  const QString line = QString::fromStdString(prompt) + "  ";
  prompt_->setText(line);
  password_->setAccessibleName(QString::fromStdString(prompt));
  password_->clear();
  SetMasked(*password_, masked);
  const QFontMetrics metrics(font());
  const int width = metrics.horizontalAdvance(line) + (masked ? 160 : 220);
  const int height = 3 * metrics.height();
  setFixedSize(std::max(width, minimumSizeHint().width()),
               std::max(height, layout()->minimumSize().height()));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  password_->setFocus();
}

std::optional<std::string> TEnterPasswordForm::Ask(const std::string& prompt, bool masked) {
  Prepare(prompt, masked);
  const bool confirmed = exec() == QDialog::Accepted;
  const std::string text = password_->text().toStdString();
  password_->clear();
  if (!confirmed) return std::nullopt;
  return text;
}

void TEnterPasswordForm::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      accept();
      return;
    case Qt::Key_Escape:
      event->accept();
      reject();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace zelvora
