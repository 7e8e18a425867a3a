#include "interchange/Lex.h"

#include <algorithm>
#include <ios>
#include <limits>

namespace zelvora {
namespace {

constexpr int kLineFeed = 10;
constexpr int kCarriageReturn = 13;
constexpr int kBlank = 32;

// ASCII only: the bytes of other Windows-1252 letters start no identifier.
bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
// Codes 1 to 32; code 0 is a character of its own.
bool IsWhite(int c) { return c >= 1 && c <= kBlank; }

std::string WithPosition(const std::string& message, int row, int col) {
  return message + " at row " + std::to_string(row) + ", col " + std::to_string(col);
}

}  // namespace

EParseError::EParseError(const std::string& message)
    : std::runtime_error(message), message_(message) {}

EParseError::EParseError(const std::string& message, int row, int col)
    : std::runtime_error(WithPosition(message, row, col)),
      message_(message),
      row_(row),
      col_(col) {}

// ---------------------------------------------------------------------------
// TReader

namespace {

// A std::istream as a byte source. A stream that can seek tells its size; one
// that cannot (a pipe) is read until it ends.
class TIStreamSource : public TByteSource {
 public:
  explicit TIStreamSource(std::istream& stream) : stream_(stream) {}

  std::int64_t Remaining() override {
    const std::istream::pos_type start = stream_.tellg();
    if (start == std::istream::pos_type(-1)) {
      stream_.clear(stream_.rdstate() & ~std::ios::failbit);
      return -1;
    }
    stream_.seekg(0, std::ios::end);
    const std::istream::pos_type end = stream_.tellg();
    stream_.clear(stream_.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
    stream_.seekg(start);
    if (end == std::istream::pos_type(-1)) return -1;
    return std::max<std::int64_t>(0, static_cast<std::int64_t>(end - start));
  }

  std::size_t Read(char* buffer, std::size_t count) override {
    stream_.read(buffer, static_cast<std::streamsize>(count));
    const std::streamsize got = stream_.gcount();
    if (stream_.bad()) throw std::ios_base::failure("TReader: read error");
    return static_cast<std::size_t>(std::max<std::streamsize>(got, 0));
  }

 private:
  std::istream& stream_;
};

}  // namespace

TReader::TReader(TByteSource& source) : source_(source), total_size_(source.Remaining()) {}

TReader::TReader(std::istream& stream)
    : owned_source_(std::make_unique<TIStreamSource>(stream)),
      source_(*owned_source_),
      total_size_(source_.Remaining()) {}

TReader::~TReader() = default;

bool TReader::Fill() {
  if (exhausted_) return false;
  std::size_t want = kBufferSize;
  if (total_size_ >= 0) {
    const std::int64_t left = total_size_ - position_;
    if (left <= 0) {
      exhausted_ = true;
      return false;
    }
    want = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(want)));
  }
  const std::size_t got = std::min(source_.Read(buffer_.data(), want), want);
  buffer_start_ = position_;
  buffer_end_ = position_ + static_cast<std::int64_t>(got);
  // A source that delivers less than asked has ended (also one that holds
  // less than it announced); it is not asked again.
  if (got < want) exhausted_ = true;
  return got > 0;
}

int TReader::ReadRaw() {
  if (position_ >= buffer_end_ && !Fill()) return -1;
  const auto c =
      static_cast<unsigned char>(buffer_[static_cast<std::size_t>(position_ - buffer_start_)]);
  ++position_;
  return c;
}

void TReader::Count(int c) {
  if (c == kLineFeed) {
    ++row_;
    col_ = 0;
  } else if (c != kCarriageReturn && c >= 0) {
    ++col_;
  }
}

int TReader::Next() {
  if (pushed_back_) {
    pushed_back_ = false;
    return last_;
  }
  last_ = ReadRaw();
  Count(last_);
  return last_;
}

int TReader::Peek() {
  if (!pushed_back_) {
    last_ = ReadRaw();
    Count(last_);
    pushed_back_ = true;
  }
  return last_;
}

// ---------------------------------------------------------------------------
// TLexer

TLexer::TLexer(TByteSource& source) : reader_(source) { Advance(); }

TLexer::TLexer(std::istream& stream) : reader_(stream) { Advance(); }

void TLexer::SkipWhite() {
  while (IsWhite(look_)) Advance();
}

void TLexer::Append(TToken& token, const char* what) {
  if (token.Text.size() >= kMaxTokenText) {
    throw EParseError(std::string("NextToken: ") + what + " longer than " +
                          std::to_string(kMaxTokenText) + " characters",
                      reader_.Row(), reader_.Col());
  }
  token.Text.push_back(static_cast<char>(look_));
}

std::unique_ptr<TToken> TLexer::Finish(std::unique_ptr<TToken> token) const {
  token->Row = reader_.Row();
  token->Col = reader_.Col();
  return token;
}

std::unique_ptr<TToken> TLexer::NextToken() {
  SkipWhite();
  if (look_ < 0) {
    auto token = std::make_unique<TToken>();
    token->Kind = TTokenKind::EndOfInput;
    return Finish(std::move(token));
  }
  if (IsLetter(look_)) return ReadWord();
  if (IsDigit(look_)) return ReadNumber();
  if (look_ == '\'') return ReadString();

  // Punctuation and every other character: one character, which carries its
  // own column because it is consumed only after the token is made.
  auto token = std::make_unique<TToken>();
  switch (look_) {
    case '.':
      token->Kind = TTokenKind::Period;
      break;
    case ':':
      token->Kind = TTokenKind::Colon;
      break;
    case ';':
      token->Kind = TTokenKind::Semicolon;
      break;
    case '=':
      token->Kind = TTokenKind::Equals;
      break;
    default:
      token->Kind = TTokenKind::Other;
      token->Text.assign(1, static_cast<char>(look_));
      break;
  }
  token = Finish(std::move(token));
  Advance();
  return token;
}

std::unique_ptr<TToken> TLexer::ReadWord() {
  auto token = std::make_unique<TToken>();
  while (IsLetter(look_) || IsDigit(look_)) {
    Append(*token, "Identifier");
    Advance();
  }
  // Keywords are exactly lower case; "Object" is an identifier.
  if (token->Text == "object") {
    token->Kind = TTokenKind::ObjectKeyword;
  } else if (token->Text == "end") {
    token->Kind = TTokenKind::EndKeyword;
  } else {
    token->Kind = TTokenKind::Ident;
  }
  if (token->Kind != TTokenKind::Ident) token->Text.clear();
  return Finish(std::move(token));
}

std::unique_ptr<TToken> TLexer::ReadNumber() {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  auto token = std::make_unique<TToken>();
  std::int32_t value = 0;
  while (IsDigit(look_)) {
    const int digit = look_ - '0';
    if (value > (kMax - digit) / 10) {
      throw EParseError("NextToken: Integer out of range", reader_.Row(), reader_.Col());
    }
    value = value * 10 + digit;
    Advance();
  }
  token->IntValue = value;
  if (look_ != '.') {
    token->Kind = TTokenKind::Integer;
    return Finish(std::move(token));
  }
  Advance();  // the point
  std::int32_t numerator = 0;
  std::int32_t divisor = 1;
  int digits = 0;
  while (IsDigit(look_)) {
    // Nine digits keep both the numerator and the divisor within 32 bits.
    if (++digits > kMaxFractionDigits) {
      throw EParseError(
          "NextToken: More than " + std::to_string(kMaxFractionDigits) + " fraction digits",
          reader_.Row(), reader_.Col());
    }
    numerator = numerator * 10 + (look_ - '0');
    divisor *= 10;
    Advance();
  }
  token->Kind = TTokenKind::Real;
  token->FracValue = numerator;
  token->RealValue = static_cast<double>(value) + static_cast<double>(numerator) / divisor;
  return Finish(std::move(token));
}

std::unique_ptr<TToken> TLexer::ReadString() {
  auto token = std::make_unique<TToken>();
  token->Kind = TTokenKind::String;
  Advance();  // the opening apostrophe; there is no closing one
  // The value runs to the first control character or the end of input.
  while (look_ >= kBlank) {
    if (look_ == '\\') {
      const int after = reader_.Peek();
      if (after == kCarriageReturn || after == kLineFeed) {
        // Continuation: the line break, the white space and empty lines after
        // it are dropped, and the value goes on with the next line's first
        // character in place of the backslash. When nothing follows, the value
        // simply ends there (and a control character after the continuation
        // ends it just as it would anywhere else).
        Advance();
        SkipWhite();
        continue;
      }
    }
    Append(*token, "String literal");
    Advance();
  }
  return Finish(std::move(token));
}

}  // namespace zelvora
