#include "DB/Restore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "DB/RecordGenerations.h"
#include "DB/RecordLayouts.h"
#include "DB/SURVDB.h"
#include "base/Rounding.h"
#include "store/Compress.h"

namespace zelvora {

namespace fs = std::filesystem;
using namespace backupdisk;

namespace {

// Parents before children, so a restored child never waits for its parent.
constexpr int kMergeOrder[kFileblockCount] = {fbCompany,    fbDepartment, fbSurvey,     fbSkillArea,
                                              fbQuestion,   fbSuggestion, fbExperience, fbSubject,
                                              fbScoreSheet, fbRater};

int Percent(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 100;
  return static_cast<int>(
      RoundHalfEven(100.0 / static_cast<double>(total) * static_cast<double>(done)));
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Empties the work folder of files left by an earlier restore, so that only
// this set's files can be found there.
void ClearWorkFolder(const std::string& work) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(work, ec)) {
    std::error_code remove_ec;
    fs::remove_all(entry.path(), remove_ec);
    if (remove_ec) throw EBackupError("Could not remove " + entry.path().string());
  }
}

struct TFoundFile {
  fs::path Path;
  std::int32_t RecordLength = 0;
};

}  // namespace

TRestore::TRestore(TSurveyDB& db, TFreeSpace& space, TBackupOperator& user, bool delete_work_files)
    : FDB(db), space_(space), user_(user), delete_work_files_(delete_work_files) {}

bool TRestore::AcceptDisk(int disk, std::string& folder, bool first_ask) {
  if (first_ask &&
      !user_.WaitForDisk(TDiskPrompt::kRestoreDisk, RestoreDiskMessage(disk, folder), folder)) {
    return false;
  }
  for (;;) {
    if (user_.Cancelled()) return false;
    if (!space_.Available(folder)) {
      if (!user_.WaitForDisk(TDiskPrompt::kDriveNotReady, DriveNotReadyMessage(folder), folder)) {
        return false;
      }
      continue;
    }
    const std::optional<std::uint64_t> total = ReadLabel(folder, disk);
    std::error_code ec;
    // A disk of another set (another size) or without its piece is not the
    // disk asked for.
    const bool right = total && (disk == 1 || *total == total_) &&
                       fs::is_regular_file(InFolder(folder, PieceName(disk)), ec);
    if (right) {
      if (disk == 1) total_ = *total;
      return true;
    }
    if (!user_.WaitForDisk(TDiskPrompt::kWrongRestoreDisk, RestoreDiskMessage(disk, folder),
                           folder)) {
      return false;
    }
  }
}

TRestoreOutcome TRestore::Run(std::string folder) {
  disks_ = 0;
  merged_ = 0;
  total_ = 0;
  if (!AcceptDisk(1, folder, false)) return TRestoreOutcome::kCancelled;

  const std::string work = FDB.DataDir() + kWorkFolder;
  const std::string archive = work + "/" + TSurveyDB::kArchiveName;
  bool done = false;
  try {
    user_.Stage("\nReading backup data...");
    std::error_code ec;
    fs::create_directories(work, ec);
    if (ec || !fs::is_directory(work)) throw EBackupError("Could not create " + work);
    ClearWorkFolder(work);
    done = JoinPieces(folder, archive) && Unpack(archive, work) && Merge(work);
  } catch (...) {
    if (delete_work_files_) {
      std::error_code ec;
      fs::remove_all(work, ec);
    }
    throw;
  }
  if (delete_work_files_) {
    std::error_code ec;
    fs::remove_all(work, ec);
  }
  return done ? TRestoreOutcome::kDone : TRestoreOutcome::kCancelled;
}

bool TRestore::JoinPieces(std::string& folder, const std::string& archive) {
  std::ofstream out(archive, std::ios::binary | std::ios::trunc);
  if (!out) throw EBackupError("Could not create " + archive);
  std::vector<char> block(kBlockSize);
  std::uint64_t read = 0;
  for (int disk = 1;; ++disk) {
    if (disk > 1 && !AcceptDisk(disk, folder, true)) return false;
    const std::string piece_path = InFolder(folder, PieceName(disk));
    std::ifstream piece(piece_path, std::ios::binary);
    if (!piece) throw EBackupError("Could not read " + piece_path);
    while (read < total_) {
      if (user_.Cancelled()) return false;
      const std::size_t want =
          static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, total_ - read));
      piece.read(block.data(), static_cast<std::streamsize>(want));
      const std::size_t got = static_cast<std::size_t>(piece.gcount());
      if (got == 0) break;
      out.write(block.data(), static_cast<std::streamsize>(got));
      if (!out) throw EBackupError("Could not write " + archive);
      read += got;
      user_.Progress(Percent(read, total_));
      if (got < want) break;
    }
    if (piece.bad()) throw EBackupError("Could not read " + piece_path);
    disks_ = disk;
    if (read >= total_) break;
  }
  out.close();
  if (!out) throw EBackupError("Could not write " + archive);
  return true;
}

bool TRestore::Unpack(const std::string& archive, const std::string& work) {
  user_.Stage("\nUncompressing data. . .");
  try {
    return TCompress().ExpandFiles(archive, work, {}, [this](int& percent) {
      if (user_.Cancelled()) {
        percent = -1;
        return;
      }
      user_.Progress(std::clamp(percent, 0, 100));
    });
  } catch (const ECompressException& e) {
    throw EBackupError(std::string(e.what()) + "\nThe backup was not restored.");
  }
}

bool TRestore::Merge(const std::string& work) {
  // Every file is found and checked before the first record is merged: a
  // set that lacks a fileblock would otherwise leave, say, companies
  // restored without their departments.
  std::map<std::string, fs::path> names;  // lower-case name to file
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(work, ec)) {
    std::error_code kind_ec;
    if (entry.is_regular_file(kind_ec))
      names.emplace(Lower(entry.path().filename().string()), entry.path());
  }
  std::vector<TFoundFile> files(kFileblockCount);
  for (int fileblock : kMergeOrder) {
    TFoundFile& found = files[static_cast<std::size_t>(fileblock)];
    for (const TRecordGeneration& generation : RecordGenerations(fileblock)) {
      auto it = names.find(Lower(FileblockStem(fileblock) + generation.Letter + ".DAT"));
      if (it == names.end()) continue;
      found.Path = it->second;
      found.RecordLength = generation.RecordLength;
      break;
    }
    if (found.RecordLength == 0) throw EBackupError(FileblockStem(fileblock) + "not found");
    const std::uintmax_t size = fs::file_size(found.Path, ec);
    if (ec || size < static_cast<std::uintmax_t>(found.RecordLength) ||
        size % static_cast<std::uintmax_t>(found.RecordLength) != 0) {
      throw EBackupError(found.Path.filename().string() +
                         " is damaged: its size is not a whole number of records.\n"
                         "The backup was not restored.");
    }
  }

  user_.Stage("\nImporting backup data...");
  const std::int32_t origin = FDB.Origin();
  std::int32_t highest_own_serial = -1;
  int position = 0;
  for (int fileblock : kMergeOrder) {
    user_.Progress(10 * position++);
    const TFoundFile& found = files[static_cast<std::size_t>(fileblock)];
    std::ifstream in(found.Path, std::ios::binary);
    if (!in) throw EBackupError("Could not read " + found.Path.string());
    std::vector<unsigned char> record(static_cast<std::size_t>(found.RecordLength));
    auto read_record = [&] {
      return static_cast<bool>(in.read(reinterpret_cast<char*>(record.data()),
                                       static_cast<std::streamsize>(record.size())));
    };
    if (!read_record()) throw EBackupError("Could not read " + found.Path.string());  // record 0
    while (read_record()) {
      if (user_.Cancelled()) return false;
      if (RecordIsLive(record)) {
        const TObjectID id = RecordID(record);
        if (id.Origin == origin) highest_own_serial = std::max(highest_own_serial, id.Serial);
      }
      if (FDB.MergeRecord(fileblock, false, record)) ++merged_;
    }
    if (in.bad()) throw EBackupError("Could not read " + found.Path.string());
  }
  if (highest_own_serial >= 0) FDB.KeepSerialsThrough(highest_own_serial);
  user_.Progress(100);
  return true;
}

}  // namespace zelvora
