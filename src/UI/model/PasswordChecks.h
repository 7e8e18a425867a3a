// TPasswordChecks: the three questions for a password before access: the
// Start password at start-up, the Print password before reports, the
// View/Edit password before a completed score sheet is opened.
//
// The checks use the passwords as they were stored when the program started
// (a snapshot of the store), so changes made in the password dialog take
// effect at the next start, as that dialog tells the user.
//
// Callers may rely on:
//  - a check whose password is not set returns true without asking;
//  - otherwise the user is asked (masked) until the right password or
//    Cancel, with no message for a wrong one; Cancel returns false;
//  - once the Print password was given (or found not set) it is not asked
//    again while this object lives; a cancelled Print prompt is asked again
//    the next time.
#pragma once

#include <array>
#include <string>

#include "UI/model/PasswordStore.h"

namespace zelvora {

class TUserInterface;

class TPasswordChecks {
 public:
  static constexpr const char* kStartPrompt = "Enter Start Password:";
  static constexpr const char* kPrintPrompt = "Enter Print Password:";
  static constexpr const char* kViewPrompt = "Enter View/Edit Password:";

  // Takes the snapshot of the store's passwords.
  TPasswordChecks(const TPasswordStore& store, TUserInterface& ui);

  bool CheckStart();
  bool CheckPrint();
  bool CheckView();

 private:
  bool Check(TPasswordItem item, const char* prompt);

  std::array<std::string, 3> hashes_;
  TUserInterface& ui_;
  bool print_granted_ = false;
};

}  // namespace zelvora
