#include "report/Report.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "base/Cp1252.h"
#include "base/DateTime.h"
#include "base/Rounding.h"
#include "report/GapBlockReports.h"
#include "report/GapCategories.h"
#include "report/GapComparative.h"
#include "report/GapError.h"
#include "report/GapFormat.h"
#include "report/GapOrganizational.h"
#include "report/GapOverview.h"
#include "report/GapTraining.h"
#include "report/PrintFonts.h"
#include "report/Prtobjs.h"

namespace zelvora {
namespace {

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// Every section's margins, measured from the page edges.
constexpr Mils kMarginTopBottom = 100;
constexpr Mils kMarginLeftRight = 250;
constexpr Mils kBandHeight = 300;
constexpr Mils kRowHeight = 150;
// The return date below which forms ask for return as soon as possible.
const double kReturnDateFloor = EncodeDate(1980, 1, 1);

Mils Col(double units) { return static_cast<Mils>(RoundHalfEven(units)); }

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// A practice as the listings print it: a final "?" reads ".".
std::string PracticeText(const std::string& text) {
  if (!text.empty() && text.back() == '?') return text.substr(0, text.size() - 1) + ".";
  return text;
}

}  // namespace

std::string FormatHeadingDate(double date) {
  const CivilDate d = DecodeDate(date);
  return std::string(kMonths[d.month - 1]) + " " + std::to_string(d.day) + ", " +
         std::to_string(d.year);
}

std::string FormatShortDate(double date) {
  const CivilDate d = DecodeDate(date);
  return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

std::string FormatLongDate(double date) {
  // 1899-12-30 was a Saturday.
  const auto days = static_cast<long long>(std::floor(date));
  const auto weekday = static_cast<int>(((days + 6) % 7 + 7) % 7);
  return std::string(kWeekdays[weekday]) + ", " + FormatHeadingDate(date);
}

// The state of one run: the printer, the subject or report being laid out
// and the page furniture of the section running.
struct TReport360::TRun {
  TRun(TReport360& r, TBasePrinter& printer) : report(r), p(printer) {}
  TReport360& report;
  TBasePrinter& p;
  bool page_open = false;
  // The data of the subject or report being laid out.
  std::string subject;  // or the report name
  std::string company;
  std::shared_ptr<const TGapSurvey> survey;
  std::vector<TGapExperience> experiences;
  TGapCategoryList company_categories;
  TGapCategoryList categories;
  // The running section's header bar and report name.
  std::string header_bar;
  std::string section_name;
  double space_after_heading = 0.5;

  Mils L() const { return p.LeftMargin; }
  Mils W() const { return p.RightMargin - p.LeftMargin; }
  bool Options(std::uint16_t bit) const { return (report.request_.Options & bit) != 0; }
  const TReportConfig& Config() const { return report.config_; }
  bool Stopped() const { return report.Cancelled || p.Aborted; }

  void SetMargins() {
    p.SetTopMargin(kMarginTopBottom, 0);
    p.SetBottomMargin(p.PageHeight - kMarginTopBottom, 0);
    p.SetLeftMargin(kMarginLeftRight, 0);
    p.SetRightMargin(p.PageWidth - kMarginLeftRight, 0);
  }

  // Ends the open page, starts the next and prints header and footer.
  void NewPage() {
    if (page_open) p.EndPage();
    SetMargins();
    p.StartPage();
    page_open = true;
    ++report.page_;
    report.NotifyPageProgress("", "", report.page_);
    Footer();
    Header();
  }

  void Footer() {
    const bool bar = Options(kOptHeaderFooterBar);
    TFooter footer(&p);
    footer.SetHeight(kBandHeight);
    footer.PartFonts = {2, 17, 16, -1, -1};
    footer.Alignment = TPrintable::kAlignCenter;
    footer.SetText(0, report.page_ >= 1 ? "Page " + std::to_string(report.page_) : "");
    footer.SetText(1, kReportFooterNotice);
    footer.SetText(2, "");
    if (bar) {
      footer.BandFlags = kBandFilled;
      footer.SetFillColor(report.ShadeColor);
      footer.SetTextColor(kColorWhite);
    }
    footer.Draw();
  }

  void Header() {
    const bool bar = Options(kOptHeaderFooterBar);
    THeader header(&p);
    header.SetHeight(kBandHeight);
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
  void PageHeading() {
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
  }

  void NewPageWithHeading() {
    NewPage();
    PageHeading();
  }

  // A paragraph running off the page goes on under a new page heading in
  // its own font.
  void ContinuePage(int font) {
    NewPageWithHeading();
    p.SelectFontSlot(font);
  }

  bool Fits(Mils height) const { return p.PageBottom - p.CurY >= height; }

  void TitlePage(const std::string& third_line) {
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
    p.PrintCenteredAt(FormatLongDate(report.TodayDate), centre, Col(p.PageHeight * 0.65));
    const std::string& instrument = Config().Text(TReportText::TitleInstrument);
    if (instrument != "NONE") {
      p.PrintCenteredAt(
          instrument.empty() ? "Zelvora 360\xC2\xB0 Feedback\xE2\x84\xA2" : instrument, centre,
          Col(p.PageHeight * 0.8));
    }
  }

  // The Composite report's list of experiences, after its title page.
  void CompositeList(const std::vector<const TReportExperience*>& selected) {
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

  void StartSection(TReportText bar, TReportText name, double after) {
    header_bar = Config().Text(bar);
    section_name = Config().Text(name);
    space_after_heading = after;
    NewPageWithHeading();
  }

  // ---- the block tables of sections 1 and 2 ----

  struct TBlockColumns {
    Mils cat, cat_w, n, n_w, gap, gap_w, graph, graph_w, dist, dist_w;
  };

  // Column labels over the rows at the current line.
  void BlockLabels(const TBlockColumns& c) {
    p.SelectFontSlot(16);
    const Mils y = p.CurY;
    const Mils lh = p.LineHeight;
    p.PrintRight("N", c.n, y + lh, c.n_w);
    p.PrintRight("Gap", c.gap, y, c.gap_w);
    p.PrintRight("Size", c.gap, y + lh, c.gap_w);
    p.PrintCenteredAt("Gap Size Distribution", c.dist + c.dist_w / 2, y);
    static const char* const kSub[] = {"R", "0", "1", "2", "3", "4"};
    for (int i = 0; i < 6; ++i)
      p.PrintCenteredAt(kSub[i], c.dist + Col(c.dist_w * (i + 0.5) / 6.0), y + lh);
    p.PrintCenteredAt("Average Gap Size", c.graph + c.graph_w / 2, y);
    const std::vector<std::string> axis = AxisLabels();
    for (std::size_t i = 0; i < axis.size(); ++i)
      p.PrintCenteredAt(axis[i], c.graph + Col(c.graph_w * static_cast<double>(i) / 4.0), y + lh);
    p.MoveTo(L(), y + lh + lh / 3);
  }

  void BlockRow(const TBlockColumns& c, const TGapRow& row, const std::string& name) {
    const Mils top = p.CurY;
    const Mils base = top + kRowHeight - 25;
    p.SelectFontSlot(19);
    p.MoveTo(c.cat, base);
    p.Print(name);
    p.SelectFontSlot(16);
    p.PrintRight(row.NText, c.n, base, c.n_w);
    p.PrintRight(row.AverageText, c.gap, base, c.gap_w);
    p.SelectFontSlot(17);
    const Mils box_w = c.dist_w / 6;
    for (int i = 0; i < 6; ++i) {
      const Mils x = c.dist + Col(c.dist_w * i / 6.0);
      p.Frame(x, top + 10, box_w, kRowHeight - 20);
      if (!row.BoxTexts[static_cast<std::size_t>(i)].empty())
        p.PrintCenteredAt(row.BoxTexts[static_cast<std::size_t>(i)], x + box_w / 2, base - 10);
    }
    const int bar = std::clamp(row.Bar, 0, 200);
    if (bar > 0)
      p.FillBox(c.graph, top + 25, Col(static_cast<double>(c.graph_w) * bar / 200.0),
                kRowHeight - 50, report.ShadeColor);
    p.MoveTo(L(), top + kRowHeight);
  }

  bool CategorySection() {
    const std::vector<TGapAreaBlock> blocks =
        ComputeSkillAreaBlocks(*survey, experiences, categories, Marks());
    if (blocks.empty()) return false;
    StartSection(TReportText::CategoryHeaderBar, TReportText::CategoryReportName, 2.5);
    const double w = W();
    const double g = 0.01 * w;
    TBlockColumns c{};
    c.cat = L() + 400;
    c.cat_w = Col(0.2 * w);
    c.n = c.cat + c.cat_w + Col(g);
    c.n_w = Col(0.03 * w);
    c.gap = c.n + c.n_w + Col(g);
    c.gap_w = Col(0.05 * w);
    c.graph = c.gap + c.gap_w + Col(2 * g);
    c.graph_w = Col(0.28 * w);
    c.dist = c.graph + c.graph_w + Col(g);
    c.dist_w = Col(0.28 * w);
    const auto rows = static_cast<Mils>(categories.size());
    for (const TGapAreaBlock& block : blocks) {
      if (Stopped()) break;
      if (!Fits(rows * kRowHeight + 260 + 250)) NewPageWithHeading();
      p.SelectFontSlot(13);
      p.NewLine(1);
      p.MoveTo(L() + 200, p.CurY);
      p.Print(block.Name);
      p.NewLine(1);
      BlockLabels(c);
      for (const TGapRow& row : block.Rows) BlockRow(c, row, row.CategoryName);
    }
    return true;
  }

  TGapMarks Marks() const { return {Options(kOptGraphUnder), Options(kOptGraphOver)}; }

  void AreaHeading(const std::string& heading) {
    p.SelectFontSlot(13);
    p.MoveTo(L(), p.CurY);
    p.Print(heading);
    p.NewLine(1);
  }

  bool PracticesSection() {
    const std::vector<TGapPracticeBlock> blocks =
        ComputePracticeBlocks(*survey, experiences, categories, Marks());
    if (blocks.empty()) return false;
    StartSection(TReportText::PracticesHeaderBar, TReportText::PracticesReportName, 0.5);
    const double w = W();
    const double g = 0.01 * w;
    const Mils text_right = L() + Col(0.28 * w);
    TBlockColumns c{};
    c.cat = text_right + Col(g);
    c.cat_w = Col(0.11 * w);
    c.n = c.cat + c.cat_w + Col(g);
    c.n_w = Col(0.02 * w);
    c.gap = c.n + c.n_w + Col(g);
    c.gap_w = Col(0.04 * w);
    c.graph = c.gap + c.gap_w + Col(2 * g);
    c.graph_w = Col(0.25 * w);
    c.dist = c.graph + c.graph_w + Col(g);
    c.dist_w = Col(0.25 * w);
    const auto rows = static_cast<Mils>(categories.size());
    std::string heading;
    for (const TGapPracticeBlock& block : blocks) {
      if (Stopped()) break;
      const bool new_area = block.StartsSkillArea || heading.empty();
      if (new_area) heading = block.AreaHeading;
      const Mils need = rows * kRowHeight + 2 * p.LineHeight + 250 + (new_area ? 2 * 260 : 0);
      if (!Fits(need)) {
        NewPageWithHeading();
        AreaHeading(heading);
      } else if (new_area) {
        p.NewLine(0.5);
        AreaHeading(heading);
      }
      p.SelectFontSlot(11);
      p.NewLine(1.2);
      BlockLabels(c);
      const Mils rows_top = p.CurY;
      // The question beside its rows, hanging under its number.
      p.SelectFontSlot(11);
      p.MoveTo(L(), rows_top + kRowHeight - 25);
      p.PrintBulleted(
          -250, std::to_string(block.QuestionIndex + 1) + ")", 0, L() + 250,
          PracticeText(survey->Questions[static_cast<std::size_t>(block.QuestionIndex)].Text),
          text_right, 1, "", 0, nullptr, -1);
      const Mils text_bottom = p.CurY + p.LineHeight / 3;
      p.MoveTo(L(), rows_top);
      for (const TGapRow& row : block.Rows) BlockRow(c, row, CutToChars(row.CategoryName, 18));
      p.MoveTo(L(), std::max(p.CurY, text_bottom));
    }
    return true;
  }

  // ---- the listings of sections 3 and 4 ----

  struct TListColumns {
    Mils num, text, text_right, avg, avg_w, tag, tag_w;
  };

  TListColumns ListColumns() const {
    const double w = W();
    const double g = 0.02 * w;
    TListColumns c{};
    c.num = L() + 400;
    c.text = c.num + Col(0.06 * w) + Col(g);
    c.text_right = c.text + Col(0.6 * w);
    c.avg = c.text_right + Col(g);
    c.avg_w = Col(0.05 * w);
    c.tag = c.avg + c.avg_w + Col(g);
    c.tag_w = Col(0.05 * w);
    return c;
  }

  void Heading(const std::string& text) {
    p.SelectFontSlot(6);
    p.NewLine(0.5);
    p.MoveTo(L(), p.CurY);
    p.Print(text);
    p.NewLine(1.5);
  }

  void Paragraph(const std::string& text, int font = 13) {
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

  void ColumnHeadings(const TListColumns& c, const std::string& practice,
                      const std::string& gap_size) {
    p.SelectFontSlot(14);
    if (!Fits(3 * p.LineHeight)) NewPageWithHeading();
    p.SelectFontSlot(14);
    p.MoveTo(c.text, p.CurY);
    p.Print(practice);
    p.PrintCenteredAt(gap_size, c.avg + c.avg_w / 2, p.CurY);
    p.NewLine(1.2);
  }

  // "n)", the practice, its average and (when `tag`) its check tag.
  void Practice(const TListColumns& c, const TGapRankingEntry& entry, bool tag) {
    p.SelectFontSlot(11);
    if (!Fits(2 * p.LineHeight)) NewPageWithHeading();
    p.SelectFontSlot(11);
    const Mils y = p.CurY;
    p.PrintRight(std::to_string(entry.QuestionIndex + 1) + ")", c.num, y, c.text - c.num - 100);
    p.PrintRight(entry.AverageText(), c.avg, y, c.avg_w);
    if (tag && entry.Check) p.PrintRight(entry.Tag(), c.tag, y, c.tag_w);
    p.MoveTo(c.text, y);
    p.PrintBulleted(
        0, "", 0, c.text,
        PracticeText(survey->Questions[static_cast<std::size_t>(entry.QuestionIndex)].Text),
        c.text_right, 1, "", 0, [this] { ContinuePage(11); }, -1);
    p.NewLine(1.2);
  }

  bool OverviewSection() {
    const std::vector<TGapOverviewGroup> groups = ComputeOverview(*survey, experiences, categories);
    if (groups.empty()) return false;
    header_bar = Config().Text(TReportText::OverviewHeaderBar);
    section_name = Config().Text(TReportText::OverviewReportName);
    space_after_heading = 0.5;
    const TListColumns c = ListColumns();
    for (const TGapOverviewGroup& group : groups) {
      if (Stopped()) break;
      NewPageWithHeading();
      const std::string name = Upper(group.Name);
      Heading(Config().Text(TReportText::OverviewStrongTag) + " " + name);
      Paragraph(
          "The following are your Strengths.  These practices have the smallest average gap "
          "size.  Continue performing these in the manner you are performing them.");
      ColumnHeadings(c, Config().Text(TReportText::OverviewPracticeTag),
                     Config().Text(TReportText::OverviewGapSizeTag));
      for (const TGapRankingEntry& entry : group.Strengths) Practice(c, entry, false);
      p.NewLine(0.5);
      Heading(Config().Text(TReportText::OverviewNeedsTag) + " " + name);
      if (group.AllNeedsZero || group.Needs.empty()) {
        Paragraph(kGapAllNeedsZero);
        continue;
      }
      Paragraph(
          "The following are your Developmental Needs.  These practices have the largest "
          "average gap sizes.  ");
      ColumnHeadings(c, Config().Text(TReportText::SummaryPracticeTag),
                     Config().Text(TReportText::SummaryGapSizeTag));
      for (const TGapNeed& need : group.Needs) Practice(c, need.Entry, true);
      p.NewLine(0.5);
      Paragraph(
          "Examine each of these practices to see how many people answered each question.  "
          "Also examine the Gap Distribution data to locate the degree of change desired by "
          "the majority.");
      Paragraph(
          "Select priorities to develop by considering the importance of the practice and your "
          "ability to make the changes people desire.");
      if (!group.HasSuggestions) continue;
      NewPageWithHeading();
      Heading(Config().Text(TReportText::OverviewSuggestTag));
      Paragraph(
          "The following are some suggestions related to the Developmental Needs noted "
          "above.");
      for (const TGapNeed& need : group.Needs) {
        Practice(c, need.Entry, false);
        p.SelectFontSlot(11);
        for (const TGapSuggestionLine& line : need.Suggestions) {
          if (!Fits(2 * p.LineHeight)) NewPageWithHeading();
          p.SelectFontSlot(11);
          p.MoveTo(c.text, p.CurY);
          p.PrintBulleted(
              -200, line.Letter, 0, c.text + 200, line.Text, c.text_right, 1, "", 0,
              [this] { ContinuePage(11); }, -1);
          p.NewLine(1.1);
        }
        p.NewLine(0.5);
      }
    }
    return true;
  }

  bool SummarySection() {
    const TGapSummary summary = ComputeSummary(*survey, experiences, categories);
    if (summary.Listings.empty()) return false;
    header_bar = Config().Text(TReportText::SummaryHeaderBar);
    section_name = Config().Text(TReportText::SummaryReportName);
    space_after_heading = 0.5;
    const TListColumns c = ListColumns();
    for (const TGapSummaryListing& listing : summary.Listings) {
      if (Stopped()) break;
      NewPageWithHeading();
      Heading(Config().Text(TReportText::SummaryResponseTag) + " " + Upper(listing.Category.Name));
      Paragraph(
          "The following list displays the practices on the survey for this group arranged by "
          "Average Gap Size.");
      ColumnHeadings(c, Config().Text(TReportText::SummaryPracticeTag),
                     Config().Text(TReportText::SummaryGapSizeTag));
      for (const TGapRankingEntry& entry : listing.Entries) Practice(c, entry, true);
    }
    if (summary.ClosingParagraphs && !Stopped()) {
      Heading("");
      Paragraph(
          "For the practices with the largest Gap Sizes, examine each practice to see how many "
          "people completed the surveys and the degree of change desired by the majority.");
      Paragraph(
          "In selecting priorities for development, also consider the importance of the "
          "practices, and your ability to make the changes people desire.");
    }
    return true;
  }

  // ---- section 5: the comparative table of one subject's two experiences ----

  bool ComparativeSection() {
    const TGapComparative table =
        ComputeComparative(*survey, company_categories, experiences[0], experiences[1], Marks());
    bool any = false;
    for (const TGapComparativeQuestion& q : table.Questions) any = any || q.HasData;
    if (!any) return false;
    header_bar = Config().Text(TReportText::CategoryHeaderBar);
    section_name = "COMPARATIVE REPORT";
    space_after_heading = 0.5;
    NewPageWithHeading();
    const double w = W();
    const double g = 0.01 * w;
    const TGapExperience& current = experiences[static_cast<std::size_t>(table.CurrentExperience)];
    const TGapExperience& previous =
        experiences[static_cast<std::size_t>(table.PreviousExperience)];
    // The legend: the current experience first, then the previous one.
    const Mils legend_left = L() + Col(0.25 * w);
    p.SelectFontSlot(15);
    for (int i = 0; i < 2; ++i) {
      const TGapExperience& e = i == 0 ? current : previous;
      const Mils y = p.CurY;
      p.MoveTo(legend_left, y);
      p.Print(i == 0 ? "Current Data:" : "Previous Data:");
      p.MoveTo(legend_left + 1500, y);
      p.Print(FormatShortDate(e.ExperienceDate));
      p.FillBox(legend_left + 2700, y - 120, 800, 100, i == 0 ? kColorBlack : report.ShadeColor);
      p.NewLine(1.2);
    }
    const Mils text_right = L() + Col(0.4 * w);
    TBlockColumns c{};
    c.cat = text_right + Col(2 * g);
    c.cat_w = Col(0.07 * w);
    c.n = c.cat + c.cat_w + Col(g);
    c.n_w = Col(0.02 * w);
    c.gap = c.n + c.n_w + Col(g);
    c.gap_w = Col(0.05 * w);
    c.graph = c.gap + c.gap_w + Col(2 * g);
    c.graph_w = Col(0.3 * w);
    const Mils verdict = c.graph + c.graph_w + Col(2 * g);
    const auto rows = static_cast<Mils>(table.Categories.size()) * 2;
    std::string heading;
    int area = -1;
    for (const TGapComparativeQuestion& q : table.Questions) {
      if (Stopped()) break;
      if (!q.HasData) continue;
      const bool new_area = q.SkillArea != area;
      if (new_area) {
        area = q.SkillArea;
        heading = survey->SkillAreas[static_cast<std::size_t>(area)].QuestPrefix3 + "...";
      }
      const Mils need = rows * kRowHeight + 2 * p.LineHeight + 250 + (new_area ? 2 * 260 : 0);
      if (!Fits(need)) {
        NewPageWithHeading();
        AreaHeading(heading);
      } else if (new_area) {
        p.NewLine(0.5);
        AreaHeading(heading);
      }
      p.SelectFontSlot(16);
      p.NewLine(1.2);
      const Mils label_y = p.CurY;
      p.PrintRight("N", c.n, label_y, c.n_w);
      p.PrintRight("Gap Size", c.gap, label_y, c.gap_w);
      p.PrintCenteredAt("Average Gap Size", c.graph + c.graph_w / 2, label_y);
      p.MoveTo(L(), label_y + p.LineHeight / 3);
      const Mils rows_top = p.CurY;
      p.SelectFontSlot(11);
      p.MoveTo(L(), rows_top + kRowHeight - 25);
      p.PrintBulleted(
          -250, std::to_string(q.QuestionIndex + 1) + ")", 0, L() + 250,
          PracticeText(survey->Questions[static_cast<std::size_t>(q.QuestionIndex)].Text),
          text_right, 1, "", 0, nullptr, -1);
      const Mils text_bottom = p.CurY + p.LineHeight / 3;
      Mils y = rows_top;
      for (std::size_t i = 0; i < q.Rows.size(); ++i) {
        const TGapComparativeRow& row = q.Rows[i];
        const Mils bars_top = y;
        for (int r = 0; r < 2; ++r) {
          const TGapRow& data = r == 0 ? row.Current : row.Previous;
          const Mils base = y + kRowHeight - 25;
          if (r == 0) {
            p.SelectFontSlot(19);
            p.MoveTo(c.cat, base);
            p.Print(CutToChars(table.Categories[i].Name, 18));
          }
          p.SelectFontSlot(16);
          p.PrintRight(data.NText, c.n, base, c.n_w);
          p.PrintRight(data.AverageText, c.gap, base, c.gap_w);
          if (r == 0) {
            p.MoveTo(verdict, base);
            p.Print(row.Verdict);
          }
          const int bar = std::clamp(data.Bar, 0, 200);
          if (bar > 0)
            p.FillBox(c.graph, y + 25, Col(static_cast<double>(c.graph_w) * bar / 200.0),
                      kRowHeight - 50, r == 0 ? kColorBlack : report.ShadeColor);
          y += kRowHeight;
        }
        p.HorzLine(c.cat, bars_top + 2 * kRowHeight, verdict + 800 - c.cat);
      }
      p.MoveTo(L(), std::max(y, text_bottom));
    }
    return true;
  }

  // ---- section 8: the trainer's table (landscape) ----

  void TrainingHeaderRow(Mils first_col, int from, int to,
                         const std::vector<std::string>& headers) {
    p.SelectFontSlot(16);
    const Mils y = p.CurY;
    p.MoveTo(L(), y);
    p.Print("Date");
    p.MoveTo(L() + 750, y);
    p.Print("Participant");
    for (int q = from; q < to; ++q)
      p.PrintCenteredAt(headers[static_cast<std::size_t>(q)], first_col + (q - from) * 400 + 200,
                        y);
    p.HorzLine(L(), y + 40, first_col + (to - from) * 400 - L());
    p.NewLine(1.3);
  }

  void TrainingCells(Mils first_col, int from, int to, const std::vector<std::string>& cells) {
    const Mils y = p.CurY;
    for (int q = from; q < to && q < static_cast<int>(cells.size()); ++q)
      p.PrintRight(cells[static_cast<std::size_t>(q)], first_col + (q - from) * 400, y, 350);
  }

  bool TrainingSection() {
    const TGapTraining table = ComputeTraining(*survey, company_categories, experiences);
    if (table.Categories.empty()) return false;
    header_bar = "SURVEY FEEDBACK";
    section_name = "TRAINER'S REPORT";
    space_after_heading = 0.5;
    const std::string saved_subject = subject;
    SetMargins();
    const Mils g = Col(0.01 * W());
    const Mils first_col = L() + 1800 + g;
    const int per_page = std::max(1, static_cast<int>((p.RightMargin - first_col) / 400));
    const int questions = static_cast<int>(table.Headers.size());
    for (const TGapTrainingCategory& category : table.Categories) {
      if (Stopped()) break;
      subject = category.Category.Name;
      std::size_t start = 0;
      while (start < category.Rows.size() || (start == 0 && category.Rows.empty())) {
        std::size_t end = start;
        for (int from = 0; from < questions; from += per_page) {
          const int to = std::min(questions, from + per_page);
          NewPageWithHeading();
          TrainingHeaderRow(first_col, from, to, table.Headers);
          p.SelectFontSlot(19);
          std::size_t row = start;
          // The first group decides how many participants this page takes.
          while (row < category.Rows.size() &&
                 (from == 0 ? Fits(4 * p.LineHeight) || row == start : row < end)) {
            const TGapTrainingRow& r = category.Rows[row];
            const Mils y = p.CurY;
            p.MoveTo(L(), y);
            p.Print(FormatShortDate(r.ExperienceDate));
            p.MoveTo(L() + 750, y);
            p.Print(CutToChars(r.SubjectName, 24));
            TrainingCells(first_col, from, to, r.Cells);
            p.NewLine(1);
            ++row;
          }
          if (from == 0) end = row;
          if (end >= category.Rows.size()) {
            p.SelectFontSlot(16);
            p.NewLine(0.3);
            const Mils y = p.CurY;
            p.MoveTo(L(), y);
            p.Print("Totals:");
            p.MoveTo(L() + 750, y);
            p.Print("Average Gap Size");
            TrainingCells(first_col, from, to, category.Totals);
            p.NewLine(1);
          }
          if (Stopped()) break;
        }
        if (end == start) break;
        start = end;
      }
    }
    subject = saved_subject;
    return true;
  }

  // ---- section 9: a skill area's questions ----

  bool SkillAreaSection(const TReportSkillArea& area, bool unrestricted) {
    if (area.Questions.empty()) return false;
    header_bar = area.Name;
    NewPage();
    const Mils numbers = L() + 250;
    const Mils texts = L() + 500;
    int number = 0;
    for (const TGapQuestion& question : area.Questions) {
      if (Stopped()) break;
      p.SelectFontSlot(11);
      if (!Fits(3 * p.LineHeight)) {
        NewPage();
        p.SelectFontSlot(11);
      }
      p.MoveTo(numbers, p.CurY);
      p.PrintBulleted(
          numbers - texts, std::to_string(++number) + ")", 0, texts, question.Text, p.RightMargin,
          1, "", 0, [this] { ContinueListing(); }, -1);
      if (unrestricted) {
        p.NewLine(1.1);
        for (std::size_t i = 0; i < question.Suggestions.size(); ++i) {
          if (!Fits(2 * p.LineHeight)) ContinueListing();
          p.MoveTo(texts, p.CurY);
          p.PrintBulleted(
              -200, SuggestionLetter(i), 0, texts + 200, question.Suggestions[i], p.RightMargin, 1,
              "", 0, [this] { ContinueListing(); }, -1);
          p.NewLine(1.1);
        }
        p.NewLine(1);
      } else {
        p.NewLine(2);
      }
    }
    return true;
  }

  // The listing has no page heading: a new page goes straight on.
  void ContinueListing() {
    NewPage();
    p.SelectFontSlot(11);
  }

  // ---- section 11: a rater survey form ----

  struct TFormColumns {
    Mils text_right, group1, group2, group_w;
  };

  TFormColumns FormColumns() const {
    const double w = W();
    TFormColumns c{};
    c.text_right = L() + Col(0.675 * w);
    c.group_w = Col(0.13 * w);
    c.group1 = c.text_right + Col(0.02 * w);
    c.group2 = c.group1 + c.group_w + Col(0.04 * w);
    return c;
  }

  void FormInstructions(bool self, Mils right) {
    p.SelectFontSlot(11);
    auto para = [&](Mils left, const std::string& text) {
      p.MoveTo(left, p.CurY);
      p.PrintBulleted(0, "", 0, left, text, right, 1, "", 0, nullptr, -1);
      p.NewLine(1.3);
    };
    auto labelled = [&](const std::string& label, const std::string& text) {
      const Mils left = L() + 250;
      p.MoveTo(left, p.CurY);
      p.Print("\"" + label + "\"");
      p.PrintBulleted(0, "", 0, left + 2000, "\xE2\x80\x94" + text, right, 1, "", 0, nullptr, -1);
      p.NewLine(1.3);
    };
    if (self) {
      para(L(),
           "Please take a few minutes to complete this survey about your day-to-day practices.");
      para(L(), "As you complete this survey, please remember:");
      para(L() + 250, "You will be asked to answer TWO QUESTIONS for each of the behaviors:");
      labelled("How often does it occur?",
               "  You should indicate how often you perform the behavior now.");
      labelled("How often should it occur?",
               "  You should indicate how often you should perform the behavior.");
      para(L(), "Be sure to answer BOTH QUESTIONS for each practice.");
      para(L(), "There are no \"Right\" or \"Wrong\" answers.  Just try to be fair and honest.");
    } else {
      para(L(),
           "Please take a few minutes to complete this CONFIDENTIAL SURVEY about the day-to-day "
           "practices of the person whose name is listed above.  Unless you are the immediate "
           "supervisor of this person, your responses will be combined with the responses of "
           "others and not individually identified.");
      para(L(), "As you complete this survey, please remember:");
      para(L(), "You will be asked to answer TWO QUESTIONS for each of the practices:");
      labelled("How often does it occur?",
               "  Indicate how often you believe the practice occurs NOW.");
      labelled("How often should it occur?",
               "  Indicate how often you EXPECT or believe the practice should occur.");
      para(L(), "Be sure to answer BOTH QUESTIONS for each practice.");
      para(L(), "There are no \"Right\" or \"Wrong\" answers. Just try to be fair and honest.");
      para(L(),
           "SKIP ANY PRACTICE you have not observed or about which you can't make a judgment.");
    }
  }

  void ReturnBox(Mils top) {
    const Mils w = Col(0.25 * W());
    const Mils x = p.RightMargin - w;
    p.Frame(x, top, w, 450);
    p.SelectFontSlot(15);
    const Mils centre = x + w / 2;
    const double due = report.return_date_;
    if (std::floor(report.TodayDate) > std::floor(due)) {
      p.PrintCenteredAt("RETURN", centre, top + 180);
      p.PrintCenteredAt("AS SOON AS POSSIBLE", centre, top + 380);
    } else {
      p.PrintCenteredAt("RETURN BY", centre, top + 180);
      p.PrintCenteredAt(FormatShortDate(due), centre, top + 380);
    }
  }

  void PrefixLines(const TReportFormArea& area, bool self_prefixes) {
    p.SelectFontSlot(15);
    const std::string& does = area.Prefix[self_prefixes ? 0 : 2];
    const std::string& should = area.Prefix[self_prefixes ? 1 : 3];
    p.MoveTo(L(), p.CurY);
    p.Print(report.SurvDoesTag + ":  " + does + "...");
    p.NewLine(1);
    p.MoveTo(L(), p.CurY);
    p.Print(report.SurvShouldTag + ":  " + should + "...");
    p.NewLine(1.2);
  }

  void FormColumnHeading(const TReportForm& form, const TFormColumns& c, bool self_instr,
                         const TReportFormArea& area, bool self_prefixes) {
    const Mils y0 = p.CurY;
    const Mils both = c.group2 + c.group_w - c.group1;
    p.SelectFontSlot(16);
    p.Frame(c.group1, y0, both, 200);
    p.PrintCenteredAt("Choose ONE in EACH Column", c.group1 + both / 2, y0 + 150);
    p.Frame(c.group1, y0 + 200, c.group_w, 200);
    p.PrintCenteredAt(report.SurvDoesTag, c.group1 + c.group_w / 2, y0 + 350);
    p.Frame(c.group2, y0 + 200, c.group_w, 200);
    p.PrintCenteredAt(report.SurvShouldTag, c.group2 + c.group_w / 2, y0 + 350);
    // The frequency labels, slanted over each group's boxes.
    p.SelectFontSlot(16);
    Mils widest = 0;
    for (const std::string& label : form.FreqLabels)
      widest = std::max(widest, p.TextWidth("-" + label));
    const int angle = widest > 1200 ? 85 : 65;
    const Mils labels_base = y0 + 400 + std::min<Mils>(widest + 150, 1400);
    const auto n = static_cast<Mils>(std::max<std::size_t>(1, form.FreqLabels.size()));
    for (const Mils group : {c.group1, c.group2}) {
      for (Mils i = 0; i < static_cast<Mils>(form.FreqLabels.size()); ++i) {
        TAngleText label(&p);
        label.PartFonts[0] = 16;
        label.Angle = angle;
        label.SetX(group + c.group_w * i / n + c.group_w / (2 * n) + 40);
        label.SetY(labels_base);
        label.SetText(0, "-" + form.FreqLabels[static_cast<std::size_t>(i)]);
        label.Draw();
      }
    }
    // At the left: the instruction line and the two prefixes.
    p.SelectFontSlot(11);
    p.MoveTo(L(), y0 + 150);
    p.PrintBulleted(0, "", 0, L(),
                    self_instr
                        ? "Please complete this survey based upon your interactions with others."
                        : "Please complete each question based upon your observations and "
                          "interactions with this person.",
                    c.text_right, 1, "", 0, nullptr, -1);
    p.NewLine(1.5);
    PrefixLines(area, self_prefixes);
    p.MoveTo(L(), std::max(p.CurY, labels_base + 250));
  }

  void CompleteBothStrip(const TFormColumns& c) {
    p.SelectFontSlot(16);
    const Mils y = p.PageBottom - 220;
    const Mils both = c.group2 + c.group_w - c.group1;
    p.Frame(c.group1, y, both, 200);
    p.PrintCenteredAt(report.SurvDoesTag, c.group1 + c.group_w / 2, y + 150);
    p.PrintCenteredAt(report.SurvShouldTag, c.group2 + c.group_w / 2, y + 150);
    p.PrintCenteredAt("COMPLETE BOTH COLUMNS", c.group1 + both / 2, y - 60);
  }

  bool FormSection(const TReportForm& form) {
    if (!form.HasSheet) return false;
    header_bar = form.SurveyName;
    const bool self_instr = Upper(form.CategoryName) == "SELF";
    const bool self_prefixes = form.CategoryNumber == kSelfCategory && !Options(kOptBlankOther);
    NewPage();
    const TFormColumns c = FormColumns();
    // Top lines.
    const Mils top = p.CurY;
    if (Options(kOptReferenceNumber)) {
      p.SelectFontSlot(15);
      p.PrintCenteredAt("Reference Number: " + (form.RaterName.empty() ? "" : form.ReferenceNumber),
                        L() + W() / 2, top);
    }
    p.SelectFontSlot(7);
    p.PrintRight(form.CategoryName, L(), top, W());
    p.MoveTo(L(), top);
    if (form.RaterName.empty())
      p.Print("Name:");
    else
      p.Print((Options(kOptSubjectPrefix) ? "Subject: " : "") + form.SubjectName);
    p.NewLine(1.5);
    ReturnBox(p.CurY);
    FormInstructions(self_instr, p.RightMargin - Col(0.25 * W()) - 200);
    p.NewLine(0.5);
    const TReportFormArea* area = nullptr;
    int number = 0;
    int since_prefix = 0;
    for (const TReportFormArea& a : form.Areas) {
      for (const std::string& question : a.Questions) {
        if (Stopped()) return true;
        p.SelectFontSlot(11);
        const bool first = area == nullptr;
        const bool prefix_change =
            !first && (a.Prefix[self_prefixes ? 0 : 2] != area->Prefix[self_prefixes ? 0 : 2] ||
                       a.Prefix[self_prefixes ? 1 : 3] != area->Prefix[self_prefixes ? 1 : 3]);
        if (first) {
          area = &a;
          if (!Fits(2 * p.LineHeight + 2200)) {
            NewPage();
          }
          FormColumnHeading(form, c, self_instr, a, self_prefixes);
        } else if (!Fits(2 * p.LineHeight + 400)) {
          CompleteBothStrip(c);
          NewPage();
          area = &a;
          FormColumnHeading(form, c, self_instr, a, self_prefixes);
          since_prefix = 0;
        } else if (prefix_change) {
          area = &a;
          p.NewLine(0.5);
          PrefixLines(a, self_prefixes);
          since_prefix = 0;
        }
        p.SelectFontSlot(11);
        const Mils y = p.CurY;
        p.MoveTo(L(), y);
        p.PrintBulleted(-300, std::to_string(++number) + ".", 0, L() + 300, question, c.text_right,
                        1, "", 0, nullptr, -1);
        const auto n = static_cast<Mils>(std::max<std::size_t>(1, form.FreqLabels.size()));
        for (const Mils group : {c.group1, c.group2}) {
          TBoxArray boxes(&p);
          boxes.SetX(group);
          boxes.SetY(y - 140);
          boxes.SetWidth(c.group_w / n - 40);
          boxes.SetHeight(150);
          boxes.SetGap(40);
          for (Mils i = 0; i < n; ++i) boxes.AddBox(i % 2 == 0 ? 15790320 : kColorWhite);
          boxes.Draw();
        }
        p.NewLine(1.375);
        if (++since_prefix % 5 == 0) p.NewLine(0.8);
      }
    }
    return true;
  }

  // ---- sections 6 and 7: the organizational tables ----

  bool OrganizationalSection(TGapOrgVariant variant, const std::vector<std::string>& departments) {
    const std::vector<TGapOrgCategory> table = ComputeOrganizational(
        *survey, company_categories, experiences, departments, variant, Marks());
    const bool items = variant == TGapOrgVariant::Items;
    header_bar = items ? "ITEM FEEDBACK" : "SKILL AREA FEEDBACK";
    section_name = "ORGANIZATIONAL REPORT";
    space_after_heading = 0.5;
    const std::string saved_subject = subject;
    subject = "Organization";
    const double w = W();
    const double g = 0.01 * w;
    TBlockColumns c{};
    c.cat = L() + 1000;
    c.cat_w = Col(0.25 * w);
    c.n = c.cat + c.cat_w + Col(g);
    c.n_w = Col(0.05 * w);
    c.gap = c.n + c.n_w + Col(g);
    c.gap_w = Col(0.07 * w);
    c.graph = c.gap + c.gap_w + Col(3 * g);
    c.graph_w = Col(0.28 * w);
    const std::string responses = std::string("RESPONSES BY ") + (items ? "ITEM" : "SKILL AREA");
    auto page = [&] {
      NewPageWithHeading();
      p.SelectFontSlot(4);
      p.PrintCenteredAt(responses, L() + W() / 2, p.CurY);
      p.NewLine(1.5);
    };
    bool any = false;
    for (const TGapOrgCategory& category : table) {
      if (Stopped()) break;
      page();
      for (const TGapOrgBlock& block : category.Blocks) {
        if (!block.HasData) continue;
        any = true;
        const auto rows = static_cast<Mils>(block.Rows.size());
        p.SelectFontSlot(13);
        if (!Fits(rows * kRowHeight + 3 * p.LineHeight + 250)) page();
        p.SelectFontSlot(items ? 11 : 13);
        p.NewLine(1.2);
        if (items) {
          p.MoveTo(L() + 500, p.CurY);
          p.PrintBulleted(
              -300, std::to_string(block.Index + 1) + ")", 0, L() + 500,
              PracticeText(survey->Questions[static_cast<std::size_t>(block.Index)].Text),
              L() + 500 + Col(0.7 * w), 1, "", 0, nullptr, -1);
        } else {
          p.MoveTo(L() + 500, p.CurY);
          p.Print(survey->SkillAreas[static_cast<std::size_t>(block.Index)].Name);
        }
        p.NewLine(1);
        p.SelectFontSlot(16);
        p.PrintRight("N", c.n, p.CurY, c.n_w);
        p.PrintRight("Gap Size", c.gap, p.CurY, c.gap_w);
        p.PrintCenteredAt("Average Gap Size", c.graph + c.graph_w / 2, p.CurY);
        p.NewLine(0.6);
        for (const TGapOrgRow& row : block.Rows) {
          const Mils top = p.CurY;
          const Mils base = top + kRowHeight - 25;
          p.SelectFontSlot(19);
          p.MoveTo(c.cat, base);
          p.Print(row.Department);
          p.SelectFontSlot(16);
          p.PrintRight(row.Row.NText, c.n, base, c.n_w);
          p.PrintRight(row.Row.AverageText, c.gap, base, c.gap_w);
          const int bar = std::clamp(row.Row.Bar, 0, 200);
          if (bar > 0)
            p.FillBox(c.graph, top + 25, Col(static_cast<double>(c.graph_w) * bar / 200.0),
                      kRowHeight - 50, report.ShadeColor);
          p.MoveTo(L(), top + kRowHeight);
        }
      }
    }
    subject = saved_subject;
    return any;
  }
};

TReport360::TReport360(const TReportConfig& config)
    : TReportBase(0), TodayDate(Today()), config_(config), return_date_(kReturnDateFloor) {
  ErrorMessage = kReportNoOutput;
  SurvDoesTag = config.Text(TReportText::SurveyDoesTag);
  SurvShouldTag = config.Text(TReportText::SurveyShouldTag);
}

TReport360::~TReport360() = default;

bool TReport360::Prepare(const void* params) {
  if (params == nullptr) return !Cancelled;
  return Prepare(*static_cast<const TReportRequest*>(params));
}

bool TReport360::Prepare(const TReportRequest& request) {
  if (Cancelled) return false;
  request_ = request;
  request_.Options &= static_cast<std::uint16_t>(
      ~(kOptHeaderFooterBar | kOptGraphOver | kOptGraphUnder | kOptUseColor));
  if (config_.HeaderFooterBar()) request_.Options |= kOptHeaderFooterBar;
  if (config_.GraphOver()) request_.Options |= kOptGraphOver;
  if (config_.GraphUnder()) request_.Options |= kOptGraphUnder;
  if (config_.UseColor()) request_.Options |= kOptUseColor;
  return_date_ = request.ReturnDate > kReturnDateFloor ? request.ReturnDate : kReturnDateFloor;
  request_.ReturnDate = return_date_;
  request_.ReportName = CutToChars(request.ReportName, 31);
  Copies = std::max(1, request.Copies);
  return true;
}

void TReport360::ResetFonts() {
  if (Printer == nullptr) return;
  LoadReportFonts(*Printer, config_);
  ShadeColor = static_cast<std::int32_t>(config_.ShadeColorValue().value & 0xFFFFFF);
  BoxColor = (request_.Options & kOptUseColor) != 0
                 ? static_cast<std::int32_t>(config_.BoxColorValue().value & 0xFFFFFF)
                 : 0;
}

void TReport360::Cancel() {
  TReportBase::Cancel();
  ErrorMessage = kReportCancelled;
}

bool TReport360::Generate() {
  if (Printer == nullptr || Cancelled) return false;
  ResetFonts();
  if (!Printer->Open((request_.Options & kOptUseColor) != 0, 0, 0, " ", false)) {
    ErrorMessage = kReportNoPrinter;
    return false;
  }
  ErrorMessage = kReportNoValidData;
  TRun run(*this, *Printer);
  produced_ = false;
  page_ = 0;
  switch (request_.Kind) {
    case kReportIndividual:
      RunEntries(run);
      break;
    case kReportComposite:
      RunAveraged(run);
      break;
    case kReportComparative:
      RunComparative(run);
      break;
    case kReportTraining:
    case kReportOrganizational:
      RunAveraged(run);
      break;
    case kReportSkillArea:
      RunSkillAreas(run);
      break;
    case kReportRaterForms:
    case kReportBlankForms:
      RunForms(run);
      break;
    default:
      break;
  }
  if (run.page_open) Printer->EndPage();
  Printer->Close();
  return produced_ && !Cancelled;
}

void TReport360::RunEntries(TRun& run) {
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.Data == nullptr || entry.Data->Survey == nullptr) continue;
    const TReportExperience& data = *entry.Data;
    const bool title = (request_.Options & kOptTitlePage) != 0;
    page_ = title ? -1 : 0;
    run.subject = request_.ReportName.empty() ? data.Experience.SubjectName : request_.ReportName;
    run.company = data.CompanyName;
    run.survey = data.Survey;
    run.experiences = {data.Experience};
    run.company_categories = data.CompanyCategories;
    NotifyStart("Individual Feedback", data.Experience.SubjectName, 0, 0, 0);
    try {
      run.categories = IndividualCategories(data.CompanyCategories, data.Experience);
    } catch (const EGapError& error) {
      ErrorMessage = error.what();
      continue;
    }
    if (title) run.TitlePage(data.Experience.SubjectName);
    for (int section = 1; section < 16; ++section) {
      if ((request_.Sections & (1u << section)) == 0) continue;
      if (Cancelled || Printer->Aborted) break;
      if (RunSection(run, section)) produced_ = true;
      NotifyEnd("", "", section);
    }
  }
}

void TReport360::RunAveraged(TRun& run) {
  std::vector<const TReportExperience*> selected;
  for (const TReportSourceEntry& entry : request_.Sources)
    if (entry.Selected && entry.Data != nullptr && entry.Data->Survey != nullptr)
      selected.push_back(entry.Data.get());
  const bool training = request_.Kind == kReportTraining;
  const bool organizational = request_.Kind == kReportOrganizational;
  if (!training && selected.size() < 2) {
    ErrorMessage = kReportTwoToAverage;
    return;
  }
  if (organizational && std::none_of(request_.Departments.begin(), request_.Departments.end(),
                                     [](const TReportDepartment& d) { return d.Selected; })) {
    ErrorMessage = kReportOneDepartment;
    return;
  }
  if (selected.empty()) return;
  // The sections read every experience's answers against the first one's
  // questions: experiences of another survey would be read wrongly.
  for (const TReportExperience* e : selected) {
    if (e->Survey != selected.front()->Survey) {
      ErrorMessage = kReportMixedSurveys;
      return;
    }
  }
  const char* const title_text = training         ? "Training Report"
                                 : organizational ? "Organizational Report"
                                                  : "Composite Report";
  const TReportExperience& first = *selected.front();
  run.subject = request_.ReportName.empty() ? title_text : request_.ReportName;
  run.company = first.CompanyName;
  run.survey = first.Survey;
  run.company_categories = first.CompanyCategories;
  run.experiences.clear();
  for (const TReportExperience* e : selected) run.experiences.push_back(e->Experience);
  // The notification titles are kept as the preview shows them.
  NotifyStart(organizational ? "Organizataional Report" : title_text, "", 0, 0, 0);
  if (!training) {
    try {
      run.categories = CommonCategories(first.CompanyCategories, run.experiences);
    } catch (const EGapError& error) {
      ErrorMessage = error.what();
      return;
    }
  }
  // The trainer's table is laid out across the page.
  Printer->SetOrientation(training ? 1 : 0);
  const bool title = (request_.Options & kOptTitlePage) != 0;
  page_ = title ? -1 : 0;
  if (title) {
    run.TitlePage(title_text);
    if (!training && !organizational) {
      run.header_bar = config_.Text(TReportText::TitleHeaderBar);
      run.CompositeList(selected);
    }
  }
  for (int section = 1; section < 16; ++section) {
    if ((request_.Sections & (1u << section)) == 0) continue;
    if (Cancelled || Printer->Aborted) break;
    if (RunSection(run, section)) produced_ = true;
    NotifyEnd("", "", section);
  }
  Printer->SetOrientation(0);
}

void TReport360::RunComparative(TRun& run) {
  // The selected experiences of each subject; the list separates subjects by
  // an empty entry.
  std::vector<std::vector<const TReportExperience*>> subjects(1);
  std::size_t total = 0;
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (entry.Data == nullptr) {
      if (!subjects.back().empty()) subjects.emplace_back();
      continue;
    }
    if (!entry.Selected || entry.Data->Survey == nullptr) continue;
    subjects.back().push_back(entry.Data.get());
    ++total;
  }
  ErrorMessage = kReportSelectionError;
  bool failed = false;
  if (total % 2 != 0) {
    ErrorMessage = kReportNotTwoEach;
    failed = true;
  }
  bool single = false;
  for (const auto& s : subjects) single = single || s.size() == 1;
  if (total < 2 || single) {
    ErrorMessage = kReportTwoForEach;
    failed = true;
  }
  // Taking the experiences two at a time across subjects would compare two
  // different people; every subject must have exactly two.
  for (const auto& s : subjects) {
    if (!failed && !s.empty() && s.size() != 2) {
      ErrorMessage = kReportNotTwoEach;
      failed = true;
    }
  }
  if (failed) return;
  const bool title = (request_.Options & kOptTitlePage) != 0;
  for (const auto& pair : subjects) {
    if (pair.empty()) continue;
    if (Cancelled || Printer->Aborted) break;
    std::vector<const TReportExperience*> sorted = pair;
    // Older first; the date key orders by calendar day, the list order breaks ties.
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
      return std::floor(a->Experience.ExperienceDate) < std::floor(b->Experience.ExperienceDate);
    });
    if (sorted[0]->Survey != sorted[1]->Survey) {
      ErrorMessage = kReportMixedSurveys;
      continue;
    }
    const TReportExperience& newer = *sorted[1];
    page_ = title ? -1 : 0;
    run.subject = request_.ReportName.empty() ? newer.Experience.SubjectName : request_.ReportName;
    run.company = newer.CompanyName;
    run.survey = newer.Survey;
    run.company_categories = newer.CompanyCategories;
    run.experiences = {sorted[0]->Experience, sorted[1]->Experience};
    NotifyStart("Comparative", newer.Experience.SubjectName, 0, 0, 0);
    if (title) run.TitlePage(newer.Experience.SubjectName);
    if ((request_.Sections & (1u << 5)) != 0 && RunSection(run, 5)) produced_ = true;
    NotifyEnd("", "", 5);
  }
}

void TReport360::RunForms(TRun& run) {
  const bool blank = request_.Kind == kReportBlankForms;
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.Form == nullptr) continue;
    TReportForm form = *entry.Form;
    if (blank) {
      // A fresh empty score sheet: no rater; the category from the options.
      form.HasSheet = true;
      form.RaterName.clear();
      form.CategoryNumber = kSelfCategory;
      form.CategoryName = (request_.Options & kOptBlankSelf) != 0    ? "Self"
                          : (request_.Options & kOptBlankOther) != 0 ? "Other"
                                                                     : "";
      std::size_t questions = 0;
      for (const TReportFormArea& area : form.Areas) questions += area.Questions.size();
      if (questions == 0) {
        ErrorMessage = kReportNoQuestions;
        continue;
      }
    }
    page_ = 0;
    run.survey = nullptr;
    NotifyStart("Rater Survey", form.SubjectName, 0, 0, 0);
    if ((request_.Sections & (1u << 11)) != 0 && run.FormSection(form)) produced_ = true;
    NotifyEnd("", "", 11);
  }
}

void TReport360::RunSkillAreas(TRun& run) {
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.SkillArea == nullptr) continue;
    page_ = 0;
    run.survey = nullptr;
    NotifyStart(entry.SkillArea->Name, "", 0, 0, 0);
    if ((request_.Sections & (1u << 9)) != 0 &&
        run.SkillAreaSection(*entry.SkillArea, request_.Unrestricted))
      produced_ = true;
    NotifyEnd("", "", 9);
  }
}

bool TReport360::RunSection(TRun& run, int section) {
  try {
    switch (section) {
      case 1:
        return run.CategorySection();
      case 2:
        return run.PracticesSection();
      case 3:
        return run.OverviewSection();
      case 4:
        return run.SummarySection();
      case 5:
        return run.ComparativeSection();
      case 6:
      case 7: {
        std::vector<std::string> departments;
        for (const TReportDepartment& d : request_.Departments)
          if (d.Selected) departments.push_back(d.Name);
        return run.OrganizationalSection(
            section == 6 ? TGapOrgVariant::SkillAreas : TGapOrgVariant::Items, departments);
      }
      case 8:
        return run.TrainingSection();
      default:
        return false;
    }
  } catch (const EGapError& error) {
    ErrorMessage = error.what();
    return false;
  }
}

}  // namespace zelvora
