// update, export and import through the real zelvora360-cli over the demo
// database: the exports it writes, packages applied in fresh data folders,
// the updates applied whenever a command opens the database, and a package
// failing in the middle.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "CliRunner.h"
#include "cli/CliProcess.h"

namespace {

namespace cli = zelvora::testing;

using Output = cli::TCliRun;

// Standard output and error together, in `out`.
Output RunCli(const std::string& args) {
  return cli::RunCli(args, {.env = "", .input = "/dev/null", .merge_err = true});
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The surveys of a "SURVEYS.XML" without the lines that a text package does
// not carry over as they were (IDs renumbered, dates to 7 decimals, the
// question lock, which the text format has no property for).
std::string WithoutIDsAndDates(const std::string& xml) {
  std::istringstream in(xml);
  std::string line;
  std::string out;
  while (std::getline(in, line)) {
    if (line.find("<ID>") != std::string::npos || line.find("<Date>") != std::string::npos ||
        line.find("<Locked>") != std::string::npos) {
      continue;
    }
    out += line + "\n";
  }
  return out;
}

// The elements of the list between the list's tags.
std::string ListBody(const std::string& xml) {
  const std::size_t first = xml.find("<TSurvey>");
  const std::size_t last = xml.rfind("</TSurvey>");
  if (first == std::string::npos || last == std::string::npos) return {};
  return xml.substr(first, last - first);
}

// The element of the survey named `name` in a list of surveys.
std::string SurveyElement(const std::string& xml, const std::string& name) {
  const std::size_t at = xml.find("<Name>" + name + "</Name>");
  if (at == std::string::npos) return {};
  const std::size_t first = xml.rfind("<TSurvey>", at);
  const std::size_t last = xml.find("</TSurvey>", at);
  if (first == std::string::npos || last == std::string::npos) return {};
  return xml.substr(first, last - first);
}

class UpdateCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path().string() + "/updatecli-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
           std::to_string(::getpid());
    std::filesystem::remove_all(dir_);
    for (const char* sub : {"/demo", "/a", "/b"}) std::filesystem::create_directories(dir_ + sub);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Data(const std::string& sub) const { return "--data " + dir_ + "/" + sub + " "; }
  std::string Path(const std::string& sub, const std::string& name) const {
    return dir_ + "/" + sub + "/" + name;
  }
  std::string dir_;
};

TEST_F(UpdateCli, DemoExportsImportIntoFreshFoldersAndSectionsEmpty) {
  ASSERT_EQ(RunCli(Data("demo") + "demo").status, 0);
  Output exported = RunCli(Data("demo") + "export SURVEYS SURVEYS.XML all.xml");
  ASSERT_EQ(exported.status, 0) << exported.out;
  for (const char* name : {"SURV1.DAT", "SURVEYS.XML", "ALL.XML"}) {
    EXPECT_TRUE(std::filesystem::exists(Path("demo", name))) << name;
  }
  const std::string demo_surveys = Read(Path("demo", "SURVEYS.XML"));
  ASSERT_FALSE(ListBody(demo_surveys).empty());

  // Folder a: the XML document in IMPORTS keeps IDs, names and texts.
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "SURVEYS.XML"));
  Write(Path("a", "Update2.INI"), "[IMPORTS]\r\nSURVEYS.XML\r\n");
  Output updated = RunCli(Data("a") + "update");
  ASSERT_EQ(updated.status, 0) << updated.out;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[IMPORTS]\r\n[SURVEYS]\r\n[EXPORTS]\r\n[REMOVE]\r\n");
  std::filesystem::remove(Path("a", "SURVEYS.XML"));
  ASSERT_EQ(RunCli(Data("a") + "export SURVEYS.XML").status, 0);
  const std::string a_surveys = Read(Path("a", "SURVEYS.XML"));
  EXPECT_NE(a_surveys.find("<Name>User Skill Areas</Name>"), std::string::npos);
  EXPECT_NE(a_surveys.find(ListBody(demo_surveys)), std::string::npos) << a_surveys;

  // Folder b: the scrambled text package in SURVEYS, renumbered IDs.
  Output scrambled = RunCli("scramble " + Path("demo", "SURV1.DAT") + " " + Path("b", "SURV1.DAT"));
  ASSERT_EQ(scrambled.status, 0) << scrambled.out;
  Write(Path("b", "Update2.INI"), "[SURVEYS]\r\nSURV1.DAT\r\n");
  // A command that may write applies the updates first.
  ASSERT_EQ(RunCli(Data("b") + "reindex").status, 0);
  Output tree = RunCli(Data("b") + "tree");
  ASSERT_EQ(tree.status, 0) << tree.out;
  EXPECT_NE(tree.out.find("\"Leadership Practices\""), std::string::npos) << tree.out;
  EXPECT_EQ(Read(Path("b", "Update2.INI")), "[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n");
  ASSERT_EQ(RunCli(Data("b") + "export SURVEYS.XML").status, 0);
  const std::string b_surveys = Read(Path("b", "SURVEYS.XML"));
  // "User Skill Areas" has no frequency labels, which a text package cannot
  // say: it comes back with the default ones. The other surveys come back
  // whole.
  for (const char* name : {"Leadership Practices", "Standard Skill Areas"}) {
    const std::string demo_survey = SurveyElement(WithoutIDsAndDates(demo_surveys), name);
    ASSERT_FALSE(demo_survey.empty()) << name;
    EXPECT_NE(WithoutIDsAndDates(b_surveys).find(demo_survey), std::string::npos) << name;
  }
  EXPECT_EQ(b_surveys.find(ListBody(demo_surveys)), std::string::npos);  // IDs differ
  EXPECT_TRUE(std::regex_search(b_surveys, std::regex("<ID>1\\.[0-9]+</ID>")));
}

// The bytes of every record file of a data folder, by name.
std::map<std::string, std::string> RecordFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".DAT") {
      files[entry.path().filename().string()] = Read(entry.path().string());
    }
  }
  return files;
}

TEST_F(UpdateCli, AFreshFolderGetsTheStarterLibraryOnce) {
  // Through the update command itself ...
  Output first = RunCli(Data("a") + "update");
  ASSERT_EQ(first.status, 0) << first.out;
  EXPECT_TRUE(first.out.empty()) << first.out;
  const std::string tree = RunCli(Data("a") + "tree").out;
  EXPECT_EQ(cli::Count(tree, "Survey 1.1000000 \"Standard Skill Areas\""), 1u) << tree;
  EXPECT_EQ(cli::Count(tree, "Survey 2.1 \"User Skill Areas\""), 1u) << tree;
  EXPECT_GE(cli::Count(tree, "\n    Skill area "), 12u);
  const auto stored = RecordFiles(dir_ + "/a");
  Output again = RunCli(Data("a") + "update");
  ASSERT_EQ(again.status, 0) << again.out;
  EXPECT_TRUE(RecordFiles(dir_ + "/a") == stored) << "a second start wrote records";
  EXPECT_EQ(RunCli(Data("a") + "tree").out, tree);

  // ... and through any writing command, before it does its own work.
  ASSERT_EQ(RunCli(Data("a") + "export SKILLAREAS.XML").status, 0);
  Output imported = RunCli(Data("b") + "import " + Path("a", "SKILLAREAS.XML"));
  ASSERT_EQ(imported.status, 0) << imported.out;
  EXPECT_EQ(RunCli(Data("b") + "tree").out, tree);
}

TEST_F(UpdateCli, FailingPackageKeepsItsSectionAndTheLaterOnes) {
  ASSERT_EQ(RunCli(Data("demo") + "demo").status, 0);
  ASSERT_EQ(RunCli(Data("demo") + "export SURVEYS.XML").status, 0);
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "SURVEYS.XML"));
  const std::string kept = "[IMPORTS]\r\nSURVEYS.XML\r\nMISSING.XML\r\n[REMOVE]\r\n2.1\r\n";
  Write(Path("a", "Update2.INI"), "[EXPORTS]\r\nSKILLAREAS\r\n" + kept);
  Output failed = RunCli(Data("a") + "update");
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.out.find("MISSING.XML"), std::string::npos) << failed.out;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[EXPORTS]\r\n" + kept + "[SURVEYS]\r\n");
  EXPECT_TRUE(std::filesystem::exists(Path("a", "SKIL1.DAT")));

  // Every other writer stops the same way until the package is there; a
  // reader only mentions the pending packages.
  Output reindex = RunCli(Data("a") + "reindex");
  EXPECT_EQ(reindex.status, 1) << reindex.out;
  Output tree = RunCli(Data("a") + "tree");
  EXPECT_EQ(tree.status, 0) << tree.out;
  EXPECT_NE(tree.out.find("names updates that have not been applied"), std::string::npos);
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "MISSING.XML"));
  Output done = RunCli(Data("a") + "update");
  EXPECT_EQ(done.status, 0) << done.out;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n[SURVEYS]\r\n");
  // REMOVE took the built-in survey; the demo survey is there.
  Output after = RunCli(Data("a") + "tree");
  EXPECT_EQ(after.out.find("User Skill Areas"), std::string::npos) << after.out;
  EXPECT_NE(after.out.find("Leadership Practices"), std::string::npos) << after.out;
}

TEST_F(UpdateCli, ImportCommandAndUsage) {
  ASSERT_EQ(RunCli(Data("demo") + "demo").status, 0);
  ASSERT_EQ(RunCli(Data("demo") + "export COMPANIES.XML SKILLAREAS.XML").status, 0);
  Output imported = RunCli(Data("a") + "import " + Path("demo", "COMPANIES.XML"));
  ASSERT_EQ(imported.status, 0) << imported.out;
  Output tree = RunCli(Data("a") + "tree");
  EXPECT_NE(tree.out.find("\"Northwind Logistics\""), std::string::npos) << tree.out;

  Output all = RunCli(Data("demo") + "export ALL.XML");
  ASSERT_EQ(all.status, 0);
  Output refused = RunCli(Data("a") + "import " + Path("demo", "ALL.XML"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("NewType: Unknown type"), std::string::npos) << refused.out;

  EXPECT_EQ(RunCli(Data("a") + "import " + Path("demo", "NONE.XML")).status, 1);
  EXPECT_EQ(RunCli(Data("a") + "import").status, 2);
  EXPECT_EQ(RunCli(Data("a") + "export").status, 2);
  Output unknown = RunCli(Data("a") + "export SURVEYS BOGUS");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("a", "SURV1.DAT")));
  EXPECT_EQ(RunCli(Data("a") + "update extra").status, 2);
}

}  // namespace
