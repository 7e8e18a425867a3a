// TWidgetUserInterface: the user interface of the desktop program: message
// boxes captioned with the program's name, the flash message, the busy
// cursor, the About box and the password prompt. The flash message and the
// password prompt are created once and reused for the whole run.
#pragma once

#include <QPointer>
#include <memory>

#include "UI/model/UserInterface.h"

class QWidget;

namespace zelvora {

class TFlashMessageForm;
class TEnterPasswordForm;

class TWidgetUserInterface : public TUserInterface {
 public:
  TWidgetUserInterface();
  ~TWidgetUserInterface() override;

  // The window message boxes and dialogs are centred on (none: the screen).
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning = false) override;

  void ShowFlashMessage(const std::string& text) override;
  void HideFlashMessage() override;
  void SetBusy(bool busy) override;
  void ShowAbout(const TAboutInfo& info) override;
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override;

  TFlashMessageForm& FlashMessageForm() { return *flash_; }
  TEnterPasswordForm& EnterPasswordForm() { return *enter_password_; }

 private:
  QPointer<QWidget> parent_;
  std::unique_ptr<TFlashMessageForm> flash_;
  std::unique_ptr<TEnterPasswordForm> enter_password_;
  int busy_ = 0;
};

}  // namespace zelvora
