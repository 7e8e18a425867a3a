// The tokenizer of the text object format: characters and positions, token
// kinds, string literals with continuation lines, and the limits of the token
// buffer and of numbers.
#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "interchange/Lex.h"

namespace zelvora {
namespace {

std::vector<TToken> Lex(const std::string& input) {
  std::istringstream stream(input);
  TLexer lexer(stream);
  std::vector<TToken> tokens;
  for (;;) {
    auto token = lexer.NextToken();
    tokens.push_back(*token);
    if (token->Kind == TTokenKind::EndOfInput) return tokens;
    if (tokens.size() > input.size() + 1) {
      ADD_FAILURE() << "lexer does not advance";
      return tokens;
    }
  }
}

TToken First(const std::string& input) { return Lex(input).front(); }

std::string LexError(const std::string& input) {
  try {
    Lex(input);
  } catch (const EParseError& e) {
    return e.what();
  }
  return "(no error)";
}

// A stream buffer that hands out its bytes in small pieces and cannot seek,
// like a pipe.
class TrickleBuf : public std::streambuf {
 public:
  explicit TrickleBuf(std::string data) : data_(std::move(data)) {}

 protected:
  int_type underflow() override {
    if (pos_ >= data_.size()) return traits_type::eof();
    const std::size_t n = std::min<std::size_t>(3, data_.size() - pos_);
    chunk_.assign(data_, pos_, n);
    pos_ += n;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + n);
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  std::string data_;
  std::string chunk_;
  std::size_t pos_ = 0;
};

// A stream buffer whose reads fail after some bytes.
class FailingBuf : public std::streambuf {
 protected:
  int_type underflow() override {
    if (served_) throw std::runtime_error("disk gone");
    served_ = true;
    setg(data_, data_, data_ + 4);
    return 'o';
  }

 private:
  char data_[4] = {'o', 'b', 'j', ' '};
  bool served_ = false;
};

// ---------------------------------------------------------------------------
// Reader: characters, rows, columns

TEST(TextReader, CountsRowsByLineFeedAndColumnsWithoutCarriageReturns) {
  std::istringstream stream("ab\r\nc\n\n");
  TReader reader(stream);
  EXPECT_EQ(reader.Next(), 'a');
  EXPECT_EQ(reader.Col(), 1);
  EXPECT_EQ(reader.Next(), 'b');
  EXPECT_EQ(reader.Next(), '\r');
  EXPECT_EQ(reader.Row(), 0);
  EXPECT_EQ(reader.Col(), 2);
  EXPECT_EQ(reader.Next(), '\n');
  EXPECT_EQ(reader.Row(), 1);
  EXPECT_EQ(reader.Col(), 0);
  EXPECT_EQ(reader.Next(), 'c');
  EXPECT_EQ(reader.Next(), '\n');
  EXPECT_EQ(reader.Next(), '\n');
  EXPECT_EQ(reader.Row(), 3);
  EXPECT_EQ(reader.Next(), -1);
  EXPECT_EQ(reader.Next(), -1);
  EXPECT_EQ(reader.Row(), 3);
  EXPECT_EQ(reader.Col(), 0);
}

TEST(TextReader, PeekCountsOnceAndReturnsTheSameCharacterAgain) {
  std::istringstream stream("xy");
  TReader reader(stream);
  EXPECT_EQ(reader.Peek(), 'x');
  EXPECT_EQ(reader.Col(), 1);
  EXPECT_EQ(reader.Peek(), 'x');
  EXPECT_EQ(reader.Next(), 'x');
  EXPECT_EQ(reader.Col(), 1);
  EXPECT_EQ(reader.Next(), 'y');
  EXPECT_EQ(reader.Col(), 2);
  EXPECT_EQ(reader.Peek(), -1);
  EXPECT_EQ(reader.Next(), -1);
}

TEST(TextReader, ReturnsHighBytesAsUnsignedAndReadsAcrossBufferRefills) {
  std::string data(TReader::kBufferSize * 2 + 7, 'a');
  data[TReader::kBufferSize - 1] = '\xE9';
  data[TReader::kBufferSize] = '\0';
  data.back() = '\xFF';
  std::istringstream stream(data);
  TReader reader(stream);
  std::size_t n = 0;
  for (int c = reader.Next(); c != -1; c = reader.Next(), ++n) {
    if (n == TReader::kBufferSize - 1) {
      EXPECT_EQ(c, 0xE9);
    } else if (n == TReader::kBufferSize) {
      EXPECT_EQ(c, 0);
    } else if (n == data.size() - 1) {
      EXPECT_EQ(c, 0xFF);
    } else {
      ASSERT_EQ(c, 'a') << "at " << n;
    }
  }
  EXPECT_EQ(n, data.size());
  EXPECT_EQ(reader.Col(), static_cast<int>(data.size()));
}

TEST(TextReader, StartsAtTheStreamsPositionAndReadsOnlyWhatWasThereAtCreation) {
  std::stringstream stream;
  stream << "skip:ab";
  stream.seekg(5);
  TReader reader(stream);
  stream.seekp(0, std::ios::end);
  stream << "cd";  // written after the size was taken
  EXPECT_EQ(reader.Next(), 'a');
  EXPECT_EQ(reader.Next(), 'b');
  EXPECT_EQ(reader.Next(), -1);
}

TEST(TextReader, ReadsAStreamThatCannotSeekUntilItEnds) {
  TrickleBuf buf("object\nend");
  std::istream stream(&buf);
  TLexer lexer(stream);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::ObjectKeyword);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndKeyword);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndOfInput);
}

TEST(TextReader, PassesReadFailuresOfTheStreamThrough) {
  {
    FailingBuf buf;
    std::istream stream(&buf);
    stream.exceptions(std::ios::badbit);
    EXPECT_THROW(TLexer lexer(stream), std::runtime_error);
  }
  {
    FailingBuf buf;
    std::istream stream(&buf);
    EXPECT_THROW(TLexer lexer(stream), std::ios_base::failure);
  }
}

// A byte source that records the reads asked of it and may announce more
// bytes than it holds.
class RecordingSource : public TByteSource {
 public:
  RecordingSource(std::string data, std::int64_t announced)
      : data_(std::move(data)), announced_(announced) {}
  std::int64_t Remaining() override { return announced_; }
  std::size_t Read(char* buffer, std::size_t count) override {
    calls.emplace_back(pos_, count);
    const std::size_t n = std::min(count, data_.size() - pos_);
    data_.copy(buffer, n, pos_);
    pos_ += n;
    return n;
  }
  std::vector<std::pair<std::size_t, std::size_t>> calls;

 private:
  std::string data_;
  std::size_t pos_ = 0;
  std::int64_t announced_;
};

TEST(TextReader, ReadsWholeBlocksFromTheStartOfTheSource) {
  // Scrambled package files depend on every read starting at a multiple of
  // the block size.
  const std::string data(TReader::kBufferSize * 2 + 10, 'z');
  RecordingSource source(data, static_cast<std::int64_t>(data.size()));
  TReader reader(source);
  std::size_t n = 0;
  while (reader.Next() != -1) ++n;
  EXPECT_EQ(n, data.size());
  const std::vector<std::pair<std::size_t, std::size_t>> expected = {
      {0, TReader::kBufferSize},
      {TReader::kBufferSize, TReader::kBufferSize},
      {2 * TReader::kBufferSize, 10}};
  EXPECT_EQ(source.calls, expected);
}

TEST(TextReader, EndsWhenTheSourceHoldsLessThanItAnnounced) {
  RecordingSource source("object", 100000);
  TLexer lexer(source);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::ObjectKeyword);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndOfInput);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndOfInput);
  EXPECT_EQ(source.calls.size(), 1u);
}

TEST(TextReader, ReadsASourceOfUnknownSizeUntilItEnds) {
  RecordingSource source(std::string(TReader::kBufferSize + 1, ' ') + "end", -1);
  TLexer lexer(source);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndKeyword);
  EXPECT_EQ(lexer.NextToken()->Kind, TTokenKind::EndOfInput);
}

// ---------------------------------------------------------------------------
// Token kinds and positions

TEST(TextLexer, ClassifiesEveryKindOfToken) {
  const auto tokens = Lex("object end Name _x9 'text\n42 3.25 7. = : ; . - \x01 Object END");
  const std::vector<TTokenKind> kinds = {
      TTokenKind::ObjectKeyword, TTokenKind::EndKeyword, TTokenKind::Ident,
      TTokenKind::Ident,         TTokenKind::String,     TTokenKind::Integer,
      TTokenKind::Real,          TTokenKind::Real,       TTokenKind::Equals,
      TTokenKind::Colon,         TTokenKind::Semicolon,  TTokenKind::Period,
      TTokenKind::Other,         TTokenKind::Ident,      TTokenKind::Ident,
      TTokenKind::EndOfInput};
  ASSERT_EQ(tokens.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(tokens[i].Kind, kinds[i]) << i;
  EXPECT_EQ(tokens[2].Text, "Name");
  EXPECT_EQ(tokens[3].Text, "_x9");
  EXPECT_EQ(tokens[4].Text, "text");
  EXPECT_EQ(tokens[12].Text, "-");
  // Keywords, numbers and punctuation carry no text.
  for (std::size_t i : {0u, 1u, 5u, 6u, 8u, 9u, 10u, 11u}) EXPECT_EQ(tokens[i].Text, "") << i;
  EXPECT_EQ(tokens[13].Text, "Object");
  EXPECT_EQ(tokens[14].Text, "END");
}

TEST(TextLexer, CodeZeroIsAnOtherCharacterButCodeOneIsWhiteSpace) {
  const std::string input("\x01\x1F\x00", 3);
  const auto tokens = Lex(input);
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].Kind, TTokenKind::Other);
  EXPECT_EQ(tokens[0].Text, std::string(1, '\0'));
}

TEST(TextLexer, LettersOutsideAsciiAreOtherCharacters) {
  const auto tokens = Lex("\xE9t\xE9");
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0].Kind, TTokenKind::Other);
  EXPECT_EQ(tokens[0].Text, "\xE9");
  EXPECT_EQ(tokens[1].Kind, TTokenKind::Ident);
  EXPECT_EQ(tokens[1].Text, "t");
  EXPECT_EQ(tokens[2].Kind, TTokenKind::Other);
}

TEST(TextLexer, TokensCarryThePositionWhereTheyEnded) {
  // "Name" ends at the blank after it (col 7); the string at the line break
  // (next row, col 0); the integer at the carriage return, which is not
  // counted; punctuation carries its own column.
  const auto tokens = Lex("  Name 'X\n12\r\n=\n  end");
  ASSERT_EQ(tokens.size(), 6u);
  EXPECT_EQ(tokens[0].Row, 0);
  EXPECT_EQ(tokens[0].Col, 7);
  EXPECT_EQ(tokens[1].Row, 1);
  EXPECT_EQ(tokens[1].Col, 0);
  EXPECT_EQ(tokens[2].Row, 1);
  EXPECT_EQ(tokens[2].Col, 2);
  EXPECT_EQ(tokens[3].Kind, TTokenKind::Equals);
  EXPECT_EQ(tokens[3].Row, 2);
  EXPECT_EQ(tokens[3].Col, 1);
  EXPECT_EQ(tokens[4].Kind, TTokenKind::EndKeyword);
  EXPECT_EQ(tokens[4].Row, 3);
  EXPECT_EQ(tokens[4].Col, 5);
  EXPECT_EQ(tokens[5].Kind, TTokenKind::EndOfInput);
  EXPECT_EQ(tokens[5].Row, 3);
  EXPECT_EQ(tokens[5].Col, 5);
}

TEST(TextLexer, EmptyAndBlankInputGiveOnlyTheEndToken) {
  for (const std::string input : {"", " \r\n\t \n"}) {
    const auto tokens = Lex(input);
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].Kind, TTokenKind::EndOfInput);
  }
}

// ---------------------------------------------------------------------------
// Numbers

TEST(TextLexer, ReadsIntegersAndRealsWithTheirParts) {
  const auto tokens = Lex("7 12.040 36526.5 5. 0.0000001 2147483647");
  EXPECT_EQ(tokens[0].Kind, TTokenKind::Integer);
  EXPECT_EQ(tokens[0].IntValue, 7);
  EXPECT_EQ(tokens[0].RealValue, 0.0);
  EXPECT_EQ(tokens[1].Kind, TTokenKind::Real);
  EXPECT_EQ(tokens[1].IntValue, 12);
  EXPECT_EQ(tokens[1].FracValue, 40);
  EXPECT_DOUBLE_EQ(tokens[1].RealValue, 12.04);
  EXPECT_DOUBLE_EQ(tokens[2].RealValue, 36526.5);
  EXPECT_EQ(tokens[3].Kind, TTokenKind::Real);
  EXPECT_EQ(tokens[3].IntValue, 5);
  EXPECT_EQ(tokens[3].FracValue, 0);
  EXPECT_DOUBLE_EQ(tokens[4].RealValue, 1e-7);
  EXPECT_EQ(tokens[5].IntValue, 2147483647);
}

TEST(TextLexer, ASecondPointEndsTheRealAndSignsAreNotPartOfNumbers) {
  const auto tokens = Lex("1.2.3 -4");
  ASSERT_EQ(tokens.size(), 6u);
  EXPECT_EQ(tokens[0].Kind, TTokenKind::Real);
  EXPECT_EQ(tokens[1].Kind, TTokenKind::Period);
  EXPECT_EQ(tokens[2].Kind, TTokenKind::Integer);
  EXPECT_EQ(tokens[3].Kind, TTokenKind::Other);
  EXPECT_EQ(tokens[4].IntValue, 4);
}

TEST(TextLexer, RejectsNumbersThatDoNotFitInsteadOfWrapping) {
  EXPECT_EQ(LexError("ID 2147483648"), "NextToken: Integer out of range at row 0, col 13");
  EXPECT_EQ(LexError("\n99999999999999999999"), "NextToken: Integer out of range at row 1, col 10");
  EXPECT_EQ(LexError("Date 1.123456789 x"), "(no error)");
  EXPECT_EQ(LexError("Date 1.1234567890"),
            "NextToken: More than 9 fraction digits at row 0, col 17");
  EXPECT_EQ(LexError("Date 1.99999999999999999999"),
            "NextToken: More than 9 fraction digits at row 0, col 17");
}

// ---------------------------------------------------------------------------
// String literals

TEST(TextLexer, StringLiteralsRunToTheEndOfTheLine) {
  struct Case {
    std::string input;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"'O'Brien\r\n", "O'Brien"},
      {"'X'\n", "X'"},
      {"'\n", ""},
      {"'", ""},
      {"'trailing  \r\n", "trailing  "},
      {"'tab\there", "tab"},
      {"'no line end", "no line end"},
      {"'caf\xE9 \x80", "caf\xE9 \x80"},
      {"'back\\slash", "back\\slash"},
      {"'ends in backslash\\", "ends in backslash\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const auto token = First(c.input);
    EXPECT_EQ(token.Kind, TTokenKind::String) << c.input;
    EXPECT_EQ(token.Text, c.text) << c.input;
  }
}

TEST(TextLexer, StringLiteralStopsAtCodeZero) {
  const auto tokens = Lex(std::string("'nul\0after", 10));
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0].Text, "nul");
  EXPECT_EQ(tokens[1].Kind, TTokenKind::Other);
  EXPECT_EQ(tokens[2].Text, "after");
}

TEST(TextLexer, TheRestOfALineAfterATabIsTokenized) {
  const auto tokens = Lex("'a\tb c");
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0].Text, "a");
  EXPECT_EQ(tokens[1].Text, "b");
  EXPECT_EQ(tokens[2].Text, "c");
}

TEST(TextLexer, ContinuationJoinsLinesWithoutTheBreakAndIndentation) {
  struct Case {
    std::string input;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"'first part\\\n   second\n", "first partsecond"},
      {"'first part\\\r\n    second\r\n", "first partsecond"},
      {"'a\\\r\n\r\n\t\r\n  b\\\n c", "abc"},
      {"'keep \\\n  blank", "keep blank"},
      {"'a\\\\\nb", "a\\b"},
      {"'a\\ b", "a\\ b"},
      // A continuation with nothing after it ends the value and adds nothing.
      {"'tail\\\n", "tail"},
      {"'tail\\\r\n  \r\n  ", "tail"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const auto tokens = Lex(c.input);
    ASSERT_EQ(tokens.size(), 2u) << c.input;
    EXPECT_EQ(tokens[0].Kind, TTokenKind::String) << c.input;
    EXPECT_EQ(tokens[0].Text, c.text) << c.input;
  }
}

TEST(TextLexer, ContinuationCountsTheRowsItSkips) {
  const auto tokens = Lex("'a\\\r\n  b\\\n\n  c\nend");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].Text, "abc");
  EXPECT_EQ(tokens[0].Row, 4);
  EXPECT_EQ(tokens[0].Col, 0);
  EXPECT_EQ(tokens[1].Kind, TTokenKind::EndKeyword);
  EXPECT_EQ(tokens[1].Row, 4);
  EXPECT_EQ(tokens[1].Col, 3);
}

TEST(TextLexer, AControlCharacterAfterAContinuationEndsTheValue) {
  const auto tokens = Lex(std::string("'a\\\n  \0b", 8));
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0].Text, "a");
  EXPECT_EQ(tokens[1].Kind, TTokenKind::Other);
  EXPECT_EQ(tokens[2].Text, "b");
}

// ---------------------------------------------------------------------------
// Token buffer limits

TEST(TextLexer, AcceptsTextsOfUpTo1023Characters) {
  const std::string word(TLexer::kMaxTokenText, 'w');
  EXPECT_EQ(First(word).Text, word);
  EXPECT_EQ(First("'" + word + "\n").Text, word);
  // A continued value counts its joined length.
  const std::string half(TLexer::kMaxTokenText / 2, 'h');
  EXPECT_EQ(First("'" + half + "\\\n" + half + "x").Text, half + half + "x");
}

TEST(TextLexer, RejectsLongerTextsWithTheirPosition) {
  const std::string word(TLexer::kMaxTokenText + 1, 'w');
  EXPECT_EQ(LexError("\n" + word),
            "NextToken: Identifier longer than 1023 characters at row 1, col 1024");
  EXPECT_EQ(LexError("'" + word),
            "NextToken: String literal longer than 1023 characters at row 0, col 1025");
  EXPECT_EQ(LexError("'" + std::string(600, 'a') + "\\\n  " + std::string(600, 'b')),
            "NextToken: String literal longer than 1023 characters at row 1, col 426");
  EXPECT_EQ(LexError("'" + std::string(100000, 'x')),
            "NextToken: String literal longer than 1023 characters at row 0, col 1025");
}

TEST(TextLexer, ErrorsCarryTheirMessageAndPositionSeparately) {
  try {
    Lex("\n\n 4294967296");
    FAIL() << "no error";
  } catch (const EParseError& e) {
    EXPECT_EQ(e.Message(), "NextToken: Integer out of range");
    EXPECT_TRUE(e.HasPosition());
    EXPECT_EQ(e.Row(), 2);
    EXPECT_EQ(e.Col(), 11);
  }
}

}  // namespace
}  // namespace zelvora
