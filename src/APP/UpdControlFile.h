// TUpdControlFile: the update control file "Update2.INI": sections of
// entries, one entry per line.
//
// A line of more than two characters that begins with "[" and ends with "]"
// starts a section named by the text between them (matched without regard
// to letter case); every following line up to the next section line is one
// entry of that section, empty lines included. Lines before the first
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

  bool Exists() const { return FExists; }
  const std::string& Path() const { return FPath; }

  // The entries of the first section of that name (UTF-8), in file order.
  std::vector<std::string> Entries(std::string_view section) const;
  // Drops the entries of every section of that name, keeping its header.
  void Clear(std::string_view section);
  // The file's bytes as Save writes them.
  std::string Bytes() const;
  void Save() const;

 private:
  struct TSection {
    std::string Header;  // the header line as read or written
    std::string Name;
    std::vector<std::string> Lines;
  };
  void Parse(std::string_view utf8);

  std::string FPath;
  bool FExists = false;
  std::vector<std::string> FPreamble;
  std::vector<TSection> FSections;
};

}  // namespace zelvora
