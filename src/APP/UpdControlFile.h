// TUpdControlFile: the update control file "Update2.INI": sections of
// entries, one entry per line.
//
// The file's lines are read in sections (APP/SectionedText.h); every line of
// a section is one entry, empty lines included. Lines before the first
// section line are ignored but kept.
//
// Callers may rely on:
//  - a missing file reads as one without sections (Exists() is false);
//  - Clear keeps the section's header line (adding "[NAME]" at the end when
//    the file has no such section) and drops its entries; every other line
//    stays as it was;
//  - Save writes the whole file (Windows-1252, lines ended by CR LF) through
//    a temporary file renamed over the old one; failures throw
//    std::runtime_error naming the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "APP/SectionedText.h"

namespace zelvora {

inline constexpr const char* kUpdateControlFileName = "Update2.INI";

class TUpdControlFile {
 public:
  TUpdControlFile() = default;
  // Reads the file; a missing file is an empty one. A file that exists but
  // cannot be read throws std::runtime_error.
  explicit TUpdControlFile(std::string path);
  // A control file holding these bytes (Windows-1252), with no path.
  static TUpdControlFile FromBytes(std::string_view bytes);

  bool Exists() const { return exists_; }
  const std::string& Path() const { return path_; }

  // The entries of the first section of that name (UTF-8), in file order.
  std::vector<std::string> Entries(std::string_view section) const;
  // Drops the entries of every section of that name, keeping its header.
  void Clear(std::string_view section);
  // The file's bytes as Save writes them.
  std::string Bytes() const;
  void Save() const;

 private:
  void Parse(std::string_view utf8);

  std::string path_;
  bool exists_ = false;
  TSectionedText text_;
};

}  // namespace zelvora
