// Cutting paragraphs into pieces, the sentence-end test, the zero-terminated
// buffer and the geometry helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/StrZ.h"
#include "report/TextLine.h"

namespace zelvora {
namespace {

using Pieces = std::vector<std::string>;

std::vector<std::string> Drain(TTextLine& line) {
  std::vector<std::string> out;
  for (std::string p = line.NextPiece(); !p.empty(); p = line.NextPiece()) out.push_back(p);
  return out;
}

TEST(TextLineSingleByte, BreaksAtBlanksTabsAndLineFeedsWithoutEmptyPieces) {
  EXPECT_EQ(TTextLine("one  two\tthree").Pieces(), (Pieces{"one", "two", "three"}));
  EXPECT_EQ(TTextLine("  lead and trail \n").Pieces(), (Pieces{"lead", "and", "trail"}));
  EXPECT_TRUE(TTextLine("").Pieces().empty());
  EXPECT_TRUE(TTextLine(" \t\n ").Pieces().empty());
}

TEST(TextLineSingleByte, CarriageReturnAndProtectedRunsStayInsideTheirPiece) {
  EXPECT_EQ(TTextLine("a\r\nb").Pieces(), (Pieces{"a\r", "b"}));
  EXPECT_EQ(TTextLine("end\r").Pieces(), (Pieces{"end\r"}));
  EXPECT_EQ(TTextLine("x \x18keep this\x18 y").Pieces(), (Pieces{"x", "\x18keep this\x18", "y"}));
  // A protected run left open at the end still gives its last piece.
  EXPECT_EQ(TTextLine("x \x18open run").Pieces(), (Pieces{"x", "\x18open run"}));
}

TEST(TextLineSingleByte, KeepsUtf8CharactersWholeAndHonoursAddedBreaks) {
  // "naïve café" in UTF-8: the non-ASCII characters never split a piece.
  EXPECT_EQ(TTextLine("na\xC3\xAFve caf\xC3\xA9").Pieces(),
            (Pieces{"na\xC3\xAFve", "caf\xC3\xA9"}));
  TTextLine line;
  line.AddBreak(0xB7);  // middle dot of the code page
  line.SetText(
      "a\xC2\xB7"
      "b c");
  EXPECT_EQ(line.Pieces(), (Pieces{"a", "b", "c"}));
  line.RemoveBreak(' ');
  line.SetText("a b");
  EXPECT_EQ(line.Pieces(), (Pieces{"a b"}));
}

TEST(TextLineSingleByte, ZeroTerminatedFormStopsAtTheTerminator) {
  const char text[] = "one two\0three";
  TTextLine line(text, false, 1252);
  EXPECT_EQ(line.Pieces(), (Pieces{"one", "two"}));
  TTextLine null_text(nullptr, false, 1252);
  EXPECT_TRUE(null_text.Pieces().empty());
}

TEST(TextLineDirection, ForwardAndBackwardThenEmpty) {
  TTextLine line("one two three");
  EXPECT_EQ(Drain(line), (Pieces{"one", "two", "three"}));
  EXPECT_EQ(line.NextPiece(), "");
  line.SetDirection(1);
  EXPECT_EQ(Drain(line), (Pieces{"three", "two", "one"}));
  EXPECT_EQ(line.NextPiece(), "");
  // Cutting a new text keeps the direction chosen.
  line.SetText("a b");
  EXPECT_EQ(Drain(line), (Pieces{"b", "a"}));
  TTextLine empty("");
  empty.SetDirection(1);
  EXPECT_EQ(empty.NextPiece(), "");
}

TEST(TextLineDoubleByte, ChineseCharactersArePiecesWithMarksAttached) {
  // Two ideographs (code page 936 bytes), a comma, Latin words and a full stop.
  const std::string zhong = "\xD6\xD0", wen = "\xCE\xC4";
  const std::string full_stop = "\xA1\xA3", comma = "\xA3\xAC";
  TTextLine dbcs((zhong + wen + comma + "Qt 6 " + zhong + full_stop).c_str(), true, 1252);
  EXPECT_TRUE(dbcs.DoubleByte());
  EXPECT_EQ(dbcs.CodePage(), 936);
  EXPECT_EQ(dbcs.Pieces(), (Pieces{zhong, wen + comma, "Qt ", "6 ", zhong + full_stop}));
}

TEST(TextLineDoubleByte, LeadingMarkAndLoneSpacesFormTheirOwnPieces) {
  const std::string full_stop = "\xA1\xA3";
  TTextLine a((full_stop + "ab").c_str(), true, 936);
  EXPECT_EQ(a.Pieces(), (Pieces{full_stop, "ab"}));
  // A space outside a word starts a piece that the following word joins.
  TTextLine b("\xD6\xD0 ab", true, 936);
  EXPECT_EQ(b.Pieces(), (Pieces{"\xD6\xD0", " ab"}));
  // A lead byte at the very end stands alone rather than reading past the end.
  TTextLine c("ab\xD6", true, 936);
  EXPECT_EQ(c.Pieces(), (Pieces{"ab", "\xD6"}));
}

TEST(TextLineMarks, CodePage932HasItsOwnMarks) {
  EXPECT_EQ(AttachingMarks(932)[0], "\x81\x42");
  EXPECT_EQ(AttachingMarks(932)[1], "\x81\x41");
  EXPECT_EQ(AttachingMarks(936)[0], "\xA1\xA3");
}

TEST(SentenceEnd, AbbreviationsPeriodsAndQuotes) {
  EXPECT_TRUE(IsSentenceEnd("done."));
  EXPECT_TRUE(IsSentenceEnd("Why?"));
  EXPECT_TRUE(IsSentenceEnd("Stop!"));
  EXPECT_TRUE(IsSentenceEnd("said.\""));
  EXPECT_TRUE(IsSentenceEnd("a."));
  EXPECT_FALSE(IsSentenceEnd("Dr."));
  EXPECT_FALSE(IsSentenceEnd("Mrs."));
  EXPECT_FALSE(IsSentenceEnd("s."));  // inside "ns.", "Ms." and "Mrs."
  EXPECT_FALSE(IsSentenceEnd("etc"));
  EXPECT_FALSE(IsSentenceEnd("U.S."));
  EXPECT_FALSE(IsSentenceEnd("."));
  EXPECT_FALSE(IsSentenceEnd(""));
  EXPECT_FALSE(IsSentenceEnd("\""));
  EXPECT_FALSE(IsSentenceEnd("quote\""));
}

TEST(StringZ, GrowsFillsAndStaysTerminated) {
  TStringZ z(3);
  EXPECT_EQ(z.Capacity(), 3u);
  EXPECT_EQ(z.Str(), "");
  z.Assign("longer text");
  EXPECT_EQ(z.Capacity(), 11u);
  EXPECT_EQ(z.Str(), "longer text");
  z.Assign("ab");
  EXPECT_EQ(z.Str(), "ab");
  EXPECT_EQ(z.Capacity(), 11u);
  z.Fill('x');
  EXPECT_EQ(z.Str(), std::string(11, 'x'));
  EXPECT_EQ(z.CStr()[11], '\0');
}

TEST(GeometryHelpers, DegreesCountsAndGridCells) {
  EXPECT_DOUBLE_EQ(DegToRad(180), kPi);
  EXPECT_DOUBLE_EQ(RadToDeg(kPi / 2), 90);
  EXPECT_NEAR(SinDeg(30), 0.5, 1e-12);
  EXPECT_NEAR(CosDeg(60), 0.5, 1e-12);
  EXPECT_EQ(CountChar("U.S.A.", '.'), 3);
  // 2 rows x 3 columns in 0..300 x 0..200.
  EXPECT_EQ(GridCellRect(0, 0, 2, 3, false, 4, 200, 300), (TGridRect{100, 100, 200, 200}));
  EXPECT_EQ(GridCellRect(0, 0, 2, 3, true, 4, 200, 300), (TGridRect{200, 0, 300, 100}));
  // Indices past the grid wrap round; an empty grid gives an empty cell.
  EXPECT_EQ(GridCellRect(10, 20, 2, 3, false, 6, 220, 310), (TGridRect{10, 20, 110, 120}));
  EXPECT_EQ(GridCellRect(10, 20, 0, 3, false, 1, 220, 310), (TGridRect{10, 20, 10, 20}));
}

}  // namespace
}  // namespace zelvora
