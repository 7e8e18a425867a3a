#include "UI/model/Bkuprest.h"

#include <exception>

#include "DB/Backup.h"
#include "DB/Restore.h"
#include "UI/model/UserInterface.h"

namespace zelvora {

namespace {
constexpr const char* kImportStage = "\nImporting backup data...";
}

TBkupRestModel::TBkupRestModel(TBackupMode mode, TSurveyDB& db, TUserInterface& ui,
                               TFreeSpace& space, bool delete_work_files)
    : FMode(mode), FDB(db), FUI(ui), FSpace(space), FDeleteWorkFiles(delete_work_files) {}

std::string TBkupRestModel::Caption() const {
  return FMode == TBackupMode::kBackup ? "Full Backup" : "Restore Backup";
}

std::string TBkupRestModel::StartText() const {
  return FMode == TBackupMode::kBackup
             ? "Select the drive where you wish to place the backup data:"
             : "Select the drive where you wish to restore the backup data from:";
}

TBkupRestOutcome TBkupRestModel::Ok() {
  if (FBusy || FPage != TBkupRestPage::kStart) return TBkupRestOutcome::kNone;
  FBusy = true;
  FCancelled = false;
  FOutcome = TBkupRestOutcome::kNone;
  try {
    bool done = false;
    if (FMode == TBackupMode::kBackup) {
      TBackup backup(FDB, FSpace, *this);
      done = backup.Run(FFolder) == TBackupOutcome::kDone;
    } else {
      TRestore restore(FDB, FSpace, *this, FDeleteWorkFiles);
      done = restore.Run(FFolder) == TRestoreOutcome::kDone;
    }
    FOutcome = done ? TBkupRestOutcome::kDone : TBkupRestOutcome::kCancelled;
  } catch (const std::exception& e) {
    FOutcome = TBkupRestOutcome::kFailed;
    FBusy = false;
    FUI.ShowError(e.what());
  }
  FBusy = false;
  return FOutcome;
}

void TBkupRestModel::Stage(const std::string& message) {
  FPage = TBkupRestPage::kProgress;
  FMessage = message;
  FPercent = 0;
  if (message == kImportStage) FDatabaseChanged = true;
  FUI.ShowBackupProgress(FMessage, FPercent);
}

void TBkupRestModel::Progress(int percent) {
  FPage = TBkupRestPage::kProgress;
  FPercent = percent;
  FUI.ShowBackupProgress(FMessage, FPercent);
}

bool TBkupRestModel::Cancelled() {
  // The merge checks for every record but reports once per file: let the
  // window notice a Cancel click in between too.
  if (++FChecks % kChecksPerBreath == 0) FUI.ShowBackupProgress(FMessage, FPercent);
  return FCancelled;
}

bool TBkupRestModel::WaitForDisk(TDiskPrompt, const std::string& message, std::string& folder) {
  const TBkupRestPage was = FPage;
  const std::string stage = FMessage;
  FPage = TBkupRestPage::kMessage;
  FMessage = message;
  FFolder = folder;
  const bool ok = !FCancelled && FUI.AwaitBackupDisk(message, FFolder);
  if (!ok) {
    FCancelled = true;
    return false;
  }
  folder = FFolder;
  // Back to where the work was; the disk checks come next.
  FPage = was;
  FMessage = stage;
  return true;
}

}  // namespace zelvora
