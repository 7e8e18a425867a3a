// The user of a scripted command: message boxes are printed one a line as
// "KIND: TEXT" (kinds "info", "error", "question", "warning question"; line
// breaks written as \n), and questions take their answer from the script on
// standard input ("yes" or "no") or from a fixed answer given by an option.
#pragma once

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "UI/model/UserInterface.h"

namespace zelvora::cli {

// A script line that does not fit where it came.
class EScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TCliScriptUI : public TUserInterface {
 public:
  // Answers come from `script`, or always `fixed_answer` when one is given.
  TCliScriptUI(std::istream* script, std::ostream& out, std::optional<bool> fixed_answer = {});

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  // Prints the question; with a fixed answer also " -> yes" or " -> no".
  // A script must answer with "yes" or "no" (EScriptError otherwise, and at
  // the end of the script).
  bool Ask(const std::string& text, bool warning) override;
  // A script has no pointer to show busy; a flash message is printed as
  // "flash: TEXT".
  void SetBusy(bool) override {}
  void ShowFlashMessage(const std::string& text) override;
  // Prints "password: PROMPT" and takes the script's next line, which must be
  // "password TEXT"; any other line, or the end, is a cancel.
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override;

  // The next script line that is not blank, trimmed; none at the end.
  std::optional<std::string> NextLine();
  // Line breaks as the two characters \n.
  static std::string OneLine(const std::string& text);

 private:
  std::istream* script_;
  std::ostream& out_;
  std::optional<bool> fixed_answer_;
};

}  // namespace zelvora::cli
