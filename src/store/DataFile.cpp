#include "store/DataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

#include "base/LittleEndian.h"
#include "store/TableErrors.h"

namespace zelvora {

using le::Get16;
using le::Get32;
using le::Put16;
using le::Put32;

namespace {

// Data file layout. Record n (n >= 0) lies at n * record length.
// Record 0, the header (only its first 22 bytes are used; the rest is zero):
//   0  4  magic "ZVDF" (never zero, so record 0 never reads as live)
//   4  4  record length
//   8  4  first free record (0 when none)
//  12  2  format version (1)
//  14  4  stamp: a new value at every flush after a change (0 in files
//         that never had one); the index holds the stamp it was made for
//  18  4  reserved, zero
// Records 1 and up:
//   0  4  0 in a live record; in a deleted record the next free record, or
//         kEndOfChain for the last one
//   4  .. the caller's bytes
// The header is rewritten at every flush; after a crash the index rebuild
// recomputes it from the records.
constexpr unsigned char kMagic[4] = {'Z', 'V', 'D', 'F'};
constexpr std::size_t kHdrMagic = 0;
constexpr std::size_t kHdrRecordLength = 4;
constexpr std::size_t kHdrFirstFree = 8;
constexpr std::size_t kHdrVersion = 12;
constexpr std::size_t kHdrStamp = 14;
constexpr std::size_t kHdrUsed = 22;
constexpr std::size_t kLinkSize = 4;
constexpr std::uint16_t kFormatVersion = 1;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFF;
constexpr std::int32_t kMinRecordLength = 22;
constexpr std::uint32_t kMaxSlots = 0x7FFFFFFF;
constexpr std::size_t kScanBytes = 1 << 20;
// Data blocks cached per fileblock (up to 64 MiB, taken only as the file is
// read).
constexpr std::size_t kCachedBlocks = 16384;

bool ValidMagic(const unsigned char* header) {
  return std::memcmp(header + kHdrMagic, kMagic, sizeof kMagic) == 0 &&
         Get16(header + kHdrVersion) == kFormatVersion;
}

std::uint32_t SlotsOf(std::int64_t size, std::int32_t record_length) {
  const std::int64_t slots = size / record_length;
  if (slots > kMaxSlots) RaiseTableError(kErrFileDefect);
  return static_cast<std::uint32_t>(slots);
}

// "YYYYMMDD-HHMMSS" of the local time now.
std::string TimeSuffix() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Copies `size` bytes at `offset` of `file` into a new side file beside it
// and makes them durable; returns its name. Raises when that cannot be done,
// so nothing is cut from the data file that is not safe elsewhere.
std::string SaveTail(const BlockFile& file, std::int64_t offset, std::size_t size) {
  std::vector<unsigned char> bytes(size);
  if (file.ReadAt(offset, bytes.data(), size) != size) RaiseTableError(kErrReindexFailed);
  const std::string base = file.Path() + ".damaged-" + TimeSuffix();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = attempt == 0 ? base : base + "-" + std::to_string(attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      RaiseTableError(kErrSystemOpen, kSysCreate, errno);
    }
    std::size_t done = 0;
    int error = 0;
    while (done < size && error == 0) {
      const ssize_t put = ::write(fd, bytes.data() + done, size - done);
      if (put < 0 && errno != EINTR) error = errno;
      if (put > 0) done += static_cast<std::size_t>(put);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    ::close(fd);
    if (error != 0) {
      ::unlink(name.c_str());
      RaiseTableError(kErrAccess, kSysWrite, error);
    }
    return name;
  }
  RaiseTableError(kErrSystemOpen, kSysCreate, EEXIST);
}

}  // namespace

void DataFile::Create(const std::string& path, std::int32_t record_length) {
  if (record_length < kMinRecordLength) RaiseTableError(kErrRecordLength);
  BlockFile file(path, BlockFile::Mode::CreateTruncate);
  unsigned char header[kHdrUsed] = {};
  std::memcpy(header + kHdrMagic, kMagic, sizeof kMagic);
  Put32(header + kHdrRecordLength, static_cast<std::uint32_t>(record_length));
  Put16(header + kHdrVersion, kFormatVersion);
  file.WriteAt(0, header, sizeof header);
  file.Truncate(record_length);  // the rest of record 0 reads as zeros
  file.Sync();
  file.Close();
}

void DataFile::Open(const std::string& path, bool read_only) {
  Close();
  file_ =
      BlockFile(path, read_only ? BlockFile::Mode::OpenReadOnly : BlockFile::Mode::OpenExisting);
  read_only_ = read_only;
  unsigned char header[kHdrUsed];
  try {
    if (file_.ReadAt(0, header, sizeof header) != sizeof header || !ValidMagic(header)) {
      RaiseTableError(kErrFileDefect);
    }
    const std::uint32_t length = Get32(header + kHdrRecordLength);
    if (length < static_cast<std::uint32_t>(kMinRecordLength) || length > 0x7FFFFFFF) {
      RaiseTableError(kErrFileDefect);
    }
    record_length_ = static_cast<std::int32_t>(length);
    const std::int64_t size = file_.Size();
    slots_ = SlotsOf(size, record_length_);
    tail_bytes_ = size % record_length_;
    first_free_ = Get32(header + kHdrFirstFree);
    stamp_ = Get32(header + kHdrStamp);
    if (slots_ < 1 || first_free_ >= slots_) RaiseTableError(kErrFileDefect);
    cache_ = std::make_unique<RecordCache>(file_, kCachedBlocks);
  } catch (...) {
    file_.Close();
    throw;
  }
}

void DataFile::OpenForRebuild(const std::string& path, std::int32_t record_length, bool read_only,
                              TDataRepair& repair) {
  Close();
  repair = TDataRepair{};
  if (record_length < kMinRecordLength) RaiseTableError(kErrRecordLength);
  file_ =
      BlockFile(path, read_only ? BlockFile::Mode::OpenReadOnly : BlockFile::Mode::OpenExisting);
  read_only_ = read_only;
  try {
    const auto length = static_cast<std::size_t>(record_length);
    unsigned char header[kHdrUsed] = {};
    const std::size_t got = file_.ReadAt(0, header, sizeof header);
    if (got == kHdrUsed && ValidMagic(header) &&
        Get32(header + kHdrRecordLength) != static_cast<std::uint32_t>(record_length)) {
      // An intact header of another length: these are not our records.
      RaiseTableError(kErrReindexFailed);
    }
    record_length_ = record_length;
    if (got == kHdrUsed && ValidMagic(header)) stamp_ = Get32(header + kHdrStamp);
    std::int64_t size = file_.Size();
    if (size % record_length != 0) {
      // Bytes that are not a whole record cannot be read as one; they are
      // kept beside the file, never thrown away.
      const std::int64_t whole = size - size % record_length;
      repair.cut_bytes = size - whole;
      if (!read_only) {
        repair.side_file = SaveTail(file_, whole, static_cast<std::size_t>(repair.cut_bytes));
        file_.Truncate(whole);
      }
      size = whole;
    }
    if (size < record_length) {
      size = record_length;
      if (!read_only) file_.Truncate(size);
    }
    slots_ = SlotsOf(size, record_length);
    tail_bytes_ = 0;

    // Chain every deleted record in ascending order, rewriting only links
    // that differ, so the lowest free slot is reused first.
    std::vector<std::uint32_t> deleted;
    const std::size_t per_chunk = kScanBytes / length;
    std::vector<unsigned char> chunk(per_chunk * length);
    for (std::uint32_t first = 1; per_chunk == 0 && first < slots_; ++first) {
      // Records too long to read in chunks are told apart by their links.
      unsigned char bytes[kLinkSize] = {};
      file_.ReadAt(static_cast<std::int64_t>(first) * record_length, bytes, sizeof bytes);
      if (Get32(bytes) != 0) deleted.push_back(first);
    }
    for (std::uint32_t first = 1; per_chunk > 0 && first < slots_;) {
      const std::uint32_t want =
          static_cast<std::uint32_t>(std::min<std::uint64_t>(per_chunk, slots_ - first));
      const std::size_t bytes = static_cast<std::size_t>(want) * length;
      if (file_.ReadAt(static_cast<std::int64_t>(first) * record_length, chunk.data(), bytes) !=
          bytes) {
        RaiseTableError(kErrReindexFailed);
      }
      for (std::uint32_t i = 0; i < want; ++i) {
        const unsigned char* record = chunk.data() + static_cast<std::size_t>(i) * length;
        if (Get32(record) != 0) deleted.push_back(first + i);
      }
      first += want;
    }
    for (std::size_t i = 0; i < deleted.size() && !read_only; ++i) {
      const std::uint32_t link = i + 1 < deleted.size() ? deleted[i + 1] : kEndOfChain;
      unsigned char bytes[kLinkSize] = {};
      const std::int64_t at = static_cast<std::int64_t>(deleted[i]) * record_length;
      file_.ReadAt(at, bytes, sizeof bytes);
      if (Get32(bytes) != link) {
        Put32(bytes, link);
        file_.WriteAt(at, bytes, sizeof bytes);
      }
    }
    first_free_ = deleted.empty() ? 0 : deleted.front();
    cache_ = std::make_unique<RecordCache>(file_, kCachedBlocks);
    if (!read_only) WriteHeader();
  } catch (...) {
    file_.Close();
    throw;
  }
}

void DataFile::Close() {
  cache_.reset();
  file_.Close();
  slots_ = 0;
  first_free_ = 0;
  stamp_ = 0;
  tail_bytes_ = 0;
  read_only_ = false;
}

void DataFile::CheckRecordNumber(std::uint32_t record) const {
  if (record == 0) RaiseTableError(kErrRecordZero);
  if (record >= slots_) RaiseTableError(kErrRecordNumber);
}

std::uint32_t DataFile::ReadLink(std::uint32_t record) {
  unsigned char bytes[kLinkSize];
  cache_->Read(static_cast<std::int64_t>(record) * record_length_, bytes, sizeof bytes);
  return Get32(bytes);
}

bool DataFile::IsLive(std::uint32_t record) {
  CheckRecordNumber(record);
  return ReadLink(record) == 0;
}

void DataFile::Read(std::uint32_t record, unsigned char* buffer) {
  CheckRecordNumber(record);
  cache_->Read(static_cast<std::int64_t>(record) * record_length_, buffer,
               static_cast<std::size_t>(record_length_));
}

void DataFile::Write(std::uint32_t record, const unsigned char* data) {
  CheckRecordNumber(record);
  // A deleted slot sits in the free chain; making it live here would let a
  // later Add hand it out again over this record.
  if (ReadLink(record) != 0) RaiseTableError(kErrRecordDeleted);
  std::vector<unsigned char> bytes(data, data + record_length_);
  std::memset(bytes.data(), 0, kLinkSize);
  cache_->Write(static_cast<std::int64_t>(record) * record_length_, bytes.data(), bytes.size());
}

std::uint32_t DataFile::Add(const unsigned char* data) {
  std::uint32_t record = 0;
  while (first_free_ != 0 && record == 0) {
    const std::uint32_t candidate = first_free_;
    const std::uint32_t link = candidate < slots_ ? ReadLink(candidate) : 0;
    // A chain that leads to a live record or out of the file is damaged; it is
    // dropped (the slots it held come back at the next rebuild) rather than
    // letting a live record be overwritten.
    if (link == 0 || (link != kEndOfChain && link >= slots_)) {
      first_free_ = 0;
      break;
    }
    first_free_ = link == kEndOfChain ? 0 : link;
    record = candidate;
  }
  if (record == 0) {
    if (slots_ >= kMaxSlots) RaiseTableError(kErrFileWrite);
    record = slots_;
  }
  std::vector<unsigned char> bytes(data, data + record_length_);
  std::memset(bytes.data(), 0, kLinkSize);
  cache_->Write(static_cast<std::int64_t>(record) * record_length_, bytes.data(), bytes.size());
  if (record == slots_) ++slots_;
  return record;
}

void DataFile::Remove(std::uint32_t record) {
  CheckRecordNumber(record);
  if (ReadLink(record) != 0) RaiseTableError(kErrRecordDeleted);
  unsigned char bytes[kLinkSize];
  Put32(bytes, first_free_ != 0 ? first_free_ : kEndOfChain);
  cache_->Write(static_cast<std::int64_t>(record) * record_length_, bytes, sizeof bytes);
  first_free_ = record;
}

void DataFile::WriteHeader() {
  unsigned char header[kHdrUsed] = {};
  std::memcpy(header + kHdrMagic, kMagic, sizeof kMagic);
  Put32(header + kHdrRecordLength, static_cast<std::uint32_t>(record_length_));
  Put32(header + kHdrFirstFree, first_free_);
  Put16(header + kHdrVersion, kFormatVersion);
  Put32(header + kHdrStamp, stamp_);
  if (cache_ != nullptr) {
    cache_->Write(0, header, sizeof header);
  } else {
    file_.WriteAt(0, header, sizeof header);
  }
}

void DataFile::Flush() {
  if (read_only_) return;
  WriteHeader();
  file_.Sync();
}

}  // namespace zelvora
