// zelvora360-cli backup and restore through the real executable: a round
// trip over several small disks, running out of disks in either direction,
// a disk that is not empty, and usage errors.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "CliRunner.h"

namespace {

namespace fs = std::filesystem;

class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "zelvora-bkcli-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

using Result = zelvora::testing::TCliRun;

Result RunCli(const Scratch&, const std::string& args) { return zelvora::testing::RunCli(args); }

std::string Q(const std::string& s) { return "'" + s + "'"; }

// "disk1 disk2 ... diskN" under the scratch folder, each created.
std::string Disks(const Scratch& s, int from, int to) {
  std::string list;
  for (int n = from; n <= to; ++n) {
    fs::create_directories(s / ("disk" + std::to_string(n)));
    list += " " + Q(s / ("disk" + std::to_string(n)));
  }
  return list;
}

// The tree without the lines of built-in objects (origins 0 to 10), which
// every database makes for itself and no backup carries.
std::string WithoutBuiltIns(const std::string& tree) {
  static const std::regex kBuiltIn(R"(^\s*[A-Za-z ]+ (10|[0-9])\.[0-9]+ )");
  std::istringstream in(tree);
  std::string kept;
  for (std::string line; std::getline(in, line);) {
    if (!std::regex_search(line, kBuiltIn)) kept += line + "\n";
  }
  return kept;
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class BackupRestoreCli : public ::testing::Test {
 protected:
  void SetUp() override {
    Result demo = RunCli(s, "--data " + Q(s / "source") + " demo");
    ASSERT_EQ(demo.status, 0) << demo.err;
  }
  Scratch s;
};

TEST_F(BackupRestoreCli, ARoundTripOverSmallDisksGivesTheSameTree) {
  Result backup =
      RunCli(s, "--data " + Q(s / "source") + " backup --disk-size 4500" + Disks(s, 1, 30));
  ASSERT_EQ(backup.status, 0) << backup.err;
  EXPECT_EQ(
      backup.out.rfind("Preparing database for backup...\nSaving backup data...\nBackup of ", 0),
      0u)
      << backup.out;
  int used = 0;
  while (fs::exists(s / ("disk" + std::to_string(used + 1)) + "/Backup" + std::to_string(used + 1)))
    ++used;
  ASSERT_GE(used, 3);
  EXPECT_NE(backup.out.find(" written to " + std::to_string(used) + " disks.\n"),
            std::string::npos);

  Result restore = RunCli(s, "--data " + Q(s / "target") + " restore" + Disks(s, 1, used));
  ASSERT_EQ(restore.status, 0) << restore.err;
  EXPECT_NE(restore.out.find(
                "Reading backup data...\nUncompressing data. . .\nImporting backup data...\n"),
            std::string::npos)
      << restore.out;
  EXPECT_FALSE(fs::exists(s / "target/BkRest"));

  Result source_tree = RunCli(s, "--data " + Q(s / "source") + " tree");
  Result target_tree = RunCli(s, "--data " + Q(s / "target") + " tree");
  ASSERT_EQ(source_tree.status, 0);
  EXPECT_NE(source_tree.out.find("Score sheet"), std::string::npos);
  EXPECT_EQ(WithoutBuiltIns(target_tree.out), WithoutBuiltIns(source_tree.out));

  Result again = RunCli(s, "--data " + Q(s / "target") + " restore" + Disks(s, 1, used));
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_NE(again.out.find("\n0 records restored from " + std::to_string(used) + " disks.\n"),
            std::string::npos)
      << again.out;
}

TEST_F(BackupRestoreCli, RunningOutOfDisksStopsWithThePromptAndExit1) {
  Result backup =
      RunCli(s, "--data " + Q(s / "source") + " backup --disk-size 4500" + Disks(s, 1, 2));
  EXPECT_EQ(backup.status, 1);
  EXPECT_EQ(backup.err,
            "Please insert the next blank\nbackup disk into drive " + (s / "disk2") + "\n");
  // What a Cancel leaves: the current disk emptied, the work archive gone.
  EXPECT_EQ(Names(s / "disk1"), (std::set<std::string>{"Backup1", "Bk360.b1"}));
  EXPECT_TRUE(Names(s / "disk2").empty());
  EXPECT_FALSE(fs::exists(s / "source/bk360.cmp"));

  // A full set, then a restore given too few of its disks.
  for (int n = 1; n <= 2; ++n) fs::remove_all(s / ("disk" + std::to_string(n)));
  ASSERT_EQ(
      RunCli(s, "--data " + Q(s / "source") + " backup --disk-size 4500" + Disks(s, 1, 30)).status,
      0);
  Result restore = RunCli(s, "--data " + Q(s / "target") + " restore" + Disks(s, 1, 1));
  EXPECT_EQ(restore.status, 1);
  EXPECT_EQ(restore.err,
            "Please insert 360\xC2\xB0 backup\ndisk 2 into drive " + (s / "disk1") + ":\n");
  Result tree = RunCli(s, "--data " + Q(s / "target") + " tree");
  EXPECT_EQ(tree.out.find("Company"), std::string::npos) << tree.out;
}

TEST_F(BackupRestoreCli, BadDisksAndBadCommandLines) {
  struct Row {
    const char* name;
    std::string args;
    int status;
    std::string err;  // the start of standard error
  };
  fs::create_directories(s / "used");
  std::ofstream(s / "used/file.txt") << "x";
  const std::vector<Row> rows = {
      {"a disk with files", "backup " + Q(s / "used"), 1,
       "Please use a disk which contains\nno files on it for this backup.\n"},
      {"no such disk", "backup " + Q(s / "nowhere"), 1,
       "Drive " + (s / "nowhere") +
           " is invalid or not ready.\nCorrect the problem and then retry.\n"},
      {"not a backup disk", "restore " + Q(s / "used"), 1,
       "Please insert 360\xC2\xB0 backup\ndisk 1 into drive " + (s / "used") + ":\n"},
      {"no disk", "backup", 2, "zelvora360-cli backup: backup needs at least one DISK\n"},
      {"a bad size", "backup --disk-size 12k " + Q(s / "used"), 2,
       "zelvora360-cli backup: --disk-size needs a positive number of bytes\n"},
      {"restore without disk", "restore", 2,
       "zelvora360-cli restore: restore needs at least one DISK\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Result r = RunCli(s, "--data " + Q(s / "source") + " " + row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << r.err;
  }
  EXPECT_EQ(Names(s / "used"), (std::set<std::string>{"file.txt"}));
}

}  // namespace
