// TPrefixHistories: the four lists of question prefixes used before (the
// drop-down lists of the skill-area dialog), kept in the settings file.
//
// File form: one section per history, named "SelfCurPrefixes",
// "SelfExpPrefixes", "OtherCurPrefixes" and "OtherExpPrefixes" (in prefix
// order 1 to 4), one prefix per line. A missing or empty history reads as
// its one default prefix ("How often do you", "How often should you",
// "How often does this person", "How often should this person").
#pragma once

#include <array>
#include <string>
#include <vector>

namespace zelvora {

class TSectionedConfigFile;

using TPrefixLists = std::array<std::vector<std::string>, 4>;

class TPrefixHistories {
 public:
  static constexpr std::array<const char*, 4> kSections = {"SelfCurPrefixes", "SelfExpPrefixes",
                                                           "OtherCurPrefixes", "OtherExpPrefixes"};

  // Reads the four histories (the defaults without a settings file).
  static TPrefixLists Read(const TSectionedConfigFile* settings);
  // Writes the four histories; empty lines and lines the file could not keep
  // as one line of a section (line breaks, "[...]") are left out. Nothing
  // happens without a settings file.
  static void Write(TSectionedConfigFile* settings, const TPrefixLists& lists);
  // Appends `prefix` to `list` unless it is empty or already there.
  static void Remember(std::vector<std::string>& list, const std::string& prefix);
};

}  // namespace zelvora
