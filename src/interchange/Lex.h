// The tokenizer of the text object format: a buffered character source that
// counts rows and columns (TReader), the token it yields (TToken) and the
// lexer itself (TLexer).
//
// The lexer sees the file's Windows-1252 bytes: token texts are those bytes,
// not UTF-8 (the parser converts them when it stores them in objects), and
// letters outside ASCII are not letters.
//
// Callers may rely on:
//  - Positions: rows count line feeds from 0; the column counts the characters
//    read since the last line feed (carriage returns not counted), up to and
//    including the character that ended the token. One-character punctuation
//    and other characters carry their own column.
//  - Identifiers and string literals hold at most kMaxTokenText bytes;
//    integers and the digits after a point fit in 32 bits, with at most
//    kMaxFractionDigits of them. Longer input fails with an EParseError that
//    carries the position instead of being cut or wrapped.
//  - Nothing is read past the end of the stream, and every call consumes at
//    least one character or returns the end-of-input token, so a loop over
//    NextToken always ends.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>

namespace zelvora {

// A failure of the text object format. what() is the whole message, with
// " at row R, col C" when the failure has a position.
class EParseError : public std::runtime_error {
 public:
  explicit EParseError(const std::string& message);
  EParseError(const std::string& message, int row, int col);

  // The message without its position.
  const std::string& Message() const { return message_; }
  bool HasPosition() const { return row_ >= 0; }
  int Row() const { return row_; }
  int Col() const { return col_; }

 private:
  std::string message_;
  int row_ = -1;
  int col_ = -1;
};

// What the reader reads from: any stream of bytes. Implement it to parse from
// a stream that is not a std::istream (a scrambled package file, for one);
// its reads are asked for in blocks of TReader::kBufferSize bytes from where
// the source stands when the reader is created.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // The number of bytes from the current position to the end, or -1 when the
  // source cannot tell (it is then read until a read returns less than asked).
  virtual std::int64_t Remaining() = 0;
  // Reads up to `count` bytes; returns how many, less than `count` only at the
  // end. Failures are thrown and pass through the reader unchanged.
  virtual std::size_t Read(char* buffer, std::size_t count) = 0;
};

// Buffered character source over a stream (not owned). The size of the input
// is taken once, when the reader is created; what the stream gains later is
// not read. Read failures pass through: a std::istream's own exceptions, or
// std::ios_base::failure when its bad bit is set without one.
class TReader {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  explicit TReader(TByteSource& source);
  explicit TReader(std::istream& stream);
  ~TReader();
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  // The next character (0..255), or -1 at end of input.
  int Next();
  // The next character without consuming it for Next: the character is
  // counted in Row/Col now, and the following Next returns it again without
  // counting it twice. A second Peek returns the same character.
  int Peek();

  int Row() const { return row_; }
  int Col() const { return col_; }

 private:
  int ReadRaw();
  bool Fill();
  void Count(int c);

  std::unique_ptr<TByteSource> owned_source_;  // the adapter of a std::istream
  TByteSource& source_;
  std::int64_t total_size_ = -1;  // -1: read until the stream ends
  std::array<char, kBufferSize> buffer_{};
  std::int64_t buffer_start_ = 0;  // stream offset of buffer_[0]
  std::int64_t buffer_end_ = 0;    // one past the last buffered byte
  std::int64_t position_ = 0;      // bytes consumed
  bool exhausted_ = false;
  int last_ = -1;
  bool pushed_back_ = false;
  int row_ = 0;
  int col_ = 0;
};

enum class TTokenKind : int {
  Other = 0,
  EndOfInput = 1,
  Ident = 2,
  String = 3,
  Integer = 4,
  Real = 5,
  Equals = 6,
  Colon = 7,
  Semicolon = 8,
  Period = 9,
  ObjectKeyword = 100,
  EndKeyword = 101,
};

struct TToken {
  TTokenKind Kind = TTokenKind::Other;
  // Integer and real tokens: the digits before the point.
  std::int32_t IntValue = 0;
  // Real tokens: the digits after the point read as an integer.
  std::int32_t FracValue = 0;
  // Real tokens: IntValue + FracValue / 10^digits; 0 for every other kind.
  double RealValue = 0.0;
  // Identifier or string literal text (file bytes), or the one character of
  // an other-character token; empty for every other kind. c_str() is the
  // zero-terminated form.
  std::string Text;
  int Row = 0;
  int Col = 0;
};

class TLexer {
 public:
  // Identifiers and string literals longer than this are rejected.
  static constexpr std::size_t kMaxTokenText = 1023;
  static constexpr int kMaxFractionDigits = 9;

  // Both read the first character at once.
  explicit TLexer(TByteSource& source);
  explicit TLexer(std::istream& stream);
  TLexer(const TLexer&) = delete;
  TLexer& operator=(const TLexer&) = delete;

  std::unique_ptr<TToken> NextToken();

 private:
  void SkipWhite();
  void Advance() { look_ = reader_.Next(); }
  void Append(TToken& token, const char* what);
  std::unique_ptr<TToken> Finish(std::unique_ptr<TToken> token) const;
  std::unique_ptr<TToken> ReadWord();
  std::unique_ptr<TToken> ReadNumber();
  std::unique_ptr<TToken> ReadString();

  TReader reader_;
  int look_ = -1;  // the lookahead character, -1 at end of input
};

}  // namespace zelvora
