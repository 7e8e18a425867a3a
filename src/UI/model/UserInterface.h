#pragma once

#include <optional>
#include <string>

#include "UI/model/AboutInfo.h"

namespace zelvora {

// What the program's windows ask or tell the user. The models never show
// anything themselves: the desktop program answers these calls with message
// boxes and dialogs, the tests with a scripted fake. Texts are passed exactly
// as they are shown, line breaks included.
class TUserInterface {
 public:
  virtual ~TUserInterface() = default;

  // An information box with an OK button: a refusal of an editing rule, or a
  // notice such as "Survey Saved Successfully.".
  virtual void Inform(const std::string& text) = 0;

  // An error box with an OK button: the message of a failure.
  virtual void ShowError(const std::string& text) = 0;

  // A Yes/No question, in warning style when `warning`; true for Yes.
  virtual bool Ask(const std::string& text, bool warning = false) = 0;

  // --- Score-entry wizard and survey disks ---

  // The busy (hourglass) cursor while a disk is written or read; calls come
  // in pairs and may nest. Interfaces without a pointer ignore it.
  virtual void ShowBusy(bool busy) { (void)busy; }
  // ---- The main window, start-up and the access passwords ----

  // The flash message: a borderless one-line window centred on the screen,
  // visible as soon as the call returns and kept up during the long work
  // that follows. Showing a message hides the one shown before.
  virtual void ShowFlashMessage(const std::string& text) = 0;
  virtual void HideFlashMessage() = 0;

  // The busy (hourglass) cursor. Calls nest: every true is matched by a
  // false (use TBusyCursor).
  virtual void SetBusy(bool busy) = 0;

  // The About box, modal: returns when the user closed it.
  virtual void ShowAbout(const TAboutInfo& info) = 0;

  // The password prompt: `prompt` with the typed text shown as "*" when
  // `masked`. The text typed when the user confirmed, nothing when the user
  // cancelled.
  virtual std::optional<std::string> AskPassword(const std::string& prompt, bool masked) = 0;
};

// Shows the busy cursor for its lifetime.
class TBusyCursor {
 public:
  explicit TBusyCursor(TUserInterface& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~TBusyCursor() { ui_.SetBusy(false); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TUserInterface& ui_;
};

// Keeps a flash message up for its lifetime.
class TFlashMessage {
 public:
  TFlashMessage(TUserInterface& ui, const std::string& text) : ui_(ui) {
    ui_.ShowFlashMessage(text);
  }
  ~TFlashMessage() { ui_.HideFlashMessage(); }
  TFlashMessage(const TFlashMessage&) = delete;
  TFlashMessage& operator=(const TFlashMessage&) = delete;

 private:
  TUserInterface& ui_;
};

}  // namespace zelvora
