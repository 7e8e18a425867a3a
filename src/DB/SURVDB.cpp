#include "DB/SURVDB.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "DB/Survobj.h"
#include "store/Engine.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

constexpr int kIDKeyChars = static_cast<int>(kIDKeyLength);

std::vector<TKeyDesc> KeysOf(const TFileblockInfo& info) {
  std::vector<TKeyDesc> keys{TKeyDesc{kIDKeyChars, false}};
  if (info.KeyCount > 1) keys.push_back(TKeyDesc{kIDKeyChars, true});
  return keys;
}

// Brackets one record change with the fileblock's lock.
class TTableLock {
 public:
  explicit TTableLock(TTable& table) : table_(table) { table_.Lock(); }
  ~TTableLock() {
    try {
      table_.Unlock();
    } catch (const ETableException&) {
      // The fileblock went away under the change; nothing is held.
    }
  }
  TTableLock(const TTableLock&) = delete;
  TTableLock& operator=(const TTableLock&) = delete;

 private:
  TTable& table_;
};

// Removes a key that should be there; an index that lost it already (a
// damaged index being worked around) is no reason to fail the change.
void RemoveKey(TTable& table, int key, std::int32_t record, const std::string& text) {
  try {
    table.DeleteKey(key, record, text);
  } catch (const ETableException& error) {
    if (error.Error() != kErrKeyToDelete) throw;
  }
}

// Reads a record; false when it cannot be read or is not live.
bool ReadLive(TTable& table, std::int32_t number, std::vector<unsigned char>& record) {
  try {
    table.GetRecord(number, record);
  } catch (const ETableException&) {
    return false;
  }
  return RecordIsLive(record);
}

// The engine is shared by every open database of the process: the first
// open initialises it (unless someone else did) and the last close shuts it
// down again.
int gEngineUsers = 0;
bool gEngineStartedHere = false;

void AcquireEngine() {
  if (gEngineUsers == 0 && !EngineInitialised()) {
    InitEngine(TNetworkMode::SingleUser, kMinPageBuffers);
    gEngineStartedHere = true;
  }
  ++gEngineUsers;
}

void ReleaseEngine() {
  if (gEngineUsers > 0 && --gEngineUsers == 0 && gEngineStartedHere) {
    gEngineStartedHere = false;
    ExitEngine();
  }
}

std::string FormatUnableToReindex(const std::string& base, int failed) {
  char text[128];
  std::snprintf(text, sizeof text, "%s was unable to reindex %d records.", base.c_str(), failed);
  return text;
}

}  // namespace

TSurveyDB::TSurveyDB(TDBMessageCallback messages, TDBMessageCallback errors)
    : messages_(std::move(messages)), errors_(std::move(errors)) {
  for (auto& table : tables_) table = std::make_unique<TTable>();
}

TSurveyDB::~TSurveyDB() {
  try {
    Close();
  } catch (const std::exception&) {
    // A fileblock that could not be closed cleanly is rebuilt at the next
    // open; the destructor has nobody to tell.
  }
}

void TSurveyDB::Say(const std::string& message) const {
  if (messages_) messages_(message);
}

void TSurveyDB::SayError(const std::string& message) const {
  if (errors_) {
    errors_(message);
  } else {
    Say(message);
  }
}

std::string TSurveyDB::FileblockPath(int fileblock) const {
  return data_dir_ + FileblockInfo(fileblock).BaseName;
}

void TSurveyDB::TakeLock() {
  const bool writer = access_ == TDBAccess::ReadWrite;
  const std::string path = data_dir_ + kLockFileName;
  switch (lock_.Take(path, writer ? TFileLock::TMode::Exclusive : TFileLock::TMode::Shared)) {
    case TFileLock::TResult::Taken:
      return;
    case TFileLock::TResult::Unavailable:
      // A reader of a folder nobody can write to needs no lock.
      if (!writer) return;
      throw ESurvObjError("Cannot lock the database in " + data_dir_ + ": " +
                          std::strerror(lock_.Error()));
    case TFileLock::TResult::Busy:
      break;
  }
  std::string by = "another process";
  if (lock_.HolderPid() > 0) by = "process " + std::to_string(lock_.HolderPid());
  throw EDatabaseInUse("The database in " + data_dir_ + " is in use by " + by +
                       (writer ? "; it cannot be changed now." : "; it cannot be read now."));
}

void TSurveyDB::Open(const std::string& data_dir, TDBAccess access) {
  if (open_) Close();
  std::string dir = data_dir.empty() ? std::string("./") : data_dir;
  if (dir.back() != '/') dir += '/';
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw ESurvObjError("The data folder " + dir + " does not exist");
  data_dir_ = dir;
  access_ = access;
  if (access == TDBAccess::ReadOnly) {
    // Said before the lock file is made: a reader leaves no trace where
    // there is nothing to read.
    bool any = false;
    for (int i = 0; i < kFileblockCount && !any; ++i)
      any = fs::exists(FileblockPath(i) + ".DAT", ec);
    if (!any) throw ESurvObjError("There is no survey database in " + data_dir_);
  }
  // Taken before any file is looked at, so no writer changes them under us.
  TakeLock();
  try {
    AcquireEngine();
  } catch (...) {
    lock_.Release();
    throw;
  }
  engine_owned_ = true;
  try {
    // A reader hands out no IDs, so it leaves the counter file alone.
    if (access == TDBAccess::ReadWrite) {
      counter_ = std::make_unique<TIDCounterFile>(data_dir_ + TIDCounterFile::kFileName);
      if (!counter_->Load()) {
        Say("The ID source file " + counter_->Path() + " was damaged; new IDs use a new origin.");
      }
      ids_ = std::make_unique<TIDSource>(*counter_);
    }
    OpenFileblocks();
  } catch (...) {
    CloseFileblocks();
    ids_.reset();
    counter_.reset();
    if (engine_owned_) {
      ReleaseEngine();
      engine_owned_ = false;
    }
    lock_.Release();
    throw;
  }
  open_ = true;
  BecomeOpen();
}

void TSurveyDB::OpenFileblocks() {
  const bool writer = access_ == TDBAccess::ReadWrite;
  const TTableAccess access = writer ? TTableAccess::ReadWrite : TTableAccess::ReadOnly;
  std::array<bool, kFileblockCount> present{};
  int missing = 0;
  for (int i = 0; i < kFileblockCount; ++i) {
    const TFileblockInfo& info = FileblockInfo(i);
    const std::string path = FileblockPath(i);
    std::error_code ec;
    present[i] = fs::exists(path + ".DAT", ec);
    if (present[i]) continue;
    ++missing;
    if (writer) {
      tables_[i]->CreateFileblock(path, info.RecordLength, KeysOf(info));
      present[i] = true;
    }
  }
  if (!writer && missing == kFileblockCount) {
    throw ESurvObjError("There is no survey database in " + data_dir_);
  }
  for (int i = 0; i < kFileblockCount; ++i) {
    const TFileblockInfo& info = FileblockInfo(i);
    const std::string path = FileblockPath(i);
    usable_[i] = false;
    if (!present[i]) {
      SayError(std::string(info.BaseName) + ".DAT is missing; nothing of it can be read.");
      continue;
    }
    bool with_message = false;
    std::error_code ec;
    if (fs::exists(path + ".IX", ec)) {
      int error = tables_[i]->OpenFileblock(path, access);
      TEngineStatus status = EngineStatus();
      if (error == 0 &&
          (tables_[i]->RecordLength() != info.RecordLength || tables_[i]->Keys() != KeysOf(info))) {
        // A sound index, but of another kind of record.
        tables_[i]->CloseFileblock();
        error = kErrIndexMismatch;
        status = TEngineStatus{};
      }
      if (error == 0) {
        usable_[i] = true;
        continue;
      }
      Say(TableErrorMessage(error, status.dos_function, status.dos_error));
      with_message = true;
    }
    int failed = 0;
    const int error = RebuildOne(i, with_message, failed);
    if (error != 0) {
      // The fileblock stays unusable for the run; its data file is untouched.
      const TEngineStatus status = EngineStatus();
      SayError(TableErrorMessage(error, status.dos_function, status.dos_error));
    }
  }
}

void TSurveyDB::CloseFileblocks() noexcept {
  for (int i = 0; i < kFileblockCount; ++i) {
    usable_[i] = false;
    try {
      tables_[i]->CloseFileblock();
    } catch (const ETableException&) {
      // Left marked in use: the next open rebuilds its index.
    }
  }
}

void TSurveyDB::Close() {
  if (!open_) return;
  open_ = false;
  BecomeClosed();
  std::exception_ptr first;
  for (int i = 0; i < kFileblockCount; ++i) {
    usable_[i] = false;
    try {
      tables_[i]->CloseFileblock();
    } catch (const ETableException&) {
      if (!first) first = std::current_exception();
    }
  }
  ids_.reset();
  counter_.reset();
  if (engine_owned_) {
    ReleaseEngine();
    engine_owned_ = false;
  }
  lock_.Release();
  if (first) std::rethrow_exception(first);
}

int TSurveyDB::RebuildOne(int fileblock, bool with_message, int& failed) {
  failed = 0;
  const TFileblockInfo& info = FileblockInfo(fileblock);
  TTable& table = *tables_[fileblock];
  usable_[fileblock] = false;
  const bool writer = access_ == TDBAccess::ReadWrite;
  const int error = table.RebuildIndex(FileblockPath(fileblock), info.RecordLength, KeysOf(info),
                                       writer ? TTableAccess::ReadWrite : TTableAccess::ReadOnly);
  if (error != 0) return error;
  usable_[fileblock] = true;
  if (const TDataRepair& repair = table.LastRepair(); repair.cut_bytes > 0) {
    const std::string what = std::string(info.BaseName) + ".DAT is damaged: its last " +
                             std::to_string(repair.cut_bytes) + " bytes are not a whole record";
    if (!repair.side_file.empty()) {
      SayError(what + "; they were moved to " + repair.side_file + ".");
    } else {
      SayError(what + "; they were left in place (the database is open for reading only).");
    }
  }
  std::vector<unsigned char> record(static_cast<std::size_t>(info.RecordLength));
  const std::int32_t slots = table.RecordSlots();
  for (std::int32_t number = 1; number < slots; ++number) {
    if (!ReadLive(table, number, record)) continue;
    const std::string key1 = RecordID(record).Key();
    try {
      table.AddKey(1, number, key1);
    } catch (const ETableException&) {
      ++failed;
      continue;
    }
    if (info.KeyCount > 1) {
      try {
        table.AddKey(2, number, RecordParentID(fileblock, record).Key());
      } catch (const ETableException&) {
        RemoveKey(table, 1, number, key1);
        ++failed;
      }
    }
  }
  // A clean index opens without another rebuild next time.
  table.Flush();
  if (failed > 0) {
    SayError(FormatUnableToReindex(info.BaseName, failed));
  } else if (with_message) {
    Say(std::string(info.BaseName) + " reindexed");
  }
  return 0;
}

TTable& TSurveyDB::Table(int fileblock) {
  FileblockInfo(fileblock);  // range check
  if (!usable_[fileblock]) RaiseTableError(kErrNotOpen);
  return *tables_[fileblock];
}

// --- loading

void TSurveyDB::LoadRecords(int kind, const TObjectID& parent, TSurvObjects& found) {
  const int fileblock = FileblockOfKind(kind);
  const TFileblockInfo& info = FileblockInfo(fileblock);
  if (!usable_[fileblock]) return;  // reported at open; nothing can be read
  TTable& table = *tables_[fileblock];
  std::vector<unsigned char> record(static_cast<std::size_t>(info.RecordLength));
  std::int32_t number = 0;
  std::string text;
  if (info.KeyCount < 2) {
    // Companies: every record, in key order.
    table.ClearKey(1);
    while (table.NextKey(1, number, text)) {
      if (ReadLive(table, number, record)) found.push_back(DecodeObject(fileblock, record));
    }
    return;
  }
  const std::string key = parent.Key();
  if (!table.FindKey(2, key, number)) return;
  do {
    // A key left over from a deleted record, or one that does not match its
    // record, is passed over: the record is what counts.
    if (ReadLive(table, number, record) && RecordParentID(fileblock, record) == parent) {
      found.push_back(DecodeObject(fileblock, record));
    }
  } while (table.NextKey(2, number, text) && text == key);
}

// --- inserting

void TSurveyDB::AddRecordKeys(TTable& table, int fileblock, std::int32_t record,
                              const std::string& key1, const std::string& key2) {
  table.AddKey(1, record, key1);
  if (FileblockInfo(fileblock).KeyCount < 2) return;
  try {
    table.AddKey(2, record, key2);
  } catch (const ETableException&) {
    RemoveKey(table, 1, record, key1);
    throw;
  }
}

bool TSurveyDB::InsertRecord(int fileblock, TSurvObject& object,
                             std::span<const unsigned char> record) {
  object.State = osStored;
  TTable& table = Table(fileblock);
  TTableLock lock(table);
  const std::int32_t number = table.AddRecord(record);
  try {
    AddRecordKeys(table, fileblock, number, RecordID(record).Key(),
                  RecordParentID(fileblock, record).Key());
  } catch (const ETableException& error) {
    // The record is not kept without its keys.
    try {
      table.DeleteRecord(number);
    } catch (const ETableException&) {
      // Left live without keys; a reindex finds it again.
    }
    if (error.Error() == kErrDuplicateKey) return false;
    throw;
  }
  return true;
}

namespace {

// Builds a record buffer of a fileblock's length.
std::vector<unsigned char> Buffer(int fileblock) {
  return std::vector<unsigned char>(
      static_cast<std::size_t>(FileblockInfo(fileblock).RecordLength));
}

}  // namespace

bool TSurveyDB::InsertObject(TSurvObject& object) {
  const int fileblock = FileblockOf(object);
  auto record = Buffer(fileblock);
  EncodeObject(object, record);
  return InsertRecord(fileblock, object, record);
}

// --- updating

void TSurveyDB::ModifyRecord(int fileblock, std::int32_t number,
                             std::span<const unsigned char> old_record,
                             std::span<const unsigned char> new_record) {
  TTable& table = Table(fileblock);
  const bool two_keys = FileblockInfo(fileblock).KeyCount > 1;
  const std::string old1 = RecordID(old_record).Key();
  const std::string old2 = RecordParentID(fileblock, old_record).Key();
  const std::string new1 = RecordID(new_record).Key();
  const std::string new2 = RecordParentID(fileblock, new_record).Key();
  TTableLock lock(table);
  if (old1 == new1 && old2 == new2) {
    table.PutRecord(number, new_record);
    return;
  }
  // Puts the old keys back so that the record stays findable under what it
  // still holds.
  auto restore_old_keys = [&] {
    try {
      table.AddKey(1, number, old1);
      if (two_keys) table.AddKey(2, number, old2);
    } catch (const ETableException&) {
      // The next reindex keys it again from the record itself.
    }
  };
  RemoveKey(table, 1, number, old1);
  if (two_keys) RemoveKey(table, 2, number, old2);
  try {
    AddRecordKeys(table, fileblock, number, new1, new2);
  } catch (const ETableException&) {
    restore_old_keys();
    throw;
  }
  try {
    table.PutRecord(number, new_record);
  } catch (const ETableException&) {
    try {
      RemoveKey(table, 1, number, new1);
      if (two_keys) RemoveKey(table, 2, number, new2);
    } catch (const ETableException&) {
    }
    restore_old_keys();
    throw;
  }
}

void TSurveyDB::UpdateObject(TSurvObject& object) {
  const int fileblock = FileblockOf(object);
  TTable& table = Table(fileblock);
  const std::string key = object.ID.Key();
  std::int32_t number = 0;
  auto stored = Buffer(fileblock);
  if (table.FindKey(1, key, number) && !ReadLive(table, number, stored)) {
    // The index still names a record that is gone: drop the stale key and
    // store the object afresh.
    RemoveKey(table, 1, number, key);
    number = 0;
  }
  if (number == 0) {
    InsertObject(object);
    return;
  }
  if (ConvertStoredDate(object.Date) - RecordDate(fileblock, stored) <= 0) return;
  auto record = Buffer(fileblock);
  EncodeObject(object, record);
  // Departments, surveys and skill areas stay where they are filed; the
  // other kinds follow their owner, but an object without an owner (built
  // by a tool, or detached) has nowhere to move to and stays too.
  if (FileblockInfo(fileblock).KeepsStoredParent || RecordParentID(fileblock, record).IsNull()) {
    SetRecordParentID(fileblock, record, RecordParentID(fileblock, stored));
  }
  ModifyRecord(fileblock, number, stored, record);
  object.State = osStored;
}

// --- deleting

void TSurveyDB::DeleteRecord(int fileblock, const TObjectID& id) {
  TTable& table = Table(fileblock);
  const std::string key = id.Key();
  std::int32_t number = 0;
  if (!table.FindKey(1, key, number)) return;
  auto record = Buffer(fileblock);
  if (!ReadLive(table, number, record)) return;
  TTableLock lock(table);
  table.DeleteRecord(number);
  RemoveKey(table, 1, number, key);
  if (FileblockInfo(fileblock).KeyCount > 1) {
    RemoveKey(table, 2, number, RecordParentID(fileblock, record).Key());
  }
}

void TSurveyDB::DeleteObject(TSurvObject& object) { DeleteRecord(FileblockOf(object), object.ID); }

// --- IDs

namespace {
[[noreturn]] void NotOpen() { throw ESurvObjError("No survey database is open"); }
[[noreturn]] void ReadOnlyRefused(const std::string& dir) {
  throw ESurvObjError("The database in " + dir + " is open for reading only");
}
}  // namespace

TObjectID TSurveyDB::NextID() {
  if (open_ && access_ == TDBAccess::ReadOnly) ReadOnlyRefused(data_dir_);
  if (!ids_) NotOpen();
  return ids_->NextID();
}

void TSurveyDB::ReserveIDs(int count) {
  if (open_ && access_ == TDBAccess::ReadOnly) ReadOnlyRefused(data_dir_);
  if (!ids_) NotOpen();
  ids_->ReserveIDs(count);
}

int TSurveyDB::ReservedIDs() const { return ids_ ? ids_->Reserved() : 0; }

std::int32_t TSurveyDB::Origin() const { return counter_ ? counter_->Origin() : 0; }

void TSurveyDB::KeepSerialsThrough(std::int32_t serial) {
  if (!counter_) NotOpen();
  if (serial < counter_->NextSerial()) return;
  // The largest serial is never handed out, so the counter may rest on it.
  const std::int32_t next =
      serial == std::numeric_limits<std::int32_t>::max() ? serial : serial + 1;
  counter_->StoreNextSerial(next);
  ids_ = std::make_unique<TIDSource>(*counter_);
}

// --- whole-database operations

bool TSurveyDB::ReindexAll() {
  if (!open_) NotOpen();
  if (access_ == TDBAccess::ReadOnly) ReadOnlyRefused(data_dir_);
  bool all_keyed = true;
  for (int i = 0; i < kFileblockCount; ++i) {
    int failed = 0;
    const int error = RebuildOne(i, false, failed);
    if (error != 0) {
      // Left as it was: open it again with the index it had.
      all_keyed = false;
      usable_[i] = tables_[i]->OpenFileblock(FileblockPath(i)) == 0;
      continue;
    }
    if (failed > 0) return false;
  }
  return all_keyed;
}

bool TSurveyDB::ParentExists(int fileblock, const TObjectID& parent) {
  std::int32_t number = 0;
  TTable& table = *tables_[fileblock];
  if (!table.FindKey(1, parent.Key(), number)) return false;
  auto record = Buffer(fileblock);
  return ReadLive(table, number, record);
}

std::vector<TOrphanRecord> TSurveyDB::FindOrphans() {
  if (!open_) NotOpen();
  std::vector<TOrphanRecord> orphans;
  for (int i = 0; i < kFileblockCount; ++i) {
    const TFileblockInfo& info = FileblockInfo(i);
    if (info.ParentFileblock < 0 || !usable_[i] || !usable_[info.ParentFileblock]) continue;
    const bool library_kind = i == fbSurvey || i == fbSkillArea;
    TTable& table = *tables_[i];
    auto record = Buffer(i);
    const std::int32_t slots = table.RecordSlots();
    for (std::int32_t number = 1; number < slots; ++number) {
      if (!ReadLive(table, number, record)) continue;
      const TObjectID parent = RecordParentID(i, record);
      if (library_kind && parent.IsNull()) continue;
      if (!ParentExists(info.ParentFileblock, parent)) {
        orphans.push_back(TOrphanRecord{i, RecordID(record), parent});
      }
    }
  }
  return orphans;
}

bool TSurveyDB::MergeRecord(int fileblock, bool overwrite, std::span<const unsigned char> raw) {
  const TFileblockInfo& info = FileblockInfo(fileblock);
  if (raw.size() > static_cast<std::size_t>(info.RecordLength)) {
    throw ESurvObjError(std::string("A record of ") + info.BaseName + " is longer than its layout");
  }
  auto incoming = Buffer(fileblock);
  std::copy(raw.begin(), raw.end(), incoming.begin());
  if (raw.size() < 12 || !RecordIsLive(incoming)) return false;
  const TObjectID id = RecordID(incoming);
  // Built-in objects come with the program, never from a backup.
  if (id.Origin <= kLastBuiltInOrigin) return false;
  TTable& table = Table(fileblock);
  std::int32_t number = 0;
  auto stored = Buffer(fileblock);
  if (table.FindKey(1, id.Key(), number)) {
    if (ReadLive(table, number, stored)) {
      if (!overwrite && !(RecordDate(fileblock, incoming) > RecordDate(fileblock, stored)))
        return false;
      ModifyRecord(fileblock, number, stored, incoming);
      return true;
    }
    RemoveKey(table, 1, number, id.Key());  // stale key of a gone record
  }
  TTableLock lock(table);
  const std::int32_t added = table.AddRecord(incoming);
  try {
    AddRecordKeys(table, fileblock, added, id.Key(), RecordParentID(fileblock, incoming).Key());
  } catch (const ETableException&) {
    try {
      table.DeleteRecord(added);
    } catch (const ETableException&) {
    }
    throw;
  }
  return true;
}

bool TSurveyDB::ArchiveData(const TProgressCallback& progress) {
  if (!open_) NotOpen();
  if (access_ == TDBAccess::ReadOnly) ReadOnlyRefused(data_dir_);
  std::vector<fs::path> files;
  for (int i = 0; i < kFileblockCount; ++i) files.emplace_back(FileblockPath(i) + ".DAT");
  // Everything must be on disk and the files quiet while they are packed.
  try {
    for (auto& table : tables_) table->CloseFileblock();
  } catch (...) {
    OpenFileblocks();
    throw;
  }
  bool done = false;
  try {
    done = TCompress().CompressFiles(fs::path(data_dir_) / kArchiveName, data_dir_, files,
                                     TCompress::kMethodLzh, progress);
  } catch (...) {
    OpenFileblocks();
    throw;
  }
  OpenFileblocks();
  return done;
}

std::int32_t TSurveyDB::LiveRecordCount(int fileblock) {
  TTable& table = Table(fileblock);
  table.ClearKey(1);
  std::int32_t count = 0;
  std::int32_t number = 0;
  std::string text;
  while (table.NextKey(1, number, text)) ++count;
  return count;
}

}  // namespace zelvora
