// Sections 1 to 4 of the Individual and Composite reports: the category and
// practice tables, the Overview and the Summary.
#include <algorithm>

#include "base/Cp1252.h"
#include "base/Text.h"
#include "report/GapBlockReports.h"
#include "report/GapFormat.h"
#include "report/GapOverview.h"
#include "report/ReportPage.h"

namespace zelvora {

bool TReportPage::CategorySection() {
  BeginSection();
  const std::vector<TGapAreaBlock> blocks =
      ComputeSkillAreaBlocks(*survey, experiences, categories, Marks());
  if (blocks.empty()) return false;
  StartSection(TReportText::CategoryHeaderBar, TReportText::CategoryReportName, 2.5);
  const double w = W();
  const TGapColumns c = GapColumns(L() + 400, w, 0.2, 0.03, 0.05, 2, 0.28, 0.28);
  const auto rows = static_cast<Mils>(categories.size());
  for (const TGapAreaBlock& block : blocks) {
    if (Stopped()) break;
    // The name keeps a line of space above and below it.
    p.SelectFontSlot(13);
    if (!Fits(rows * kReportRowHeight + 4 * p.LineHeight + 260 + 250)) NewPageWithHeading();
    p.SelectFontSlot(13);
    p.NewLine(AtContentTop() ? 1 : 2);
    p.MoveTo(L() + 200, p.CurY);
    p.Print(block.Name);
    p.NewLine(2);
    BlockLabels(c);
    for (const TGapRow& row : block.Rows) BlockRow(c, row, row.CategoryName);
  }
  return true;
}

bool TReportPage::PracticesSection() {
  BeginSection();
  const std::vector<TGapPracticeBlock> blocks =
      ComputePracticeBlocks(*survey, experiences, categories, Marks());
  if (blocks.empty()) return false;
  StartSection(TReportText::PracticesHeaderBar, TReportText::PracticesReportName, 0.5);
  const double w = W();
  const double g = 0.01 * w;
  const Mils text_right = L() + RoundMils(0.28 * w);
  // The distribution is a hundredth narrower than the graph, so that the
  // boxes end at the right margin.
  const TGapColumns c = GapColumns(text_right + RoundMils(g), w, 0.11, 0.02, 0.04, 2, 0.25, 0.24);
  const auto rows = static_cast<Mils>(categories.size());
  std::string heading;
  for (const TGapPracticeBlock& block : blocks) {
    if (Stopped()) break;
    const bool new_area = block.StartsSkillArea || heading.empty();
    if (new_area) heading = block.AreaHeading;
    StartQuestionBlock(
        rows * kReportRowHeight + 2 * p.LineHeight + 250 + (new_area ? 2 * 260 + p.LineHeight : 0),
        new_area, heading);
    p.SelectFontSlot(11);
    p.NewLine(1.2);
    BlockLabels(c);
    const Mils rows_top = p.CurY;
    // The question beside its rows, hanging under its number.
    p.SelectFontSlot(11);
    p.MoveTo(L(), rows_top + kReportRowHeight - 25);
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

TReportPage::TListColumns TReportPage::ListColumns() const {
  const double w = W();
  const double g = 0.02 * w;
  TListColumns c{};
  c.num = L() + 400;
  c.text = c.num + RoundMils(0.06 * w) + RoundMils(g);
  c.text_right = c.text + RoundMils(0.6 * w);
  c.avg = c.text_right + RoundMils(g);
  c.avg_w = RoundMils(0.05 * w);
  c.tag = c.avg + c.avg_w + RoundMils(g);
  c.tag_w = RoundMils(0.05 * w);
  return c;
}

void TReportPage::ColumnHeadings(const TListColumns& c, const std::string& practice,
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
void TReportPage::Practice(const TListColumns& c, const TGapRankingEntry& entry, bool tag) {
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

bool TReportPage::OverviewSection() {
  BeginSection();
  const std::vector<TGapOverviewGroup> groups = ComputeOverview(*survey, experiences, categories);
  if (groups.empty()) return false;
  header_bar = Config().Text(TReportText::OverviewHeaderBar);
  section_name = Config().Text(TReportText::OverviewReportName);
  space_after_heading = 0.5;
  const TListColumns c = ListColumns();
  for (const TGapOverviewGroup& group : groups) {
    if (Stopped()) break;
    NewPageWithHeading();
    const std::string name = UpperCase(group.Name);
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

bool TReportPage::SummarySection() {
  BeginSection();
  const TGapSummary summary = ComputeSummary(*survey, experiences, categories);
  if (summary.Listings.empty()) return false;
  header_bar = Config().Text(TReportText::SummaryHeaderBar);
  section_name = Config().Text(TReportText::SummaryReportName);
  space_after_heading = 0.5;
  const TListColumns c = ListColumns();
  for (const TGapSummaryListing& listing : summary.Listings) {
    if (Stopped()) break;
    NewPageWithHeading();
    Heading(Config().Text(TReportText::SummaryResponseTag) + " " +
            UpperCase(listing.Category.Name));
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

}  // namespace zelvora
