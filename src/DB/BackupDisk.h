// The disks of a backup set and the person who changes them.
//
// A disk is a folder: a mounted removable volume or any folder the
// administrator picks. Disk n (from 1) of a set holds, in that folder:
//  - the label file "Backup<n>" (no extension), two text lines:
//      "DATE: %10s BK360"  the backup's short date, right-aligned in 10
//      "DATA SIZE = <n>"   the archive's total size in bytes, decimal
//    A disk belongs to a set when its label for the expected number exists
//    and characters 18 to 22 of the first line (from 1) read "BK360";
//  - the piece file "Bk360.b<n>": the archive's bytes that went onto this
//    disk. The pieces joined in disk order give the archive back.
//
// Callers may rely on: every text here is the one shown to the user, line
// breaks included; WriteLabel replaces the label whole or not at all and
// has it on the device when it returns.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace zelvora {

// A failure of a backup or restore, carrying the message to show.
class EBackupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why the work waits for the user at the drive.
enum class TDiskPrompt {
  kDriveNotReady,    // no size could be measured: retry the same disk
  kDiskNotEmpty,     // a backup disk holds files: retry with an empty one
  kDiskFull,         // not one block of the archive fits: retry with another
  kNextBackupDisk,   // the next blank disk of a backup
  kRestoreDisk,      // disk n of the set, the first time it is asked for
  kWrongRestoreDisk  // the disk in the drive is not disk n of the set
};

// The person at the drive and the window that shows the work.
class TBackupOperator {
 public:
  virtual ~TBackupOperator() = default;
  // A new stage of the work ("\nSaving backup data..."); the bar starts at 0.
  virtual void Stage(const std::string& message) = 0;
  // The bar's position, 0 to 100.
  virtual void Progress(int percent) = 0;
  // Shows `message` and waits: true for OK (the disk is in `folder`, which
  // the user may have changed), false for Cancel.
  virtual bool WaitForDisk(TDiskPrompt why, const std::string& message, std::string& folder) = 0;
  // The cancel flag, checked in every loop of the work.
  virtual bool Cancelled() = 0;
};

// The free space of a disk.
class TFreeSpace {
 public:
  virtual ~TFreeSpace() = default;
  // Bytes a new file may take in `folder`; nullopt when the folder is not a
  // ready disk (missing, not a folder, no size).
  virtual std::optional<std::uint64_t> Available(const std::string& folder) = 0;
};

// The file system's free space of the folder. With a disk size, the folder
// stands for a disk of that many bytes: what it offers is at most the size
// less the bytes of the files already in it.
class TFolderFreeSpace : public TFreeSpace {
 public:
  explicit TFolderFreeSpace(std::optional<std::uint64_t> disk_size = std::nullopt)
      : disk_size_(disk_size) {}
  std::optional<std::uint64_t> Available(const std::string& folder) override;

 private:
  std::optional<std::uint64_t> disk_size_;
};

namespace backupdisk {

inline constexpr std::size_t kBlockSize = 4096;
inline constexpr const char* kMarker = "BK360";

std::string LabelName(int disk);  // "Backup<n>"
std::string PieceName(int disk);  // "Bk360.b<n>"
// "<folder>/<name>" with exactly one separator.
std::string InFolder(const std::string& folder, const std::string& name);

// The label text of a disk: both lines, each ending in CR LF.
std::string LabelText(const std::string& short_date, std::uint64_t total_size);
// Hands a file (or a folder's entries) to the device before the disk may be
// taken out. Throws EBackupError when it cannot.
void SyncToDisk(const std::string& path);

// Writes the label of disk `disk` into `folder` (through a temporary file).
// Throws EBackupError when it cannot be written.
void WriteLabel(const std::string& folder, int disk, const std::string& short_date,
                std::uint64_t total_size);
// The total size from the label of disk `disk` in `folder`; nullopt when the
// disk is not that disk of a backup set.
std::optional<std::uint64_t> ReadLabel(const std::string& folder, int disk);

// "m/d/yyyy" of a date (the short date of the labels).
std::string ShortDate(double date);
// True when the folder holds any file (folders in it do not count: a
// formatted volume may come with some).
bool HasFiles(const std::string& folder);

// The messages, with the disk's folder (and number) filled in.
std::string DriveNotReadyMessage(const std::string& folder);
std::string DiskNotEmptyMessage();
std::string DiskFullMessage(const std::string& folder);
std::string NextBackupDiskMessage(const std::string& folder);
std::string RestoreDiskMessage(int disk, const std::string& folder);

}  // namespace backupdisk
}  // namespace zelvora
