// Re-importing the program's own company export never deletes answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliProcess.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

TEST(ImportSafetyCli, ReimportingTheCompanyExportKeepsEveryAnswer) {
  ScratchFolder scratch;
  const std::string data = scratch / "data";
  ASSERT_EQ(RunCliIn(scratch, {"--data", data, "demo"}).status, 0);
  ASSERT_EQ(RunCliIn(scratch, {"--data", data, "export", "COMPANIES.XML"}).status, 0);
  const std::string before = RunCliIn(scratch, {"--data", data, "tree"}).out;
  ASSERT_EQ(Count(before, "Score sheet "), 72u);

  const CliResult import = RunCliIn(scratch, {"--data", data, "import", data + "/COMPANIES.XML"});
  EXPECT_EQ(import.status, 1);
  EXPECT_NE(import.err.find("The company \"Northwind Logistics\" ("), std::string::npos)
      << import.err;
  EXPECT_NE(import.err.find(") was not replaced: replacing it would delete 6 subjects, 12 "
                            "experiences and 72 score sheets that the package does not hold."),
            std::string::npos)
      << import.err;
  EXPECT_EQ(RunCliIn(scratch, {"--data", data, "tree"}).out, before);

  // The same through the control file: noticed, the section done, nothing lost.
  fs::copy_file(data + "/COMPANIES.XML", data + "/AGAIN.XML");
  { std::ofstream(data + "/Update2.INI", std::ios::binary) << "[IMPORTS]\r\nAGAIN.XML\r\n"; }
  const CliResult update = RunCliIn(scratch, {"--data", data, "update"});
  EXPECT_EQ(update.status, 1);
  EXPECT_NE(update.err.find("was not replaced"), std::string::npos) << update.err;
  EXPECT_EQ(RunCliIn(scratch, {"--data", data, "tree"}).out, before);
}

}  // namespace
}  // namespace zelvora::testing
