// Navigation counters, cancelling and callbacks of the report base.
#include <gtest/gtest.h>

#include <string>

#include "PrTestPrinter.h"
#include "report/rptBase.h"

namespace zelvora {
namespace {

class CountingReport : public TReportBase {
 public:
  CountingReport() : TReportBase(3) {}
  void RenderPage() override { ++renders; }
  int renders = 0;
};

TEST(ReportBaseNavigation, PagesForwardUntilTheLastAndBack) {
  CountingReport r;
  EXPECT_EQ(r.ReportKind, 3);
  EXPECT_EQ(r.GetErrorMessage(), "Error creating report!");
  EXPECT_TRUE(r.HasNextPage);
  EXPECT_FALSE(r.HasPrevPage);
  r.NextPage();
  r.NextPage();
  EXPECT_EQ(r.CurrentPage, 2);
  EXPECT_TRUE(r.HasPrevPage);
  EXPECT_TRUE(r.HasNextPage);  // the last page is not known yet
  r.LastPage = 3;
  r.NextPage();
  r.NextPage();
  EXPECT_EQ(r.CurrentPage, 3);
  EXPECT_FALSE(r.HasNextPage);
  EXPECT_EQ(r.renders, 3);
  r.PrevPage();
  r.PrevPage();
  r.PrevPage();
  EXPECT_EQ(r.CurrentPage, 1);
  EXPECT_FALSE(r.HasPrevPage);
  EXPECT_EQ(r.renders, 5);
  r.RedrawPage();
  EXPECT_EQ(r.renders, 6);
  r.HasNextReport = true;
  r.UpdateNavigation();
  EXPECT_FALSE(r.HasNextReport);
}

TEST(ReportBaseCancel, AbortsThePrinterAndDropsCallbacks) {
  testing::TFixedPrinter printer;
  CountingReport r;
  r.SetPrinter(&printer);
  int calls = 0;
  r.SetNotifications([&](const std::string&, const std::string&, int, int, int) { ++calls; },
                     [&](const std::string&, const std::string&, int) { ++calls; },
                     [&](const std::string&, const std::string&, int) { ++calls; },
                     [&](const std::string&, const std::string&, int) { ++calls; });
  r.NotifyStart("t", "s", 0, 10, 0);
  r.NotifyProgress("", "", 1);
  r.NotifyPageProgress("", "", 1);
  r.NotifyEnd("t", "s", 10);
  EXPECT_EQ(calls, 4);
  r.Cancel();
  EXPECT_TRUE(r.Cancelled);
  EXPECT_TRUE(printer.Aborted);
  r.NotifyProgress("", "", 2);
  EXPECT_EQ(calls, 4);
  r.SetPrinter(&printer);
  EXPECT_FALSE(r.Cancelled);
  EXPECT_FALSE(r.Prepare(nullptr));
  EXPECT_TRUE(r.Generate());
  EXPECT_FALSE(r.NextReport());
}

TEST(ReportBaseFonts, ResetAndSelect) {
  testing::TFixedPrinter printer;
  CountingReport r;
  r.SetPrinter(&printer);
  printer.Fonts[3] = {"Arial", 10, "B", 255, 0};
  r.ResetFonts();
  EXPECT_EQ(printer.Fonts[3], (TPrinterFontSpec{"System", 12, "", 0, 0}));
  r.SelectFont(3);
  EXPECT_EQ(printer.CurrentFont, 3);
  r.SelectFont(-1);
  EXPECT_EQ(printer.CurrentFont, 3);
}

}  // namespace
}  // namespace zelvora
