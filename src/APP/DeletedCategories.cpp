#include "APP/DeletedCategories.h"

#include <charconv>
#include <stdexcept>

#include "APP/SectionedConfigFile.h"
#include "base/Text.h"

namespace zelvora {
namespace {

constexpr std::size_t kCompanyKeyLength = 16;

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

void CheckCompanyKey(std::string_view key) {
  bool ok = key.size() == kCompanyKeyLength;
  for (std::size_t i = 0; ok && i < key.size(); ++i) ok = IsUpperHex(key[i]);
  if (!ok) throw std::invalid_argument("Invalid company key \"" + std::string(key) + "\"");
}

// A name is one line of the file; a line break would start another entry.
std::string OneLine(std::string_view text) {
  std::string out(Trim(text));
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

std::vector<TDeletedCategory> TDeletedCategories::Read(const TSectionedConfigFile& file,
                                                       std::string_view company_key) {
  CheckCompanyKey(company_key);
  std::vector<TDeletedCategory> categories;
  for (const auto& line : file.ReadSection(company_key)) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view number_text = Trim(std::string_view(line).substr(0, eq));
    const std::string_view name = Trim(std::string_view(line).substr(eq + 1));
    int number = 0;
    const auto [end, ec] =
        std::from_chars(number_text.data(), number_text.data() + number_text.size(), number);
    if (ec != std::errc() || end != number_text.data() + number_text.size() || number < 0 ||
        name.empty())
      continue;
    categories.push_back({number, std::string(name)});
  }
  return categories;
}

void TDeletedCategories::Write(TSectionedConfigFile& file, std::string_view company_key,
                               const std::vector<TDeletedCategory>& categories) {
  CheckCompanyKey(company_key);
  std::vector<std::string> lines;
  for (const auto& category : categories) {
    if (category.number < 0)
      throw std::invalid_argument("Invalid category number " + std::to_string(category.number));
    const std::string name = OneLine(category.name);
    if (name.empty()) continue;
    lines.push_back(std::to_string(category.number) + "=" + name);
  }
  file.WriteSection(company_key, lines);
}

std::optional<TDeletedCategory> TDeletedCategories::Take(std::vector<TDeletedCategory>& categories,
                                                         std::string_view name) {
  const std::string_view wanted = Trim(name);
  for (auto it = categories.begin(); it != categories.end(); ++it) {
    if (SameText(Trim(it->name), wanted)) {
      TDeletedCategory found = *it;
      categories.erase(it);
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace zelvora
