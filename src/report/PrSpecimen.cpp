#include "report/PrSpecimen.h"

#include <stdexcept>
#include <string>

#include "report/PrintFonts.h"
#include "report/Prtobjs.h"

namespace zelvora {
namespace {

constexpr std::int32_t kAnswerShade = 15790320;

const char* const kParagraph =
    "Encourages open discussion of problems and listens carefully to the views of others "
    "before deciding. Gives clear direction, explains the reasons for decisions and follows "
    "up on the commitments made to the team, to Mr. Smith's department and to clients.";

struct Page {
  TDelphiScreen& p;
  const TReportConfig& config;
  std::int32_t shade;

  // Footer first: it sets the page bottom everything else stays above.
  void Bands(const std::string& header_text, int page_number) {
    const bool bar = config.HeaderFooterBar();
    TFooter footer(&p);
    footer.SetHeight(300);
    footer.PartFonts = {2, 17, 16, -1, -1};
    footer.Alignment = TPrintable::kAlignCenter;
    footer.SetText(0, "Page " + std::to_string(page_number));
    footer.SetText(1, "Specimen of the Zelvora 360 Feedback print engine. Not a report.");
    footer.SetText(2, "");
    if (bar) {
      footer.BandFlags = kBandFilled;
      footer.SetFillColor(shade);
    }
    footer.Draw();

    THeader header(&p);
    header.SetHeight(300);
    header.PartFonts[0] = 1;
    header.Alignment = TPrintable::kAlignCenter;
    header.SetText(0, header_text);
    header.LinesAfter = 1;
    if (bar) {
      header.BandFlags = kBandFilled;
      header.SetFillColor(shade);
      header.SetTextColor(kColorWhite);
    }
    header.Draw();
  }
};

void PortraitPage(Page& page) {
  TDelphiScreen& p = page.p;
  p.SetOrientation(0);
  p.StartPage();
  page.Bands(page.config.Text(TReportText::TitleHeaderBar), 1);

  TTitle360 title(&p);
  title.PartFonts = {3, 4, 5, -1, -1};
  title.Inset = 250;
  title.SetText(0, "Leadership Practices Survey");
  title.SetText(1, "Zelvora Demo Company");
  title.SetText(2, "Print Engine Specimen");
  title.Draw();

  // Below the panel: headings, aligned lines, paragraphs and lists.
  p.MoveTo(p.LeftMargin, title.GetY() + title.GetHeight() + 500);
  TSectionHeader section(&p);
  section.PartFonts[0] = 6;
  section.Alignment = TPrintable::kAlignLeft;
  section.SetText(0, "STRENGTHS / OTHERS");
  section.LinesAfter = 0.5;
  section.Draw();

  TAlignText line(&p);
  line.PartFonts[0] = 7;
  for (const auto& [align, text] :
       {std::pair{TPrintable::kAlignLeft, "Left: Pat Example, Leadership Practices"},
        std::pair{TPrintable::kAlignCenter, "Centred: 8 December 2026"},
        std::pair{TPrintable::kAlignRight, "Right-aligned line"}}) {
    line.Alignment = align;
    line.SetText(0, text);
    line.LinesAfter = 1;
    line.Draw();
  }
  p.NewLine(0.5);

  TBulletList bullets(&p);
  bullets.PartFonts = {11, 11, -1, -1, -1};
  bullets.BulletOffset = -250;
  bullets.Left = p.LeftMargin + 500;
  bullets.Alignment = TPrintable::kAlignCenter;
  bullets.SetText(1, "\xE2\x80\xA2");  // the bullet of the code page
  bullets.SetText(0, kParagraph);
  bullets.LinesAfter = 0.3;
  bullets.Draw();
  bullets.Leader = ".";
  bullets.SetText(0, "A short practice with a leader to the margin");
  bullets.Draw();

  TNumberList numbers(&p);
  numbers.PartFonts = {11, 13, -1, -1, -1};
  numbers.BulletOffset = -350;
  numbers.Left = p.LeftMargin + 500;
  numbers.SetText(1, ")");
  for (const char* text : {"Sets clear goals with the team.", "Recognises good work.",
                           "Asks: what could we do better next time? Then acts on it."}) {
    numbers.SetText(0, text);
    numbers.LinesAfter = 0.2;
    numbers.Draw();
  }

  TAngleText side(&p);
  side.PartFonts[0] = 16;
  side.Angle = 90;
  side.SetX(p.LeftMargin - 300);
  side.SetY(p.PageBottom - 200);
  side.SetText(0, "Rotated text, 90 degrees");
  side.Draw();
  p.EndPage();
}

void LandscapePage(Page& page) {
  TDelphiScreen& p = page.p;
  p.SetOrientation(1);
  const Mils portrait_right = p.RightMargin;
  const Mils portrait_bottom = p.BottomMargin;
  p.RightMargin = 10250;
  p.BottomMargin = 7750;
  p.StartPage();
  page.Bands(page.config.Text(TReportText::SummaryHeaderBar), 2);

  TSectionHeader section(&p);
  section.PartFonts[0] = 6;
  section.Alignment = TPrintable::kAlignLeft;
  section.SetText(0, page.config.Text(TReportText::SummaryResponseTag) + " OTHERS");
  section.LinesAfter = 0.5;
  section.Draw();

  // Column labels over the bars, then a graph of five bars: within the
  // scale, over it, under it, empty and full.
  const Mils graph_left = p.LeftMargin + 3000;
  const Mils graph_width = 5000;
  p.SelectFontSlot(16);
  TBar scale(&p);
  scale.SetX(graph_left);
  scale.SetWidth(graph_width);
  scale.SetHeight(200);
  scale.PenStyle = TBasePrinter::kPenClear;
  scale.Alignment = TPrintable::kAlignCenter;
  scale.AddLabel("Under 0", 20);
  scale.AddLabel("0 to 1", 30);
  scale.AddLabel("1 to 2 (over)", 50);
  scale.FillColor = kColorWhite;
  scale.TextColor = kColorWhite;
  scale.MaxValue = 1;
  scale.Draw();
  p.NewLine(1.5);

  TBarGraph graph(&p);
  graph.PartFonts[0] = 16;
  graph.SetX(graph_left);
  graph.SetY(p.CurY);
  graph.SetWidth(graph_width);
  graph.SetHeight(250);
  graph.PenColor = kColorBlack;
  const struct {
    const char* name;
    int value;
    int pattern;
  } rows[] = {{"Sets clear goals", 3, 1},
              {"Listens to others", 6, 1},
              {"Recognises work", -1, 1},
              {"Explains decisions", 0, 2},
              {"Follows up", 4, 5}};
  for (const auto& row : rows)
    graph.AddBar(row.name, page.shade, 1, 3, row.value, 4, 0, row.pattern);
  graph.Draw();
  p.SelectFontSlot(19);
  for (std::size_t i = 0; i < graph.Bars.size(); ++i) {
    const TBar& bar = *graph.Bars[i];
    p.MoveTo(p.LeftMargin, bar.GetY() + 180);
    p.Print(bar.GetText(0));
  }

  // A vertical bar beside the graph.
  TBar column(&p);
  column.Vertical = true;
  column.SetX(graph_left + graph_width + 600);
  column.SetY(graph.GetY() + 100);
  column.SetWidth(300);
  column.SetHeight(1100);
  column.MaxValue = 4;
  column.Value = 5;
  column.Ticks = 3;
  column.SetTextColor(page.shade);
  column.Draw();

  // Answer boxes: rows of rectangles shaded alternately, and bubbles.
  p.MoveTo(p.LeftMargin, graph.GetY() + graph.GetHeight() * 5 + 600);
  TAlignText caption(&p);
  caption.PartFonts[0] = 11;
  caption.Alignment = TPrintable::kAlignLeft;
  caption.SetText(0, "1. Sets clear goals with the team.");
  caption.Draw();
  for (int r = 0; r < 2; ++r) {
    TBoxArray boxes(&p);
    boxes.SetX(graph_left + r * 2800);
    boxes.SetY(p.CurY - 150);
    boxes.SetWidth(400);
    boxes.SetHeight(180);
    boxes.SetGap(80);
    for (int i = 0; i < 5; ++i) boxes.AddBox(i % 2 == 0 ? kAnswerShade : kColorWhite);
    boxes.Draw();
  }
  p.NewLine(1.5);
  TBoxArray bubbles(&p);
  bubbles.Shape = 1;
  bubbles.SetX(graph_left);
  bubbles.SetY(p.CurY - 150);
  bubbles.SetWidth(200);
  bubbles.SetHeight(200);
  bubbles.SetGap(300);
  for (int i = 0; i < 5; ++i) bubbles.AddBox(i == 2 ? kColorBlack : kColorWhite);
  bubbles.Draw();
  p.SelectFontSlot(15);
  p.MoveTo(p.LeftMargin, p.CurY);
  p.Print("Answer bubbles");

  TAngleText slanted(&p);
  slanted.PartFonts[0] = 15;
  slanted.Angle = 45;
  slanted.SetX(graph_left + graph_width + 200);
  slanted.SetY(graph.GetY() + 3300);
  slanted.SetText(0, "Text at 45 degrees");
  slanted.Draw();
  p.EndPage();
  p.RightMargin = portrait_right;
  p.BottomMargin = portrait_bottom;
  p.SetOrientation(0);
}

}  // namespace

void DrawSpecimen(TDelphiScreen& printer, const TReportConfig& config) {
  LoadReportFonts(printer, config);
  if (!printer.Open(config.UseColor(), 0, 0, " ", false))
    throw std::runtime_error("Could not open the printer.");
  printer.SetLeftMargin(750, 0);
  printer.SetRightMargin(7750, 0);
  printer.SetTopMargin(750, 0);
  printer.SetBottomMargin(10250, 0);
  Page page{printer, config, static_cast<std::int32_t>(config.ShadeColorValue().value & 0xFFFFFF)};
  PortraitPage(page);
  LandscapePage(page);
}

}  // namespace zelvora
