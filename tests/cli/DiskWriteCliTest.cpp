// disk-write through the real zelvora360-cli over a demo database, read back
// with disk-read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

using Output = cli::TCliRun;

// Standard output and error together, in `out`.
Output RunCli(const std::string& args) {
  return cli::RunCli(args, {.env = "", .input = "/dev/null", .merge_err = true});
}

class DiskWriteCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path().string() + "/diskwritecli-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
           std::to_string(::getpid());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ + "/data");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Data() const { return "--data " + dir_ + "/data "; }
  std::string dir_;
};

TEST_F(DiskWriteCli, WritesTheDiskOfADemoSheetThatReadsBack) {
  ASSERT_EQ(RunCli(Data() + "demo").status, 0);
  Output tree = RunCli(Data() + "tree");
  ASSERT_EQ(tree.status, 0) << tree.out;
  std::smatch found;
  ASSERT_TRUE(std::regex_search(
      tree.out, found, std::regex("Score sheet (-?[0-9]+\\.-?[0-9]+) \"[^\"]*\" category 1 ")))
      << tree.out;
  const std::string sheet_id = found[1];
  const std::string file = dir_ + "/dtf.xml";
  Output written = RunCli(Data() + "disk-write " + sheet_id + " " + file);
  ASSERT_EQ(written.status, 0) << written.out;
  Output read = RunCli("disk-read " + file);
  ASSERT_EQ(read.status, 0) << read.out;
  const std::string serial = sheet_id.substr(sheet_id.find('.') + 1);
  EXPECT_NE(read.out.find("\nReference #: " + serial + "\n"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("\nCategory: Boss\n"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("\nCompleted: Yes\n"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("\n  40) "), std::string::npos) << read.out;  // 40 questions
}

TEST_F(DiskWriteCli, UnknownSheetAndBadUsage) {
  ASSERT_EQ(RunCli(Data() + "demo").status, 0);
  const std::string file = dir_ + "/dtf.xml";
  Output missing = RunCli(Data() + "disk-write 99.99 " + file);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "No score sheet has the ID 99.99\n");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(RunCli(Data() + "disk-write 12 " + file).status, 2);
  EXPECT_EQ(RunCli(Data() + "disk-write 1.2").status, 2);
}

}  // namespace
