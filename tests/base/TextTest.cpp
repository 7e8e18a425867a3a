#include <gtest/gtest.h>

#include "base/Text.h"

namespace zelvora {
namespace {

TEST(TextTest, TrimRemovesBlanksAndControlsAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01\f"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9");  // é is never cut
}

TEST(TextTest, UpperCaseCoversTheLettersOfWindows1252) {
  struct Row {
    const char* in;
    const char* out;
  };
  for (const Row row : {Row{"self", "SELF"}, Row{"Müller-ß", "MÜLLER-ß"}, Row{"àéîõü", "ÀÉÎÕÜ"},
                        Row{"÷×", "÷×"}, Row{"ÿ", "Ÿ"}, Row{"šœž", "ŠŒŽ"}, Row{"Ω", "Ω"},
                        Row{"\xC3"
                            "a",
                            "\xC3"
                            "A"},
                        Row{"\xC3", "\xC3"}}) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(UpperCase(row.in), row.out);
  }
}

TEST(TextTest, ComparisonIgnoresCaseInWindows1252Terms) {
  EXPECT_TRUE(SameText("Ève", "ÈVE"));
  EXPECT_TRUE(SameText("Self", "SELF"));
  EXPECT_FALSE(SameText("Self", "Selfe"));
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
}

}  // namespace
}  // namespace zelvora
