// TRestore: brings a backup set back into the open survey database. It
// joins the disks' pieces into "BkRest/bk360.cmp" in the data folder,
// unpacks the archive into "BkRest" and merges every record of the ten
// data files into the database by its modification date: a record is
// taken when it is live, its origin is above 10 and it is not stored or
// later than the stored one. Nothing is ever deleted.
//
// Each data file is looked for in its newest generation first
// (DB/RecordGenerations.h); shorter records are zero-padded.
//
// Callers may rely on:
//  - nothing is merged unless the whole set is sound: every disk's label
//    and piece read, the archive unpacked without a checksum error, and the
//    data file of every fileblock present with whole records. A damaged or
//    incomplete set raises EBackupError saying why (a missing file: its
//    base name without generation letter followed by "not found");
//  - the fileblocks are merged in the order ct, dt, sv, sk, qt, sg, xp,
//    sj, ss, rt, so parents come before their children;
//  - IDs of this installation's origin that come back are never handed out
//    again by the ID source;
//  - "BkRest" holds only this restore's files while it works; with
//    `delete_work_files` it is removed at the end (also after a failure or
//    a cancel).
// Requires: the database is open; one thread.
#pragma once

#include <cstdint>
#include <string>

#include "DB/BackupDisk.h"

namespace zelvora {

class TSurveyDB;

enum class TRestoreOutcome { kDone, kCancelled };

class TRestore {
 public:
  static constexpr const char* kWorkFolder = "BkRest";

  TRestore(TSurveyDB& db, TFreeSpace& space, TBackupOperator& user, bool delete_work_files = true);

  // Restores from the disk in `folder` and the disks after it. Failures
  // raise EBackupError (or the database's ETableException while merging).
  TRestoreOutcome Run(std::string folder);

  int DisksRead() const { return disks_; }
  // Records written into the database by the last Run.
  std::int64_t RecordsMerged() const { return merged_; }

 private:
  // Waits until disk `disk` of the set is in `folder`; its label's total
  // size is kept from disk 1. False on cancel.
  bool AcceptDisk(int disk, std::string& folder, bool first_ask);
  bool JoinPieces(std::string& folder, const std::string& archive);
  bool Unpack(const std::string& archive, const std::string& work);
  bool Merge(const std::string& work);

  TSurveyDB& FDB;
  TFreeSpace& space_;
  TBackupOperator& user_;
  bool delete_work_files_;
  std::uint64_t total_ = 0;
  int disks_ = 0;
  std::int64_t merged_ = 0;
};

}  // namespace zelvora
