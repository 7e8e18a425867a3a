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
#include <regex>
#include <sstream>
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
  ASSERT_EQ(exported.status, 0) << exported.text;
  for (const char* name : {"SURV1.DAT", "SURVEYS.XML", "ALL.XML"}) {
    EXPECT_TRUE(std::filesystem::exists(Path("demo", name))) << name;
  }
  const std::string demo_surveys = Read(Path("demo", "SURVEYS.XML"));
  ASSERT_FALSE(ListBody(demo_surveys).empty());

  // Folder a: the XML document in IMPORTS keeps IDs, names and texts.
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "SURVEYS.XML"));
  Write(Path("a", "Update2.INI"), "[IMPORTS]\r\nSURVEYS.XML\r\n");
  Output updated = RunCli(Data("a") + "update");
  ASSERT_EQ(updated.status, 0) << updated.text;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[IMPORTS]\r\n[SURVEYS]\r\n[EXPORTS]\r\n[REMOVE]\r\n");
  std::filesystem::remove(Path("a", "SURVEYS.XML"));
  ASSERT_EQ(RunCli(Data("a") + "export SURVEYS.XML").status, 0);
  const std::string a_surveys = Read(Path("a", "SURVEYS.XML"));
  EXPECT_NE(a_surveys.find("<Name>User Skill Areas</Name>"), std::string::npos);
  EXPECT_NE(a_surveys.find(ListBody(demo_surveys)), std::string::npos) << a_surveys;

  // Folder b: the scrambled text package in SURVEYS, renumbered IDs.
  Output scrambled = RunCli("scramble " + Path("demo", "SURV1.DAT") + " " + Path("b", "SURV1.DAT"));
  ASSERT_EQ(scrambled.status, 0) << scrambled.text;
  Write(Path("b", "Update2.INI"), "[SURVEYS]\r\nSURV1.DAT\r\n");
  // A command that may write applies the updates first.
  ASSERT_EQ(RunCli(Data("b") + "reindex").status, 0);
  Output tree = RunCli(Data("b") + "tree");
  ASSERT_EQ(tree.status, 0) << tree.text;
  EXPECT_NE(tree.text.find("\"Leadership Practices\""), std::string::npos) << tree.text;
  EXPECT_EQ(Read(Path("b", "Update2.INI")), "[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n");
  ASSERT_EQ(RunCli(Data("b") + "export SURVEYS.XML").status, 0);
  const std::string b_surveys = Read(Path("b", "SURVEYS.XML"));
  EXPECT_NE(WithoutIDsAndDates(b_surveys).find(ListBody(WithoutIDsAndDates(demo_surveys))),
            std::string::npos);
  EXPECT_EQ(b_surveys.find(ListBody(demo_surveys)), std::string::npos);  // IDs differ
  EXPECT_TRUE(std::regex_search(b_surveys, std::regex("<ID>1\\.[0-9]+</ID>")));
}

TEST_F(UpdateCli, FailingPackageKeepsItsSectionAndTheLaterOnes) {
  ASSERT_EQ(RunCli(Data("demo") + "demo").status, 0);
  ASSERT_EQ(RunCli(Data("demo") + "export SURVEYS.XML").status, 0);
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "SURVEYS.XML"));
  const std::string kept = "[IMPORTS]\r\nSURVEYS.XML\r\nMISSING.XML\r\n[REMOVE]\r\n2.1\r\n";
  Write(Path("a", "Update2.INI"), "[EXPORTS]\r\nSKILLAREAS\r\n" + kept);
  Output failed = RunCli(Data("a") + "update");
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.text.find("MISSING.XML"), std::string::npos) << failed.text;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[EXPORTS]\r\n" + kept + "[SURVEYS]\r\n");
  EXPECT_TRUE(std::filesystem::exists(Path("a", "SKIL1.DAT")));

  // Every other writer stops the same way until the package is there; a
  // reader only mentions the pending packages.
  Output reindex = RunCli(Data("a") + "reindex");
  EXPECT_EQ(reindex.status, 1) << reindex.text;
  Output tree = RunCli(Data("a") + "tree");
  EXPECT_EQ(tree.status, 0) << tree.text;
  EXPECT_NE(tree.text.find("names updates that have not been applied"), std::string::npos);
  std::filesystem::copy_file(Path("demo", "SURVEYS.XML"), Path("a", "MISSING.XML"));
  Output done = RunCli(Data("a") + "update");
  EXPECT_EQ(done.status, 0) << done.text;
  EXPECT_EQ(Read(Path("a", "Update2.INI")), "[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n[SURVEYS]\r\n");
  // REMOVE took the built-in survey; the demo survey is there.
  Output after = RunCli(Data("a") + "tree");
  EXPECT_EQ(after.text.find("User Skill Areas"), std::string::npos) << after.text;
  EXPECT_NE(after.text.find("Leadership Practices"), std::string::npos) << after.text;
}

TEST_F(UpdateCli, ImportCommandAndUsage) {
  ASSERT_EQ(RunCli(Data("demo") + "demo").status, 0);
  ASSERT_EQ(RunCli(Data("demo") + "export COMPANIES.XML SKILLAREAS.XML").status, 0);
  Output imported = RunCli(Data("a") + "import " + Path("demo", "COMPANIES.XML"));
  ASSERT_EQ(imported.status, 0) << imported.text;
  Output tree = RunCli(Data("a") + "tree");
  EXPECT_NE(tree.text.find("\"Northwind Logistics\""), std::string::npos) << tree.text;

  Output all = RunCli(Data("demo") + "export ALL.XML");
  ASSERT_EQ(all.status, 0);
  Output refused = RunCli(Data("a") + "import " + Path("demo", "ALL.XML"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.text.find("NewType: Unknown type"), std::string::npos) << refused.text;

  EXPECT_EQ(RunCli(Data("a") + "import " + Path("demo", "NONE.XML")).status, 1);
  EXPECT_EQ(RunCli(Data("a") + "import").status, 2);
  EXPECT_EQ(RunCli(Data("a") + "export").status, 2);
  Output unknown = RunCli(Data("a") + "export SURVEYS BOGUS");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("a", "SURV1.DAT")));
  EXPECT_EQ(RunCli(Data("a") + "update extra").status, 2);
}

}  // namespace
