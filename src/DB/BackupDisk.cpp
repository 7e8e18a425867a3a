#include "DB/BackupDisk.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/DateTime.h"

namespace zelvora {

namespace fs = std::filesystem;

std::optional<std::uint64_t> TFolderFreeSpace::Available(const std::string& folder) {
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return std::nullopt;
  const fs::space_info info = fs::space(folder, ec);
  if (ec || info.capacity == 0 || info.available == static_cast<std::uintmax_t>(-1)) {
    return std::nullopt;
  }
  std::uint64_t available = info.available;
  if (disk_size_) {
    std::uint64_t used = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, ec)) {
      std::error_code size_ec;
      if (entry.is_regular_file(size_ec)) {
        const std::uintmax_t size = entry.file_size(size_ec);
        if (!size_ec) used += size;
      }
    }
    const std::uint64_t left = used >= *disk_size_ ? 0 : *disk_size_ - used;
    if (left < available) available = left;
  }
  return available;
}

namespace backupdisk {
namespace {

// Label line 1: "DATE: " (6), the date right-aligned in 10, " " and the
// marker at characters 18 to 22.
constexpr std::size_t kMarkerOffset = 17;
constexpr const char* kSizePrefix = "DATA SIZE = ";
// A label is a few dozen bytes; anything much longer is not a label.
constexpr std::uintmax_t kMaxLabelBytes = 1024;

}  // namespace

void SyncToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) throw EBackupError("Could not write " + path);
}

std::string LabelName(int disk) { return "Backup" + std::to_string(disk); }
std::string PieceName(int disk) { return "Bk360.b" + std::to_string(disk); }

std::string InFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string LabelText(const std::string& short_date, std::uint64_t total_size) {
  char line1[64];
  std::snprintf(line1, sizeof line1, "DATE: %10s %s", short_date.c_str(), kMarker);
  return std::string(line1) + "\r\n" + kSizePrefix + std::to_string(total_size) + "\r\n";
}

void WriteLabel(const std::string& folder, int disk, const std::string& short_date,
                std::uint64_t total_size) {
  const std::string path = InFolder(folder, LabelName(disk));
  const std::string temp = path + ".tmp";
  const std::string text = LabelText(short_date, total_size);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      throw EBackupError("Could not write " + path);
    }
  }
  std::error_code ec;
  try {
    SyncToDisk(temp);
  } catch (const EBackupError&) {
    fs::remove(temp, ec);
    throw EBackupError("Could not write " + path);
  }
  fs::rename(temp, path, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw EBackupError("Could not write " + path);
  }
}

std::optional<std::uint64_t> ReadLabel(const std::string& folder, int disk) {
  const std::string path = InFolder(folder, LabelName(disk));
  std::error_code ec;
  if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxLabelBytes || ec) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t end1 = text.find_first_of("\r\n");
  if (end1 == std::string::npos) return std::nullopt;
  const std::string line1 = text.substr(0, end1);
  if (line1.size() < kMarkerOffset + 5 || line1.compare(kMarkerOffset, 5, kMarker) != 0) {
    return std::nullopt;
  }
  std::size_t start2 = text.find_first_not_of("\r\n", end1);
  if (start2 == std::string::npos) return std::nullopt;
  const std::string prefix = kSizePrefix;
  if (text.compare(start2, prefix.size(), prefix) != 0) return std::nullopt;
  std::size_t pos = start2 + prefix.size();
  std::uint64_t size = 0;
  std::size_t digits = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
    if (digits == 18) return std::nullopt;  // no archive is that large
    size = size * 10 + static_cast<std::uint64_t>(text[pos] - '0');
  }
  if (digits == 0) return std::nullopt;
  if (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') return std::nullopt;
  return size;
}

std::string ShortDate(double date) {
  const CivilDate d = DecodeDate(date);
  return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

bool HasFiles(const std::string& folder) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    std::error_code kind_ec;
    if (!entry.is_directory(kind_ec)) return true;
  }
  return false;
}

std::string DriveNotReadyMessage(const std::string& folder) {
  return "\nDrive " + folder + " is invalid or not ready.\nCorrect the problem and then retry.";
}

std::string DiskNotEmptyMessage() {
  return "\nPlease use a disk which contains\nno files on it for this backup.";
}

std::string DiskFullMessage(const std::string& folder) {
  return "\nThe disk in drive " + folder + " has no room\nfor the backup. Please use another disk.";
}

std::string NextBackupDiskMessage(const std::string& folder) {
  return "\nPlease insert the next blank\nbackup disk into drive " + folder;
}

std::string RestoreDiskMessage(int disk, const std::string& folder) {
  return "\nPlease insert 360\xC2\xB0 backup\ndisk " + std::to_string(disk) + " into drive " +
         folder + ":";
}

}  // namespace backupdisk
}  // namespace zelvora
