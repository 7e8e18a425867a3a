// zelvora360-cli demo, tree and reindex through the real executable: the demo
// fills a new folder once, the tree shows it, the same tree comes back after
// every index file is deleted, and reindex reports keys and orphans.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

namespace fs = std::filesystem;

using DemoFolder = cli::TScratchFolder;

std::string Slurp(const fs::path& path) { return cli::ReadFileBytes(path); }

using CliRun = cli::TCliRun;

CliRun Cli(const DemoFolder&, const std::string& data, const std::string& command) {
  return cli::RunCli("--data " + cli::ShellQuote(data) + " " + command);
}

std::size_t CountLines(const std::string& text, const std::string& start) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    if (line.find_first_not_of(' ') != std::string::npos &&
        line.compare(line.find_first_not_of(' '), start.size(), start) == 0) {
      ++count;
    }
    at = end + 1;
  }
  return count;
}

TEST(DemoCommand, FillsANewFolderOnceAndTheTreeShowsIt) {
  DemoFolder folder;
  const std::string data = (folder.path() / "new data").string();
  const CliRun demo = Cli(folder, data, "demo");
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_NE(demo.out.find("72 completed score sheets"), std::string::npos) << demo.out;
  EXPECT_TRUE(demo.err.empty()) << demo.err;

  const CliRun tree = Cli(folder, data, "tree");
  ASSERT_EQ(tree.status, 0) << tree.err;
  const std::string& t = tree.out;
  EXPECT_EQ(CountLines(t, "Company "), 1u);
  EXPECT_EQ(CountLines(t, "Category "), 7u);
  EXPECT_EQ(CountLines(t, "Department "), 2u);
  EXPECT_EQ(CountLines(t, "Survey "), 3u);
  EXPECT_EQ(CountLines(t, "Subject "), 6u);
  EXPECT_EQ(CountLines(t, "Experience "), 12u);
  EXPECT_EQ(CountLines(t, "Score sheet "), 72u);
  EXPECT_EQ(CountLines(t, "Skill area "), 4u);
  EXPECT_EQ(CountLines(t, "Question "), 40u);
  EXPECT_GT(CountLines(t, "Suggestion "), 0u);
  EXPECT_GE(CountLines(t, "Rater "), 5u);
  EXPECT_NE(t.find("Category 6 \"Clients\""), std::string::npos);
  EXPECT_NE(t.find("(4 skill areas, 40 questions, completed sheets yes)"), std::string::npos);
  EXPECT_EQ(t.find(" open,"), std::string::npos);  // every sheet completed
  EXPECT_NE(t.find("completed, 80 answers"), std::string::npos);
  EXPECT_NE(t.find("\nLibrary surveys\n  Survey "), std::string::npos);
  EXPECT_NE(t.find("\nLibrary skill areas\n"), std::string::npos);

  // A second demo leaves the database as it is.
  const CliRun again = Cli(folder, data, "demo");
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("is not empty"), std::string::npos);
  EXPECT_EQ(Cli(folder, data, "tree").out, t);
}

TEST(DemoCommand, TheTreeIsTheSameAfterEveryIndexFileIsDeleted) {
  DemoFolder folder;
  const std::string data = (folder.path() / "db").string();
  ASSERT_EQ(Cli(folder, data, "demo").status, 0);
  const CliRun before = Cli(folder, data, "tree");
  ASSERT_EQ(before.status, 0);
  int removed = 0;
  for (const auto& entry : fs::directory_iterator(data)) {
    if (entry.path().extension() == ".IX") {
      fs::remove(entry.path());
      ++removed;
    }
  }
  EXPECT_EQ(removed, 10);
  const CliRun after = Cli(folder, data, "tree");
  ASSERT_EQ(after.status, 0) << after.err;
  EXPECT_EQ(after.out, before.out);
  EXPECT_TRUE(after.err.empty()) << after.err;  // missing indexes are rebuilt silently
}

TEST(DemoCommand, ReindexReportsKeysAndOrphans) {
  DemoFolder folder;
  const std::string data = (folder.path() / "db").string();
  ASSERT_EQ(Cli(folder, data, "demo").status, 0);
  CliRun reindex = Cli(folder, data, "reindex");
  EXPECT_EQ(reindex.status, 0) << reindex.err;
  EXPECT_NE(reindex.out.find("Every record was keyed again."), std::string::npos);
  EXPECT_NE(reindex.out.find("0 orphan records"), std::string::npos);

  // Kill the first experience record by hand: its six sheets are orphans.
  const fs::path experiences = fs::path(data) / "xp360b.DAT";
  std::string bytes = Slurp(experiences);
  ASSERT_GE(bytes.size(), 2u * 68u);
  bytes[68] = '\x01';
  std::ofstream(experiences, std::ios::binary | std::ios::trunc) << bytes;
  fs::remove(fs::path(data) / "xp360b.IX");
  reindex = Cli(folder, data, "reindex");
  EXPECT_EQ(reindex.status, 0) << reindex.err;
  EXPECT_NE(reindex.out.find("6 orphan records"), std::string::npos) << reindex.out;
  EXPECT_NE(reindex.out.find("Orphan TScoreSheet "), std::string::npos);
  // The tree still prints, without the lost experience.
  const CliRun tree = Cli(folder, data, "tree");
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_EQ(CountLines(tree.out, "Experience "), 11u);
}

TEST(DemoCommand, BadUsageAndBadFoldersFailWithAMessage) {
  DemoFolder folder;
  const std::string data = (folder.path() / "db").string();
  EXPECT_EQ(Cli(folder, data, "tree extra").status, 2);
  EXPECT_EQ(Cli(folder, data, "demo --fast").status, 2);
  EXPECT_EQ(Cli(folder, data, "reindex x").status, 2);
  // A data "folder" that is a file cannot hold a database.
  const std::string file = (folder.path() / "plain").string();
  std::ofstream(file) << "x";
  const CliRun run = Cli(folder, file, "tree");
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.err.empty());
}

}  // namespace
