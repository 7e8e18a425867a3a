// TReportPage: page furniture and the gap table rows every kind shares.
#include "report/ReportPage.h"

#include <algorithm>
#include <cmath>

#include "base/DateTime.h"
#include "base/Rounding.h"
#include "report/GapCatGap.h"
#include "report/GapFormat.h"
#include "report/Prtobjs.h"

namespace zelvora {

Mils RoundMils(double units) { return static_cast<Mils>(RoundHalfEven(units)); }

std::string PracticeText(const std::string& text) {
  if (!text.empty() && text.back() == '?') return text.substr(0, text.size() - 1) + ".";
  return text;
}

TGapColumns GapColumns(Mils cat_left, double w, double cat, double n, double gap, int graph_space,
                       double graph, double dist) {
  const double g = 0.01 * w;
  TGapColumns c{};
  c.cat = cat_left;
  c.cat_w = RoundMils(cat * w);
  c.n = c.cat + c.cat_w + RoundMils(g);
  c.n_w = RoundMils(n * w);
  c.gap = c.n + c.n_w + RoundMils(g);
  c.gap_w = RoundMils(gap * w);
  c.graph = c.gap + c.gap_w + RoundMils(graph_space * g);
  c.graph_w = RoundMils(graph * w);
  c.dist = c.graph + c.graph_w + RoundMils(g);
  c.dist_w = RoundMils(dist * w);
  return c;
}

void TReportPage::SetMargins() {
  p.SetTopMargin(kReportMarginTopBottom, 0);
  p.SetBottomMargin(p.PageHeight - kReportMarginTopBottom, 0);
  p.SetLeftMargin(kReportMarginLeftRight, 0);
  p.SetRightMargin(p.PageWidth - kReportMarginLeftRight, 0);
}

// Ends the open page, starts the next and prints header and footer.
void TReportPage::NewPage() {
  if (page_open) p.EndPage();
  SetMargins();
  p.StartPage();
  page_open = true;
  ++report.page_;
  report.NotifyPageProgress("", "", report.page_);
  Footer();
  Header();
}

void TReportPage::Footer() {
  const bool bar = Options(kOptHeaderFooterBar);
  TFooter footer(&p);
  footer.SetHeight(kReportBandHeight);
  footer.PartFonts = {2, 17, 16, -1, -1};
  footer.Alignment = TPrintable::kAlignCenter;
  footer.SetText(0, report.page_ >= 1 ? "Page " + std::to_string(report.page_) : "");
  footer.SetText(1, ReportFooterNotice(report.request_.Kind));
  footer.SetText(2, "");
  if (bar) {
    footer.BandFlags = kBandFilled;
    footer.SetFillColor(report.ShadeColor);
    footer.SetTextColor(kColorWhite);
  }
  footer.Draw();
}

void TReportPage::Header() {
  const bool bar = Options(kOptHeaderFooterBar);
  THeader header(&p);
  header.SetHeight(kReportBandHeight);
  header.PartFonts[0] = 1;
  header.Alignment = TPrintable::kAlignCenter;
  header.SetText(0, header_bar);
  header.LinesAfter = 1;
  if (bar) {
    header.BandFlags = kBandFilled;
    header.SetFillColor(report.ShadeColor);
    header.SetTextColor(kColorWhite);
  }
  header.Draw();
}

// The date, the survey's name and the subject's name in font 7, then the
// section's report name centred in font 6.
void TReportPage::PageHeading() {
  p.SelectFontSlot(7);
  const Mils y = p.CurY;
  p.MoveTo(L(), y);
  p.Print(FormatHeadingDate(report.TodayDate));
  p.PrintCenteredAt(survey ? survey->Name : "", L() + W() / 2, y);
  p.PrintRight(subject, L(), y, W() - 100);
  p.NewLine(0.5);
  p.SelectFontSlot(6);
  p.NewLine(1);
  p.PrintCenteredAt(section_name, L() + W() / 2, p.CurY);
  p.NewLine(space_after_heading);
  p.NewLine(1);
  content_top = p.CurY;
}

void TReportPage::NewPageWithHeading() {
  NewPage();
  PageHeading();
}

// A paragraph running off the page goes on under a new page heading in
// its own font.
void TReportPage::ContinuePage(int font) {
  NewPageWithHeading();
  p.SelectFontSlot(font);
}

void TReportPage::TitlePage(const std::string& third_line) {
  const std::string saved_bar = header_bar;
  header_bar = Config().Text(TReportText::TitleHeaderBar);
  NewPage();
  header_bar = saved_bar;
  TTitle360 title(&p);
  title.PartFonts = {3, 4, 5, -1, -1};
  title.Inset = 250;
  title.SetText(0, survey ? survey->Name : "");
  title.SetText(1, company);
  title.SetText(2, report.request_.ReportName.empty() ? third_line : report.request_.ReportName);
  title.Draw();
  p.SelectFontSlot(5);
  const Mils centre = L() + W() / 2;
  p.PrintCenteredAt(FormatLongDate(report.TodayDate), centre, RoundMils(p.PageHeight * 0.65));
  const std::string& instrument = Config().Text(TReportText::TitleInstrument);
  if (instrument != "NONE") {
    p.PrintCenteredAt(instrument.empty() ? "Zelvora 360\xC2\xB0 Feedback\xE2\x84\xA2" : instrument,
                      centre, RoundMils(p.PageHeight * 0.8));
  }
}

// The Composite report's list of experiences, after its title page.
void TReportPage::CompositeList(const std::vector<const TReportExperience*>& selected) {
  NewPage();
  p.SelectFontSlot(13);
  p.MoveTo(L(), p.CurY);
  p.Print("The following experiences are included in this Composite Report:");
  p.NewLine(2);
  TBulletList bullet(&p);
  bullet.PartFonts = {11, 11, -1, -1, -1};
  bullet.BulletOffset = -250;
  bullet.Left = L() + 500;
  bullet.Right = p.RightMargin;
  bullet.Alignment = TPrintable::kAlignCenter;
  bullet.SetText(1, "\xE2\x80\xA2");
  bullet.OnPageBreak = [this] { NewPage(); };
  for (const TReportExperience* e : selected) {
    bullet.SetText(
        0, FormatShortDate(e->Experience.ExperienceDate) + " - " + e->Experience.SubjectName);
    bullet.Draw();
  }
}

void TReportPage::StartSection(TReportText bar, TReportText name, double after) {
  header_bar = Config().Text(bar);
  section_name = Config().Text(name);
  space_after_heading = after;
  NewPageWithHeading();
}

// Column labels over the rows at the current line.
void TReportPage::BlockLabels(const TGapColumns& c) {
  p.SelectFontSlot(16);
  const Mils y = p.CurY;
  const Mils lh = p.LineHeight;
  p.PrintRight("N", c.n, y + lh, c.n_w);
  p.PrintRight("Gap", c.gap, y, c.gap_w);
  p.PrintRight("Size", c.gap, y + lh, c.gap_w);
  if (c.dist_w > 0) {
    p.PrintCenteredAt("Gap Size Distribution", c.dist + c.dist_w / 2, y);
    static const char* const kSub[] = {"R", "0", "1", "2", "3", "4"};
    for (int i = 0; i < 6; ++i)
      p.PrintCenteredAt(kSub[i], c.dist + RoundMils(c.dist_w * (i + 0.5) / 6.0), y + lh);
  }
  p.PrintCenteredAt("Average Gap Size", c.graph + c.graph_w / 2, y);
  const std::vector<std::string> axis = AxisLabels();
  for (std::size_t i = 0; i < axis.size(); ++i)
    p.PrintCenteredAt(axis[i], c.graph + RoundMils(c.graph_w * static_cast<double>(i) / 4.0),
                      y + lh);
  p.MoveTo(L(), y + lh + lh / 3);
}

void TReportPage::BlockRow(const TGapColumns& c, const TGapRow& row, const std::string& name) {
  const Mils top = p.CurY;
  const Mils base = top + kReportRowHeight - 25;
  p.SelectFontSlot(19);
  p.MoveTo(c.cat, base);
  p.Print(name);
  p.SelectFontSlot(16);
  p.PrintRight(row.NText, c.n, base, c.n_w);
  p.PrintRight(row.AverageText, c.gap, base, c.gap_w);
  p.SelectFontSlot(17);
  const Mils box_w = c.dist_w / 6;
  for (int i = 0; i < 6; ++i) {
    const Mils x = c.dist + RoundMils(c.dist_w * i / 6.0);
    p.Frame(x, top + 10, box_w, kReportRowHeight - 20);
    if (!row.BoxTexts[static_cast<std::size_t>(i)].empty())
      p.PrintCenteredAt(row.BoxTexts[static_cast<std::size_t>(i)], x + box_w / 2, base - 10);
  }
  GapBar(c, top, row.Bar, report.ShadeColor);
  p.MoveTo(L(), top + kReportRowHeight);
}

void TReportPage::GapBar(const TGapColumns& c, Mils top, int value, std::int32_t color) {
  if (value == 0) return;
  // A value past either end of the scale is clamped by the bar, which marks
  // it with a triangle (the tally leaves such values only when the over or
  // under mark is on).
  TBar bar(&p);
  bar.SetX(c.graph);
  bar.SetY(top + 15);
  bar.SetWidth(c.graph_w);
  bar.SetHeight(kReportRowHeight - 30);
  bar.MinValue = 0;
  bar.MaxValue = TCatGap::kReportCap;
  bar.Value = value;
  bar.PenStyle = TBasePrinter::kPenClear;
  bar.TextColor = color;
  bar.FillPattern = TBasePrinter::kBrushSolid;
  p.PushDrawingState();
  bar.Draw();
  p.PopDrawingState();
}

void TReportPage::AreaHeading(const std::string& heading) {
  p.SelectFontSlot(13);
  p.MoveTo(L(), p.CurY);
  p.Print(heading);
  p.NewLine(1);
}

void TReportPage::StartQuestionBlock(Mils need, bool new_area, const std::string& heading) {
  if (!Fits(need)) {
    NewPageWithHeading();
    AreaHeading(heading);
  } else if (new_area) {
    // The heading is drawn on its baseline: a line and a half keeps its
    // top below the previous question's rows.
    p.SelectFontSlot(13);
    p.NewLine(1.5);
    AreaHeading(heading);
  }
}

void TReportPage::Heading(const std::string& text) {
  p.SelectFontSlot(6);
  p.NewLine(0.5);
  p.MoveTo(L(), p.CurY);
  p.Print(text);
  p.NewLine(1.5);
}

void TReportPage::Paragraph(const std::string& text, int font) {
  p.SelectFontSlot(font);
  p.PrintBulleted(
      0, "", 0, L(), text, p.RightMargin, 1, "", 0,
      [this, font] {
        NewPageWithHeading();
        p.SelectFontSlot(font);
      },
      -1);
  p.NewLine(1.5);
}

}  // namespace zelvora
