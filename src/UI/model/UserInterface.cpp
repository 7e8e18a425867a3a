#include "UI/model/UserInterface.h"

namespace zelvora {

// ---- Backup and restore ----

bool TUserInterface::AwaitBackupDisk(const std::string& text, std::string& folder) {
  (void)folder;
  return Ask(text);
}

void TUserInterface::ShowBackupProgress(const std::string& stage, int percent) {
  (void)stage;
  (void)percent;
}

}  // namespace zelvora
