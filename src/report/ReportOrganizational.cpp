// Sections 6 and 7: the organizational tables, per common category the
// skill areas or items with one row per selected department.
#include <algorithm>

#include "report/GapFormat.h"
#include "report/GapOrganizational.h"
#include "report/ReportPage.h"

namespace zelvora {

bool TReportPage::OrganizationalSection(TGapOrgVariant variant,
                                        const std::vector<std::string>& departments) {
  BeginSection();
  const std::vector<TGapOrgCategory> table = ComputeOrganizational(
      *survey, company_categories, experiences, departments, variant, Marks());
  const bool items = variant == TGapOrgVariant::Items;
  header_bar = items ? "ITEM FEEDBACK" : "SKILL AREA FEEDBACK";
  section_name = "ORGANIZATIONAL REPORT";
  space_after_heading = 0.5;
  const std::string saved_subject = subject;
  subject = "Organization";
  const double w = W();
  const TGapColumns c = GapColumns(L() + 1000, w, 0.25, 0.05, 0.07, 3, 0.28, 0);
  const std::string responses = std::string("RESPONSES BY ") + (items ? "ITEM" : "SKILL AREA");
  auto page = [&] {
    NewPageWithHeading();
    p.SelectFontSlot(4);
    p.PrintCenteredAt(responses, L() + W() / 2, p.CurY);
    p.NewLine(1.5);
    content_top = p.CurY;
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
      if (!Fits(rows * kReportRowHeight + 5 * p.LineHeight + 250)) page();
      // A line of space above each block but the first of a page.
      p.SelectFontSlot(items ? 11 : 13);
      p.NewLine(AtContentTop() ? 1.2 : 2);
      if (items) {
        p.MoveTo(L() + 500, p.CurY);
        p.PrintBulleted(-300, std::to_string(block.Index + 1) + ")", 0, L() + 500,
                        PracticeText(survey->Questions[static_cast<std::size_t>(block.Index)].Text),
                        L() + 500 + RoundMils(0.7 * w), 1, "", 0, nullptr, -1);
      } else {
        p.MoveTo(L() + 500, p.CurY);
        p.Print(survey->SkillAreas[static_cast<std::size_t>(block.Index)].Name);
      }
      p.NewLine(1);
      BlockLabels(c);
      for (const TGapOrgRow& row : block.Rows) {
        const Mils top = p.CurY;
        const Mils base = top + kReportRowHeight - 25;
        p.SelectFontSlot(19);
        p.MoveTo(c.cat, base);
        p.Print(row.Department);
        p.SelectFontSlot(16);
        p.PrintRight(row.Row.NText, c.n, base, c.n_w);
        p.PrintRight(row.Row.AverageText, c.gap, base, c.gap_w);
        GapBar(c, top, row.Row.Bar, report.ShadeColor);
        p.MoveTo(L(), top + kReportRowHeight);
      }
    }
  }
  subject = saved_subject;
  return any;
}

}  // namespace zelvora
