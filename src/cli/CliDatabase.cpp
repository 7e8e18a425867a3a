#include "cli/CliDatabase.h"

#include <optional>
#include <ostream>

#include "APP/CONFIGU.h"
#include "APP/UpdProcess.h"

namespace zelvora::cli {

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context, bool process_updates) {
  std::optional<std::string> option;
  if (!context.data_dir_option.empty()) option = context.data_dir_option;
  const std::string folder = TConfig::DataFolder(option);
  std::ostream* err = &context.err;
  auto db =
      std::make_unique<TSurveyDB>([err](const std::string& message) { *err << message << "\n"; });
  db->Open(folder);
  if (process_updates) {
    TUpdateProcessor(db->DataDir(), [err](const std::string& notice) {
      *err << notice << "\n";
    }).ProcessUpdates();
  }
  return db;
}

}  // namespace zelvora::cli
