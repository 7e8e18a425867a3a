#include "APP/UpdStartup.h"

#include <utility>

namespace zelvora {

std::unique_ptr<TSurveyDB> OpenSurveyDatabase(const std::string& folder,
                                              TDBMessageCallback messages) {
  auto db = std::make_unique<TSurveyDB>(std::move(messages));
  db->Open(folder);
  return db;
}

void ApplyUpdatePackages(const TSurveyDB& db, TUpdateProcessor::TNotice notices) {
  TUpdateProcessor(db.DataDir(), std::move(notices)).ProcessUpdates();
}

}  // namespace zelvora
