// TSectionedConfigFile: the sectioned key=value text file behind "Korrin2.INI"
// (window placement, list widths, report configuration, prefix histories,
// deleted categories).
//
// File form: lines of Windows-1252 text in sections (APP/SectionedText.h).
// In a section, a value is found by its key: the first line made of the key,
// "=" and the value.
//
// Callers may rely on:
//  - Section names and keys match without regard to letter case; the value is
//    trimmed of blanks. A missing section or key, or an empty value, gives the
//    caller's default.
//  - Integers are decimal (anything else gives the default); a boolean is read
//    from the value's first character, "0" false and "1" true, anything else
//    gives the default; booleans are written "0" or "1".
//  - Writing replaces the value in the key's line (the key keeps the spelling
//    it has in the file) or appends a line (a missing section is appended at
//    the end); writing an empty value removes the key's lines.
//  - Changed() is set only by writes that change the file's text, so a run
//    that writes back the values it read leaves the file untouched.
//  - Lines the program does not know (other sections, comments, lines before
//    the first section) are kept as they were.
//  - Save() writes the whole file only when its text changed, through a
//    temporary file in the same folder renamed over the old one, so a failed
//    write never leaves a half-written settings file behind.
//  - Strings are UTF-8 in memory; the file is converted at load and save.
//  - Section names, keys and values holding a line break, and keys holding
//    "=", are refused with std::invalid_argument: they would split a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "APP/SectionedText.h"

namespace zelvora {

class TSectionedConfigFile {
 public:
  // An empty file with no path (Save() then only clears the changed mark).
  TSectionedConfigFile() = default;
  // Reads the file at `path`; a missing file is an empty one. Throws
  // std::runtime_error when the file exists but cannot be read.
  explicit TSectionedConfigFile(std::string path);

  // An unsaved file holding `utf8_text` (as if read from a file).
  static TSectionedConfigFile FromText(std::string_view utf8_text);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  bool SectionExists(std::string_view section) const;
  // The lines of the section in file order, without blank lines.
  std::vector<std::string> ReadSection(std::string_view section) const;
  // Replaces the lines of the section (where it stands, or appended at the
  // end); an empty list removes the section.
  void WriteSection(std::string_view section, const std::vector<std::string>& lines);
  // Removes every section of that name with its lines.
  void EraseSection(std::string_view section);

  bool Changed() const { return changed_; }
  // Writes the file when it changed (see above). Throws std::runtime_error
  // with the reason when it cannot; the old file is then left as it was.
  void Save();

  // The file's text as it would be written (UTF-8, lines ended by CR LF).
  std::string Text() const;

 private:
  void Parse(std::string_view utf8_text);
  TTextSection& FindOrAppend(std::string_view section);

  std::string path_;
  TSectionedText text_;
  bool changed_ = false;
};

}  // namespace zelvora
