// TBackup: the full backup. It packs the ten data files of the open survey
// database into the work archive "bk360.cmp" in the data folder and spreads
// the archive over as many disks as it needs (disk layout in
// DB/BackupDisk.h), asking the operator for each next blank disk.
//
// Callers may rely on:
//  - a disk is used only when it is ready and holds no file; otherwise the
//    operator is told why and asked to retry or cancel;
//  - each disk takes blocks of 4096 bytes while they fit in the free space
//    measured after its label was written (the last block may be shorter);
//  - the progress runs 0 to 100 per stage; the cancel flag is checked
//    before every block, every disk and every wait;
//  - on cancel or failure the work archive is gone and so are the piece
//    and the label of the disk being written; disks finished before stay;
//  - a disk's label and piece are on the device before the next disk is
//    asked for and before Run returns;
//  - the work archive is deleted at the end in every case.
// Requires: the database is open; one thread.
#pragma once

#include <string>

#include "DB/BackupDisk.h"

namespace zelvora {

class TSurveyDB;

enum class TBackupOutcome { kDone, kCancelled };

class TBackup {
 public:
  TBackup(TSurveyDB& db, TFreeSpace& space, TBackupOperator& user);

  // The backup's date, as written on the labels (today unless set).
  void SetDate(double date) { date_ = date; }

  // Backs the database up onto the disk in `folder` and the disks after it.
  // Failures raise EBackupError (or the archive's ECompressException, the
  // database's ETableException) after the cleanup above.
  TBackupOutcome Run(std::string folder);
  // The number of disks written by the last Run.
  int DisksWritten() const { return disks_; }
  // The archive's size in bytes of the last Run.
  std::uint64_t ArchiveSize() const { return archive_size_; }

 private:
  // Waits until the disk in `folder` is ready and empty; false on cancel.
  bool AcceptDisk(std::string& folder);
  bool WriteDisks(std::string& folder, const std::string& archive);

  TSurveyDB& FDB;
  TFreeSpace& space_;
  TBackupOperator& user_;
  double date_ = 0;
  int disks_ = 0;
  std::uint64_t archive_size_ = 0;
};

}  // namespace zelvora
