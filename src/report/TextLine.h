// Text line layout: the cutting of a paragraph into the pieces (words) from
// which the print engine fills its lines, the sentence-end test that decides
// where a wider gap goes between sentences, and small geometry helpers for
// rotated text and the preview's page grid.
//
// Callers may rely on:
//  - Single-byte cutting works on UTF-8 text and tests each character by its
//    Windows-1252 code against the break set, so pieces are never split inside
//    a character and characters outside the code page never break a line.
//  - Consecutive break characters give no empty pieces; a carriage return and
//    the protect toggle (byte 24) stay inside their piece.
//  - Double-byte mode works on the raw bytes of code page 936 text (lead bytes
//    0x81..0xFE take the following byte with them).
//  - NextPiece returns an empty string once the cursor has left the list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class TTextLine {
 public:
  // Double-byte mode always uses code page 936, whatever `code_page` says; in
  // single-byte mode the code page is not used.
  explicit TTextLine(bool double_byte = false, int code_page = 1252);
  // Cuts `text` at once (a zero-terminated text: cutting stops at a NUL byte).
  TTextLine(const char* text, bool double_byte, int code_page);
  // Cuts a counted string at once, always in single-byte mode.
  explicit TTextLine(std::string_view text);
  explicit TTextLine(const std::string& text) : TTextLine(std::string_view(text)) {}
  // A lone literal is a counted string too (and not the double-byte flag).
  explicit TTextLine(const char* text)
      : TTextLine(text == nullptr ? std::string_view() : std::string_view(text)) {}

  // Replaces the pieces with those of `text` and resets the direction.
  void SetText(std::string_view text);

  // The piece at the cursor, moving the cursor by the step; empty once the
  // cursor has left the list.
  std::string NextPiece();
  // 0 forward (cursor on the first piece), 1 backward (on the last piece).
  void SetDirection(int direction);
  int Direction() const { return direction_; }

  const std::vector<std::string>& Pieces() const { return pieces_; }
  bool DoubleByte() const { return double_byte_; }
  int CodePage() const { return code_page_; }

  // The break set holds Windows-1252 byte values; initially tab, line feed and
  // space.
  void AddBreak(unsigned char byte);
  void RemoveBreak(unsigned char byte);
  bool IsBreak(unsigned char byte) const;

 private:
  void CutSingleByte(std::string_view text);
  void CutDoubleByte(std::string_view text);

  bool double_byte_ = false;
  int code_page_ = 1252;
  std::array<std::uint8_t, 32> breaks_{};
  std::vector<std::string> pieces_;
  int direction_ = 0;
  std::ptrdiff_t cursor_ = 0;
  int step_ = 1;
};

// The two characters that attach to the piece before them in double-byte
// mode, as the bytes of the code page (code pages 936 and 932).
std::array<std::string, 2> AttachingMarks(int code_page);

// True when `word` ends a sentence: at least two characters, ending in ".",
// "!" or "?" (also just before a final double quote), not found inside the
// abbreviation text, and with fewer than two periods.
bool IsSentenceEnd(std::string_view word);

// The abbreviations a sentence never ends on, searched as plain text.
inline constexpr std::string_view kAbbreviations =
    "|Ud.|UD.|Dr.|G.|ns.|Ms.|Mr.|Mrs.|bzw.|d.|h.|tzn.|";

// Number of occurrences of byte `ch` in `s`.
int CountChar(std::string_view s, char ch);

inline constexpr double kPi = 3.1415926535897932385;
double DegToRad(double degrees);
double RadToDeg(double radians);
double SinDeg(double degrees);
double CosDeg(double degrees);

struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

// The cell `index` of a grid of `rows` × `columns` cells filling the
// rectangle; with `column_first` the cells are counted down the columns.
// Returns an empty rectangle at (left, top) when rows or columns are not
// positive.
TGridRect GridCellRect(int left, int top, int rows, int columns, bool column_first, int index,
                       int bottom, int right);

}  // namespace zelvora
