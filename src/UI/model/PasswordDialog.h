// TPasswordDialog: the rules of the password dialog, in which the
// administrator changes the Start, Print and View/Edit passwords, each row
// with its "Old", "New" and "Confirm" texts and its Change button.
//
// Callers may rely on:
//  - Change() checks the row's "Old" text against the stored password (an
//    unset password is the empty text), then "New" against "Confirm", and
//    only then stores "New" (empty removes the password); each outcome is
//    told to the user with the dialog's own message;
//  - a store that cannot be written shows its failure and leaves the
//    password as it was ("Password Changed" is then not shown);
//  - Close() tells the user that changes take effect at the next start,
//    when any row was changed since Open().
#pragma once

#include <string>

#include "UI/model/PasswordStore.h"

namespace zelvora {

class TUserInterface;

class TPasswordDialog {
 public:
  static constexpr const char* kOldIncorrect = "\"Old\" Password is Incorrect";
  static constexpr const char* kConfirmMismatch =
      "\"Confirm\" Password does not match \"New\" Password";
  static constexpr const char* kChanged = "Password Changed";
  static constexpr const char* kRestartNeeded =
      "Password changes will take effect when program is restarted";

  TPasswordDialog(TPasswordStore& store, TUserInterface& ui) : store_(store), ui_(ui) {}

  // The dialog opens: nothing changed yet.
  void Open() { changed_ = false; }
  // The Change button of one row; true when the password was stored.
  bool Change(TPasswordItem item, const std::string& old_text, const std::string& new_text,
              const std::string& confirm_text);
  void Close();

  bool AnyChanged() const { return changed_; }

 private:
  TPasswordStore& store_;
  TUserInterface& ui_;
  bool changed_ = false;
};

}  // namespace zelvora
