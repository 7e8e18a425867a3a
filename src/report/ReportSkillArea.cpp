// Section 9: a skill area's questions, with their suggestions when
// unrestricted.
#include "report/GapFormat.h"
#include "report/ReportPage.h"

namespace zelvora {

bool TReportPage::SkillAreaSection(const TReportSkillArea& area, bool unrestricted) {
  BeginSection();
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
        numbers - texts, std::to_string(++number) + ")", 0, texts, question.Text, p.RightMargin, 1,
        "", 0, [this] { ContinueListing(); }, -1);
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
void TReportPage::ContinueListing() {
  NewPage();
  p.SelectFontSlot(11);
}

}  // namespace zelvora
