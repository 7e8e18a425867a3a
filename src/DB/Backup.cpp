#include "DB/Backup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "DB/SURVDB.h"
#include "base/DateTime.h"
#include "base/Rounding.h"

namespace zelvora {

namespace fs = std::filesystem;
using namespace backupdisk;

namespace {

int Percent(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 100;
  return static_cast<int>(
      RoundHalfEven(100.0 / static_cast<double>(total) * static_cast<double>(done)));
}

void RemoveQuietly(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace

TBackup::TBackup(TSurveyDB& db, TFreeSpace& space, TBackupOperator& user)
    : FDB(db), space_(space), user_(user), date_(Today()) {}

bool TBackup::AcceptDisk(std::string& folder) {
  for (;;) {
    if (user_.Cancelled()) return false;
    if (!space_.Available(folder)) {
      if (!user_.WaitForDisk(TDiskPrompt::kDriveNotReady, DriveNotReadyMessage(folder), folder)) {
        return false;
      }
      continue;
    }
    if (HasFiles(folder)) {
      if (!user_.WaitForDisk(TDiskPrompt::kDiskNotEmpty, DiskNotEmptyMessage(), folder))
        return false;
      continue;
    }
    return true;
  }
}

TBackupOutcome TBackup::Run(std::string folder) {
  disks_ = 0;
  archive_size_ = 0;
  if (!AcceptDisk(folder)) return TBackupOutcome::kCancelled;

  user_.Stage("\nPreparing database for backup...");
  const std::string archive = FDB.DataDir() + TSurveyDB::kArchiveName;
  RemoveQuietly(archive);  // a leftover of an interrupted backup
  const bool archived = FDB.ArchiveData([this](int& percent) {
    if (user_.Cancelled()) {
      percent = -1;
      return;
    }
    user_.Progress(std::clamp(percent, 0, 100));
  });
  if (!archived || user_.Cancelled()) {
    RemoveQuietly(archive);
    return TBackupOutcome::kCancelled;
  }

  bool done = false;
  try {
    done = WriteDisks(folder, archive);
  } catch (...) {
    RemoveQuietly(archive);
    throw;
  }
  RemoveQuietly(archive);
  return done ? TBackupOutcome::kDone : TBackupOutcome::kCancelled;
}

bool TBackup::WriteDisks(std::string& folder, const std::string& archive) {
  user_.Stage("\nSaving backup data...");
  std::error_code ec;
  const std::uint64_t total = fs::file_size(archive, ec);
  if (ec) throw EBackupError("Could not read " + archive);
  archive_size_ = total;
  std::ifstream in(archive, std::ios::binary);
  if (!in) throw EBackupError("Could not read " + archive);
  const std::string date = ShortDate(date_);

  std::vector<char> block(kBlockSize);
  std::uint64_t copied = 0;
  for (int disk = 1;; ++disk) {
    // What a cancel or a failure leaves: nothing of this disk, in the
    // folder it was written to (the operator may name another meanwhile).
    const std::string disk_folder = folder;
    auto drop_disk = [&] {
      RemoveQuietly(InFolder(disk_folder, PieceName(disk)));
      RemoveQuietly(InFolder(disk_folder, LabelName(disk)));
    };
    try {
      if (user_.Cancelled()) {
        drop_disk();
        return false;
      }
      WriteLabel(folder, disk, date, total);
      // Measured with the label on the disk, so the label's bytes are not
      // counted twice.
      std::uint64_t free = space_.Available(folder).value_or(0);
      const std::string piece_path = InFolder(folder, PieceName(disk));
      std::uint64_t on_disk = 0;
      {
        std::ofstream piece(piece_path, std::ios::binary | std::ios::trunc);
        if (!piece) throw EBackupError("Could not create " + piece_path);
        while (copied < total) {
          if (user_.Cancelled()) {
            piece.close();
            drop_disk();
            return false;
          }
          const std::size_t length =
              static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, total - copied));
          if (free < length) break;
          if (!in.read(block.data(), static_cast<std::streamsize>(length))) {
            throw EBackupError("Could not read " + archive);
          }
          piece.write(block.data(), static_cast<std::streamsize>(length));
          if (!piece) throw EBackupError("Could not write " + piece_path);
          free -= length;
          copied += length;
          on_disk += length;
          user_.Progress(Percent(copied, total));
        }
        piece.close();
        if (!piece) throw EBackupError("Could not write " + piece_path);
      }
      // The disk may be taken out at the next prompt: its files must be on it.
      SyncToDisk(piece_path);
      SyncToDisk(disk_folder);
      if (on_disk == 0 && copied < total) {
        // Not one block fits: this disk cannot be part of the set.
        drop_disk();
        if (!user_.WaitForDisk(TDiskPrompt::kDiskFull, DiskFullMessage(folder), folder) ||
            !AcceptDisk(folder)) {
          return false;
        }
        --disk;
        continue;
      }
      disks_ = disk;
      if (copied >= total) return true;
      if (!user_.WaitForDisk(TDiskPrompt::kNextBackupDisk, NextBackupDiskMessage(folder), folder) ||
          !AcceptDisk(folder)) {
        // The cancel comes while this disk is the current one.
        drop_disk();
        disks_ = disk - 1;
        return false;
      }
    } catch (...) {
      drop_disk();
      throw;
    }
  }
}

}  // namespace zelvora
