// TLanguageTable: the captions the print preview and print windows take from
// outside the program, read from the language table "LocU.ini" shipped with
// it (found through FindShippedFile).
//
// File form: a sectioned settings file (APP/SectionedConfigFile.h) in
// Windows-1252 with the sections "Report" and "Common"; each key is an item
// number and its value the text. Texts may hold printf-style "%d"
// placeholders:
//   [Report]  0 print window's first title      1 title while generating
//             2 copy line (%d copy)             3 progress line (%d page)
//             4 page counter (%d page, %d of)   5 page panel after a cancel
//             6 page label before pages exist, title after a cancel
//             7 status line while printing (the caller adds "...")
//   [Common]  1 the Cancel caption              24 the Close caption
//
// Callers may rely on:
//  - Load() fails (std::runtime_error with the reason) when the file is
//    missing or unreadable, when an item listed above is missing or empty,
//    and when an item holds another number of "%d" than listed, so a
//    loaded table can always be formatted with the listed arguments;
//  - Text() gives every listed item of a loaded table.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace zelvora {

class TLanguageTable {
 public:
  static constexpr const char* kFileName = "LocU.ini";
  static constexpr const char* kReport = "Report";
  static constexpr const char* kCommon = "Common";

  // Reads the table for `language` ("US" is the only one shipped) from
  // `path`.
  void Load(const std::string& path, std::string_view language = "US");
  bool Loaded() const { return !texts_.empty(); }
  const std::string& Language() const { return language_; }

  // The text of an item; empty for an item that is not listed above.
  std::string Text(std::string_view section, int item) const;

 private:
  std::string language_;
  std::map<std::pair<std::string, int>, std::string> texts_;
};

}  // namespace zelvora
