// Section 8: the trainer's table, laid out across the page.
#include <algorithm>

#include "base/Cp1252.h"
#include "base/DateTime.h"
#include "report/GapTraining.h"
#include "report/ReportPage.h"

namespace zelvora {

void TReportPage::TrainingHeaderRow(Mils first_col, int from, int to,
                                    const std::vector<std::string>& headers) {
  p.SelectFontSlot(16);
  const Mils y = p.CurY;
  p.MoveTo(L(), y);
  p.Print("Date");
  p.MoveTo(L() + 750, y);
  p.Print("Participant");
  for (int q = from; q < to; ++q)
    p.PrintCenteredAt(headers[static_cast<std::size_t>(q)], first_col + (q - from) * 400 + 200, y);
  p.HorzLine(L(), y + 40, first_col + (to - from) * 400 - L());
  p.NewLine(1.3);
}

void TReportPage::TrainingCells(Mils first_col, int from, int to,
                                const std::vector<std::string>& cells) {
  const Mils y = p.CurY;
  for (int q = from; q < to && q < static_cast<int>(cells.size()); ++q)
    p.PrintRight(cells[static_cast<std::size_t>(q)], first_col + (q - from) * 400, y, 350);
}

bool TReportPage::TrainingSection() {
  BeginSection();
  const TGapTraining table = ComputeTraining(*survey, company_categories, experiences);
  if (table.Categories.empty()) return false;
  header_bar = "SURVEY FEEDBACK";
  section_name = "TRAINER'S REPORT";
  space_after_heading = 0.5;
  const std::string saved_subject = subject;
  const Mils g = RoundMils(0.01 * W());
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

}  // namespace zelvora
