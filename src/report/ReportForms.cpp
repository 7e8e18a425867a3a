// Section 11: a rater survey form, filled in for a sheet or blank.
#include <algorithm>
#include <cmath>

#include "base/DateTime.h"
#include "report/Prtobjs.h"
#include "report/ReportPage.h"

namespace zelvora {

TReportPage::TFormColumns TReportPage::FormColumns() const {
  const double w = W();
  TFormColumns c{};
  c.text_right = L() + RoundMils(0.675 * w);
  c.group_w = RoundMils(0.13 * w);
  c.group1 = c.text_right + RoundMils(0.02 * w);
  c.group2 = c.group1 + c.group_w + RoundMils(0.04 * w);
  return c;
}

void TReportPage::FormInstructions(bool self, Mils right) {
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
    para(L(), "Please take a few minutes to complete this survey about your day-to-day practices.");
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
    para(L(), "SKIP ANY PRACTICE you have not observed or about which you can't make a judgment.");
  }
}

void TReportPage::ReturnBox(Mils top) {
  const Mils w = RoundMils(0.25 * W());
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

void TReportPage::PrefixLines(const TReportFormArea& area, bool self_prefixes) {
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

void TReportPage::FormColumnHeading(const TReportForm& form, const TFormColumns& c, bool self_instr,
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

void TReportPage::CompleteBothStrip(const TFormColumns& c) {
  p.SelectFontSlot(16);
  const Mils y = p.PageBottom - 220;
  const Mils both = c.group2 + c.group_w - c.group1;
  p.Frame(c.group1, y, both, 200);
  p.PrintCenteredAt(report.SurvDoesTag, c.group1 + c.group_w / 2, y + 150);
  p.PrintCenteredAt(report.SurvShouldTag, c.group2 + c.group_w / 2, y + 150);
  p.PrintCenteredAt("COMPLETE BOTH COLUMNS", c.group1 + both / 2, y - 60);
}

bool TReportPage::FormSection(const TReportForm& form) {
  BeginSection();
  if (!form.HasSheet) return false;
  header_bar = form.SurveyName;
  const bool self_instr = UpperAscii(form.CategoryName) == "SELF";
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
  FormInstructions(self_instr, p.RightMargin - RoundMils(0.25 * W()) - 200);
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
      p.PrintBulleted(-300, std::to_string(++number) + ".", 0, L() + 300, question, c.text_right, 1,
                      "", 0, nullptr, -1);
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

}  // namespace zelvora
