// disk-read through the real zelvora360-cli over the demo survey disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

using Result = cli::TCliRun;

// Standard output and error together.
Result RunCli(const std::string& args) {
  return cli::RunCli(args, {.env = "", .input = "/dev/null", .merge_err = true});
}

TEST(DiskReadCli, PrintsTheDemoDisk) {
  Result r = RunCli(std::string("disk-read ") + ZELVORA_TESTDATA + "/xml/dtf-demo.xml");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out,
            "Company: Acme\n"
            "Department: Sales\n"
            "Survey: Leadership Practices 360\n"
            "Subject: Pat Example\n"
            "Experience date: 2025-11-29\n"
            "Reference #: 300\n"
            "Category: Boss\n"
            "Completed: No\n"
            "Answers:\n"
            "  1) 3 4  Listens to others\n"
            "  2) 2 5  Explains decisions & <reasons>\n");
}

TEST(DiskReadCli, DamagedMissingAndUsage) {
  const std::string dir = std::filesystem::temp_directory_path().string() + "/diskreadcli-" +
                          std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/bad.xml") << "<DOCUMENT><TScoreSheet></TScoreSheets></DOCUMENT>";
  Result bad = RunCli("disk-read " + dir + "/bad.xml");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "invalid closing tag\nexpecting /TScoreSheet, found /TScoreSheets\n");
  Result missing = RunCli("disk-read " + dir + "/missing.xml");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "No such element\n");
  std::ofstream(dir + "/bare.xml")
      << "<D><TScoreSheet><AnswersBuf>1,0,2</AnswersBuf></TScoreSheet></D>";
  Result bare = RunCli("disk-read " + dir + "/bare.xml");
  EXPECT_EQ(bare.status, 0);
  EXPECT_NE(bare.out.find("Answers: 1,0,2\n"), std::string::npos) << bare.out;
  EXPECT_EQ(RunCli("disk-read").status, 2);
  std::filesystem::remove_all(dir);
}

}  // namespace
