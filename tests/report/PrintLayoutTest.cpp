// The device-independent layout of the printer, checked on a printer whose
// characters are all 100 units wide and whose lines are 200 units high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrTestPrinter.h"
#include "report/prBase.h"

namespace zelvora {
namespace {

using testing::DrawnText;
using testing::TFixedPrinter;
using Texts = std::vector<DrawnText>;

TEST(PrintConversions, RoundTiesToEven) {
  TFixedPrinter p;
  p.PixelsPerInchX = 300;
  p.PixelsPerInchY = 300;
  EXPECT_EQ(p.UnitsToDeviceX(5), 2);   // 1.5
  EXPECT_EQ(p.UnitsToDeviceX(15), 4);  // 4.5
  EXPECT_EQ(p.UnitsToDeviceY(1000), 300);
  p.PixelsPerInchX = 400;
  EXPECT_EQ(p.DeviceToUnitsX(1), 2);  // 2.5
  EXPECT_EQ(p.DeviceToUnitsX(3), 8);  // 7.5
  EXPECT_EQ(p.PointsToUnits(11), 153);
  EXPECT_EQ(p.PointsToUnits(12), 167);
  p.LineHeight = 5;
  EXPECT_EQ(p.LinesToUnits(0.5), 2);
  p.LineHeight = 7;
  EXPECT_EQ(p.LinesToUnits(0.5), 4);
}

TEST(PrintPosition, PrintClampsToTheMarginsAndAdvances) {
  TFixedPrinter p;
  p.MoveTo(200, 500);
  p.Print("x");
  p.MoveTo(300, 2000);
  p.Print("ab");
  EXPECT_EQ(p.texts, (Texts{{1000, 1000, "x"}, {1000, 2000, "ab"}}));
  EXPECT_EQ(p.CurX, 1200);
  p.MoveTo(8000, 2500);
  p.PrintLeftward("ab");
  EXPECT_EQ(p.texts.back(), (DrawnText{6800, 2500, "ab"}));
  EXPECT_EQ(p.CurX, 6800);
}

TEST(PrintPosition, NewLineMovesByRoundedLinesOnlyForPositiveCounts) {
  TFixedPrinter p;
  p.MoveTo(3000, 2000);
  p.NewLine(0);
  p.NewLine(-1);
  EXPECT_EQ(p.CurX, 3000);
  EXPECT_EQ(p.CurY, 2000);
  p.NewLine(1.5);
  EXPECT_EQ(p.CurX, 1);
  EXPECT_EQ(p.CurY, 2300);
  p.LineHeight = 5;
  p.NewLine(0.5);
  EXPECT_EQ(p.CurY, 2302);
  p.Aborted = true;
  p.NewLine(3);
  EXPECT_EQ(p.CurY, 2302);
}

TEST(PrintPosition, MoveByNeverGoesNegative) {
  TFixedPrinter p;
  p.MoveTo(100, 100);
  p.MoveBy(-300, 50);
  EXPECT_EQ(p.CurX, 0);
  EXPECT_EQ(p.CurY, 150);
  p.MoveBy(10, -500);
  EXPECT_EQ(p.CurX, 10);
  EXPECT_EQ(p.CurY, 0);
}

TEST(PrintPosition, MarginSettersIgnoreNegativesAndPickTheirUnit) {
  TFixedPrinter p;
  p.SetLeftMargin(-1, 5);
  EXPECT_EQ(p.LeftMargin, 1000);
  p.SetLeftMargin(1200, 5);
  p.SetRightMargin(6000, 5);
  p.SetTopMargin(800, 5);
  p.SetBottomMargin(9000, 5);
  EXPECT_EQ(p.LeftMargin, 1200);
  EXPECT_EQ(p.RightMargin, 6000);
  EXPECT_EQ(p.TopMargin, 800);
  EXPECT_EQ(p.BottomMargin, 9000);
  p.GraphicUnits = false;
  p.SetLeftMargin(1200, 7);
  EXPECT_EQ(p.LeftMargin, 7);
}

TEST(PrintAbort, DeviceErrorAbortsQuietlyAndStopsLineFeeds) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  p.fail_next_draw = true;
  EXPECT_NO_THROW(p.Print("x"));
  EXPECT_TRUE(p.Aborted);
  EXPECT_EQ(p.CurX, 1100);
  p.NewLine(1);
  EXPECT_EQ(p.CurY, 2000);
  p.Print("y");  // plain text still goes out
  EXPECT_EQ(p.texts, (Texts{{1100, 2000, "y"}}));
  p.PrintRepeated('-', 5);
  p.PrintLabelled(0, "", 1000, "more words", 7000, 1);
  p.PrintBulleted(-200, "*", 0, 1000, "more words", 7000, 1, "", 0, {}, 0);
  EXPECT_EQ(p.texts.size(), 1u);
}

TEST(PrintAlignment, CentredAndRightAlignedTextsRestoreTheMargin) {
  TFixedPrinter p;
  p.PrintCentered("abcd", 3000, 1);
  EXPECT_EQ(p.texts.back(), (DrawnText{3800, 3000, "abcd"}));
  EXPECT_EQ(p.CurY, 3200);
  p.PrintCenteredAt("abc", 500, 3000);  // left of the margin: the margin is lifted
  EXPECT_EQ(p.texts.back(), (DrawnText{350, 3000, "abc"}));
  p.PrintCenteredOnPage("ab", 3000, 0);
  EXPECT_EQ(p.texts.back(), (DrawnText{4150, 3000, "ab"}));
  p.PrintRight("abc", 1000, 3000, 2000);
  EXPECT_EQ(p.texts.back(), (DrawnText{2700, 3000, "abc"}));
  EXPECT_EQ(p.LeftMargin, 1000);
  EXPECT_EQ(p.HalfWidth(500), 250);
  EXPECT_EQ(p.HalfWidth(300), 150);
  p.MoveTo(1000, 4000);
  p.PrintRepeated('=', 3);
  EXPECT_EQ(p.texts.back(), (DrawnText{1000, 4000, "==="}));
}

TEST(PrintLabelled, WrapsWordsWithSentenceGapsAtExactPositions) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  p.PrintLabelled(-500, "1.", 1500, "aa bbb. cc dddddd e", 2800, 1);
  EXPECT_EQ(p.texts,
            (Texts{{1000, 2000, "1."}, {1500, 2000, "aa bbb.  cc "}, {1500, 2200, "dddddd e "}}));
  EXPECT_EQ(p.LeftMargin, 1000);
  EXPECT_EQ(p.RightMargin, 7000);
}

TEST(PrintLabelled, OversizedWordsTakeTheirOwnLineAndColonsStay) {
  TFixedPrinter p;
  const std::string wide(20, 'w');
  p.MoveTo(1000, 2000);
  p.PrintLabelled(0, "", 1000, "a " + wide + " b", 2000, 1);
  EXPECT_EQ(p.texts, (Texts{{1000, 2000, "a "}, {1000, 2200, wide + " "}, {1000, 2400, "b "}}));
  // An oversized first word does not leave an empty line above it.
  p.texts.clear();
  p.MoveTo(1000, 3000);
  p.PrintLabelled(0, "", 1000, wide + " b", 2000, 1);
  EXPECT_EQ(p.texts, (Texts{{1000, 3000, wide + " "}, {1000, 3200, "b "}}));
  p.texts.clear();
  p.MoveTo(1000, 4000);
  p.PrintLabelled(0, "", 1000, "aaaaaaaaa :", 2000, 1);
  EXPECT_EQ(p.texts, (Texts{{1000, 4000, "aaaaaaaaa : "}}));
}

TEST(PrintBulleted, PlacesBulletByModeAndWrapsTheText) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  p.PrintBulleted(-300, "*", 0, 1500, "aa bb cc dd", 2400, 1, "", 0, {}, 0);
  EXPECT_EQ(p.texts, (Texts{{1200, 2000, "*"}, {1500, 2000, "aa bb "}, {1500, 2200, "cc dd "}}));
  EXPECT_EQ(p.LeftMargin, 1000);
  EXPECT_EQ(p.RightMargin, 7000);

  p.texts.clear();
  p.MoveTo(1000, 3000);
  p.PrintBulleted(-300, "*", 1, 1500, "x", 2400, 1, "", 0, {}, 0);
  p.MoveTo(1000, 3200);
  p.PrintBulleted(-300, "*", 2, 1500, "x", 2400, 1, "", 0, {}, 0);
  EXPECT_EQ(p.texts,
            (Texts{{1300, 3000, "*"}, {1500, 3000, "x "}, {1310, 3200, "*"}, {1500, 3200, "x "}}));
}

TEST(PrintBulleted, NoOffsetPutsTwoSpacesAfterTheBullet) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  p.PrintBulleted(0, "-", 0, 1500, "word", 4000, 1, "", 0, {}, 0);
  EXPECT_EQ(p.texts, (Texts{{1500, 2000, "-"}, {1600, 2000, "  "}, {1800, 2000, "word "}}));
}

TEST(PrintBulleted, BulletFontIsSelectedForTheBulletOnly) {
  TFixedPrinter p;
  p.SelectFontSlot(1);
  p.font_changes.clear();
  p.PrintBulleted(-300, "*", 0, 1500, "x", 4000, 1, "", 0, {}, 3);
  EXPECT_EQ(p.font_changes, (std::vector<int>{3, 1}));
  EXPECT_EQ(p.CurrentFont, 1);
  p.font_changes.clear();
  p.PrintBulleted(-300, "*", 0, 1500, "x", 4000, 1, "", 0, {}, 1);
  EXPECT_TRUE(p.font_changes.empty());
}

TEST(PrintBulleted, SentenceGapIsCutToTwoCharacters) {
  TFixedPrinter p;
  p.WordSeparator = "   ";
  p.MoveTo(1000, 2000);
  p.PrintBulleted(-300, "", 0, 1000, "Hi. yes", 7000, 1, "", 0, {}, 0);
  EXPECT_EQ(p.texts, (Texts{{1000, 2000, "Hi.  yes  "}}));
}

TEST(PrintBulleted, LeaderFillsToTheMarginPlusExtra) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  p.PrintBulleted(0, "", 0, 1000, "ab", 2000, 1, ".", 0, {}, 0);
  int dots = 0;
  for (const auto& t : p.texts) dots += t.text == "." ? 1 : 0;
  EXPECT_EQ(dots, 8);
  EXPECT_EQ(p.texts.back(), (DrawnText{2000, 2000, "."}));
  p.texts.clear();
  p.MoveTo(1000, 2200);
  p.PrintBulleted(0, "", 0, 1000, "ab", 2000, 1, ".", 200, {}, 0);
  EXPECT_EQ(p.texts.size(), 11u);  // the text and ten dots
}

TEST(PrintBulleted, LeaderOfNoWidthDoesNotHang) {
  class ZeroLeader : public TFixedPrinter {
   public:
    Mils TextWidth(const std::string& s) override {
      return s == "~" ? 0 : TFixedPrinter::TextWidth(s);
    }
  } p;
  p.MoveTo(1000, 2000);
  p.PrintBulleted(0, "", 0, 1000, "ab", 2000, 1, "~", 0, {}, 0);
  EXPECT_EQ(p.texts.size(), 2u);
}

TEST(PrintBulleted, PageBreakHookRunsWithOuterMarginsNearPageBottom) {
  TFixedPrinter p;
  p.PageBottom = 3000;
  std::vector<std::pair<Mils, Mils>> calls;
  const TPageBreakHook hook = [&] {
    calls.emplace_back(p.LeftMargin, p.RightMargin);
    p.MoveTo(p.LeftMargin, 1200);  // the next page, below its header
  };
  p.MoveTo(1000, 2400);
  p.PrintBulleted(-300, "*", 0, 1500, "aa bb cc dd ee", 2400, 1, "", 0, hook, 0);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], (std::pair<Mils, Mils>{1000, 7000}));
  EXPECT_EQ(
      p.texts,
      (Texts{
          {1200, 2400, "*"}, {1500, 2400, "aa bb "}, {1500, 1200, "cc dd "}, {1500, 1400, "ee "}}));
  EXPECT_EQ(p.LeftMargin, 1000);
  EXPECT_EQ(p.RightMargin, 7000);
}

TEST(PrintBulleted, NoPageBreakBeforeAFooterSetsThePageBottom) {
  TFixedPrinter p;
  p.PageBottom = 0;
  int calls = 0;
  p.MoveTo(1000, 2400);
  p.PrintBulleted(
      -300, "*", 0, 1500, "aa bb cc dd ee", 2400, 1, "", 0, [&] { ++calls; }, 0);
  EXPECT_EQ(calls, 0);
}

TEST(PrintColors, ColourRuleKeepsColoursWhenColourIsOff) {
  TFixedPrinter p;
  p.ColorEnabled = false;
  p.SetPenColor(0xFFFFFF);
  p.SetPenColor(255);  // red is ignored
  EXPECT_EQ(p.CurrentPenColor, 0xFFFFFF);
  p.SetPenColor(0);
  p.SetPenColor(0);  // unchanged colours are not applied again
  EXPECT_EQ(p.applied_pen_colors, (std::vector<std::int32_t>{0xFFFFFF, 0}));
  p.SetTextColor(255);
  EXPECT_TRUE(p.applied_text_colors.empty());
  p.ColorEnabled = true;
  p.SetTextColor(255);
  p.SetPenColor(255);
  EXPECT_EQ(p.applied_text_colors, (std::vector<std::int32_t>{255}));
  EXPECT_EQ(p.CurrentPenColor, 255);
}

TEST(PrintShapes, ShadowBoxIsTwoShadowStripsAndTwoFrames) {
  TFixedPrinter p;
  p.ShadowBox(1000, 3000, 2000, 1000, 0, 0x808080);
  using Box = TFixedPrinter::Box;
  EXPECT_EQ(p.fills,
            (std::vector<Box>{{3000, 2050, 60, 1000, 0x808080}, {1060, 3000, 2000, 60, 0x808080}}));
  EXPECT_EQ(p.frames, (std::vector<Box>{{1000, 2000, 2000, 1000}, {1050, 2050, 1900, 900}}));
  EXPECT_EQ(p.PenWeight, 1);
  p.HorzLine(100, 200, 300);
  p.VertLine(100, 200, 300);
  EXPECT_EQ(p.lines, (std::vector<Box>{{100, 200, 400, 200}, {100, 200, 100, 500}}));
}

TEST(PrintFontsSlots, StockFontsAndSlotBounds) {
  TFixedPrinter p;
  p.SelectFontSlot(-1);
  p.SelectFontSlot(21);
  EXPECT_TRUE(p.font_changes.empty());
  p.SelectStockFont(1);
  EXPECT_EQ(p.CurrentFont, 1);
  p.SetFont(-1, {});
  EXPECT_EQ(p.CurrentFont, 1);
  p.StartPage();
  EXPECT_EQ(p.CurX, 1);
  EXPECT_EQ(p.CurY, TFixedPrinter::kLineHeight);
}

TEST(PrintMeasure, LongTextsAreMeasuredInPieces) {
  TFixedPrinter p;
  EXPECT_EQ(p.TextWidthZ(std::string(600, 'a')), 60000);
  EXPECT_EQ(p.TextWidthZ(""), 0);
}

}  // namespace
}  // namespace zelvora
