// The Training report: landscape pages, question columns in groups, the
// participants of a page repeated for each further group before the next
// participants follow, and the totals after the last participant.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

class TOrientationRecorder : public TPageRecorder {
 public:
  std::vector<int> orientations;
  void StartPage() override {
    TPageRecorder::StartPage();
    orientations.push_back(Orientation);
  }
};

TEST(ReportTrainingTest, ColumnGroupsRepeatTheParticipantsOfEachPage) {
  TReportConfig config;
  TOrientationRecorder printer;
  TReportData data(1, 40);  // 40 questions: 15 columns a page give three groups
  TReport360 report(config);
  report.SetPrinter(&printer);
  TReportRequest request;
  request.Kind = kReportTraining;
  request.Sections = SectionBits({8});
  request.Options = kOptTitlePage;
  for (int i = 0; i < 60; ++i) {
    auto e = data.Experience("P" + std::to_string(100 + i), {TReportData::Sheet(1, i % 3, 40)});
    request.Sources.push_back(Selected(e));
  }
  ASSERT_TRUE(report.Prepare(request));
  ASSERT_TRUE(report.Generate());
  for (const int o : printer.orientations) EXPECT_EQ(o, 1);
  EXPECT_EQ(printer.Orientation, 0) << "back to portrait after the run";
  EXPECT_NE(printer.Find("Training Report"), -1) << "title page";
  // Group pages: Q1 begins groups 1, Q16 group 2, Q31 group 3.
  std::vector<int> group_of_page(static_cast<std::size_t>(printer.pages), -1);
  for (const PageText& t : printer.items) {
    if (t.text == "Q1") group_of_page[static_cast<std::size_t>(t.page)] = 0;
    if (t.text == "Q16") group_of_page[static_cast<std::size_t>(t.page)] = 1;
    if (t.text == "Q31") group_of_page[static_cast<std::size_t>(t.page)] = 2;
    EXPECT_NE(t.text, "Q41");
  }
  // Pages after the title cycle through the three groups, each group's page
  // listing the same participants.
  int chunks = 0;
  for (int page = 1; page + 2 < printer.pages; page += 3) {
    ASSERT_EQ(group_of_page[static_cast<std::size_t>(page)], 0) << page;
    ASSERT_EQ(group_of_page[static_cast<std::size_t>(page + 1)], 1) << page;
    ASSERT_EQ(group_of_page[static_cast<std::size_t>(page + 2)], 2) << page;
    std::vector<std::vector<std::string>> names(3);
    for (const PageText& t : printer.items)
      if (t.text.size() == 4 && t.text[0] == 'P' && t.page >= page && t.page < page + 3)
        names[static_cast<std::size_t>(t.page - page)].push_back(t.text);
    EXPECT_FALSE(names[0].empty());
    EXPECT_EQ(names[0], names[1]);
    EXPECT_EQ(names[0], names[2]);
    ++chunks;
  }
  EXPECT_GE(chunks, 2) << "60 participants need more than one page";
  EXPECT_EQ((printer.pages - 1) % 3, 0);
  // The totals come once per group, on the last participants' pages.
  EXPECT_EQ(printer.Count("Totals:"), 3);
  EXPECT_GE(printer.PageOf("Totals:"), printer.pages - 3);
  EXPECT_NE(printer.Find("Boss"), -1) << "the category in the name position";
}

TEST(ReportTrainingTest, NoCompletedSheetsGivesTheGapMessage) {
  TReportConfig config;
  TPageRecorder printer;
  TReportData data(1, 2);
  TReport360 report(config);
  report.SetPrinter(&printer);
  TReportRequest request;
  request.Kind = kReportTraining;
  request.Sections = SectionBits({8});
  request.Sources = {Selected(data.Experience("Pat", {}))};
  report.Prepare(request);
  EXPECT_FALSE(report.Generate());
  EXPECT_EQ(report.GetErrorMessage(), "No data found to process");
}

}  // namespace
}  // namespace zelvora::testing
