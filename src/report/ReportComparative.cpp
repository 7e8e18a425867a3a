// Section 5: the comparative table of one subject's two experiences.
#include <algorithm>

#include "base/Cp1252.h"
#include "base/DateTime.h"
#include "report/GapComparative.h"
#include "report/GapFormat.h"
#include "report/ReportPage.h"

namespace zelvora {

bool TReportPage::ComparativeSection() {
  BeginSection();
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
  const TGapExperience& previous = experiences[static_cast<std::size_t>(table.PreviousExperience)];
  // The legend: the current experience first, then the previous one.
  const Mils legend_left = L() + RoundMils(0.25 * w);
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
  const Mils text_right = L() + RoundMils(0.4 * w);
  const TGapColumns c = GapColumns(text_right + RoundMils(2 * g), w, 0.07, 0.02, 0.05, 2, 0.3, 0);
  const Mils verdict = c.graph + c.graph_w + RoundMils(2 * g);
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
    StartQuestionBlock(
        rows * kReportRowHeight + 3 * p.LineHeight + 250 + (new_area ? 2 * 260 + p.LineHeight : 0),
        new_area, heading);
    p.SelectFontSlot(16);
    p.NewLine(1.2);
    BlockLabels(c);
    const Mils rows_top = p.CurY;
    p.SelectFontSlot(11);
    p.MoveTo(L(), rows_top + kReportRowHeight - 25);
    p.PrintBulleted(-250, std::to_string(q.QuestionIndex + 1) + ")", 0, L() + 250,
                    PracticeText(survey->Questions[static_cast<std::size_t>(q.QuestionIndex)].Text),
                    text_right, 1, "", 0, nullptr, -1);
    const Mils text_bottom = p.CurY + p.LineHeight / 3;
    Mils y = rows_top;
    for (std::size_t i = 0; i < q.Rows.size(); ++i) {
      const TGapComparativeRow& row = q.Rows[i];
      const Mils bars_top = y;
      for (int r = 0; r < 2; ++r) {
        const TGapRow& data = r == 0 ? row.Current : row.Previous;
        const Mils base = y + kReportRowHeight - 25;
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
        GapBar(c, y, data.Bar, r == 0 ? kColorBlack : report.ShadeColor);
        y += kReportRowHeight;
      }
      p.HorzLine(c.cat, bars_top + 2 * kReportRowHeight, p.RightMargin - c.cat);
    }
    p.MoveTo(L(), std::max(y, text_bottom));
  }
  return true;
}

}  // namespace zelvora
