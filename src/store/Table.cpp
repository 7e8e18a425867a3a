#include "store/Table.h"

#include <unistd.h>

#include <cerrno>
#include <new>
#include <random>
#include <type_traits>

#include "base/Cp1252.h"
#include "store/BTree.h"
#include "store/DataFile.h"
#include "store/IndexFile.h"

namespace zelvora {

namespace {

constexpr std::size_t kMaxNameLength = 192;
constexpr std::int32_t kMinRecordLength = 22;

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Key texts travel as UTF-8 and are stored as Windows-1252 bytes; the IDs
// the survey database uses are plain ASCII and skip the conversion.
std::string ToFileText(std::string_view text) {
  return IsAscii(text) ? std::string(text) : Utf8ToCp1252(text);
}

// Assigns in place so a caller's string keeps its buffer across a walk.
void FromFileText(std::string_view bytes, std::string& text) {
  if (IsAscii(bytes)) {
    text.assign(bytes);
  } else {
    text = Cp1252ToUtf8(bytes);
  }
}

void CheckDescription(const std::string& name, std::int32_t record_length,
                      const std::vector<TKeyDesc>& keys) {
  if (!EngineInitialised()) RaiseTableError(kErrNotInitialised);
  if (name.empty() || Cp1252Length(name) > kMaxNameLength) {
    RaiseTableError(kErrSystemOpen, kSysOpen, ENAMETOOLONG);
  }
  if (record_length < kMinRecordLength) RaiseTableError(kErrRecordLength);
  if (keys.empty() || keys.size() > static_cast<std::size_t>(kMaxKeys)) {
    RaiseTableError(kErrKeyCount);
  }
  for (const TKeyDesc& key : keys) {
    if (key.MaxLength < 1) RaiseTableError(kErrMaxKeyLenTooSmall);
    if (key.MaxLength > kMaxKeyLength) RaiseTableError(kErrKeyDescTooLong);
  }
}

// A new data file stamp, never 0 (the stamp of files that never had one)
// and never the old one.
std::uint32_t NextStamp(std::uint32_t old) {
  static std::mt19937 generator{std::random_device{}()};
  std::uint32_t stamp = 0;
  while (stamp == 0 || stamp == old) stamp = static_cast<std::uint32_t>(generator());
  return stamp;
}

}  // namespace

struct TTable::Impl {
  DataFile data;
  IndexFile index;
  std::vector<BTreeCursor> cursors;
  std::string scratch_key;  // reused by NextKey so walking does not allocate
  int lock_depth = 0;
  bool read_only = false;       // the data file is never written
  bool index_writable = false;  // on disk and writable, or in memory
  TDataRepair repair;

  void RequireOpen() const {
    if (!index.IsOpen() || !data.IsOpen()) RaiseTableError(kErrNotOpen);
  }
  int CheckKey(int key) const {
    RequireOpen();
    if (key < 1 || key > index.KeyCount()) RaiseTableError(kErrKeyNumber);
    return key - 1;
  }
  std::uint32_t CheckRecord(std::int32_t record) const {
    RequireOpen();
    if (record == 0) RaiseTableError(kErrRecordZero);
    if (record < 0) RaiseTableError(kErrRecordNumber);
    return static_cast<std::uint32_t>(record);
  }
  void CheckBuffer(std::size_t size) const {
    if (size != static_cast<std::size_t>(data.RecordLength())) RaiseTableError(kErrRecordBuffer);
  }
  std::string KeyText(int key_index, std::string_view text) {
    std::string bytes = ToFileText(text);
    if (bytes.size() > static_cast<std::size_t>(index.Tree(key_index).max_length)) {
      RaiseTableError(kErrKeyTooLong);
    }
    return bytes;
  }
  void RequireWritableData() const {
    RequireOpen();
    if (read_only) RaiseTableError(kErrReadOnly);
  }
  void RequireWritableIndex() const {
    RequireOpen();
    if (!index_writable) RaiseTableError(kErrReadOnly);
  }
  // The data file gets a new stamp with every flush that follows a change,
  // and the index is marked with it, so each can tell the other's state.
  void FlushFiles() {
    index.Flush([this] {
      std::uint32_t stamp = data.Stamp();
      if (!read_only) {
        stamp = NextStamp(stamp);
        data.SetStamp(stamp);
        data.Flush();
      }
      index.SetDataState(stamp, data.Slots());
    });
  }
  void CloseFiles() {
    index.Close();
    data.Close();
    cursors.clear();
    lock_depth = 0;
    read_only = false;
    index_writable = false;
  }
  void Opened() {
    cursors.assign(static_cast<std::size_t>(index.KeyCount()), BTreeCursor{});
    lock_depth = 0;
    index.SetRecordLimit(data.Slots());
  }
  // Whether the index was flushed with the data file as it is now.
  bool IndexMatchesData() {
    if (data.TailBytes() != 0) return false;
    if (index.DataStamp() != data.Stamp()) return false;
    if (index.DataSlots() != 0 && index.DataSlots() != data.Slots()) return false;
    // Key 1 is unique: one entry per live record at most.
    return index.Tree(0).entries < data.Slots();
  }
};

namespace {

// Runs one engine operation: success is recorded, failures are already
// recorded by RaiseTableError, running out of memory becomes 10030, and the
// page cache shrinks back afterwards.
template <typename Operation>
auto Run(IndexFile& index, Operation operation) {
  try {
    if constexpr (std::is_void_v<decltype(operation())>) {
      operation();
      if (index.IsOpen()) index.EndOperation();
      RecordEngineSuccess();
    } else {
      auto result = operation();
      if (index.IsOpen()) index.EndOperation();
      RecordEngineSuccess();
      return result;
    }
  } catch (const std::bad_alloc&) {
    RaiseTableError(kErrNoMemory);
  }
}

// The same for the operations that answer with an error number.
template <typename Operation>
int RunReturningError(Operation operation) {
  try {
    operation();
    RecordEngineSuccess();
    return 0;
  } catch (const ETableException& error) {
    return error.Error();
  } catch (const std::bad_alloc&) {
    RecordEngineFailure(kErrNoMemory, 0, 0);
    return kErrNoMemory;
  }
}

}  // namespace

TTable::TTable() : impl_(std::make_unique<Impl>()) {}

TTable::~TTable() {
  try {
    CloseFileblock();
  } catch (const ETableException&) {
    // The index stays marked in use on disk, so the next open rebuilds it.
  }
}

void TTable::CreateFileblock(const std::string& name, std::int32_t record_length,
                             const std::vector<TKeyDesc>& keys) {
  Run(impl_->index, [&] {
    CheckDescription(name, record_length, keys);
    const std::string data_path = name + ".DAT";
    const std::string index_path = name + ".IX";
    try {
      DataFile::Create(data_path, record_length);
      IndexFile::Create(index_path, record_length, keys, true);
    } catch (const ETableException&) {
      // Nothing half-made stays behind.
      ::unlink(data_path.c_str());
      ::unlink(index_path.c_str());
      throw;
    }
  });
}

int TTable::OpenFileblock(const std::string& name, TTableAccess access) {
  CloseFileblock();
  Impl& impl = *impl_;
  const bool read_only = access == TTableAccess::ReadOnly;
  const int error = RunReturningError([&] {
    if (!EngineInitialised()) RaiseTableError(kErrNotInitialised);
    if (name.empty() || Cp1252Length(name) > kMaxNameLength) {
      RaiseTableError(kErrSystemOpen, kSysOpen, ENAMETOOLONG);
    }
    const int opened = impl.index.Open(name + ".IX", static_cast<std::size_t>(EngineCachedPages()),
                                       false, read_only);
    if (opened != 0) RaiseTableError(opened);
    impl.data.Open(name + ".DAT", read_only);
    if (impl.data.RecordLength() != impl.index.RecordLength()) RaiseTableError(kErrFileDefect);
    if (!impl.IndexMatchesData()) RaiseTableError(kErrIndexMismatch);
    impl.read_only = read_only;
    impl.index_writable = !read_only;
    impl.Opened();
  });
  if (error != 0) impl.CloseFiles();
  return error;
}

void TTable::CloseFileblock() {
  Impl& impl = *impl_;
  if (!impl.index.IsOpen() && !impl.data.IsOpen()) return;
  try {
    Run(impl.index, [&] {
      if (impl.index.IsOpen() && impl.data.IsOpen()) impl.FlushFiles();
    });
  } catch (...) {
    impl.CloseFiles();
    throw;
  }
  impl.CloseFiles();
}

int TTable::RebuildIndex(const std::string& name, std::int32_t record_length,
                         const std::vector<TKeyDesc>& keys, TTableAccess access) {
  try {
    CloseFileblock();
  } catch (const ETableException&) {
    // The old index is being replaced anyway.
  }
  Impl& impl = *impl_;
  const int error = RunReturningError([&] {
    CheckDescription(name, record_length, keys);
    const bool read_only = access == TTableAccess::ReadOnly;
    // The data file is checked and its free chain rebuilt before the old
    // index goes, so a failure here leaves both as they were.
    impl.data.OpenForRebuild(name + ".DAT", record_length, read_only, impl.repair);
    const std::string index_path = name + ".IX";
    const auto cached = static_cast<std::size_t>(EngineCachedPages());
    if (read_only) {
      impl.index.OpenNewInMemory(index_path, record_length, keys, cached);
    } else {
      IndexFile::Create(index_path, record_length, keys, false);
      const int opened = impl.index.Open(index_path, cached, true);
      if (opened != 0) RaiseTableError(opened);
    }
    impl.read_only = read_only;
    impl.index_writable = true;
    impl.Opened();
  });
  if (error != 0) impl.CloseFiles();
  return error;
}

const TDataRepair& TTable::LastRepair() const { return impl_->repair; }

std::vector<TKeyDesc> TTable::Keys() const {
  std::vector<TKeyDesc> keys;
  if (!IsOpen()) return keys;
  for (int k = 0; k < impl_->index.KeyCount(); ++k) {
    const TreeInfo& tree = impl_->index.Tree(k);
    keys.push_back(TKeyDesc{tree.max_length, tree.duplicates});
  }
  return keys;
}

void TTable::Flush() {
  Run(impl_->index, [&] {
    impl_->RequireOpen();
    impl_->FlushFiles();
  });
}

void TTable::Lock() {
  Run(impl_->index, [&] {
    impl_->RequireOpen();
    ++impl_->lock_depth;
  });
}

void TTable::Unlock() {
  Run(impl_->index, [&] {
    impl_->RequireOpen();
    if (impl_->lock_depth > 0) --impl_->lock_depth;
  });
}

bool TTable::IsOpen() const { return impl_->index.IsOpen() && impl_->data.IsOpen(); }

std::int32_t TTable::RecordLength() const { return IsOpen() ? impl_->data.RecordLength() : 0; }

int TTable::KeyCount() const { return IsOpen() ? impl_->index.KeyCount() : 0; }

std::int32_t TTable::RecordSlots() {
  return Run(impl_->index, [&] {
    impl_->RequireOpen();
    return static_cast<std::int32_t>(impl_->data.Slots());
  });
}

void TTable::GetRecord(std::int32_t record, std::span<unsigned char> buffer) {
  Run(impl_->index, [&] {
    const std::uint32_t number = impl_->CheckRecord(record);
    impl_->CheckBuffer(buffer.size());
    impl_->data.Read(number, buffer.data());
  });
}

void TTable::PutRecord(std::int32_t record, std::span<const unsigned char> data) {
  Run(impl_->index, [&] {
    const std::uint32_t number = impl_->CheckRecord(record);
    impl_->CheckBuffer(data.size());
    impl_->RequireWritableData();
    impl_->index.BeginChange();
    impl_->data.Write(number, data.data());
  });
}

std::int32_t TTable::AddRecord(std::span<const unsigned char> data) {
  return Run(impl_->index, [&] {
    impl_->RequireWritableData();
    impl_->CheckBuffer(data.size());
    impl_->index.BeginChange();
    const auto number = static_cast<std::int32_t>(impl_->data.Add(data.data()));
    impl_->index.SetRecordLimit(impl_->data.Slots());
    return number;
  });
}

void TTable::DeleteRecord(std::int32_t record) {
  Run(impl_->index, [&] {
    const std::uint32_t number = impl_->CheckRecord(record);
    impl_->RequireWritableData();
    impl_->index.BeginChange();
    impl_->data.Remove(number);
  });
}

void TTable::AddKey(int key, std::int32_t record, std::string_view text) {
  Run(impl_->index, [&] {
    const int index = impl_->CheckKey(key);
    const std::uint32_t number = impl_->CheckRecord(record);
    const std::string bytes = impl_->KeyText(index, text);
    impl_->RequireWritableIndex();
    impl_->index.BeginChange();
    BTree(impl_->index, index).Insert(bytes, number);
  });
}

void TTable::DeleteKey(int key, std::int32_t record, std::string_view text) {
  Run(impl_->index, [&] {
    const int index = impl_->CheckKey(key);
    const std::uint32_t number = impl_->CheckRecord(record);
    const std::string bytes = impl_->KeyText(index, text);
    impl_->RequireWritableIndex();
    impl_->index.BeginChange();
    BTree(impl_->index, index).Remove(bytes, number);
  });
}

bool TTable::FindKey(int key, std::string_view text, std::int32_t& record) {
  const bool found = Run(impl_->index, [&] {
    const int index = impl_->CheckKey(key);
    const std::string bytes = impl_->KeyText(index, text);
    BTreeCursor& cursor = impl_->cursors[static_cast<std::size_t>(index)];
    cursor.Reset(bytes, 0);
    std::string found_key;
    std::uint32_t found_record = 0;
    if (BTree(impl_->index, index).Next(cursor, found_key, found_record) && found_key == bytes) {
      record = static_cast<std::int32_t>(found_record);
      return true;
    }
    // Not found: the walk starts again at the first larger entry.
    cursor.Reset(bytes, 0);
    return false;
  });
  if (!found) RecordEngineFailure(kErrNoMatch, 0, 0);
  return found;
}

void TTable::ClearKey(int key) {
  Run(impl_->index, [&] {
    const int index = impl_->CheckKey(key);
    impl_->cursors[static_cast<std::size_t>(index)].Reset({}, 0);
  });
}

bool TTable::NextKey(int key, std::int32_t& record, std::string& text) {
  const bool found = Run(impl_->index, [&] {
    const int index = impl_->CheckKey(key);
    std::string& bytes = impl_->scratch_key;
    std::uint32_t number = 0;
    if (!BTree(impl_->index, index)
             .Next(impl_->cursors[static_cast<std::size_t>(index)], bytes, number)) {
      return false;
    }
    record = static_cast<std::int32_t>(number);
    FromFileText(bytes, text);
    return true;
  });
  if (!found) RecordEngineFailure(kErrNoLargerKey, 0, 0);
  return found;
}

}  // namespace zelvora
