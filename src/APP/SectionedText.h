// TSectionedText: the line structure shared by the program's sectioned text
// files, the settings file "Korrin2.INI" and the update control file
// "Update2.INI".
//
// A line that, without its surrounding blanks, is longer than two characters
// and begins with "[" and ends with "]" starts a section named by the text
// between the brackets (blanks trimmed); every following line up to the next
// such line belongs to that section, blank lines included. Lines before the
// first section form the preamble.
//
// Callers may rely on:
//  - lines end at CR LF, LF or a lone CR; a final line break ends the last
//    line rather than starting an empty one, so no line held here contains
//    a line break;
//  - Text() gives back every line, header lines as they were read, each
//    ended by CR LF;
//  - section names match without regard to letter case (SameText).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

struct TTextSection {
  std::string header;  // the header line as read or written
  std::string name;    // text between the brackets, trimmed
  std::vector<std::string> lines;
};

class TSectionedText {
 public:
  static TSectionedText Parse(std::string_view utf8);
  // True when `line` is a header line; `name` is then its section's name.
  static bool IsHeader(std::string_view line, std::string_view& name);

  // The first section of that name (blanks around it ignored), or null.
  TTextSection* Find(std::string_view name);
  const TTextSection* Find(std::string_view name) const;
  // Appends the section "[NAME]" with no lines.
  TTextSection& Append(std::string_view name);

  std::string Text() const;

  std::vector<std::string> preamble;
  std::vector<TTextSection> sections;
};

}  // namespace zelvora
