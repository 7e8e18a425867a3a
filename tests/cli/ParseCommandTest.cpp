// zelvora360-cli parse through the real executable: the tree of the sample
// instrument, parse errors with their position, and bad usage.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

using RunResult = cli::TCliRun;

class ParseCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("parsecli-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  static std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static RunResult Run(const std::string& args) { return cli::RunCli(args); }
  static std::string Sample() {
    return std::string(ZELVORA_TESTDATA) + "/textformat/leadership.dat";
  }

  std::filesystem::path dir_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(ParseCommand, PrintsTheTreeOfTheSampleInstrument) {
  const RunResult result = Run("parse " + Sample());
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const auto lines = Lines(result.out);
  // One survey, 5 skill areas, 31 questions, 12 suggestions.
  ASSERT_EQ(lines.size(), 49u);
  EXPECT_EQ(lines[0], "TSurvey 41.100 \"Leadership Practices 360\"");
  EXPECT_EQ(lines[1], "  TSkillArea 41.101 order=0 \"Communication\"");
  EXPECT_EQ(lines[2], "    TQuestion 41.102 order=0 \"listen carefully before responding?\"");
  EXPECT_EQ(lines[3],
            "      TSuggestion 41.103 order=0 \"Practise summarising what the other person said "
            "before giving your own view.\"");
  EXPECT_EQ(lines[4],
            "      TSuggestion 41.104 order=1 \"Keep a meeting log of the times you interrupted "
            "and review it weekly.\"");
  EXPECT_EQ(lines[5], "    TQuestion 41.105 order=1 \"explain goals and priorities clearly?\"");
  EXPECT_EQ(lines.back(),
            "      TSuggestion 41.148 order=0 \"Invite a colleague from another department to one "
            "of your planning meetings.\"");
  // The file's Windows-1252 apostrophe comes out as UTF-8.
  EXPECT_NE(result.out.find("organisation\u2019s long-term goals?"), std::string::npos);
  int areas = 0;
  for (const auto& line : lines) areas += line.rfind("  TSkillArea ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(areas, 5);
}

TEST_F(ParseCommand, AFileWithoutItsLastEndFailsWithThePosition) {
  std::string text = Slurp(Sample());
  const auto last_end = text.rfind("end");
  ASSERT_NE(last_end, std::string::npos);
  text.erase(last_end, 3);
  std::ofstream(Path("truncated.dat"), std::ios::binary) << text;
  const RunResult result = Run("parse " + Path("truncated.dat"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "ParseIdents: Unknown token at row 406, col 0\n");
}

TEST_F(ParseCommand, ReportsOtherFormatErrorsAndMissingFiles) {
  std::ofstream(Path("bad.dat"), std::ios::binary) << "object TCompany\r\n  Nme 'Acme\r\nend\r\n";
  RunResult result = Run("parse " + Path("bad.dat"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "SetIdent: Invalid property at row 1, col 11\n");

  result = Run("parse " + Path("missing.dat"));
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("missing.dat"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");

  result = Run("parse " + dir_.string());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Cannot open file " + dir_.string() + ": it is a folder\n");
}

TEST_F(ParseCommand, PrintsCompaniesAndAnEmptyFile) {
  std::ofstream(Path("org.dat"), std::ios::binary)
      << "object TCompany\n  ID 11.1\n  Name 'Acme\n  object TDepartment\n    ID 11.2\n"
         "    Name 'Sales\n  end\nend\nobject TCompany\nend\n";
  RunResult result = Run("parse " + Path("org.dat"));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "TCompany 11.1 \"Acme\"\n"
            "  TDepartment 11.2 \"Sales\"\n"
            "TCompany 0.0 \"Company Name\"\n");

  std::ofstream(Path("empty.dat"), std::ios::binary) << "\r\n";
  result = Run("parse " + Path("empty.dat"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
}

TEST_F(ParseCommand, BadUsageExitsWithTwo) {
  EXPECT_EQ(Run("parse").status, 2);
  EXPECT_EQ(Run("parse a.dat b.dat").status, 2);
  EXPECT_EQ(Run("parse --strict " + Sample()).status, 2);
  const RunResult help = Run("parse --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: zelvora360-cli parse FILE", 0), 0u) << help.out;
}

}  // namespace
