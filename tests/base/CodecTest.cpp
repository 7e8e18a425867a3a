#include <gtest/gtest.h>

#include "base/Cp1252.h"

namespace zelvora {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, MapsTheWindowsRangeAndLatin1) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x93"
                         "a\x94"),
            "\xE2\x80\x9C"
            "a\xE2\x80\x9D");
  EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToCp1252("caf\xC3\xA9"), "caf\xE9");
}

TEST(Cp1252, UnrepresentableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // a CJK character
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");        // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xFF"
                         "b"),
            "?b");  // invalid lead byte
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"
                         "x"),
            "?x");  // outside the BMP
}

TEST(Cp1252, LengthsAndCutsCountFileCharacters) {
  const std::string text = "\xC3\xA9t\xC3\xA9";  // "été": 3 characters, 5 bytes
  EXPECT_EQ(Cp1252Length(text), 3u);
  EXPECT_EQ(CutToChars(text, 2), "\xC3\xA9t");
  EXPECT_EQ(CutToChars(text, 10), text);
  EXPECT_EQ(CutToChars(text, 0), "");
}

}  // namespace
}  // namespace zelvora
