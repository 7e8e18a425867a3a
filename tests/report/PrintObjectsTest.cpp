// Placement and drawing rules of the printable objects, on the measuring test
// printer (600 dots per inch: 1000 units are 600 pixels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrTestPrinter.h"
#include "report/Prtobjs.h"

namespace zelvora {
namespace {

using testing::DrawnText;
using testing::TFixedPrinter;
using Point = TBasePrinter::TDevicePoint;
using Polygon = std::vector<Point>;

bool SamePolygon(const Polygon& a, const Polygon& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].X != b[i].X || a[i].Y != b[i].Y) return false;
  return true;
}

TEST(PrintableBase, TakesPositionColumnAndFontFromThePrinter) {
  TFixedPrinter p;
  p.SelectFontSlot(4);
  p.MoveTo(1500, 2500);
  TPrintable obj(&p);
  EXPECT_EQ(obj.GetText(0), " ");
  EXPECT_EQ(obj.X, 900);
  EXPECT_EQ(obj.Y, 1500);
  EXPECT_EQ(obj.GetX(), 1500);
  EXPECT_EQ(obj.GetY(), 2500);
  EXPECT_EQ(obj.Left, 1000);
  EXPECT_EQ(obj.Right, 7000);
  EXPECT_EQ(obj.PartFonts[0], 4);
  EXPECT_EQ(obj.PartFonts[1], -1);
  // Creation applies the object's colours to the open page.
  EXPECT_EQ(p.brush_color, 0xFFFFFF);
  EXPECT_EQ(p.dev_text_color, 0);
  obj.SetText(0, "");
  EXPECT_EQ(obj.GetText(0), "");
}

TEST(PrintableBase, AdvanceStopsAtPageBottom) {
  TFixedPrinter p;
  p.PageBottom = 3000;
  p.MoveTo(1000, 2800);
  TPrintable obj(&p);
  EXPECT_EQ(obj.Advance(1), 200);  // exactly one line left: no move
  EXPECT_EQ(p.CurY, 2800);
  p.MoveTo(1000, 2700);
  EXPECT_EQ(obj.Advance(1), 0);
  EXPECT_EQ(p.CurY, 2900);
  EXPECT_EQ(obj.EndY, 2900);
}

TEST(PrintableBase, EstimateExtentRoundsTheLineCountToEven) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  TPrintable obj(&p);
  obj.Left = 1000;
  obj.Right = 3000;
  TUnitRect box;
  ASSERT_TRUE(obj.EstimateExtent(box, std::string(50, 'a')));  // 2.5 columns
  EXPECT_EQ(box.Top, 2000);
  EXPECT_EQ(box.Bottom, 2400);
  EXPECT_EQ(box.Left, 1000);
  EXPECT_EQ(box.Right, 3000);
  obj.Right = obj.Left;
  EXPECT_FALSE(obj.EstimateExtent(box, "abc"));
}

TEST(PrintableBase, FillPatternsAndPartFonts) {
  TFixedPrinter p;
  TPrintable obj(&p);
  const std::uint8_t expected[8] = {TBasePrinter::kBrushClear,      TBasePrinter::kBrushSolid,
                                    TBasePrinter::kBrushBDiagonal,  TBasePrinter::kBrushFDiagonal,
                                    TBasePrinter::kBrushCross,      TBasePrinter::kBrushDiagCross,
                                    TBasePrinter::kBrushHorizontal, TBasePrinter::kBrushVertical};
  for (int kind = 0; kind < 8; ++kind) {
    obj.SetFillPattern(kind);
    EXPECT_EQ(obj.FillPattern, expected[kind]) << kind;
  }
  obj.SetFillPattern(128 + 6);
  EXPECT_EQ(obj.FillPattern, TBasePrinter::kBrushHorizontal);
  obj.SetFillPattern(9);
  EXPECT_EQ(obj.FillPattern, TBasePrinter::kBrushSolid);
  obj.SetPartFont(7, 3);  // outside the parts: ignored
  EXPECT_EQ(obj.GetPartFont(7), -1);
}

TEST(PrintableBase, AssignCopiesSettingsOfTheSameClass) {
  TFixedPrinter p;
  TBulletList a(&p);
  a.SetText(0, "paragraph");
  a.SetText(1, "*");
  a.BulletOffset = -250;
  a.Leader = ".";
  a.SetY(3000);
  a.LinesAfter = 0.5;
  a.PartFonts[1] = 9;
  TBulletList b(&p);
  b.Assign(a);
  EXPECT_EQ(b.GetText(0), "paragraph");
  EXPECT_EQ(b.GetText(1), "*");
  EXPECT_EQ(b.BulletOffset, -250);
  EXPECT_EQ(b.Leader, ".");
  EXPECT_EQ(b.GetY(), 3000);
  EXPECT_EQ(b.LinesAfter, 0.5);
  EXPECT_EQ(b.PartFonts[1], 9);
  EXPECT_EQ(b.GetText(2), "");
}

TEST(PrintAlignedText, AlignsInTheColumnAndKeepsTheFontForMinusOne) {
  TFixedPrinter p;
  p.SelectFontSlot(4);
  p.MoveTo(1000, 2000);
  TAlignText t(&p);
  t.PartFonts[0] = -1;
  t.SetText(0, "abc");
  p.font_changes.clear();
  t.Draw();
  EXPECT_EQ(p.texts.back(), (DrawnText{6700, 2000, "abc"}));
  EXPECT_TRUE(p.font_changes.empty());
  EXPECT_EQ(p.CurrentFont, 4);
  t.Alignment = TPrintable::kAlignCenter;
  t.Draw();
  EXPECT_EQ(p.texts.back(), (DrawnText{3850, 2000, "abc"}));
  t.Alignment = TPrintable::kAlignLeft;
  t.LinesBefore = 1;
  t.LinesAfter = 2;
  t.Draw();
  EXPECT_EQ(p.texts.back(), (DrawnText{1000, 2200, "abc"}));
  EXPECT_EQ(p.CurY, 2600);
  EXPECT_EQ(t.EndY, 2200);
}

TEST(PrintTitlePanel, SitsAQuarterDownAndIsAQuarterTall) {
  TFixedPrinter p;
  p.TopMargin = 1000;
  p.PageBottom = 9000;  // 8000 units usable
  TTitle360 title(&p);
  title.SetText(0, "Survey");
  title.SetText(1, "Co");
  title.SetText(2, "Name");
  title.PartFonts = {3, 4, 5, -1, -1};
  title.Draw();
  EXPECT_EQ(title.GetY(), 2000);
  EXPECT_EQ(title.GetHeight(), 2000);
  using Box = TFixedPrinter::Box;
  EXPECT_EQ(p.frames, (std::vector<Box>{{1000, 2000, 6000, 2000}, {1050, 2050, 5900, 1900}}));
  EXPECT_EQ(p.fills,
            (std::vector<Box>{{7000, 2050, 60, 2000, 0xF0F0F0}, {1060, 4000, 6000, 60, 0xF0F0F0}}));
  EXPECT_EQ(p.lines, (std::vector<Box>{{1050, 2774, 6950, 2774}, {3750, 3400, 4250, 3400}}));
  EXPECT_EQ(p.texts, (std::vector<DrawnText>{
                         {3700, 2480, "Survey"}, {3900, 3200, "Co"}, {3800, 3720, "Name"}}));
  EXPECT_EQ(p.font_changes, (std::vector<int>{3, 4, 5}));
  p.lines.clear();
  title.NoRules = true;
  title.Draw();
  EXPECT_TRUE(p.lines.empty());
}

TEST(PrintFooter, SetsPageBottomAboveBandAndExtraLines) {
  TFixedPrinter p;
  p.MoveTo(2000, 3000);
  TFooter footer(&p);
  footer.SetHeight(300);
  footer.SetText(0, "Page 1");
  footer.SetText(1, "Notice");
  footer.PartFonts = {2, 17, 16, -1, -1};
  footer.Draw();
  EXPECT_EQ(p.PageBottom, 9250);
  using Box = TFixedPrinter::Box;
  EXPECT_EQ(p.frames, (std::vector<Box>{{1000, 9450, 6000, 300}}));
  EXPECT_EQ(p.texts, (std::vector<DrawnText>{{3700, 9250, "Notice"}, {6400, 9667, "Page 1"}}));
  EXPECT_EQ(p.CurX, 2000);
  EXPECT_EQ(p.CurY, 3000);

  // Extra lines of two characters or fewer are not printed.
  TFixedPrinter q;
  TFooter plain(&q);
  plain.SetHeight(300);
  plain.SetText(1, "ab");
  plain.SetText(2, " ");
  plain.Draw();
  EXPECT_EQ(q.PageBottom, 9450);
  EXPECT_EQ(q.texts.size(), 1u);
  // Both extra lines: the second sits one line above the first.
  TFixedPrinter r;
  TFooter two(&r);
  two.SetHeight(300);
  two.SetText(1, "first");
  two.SetText(2, "second");
  two.Draw();
  EXPECT_EQ(r.PageBottom, 9050);
  EXPECT_EQ(r.texts[1].y, 9050);
}

TEST(PrintHeader, FilledBandIsATrapezoidWithTheTextInside) {
  TFixedPrinter p;
  THeader header(&p);
  header.SetHeight(300);
  header.BandFlags = kBandFilled;
  header.SetFillColor(0xC8C8C8);
  header.SetTextColor(0xFFFFFF);
  header.Alignment = TPrintable::kAlignCenter;
  header.SetText(0, "HEADER");
  header.Draw();
  using Box = TFixedPrinter::Box;
  EXPECT_EQ(p.fills, (std::vector<Box>{{1600, 1000, 4800, 300, 0xC8C8C8}}));
  ASSERT_EQ(p.polygons.size(), 2u);
  EXPECT_TRUE(SamePolygon(p.polygons[0], {{600, 780}, {960, 600}, {960, 780}}));
  EXPECT_TRUE(SamePolygon(p.polygons[1], {{4200, 780}, {3840, 600}, {3840, 780}}));
  EXPECT_EQ(p.texts, (std::vector<DrawnText>{{3700, 1210, "HEADER"}}));
  EXPECT_EQ(p.dev_text_color, 0xFFFFFF);
  EXPECT_EQ(p.CurX, 1000);
  EXPECT_EQ(p.CurY, 1300);
}

TEST(PrintHeader, FramedBandHasAShadow) {
  TFixedPrinter p;
  THeader header(&p);
  header.SetHeight(300);
  header.Draw();  // BandFlags 5: the frame
  ASSERT_EQ(p.frames.size(), 2u);
  EXPECT_EQ(p.frames[0], (TFixedPrinter::Box{1000, 1000, 6000, 300}));
  EXPECT_EQ(p.fills[0].color, 0x808080);
}

TEST(PrintSectionHeader, DoubleRuleThenHeading) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  TSectionHeader s(&p);
  s.SetText(0, "HEAD");
  s.Draw();
  using Box = TFixedPrinter::Box;
  EXPECT_EQ(p.lines, (std::vector<Box>{{1000, 2000, 7000, 2000}, {1000, 2020, 7000, 2020}}));
  EXPECT_EQ(p.texts.back(), (DrawnText{6600, 2220, "HEAD"}));
}

TEST(PrintAngleText, DrawsRotatedAtItsPointAndKeepsThePosition) {
  TFixedPrinter p;
  p.MoveTo(2000, 3000);
  TAngleText t(&p);
  t.SetX(500);
  t.SetY(4000);
  t.Angle = 90;
  t.SetText(0, "up");
  t.Draw();
  ASSERT_EQ(p.dev_texts.size(), 1u);
  EXPECT_EQ(p.dev_texts[0].x, 300);
  EXPECT_EQ(p.dev_texts[0].y, 2400);
  EXPECT_EQ(p.dev_texts[0].angle, 90);
  EXPECT_EQ(p.CurX, 2000);
  EXPECT_EQ(p.CurY, 3000);
}

TEST(PrintNumberList, CountsOnWithItsSuffix) {
  TFixedPrinter p;
  p.MoveTo(1000, 2000);
  TNumberList list(&p);
  list.BulletOffset = -300;
  list.Left = 1500;
  list.SetText(0, "item");
  list.SetText(1, ")");
  for (int i = 0; i < 3; ++i) list.Draw();
  std::vector<std::string> bullets;
  for (const auto& t : p.texts)
    if (t.text.find(')') != std::string::npos) bullets.push_back(t.text);
  EXPECT_EQ(bullets, (std::vector<std::string>{"1)", "2)", "3)"}));
  EXPECT_EQ(list.Counter, 4);
  EXPECT_EQ(list.NumberSuffix, ")");
  // Right alignment puts the bullet right-aligned in the zone; each item is
  // followed by one line.
  EXPECT_EQ(p.texts[0], (DrawnText{1210, 2000, "1)"}));
  EXPECT_EQ(p.texts[2].y, 2200);
}

class BarTest : public ::testing::Test {
 protected:
  TFixedPrinter p;
  TBar bar{&p};
  void SetUp() override {
    bar.SetX(1000);
    bar.SetY(2000);
    bar.SetWidth(3000);
    bar.SetHeight(200);  // 600, 1200, 1800 x 120 pixels
    bar.MaxValue = 4;
    bar.SetTextColor(0x00FF00);
  }
};

TEST_F(BarTest, FillsInProportionToTheValue) {
  bar.Value = 3;
  bar.Draw();
  ASSERT_EQ(p.rects.size(), 2u);
  EXPECT_EQ(p.rects[0].x1, 600);
  EXPECT_EQ(p.rects[0].x2, 2400);
  EXPECT_EQ(p.rects[1].x1, 600);
  EXPECT_EQ(p.rects[1].y1, 1212);
  EXPECT_EQ(p.rects[1].x2, 1950);
  EXPECT_EQ(p.rects[1].y2, 1308);
  EXPECT_EQ(p.rects[1].color, 0x00FF00);
  EXPECT_TRUE(p.polygons.empty());
}

TEST_F(BarTest, ValueAboveMaximumFillsAllAndShowsOverTriangle) {
  bar.Value = 5;
  bar.Draw();
  EXPECT_EQ(bar.Value, 4);
  EXPECT_TRUE(bar.Over);
  EXPECT_EQ(p.rects[1].x2, 2400);
  ASSERT_EQ(p.polygons.size(), 1u);
  EXPECT_TRUE(SamePolygon(p.polygons[0], {{2400, 1212}, {2463, 1260}, {2400, 1306}}));
}

TEST_F(BarTest, ValueBelowMinimumShowsUnderTriangleAndNoFill) {
  bar.Value = -1;
  bar.Draw();
  EXPECT_EQ(bar.Value, 0);
  EXPECT_TRUE(bar.Under);
  EXPECT_EQ(p.rects[1].x2, p.rects[1].x1);
  ASSERT_EQ(p.polygons.size(), 1u);
  EXPECT_TRUE(SamePolygon(p.polygons[0], {{600, 1212}, {537, 1260}, {600, 1306}}));
  // A negative value inside the scale does not fill outside the frame.
  bar.MinValue = -2;
  bar.Value = -1;
  p.rects.clear();
  bar.Draw();
  EXPECT_EQ(p.rects[1].x2, 600);
}

TEST_F(BarTest, ZeroMaximumDrawsAnEmptyFrame) {
  bar.MaxValue = 0;
  bar.Value = 0;
  bar.Draw();
  ASSERT_EQ(p.rects.size(), 2u);
  EXPECT_EQ(p.rects[1].x2, p.rects[1].x1);
}

TEST_F(BarTest, LabelsWithPercentagesDivideTheLength) {
  bar.Alignment = TPrintable::kAlignLeft;
  bar.AddLabel("a", 20);
  bar.AddLabel("b", 30);
  bar.AddLabel("c", 50);
  bar.Draw();
  std::vector<int> dividers;
  for (const auto& l : p.dev_lines) dividers.push_back(l.a);
  EXPECT_EQ(dividers, (std::vector<int>{600, 960, 1500}));
  ASSERT_EQ(p.dev_texts.size(), 3u);
  EXPECT_EQ(p.dev_texts[0].x, 620);
  EXPECT_EQ(p.dev_texts[1].x, 990);
  EXPECT_EQ(p.dev_texts[2].x, 1550);
  EXPECT_EQ(p.dev_texts[0].y, 1300);
}

TEST_F(BarTest, LabelsWithoutPercentagesAreEqualAndAligned) {
  bar.AddLabel("ab");
  bar.AddLabel("cd");
  bar.AddLabel("ef");
  bar.Draw();  // right-aligned: cell end - width (120) - pad (33)
  std::vector<int> dividers;
  for (const auto& l : p.dev_lines) dividers.push_back(l.a);
  EXPECT_EQ(dividers, (std::vector<int>{600, 1200, 1800}));
  EXPECT_EQ(p.dev_texts[0].x, 600 + 600 - 120 - 33);
  p.dev_texts.clear();
  bar.Alignment = TPrintable::kAlignCenter;
  bar.Draw();
  EXPECT_EQ(p.dev_texts[1].x, 1200 + 240);
}

TEST_F(BarTest, DegenerateTicksAndCellsDoNotHang) {
  bar.Ticks = 100000;
  bar.AddLabel("x", 0);
  bar.Draw();
  EXPECT_FALSE(p.dev_lines.empty());
  TBar vertical(&p);
  vertical.Vertical = true;
  vertical.SetWidth(200);
  vertical.SetHeight(1000);
  vertical.MaxValue = 10;
  vertical.Value = 5;
  vertical.Ticks = 3;
  p.rects.clear();
  p.dev_lines.clear();
  vertical.Draw();
  EXPECT_EQ(p.dev_lines.size(), 4u);  // every 150 pixels over 600
  ASSERT_EQ(p.rects.size(), 2u);
  EXPECT_EQ(p.rects[1].y2 - p.rects[1].y1, 300);
  EXPECT_EQ(p.rects[1].x1 - vertical.X, 12);
}

TEST(PrintBarGraph, StacksBarsAndRefusesWhenTheyDoNotFit) {
  TFixedPrinter p;
  TBarGraph graph(&p);
  graph.SetX(1000);
  graph.SetY(2000);
  graph.SetWidth(3000);
  graph.SetHeight(200);
  for (int i = 0; i < 3; ++i) graph.AddBar("bar", 255, 1, 0, i, 4, 0, 1);
  ASSERT_EQ(graph.Bars.size(), 3u);
  EXPECT_EQ(graph.Bars[2]->Y, 1200 + 2 * 120);
  EXPECT_EQ(graph.Bars[1]->TextColor, 255);
  EXPECT_EQ(graph.Bars[1]->FillPattern, TBasePrinter::kBrushSolid);
  EXPECT_EQ(graph.Bars[1]->GetText(0), "bar");
  p.PageBottom = 2500;
  EXPECT_EQ(graph.Draw(), 500);
  EXPECT_TRUE(p.rects.empty());
  p.PageBottom = 9000;
  EXPECT_EQ(graph.Draw(), 0);
  EXPECT_EQ(p.rects.size(), 6u);
  EXPECT_EQ(graph.EndY, 2600);
  graph.SetY(3000);
  EXPECT_EQ(graph.Bars[0]->Y, 1800);
  EXPECT_EQ(graph.Bars[2]->Y, 2040);
  TBarGraph copy(&p);
  copy.Assign(graph);
  EXPECT_EQ(copy.Bars.size(), 3u);
  EXPECT_EQ(copy.Bars[2]->Value, 2);
}

TEST(PrintBoxArray, PlacesBoxesWithGapsInRowsOrColumns) {
  TFixedPrinter p;
  TBoxArray row(&p);
  row.SetX(1000);
  row.SetY(2000);
  row.SetWidth(200);
  row.SetHeight(100);
  row.SetGap(50);
  EXPECT_EQ(row.Gap, 30);
  EXPECT_EQ(row.GetGap(), 50);
  row.AddBox(0xF0F0F0);
  row.AddBox(0xFFFFFF);
  EXPECT_EQ(row.Boxes[1]->X, 600 + 120 + 30);
  EXPECT_EQ(row.Draw(), 0);
  ASSERT_EQ(p.rects.size(), 2u);
  EXPECT_EQ(p.rects[0].color, 0xF0F0F0);
  EXPECT_EQ(p.rects[1].x1, 750);
  row.Shape = 1;
  TBoxArray column(&p);
  column.Vertical = true;
  column.Shape = 1;
  column.SetHeight(100);
  column.SetGap(50);
  column.AddBox(0);
  column.AddBox(0);
  EXPECT_EQ(column.Boxes[1]->Y - column.Boxes[0]->Y, 90);
  column.SetGap(100);  // members move with a new gap
  EXPECT_EQ(column.Boxes[1]->Y - column.Boxes[0]->Y, 120);
  column.Draw();
  EXPECT_EQ(p.ellipses.size(), 2u);
  p.PageBottom = column.GetY() + 150;
  EXPECT_EQ(column.Draw(), 150);  // two boxes need 200
}

TEST(PrintAbortedObjects, DrawNothingOnceAborted) {
  TFixedPrinter p;
  p.Aborted = true;
  TTitle360 title(&p);
  TFooter footer(&p);
  THeader header(&p);
  TBulletList list(&p);
  TBar bar(&p);
  bar.MaxValue = 1;
  TBoxArray boxes(&p);
  boxes.AddBox(0);
  EXPECT_EQ(title.Draw(), 0);
  EXPECT_EQ(footer.Draw(), 0);
  EXPECT_EQ(header.Draw(), 0);
  EXPECT_EQ(list.Draw(), 0);
  EXPECT_EQ(bar.Draw(), 0);
  EXPECT_EQ(boxes.Draw(), 0);
  EXPECT_TRUE(p.texts.empty());
  EXPECT_TRUE(p.frames.empty());
  EXPECT_TRUE(p.rects.empty());
  EXPECT_EQ(p.PageBottom, 9000);
}

}  // namespace
}  // namespace zelvora
