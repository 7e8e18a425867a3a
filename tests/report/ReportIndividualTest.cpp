// The Individual report's pages: title page, page numbers, the order of the
// four sections and the content of each.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

class ReportIndividualTest : public ::testing::Test {
 protected:
  TReportConfig config;
  TPageRecorder printer;
  TReportData data{2, 3};

  bool Run(std::vector<TReportSourceEntry> sources, std::uint16_t sections,
           std::uint16_t options = 0, const std::string& name = "") {
    report = std::make_unique<TReport360>(config);
    report->TodayDate = EncodeDate(2026, 12, 8);
    report->SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kReportIndividual;
    request.Sections = sections;
    request.Options = options;
    request.ReportName = name;
    request.Sources = std::move(sources);
    EXPECT_TRUE(report->Prepare(request));
    return report->Generate();
  }
  std::vector<TGapSheet> SelfAndBoss(int self_gap, int boss_gap) const {
    const int n = data.survey->QuestionCount();
    return {TReportData::Sheet(0, self_gap, n), TReportData::Sheet(1, boss_gap, n)};
  }
  std::string Text(TReportText slot) const { return config.Text(slot); }

  std::unique_ptr<TReport360> report;
};

TEST_F(ReportIndividualTest, TitlePageIsUnnumberedAndSectionsFollowInOrder) {
  ASSERT_TRUE(Run({Selected(data.Experience("Pat Example", SelfAndBoss(1, 2)))},
                  SectionBits({1, 2, 3, 4}), kOptTitlePage));
  // Page 0: the title page with survey, company, subject, date, instrument.
  const auto title = printer.Page(0);
  for (const char* expected : {"Leadership", "Acme", "Pat Example", "Tuesday, December 8, 2026",
                               "Zelvora 360\xC2\xB0 Feedback\xE2\x84\xA2"}) {
    EXPECT_NE(std::find(title.begin(), title.end(), expected), title.end()) << expected;
  }
  for (const std::string& t : title) EXPECT_EQ(t.find("Page "), std::string::npos) << t;
  EXPECT_EQ(printer.PageOf(Text(TReportText::TitleHeaderBar)), 0);
  EXPECT_EQ(printer.Count("Page 1"), 1);
  EXPECT_EQ(printer.PageOf("Page 1"), 1);
  // Sections in increasing number, each starting on its own page.
  const int category = printer.PageOf(Text(TReportText::CategoryReportName));
  const int practices = printer.PageOf(Text(TReportText::PracticesReportName));
  const int overview = printer.PageOf(Text(TReportText::OverviewReportName));
  const int summary = printer.PageOf(Text(TReportText::SummaryReportName));
  EXPECT_EQ(category, 1);
  EXPECT_LT(category, practices);
  EXPECT_LT(practices, overview);
  EXPECT_LT(overview, summary);
  // Every page after the title is numbered in turn.
  for (int page = 1; page < printer.pages; ++page) {
    const auto texts = printer.Page(page);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Page " + std::to_string(page)), texts.end())
        << page;
  }
}

TEST_F(ReportIndividualTest, WithoutTitlePageTheFirstPageIsPageOneAndReportNameReplacesSubject) {
  ASSERT_TRUE(Run({Selected(data.Experience("Pat Example", SelfAndBoss(1, 2)))}, SectionBits({1}),
                  0, "A name that is far longer than thirty-one characters"));
  EXPECT_EQ(printer.PageOf("Page 1"), 0);
  const auto first = printer.Page(0);
  EXPECT_NE(std::find(first.begin(), first.end(), "December 8, 2026"), first.end());
  EXPECT_NE(std::find(first.begin(), first.end(), "A name that is far longer than "), first.end());
  EXPECT_EQ(printer.Find("Pat Example"), -1);
  EXPECT_EQ(report->Request().ReportName.size(), 31u);
}

TEST_F(ReportIndividualTest, CategoryBlocksShowRowsPerCategoryWithGapModuleNumbers) {
  ASSERT_TRUE(Run({Selected(data.Experience("Pat", SelfAndBoss(1, 2)))}, SectionBits({1})));
  const int area1 = printer.Find("Area 1");
  const int area2 = printer.Find("Area 2");
  ASSERT_GE(area1, 0);
  ASSERT_GT(area2, area1);
  EXPECT_EQ(printer.items[static_cast<std::size_t>(area1)].font, 13);
  const int self = printer.Find("Self", static_cast<std::size_t>(area1));
  const int boss = printer.Find("Boss", static_cast<std::size_t>(area1));
  ASSERT_GT(boss, self);
  EXPECT_LT(boss, area2);
  EXPECT_EQ(printer.items[static_cast<std::size_t>(self)].font, 19);
  EXPECT_NE(printer.Find(" 1.00", static_cast<std::size_t>(self)), -1);
  EXPECT_NE(printer.Find(" 2.00", static_cast<std::size_t>(boss)), -1);
  // Peer has no sheet: no row.
  EXPECT_EQ(printer.Find("Peer"), -1);
  for (const char* label : {"Gap Size Distribution", "Average Gap Size", "N", "R", "1.5"})
    EXPECT_NE(printer.Find(label), -1) << label;
}

TEST_F(ReportIndividualTest, PracticesNumberQuestionsCutCategoriesAndRepeatPrefixOnNewPage) {
  data.company[1].Name = "Boss of the whole department";
  TReportData big{1, 40};
  big.company = data.company;
  const int n = big.survey->QuestionCount();
  ASSERT_TRUE(Run(
      {Selected(big.Experience("Pat", {TReportData::Sheet(0, 1, n), TReportData::Sheet(1, 1, n)}))},
      SectionBits({2})));
  EXPECT_NE(printer.Find("1)"), -1);
  EXPECT_NE(printer.Find("40)"), -1);
  EXPECT_NE(printer.Find("text."), -1);
  EXPECT_EQ(printer.Find("text?"), -1);
  EXPECT_NE(printer.Find("Boss of the whole "), -1);
  EXPECT_EQ(printer.Find("Boss of the whole d"), -1);
  ASSERT_GT(printer.pages, 1);
  // Each page opens with the page heading, the report name and the prefix.
  const std::string prefix = "How often does this person...";
  for (int page = 0; page < printer.pages; ++page) {
    const auto texts = printer.Page(page);
    EXPECT_NE(std::find(texts.begin(), texts.end(), prefix), texts.end()) << page;
    EXPECT_NE(std::find(texts.begin(), texts.end(), Text(TReportText::PracticesReportName)),
              texts.end())
        << page;
  }
  // Nothing is drawn below the footer's page bottom.
  for (const PageText& t : printer.items) {
    if (t.font != 2 && t.font != 17) {
      EXPECT_LE(t.y, printer.PageHeight - 100 - 300) << t.text;
    }
  }
}

TEST_F(ReportIndividualTest, OverviewStartsWithOrganizationThenEachCategoryOnItsOwnPage) {
  ASSERT_TRUE(Run({Selected(data.Experience("Pat", SelfAndBoss(1, 2)))}, SectionBits({3})));
  const std::string strong = Text(TReportText::OverviewStrongTag);
  const int org = printer.Find(strong + " ORGANIZATION");
  const int boss = printer.Find(strong + " BOSS");
  ASSERT_GE(org, 0);
  ASSERT_GT(boss, org);
  EXPECT_EQ(printer.Find(strong + " SELF"), -1);
  EXPECT_NE(printer.items[static_cast<std::size_t>(org)].page,
            printer.items[static_cast<std::size_t>(boss)].page);
  EXPECT_GT(printer.Find(Text(TReportText::OverviewNeedsTag) + " ORGANIZATION"), org);
  EXPECT_NE(printer.Find("The following are your Strengths."), -1);
  EXPECT_EQ(printer.Find("Check"), -1) << "only gaps of 3 or 4 are checked";
}

TEST_F(ReportIndividualTest, OverviewWithAllZeroNeedsPrintsTheSentenceAndNoSuggestions) {
  for (auto& q : data.survey->Questions) q.Suggestions = {"Try this."};
  ASSERT_TRUE(Run({Selected(data.Experience("Pat", SelfAndBoss(0, 0)))}, SectionBits({3})));
  EXPECT_EQ(printer.Count("All the gap sizes are zero, therefore, no Developmental Needs will be "
                          "printed."),
            2);
  EXPECT_EQ(printer.Find(Text(TReportText::OverviewSuggestTag)), -1);
  EXPECT_EQ(printer.Find("The following are your Developmental Needs."), -1);
}

TEST_F(ReportIndividualTest, OverviewSuggestionsPageLettersEachNeedsSuggestions) {
  for (auto& q : data.survey->Questions) q.Suggestions = {"First idea.", "Second idea."};
  ASSERT_TRUE(Run({Selected(data.Experience("Pat", SelfAndBoss(1, 3)))}, SectionBits({3})));
  const int suggest = printer.Find(Text(TReportText::OverviewSuggestTag));
  ASSERT_GE(suggest, 0);
  const int needs = printer.Find("The following are your Developmental Needs.");
  EXPECT_GT(printer.items[static_cast<std::size_t>(suggest)].page,
            printer.items[static_cast<std::size_t>(needs)].page);
  EXPECT_GT(printer.Find("a)", static_cast<std::size_t>(suggest)), suggest);
  EXPECT_GT(printer.Find("b)", static_cast<std::size_t>(suggest)), suggest);
  EXPECT_NE(printer.Find("Check"), -1);
}

TEST_F(ReportIndividualTest, SummaryOverSelfAndBossListsBossThenClosingParagraphs) {
  ASSERT_TRUE(Run({Selected(data.Experience("Pat", SelfAndBoss(1, 2)))}, SectionBits({4})));
  const std::string tag = Text(TReportText::SummaryResponseTag);
  const int boss = printer.Find(tag + " BOSS");
  ASSERT_GE(boss, 0);
  EXPECT_EQ(printer.Find(tag + " SELF"), -1);
  const int closing = printer.Find("For the practices with the largest Gap Sizes");
  EXPECT_GT(closing, boss);
  EXPECT_GT(printer.Find("In selecting priorities for development"), closing);
}

TEST_F(ReportIndividualTest, SummaryOverBossAloneHasNoClosingParagraphs) {
  const int n = data.survey->QuestionCount();
  ASSERT_TRUE(
      Run({Selected(data.Experience("Pat", {TReportData::Sheet(1, 2, n)}))}, SectionBits({4})));
  EXPECT_NE(printer.Find(Text(TReportText::SummaryResponseTag) + " BOSS"), -1);
  EXPECT_EQ(printer.Find("For the practices with the largest Gap Sizes"), -1);
  // Every practice listed, in ascending order of the average.
  EXPECT_NE(printer.Find("6)"), -1);
}

TEST_F(ReportIndividualTest, EachSelectedExperienceRestartsPageNumbers) {
  ASSERT_TRUE(Run({Selected(data.Experience("First", SelfAndBoss(1, 2))), TReportSourceEntry{},
                   Selected(data.Experience("Second", SelfAndBoss(1, 2)))},
                  SectionBits({1}), kOptTitlePage));
  EXPECT_EQ(printer.Count("Page 1"), 2);
  EXPECT_LT(printer.PageOf("First"), printer.PageOf("Second"));
}

}  // namespace
}  // namespace zelvora::testing
