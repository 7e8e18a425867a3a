// TBkupRestModel: the behaviour of the "Backup/Restore" window, which makes
// a full backup onto a set of disks or restores one (DB/Backup.h,
// DB/Restore.h). The window has three pages:
//  - the start page: StartText() and the disk's folder (drive chooser),
//    with OK and Cancel;
//  - the message page: a message that waits for OK or Cancel (a disk that
//    is not ready, not empty, not the one expected, or the next disk);
//  - the progress page: the stage's text and a bar from 0 to 100.
// OK on the start page runs the whole work; the waits at the drive go
// through TUserInterface::AwaitBackupDisk and every step of the work through
// ShowBackupProgress, which lets the window notice Cancel. A failure is
// shown with TUserInterface::ShowError. The window closes when the work
// ends, whatever its outcome.
//
// Callers may rely on: after a restore that was not cancelled before its
// merge began (Outcome() kDone, or kFailed/kCancelled with
// DatabaseChanged()), the caller reloads everything from the database.
#pragma once

#include <string>

#include "DB/BackupDisk.h"

namespace zelvora {

class TSurveyDB;
class TUserInterface;

enum class TBackupMode { kBackup, kRestore };
enum class TBkupRestPage { kStart, kMessage, kProgress };
enum class TBkupRestOutcome { kNone, kDone, kCancelled, kFailed };

class TBkupRestModel : private TBackupOperator {
 public:
  static constexpr const char* kFormCaption = "Backup/Restore";

  // `delete_work_files` is the setting DelTempBackupFiles.
  TBkupRestModel(TBackupMode mode, TSurveyDB& db, TUserInterface& ui, TFreeSpace& space,
                 bool delete_work_files);

  TBackupMode Mode() const { return FMode; }
  // "Full Backup" or "Restore Backup": the window's title.
  std::string Caption() const;
  std::string StartText() const;

  TBkupRestPage Page() const { return FPage; }
  // The message page's text, or the progress page's stage.
  const std::string& Message() const { return FMessage; }
  int Percent() const { return FPercent; }
  const std::string& Folder() const { return FFolder; }
  void SetFolder(const std::string& folder) { FFolder = folder; }

  // OK on the start page: runs the backup or the restore to its end.
  TBkupRestOutcome Ok();
  // Cancel at any time: the work stops at its next step.
  void Cancel() { FCancelled = true; }
  bool Busy() const { return FBusy; }
  TBkupRestOutcome Outcome() const { return FOutcome; }
  // A restore began merging records into the database.
  bool DatabaseChanged() const { return FDatabaseChanged; }

 private:
  void Stage(const std::string& message) override;
  void Progress(int percent) override;
  bool WaitForDisk(TDiskPrompt why, const std::string& message, std::string& folder) override;
  bool Cancelled() override;

  static constexpr unsigned kChecksPerBreath = 512;

  TBackupMode FMode;
  TSurveyDB& FDB;
  TUserInterface& FUI;
  TFreeSpace& FSpace;
  bool FDeleteWorkFiles;
  TBkupRestPage FPage = TBkupRestPage::kStart;
  std::string FMessage;
  int FPercent = 0;
  std::string FFolder;
  bool FCancelled = false;
  unsigned FChecks = 0;
  bool FBusy = false;
  bool FDatabaseChanged = false;
  TBkupRestOutcome FOutcome = TBkupRestOutcome::kNone;
};

}  // namespace zelvora
