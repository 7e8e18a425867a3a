#include "base/Text.h"

namespace zelvora {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Lead bytes of the two-byte UTF-8 forms of U+00C0-U+00FF and U+0100-U+017F.
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kLatinExtLead = 0xC5;

// Upper-cases the character starting at text[i] in place; returns its length.
std::size_t UpperAt(std::string& text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  if (c >= 'a' && c <= 'z') {
    text[i] = static_cast<char>(c - 'a' + 'A');
    return 1;
  }
  if (i + 1 >= text.size()) return 1;
  const unsigned char next = byte(i + 1);
  if ((next & 0xC0) != 0x80) return 1;  // not a two-byte character
  if (c == kLatin1Lead) {
    // à-þ (U+00E0-U+00FE) but ÷ (U+00F7) become À-Þ; ÿ (U+00FF) becomes Ÿ (U+0178).
    if (next >= 0xA0 && next <= 0xBE && next != 0xB7) {
      text[i + 1] = static_cast<char>(next - 0x20);
    } else if (next == 0xBF) {
      text[i] = static_cast<char>(kLatinExtLead);
      text[i + 1] = static_cast<char>(0xB8);
    }
    return 2;
  }
  if (c == kLatinExtLead) {
    // š (U+0161) Š, œ (U+0153) Œ, ž (U+017E) Ž: each one below its small form.
    if (next == 0xA1 || next == 0x93 || next == 0xBE) text[i + 1] = static_cast<char>(next - 1);
    return 2;
  }
  return 1;
}

}  // namespace

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return TrimRight(text);
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string UpperCase(std::string_view utf8) {
  std::string out(utf8);
  for (std::size_t i = 0; i < out.size();) i += UpperAt(out, i);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

int CompareText(std::string_view a, std::string_view b) {
  return UpperCase(a).compare(UpperCase(b));
}

}  // namespace zelvora
