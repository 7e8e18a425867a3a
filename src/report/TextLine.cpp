#include "report/TextLine.h"

#include <cmath>

#include "base/Cp1252.h"

namespace zelvora {
namespace {

constexpr unsigned char kProtectToggle = 24;
constexpr unsigned char kCarriageReturn = 13;

// Length of the UTF-8 character starting with `lead` (1 for a stray byte, so
// a malformed text still advances).
std::size_t Utf8Length(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// The Windows-1252 code of the UTF-8 character, or -1 when the code page
// cannot hold it.
int Cp1252CodeOf(std::string_view utf8_char) {
  if (utf8_char.size() == 1) return static_cast<unsigned char>(utf8_char[0]);
  const std::string b = Utf8ToCp1252(utf8_char);
  if (b.size() != 1 || b[0] == '?') return -1;
  return static_cast<unsigned char>(b[0]);
}

}  // namespace

TTextLine::TTextLine(bool double_byte, int code_page)
    : double_byte_(double_byte), code_page_(double_byte ? 936 : code_page) {
  AddBreak(9);
  AddBreak(10);
  AddBreak(32);
}

TTextLine::TTextLine(const char* text, bool double_byte, int code_page)
    : TTextLine(double_byte, code_page) {
  SetText(text == nullptr ? std::string_view() : std::string_view(text));
}

TTextLine::TTextLine(std::string_view text) : TTextLine(false, 1252) { SetText(text); }

void TTextLine::AddBreak(unsigned char byte) {
  breaks_[byte / 8] |= std::uint8_t(1u << (byte % 8));
}
void TTextLine::RemoveBreak(unsigned char byte) {
  breaks_[byte / 8] &= std::uint8_t(~(1u << (byte % 8)));
}
bool TTextLine::IsBreak(unsigned char byte) const { return (breaks_[byte / 8] >> (byte % 8)) & 1u; }

void TTextLine::SetText(std::string_view text) {
  pieces_.clear();
  if (double_byte_)
    CutDoubleByte(text);
  else
    CutSingleByte(text);
  SetDirection(direction_);
}

void TTextLine::CutSingleByte(std::string_view text) {
  bool is_protected = false;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len =
        std::min(Utf8Length(static_cast<unsigned char>(text[pos])), text.size() - pos);
    const int code = Cp1252CodeOf(text.substr(pos, len));
    if (code == kProtectToggle) {
      is_protected = !is_protected;
    } else if (code >= 0 && code != kCarriageReturn && !is_protected &&
               IsBreak(static_cast<unsigned char>(code))) {
      if (pos > start) pieces_.emplace_back(text.substr(start, pos - start));
      start = pos + len;
    }
    pos += len;
  }
  if (text.size() > start) pieces_.emplace_back(text.substr(start));
}

std::array<std::string, 2> AttachingMarks(int code_page) {
  if (code_page == 932) return {std::string("\x81\x42"), std::string("\x81\x41")};
  return {std::string("\xA1\xA3"), std::string("\xA3\xAC")};
}

void TTextLine::CutDoubleByte(std::string_view text) {
  const auto marks = AttachingMarks(code_page_);
  bool in_word = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    // Lead bytes of code page 936 take the next byte with them; a lead byte at
    // the very end stands alone.
    const std::size_t len = (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size()) ? 2 : 1;
    const std::string_view ch = text.substr(pos, len);
    pos += len;
    if (ch == marks[0] || ch == marks[1]) {
      if (pieces_.empty())
        pieces_.emplace_back(ch);
      else
        pieces_.back().append(ch);
      in_word = false;
    } else if (len == 1 && lead >= 33 && lead <= 122) {
      if (in_word && !pieces_.empty())
        pieces_.back().append(ch);
      else
        pieces_.emplace_back(ch);
      in_word = true;
    } else if (len == 1 && lead == ' ') {
      if (in_word && !pieces_.empty()) {
        pieces_.back().append(ch);
        in_word = false;
      } else {
        pieces_.emplace_back(ch);
        in_word = true;
      }
    } else {
      pieces_.emplace_back(ch);
      in_word = false;
    }
  }
}

std::string TTextLine::NextPiece() {
  if (cursor_ < 0 || cursor_ >= static_cast<std::ptrdiff_t>(pieces_.size())) return {};
  std::string piece = pieces_[static_cast<std::size_t>(cursor_)];
  cursor_ += step_;
  return piece;
}

void TTextLine::SetDirection(int direction) {
  direction_ = direction == 1 ? 1 : 0;
  if (direction_ == 0) {
    cursor_ = 0;
    step_ = 1;
  } else {
    cursor_ = static_cast<std::ptrdiff_t>(pieces_.size()) - 1;
    step_ = -1;
  }
}

bool IsSentenceEnd(std::string_view word) {
  if (Cp1252Length(word) < 2) return false;
  char last = word.back();
  if (last == '"') last = word[word.size() - 2];
  if (last != '.' && last != '!' && last != '?') return false;
  if (kAbbreviations.find(word) != std::string_view::npos) return false;
  return CountChar(word, '.') < 2;
}

int CountChar(std::string_view s, char ch) {
  int n = 0;
  for (char c : s)
    if (c == ch) ++n;
  return n;
}

double DegToRad(double degrees) { return degrees * kPi / 180.0; }
double RadToDeg(double radians) { return radians * 180.0 / kPi; }
double SinDeg(double degrees) { return std::sin(DegToRad(degrees)); }
double CosDeg(double degrees) { return std::cos(DegToRad(degrees)); }

TGridRect GridCellRect(int left, int top, int rows, int columns, bool column_first, int index,
                       int bottom, int right) {
  if (rows <= 0 || columns <= 0 || index < 0) return {left, top, left, top};
  const int width = (right - left) / columns;
  const int height = (bottom - top) / rows;
  int row = 0;
  int column = 0;
  if (column_first) {
    row = index % rows;
    column = (index / rows) % columns;
  } else {
    row = (index / columns) % rows;
    column = index % columns;
  }
  const int x = left + column * width;
  const int y = top + row * height;
  return {x, y, x + width, y + height};
}

}  // namespace zelvora
