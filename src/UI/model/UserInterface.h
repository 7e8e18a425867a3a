#pragma once

#include <string>

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
  // ---- Backup and restore (UI/model/Bkuprest.h) ----
  // The backup window shows `text` on its message page with the disk's
  // folder and waits: true for OK, with the folder the user left there
  // (the same drive, or another folder standing for the next disk); false
  // for Cancel. Without a window of its own this is a Yes/No question.
  virtual bool AwaitBackupDisk(const std::string& text, std::string& folder);
  // The backup window's progress page shows `stage` and the bar at
  // `percent` (0 to 100). The window redraws and lets the user's clicks
  // through, so that Cancel is noticed while the work runs.
  virtual void ShowBackupProgress(const std::string& stage, int percent);
};

}  // namespace zelvora
