// zelvora360-cli [--data DIR] update: applies "Update2.INI" of the data
// folder exactly as the program's start-up does. Notices and the error that
// stopped the processing go to standard error; exit 1 when it stopped.
#include <ostream>
#include <string>

#include "APP/UpdProcess.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

int RunUpdate(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (!args.positional.empty()) throw CliUsageError("update takes no arguments");
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite, false);
  std::ostream* err = &context.err;
  TUpdateProcessor processor(db->DataDir(),
                             [err](const std::string& notice) { *err << notice << "\n"; });
  try {
    processor.ProcessUpdates();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  db->Close();
  // A company kept to save its answers is named above; the exit says so.
  return processor.Refused() == 0 ? 0 : 1;
}

const CliRegistrar kUpdate{{"update", "Apply the update packages named in Update2.INI",
                            "usage: zelvora360-cli [--data DIR] update\n"
                            "Works through the sections SURVEYS, EXPORTS, IMPORTS and REMOVE of\n"
                            "Update2.INI in the data folder as the program's start-up does, and\n"
                            "empties each section when done. Exit 1 when a package failed; its\n"
                            "section and the later ones are kept for the next run.\n",
                            RunUpdate}};

}  // namespace
}  // namespace zelvora::cli
