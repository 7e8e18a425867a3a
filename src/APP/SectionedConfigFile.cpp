#include "APP/SectionedConfigFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

// A settings file is a few kilobytes; anything this large is not one, and
// reading it whole would only exhaust memory.
constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

// True when `line` is a "key=value" line for `key`; `value` is then trimmed.
bool MatchKey(std::string_view line, std::string_view key, std::string_view& value) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  if (!SameText(Trim(line.substr(0, eq)), key)) return false;
  value = Trim(line.substr(eq + 1));
  return true;
}

bool HasLineBreak(std::string_view s) {
  return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

void CheckSectionName(std::string_view section) {
  const std::string_view t = Trim(section);
  if (t.empty() || HasLineBreak(section) || t.find(']') != std::string_view::npos ||
      t.front() == '[')
    throw std::invalid_argument("Invalid settings section name \"" + std::string(section) + "\"");
}

void CheckKey(std::string_view key) {
  const std::string_view t = Trim(key);
  if (t.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos || t.front() == '[')
    throw std::invalid_argument("Invalid settings key \"" + std::string(key) + "\"");
}

void CheckValue(std::string_view key, std::string_view value) {
  if (HasLineBreak(value))
    throw std::invalid_argument("Invalid settings value for key \"" + std::string(key) +
                                "\": line breaks are not allowed");
}

std::string ErrnoText(int err) { return std::generic_category().message(err); }

}  // namespace

TSectionedConfigFile::TSectionedConfigFile(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  const auto status = fs::status(path_, ec);
  if (ec || status.type() == fs::file_type::not_found) {
    if (ec && ec != std::errc::no_such_file_or_directory)
      throw std::runtime_error("Cannot read settings file \"" + path_ + "\": " + ec.message());
    return;  // a missing file is an empty one
  }
  if (status.type() != fs::file_type::regular)
    throw std::runtime_error("Cannot read settings file \"" + path_ + "\": not a regular file");
  const auto size = fs::file_size(path_, ec);
  if (ec) throw std::runtime_error("Cannot read settings file \"" + path_ + "\": " + ec.message());
  if (size > kMaxFileBytes)
    throw std::runtime_error("Cannot read settings file \"" + path_ + "\": the file is too large");
  std::ifstream in(path_, std::ios::binary);
  if (!in)
    throw std::runtime_error("Cannot read settings file \"" + path_ + "\": " + ErrnoText(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read settings file \"" + path_ + "\": read error");
  Parse(Cp1252ToUtf8(bytes));
}

TSectionedConfigFile TSectionedConfigFile::FromText(std::string_view utf8_text) {
  TSectionedConfigFile file;
  file.Parse(utf8_text);
  return file;
}

void TSectionedConfigFile::Parse(std::string_view text) { text_ = TSectionedText::Parse(text); }

TTextSection& TSectionedConfigFile::FindOrAppend(std::string_view section) {
  if (TTextSection* s = text_.Find(section)) return *s;
  // Keep a blank line between the last section and the new one, for people
  // who read and edit the file.
  std::vector<std::string>& last =
      text_.sections.empty() ? text_.preamble : text_.sections.back().lines;
  if (!(text_.sections.empty() && text_.preamble.empty()) &&
      (last.empty() || !Trim(last.back()).empty()))
    last.emplace_back();
  changed_ = true;
  return text_.Append(section);
}

std::string TSectionedConfigFile::ReadString(std::string_view section, std::string_view key,
                                             std::string_view def) const {
  if (const TTextSection* s = text_.Find(section)) {
    const std::string_view k = Trim(key);
    for (const auto& line : s->lines) {
      std::string_view value;
      if (MatchKey(line, k, value)) return value.empty() ? std::string(def) : std::string(value);
    }
  }
  return std::string(def);
}

int TSectionedConfigFile::ReadInteger(std::string_view section, std::string_view key,
                                      int def) const {
  const std::string text = ReadString(section, key, "");
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.front() == '+') return def;
  long long value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return def;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return def;
  return static_cast<int>(value);
}

bool TSectionedConfigFile::ReadBool(std::string_view section, std::string_view key,
                                    bool def) const {
  const std::string text = ReadString(section, key, "");
  if (text.empty()) return def;
  if (text.front() == '0') return false;
  if (text.front() == '1') return true;
  return def;
}

void TSectionedConfigFile::WriteString(std::string_view section, std::string_view key,
                                       std::string_view value) {
  CheckSectionName(section);
  CheckKey(key);
  CheckValue(key, value);
  const std::string_view k = Trim(key);
  if (Trim(value).empty()) {
    TTextSection* s = text_.Find(section);
    if (!s) return;
    std::string_view ignored;
    const auto old_size = s->lines.size();
    std::erase_if(s->lines, [&](const std::string& line) { return MatchKey(line, k, ignored); });
    if (s->lines.size() != old_size) changed_ = true;
    return;
  }
  const std::string new_line = std::string(k) + "=" + std::string(value);
  TTextSection& s = FindOrAppend(section);
  for (auto& line : s.lines) {
    std::string_view old_value;
    if (MatchKey(line, k, old_value)) {
      // The key keeps its spelling as the user wrote it; only the value
      // changes, and an equal value leaves the line untouched.
      if (old_value != Trim(value)) {
        line = line.substr(0, line.find('=') + 1) + std::string(value);
        changed_ = true;
      }
      return;
    }
  }
  // New keys go after the section's last non-blank line, so the blank lines
  // that separate it from the next section stay where they are.
  auto at = s.lines.end();
  while (at != s.lines.begin() && Trim(*(at - 1)).empty()) --at;
  s.lines.insert(at, new_line);
  changed_ = true;
}

void TSectionedConfigFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TSectionedConfigFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TSectionedConfigFile::SectionExists(std::string_view section) const {
  return text_.Find(section) != nullptr;
}

std::vector<std::string> TSectionedConfigFile::ReadSection(std::string_view section) const {
  std::vector<std::string> lines;
  if (const TTextSection* s = text_.Find(section)) {
    for (const auto& line : s->lines)
      if (!Trim(line).empty()) lines.push_back(line);
  }
  return lines;
}

void TSectionedConfigFile::WriteSection(std::string_view section,
                                        const std::vector<std::string>& lines) {
  CheckSectionName(section);
  for (const auto& line : lines) {
    if (HasLineBreak(line))
      throw std::invalid_argument("Invalid settings line in section \"" + std::string(section) +
                                  "\": line breaks are not allowed");
    std::string_view ignored;
    if (TSectionedText::IsHeader(line, ignored))
      throw std::invalid_argument("Invalid settings line \"" + line + "\" in section \"" +
                                  std::string(section) + "\"");
  }
  if (lines.empty()) {
    EraseSection(section);
    return;
  }
  // Other sections of the same name would hide nothing but confuse editors;
  // the first one is rewritten and later ones dropped.
  TTextSection& s = FindOrAppend(section);
  std::vector<std::string> rebuilt = lines;
  std::size_t trailing = s.lines.size();
  while (trailing > 0 && Trim(s.lines[trailing - 1]).empty()) --trailing;
  rebuilt.insert(rebuilt.end(), s.lines.begin() + static_cast<std::ptrdiff_t>(trailing),
                 s.lines.end());
  if (rebuilt != s.lines) {
    s.lines = std::move(rebuilt);
    changed_ = true;
  }
  const std::string_view name = Trim(section);
  bool first = true;
  const auto old_count = text_.sections.size();
  std::erase_if(text_.sections, [&](const TTextSection& other) {
    if (!SameText(other.name, name)) return false;
    if (first) {
      first = false;
      return false;
    }
    return true;
  });
  if (text_.sections.size() != old_count) changed_ = true;
}

void TSectionedConfigFile::EraseSection(std::string_view section) {
  const std::string_view name = Trim(section);
  const auto old_count = text_.sections.size();
  std::erase_if(text_.sections, [&](const TTextSection& s) { return SameText(s.name, name); });
  if (text_.sections.size() != old_count) changed_ = true;
}

std::string TSectionedConfigFile::Text() const { return text_.Text(); }

void TSectionedConfigFile::Save() {
  if (!changed_) return;
  if (path_.empty()) {
    changed_ = false;
    return;
  }
  try {
    WriteFileAtomically(path_, Utf8ToCp1252(Text()));
  } catch (const EAtomicWriteError& error) {
    throw std::runtime_error("Cannot write settings file \"" + path_ + "\": " + error.Reason());
  }
  changed_ = false;
}

}  // namespace zelvora
