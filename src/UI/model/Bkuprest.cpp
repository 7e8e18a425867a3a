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
    : mode_(mode), FDB(db), FUI(ui), space_(space), delete_work_files_(delete_work_files) {}

std::string TBkupRestModel::Caption() const {
  return mode_ == TBackupMode::kBackup ? "Full Backup" : "Restore Backup";
}

std::string TBkupRestModel::StartText() const {
  return mode_ == TBackupMode::kBackup
             ? "Select the drive where you wish to place the backup data:"
             : "Select the drive where you wish to restore the backup data from:";
}

TBkupRestOutcome TBkupRestModel::Ok() {
  if (busy_ || page_ != TBkupRestPage::kStart) return TBkupRestOutcome::kNone;
  busy_ = true;
  cancelled_ = false;
  outcome_ = TBkupRestOutcome::kNone;
  try {
    bool done = false;
    if (mode_ == TBackupMode::kBackup) {
      TBackup backup(FDB, space_, *this);
      done = backup.Run(folder_) == TBackupOutcome::kDone;
    } else {
      TRestore restore(FDB, space_, *this, delete_work_files_);
      done = restore.Run(folder_) == TRestoreOutcome::kDone;
    }
    outcome_ = done ? TBkupRestOutcome::kDone : TBkupRestOutcome::kCancelled;
  } catch (const std::exception& e) {
    outcome_ = TBkupRestOutcome::kFailed;
    busy_ = false;
    FUI.ShowError(e.what());
  }
  busy_ = false;
  return outcome_;
}

void TBkupRestModel::Stage(const std::string& message) {
  page_ = TBkupRestPage::kProgress;
  message_ = message;
  percent_ = 0;
  if (message == kImportStage) database_changed_ = true;
  FUI.ShowBackupProgress(message_, percent_);
}

void TBkupRestModel::Progress(int percent) {
  page_ = TBkupRestPage::kProgress;
  percent_ = percent;
  FUI.ShowBackupProgress(message_, percent_);
}

bool TBkupRestModel::Cancelled() {
  // The merge checks for every record but reports once per file: let the
  // window notice a Cancel click in between too.
  if (++checks_ % kChecksPerBreath == 0) FUI.ShowBackupProgress(message_, percent_);
  return cancelled_;
}

bool TBkupRestModel::WaitForDisk(TDiskPrompt, const std::string& message, std::string& folder) {
  const TBkupRestPage was = page_;
  const std::string stage = message_;
  page_ = TBkupRestPage::kMessage;
  message_ = message;
  folder_ = folder;
  const bool ok = !cancelled_ && FUI.AwaitBackupDisk(message, folder_);
  if (!ok) {
    cancelled_ = true;
    return false;
  }
  folder = folder_;
  // Back to where the work was; the disk checks come next.
  page_ = was;
  message_ = stage;
  return true;
}

}  // namespace zelvora
