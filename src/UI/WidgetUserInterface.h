// TWidgetUserInterface: the user interface of the desktop program: message
// boxes captioned with the program's name, the flash message, the busy
// cursor, the About box and the password prompt. The flash message and the
// password prompt are created once and reused for the whole run.
#pragma once

#include <memory>

#include "UI/MessageBoxUI.h"

class QWidget;

namespace zelvora {

class TFlashMessageForm;
class TEnterPasswordForm;

class TWidgetUserInterface : public TMessageBoxUI {
 public:
  TWidgetUserInterface();
  ~TWidgetUserInterface() override;

  void ShowFlashMessage(const std::string& text) override;
  void HideFlashMessage() override;
  void ShowAbout(const TAboutInfo& info) override;
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override;

  TFlashMessageForm& FlashMessageForm() { return *flash_; }
  TEnterPasswordForm& EnterPasswordForm() { return *enter_password_; }

 private:
  std::unique_ptr<TFlashMessageForm> flash_;
  std::unique_ptr<TEnterPasswordForm> enter_password_;
};

}  // namespace zelvora
