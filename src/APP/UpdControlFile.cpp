#include "APP/UpdControlFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {
namespace {

bool IsHeader(std::string_view line) {
  return line.size() > 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

TUpdControlFile::TUpdControlFile(std::string path) : FPath(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(FPath, ec)) return;
  std::ifstream in(FPath, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + FPath + "\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read file \"" + FPath + "\"");
  FExists = true;
  Parse(Cp1252ToUtf8(bytes));
}

TUpdControlFile TUpdControlFile::FromBytes(std::string_view bytes) {
  TUpdControlFile file;
  file.FExists = true;
  file.Parse(Cp1252ToUtf8(bytes));
  return file;
}

// Lines end at CR LF, LF or a lone CR; a final line break ends the last line
// rather than starting an empty one.
void TUpdControlFile::Parse(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    std::string line(text.substr(pos, end == std::string_view::npos ? text.npos : end - pos));
    if (end == std::string_view::npos) {
      pos = text.size();
    } else {
      pos = end + 1;
      if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    if (IsHeader(line)) {
      TSection section;
      section.Name = line.substr(1, line.size() - 2);
      section.Header = std::move(line);
      FSections.push_back(std::move(section));
    } else if (FSections.empty()) {
      FPreamble.push_back(std::move(line));
    } else {
      FSections.back().Lines.push_back(std::move(line));
    }
  }
}

std::vector<std::string> TUpdControlFile::Entries(std::string_view section) const {
  for (const TSection& s : FSections) {
    if (SameText(s.Name, section)) return s.Lines;
  }
  return {};
}

void TUpdControlFile::Clear(std::string_view section) {
  bool found = false;
  for (TSection& s : FSections) {
    if (SameText(s.Name, section)) {
      s.Lines.clear();
      found = true;
    }
  }
  if (!found) {
    TSection added;
    added.Name = std::string(section);
    added.Header = "[" + added.Name + "]";
    FSections.push_back(std::move(added));
  }
}

std::string TUpdControlFile::Bytes() const {
  std::string text;
  auto add = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (const std::string& line : FPreamble) add(line);
  for (const TSection& s : FSections) {
    add(s.Header);
    for (const std::string& line : s.Lines) add(line);
  }
  return Utf8ToCp1252(text);
}

void TUpdControlFile::Save() const {
  if (FPath.empty()) return;
  const std::string bytes = Bytes();
  try {
    WriteFileAtomically(FPath, bytes);
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot write file \"" + FPath + "\"");
  }
}

}  // namespace zelvora
