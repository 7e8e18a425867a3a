// Report pages as drawn: the marks of bars past the scale, margins that do
// not depend on what ran before, space around headings, the shared column
// labels, nothing past the margins, and the footer notice of each kind.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

// A completed sheet whose every question has `gap`, negative gaps included.
TGapSheet SheetOfGap(int category, int gap, int questions) {
  TGapSheet sheet;
  sheet.RaterCategory = category;
  sheet.Completed = true;
  for (int q = 0; q < questions; ++q)
    sheet.SetPair(q, gap < 0 ? 1 - gap : 1, gap < 0 ? 1 : 1 + gap);
  return sheet;
}

class ReportDrawingTest : public ::testing::Test {
 protected:
  TReportConfig config;
  std::unique_ptr<TPageRecorder> recorder = std::make_unique<TPageRecorder>();
  const TPageRecorder& printer() const { return *recorder; }
  TReportData data{2, 2};
  std::unique_ptr<TReport360> report;

  bool Run(int kind, std::uint16_t sections, int boss_gap, std::uint16_t options = 0) {
    return Run(Request(kind, sections, boss_gap, options));
  }
  bool Run(const TReportRequest& request) {
    recorder = std::make_unique<TPageRecorder>();
    report = std::make_unique<TReport360>(config);
    report->TodayDate = EncodeDate(2026, 12, 8);
    report->SetPrinter(recorder.get());
    report->Prepare(request);
    return report->Generate();
  }
  std::shared_ptr<TReportExperience> Experience(const std::string& subject, int boss_gap,
                                                const std::string& department = "Sales") const {
    const int n = data.survey->QuestionCount();
    auto e = data.Experience(subject, {SheetOfGap(0, 1, n), SheetOfGap(1, boss_gap, n)});
    e->Experience.DepartmentName = department;
    return e;
  }
  TReportRequest Request(int kind, std::uint16_t sections, int boss_gap,
                         std::uint16_t options = 0) const {
    TReportRequest request;
    request.Kind = kind;
    request.Sections = sections;
    request.Options = options;
    request.Sources.push_back(Selected(Experience("Pat", boss_gap)));
    if (kind != kReportIndividual) {
      auto second = Experience(kind == kReportComparative ? "Pat" : "Sam", boss_gap, "Support");
      second->Experience.ExperienceDate = EncodeDate(2026, 3, 11);
      request.Sources.push_back(Selected(second));
    }
    request.Departments = {{"Sales", true}, {"Support", true}};
    return request;
  }
  // The over and under marks: small triangles beside the bars (the header
  // and footer bands are drawn as taller polygons).
  int Marks() const {
    int n = 0;
    for (const PageShape& s : printer().Shapes('P'))
      if (s.bottom - s.top <= 150) ++n;
    return n;
  }
};

TEST_F(ReportDrawingTest, BarsPastTheScaleCarryTheirMark) {
  struct Row {
    const char* name;
    int kind;
    std::uint16_t sections;
    int gap;
    bool over;
    bool under;
    bool marked;
  };
  const Row rows[] = {
      {"category, gap 3", kReportIndividual, SectionBits({1}), 3, true, false, true},
      {"category, gap 3, over mark off", kReportIndividual, SectionBits({1}), 3, false, false,
       false},
      {"category, gap 2 fits", kReportIndividual, SectionBits({1}), 2, true, true, false},
      {"practices, gap 4", kReportIndividual, SectionBits({2}), 4, true, false, true},
      {"practices, negative, under mark on", kReportIndividual, SectionBits({2}), -2, true, true,
       true},
      {"practices, negative, under mark off", kReportIndividual, SectionBits({2}), -2, true, false,
       false},
      {"composite category, gap 3", kReportComposite, SectionBits({1}), 3, true, false, true},
      {"comparative, gap 4", kReportComparative, SectionBits({5}), 4, true, false, true},
      {"organizational, gap 3", kReportOrganizational, SectionBits({6, 7}), 3, true, false, true},
      {"organizational, negative", kReportOrganizational, SectionBits({6}), -3, true, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    config.SetGraphOver(row.over);
    config.SetGraphUnder(row.under);
    ASSERT_TRUE(Run(row.kind, row.sections, row.gap)) << report->GetErrorMessage();
    EXPECT_EQ(Marks() > 0, row.marked) << Marks();
  }
}

TEST_F(ReportDrawingTest, OverMarkStandsPastTheFullBarAndUnderMarkBeforeItsStart) {
  ASSERT_TRUE(Run(kReportIndividual, SectionBits({1}), 4));
  // Self's bar (gap 1) is half the full width; Boss's (gap 4) is full and marked.
  std::vector<PageShape> bars;
  for (const PageShape& s : printer().Shapes('R'))
    if (s.right > s.left) bars.push_back(s);
  ASSERT_FALSE(bars.empty());
  Mils full = 0;
  for (const PageShape& s : bars) full = std::max(full, s.right);
  for (const PageShape& mark : printer().Shapes('P')) {
    if (mark.bottom - mark.top > 150) continue;
    EXPECT_GE(mark.left, full - 2);
  }
  config.SetGraphUnder(true);
  ASSERT_TRUE(Run(kReportIndividual, SectionBits({1}), -1));
  Mils start = 1 << 30;
  for (const PageShape& s : printer().Shapes('R')) start = std::min(start, s.left);
  int under = 0;
  for (const PageShape& mark : printer().Shapes('P')) {
    if (mark.bottom - mark.top > 150) continue;
    ++under;
    EXPECT_LE(mark.right, start + 2);
  }
  EXPECT_GT(under, 0);
}

TEST_F(ReportDrawingTest, NothingIsDrawnPastTheMargins) {
  struct Row {
    const char* name;
    int kind;
    std::uint16_t sections;
    std::uint16_t options;
  };
  const Row rows[] = {
      {"individual", kReportIndividual, SectionBits({1, 2, 3, 4}), kOptTitlePage},
      {"individual without title page", kReportIndividual, SectionBits({1, 2, 3, 4}), 0},
      {"composite", kReportComposite, SectionBits({1, 2, 3, 4}), kOptTitlePage},
      {"comparative", kReportComparative, SectionBits({5}), 0},
      {"organizational", kReportOrganizational, SectionBits({6, 7}), 0},
      {"training", kReportTraining, SectionBits({8}), kOptTitlePage},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Run(row.kind, row.sections, 3, row.options)) << report->GetErrorMessage();
    for (const PageText& t : printer().items) {
      const auto [left, right] = printer().page_margins[static_cast<std::size_t>(t.page)];
      // The test font is 100 units a character, near the width of the report
      // fonts of 10 points and more; the small label fonts (16, 17 and 19, 6
      // and 8 points) take about 60.
      const bool small = t.font == 16 || t.font == 17 || t.font == 19;
      const Mils width = static_cast<Mils>(Cp1252Length(t.text)) * (small ? 60 : 100);
      EXPECT_GE(t.x, left) << t.text;
      EXPECT_LE(t.x + width, right) << t.text;
    }
    for (const PageShape& s : printer().shapes) {
      const auto [left, right] = printer().page_margins[static_cast<std::size_t>(s.page)];
      // The bands' slanted ends and the marks stay inside too.
      EXPECT_GE(s.left, left - 2) << s.kind << " on page " << s.page;
      EXPECT_LE(s.right, right + 2) << s.kind << " on page " << s.page;
    }
  }
}

TEST_F(ReportDrawingTest, SectionsLayTheirColumnsOutAloneWithOrWithoutTitlePage) {
  struct Row {
    const char* name;
    int kind;
    std::uint16_t sections;
    const char* probe;
  };
  const Row rows[] = {
      {"organizational department", kReportOrganizational, SectionBits({6}), "Support"},
      {"overview practice number", kReportIndividual, SectionBits({3}), "1)"},
      {"summary practice number", kReportIndividual, SectionBits({4}), "2)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Run(row.kind, row.sections, 2, kOptTitlePage));
    const int titled =
        printer().Find(row.probe, static_cast<std::size_t>(printer().Find("Page 1")));
    ASSERT_GE(titled, 0);
    const Mils x = printer().items[static_cast<std::size_t>(titled)].x;
    ASSERT_TRUE(Run(row.kind, row.sections, 2, 0));
    const int plain = printer().Find(row.probe, static_cast<std::size_t>(printer().Find("Page 1")));
    ASSERT_GE(plain, 0);
    EXPECT_EQ(printer().items[static_cast<std::size_t>(plain)].x, x);
  }
}

TEST_F(ReportDrawingTest, GapTablesShareTheirLabelsWithGapSizeOnTwoLines) {
  for (const int kind : {kReportComparative, kReportOrganizational}) {
    SCOPED_TRACE(kind);
    ASSERT_TRUE(Run(kind, SectionBits({5, 6, 7}), 1));
    const int gap = printer().Find("Gap");
    ASSERT_GE(gap, 0);
    const PageText& g = printer().items[static_cast<std::size_t>(gap)];
    ASSERT_EQ(g.text, "Gap");
    const PageText& size = printer().items[static_cast<std::size_t>(gap + 1)];
    EXPECT_EQ(size.text, "Size");
    EXPECT_GT(size.y, g.y);
    // "N" ends before the "Gap Size" column starts.
    const int n = printer().Find("N", static_cast<std::size_t>(gap - 2));
    const PageText& label = printer().items[static_cast<std::size_t>(n)];
    ASSERT_EQ(label.text, "N");
    EXPECT_LT(TPageRecorder::Right(label), TPageRecorder::Right(size) - 400);
    for (const char* axis : {"0", "0.5", "1", "1.5", "2"}) {
      bool found = false;
      for (const PageText& t : printer().items) found = found || t.text == axis;
      EXPECT_TRUE(found) << axis;
    }
    EXPECT_EQ(printer().Find("Distribution"), -1);
  }
}

TEST_F(ReportDrawingTest, NewSkillAreaHeadingStartsBelowThePreviousQuestionsRows) {
  data.survey->SkillAreas[1].QuestPrefix3 = "How well does this person";
  ASSERT_TRUE(Run(kReportIndividual, SectionBits({2}), 1));
  const int heading = printer().Find("How well does this person...");
  ASSERT_GE(heading, 0);
  const PageText& h = printer().items[static_cast<std::size_t>(heading)];
  Mils previous_bottom = 0;
  for (const PageShape& s : printer().shapes)
    if (s.page == h.page && s.top < h.y) previous_bottom = std::max(previous_bottom, s.bottom);
  for (int i = 0; i < heading; ++i) {
    const PageText& t = printer().items[static_cast<std::size_t>(i)];
    if (t.page == h.page && t.font != 2 && t.font != 17 && t.font != 1)
      previous_bottom = std::max(previous_bottom, t.y);
  }
  ASSERT_GT(previous_bottom, 0);
  EXPECT_GE(TPageRecorder::Top(h), previous_bottom);
}

TEST_F(ReportDrawingTest, CategorySkillAreaNameHasALineOfSpaceAboveAndBelow) {
  ASSERT_TRUE(Run(kReportIndividual, SectionBits({1}), 1));
  const int name = printer().Find("Area 2");
  ASSERT_GE(name, 0);
  const PageText& area = printer().items[static_cast<std::size_t>(name)];
  Mils above = 0;
  for (const PageShape& s : printer().shapes)
    if (s.page == area.page && s.top < area.y) above = std::max(above, s.bottom);
  EXPECT_GE(TPageRecorder::Top(area) - above, TFixedPrinter::kLineHeight);
  const PageText& next = printer().items[static_cast<std::size_t>(name + 1)];
  EXPECT_GE(TPageRecorder::Top(next) - area.y, TFixedPrinter::kLineHeight) << next.text;
}

TEST_F(ReportDrawingTest, FooterNoticeSaysWhatThePagesAre) {
  struct Row {
    const char* name;
    int kind;
    std::uint16_t sections;
    const char* notice;
  };
  const Row rows[] = {
      {"individual", kReportIndividual, SectionBits({1}), kReportFooterNotice},
      {"comparative", kReportComparative, SectionBits({5}), kReportFooterNotice},
      {"composite", kReportComposite, SectionBits({1}), kReportFooterGroupNotice},
      {"organizational", kReportOrganizational, SectionBits({6}), kReportFooterGroupNotice},
      {"training", kReportTraining, SectionBits({8}), kReportFooterGroupNotice},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Run(row.kind, row.sections, 1));
    EXPECT_EQ(printer().Count(row.notice), printer().pages);
  }
  TReportRequest listing;
  listing.Kind = kReportSkillArea;
  listing.Sections = SectionBits({9});
  TReportSourceEntry area;
  area.Selected = true;
  area.SkillArea = std::make_shared<TReportSkillArea>(
      TReportSkillArea{"Listening", {data.survey->Questions[0], data.survey->Questions[1]}});
  listing.Sources = {area};
  ASSERT_TRUE(Run(listing));
  EXPECT_EQ(printer().Count(kReportFooterListingNotice), printer().pages);
  EXPECT_EQ(printer().Count("prepared for the person"), 0);
  TReportRequest forms;
  forms.Kind = kReportBlankForms;
  forms.Sections = SectionBits({11});
  TReportSourceEntry form;
  form.Selected = true;
  auto blank = std::make_shared<TReportForm>();
  blank->SurveyName = "Leadership";
  blank->FreqLabels = {"Never", "Always"};
  blank->Areas = {TReportFormArea{"Area 1", {"a", "b", "c", "d"}, {"Listens?"}}};
  form.Form = blank;
  forms.Sources = {form};
  ASSERT_TRUE(Run(forms));
  EXPECT_EQ(printer().Count(kReportFooterFormNotice), printer().pages);
  EXPECT_EQ(printer().Count("prepared for the person"), 0);
}

TEST_F(ReportDrawingTest, DepartmentsCopiesOfOneSurveyAreComparedOthersRefused) {
  for (const int kind : {kReportOrganizational, kReportComposite, kReportTraining}) {
    SCOPED_TRACE(kind);
    TReportRequest request = Request(kind, SectionBits({1, 6, 8}), 2);
    // The second department works on its own copy of the library survey.
    auto copy = std::make_shared<TGapSurvey>(*data.survey);
    auto second = std::make_shared<TReportExperience>(*request.Sources[1].Data);
    second->Survey = copy;
    request.Sources[1].Data = second;
    ASSERT_TRUE(Run(request)) << report->GetErrorMessage();
    if (kind == kReportOrganizational) {
      EXPECT_GT(printer().Count("Sales"), 0);
      EXPECT_GT(printer().Count("Support"), 0);
    }
    // A copy that was changed is another instrument.
    copy->Questions[1].Text = "Another practice?";
    EXPECT_FALSE(Run(request));
    EXPECT_EQ(report->GetErrorMessage(), kReportMixedSurveys);
  }
}

}  // namespace
}  // namespace zelvora::testing
