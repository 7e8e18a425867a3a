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

  TBackupMode Mode() const { return mode_; }
  // "Full Backup" or "Restore Backup": the window's title.
  std::string Caption() const;
  std::string StartText() const;

  TBkupRestPage Page() const { return page_; }
  // The message page's text, or the progress page's stage.
  const std::string& Message() const { return message_; }
  int Percent() const { return percent_; }
  const std::string& Folder() const { return folder_; }
  void SetFolder(const std::string& folder) { folder_ = folder; }

  // OK on the start page: runs the backup or the restore to its end.
  TBkupRestOutcome Ok();
  // Cancel at any time: the work stops at its next step.
  void Cancel() { cancelled_ = true; }
  bool Busy() const { return busy_; }
  TBkupRestOutcome Outcome() const { return outcome_; }
  // A restore began merging records into the database.
  bool DatabaseChanged() const { return database_changed_; }

 private:
  void Stage(const std::string& message) override;
  void Progress(int percent) override;
  bool WaitForDisk(TDiskPrompt why, const std::string& message, std::string& folder) override;
  bool Cancelled() override;

  static constexpr unsigned kChecksPerBreath = 512;

  TBackupMode mode_;
  TSurveyDB& FDB;
  TUserInterface& FUI;
  TFreeSpace& space_;
  bool delete_work_files_;
  TBkupRestPage page_ = TBkupRestPage::kStart;
  std::string message_;
  int percent_ = 0;
  std::string folder_;
  bool cancelled_ = false;
  unsigned checks_ = 0;
  bool busy_ = false;
  bool database_changed_ = false;
  TBkupRestOutcome outcome_ = TBkupRestOutcome::kNone;
};

}  // namespace zelvora
