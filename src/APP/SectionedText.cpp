#include "APP/SectionedText.h"

#include "base/Text.h"

namespace zelvora {

bool TSectionedText::IsHeader(std::string_view line, std::string_view& name) {
  const std::string_view t = Trim(line);
  if (t.size() <= 2 || t.front() != '[' || t.back() != ']') return false;
  name = Trim(t.substr(1, t.size() - 2));
  return true;
}

TSectionedText TSectionedText::Parse(std::string_view text) {
  TSectionedText parsed;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    std::string_view name;
    if (IsHeader(line, name)) {
      parsed.sections.push_back(TTextSection{std::string(line), std::string(name), {}});
    } else if (parsed.sections.empty()) {
      parsed.preamble.emplace_back(line);
    } else {
      parsed.sections.back().lines.emplace_back(line);
    }
  }
  return parsed;
}

TTextSection* TSectionedText::Find(std::string_view name) {
  const std::string_view wanted = Trim(name);
  for (TTextSection& s : sections)
    if (SameText(s.name, wanted)) return &s;
  return nullptr;
}

const TTextSection* TSectionedText::Find(std::string_view name) const {
  return const_cast<TSectionedText*>(this)->Find(name);
}

TTextSection& TSectionedText::Append(std::string_view name) {
  const std::string trimmed(Trim(name));
  sections.push_back(TTextSection{"[" + trimmed + "]", trimmed, {}});
  return sections.back();
}

std::string TSectionedText::Text() const {
  std::string text;
  auto add = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (const std::string& line : preamble) add(line);
  for (const TTextSection& s : sections) {
    add(s.header);
    for (const std::string& line : s.lines) add(line);
  }
  return text;
}

}  // namespace zelvora
