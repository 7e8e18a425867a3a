#include "APP/LanguageTable.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "APP/SectionedConfigFile.h"

namespace zelvora {
namespace {

struct TItem {
  const char* section;
  int number;
  int placeholders;  // how many "%d" the text must hold
};

constexpr TItem kItems[] = {
    {TLanguageTable::kReport, 0, 0}, {TLanguageTable::kReport, 1, 0},
    {TLanguageTable::kReport, 2, 1}, {TLanguageTable::kReport, 3, 1},
    {TLanguageTable::kReport, 4, 2}, {TLanguageTable::kReport, 5, 0},
    {TLanguageTable::kReport, 6, 0}, {TLanguageTable::kReport, 7, 0},
    {TLanguageTable::kCommon, 1, 0}, {TLanguageTable::kCommon, 24, 0},
};

// Counts "%d" and refuses every other conversion, so that formatting a text
// with the listed integers can never read an argument that is not there.
int CountPlaceholders(const std::string& text, bool& other) {
  int count = 0;
  other = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] == 'd') {
      ++count;
      ++i;
    } else {
      other = true;
    }
  }
  return count;
}

}  // namespace

void TLanguageTable::Load(const std::string& path, std::string_view language) {
  texts_.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    throw std::runtime_error("Cannot find the language table \"" + path + "\"");
  const TSectionedConfigFile file(path);
  std::map<std::pair<std::string, int>, std::string> texts;
  for (const TItem& item : kItems) {
    const std::string key = std::to_string(item.number);
    std::string text = file.ReadString(item.section, key, "");
    const std::string where =
        "item " + key + " of section [" + item.section + "] in \"" + path + "\"";
    if (text.empty()) throw std::runtime_error("Missing " + where);
    bool other = false;
    if (CountPlaceholders(text, other) != item.placeholders || other)
      throw std::runtime_error("Wrong placeholders in " + where + ": needs " +
                               std::to_string(item.placeholders) + " times %d");
    texts.emplace(std::make_pair(std::string(item.section), item.number), std::move(text));
  }
  texts_ = std::move(texts);
  language_ = std::string(language);
}

std::string TLanguageTable::Text(std::string_view section, int item) const {
  for (const auto& [key, text] : texts_)
    if (key.second == item && key.first.size() == section.size() &&
        std::equal(key.first.begin(), key.first.end(), section.begin(),
                   [](char a, char b) { return (a | 0x20) == (b | 0x20); }))
      return text;
  return {};
}

}  // namespace zelvora
