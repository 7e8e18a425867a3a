// The archive file, all integers little-endian:
//
//   Header (21 bytes)
//   | Offset | Size | Field                                               |
//   |--------|------|-----------------------------------------------------|
//   | 0      | 5    | magic "SPIS" and the byte 0x1A                      |
//   | 5      | 3    | method name of the archive ("NON", "LZH", ...)      |
//   | 8      | 4    | 0                                                   |
//   | 12     | 1    | archive type: 1, multi-file (the only type)         |
//   | 13     | 4    | 0                                                   |
//   | 17     | 4    | 0                                                   |
//
//   then one entry per file, in the order of the file list:
//   | Offset | Size | Field                                               |
//   |--------|------|-----------------------------------------------------|
//   | 0      | 2    | name length n                                       |
//   | 2      | 4    | file date and time, packed (date high, time low)    |
//   | 6      | 2    | file attributes                                     |
//   | 8      | 4    | uncompressed size                                   |
//   | 12     | 4    | compressed size (bytes of data after the name)      |
//   | 16     | 1    | method code of this entry                           |
//   | 17     | 4    | checksum: wrapping 32-bit sum of the file's bytes   |
//   | 21     | 4    | 0                                                   |
//   | 25     | n    | name relative to the base folder, Windows-1252      |
//   | 25+n   | cs   | the compressed data                                 |
//
// Packed date: bits 9-15 year - 1980, 5-8 month, 0-4 day; packed time:
// bits 11-15 hour, 5-10 minute, 0-4 seconds / 2 (local time).
// Attributes: 0x01 read-only, 0x20 archive.
//
// An entry is written once its data is known, so its header holds the final
// sizes, method and checksum from the start; nothing is patched afterwards.
#include "store/Compress.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/LittleEndian.h"
#include "base/Text.h"
#include "store/Lh5.h"
#include "store/Lzhuf.h"
#include "store/Rle.h"

namespace zelvora {
namespace fs = std::filesystem;

namespace {

// Header fields.
constexpr std::size_t kHeaderSize = 21;
constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kMagicSize = 5;
constexpr std::size_t kMethodNameOffset = 5;
constexpr std::size_t kMethodNameSize = 3;
constexpr std::size_t kTypeOffset = 12;
constexpr std::uint8_t kTypeMulti = 1;
constexpr std::array<std::uint8_t, kMagicSize> kMagic = {'S', 'P', 'I', 'S', 0x1A};

// Entry fields.
constexpr std::size_t kEntrySize = 25;
constexpr std::size_t kNameLengthOffset = 0;
constexpr std::size_t kDateOffset = 2;
constexpr std::size_t kAttributesOffset = 6;
constexpr std::size_t kSizeOffset = 8;
constexpr std::size_t kCompressedSizeOffset = 12;
constexpr std::size_t kMethodOffset = 16;
constexpr std::size_t kChecksumOffset = 17;

constexpr std::uint16_t kAttrReadOnly = 0x01;
constexpr std::uint16_t kAttrArchive = 0x20;

constexpr std::array<const char*, 5> kMethodNames = {"NON", "RLE", "LZH", "CUS", "LH5"};

const char* const kMsgHeader = "Can't recognize compressed file header";
const char* const kMsgType = "Archive type must be caMulti";
const char* const kMsgWrite = "Disk protected or full during compression";
const char* const kMsgSpace = "Not enough disk space to expand ";
const char* const kMsgChecksum = "Bad checksum during expansion -- data may be invalid";
const char* const kMsgDamaged = "Archive is damaged: an entry runs past the end of the file";

using le::Get16;
using le::Get32;
using le::Put16;
using le::Put32;

std::uint32_t ByteSum(std::span<const std::uint8_t> bytes) {
  std::uint32_t sum = 0;
  for (std::uint8_t b : bytes) sum += b;
  return sum;
}

std::string Quoted(std::string_view text) { return TCompress::PrintableName(text); }

// The name with "/" for every separator, upper case, no leading "./".
std::string MemberKey(std::string_view name) {
  std::string key = UpperCase(name);
  std::replace(key.begin(), key.end(), '\\', '/');
  return key;
}

// Packed local date and time of a file's modification time.
std::uint32_t PackedFileDate(const fs::path& file) {
  std::error_code ec;
  auto ftime = fs::last_write_time(file, ec);
  if (ec) return 0;
  auto sys = fs::file_time_type::clock::to_sys(ftime);
  std::time_t t = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return 0;
  int year = std::clamp(tm.tm_year + 1900, 1980, 2107);
  std::uint32_t date = ((year - 1980) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday;
  std::uint32_t time = (tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2);
  return (date << 16) | time;
}

void ApplyFileDate(const fs::path& file, std::uint32_t packed) {
  std::uint32_t date = packed >> 16;
  std::uint32_t time = packed & 0xffff;
  std::tm tm{};
  tm.tm_year = static_cast<int>((date >> 9) + 1980 - 1900);
  tm.tm_mon = static_cast<int>(((date >> 5) & 0x0f)) - 1;
  tm.tm_mday = static_cast<int>(date & 0x1f);
  tm.tm_hour = static_cast<int>(time >> 11);
  tm.tm_min = static_cast<int>((time >> 5) & 0x3f);
  tm.tm_sec = static_cast<int>((time & 0x1f) * 2);
  tm.tm_isdst = -1;
  if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_hour > 23 || tm.tm_min > 59 ||
      tm.tm_sec > 59) {
    return;  // no valid date stored: the file keeps the time it was written
  }
  std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return;
  auto sys = std::chrono::system_clock::from_time_t(t);
  std::error_code ec;
  fs::last_write_time(file, fs::file_time_type::clock::from_sys(sys), ec);
}

std::uint16_t FileAttributes(const fs::path& file) {
  std::error_code ec;
  fs::perms p = fs::status(file, ec).permissions();
  std::uint16_t attributes = kAttrArchive;
  if (!ec && (p & fs::perms::owner_write) == fs::perms::none) attributes |= kAttrReadOnly;
  return attributes;
}

void ApplyAttributes(const fs::path& file, std::uint16_t attributes) {
  if ((attributes & kAttrReadOnly) == 0) return;
  std::error_code ec;
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, ec);
}

// True when `name` starts with the folder `base` (no regard to case) and
// gives the rest after the separator in `rest`.
bool StripBase(const std::string& name, std::string base, std::string& rest) {
  while (base.size() > 1 && (base.back() == '/' || base.back() == '\\')) base.pop_back();
  if (base.empty() || name.size() <= base.size()) return false;
  if (MemberKey(name.substr(0, base.size())) != MemberKey(base)) return false;
  std::size_t at = base.size();
  if (base.back() != '/' && base.back() != '\\') {
    if (name[at] != '/' && name[at] != '\\') return false;
  }
  while (at < name.size() && (name[at] == '/' || name[at] == '\\')) ++at;
  rest = name.substr(at);
  return !rest.empty();
}

// An archive to read; a folder of that name says so rather than reading as
// a damaged archive.
std::ifstream OpenArchive(const fs::path& archive) {
  std::error_code ec;
  if (fs::is_directory(archive, ec)) {
    throw ECompressException("Can't open archive " + archive.string() + ": it is a folder");
  }
  std::ifstream in(archive, std::ios::binary);
  if (!in) throw ECompressException("Can't open archive " + archive.string());
  return in;
}

std::vector<std::uint8_t> ReadWholeFile(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) {
    throw ECompressException("Can't open file to compress: " + file.string() + ": it is a folder");
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ECompressException("Can't open file to compress: " + file.string());
  in.seekg(0, std::ios::end);
  std::streamoff length = in.tellg();
  if (length < 0) throw ECompressException("Can't read file to compress: " + file.string());
  if (static_cast<std::uint64_t>(length) > 0xffffffffu) {
    throw ECompressException("File too large for the archive: " + file.string());
  }
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), length)) {
    throw ECompressException("Can't read file to compress: " + file.string());
  }
  return bytes;
}

bool Report(const TProgressCallback& progress, int percent) {
  if (!progress) return true;
  int value = percent;
  progress(value);
  return value != -1;
}

int Percent(std::uint64_t done, std::uint64_t total) {
  return total == 0 ? 100 : static_cast<int>(done * 100 / total);
}

struct PlannedFile {
  fs::path source;
  std::string stored;  // Windows-1252 bytes, "\" separated
};

}  // namespace

std::optional<std::string> TCompress::MethodName(std::uint8_t code) {
  if (code >= kMethodNames.size()) return std::nullopt;
  return kMethodNames[code];
}

std::optional<std::uint8_t> TCompress::MethodCode(std::string_view name) {
  for (std::size_t i = 0; i < kMethodNames.size(); ++i) {
    if (name == kMethodNames[i]) return static_cast<std::uint8_t>(i);
  }
  return std::nullopt;
}

bool TCompress::SameMemberName(std::string_view stored, std::string_view wanted) {
  return MemberKey(stored) == MemberKey(wanted);
}

std::string TCompress::PrintableName(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::optional<fs::path> TCompress::SafeRelativePath(std::string_view stored) {
  if (stored.empty() || stored.front() == '/' || stored.front() == '\\') return std::nullopt;
  if (stored.find('\0') != std::string_view::npos) return std::nullopt;
  fs::path path;
  std::size_t start = 0;
  while (start <= stored.size()) {
    std::size_t end = stored.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = stored.size();
    std::string_view part = stored.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    // ".." climbs out; a drive ("C:") or stream name is never a plain name.
    if (part == ".." || part.find(':') != std::string_view::npos) return std::nullopt;
    path /= std::string(part);
  }
  if (path.empty()) return std::nullopt;
  return path;
}

bool TCompress::CompressFiles(const fs::path& archive, const fs::path& target_path,
                              const std::vector<fs::path>& files, std::uint8_t method,
                              const TProgressCallback& progress) const {
  auto method_name = MethodName(method);
  if (!method_name) {
    throw ECompressException("Unrecognized compression method code " + std::to_string(method));
  }
  if (method == kMethodCustom) {
    throw ECompressException("Compression method \"CUS\" needs a codec supplied by the caller");
  }
  if (!Report(progress, 0)) return false;

  // Plan every entry before writing, so a bad name leaves no archive behind.
  std::error_code ec;
  const fs::path archive_full = fs::weakly_canonical(fs::absolute(archive, ec), ec);
  std::vector<PlannedFile> plan;
  for (const fs::path& file : files) {
    fs::path full = file.is_relative() && !target_path.empty() ? target_path / file : file;
    std::error_code ec2;
    if (fs::weakly_canonical(fs::absolute(full, ec2), ec2) == archive_full && !ec2) continue;
    // Both sides absolute and normalised, so "dir" and "/abs/dir/./a" meet.
    std::string rest;
    bool inside =
        !target_path.empty() &&
        StripBase(fs::absolute(full, ec).lexically_normal().generic_string(),
                  fs::absolute(target_path, ec).lexically_normal().generic_string(), rest);
    if (!inside) {
      if (!file.is_relative()) {
        throw ECompressException("File is outside the archive's folder: " + full.string());
      }
      rest = file.generic_string();
    }
    if (!SafeRelativePath(rest)) {
      throw ECompressException("File is outside the archive's folder: " + full.string());
    }
    std::string stored = Utf8ToCp1252(rest);
    if (Cp1252ToUtf8(stored) != rest || stored.size() > 0xffff) {
      throw ECompressException("File name cannot be kept in the archive: " + rest);
    }
    std::replace(stored.begin(), stored.end(), '/', '\\');
    plan.push_back({full, stored});
  }

  // The old archive stays whole until the new one is complete; a failure or
  // a cancel leaves no part of the new one behind.
  std::unique_ptr<TAtomicFile> out;
  try {
    out = std::make_unique<TAtomicFile>(archive.string());
  } catch (const EAtomicWriteError&) {
    throw ECompressException(kMsgWrite);
  }
  const auto write = [&out](const void* bytes, std::size_t size) {
    try {
      out->Write(std::string_view(static_cast<const char*>(bytes), size));
    } catch (const EAtomicWriteError&) {
      throw ECompressException(kMsgWrite);
    }
  };

  std::array<std::uint8_t, kHeaderSize> header{};
  std::copy(kMagic.begin(), kMagic.end(), header.begin() + kMagicOffset);
  std::copy_n(method_name->begin(), kMethodNameSize, header.begin() + kMethodNameOffset);
  header[kTypeOffset] = kTypeMulti;
  write(header.data(), header.size());

  std::uint64_t total = 0;
  for (const PlannedFile& file : plan) total += fs::file_size(file.source, ec);
  std::uint64_t done = 0;
  for (const PlannedFile& file : plan) {
    std::vector<std::uint8_t> data = ReadWholeFile(file.source);
    const auto size = static_cast<std::uint32_t>(data.size());
    std::optional<std::vector<std::uint8_t>> packed;
    // An empty file cannot shrink: it is stored like any file that does not.
    switch (data.empty() ? kMethodNone : method) {
      case kMethodRle:
        packed = RleEncode(data, data.size());
        break;
      case kMethodLzh:
        packed = LzhufEncode(data, data.size());
        break;
      case kMethodLh5:
        packed = Lh5Encode(data, data.size());
        break;
      default:
        break;
    }
    // Data that does not shrink is stored as it is.
    std::uint8_t used = packed ? method : kMethodNone;
    std::span<const std::uint8_t> body = packed ? std::span<const std::uint8_t>(*packed) : data;

    std::array<std::uint8_t, kEntrySize> entry{};
    Put16(&entry[kNameLengthOffset], static_cast<std::uint32_t>(file.stored.size()));
    Put32(&entry[kDateOffset], PackedFileDate(file.source));
    Put16(&entry[kAttributesOffset], FileAttributes(file.source));
    Put32(&entry[kSizeOffset], size);
    Put32(&entry[kCompressedSizeOffset], static_cast<std::uint32_t>(body.size()));
    entry[kMethodOffset] = used;
    Put32(&entry[kChecksumOffset], ByteSum(data));
    write(entry.data(), entry.size());
    write(file.stored.data(), file.stored.size());
    write(body.data(), body.size());
    done += data.size();
    if (!Report(progress, std::min(99, Percent(done, total)))) return false;
  }
  try {
    out->Commit();
  } catch (const EAtomicWriteError&) {
    throw ECompressException(kMsgWrite);
  }
  Report(progress, 100);
  return true;
}

std::vector<TArchiveEntry> TCompress::ReadEntries(std::istream& archive) {
  archive.clear();
  archive.seekg(0, std::ios::end);
  const std::streamoff end = archive.tellg();
  archive.seekg(0);
  if (end < 0 || !archive) throw ECompressException(kMsgHeader);
  const auto length = static_cast<std::uint64_t>(end);
  std::vector<TArchiveEntry> entries;
  if (length < kHeaderSize) return entries;  // an empty archive

  std::array<std::uint8_t, kHeaderSize> header{};
  if (!archive.read(reinterpret_cast<char*>(header.data()), header.size())) {
    throw ECompressException(kMsgHeader);
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), header.begin() + kMagicOffset)) {
    throw ECompressException(kMsgHeader);
  }
  if (header[kTypeOffset] != kTypeMulti) throw ECompressException(kMsgType);
  std::string name(reinterpret_cast<const char*>(&header[kMethodNameOffset]), kMethodNameSize);
  if (!MethodCode(name)) {
    throw ECompressException("Unrecognized compression method: " + Quoted(Cp1252ToUtf8(name)) +
                             " in header");
  }

  std::uint64_t pos = kHeaderSize;
  while (pos < length) {
    if (length - pos < kEntrySize) throw ECompressException(kMsgDamaged);
    std::array<std::uint8_t, kEntrySize> raw{};
    archive.seekg(static_cast<std::streamoff>(pos));
    if (!archive.read(reinterpret_cast<char*>(raw.data()), raw.size())) {
      throw ECompressException(kMsgDamaged);
    }
    pos += kEntrySize;
    TArchiveEntry entry;
    std::uint32_t name_length = Get16(&raw[kNameLengthOffset]);
    entry.file_date = Get32(&raw[kDateOffset]);
    entry.attributes = static_cast<std::uint16_t>(Get16(&raw[kAttributesOffset]));
    entry.size = Get32(&raw[kSizeOffset]);
    entry.compressed_size = Get32(&raw[kCompressedSizeOffset]);
    entry.method = raw[kMethodOffset];
    entry.checksum = Get32(&raw[kChecksumOffset]);
    if (name_length > length - pos) throw ECompressException(kMsgDamaged);
    std::string stored(name_length, '\0');
    if (name_length != 0 && !archive.read(stored.data(), name_length)) {
      throw ECompressException(kMsgDamaged);
    }
    pos += name_length;
    entry.name = Cp1252ToUtf8(stored);
    if (entry.compressed_size > length - pos) throw ECompressException(kMsgDamaged);
    entry.data_offset = pos;
    pos += entry.compressed_size;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::uint8_t> TCompress::ExpandEntry(std::istream& archive,
                                                 const TArchiveEntry& entry) {
  std::vector<std::uint8_t> packed(entry.compressed_size);
  archive.clear();
  archive.seekg(static_cast<std::streamoff>(entry.data_offset));
  if (!packed.empty() && !archive.read(reinterpret_cast<char*>(packed.data()), packed.size())) {
    throw ECompressException(kMsgDamaged);
  }
  std::vector<std::uint8_t> data;
  switch (entry.method) {
    case kMethodNone:
      if (entry.compressed_size != entry.size) throw ECompressException(kMsgChecksum);
      data = std::move(packed);
      break;
    case kMethodRle:
      data = RleDecode(packed, entry.size);
      break;
    case kMethodLzh:
      data = LzhufDecode(packed, entry.size);
      break;
    case kMethodLh5:
      data = Lh5Decode(packed, entry.size);
      break;
    default:
      throw ECompressException("Can't expand " + entry.name + ": compression method " +
                               (MethodName(entry.method) ? Quoted(*MethodName(entry.method))
                                                         : std::to_string(entry.method)) +
                               " is not supported");
  }
  bool unchecked = entry.method == kMethodNone && entry.checksum == 0;
  if (!unchecked && ByteSum(data) != entry.checksum) throw ECompressException(kMsgChecksum);
  return data;
}

std::optional<std::uint64_t> TCompress::FreeSpace(const fs::path& folder) const {
  std::error_code ec;
  fs::space_info space = fs::space(folder, ec);
  if (ec) return std::nullopt;
  return space.available;
}

std::vector<TArchiveEntry> TCompress::ListEntries(const fs::path& archive) const {
  std::ifstream in = OpenArchive(archive);
  return ReadEntries(in);
}

void TCompress::ExtractToMemory(const fs::path& archive, std::string_view member,
                                std::ostream& stream) const {
  std::ifstream in = OpenArchive(archive);
  for (const TArchiveEntry& entry : ReadEntries(in)) {
    if (!SameMemberName(entry.name, member)) continue;
    std::vector<std::uint8_t> data = ExpandEntry(in, entry);
    stream.write(reinterpret_cast<const char*>(data.data()),
                 static_cast<std::streamsize>(data.size()));
    return;
  }
  throw ECompressException("File not found in archive: " + std::string(member));
}

bool TCompress::ExpandFiles(const fs::path& archive, const fs::path& target_folder,
                            const std::vector<std::string>& files,
                            const TProgressCallback& progress,
                            std::vector<TSkippedEntry>* skipped) const {
  std::ifstream in = OpenArchive(archive);
  if (!Report(progress, 0)) return false;
  std::vector<TArchiveEntry> entries = ReadEntries(in);
  auto skip = [skipped](const std::string& name, const std::string& reason) {
    if (skipped != nullptr) skipped->push_back(TSkippedEntry{name, reason});
  };

  struct Planned {
    const TArchiveEntry* entry;
    fs::path relative;
  };
  std::vector<Planned> plan;
  std::uint64_t total = 0;
  std::vector<bool> asked_found(files.size(), false);
  for (const TArchiveEntry& entry : entries) {
    bool wanted = files.empty();
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (SameMemberName(entry.name, files[i])) wanted = asked_found[i] = true;
    }
    if (!wanted) continue;
    auto relative = SafeRelativePath(entry.name);
    // Refused before anything is written: no file may land outside the folder.
    if (!relative) {
      const bool zero = entry.name.find('\0') != std::string::npos;
      throw ECompressException(
          "Refused to expand " + Quoted(entry.name) +
          (zero ? ": the name holds a zero byte" : ": the name leaves the target folder"));
    }
    plan.push_back({&entry, *relative});
    total += entry.size;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!asked_found[i]) skip(files[i], "no entry of that name in the archive");
  }

  std::error_code ec;
  fs::create_directories(target_folder, ec);
  const fs::path root = fs::weakly_canonical(fs::absolute(target_folder, ec), ec);
  std::uint64_t done = 0;
  for (const Planned& item : plan) {
    const TArchiveEntry& entry = *item.entry;
    const fs::path full = target_folder / item.relative;
    done += entry.size;
    std::error_code dir_ec;
    fs::create_directories(full.parent_path(), dir_ec);
    if (dir_ec) {
      skip(entry.name, dir_ec == std::errc::file_exists || dir_ec == std::errc::not_a_directory
                           ? "a file stands where a folder must go"
                           : "its folder cannot be made: " + dir_ec.message());
      continue;
    }
    // A folder link must not lead the file out of the target folder either.
    fs::path real_parent = fs::weakly_canonical(full.parent_path(), dir_ec);
    auto [root_end, unused] =
        std::mismatch(root.begin(), root.end(), real_parent.begin(), real_parent.end());
    (void)unused;
    if (dir_ec) {
      skip(entry.name, "its folder cannot be reached: " + dir_ec.message());
      continue;
    }
    if (root_end != root.end()) {
      skip(entry.name, "it lies under a symbolic link that leads out of the target folder");
      continue;
    }

    auto free_space = FreeSpace(full.parent_path());
    if (free_space && *free_space < entry.size) throw ECompressException(kMsgSpace + full.string());

    std::vector<std::uint8_t> data = ExpandEntry(in, entry);
    try {
      WriteFileAtomically(
          full.string(), std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    } catch (const EAtomicWriteError& error) {
      if (error.FailedStep() == EAtomicWriteError::Step::kWrite)
        throw ECompressException("Disk protected or full while expanding " + full.string());
      std::error_code is_folder_ec;
      std::string reason;
      if (fs::is_directory(full, is_folder_ec))
        reason = "a folder of that name is in the way";
      else if (error.Reason() == std::strerror(ENAMETOOLONG))
        reason = "the name is too long for the file system";
      else if (error.FailedStep() == EAtomicWriteError::Step::kCreate)
        reason = "it cannot be created: " + error.Reason();
      else
        reason = "it cannot be put in place: " + error.Reason();
      skip(entry.name, reason);
      continue;
    }
    ApplyFileDate(full, entry.file_date);
    ApplyAttributes(full, entry.attributes);
    if (!Report(progress, std::min(99, Percent(done, total)))) return false;
  }
  Report(progress, 100);
  return true;
}

}  // namespace zelvora
