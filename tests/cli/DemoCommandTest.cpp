// zelvora360-cli demo, tree and reindex through the real executable: the demo
// fills a new folder once, the tree shows it, the same tree comes back after
// every index file is deleted, and reindex reports keys and orphans.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

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
  // The demo's survey, its two department copies and the two built-in
  // library surveys a first start adds, which come first in the library.
  EXPECT_EQ(CountLines(t, "Survey "), 5u);
  EXPECT_EQ(CountLines(t, "Subject "), 6u);
  EXPECT_EQ(CountLines(t, "Experience "), 12u);
  EXPECT_EQ(CountLines(t, "Score sheet "), 72u);
  const std::size_t library = t.find("\nLibrary surveys\n");
  ASSERT_NE(library, std::string::npos);
  const std::string tail = t.substr(library);
  const std::size_t user = tail.find("  Survey 2.1 \"User Skill Areas\"");
  const std::size_t standard = tail.find("  Survey 1.1000000 \"Standard Skill Areas\"");
  const std::size_t own = tail.find("\"Leadership Practices\"");
  EXPECT_LT(user, own);
  EXPECT_LT(standard, own);
  // The starter library holds at least 12 areas of 8 questions or more.
  EXPECT_GE(CountLines(tail, "Skill area "), 4u + 12u);
  EXPECT_GE(CountLines(tail, "Question "), 40u + 12u * 8u);
  EXPECT_NE(demo.out.find("built-in library survey \"Standard Skill Areas\" ("), std::string::npos)
      << demo.out;
  EXPECT_GT(CountLines(t, "Suggestion "), 0u);
  EXPECT_GE(CountLines(t, "Rater "), 5u);
  EXPECT_NE(t.find("Category 6 \"Clients\""), std::string::npos);
  EXPECT_NE(t.find("(4 skill areas, 40 questions, completed sheets yes)"), std::string::npos);
  EXPECT_EQ(t.find(" open,"), std::string::npos);  // every sheet completed
  EXPECT_NE(t.find("completed, 80 answers"), std::string::npos);
  EXPECT_NE(t.find("\nLibrary skill areas\n"), std::string::npos);

  // A second demo leaves the database as it is.
  const CliRun again = Cli(folder, data, "demo");
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("is not empty"), std::string::npos);
  EXPECT_EQ(Cli(folder, data, "tree").out, t);
}

TEST(DemoCommand, AFolderHoldingOnlyTheBuiltInSurveysTakesTheDemo) {
  DemoFolder folder;
  const std::string data = (folder.path() / "started").string();
  ASSERT_EQ(Cli(folder, data, "update").status, 0);
  const CliRun demo = Cli(folder, data, "demo");
  ASSERT_EQ(demo.status, 0) << demo.err;
  const std::string t = Cli(folder, data, "tree").out;
  EXPECT_EQ(CountLines(t, "Survey 2.1 "), 1u);
  EXPECT_EQ(CountLines(t, "Survey 1.1000000 "), 1u);
  EXPECT_EQ(CountLines(t, "Experience "), 12u);
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

// The integer in column `column` of a CSV row.
int Column(const std::string& row, int column) {
  std::size_t at = 0;
  for (int c = 0; c < column; ++c) at = row.find(',', at) + 1;
  return std::atoi(row.c_str() + at);
}

TEST(DemoCommand, TheAnswersShowEveryFeatureOfTheReports) {
  DemoFolder folder;
  const std::string data = (folder.path() / "db").string();
  ASSERT_EQ(Cli(folder, data, "demo").status, 0);
  const std::string tree = Cli(folder, data, "tree").out;

  // Two departments, each with its own copy of the survey; every subject
  // has two experiences, a year apart.
  const std::regex department_survey(R"(\n  Department \S+ "[^"]+"\n    Survey (\S+) )");
  std::set<std::string> copies;
  for (auto it = std::sregex_iterator(tree.begin(), tree.end(), department_survey);
       it != std::sregex_iterator(); ++it)
    copies.insert((*it)[1]);
  EXPECT_EQ(copies.size(), 2u);
  const std::regex experience(R"(Experience (\S+) (\S+) subject (\S+) )");
  std::map<std::string, std::vector<std::string>> by_subject;
  for (auto it = std::sregex_iterator(tree.begin(), tree.end(), experience);
       it != std::sregex_iterator(); ++it)
    by_subject[(*it)[3]].push_back((*it)[1]);
  ASSERT_EQ(by_subject.size(), 6u);
  for (const auto& [subject, ids] : by_subject) EXPECT_EQ(ids.size(), 2u) << subject;

  // Over one subject's later experience: gaps of 3 and 4, negative gaps,
  // and a category whose every pair is negative.
  const std::string later = by_subject.begin()->second[1];
  const fs::path csv = folder.path() / "results.csv";
  const CliRun results =
      Cli(folder, data, "results --select " + later + " --csv '" + csv.string() + "'");
  ASSERT_EQ(results.status, 0) << results.err;
  const std::string table = Slurp(csv);
  int gap3 = 0, gap4 = 0, negative = 0, not_applicable = 0;
  std::size_t at = table.find('\n') + 1;
  while (at < table.size()) {
    const std::size_t end = table.find('\n', at);
    const std::string row = table.substr(at, end - at);
    gap3 += Column(row, 9);
    gap4 += Column(row, 10);
    negative += Column(row, 5);
    if (row.find(",N/A") != std::string::npos) ++not_applicable;
    at = end + 1;
  }
  EXPECT_GT(gap3, 0);
  EXPECT_GT(gap4, 0);
  EXPECT_GT(negative, 0);
  EXPECT_GT(not_applicable, 0);

  // The Overview marks the practices with large gaps.
  const fs::path pdf = folder.path() / "overview.pdf";
  const CliRun report =
      Cli(folder, data, "report --sections 3 --select " + later + " --pdf '" + pdf.string() + "'");
  ASSERT_EQ(report.status, 0) << report.err;
  const fs::path text = folder.path() / "overview.txt";
  ASSERT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text.string() + "'").c_str()), 0);
  EXPECT_NE(Slurp(text).find("Check"), std::string::npos);
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
