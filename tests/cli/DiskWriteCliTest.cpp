// disk-write through the real zelvora360-cli over a demo database, read back
// with disk-read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

namespace {

struct Output {
  int status = -1;
  std::string text;  // standard output and error
};

Output RunCli(const std::string& args) {
  Output result;
  std::string command = std::string(ZELVORA_CLI) + " " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buf;
  std::size_t got;
  while ((got = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
    result.text.append(buf.data(), got);
  int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
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
  ASSERT_EQ(tree.status, 0) << tree.text;
  std::smatch found;
  ASSERT_TRUE(std::regex_search(
      tree.text, found, std::regex("Score sheet (-?[0-9]+\\.-?[0-9]+) \"[^\"]*\" category 1 ")))
      << tree.text;
  const std::string sheet_id = found[1];
  const std::string file = dir_ + "/dtf.xml";
  Output written = RunCli(Data() + "disk-write " + sheet_id + " " + file);
  ASSERT_EQ(written.status, 0) << written.text;
  Output read = RunCli("disk-read " + file);
  ASSERT_EQ(read.status, 0) << read.text;
  const std::string serial = sheet_id.substr(sheet_id.find('.') + 1);
  EXPECT_NE(read.text.find("\nReference #: " + serial + "\n"), std::string::npos) << read.text;
  EXPECT_NE(read.text.find("\nCategory: Boss\n"), std::string::npos) << read.text;
  EXPECT_NE(read.text.find("\nCompleted: Yes\n"), std::string::npos) << read.text;
  EXPECT_NE(read.text.find("\n  40) "), std::string::npos) << read.text;  // 40 questions
}

TEST_F(DiskWriteCli, UnknownSheetAndBadUsage) {
  ASSERT_EQ(RunCli(Data() + "demo").status, 0);
  const std::string file = dir_ + "/dtf.xml";
  Output missing = RunCli(Data() + "disk-write 99.99 " + file);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.text, "No score sheet has the ID 99.99\n");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(RunCli(Data() + "disk-write 12 " + file).status, 2);
  EXPECT_EQ(RunCli(Data() + "disk-write 1.2").status, 2);
}

}  // namespace
