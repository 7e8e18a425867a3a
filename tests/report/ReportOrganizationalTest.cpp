// The Organizational report: one page set per common category, rows per
// selected department, skill areas (section 6) before items (section 7), and
// the department check.
#include <gtest/gtest.h>

#include "ReportTestPrinter.h"

namespace zelvora::testing {
namespace {

struct Org {
  TReportConfig config;
  TPageRecorder printer;
  TReportData data{2, 2};
  TReport360 report{config};
  bool Run(std::vector<TReportDepartment> departments) {
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kReportOrganizational;
    request.Sections = SectionBits({6, 7});
    request.Departments = std::move(departments);
    for (const char* department : {"Sales", "Support", "Sales"}) {
      auto e =
          data.Experience(department, {TReportData::Sheet(0, 1, 4), TReportData::Sheet(1, 2, 4)});
      e->Experience.DepartmentName = department;
      request.Sources.push_back(Selected(e));
    }
    report.Prepare(request);
    return report.Generate();
  }
};

TEST(ReportOrganizationalTest, CategoriesAreasThenItemsWithDepartmentRows) {
  Org org;
  ASSERT_TRUE(org.Run({{"Sales", true}, {"Support", true}, {"Legal", false}}));
  const TPageRecorder& p = org.printer;
  const int areas = p.Find("RESPONSES BY SKILL AREA");
  const int items = p.Find("RESPONSES BY ITEM");
  ASSERT_GE(areas, 0);
  EXPECT_GT(items, areas);
  // Self and Boss: two pages per section.
  EXPECT_EQ(p.Count("RESPONSES BY SKILL AREA"), 2);
  EXPECT_EQ(p.Count("RESPONSES BY ITEM"), 2);
  EXPECT_EQ(p.Count("Organization"), 4) << "in the page heading's name position";
  EXPECT_EQ(p.Find("Legal"), -1);
  const int area1 = p.Find("Area 1");
  EXPECT_LT(area1, p.Find("Sales", static_cast<std::size_t>(area1)));
  EXPECT_LT(p.Find("Sales", static_cast<std::size_t>(area1)),
            p.Find("Support", static_cast<std::size_t>(area1)));
  EXPECT_NE(p.Find("4)", static_cast<std::size_t>(items)), -1);
  EXPECT_NE(p.Find(" 2.00"), -1) << "the Boss rows";
  EXPECT_EQ(p.PageOf("SKILL AREA FEEDBACK"), 0);
}

TEST(ReportOrganizationalTest, NeedsASelectedDepartment) {
  Org org;
  EXPECT_FALSE(org.Run({{"Sales", false}}));
  EXPECT_EQ(org.report.GetErrorMessage(), "You must have at least one department to average");
  EXPECT_EQ(org.printer.pages, 0);
}

}  // namespace
}  // namespace zelvora::testing
