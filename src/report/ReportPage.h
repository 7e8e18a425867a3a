// TReportPage: one report run as it lays pages out. It holds the printer,
// the subject (or report) being laid out and the running section's page
// furniture, and draws what every report kind shares: the margins, the
// header and footer bands, the page heading, the title page, headings and
// paragraphs, and the columns, labels and rows of the gap tables.
//
// The sections are members too, each report kind in a file of its own:
//   ReportIndividual.cpp    sections 1 to 4 (Individual and Composite)
//   ReportComparative.cpp   section 5
//   ReportOrganizational.cpp sections 6 and 7
//   ReportTraining.cpp      section 8
//   ReportSkillArea.cpp     section 9 (skill area listings)
//   ReportForms.cpp         section 11 (rater survey forms)
// Each section returns true when it drew anything.
//
// Callers may rely on:
//  - Every page is started by NewPage (which sets the section margins, ends
//    the open page, counts the page and draws the bands); the run's owner
//    ends the last page.
//  - Positions are in Mils; the printer's current position is the layout's
//    cursor, as on a typewriter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/GapOrganizational.h"
#include "report/GapRanking.h"
#include "report/GapTallying.h"
#include "report/Report.h"

namespace zelvora {

// Every section's margins, measured from the page edges.
inline constexpr Mils kReportMarginTopBottom = 100;
inline constexpr Mils kReportMarginLeftRight = 250;
// The header and footer bands' height and a gap table row's height.
inline constexpr Mils kReportBandHeight = 300;
inline constexpr Mils kReportRowHeight = 150;

// A length in Mils from a computed one, rounded to nearest, ties to even.
Mils RoundMils(double units);
// A practice as the listings print it: a final "?" reads ".".
std::string PracticeText(const std::string& text);

// The columns of a gap table: category names, N, the average ("Gap Size"),
// the average's bar and the distribution boxes, left to right.
struct TGapColumns {
  Mils cat, cat_w, n, n_w, gap, gap_w, graph, graph_w, dist, dist_w;
};
// The one layout of every gap table: the columns start at `cat_left`, each
// width a share of the printable width `w`, with a hundredth of `w` between
// columns and `graph_space` hundredths before the bar. A table without
// distribution boxes passes dist 0.
TGapColumns GapColumns(Mils cat_left, double w, double cat, double n, double gap, int graph_space,
                       double graph, double dist);

class TReportPage {
 public:
  TReportPage(TReport360& r, TBasePrinter& printer) : report(r), p(printer) {}
  TReportPage(const TReportPage&) = delete;
  TReportPage& operator=(const TReportPage&) = delete;

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
  // Where the page's content starts, below its heading: the first block of a
  // page needs no space above it.
  Mils content_top = 0;
  bool AtContentTop() const { return p.CurY == content_top; }

  Mils L() const { return p.LeftMargin; }
  Mils W() const { return p.RightMargin - p.LeftMargin; }
  bool Options(std::uint16_t bit) const { return (report.request_.Options & bit) != 0; }
  const TReportConfig& Config() const { return report.config_; }
  bool Stopped() const { return report.Cancelled || p.Aborted; }
  TGapMarks Marks() const { return {Options(kOptGraphUnder), Options(kOptGraphOver)}; }

  // ---- page furniture (ReportPage.cpp) ----
  void SetMargins();
  // Ends the open page, starts the next and prints header and footer.
  void NewPage();
  void Footer();
  void Header();
  // The date, the survey's name and the subject's name, then the section's
  // report name centred.
  void PageHeading();
  void NewPageWithHeading();
  // A paragraph running off the page goes on under a new page heading in
  // its own font.
  void ContinuePage(int font);
  bool Fits(Mils height) const { return p.PageBottom - p.CurY >= height; }
  void TitlePage(const std::string& third_line);
  // The Composite report's list of experiences, after its title page.
  void CompositeList(const std::vector<const TReportExperience*>& selected);
  void StartSection(TReportText bar, TReportText name, double after);
  void AreaHeading(const std::string& heading);
  // Makes room for a question's block of rows `need` high: a new page under
  // its heading and the area's when the block does not fit, else the area
  // heading below the previous block when the block opens a new area.
  void StartQuestionBlock(Mils need, bool new_area, const std::string& heading);
  void Heading(const std::string& text);
  void Paragraph(const std::string& text, int font = 13);

  // ---- gap tables (ReportPage.cpp) ----
  // Column labels over the rows at the current line.
  void BlockLabels(const TGapColumns& c);
  void BlockRow(const TGapColumns& c, const TGapRow& row, const std::string& name);
  // The bar of a row of the given top in the graph column: `value` on the
  // tally's scale (kReportCap is the full width); above it the over mark,
  // below 0 the under mark.
  void GapBar(const TGapColumns& c, Mils top, int value, std::int32_t color);
  // Sets the section margins; every section calls it first, so that its
  // columns never depend on what ran before it.
  void BeginSection() { SetMargins(); }

  // ---- sections 1 to 4 (ReportIndividual.cpp) ----
  struct TListColumns {
    Mils num, text, text_right, avg, avg_w, tag, tag_w;
  };
  bool CategorySection();
  bool PracticesSection();
  bool OverviewSection();
  bool SummarySection();
  TListColumns ListColumns() const;
  void ColumnHeadings(const TListColumns& c, const std::string& practice,
                      const std::string& gap_size);
  // "n)", the practice, its average and (when `tag`) its check tag.
  void Practice(const TListColumns& c, const TGapRankingEntry& entry, bool tag);

  // ---- section 5 (ReportComparative.cpp) ----
  bool ComparativeSection();

  // ---- sections 6 and 7 (ReportOrganizational.cpp) ----
  bool OrganizationalSection(TGapOrgVariant variant, const std::vector<std::string>& departments);

  // ---- section 8 (ReportTraining.cpp) ----
  bool TrainingSection();
  void TrainingHeaderRow(Mils first_col, int from, int to, const std::vector<std::string>& headers);
  void TrainingCells(Mils first_col, int from, int to, const std::vector<std::string>& cells);

  // ---- section 9 (ReportSkillArea.cpp) ----
  bool SkillAreaSection(const TReportSkillArea& area, bool unrestricted);
  // The listing has no page heading: a new page goes straight on.
  void ContinueListing();

  // ---- section 11 (ReportForms.cpp) ----
  struct TFormColumns {
    Mils text_right, group1, group2, group_w;
  };
  bool FormSection(const TReportForm& form);
  TFormColumns FormColumns() const;
  void FormInstructions(bool self, Mils right);
  void ReturnBox(Mils top);
  void PrefixLines(const TReportFormArea& area, bool self_prefixes);
  void FormColumnHeading(const TReportForm& form, const TFormColumns& c, bool self_instr,
                         const TReportFormArea& area, bool self_prefixes);
  void CompleteBothStrip(const TFormColumns& c);
};

}  // namespace zelvora
