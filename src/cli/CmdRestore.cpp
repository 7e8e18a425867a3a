// zelvora360-cli restore: merges a backup set into the database, as the
// program's "Restore Backup" does.
#include <ostream>

#include "APP/CONFIGU.h"
#include "APP/SurveyDefaults.h"
#include "DB/Restore.h"
#include "cli/CliDatabase.h"
#include "cli/CliDiskOperator.h"

namespace zelvora::cli {
namespace {

const char* const kHelp =
    "usage: zelvora360-cli [--data DIR] restore DISK...\n"
    "Reads the pieces of a backup set from the DISKs, folders taken in order as\n"
    "disk 1, 2, ..., unpacks the archive into \"BkRest\" in the data folder and\n"
    "merges every record into the database: a record is taken when it is not\n"
    "stored or is later than the stored one; nothing is deleted. A damaged or\n"
    "incomplete set merges nothing. When the set needs another disk and none\n"
    "is left, or a disk is not the one expected, the command stops with the\n"
    "program's prompt and exits 1. \"BkRest\" is removed afterwards unless the\n"
    "setting DelTempBackupFiles is 0.\n";

int RunRestore(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.empty()) throw CliUsageError("restore needs at least one DISK");
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
  TSurveyDefaults defaults;
  {
    TConfig config(db->DataDir());
    defaults.Read(config.Settings());
  }
  CliDiskOperator user({args.positional.begin() + 1, args.positional.end()}, context.out,
                       StdoutIsTerminal());
  TFolderFreeSpace space;
  TRestore restore(*db, space, user, defaults.DelTempBackupFiles);
  const TRestoreOutcome outcome = restore.Run(args.positional.front());
  db->Close();
  if (outcome != TRestoreOutcome::kDone) {
    context.err << user.StopMessage().value_or("Restore cancelled.") << "\n";
    return 1;
  }
  context.out << restore.RecordsMerged() << " records restored from " << restore.DisksRead()
              << (restore.DisksRead() == 1 ? " disk.\n" : " disks.\n");
  return 0;
}

const CliRegistrar kRestore{
    {"restore", "Restore a backup set into the database", kHelp, RunRestore}};

}  // namespace
}  // namespace zelvora::cli
