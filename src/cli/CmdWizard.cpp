// zelvora360-cli [--data DIR] wizard SHEET-ID: the score-entry wizard over
// one score sheet, driven by commands on standard input, one a line:
//   next, back, clear, cancel   the buttons
//   key N                       digit key N (1 to 5)
//   current N, expected N       a click on item N of a column
//   yes, no                     the answer to the question just printed
//   ok                          acknowledges a message (boxes do not wait)
//   password TEXT               the answer to the View/Edit password prompt
//                               a completed sheet asks first (anything else
//                               cancels the prompt)
// It prints every page shown ("page start", "page question 3 of 40",
// "page finish"), "read-only" when the sheet opens read-only, every message
// box as "KIND: TEXT", and at the end "saved" or "not saved". The end of the
// input closes the wizard as its close box would (a Cancel).
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>

#include "UI/model/PasswordChecks.h"
#include "UI/model/PasswordStore.h"
#include "UI/model/Wizard.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "cli/CliScriptUI.h"
#include "cli/CliSheets.h"

namespace zelvora::cli {
namespace {

std::string PageLine(const TWizard& wizard) {
  switch (wizard.Page()) {
    case wpStart:
      return "page start";
    case wpSurvey:
      return "page question " + std::to_string(wizard.QuestionNumber()) + " of " +
             std::to_string(wizard.QuestionCount());
    case wpFinish:
      return "page finish";
    case wpSummary:
      return "page summary";
    case wpAbout:
      return "page about";
  }
  return "page";
}

// The item of "key N", "current N" or "expected N".
int ItemOf(const std::string& word) {
  if (word.size() != 1 || word[0] < '1' || word[0] > '5')
    throw EScriptError("expected a number from 1 to 5, got \"" + word + "\"");
  return word[0] - '0';
}

// Runs the script over the open wizard; false when a line did not fit.
void RunScript(TWizard& wizard, TCliScriptUI& ui, std::ostream& out) {
  std::string shown = PageLine(wizard);
  out << shown << "\n";
  if (wizard.ReadOnly()) out << "read-only\n";
  while (!wizard.Done()) {
    const std::optional<std::string> line = ui.NextLine();
    if (!line) {
      wizard.Cancel();
      break;
    }
    std::istringstream words(*line);
    std::string command, argument, extra;
    words >> command >> argument >> extra;
    const bool takes_number = command == "key" || command == "current" || command == "expected";
    if (!extra.empty() || (argument.empty() == takes_number))
      throw EScriptError("cannot read the line \"" + *line + "\"");
    if (command == "next") {
      if (!wizard.NextEnabled()) out << "disabled: next\n";
      wizard.Next();
    } else if (command == "back") {
      if (!wizard.BackEnabled()) out << "disabled: back\n";
      wizard.Back();
    } else if (command == "clear") {
      if (!wizard.ClearEnabled()) out << "disabled: clear\n";
      wizard.Clear();
    } else if (command == "cancel") {
      wizard.Cancel();
    } else if (command == "ok") {
      // Message boxes are acknowledged as they are printed.
    } else if (command == "key") {
      wizard.Key(ItemOf(argument));
    } else if (command == "current") {
      wizard.Click(1, ItemOf(argument));
    } else if (command == "expected") {
      wizard.Click(2, ItemOf(argument));
    } else if (command == "yes" || command == "no") {
      throw EScriptError("no question is asked here");
    } else {
      throw EScriptError("unknown command \"" + command + "\"");
    }
    const std::string now = PageLine(wizard);
    if (now != shown && !wizard.Done()) out << now << "\n";
    shown = now;
  }
}

int RunWizard(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() != 1) throw CliUsageError("expected one SHEET-ID");
  const std::optional<TObjectID> id = TObjectID::FromText(args.positional[0]);
  if (!id) throw CliUsageError("SHEET-ID must be written ORIGIN.SERIAL, for example 12.40");
  try {
    auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
    {
      TDataRoot root;
      TScoreSheet* sheet = FindScoreSheet(root, *id);
      if (sheet == nullptr) {
        context.err << "No score sheet has the ID " << id->Text() << "\n";
        return 1;
      }
      TCliScriptUI ui(&std::cin, context.out);
      // A completed sheet opens only after the View/Edit password, as in the
      // desktop program; a wrong one is asked again.
      if (sheet->Completed) {
        TPasswordStore store(db->DataDir() + TPasswordStore::kFileName);
        store.Load();
        TPasswordChecks checks(store, ui);
        if (!checks.CheckView()) {
          context.out << "not opened\n";
          return 1;
        }
      }
      TWizard wizard(ui);
      wizard.Open(*sheet);
      try {
        RunScript(wizard, ui, context.out);
      } catch (const EScriptError& e) {
        wizard.Cancel();
        wizard.Close();
        context.err << "script: " << e.what() << "\n";
        return 2;
      }
      context.out << (wizard.Close() ? "saved\n" : "not saved\n");
    }
    db->Close();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kWizard{
    {"wizard", "Enter a score sheet's answers through the score-entry wizard",
     "usage: zelvora360-cli [--data DIR] wizard SHEET-ID < SCRIPT\n"
     "Runs the score-entry wizard over the score sheet SHEET-ID (ORIGIN.SERIAL)\n"
     "with commands from standard input, one a line: next, back, clear, cancel,\n"
     "key N, current N, expected N (N from 1 to 5), yes, no (answers to the\n"
     "question just printed), ok, and password TEXT (the answer to the\n"
     "View/Edit password prompt a completed sheet asks first). Prints each page shown (\"page "
     "start\",\n"
     "\"page question 3 of 40\", \"page finish\"), each message as KIND: TEXT\n"
     "with line breaks written \\n, and \"saved\" or \"not saved\". The end of\n"
     "the input closes the wizard without saving. Exit 2 for a script line\n"
     "that does not fit.\n",
     RunWizard}};

}  // namespace
}  // namespace zelvora::cli
