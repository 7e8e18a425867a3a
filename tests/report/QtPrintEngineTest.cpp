// The Qt printer: real fonts, recorded pages, PDF and PNG output.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPicture>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Rounding.h"
#include "report/Prtobjs.h"
#include "report/TextLine.h"
#include "report/prDelphi.h"

namespace zelvora {
namespace {

// A recording printer that also keeps every text it draws.
class TracingScreen : public TDelphiScreen {
 public:
  TracingScreen() : TDelphiScreen(std::make_shared<TSystemPrinter>(600)) {}
  struct Drawn {
    Mils x, y;
    std::string text;
  };
  std::vector<Drawn> drawn;

 protected:
  void DrawTextAt(Mils x, Mils y, const std::string& s) override {
    drawn.push_back({x, y, s});
    TDelphiScreen::DrawTextAt(x, y, s);
  }
};

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

void LoadDefaultFonts(TBasePrinter& p) {
  p.Fonts[1] = {"Times New Roman", 14, "B", 0, 0};
  p.Fonts[5] = {"Arial", 12, "", 0, 0};
  p.Fonts[10] = {"Arial", 10, "", 255, 0};
  p.Fonts[11] = {"Times New Roman", 11, "", 0, 0};
}

TEST(QtScreenOpen, TakesLetterPageAtPrinterResolution) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  EXPECT_TRUE(screen.MeasureOnPrinter);
  EXPECT_EQ(screen.TopMargin, 1000);
  EXPECT_EQ(screen.RightMargin, 7000);
  EXPECT_EQ(screen.BottomMargin, 9750);
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  EXPECT_EQ(screen.PixelsPerInchX, 600);
  EXPECT_EQ(screen.PageWidth, 8500);
  EXPECT_EQ(screen.PageHeight, 11000);
  EXPECT_FALSE(screen.ColorEnabled);
  EXPECT_EQ(screen.WordSeparator, " ");

  TDelphiScreen landscape(std::make_shared<TSystemPrinter>(300));
  landscape.Orientation = 1;
  ASSERT_TRUE(landscape.Open(true, 0, 0, " ", false));
  EXPECT_EQ(landscape.PageWidth, 11000);
  EXPECT_EQ(landscape.PageHeight, 10600);  // never below 10600 from the printer

  TDelphiScreen custom(std::make_shared<TSystemPrinter>(600));
  custom.SetPageSize(4000, 5000);
  ASSERT_TRUE(custom.Open(true, 0, 0, " ", false));
  EXPECT_EQ(custom.PageWidth, 4000);
  EXPECT_EQ(custom.PageHeight, 5000);
  custom.StartPage();
  custom.EndPage();
  EXPECT_EQ(custom.Pages().Get(0).Picture().boundingRect(), QRect(0, 0, 2400, 3000));
}

TEST(QtFonts, LineHeightIs112PercentOfTheSizeInWholePoints) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  screen.Open(false, 0, 0, " ", false);
  screen.SelectFontSlot(11);
  EXPECT_EQ(screen.LineHeight, 167);  // 11 pt -> 12 pt
  screen.SelectFontSlot(5);
  EXPECT_EQ(screen.LineHeight, 181);  // 12 pt -> 13 pt (13.44)
  screen.SelectFontSlot(1);
  EXPECT_EQ(screen.LineHeight, 222);  // 14 pt -> 16 pt (15.68)
  EXPECT_EQ(screen.CurrentFont, 1);
  EXPECT_TRUE(screen.CurrentQFont().bold());
  EXPECT_EQ(screen.CurrentQFont().pixelSize(), 117);  // 14 pt at 600 dpi
}

TEST(QtFonts, ConfiguredFacesFallBackToTheirMetricTwins) {
  const QString serif = ResolveFontFamily("Times New Roman");
  const QString sans = ResolveFontFamily("Arial");
  EXPECT_TRUE(serif == "Times New Roman" || serif == "Liberation Serif") << serif.toStdString();
  EXPECT_TRUE(sans == "Arial" || sans == "Liberation Sans") << sans.toStdString();
  EXPECT_EQ(ResolveFontFamily("Liberation Mono"), "Liberation Mono");
}

TEST(QtFonts, ColourFollowsTheColourSwitch) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  screen.Open(false, 0, 0, " ", false);
  screen.SelectFontSlot(10);
  EXPECT_EQ(screen.CurrentTextColor, 0);
  screen.ColorEnabled = true;
  screen.SelectFontSlot(10);
  EXPECT_EQ(screen.CurrentTextColor, 255);
}

TEST(QtMeasuring, ParagraphBreaksFollowLiberationSerifMetrics) {
  TracingScreen screen;
  LoadDefaultFonts(screen);
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  screen.StartPage();
  screen.SelectFontSlot(11);
  const std::string text =
      "Encourages open discussion of problems and listens to the views of others before "
      "deciding. Gives clear direction, explains the reasons for decisions and follows up "
      "on commitments made to the team and to clients.";
  const Mils left = 1500, right = 5000;
  screen.MoveTo(left, 2000);
  screen.PrintBulleted(-300, "*", 0, left, text, right, 1, "", 0, {}, 0);
  screen.EndPage();

  // Widths as Liberation Serif 11 pt gives them at 600 dpi.
  QFont serif("Liberation Serif");
  serif.setPixelSize(92);
  serif.setKerning(false);
  serif.setHintingPreference(QFont::PreferNoHinting);
  const QFontMetricsF metrics(serif);
  const auto units = [&](const std::string& s) {
    return static_cast<Mils>(RoundHalfEven(
        RoundHalfEven(metrics.horizontalAdvance(QString::fromStdString(s))) * 1000.0 / 600));
  };
  std::vector<std::string> lines;
  for (const auto& d : screen.drawn)
    if (d.x == left && !d.text.empty()) lines.push_back(d.text);
  ASSERT_GE(lines.size(), 3u);
  const auto words = TTextLine(text).Pieces();
  std::size_t w = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto line_words = TTextLine(lines[i]).Pieces();
    for (const auto& lw : line_words) ASSERT_EQ(lw, words[w++]);
    EXPECT_LE(left + units(lines[i]), right + units("  ")) << lines[i];
    if (i + 1 < lines.size()) {
      // The next line's first word would not have fitted on this one.
      EXPECT_GT(left + units(lines[i] + words[w] + "  "), right) << lines[i];
    }
  }
  EXPECT_EQ(w, words.size());
  EXPECT_EQ(screen.TextWidth("deciding."), units("deciding."));
}

TEST(QtPages, StartAndEndPageRecordBlankPagesWithOrientation) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  screen.Print("before any page");  // no canvas: nothing happens
  screen.StartPage();
  EXPECT_NE(screen.Canvas, nullptr);
  EXPECT_EQ(screen.CurX, 1);
  screen.SelectFontSlot(11);
  screen.EndPage();
  EXPECT_EQ(screen.Canvas, nullptr);
  EXPECT_EQ(screen.PageNumber, 2);
  screen.SetOrientation(1);
  screen.StartPage();
  EXPECT_EQ(screen.CurrentFont, 11);  // the font carries over
  EXPECT_EQ(screen.LineHeight, 167);
  screen.EndPage();
  ASSERT_EQ(screen.Pages().Count(), 2);
  EXPECT_EQ(screen.Pages().Get(0).Orientation(), 0);
  EXPECT_EQ(screen.Pages().Get(1).Orientation(), 1);
  EXPECT_EQ(screen.Pages().Get(0).Picture().boundingRect(), QRect(0, 0, 5100, 6600));
  EXPECT_EQ(screen.Pages().Get(1).Picture().boundingRect(), QRect(0, 0, 6600, 5100));
  EXPECT_THROW(screen.Pages().Get(2), std::out_of_range);
  const QImage blank = screen.Pages().Render(0, 30);
  EXPECT_EQ(blank.size(), QSize(255, 330));
  EXPECT_EQ(blank.pixelColor(100, 100), QColor(Qt::white));
  auto owned = screen.ReleasePages();
  EXPECT_EQ(owned->Count(), 2);
  EXPECT_EQ(screen.Pages().Count(), 0);
}

TEST(QtPages, LevelTextIsKeptBesideThePictureAndDrawnOverIt) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  ASSERT_TRUE(screen.Open(true, 0, 0, " ", false));
  LoadDefaultFonts(screen);
  screen.StartPage();
  screen.SelectFontSlot(5);
  screen.MoveTo(1000, 1500);
  screen.Print("MMMMMMMM");
  // A band filled after the text is drawn under it, as a band behind its
  // caption.
  screen.FillBox(900, 1900, 3000, 400, 0xFF0000);
  screen.SetTextColor(kColorWhite);
  screen.MoveTo(1000, 2200);
  screen.Print("MMMMMMMM");
  screen.PushDrawingState();
  screen.DevTextOut(screen.UnitsToDeviceX(1000), screen.UnitsToDeviceY(3000), "slanted", 30);
  screen.PopDrawingState();
  screen.EndPage();
  const TMetaPage& page = screen.Pages().Get(0);
  ASSERT_EQ(page.Texts().size(), 2u) << "the slanted text stays in the picture";
  EXPECT_EQ(page.Texts()[0].text, "MMMMMMMM");
  const QImage image = screen.Pages().Render(0, 100);
  auto darkest = [&image](int x0, int y0, int x1, int y1) {
    int low = 255;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) low = std::min(low, image.pixelColor(x, y).green());
    return low;
  };
  EXPECT_LT(darkest(100, 135, 180, 150), 100) << "black text on white";
  int white_in_band = 0;
  for (int x = 100; x < 180; ++x)
    if (image.pixelColor(x, 215).green() > 200) ++white_in_band;
  EXPECT_GT(white_in_band, 5) << "white text over the blue band";
}

TEST(QtDrawing, FillBoxIgnoresTheColourSwitchButPensDoNot) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  screen.StartPage();
  screen.FillBox(1000, 1000, 1000, 1000, 255);
  screen.SetPenColor(255);
  screen.SetPen(1, 0);
  screen.HorzLine(1000, 3000, 4000);
  screen.EndPage();
  const QImage image = screen.Pages().Render(0, 150);
  const QColor fill = image.pixelColor(225, 225);
  EXPECT_EQ(fill, QColor(255, 0, 0));
  const QColor line = image.pixelColor(300, 450);
  EXPECT_LT(line.red(), 100);
  EXPECT_LT(line.green(), 100);
}

TEST(QtDrawing, BitmapsShapesAndPathsDraw) {
  QTemporaryDir dir;
  const QString png = dir.filePath("blue.png");
  QImage blue(10, 10, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 255));
  ASSERT_TRUE(blue.save(png));
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  ASSERT_TRUE(screen.Open(true, 0, 0, " ", false));
  screen.StartPage();
  screen.DrawBitmapFile(1000, 1000, 1000, 1000, png.toStdString());
  screen.DrawBitmapFile(1000, 3000, 1000, 1000, dir.filePath("missing.png").toStdString());
  screen.Circle(5000, 1500, 400, 1, 0x00FF00, 0);
  screen.BeginPath();
  screen.Polygon({{1000, 5000}, {2000, 5000}, {2000, 6000}, {1000, 6000}});
  screen.EndPath();
  screen.SetFillColor(0xFF0000);
  screen.SetFillStyle(1);
  screen.FillPath();
  screen.Pie(7000, 1500, 400, 0, 90, 1, 0xFF0000, 0);
  screen.RingSegment(5000, 5000, 500, 300, 0, 360, 1, 0x0000FF);
  screen.PrintOnArc(5000, 8000, 0, "around", 150, 800);
  screen.EndPage();
  const QImage image = screen.Pages().Render(0, 60);
  EXPECT_EQ(image.pixelColor(429, 81), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(324, 300), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(300, 300), QColor(Qt::white));  // inside the ring
  EXPECT_EQ(image.pixelColor(90, 90), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(90, 210), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(300, 90), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(90, 330), QColor(0, 0, 255));
}

TEST(QtDrawing, SelectingAFontMakesTheBrushHollowButKeepsItsColour) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  screen.Open(true, 0, 0, " ", false);
  screen.StartPage();
  screen.SetFillColor(0x0000FF);
  screen.SetFillStyle(1);
  screen.SelectFontSlot(11);
  EXPECT_EQ(screen.CurrentQBrush().style(), Qt::NoBrush);
  screen.SetFillStyle(1);
  EXPECT_EQ(screen.CurrentQBrush().color(), QColor(255, 0, 0));
  screen.EndPage();
}

TEST(QtDrawing, SlantedBandsLeaveThePenAsItWas) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  screen.Open(false, 0, 0, " ", false);
  screen.StartPage();
  screen.SetPen(1, 0);
  THeader header(&screen);
  header.SetHeight(300);
  header.BandFlags = kBandFilled;
  header.SetFillColor(0xC8C8C8);
  header.Draw();
  screen.HorzLine(1000, 3000, 4000);
  screen.EndPage();
  EXPECT_EQ(screen.CurrentQPen().style(), Qt::SolidLine);
  const QImage image = screen.Pages().Render(0, 150);
  EXPECT_LT(image.pixelColor(300, 450).red(), 100);
}

TEST(QtDrawing, RingOutlineIsBounded) {
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  screen.Open(true, 0, 0, " ", false);
  const auto ring = screen.RingOutline(2000, 2000, 1000, 500, 0, 3600);
  EXPECT_LE(ring.size(), static_cast<std::size_t>(TDelphiBase::kMaxRingPoints));
  EXPECT_EQ(ring.front().X, 1800);
  EXPECT_EQ(ring.front().Y, 1200);
  const auto small = screen.RingOutline(2000, 2000, 1000, 500, 0, 90);
  EXPECT_EQ(small.size(), 2u * 181u);  // every half degree, both arcs
}

TEST(QtPdf, RecordedPagesReplayIntoAPdfThatReadsBackInOrder) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("out.pdf").toStdString();
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  LoadDefaultFonts(screen);
  ASSERT_TRUE(screen.Open(false, 0, 0, " ", false));
  screen.StartPage();
  screen.SelectFontSlot(11);
  screen.MoveTo(1000, 1500);
  screen.Print("Alpha first line");
  screen.NewLine(1);
  screen.Print("Bravo second line");
  screen.EndPage();
  screen.SetOrientation(1);
  screen.StartPage();
  screen.MoveTo(1000, 1500);
  screen.Print("Charlie on landscape");
  screen.EndPage();
  screen.Pages().SaveAsPdf(pdf);
  const std::string text = RunCommand("pdftotext -q '" + pdf + "' -");
  const auto a = text.find("Alpha first line");
  const auto b = text.find("Bravo second line");
  const auto c = text.find("Charlie on landscape");
  ASSERT_NE(a, std::string::npos) << text;
  ASSERT_NE(b, std::string::npos) << text;
  ASSERT_NE(c, std::string::npos) << text;
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  const std::string info = RunCommand("pdfinfo -f 1 -l 2 '" + pdf + "'");
  EXPECT_NE(info.find("Page    1 size:  612 x 792"), std::string::npos) << info;
  EXPECT_NE(info.find("Page    2 size:  792 x 612"), std::string::npos) << info;
}

TEST(QtPdf, SavingFailsCleanly) {
  TMetaPageList empty;
  QTemporaryDir dir;
  const std::string path = dir.filePath("none.pdf").toStdString();
  EXPECT_THROW(empty.SaveAsPdf(path), std::runtime_error);
  EXPECT_FALSE(std::ifstream(path).good());
  TDelphiScreen screen(std::make_shared<TSystemPrinter>(600));
  screen.Open(false, 0, 0, " ", false);
  screen.StartPage();
  screen.EndPage();
  EXPECT_THROW(screen.Pages().SaveAsPdf("/nonexistent-folder/x.pdf"), std::runtime_error);
}

}  // namespace
}  // namespace zelvora
