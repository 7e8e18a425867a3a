#include "APP/UpdStartup.h"

#include <utility>

namespace zelvora {

std::unique_ptr<TSurveyDB> OpenSurveyDatabase(const std::string& folder,
                                              TDBMessageCallback messages, TDBAccess access,
                                              TDBMessageCallback errors) {
  auto db = std::make_unique<TSurveyDB>(std::move(messages), std::move(errors));
  db->Open(folder, access);
  return db;
}

void ApplyUpdatePackages(const TSurveyDB& db, TUpdateProcessor::TNotice notices) {
  TUpdateProcessor(db.DataDir(), std::move(notices)).ProcessUpdates();
}

}  // namespace zelvora
