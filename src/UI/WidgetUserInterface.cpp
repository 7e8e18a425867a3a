#include "UI/WidgetUserInterface.h"

#include <QApplication>
#include <QMessageBox>

#include "UI/AboutForm.h"
#include "UI/EnterPasswordForm.h"
#include "UI/FlashMessageForm.h"
#include "UI/model/MainFormModel.h"

namespace zelvora {
namespace {

QString Caption() { return QString::fromUtf8(TMainFormModel::kCaption); }

}  // namespace

TWidgetUserInterface::TWidgetUserInterface()
    : flash_(std::make_unique<TFlashMessageForm>()),
      enter_password_(std::make_unique<TEnterPasswordForm>()) {}

TWidgetUserInterface::~TWidgetUserInterface() {
  while (busy_ > 0) SetBusy(false);
}

void TWidgetUserInterface::Inform(const std::string& text) {
  QMessageBox::information(parent_, Caption(), QString::fromStdString(text));
}

void TWidgetUserInterface::ShowError(const std::string& text) {
  QMessageBox::critical(parent_, Caption(), QString::fromStdString(text));
}

bool TWidgetUserInterface::Ask(const std::string& text, bool warning) {
  const auto buttons = QMessageBox::Yes | QMessageBox::No;
  const QString message = QString::fromStdString(text);
  const auto answer = warning ? QMessageBox::warning(parent_, Caption(), message, buttons)
                              : QMessageBox::question(parent_, Caption(), message, buttons);
  return answer == QMessageBox::Yes;
}

void TWidgetUserInterface::ShowFlashMessage(const std::string& text) {
  flash_->ShowMessage(QString::fromStdString(text));
}

void TWidgetUserInterface::HideFlashMessage() { flash_->HideMessage(); }

void TWidgetUserInterface::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_;
  }
}

void TWidgetUserInterface::ShowAbout(const TAboutInfo& info) {
  TAboutForm about(info, parent_);
  about.exec();
}

std::optional<std::string> TWidgetUserInterface::AskPassword(const std::string& prompt,
                                                             bool masked) {
  return enter_password_->Ask(prompt, masked);
}

}  // namespace zelvora
