#include "cli/CliDatabase.h"

#include <optional>
#include <ostream>

#include "APP/CONFIGU.h"
#include "APP/UpdStartup.h"

namespace zelvora::cli {

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context, bool process_updates) {
  std::optional<std::string> option;
  if (!context.data_dir_option.empty()) option = context.data_dir_option;
  std::ostream* err = &context.err;
  const auto say = [err](const std::string& message) { *err << message << "\n"; };
  auto db = OpenSurveyDatabase(TConfig::DataFolder(option), say);
  if (process_updates) ApplyUpdatePackages(*db, say);
  return db;
}

}  // namespace zelvora::cli
