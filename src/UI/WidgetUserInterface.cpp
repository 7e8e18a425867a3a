#include "UI/WidgetUserInterface.h"

#include "UI/AboutForm.h"
#include "UI/EnterPasswordForm.h"
#include "UI/FlashMessageForm.h"
#include "UI/model/MainFormModel.h"

namespace zelvora {
TWidgetUserInterface::TWidgetUserInterface()
    : TMessageBoxUI(nullptr, QString::fromUtf8(TMainFormModel::kCaption)),
      flash_(std::make_unique<TFlashMessageForm>()),
      enter_password_(std::make_unique<TEnterPasswordForm>()) {}

TWidgetUserInterface::~TWidgetUserInterface() = default;

void TWidgetUserInterface::ShowFlashMessage(const std::string& text) {
  flash_->ShowMessage(QString::fromStdString(text));
}

void TWidgetUserInterface::HideFlashMessage() { flash_->HideMessage(); }

void TWidgetUserInterface::ShowAbout(const TAboutInfo& info) {
  TAboutForm about(info, Parent());
  about.exec();
}

std::optional<std::string> TWidgetUserInterface::AskPassword(const std::string& prompt,
                                                             bool masked) {
  return enter_password_->Ask(prompt, masked);
}

}  // namespace zelvora
