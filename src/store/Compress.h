// TCompress: the compressed archive. It packs a list of files into one
// archive file, each file compressed by itself, and unpacks an archive into
// a folder or one member into memory. The database backup writes
// "bk360.cmp" with it; update packages may arrive as such archives.
//
// Methods (the code stored per entry, the name in the archive header):
//   0 "NON" stored, 1 "RLE" run lengths, 2 "LZH" the LZHUF stream,
//   3 "CUS" a caller's own codec (never written, not expandable here),
//   4 "LH5" the lh5 stream.
// A file that does not shrink under the archive's method is stored (0).
//
// Callers may rely on:
//  - every failure is an ECompressException carrying the message to show;
//  - CompressFiles never leaves a partial archive behind: on any failure or
//    cancel the archive file is deleted;
//  - ExpandFiles writes nothing outside the target folder: an entry name
//    that is absolute or climbs out of it ("..") is refused before any file
//    is written; each file appears whole (written aside, then renamed) or
//    not at all;
//  - stored names are relative to the archive's base folder and use "\" as
//    separator; "\" and "/" are both taken as separators when reading, and
//    member names are compared without regard to case or separator kind;
//  - the progress callback gets 0 before the work and 100 at the end, and
//    percentages between; a callback that sets the value to -1 cancels
//    (CompressFiles and ExpandFiles then return false).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/CompressException.h"

namespace zelvora {

// One entry of an archive, as read from its entry header.
struct TArchiveEntry {
  std::string name;             // as stored, in UTF-8
  std::uint32_t file_date = 0;  // packed date (high word) and time (low word)
  std::uint16_t attributes = 0;
  std::uint32_t size = 0;             // uncompressed
  std::uint32_t compressed_size = 0;  // bytes of data after the name
  std::uint8_t method = 0;
  std::uint32_t checksum = 0;     // 32-bit wrapping sum of the uncompressed bytes
  std::uint64_t data_offset = 0;  // where the data starts in the archive
};

// An entry ExpandFiles did not write, or a wanted name no entry has.
struct TSkippedEntry {
  std::string name;    // as stored or as asked for, in UTF-8
  std::string reason;  // why, for a person
};

// Receives a percentage; setting it to -1 cancels.
using TProgressCallback = std::function<void(int& percent)>;

class TCompress {
 public:
  virtual ~TCompress() = default;

  static constexpr std::uint8_t kMethodNone = 0;
  static constexpr std::uint8_t kMethodRle = 1;
  static constexpr std::uint8_t kMethodLzh = 2;
  static constexpr std::uint8_t kMethodCustom = 3;
  static constexpr std::uint8_t kMethodLh5 = 4;

  // "NON", "RLE", "LZH", "CUS", "LH5"; nullopt for another code.
  static std::optional<std::string> MethodName(std::uint8_t code);
  static std::optional<std::uint8_t> MethodCode(std::string_view name);

  // Writes a new archive of `files` compressed with `method` (0, 1, 2 or 4).
  // A relative file name is taken inside `target_path`; a name inside
  // `target_path` (compared without regard to case) is stored relative to
  // it. The archive itself is left out when listed. Returns false when
  // cancelled.
  bool CompressFiles(const std::filesystem::path& archive, const std::filesystem::path& target_path,
                     const std::vector<std::filesystem::path>& files, std::uint8_t method,
                     const TProgressCallback& progress = {}) const;

  // Expands the member named `member` into `stream`.
  void ExtractToMemory(const std::filesystem::path& archive, std::string_view member,
                       std::ostream& stream) const;

  // Writes the entries named in `files` (all when empty) under
  // `target_folder`, creating folders and applying the stored date and
  // attributes. An entry whose file cannot be created is skipped, and so is
  // a name in `files` that no entry has; `skipped`, when given, receives
  // each with the reason. Returns false when cancelled.
  bool ExpandFiles(const std::filesystem::path& archive, const std::filesystem::path& target_folder,
                   const std::vector<std::string>& files = {},
                   const TProgressCallback& progress = {},
                   std::vector<TSkippedEntry>* skipped = nullptr) const;
  // A name as a person can read it: quoted, every byte below 32 and 127
  // written "\xNN", so nothing is hidden or cut short.
  static std::string PrintableName(std::string_view name);

  // The entries of an archive file.
  std::vector<TArchiveEntry> ListEntries(const std::filesystem::path& archive) const;

  // The entry list of an archive read from `archive` (checks the header and
  // that every entry lies inside the stream).
  static std::vector<TArchiveEntry> ReadEntries(std::istream& archive);
  // The uncompressed bytes of one entry of `archive`, checksum checked.
  static std::vector<std::uint8_t> ExpandEntry(std::istream& archive, const TArchiveEntry& entry);
  // True when `stored` names `wanted`: no regard to case or separator kind.
  static bool SameMemberName(std::string_view stored, std::string_view wanted);
  // The stored name as a relative path, or nullopt when it is absolute,
  // empty, climbs out of the folder it is expanded into, or holds a zero
  // byte (no file system keeps one; the name would end there).
  static std::optional<std::filesystem::path> SafeRelativePath(std::string_view stored);

 protected:
  // Bytes free for a new file in `folder` (the expansion refuses an entry
  // larger than this); nullopt when unknown.
  virtual std::optional<std::uint64_t> FreeSpace(const std::filesystem::path& folder) const;
};

}  // namespace zelvora
