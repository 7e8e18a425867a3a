#include "cli/CliDatabase.h"

#include <optional>
#include <ostream>

#include "APP/CONFIGU.h"
#include "APP/UpdControlFile.h"
#include "APP/UpdStartup.h"

namespace zelvora::cli {

namespace {

// Set when the database reported a failure it could not repair; main makes
// the command's exit status say so.
bool gDatabaseErrors = false;

}  // namespace

bool CliDatabaseReportedErrors() { return gDatabaseErrors; }

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context, TDBAccess access,
                                           bool process_updates) {
  const bool writer = access == TDBAccess::ReadWrite;
  std::optional<std::string> option;
  if (!context.data_dir_option.empty()) option = context.data_dir_option;
  // Only a command that may write makes a missing folder.
  const std::string folder = TConfig::DataFolder(option, writer);
  std::ostream* err = &context.err;
  auto db = OpenSurveyDatabase(
      folder, [err](const std::string& message) { *err << message << "\n"; }, access,
      [err](const std::string& message) {
        *err << message << "\n";
        gDatabaseErrors = true;
      });
  const auto notices = [err](const std::string& notice) { *err << notice << "\n"; };
  if (writer && process_updates) {
    ApplyUpdatePackages(*db, notices);
  } else if (!writer && TUpdateProcessor(db->DataDir(), notices).HasPendingUpdates()) {
    // Reading must not change the database; the packages wait for a writer.
    context.err << kUpdateControlFileName << " in " << db->DataDir()
                << " names updates that have not been applied; \"zelvora360-cli update\" "
                   "applies them.\n";
  }
  return db;
}

}  // namespace zelvora::cli
