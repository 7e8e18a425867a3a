#include "APP/UpdControlFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {

TUpdControlFile::TUpdControlFile(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  std::ifstream in(path_, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + path_ + "\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read file \"" + path_ + "\"");
  exists_ = true;
  Parse(Cp1252ToUtf8(bytes));
}

TUpdControlFile TUpdControlFile::FromBytes(std::string_view bytes) {
  TUpdControlFile file;
  file.exists_ = true;
  file.Parse(Cp1252ToUtf8(bytes));
  return file;
}

void TUpdControlFile::Parse(std::string_view text) { text_ = TSectionedText::Parse(text); }

std::vector<std::string> TUpdControlFile::Entries(std::string_view section) const {
  const TTextSection* found = text_.Find(section);
  return found != nullptr ? found->lines : std::vector<std::string>{};
}

void TUpdControlFile::Clear(std::string_view section) {
  bool found = false;
  for (TTextSection& s : text_.sections) {
    if (SameText(s.name, Trim(section))) {
      s.lines.clear();
      found = true;
    }
  }
  if (!found) text_.Append(section);
}

std::string TUpdControlFile::Bytes() const { return Utf8ToCp1252(text_.Text()); }

void TUpdControlFile::Save() const {
  if (path_.empty()) return;
  const std::string bytes = Bytes();
  try {
    WriteFileAtomically(path_, bytes);
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot write file \"" + path_ + "\"");
  }
}

}  // namespace zelvora
