// The skill area listing: the area's name in the header bar, numbered
// questions, suggestions only in the unrestricted mode, a listing per area.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

TReportSourceEntry Area(const std::string& name, int questions) {
  auto area = std::make_shared<TReportSkillArea>();
  area->Name = name;
  for (int q = 0; q < questions; ++q) {
    TGapQuestion question;
    question.Text = name + " question " + std::to_string(q + 1);
    question.Suggestions = {"First idea", "Second idea"};
    area->Questions.push_back(question);
  }
  TReportSourceEntry entry;
  entry.Selected = true;
  entry.SkillArea = area;
  return entry;
}

struct Listing {
  TReportConfig config;
  TPageRecorder printer;
  TReport360 report{config};
  bool Run(std::vector<TReportSourceEntry> sources, bool unrestricted) {
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kReportSkillArea;
    request.Sections = SectionBits({9});
    request.Unrestricted = unrestricted;
    request.Sources = std::move(sources);
    report.Prepare(request);
    return report.Generate();
  }
};

TEST(ReportSkillAreaTest, EachAreaListsItsQuestionsUnderItsOwnHeaderBar) {
  Listing listing;
  ASSERT_TRUE(listing.Run({Area("Listening", 3), Area("Coaching", 30)}, false));
  const TPageRecorder& p = listing.printer;
  EXPECT_EQ(p.PageOf("Listening"), 0);
  EXPECT_EQ(p.PageOf("Coaching"), 1);
  EXPECT_EQ(p.Count("Page 1"), 2) << "numbering restarts per area";
  EXPECT_GT(p.Find("3)"), p.Find("1)"));
  EXPECT_NE(p.Find("Coaching question 30"), -1);
  EXPECT_EQ(p.Find("First idea"), -1) << "suggestions only in the unrestricted mode";
  EXPECT_EQ(p.Find(listing.config.Text(TReportText::CategoryReportName)), -1);
  // Thirty questions with two lines each run onto a second page with the
  // same header bar.
  int coaching_bars = 0;
  for (const PageText& t : p.items)
    if (t.text == "Coaching" && t.font == 1) ++coaching_bars;
  EXPECT_GE(coaching_bars, 2);
}

TEST(ReportSkillAreaTest, UnrestrictedModeLettersTheSuggestions) {
  Listing listing;
  ASSERT_TRUE(listing.Run({Area("Listening", 2)}, true));
  const TPageRecorder& p = listing.printer;
  const int q1 = p.Find("Listening question 1");
  const int a = p.Find("a)");
  const int b = p.Find("b)");
  const int q2 = p.Find("Listening question 2");
  EXPECT_LT(q1, a);
  EXPECT_LT(a, b);
  EXPECT_LT(b, q2);
  EXPECT_EQ(p.Count("First idea"), 2);
}

TEST(ReportSkillAreaTest, AnAreaWithoutQuestionsProducesNothing) {
  Listing listing;
  EXPECT_FALSE(listing.Run({Area("Empty", 0)}, false));
  EXPECT_EQ(listing.report.GetErrorMessage(), "No valid data found to process");
}

}  // namespace
}  // namespace zelvora::testing
