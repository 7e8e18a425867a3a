// The specimen pages: two pages in their orientations, with every object's
// text readable from the PDF.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "report/PrSpecimen.h"

namespace zelvora {
namespace {

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

TEST(PrSpecimen, RecordsAPortraitAndALandscapePage) {
  TDelphiScreen printer(std::make_shared<TSystemPrinter>(600));
  const TReportConfig config;
  DrawSpecimen(printer, config);
  ASSERT_EQ(printer.Pages().Count(), 2);
  EXPECT_EQ(printer.Pages().Get(0).Orientation(), 0);
  EXPECT_EQ(printer.Pages().Get(1).Orientation(), 1);
  EXPECT_FALSE(printer.Aborted);
  // The footer of the last page left the page bottom above its band and line.
  EXPECT_LT(printer.PageBottom, 7750 - 300);

  QTemporaryDir dir;
  const std::string pdf = dir.filePath("specimen.pdf").toStdString();
  printer.Pages().SaveAsPdf(pdf);
  const std::string text = Shell("pdftotext -q '" + pdf + "' -");
  for (const char* expected :
       {"360 FEEDBACK", "Leadership Practices Survey", "Zelvora Demo Company", "STRENGTHS / OTHERS",
        "Page 1", "1)", "3)", "SUMMARY FEEDBACK", "RESPONSES FROM OTHERS", "Page 2",
        "Answer bubbles"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_LT(text.find("Page 1"), text.find("Page 2"));
}

}  // namespace
}  // namespace zelvora
