// wizard, disk-make, disk-import and rater-add through the real
// zelvora360-cli over a demo database with one open score sheet added.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "CliRunner.h"
#include "UI/model/PasswordStore.h"

namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

using Output = zelvora::testing::TCliRun;

class AnswersCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path().string() + "/answerscli-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
           std::to_string(::getpid());
    fs::remove_all(dir_);
    fs::create_directories(dir_ + "/disk");
    ASSERT_EQ(Run("demo").status, 0);
    const std::string tree = Run("tree").out;
    std::smatch found;
    ASSERT_TRUE(std::regex_search(tree, found, std::regex("Experience ([0-9.]+) ")));
    experience_ = found[1];
    ASSERT_TRUE(std::regex_search(
        tree, found, std::regex("Score sheet ([0-9.]+) \"[^\"]*\" category 1 completed")));
    completed_boss_ = found[1];
    const Output added = Run("rater-add " + experience_ + " Peer Nora Quinn");
    ASSERT_EQ(added.status, 0) << added.out;
    ASSERT_TRUE(std::regex_search(added.out, found, std::regex("Score sheet ([0-9.]+): ")));
    open_ = found[1];
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Standard output and error together, in `out`; `script` on standard input.
  Output Run(const std::string& args, const std::string& script = "") {
    zelvora::testing::TCliOptions options;
    options.merge_err = true;
    if (!script.empty()) {
      std::ofstream(dir_ + "/script.txt") << script;
      options.input = dir_ + "/script.txt";
    }
    return zelvora::testing::RunCli("--data " + dir_ + "/data " + args, options);
  }
  std::string Disk() const { return dir_ + "/disk"; }
  std::string Serial(const std::string& id) const { return id.substr(id.find('.') + 1); }
  // The open sheet's line of the tree.
  std::string OpenSheetLine() {
    const std::string tree = Run("tree").out;
    const std::size_t at = tree.find("Score sheet " + open_ + " ");
    return at == std::string::npos ? "" : tree.substr(at, tree.find('\n', at) - at);
  }

  std::string dir_, experience_, completed_boss_, open_;
};

TEST_F(AnswersCli, WizardScriptAnswersAndSaves) {
  std::string script = "next\n";
  for (int q = 1; q <= 40; ++q) script += "key 2\nkey 4\nnext\n";
  script += "next\n";  // Save
  const Output run = Run("wizard " + open_, script);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out.rfind("page start\npage question 1 of 40\npage question 2 of 40\n", 0), 0u)
      << run.out;
  EXPECT_NE(run.out.find("page question 40 of 40\npage finish\nsaved\n"), std::string::npos);
  EXPECT_NE(OpenSheetLine().find("completed, 80 answers"), std::string::npos) << OpenSheetLine();

  // Completed and not Self: read-only from now on.
  const Output again = Run("wizard " + open_, "next\ncurrent 1\nnext\n");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out,
            "page start\nread-only\npage question 1 of 40\ninfo: Survey is Read-Only\n"
            "page question 2 of 40\nnot saved\n");
}

TEST_F(AnswersCli, ACompletedSheetOpensOnlyAfterTheViewPassword) {
  zelvora::TPasswordStore store(dir_ + "/data/" + zelvora::TPasswordStore::kFileName,
                                zelvora::TPasswordCost::Fastest());
  store.Load();
  store.Set(zelvora::TPasswordItem::View, "secret");
  const std::string prompt = "password: Enter View/Edit Password:\n";

  // A wrong password is asked again; anything but a password line cancels.
  const Output refused = Run("wizard " + completed_boss_, "password wrong\nnext\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, prompt + prompt + "not opened\n");

  const Output opened = Run("wizard " + completed_boss_, "password wrong\npassword secret\n");
  EXPECT_EQ(opened.status, 0) << opened.out;
  EXPECT_EQ(opened.out.rfind(prompt + prompt + "page start\n", 0), 0u) << opened.out;
}

TEST_F(AnswersCli, WizardMessagesQuestionsAndTheEndOfTheScript) {
  const Output run = Run("wizard " + open_, "next\ncurrent 4\nexpected 2\nok\nback\nnext\n" +
                                                Repeat("next\n", 39) + "next\nno\n");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("info: Your response indicated you want the person to \"Do Less\" "
                         "\\nof the behavior."),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("question: One of the questions has not been answered.\\nDo you want "
                         "to continue without answering it?\npage question 2 of 40\n"),
            std::string::npos)
      << run.out;
  // The script ended before Save: nothing is kept.
  EXPECT_TRUE(run.out.ends_with("not saved\n"));
  EXPECT_NE(OpenSheetLine().find("open, 0 answers"), std::string::npos) << OpenSheetLine();
}

TEST_F(AnswersCli, WizardRefusesBadScriptsAndSheets) {
  struct Row {
    const char* name;
    std::string args, script;
    int status;
  } rows[] = {
      {"unknown command", "wizard " + open_, "jump\n", 2},
      {"item out of range", "wizard " + open_, "next\nkey 6\n", 2},
      {"answer without a question", "wizard " + open_, "yes\n", 2},
      {"unknown sheet", "wizard 99.99", "", 1},
      {"no sheet", "wizard", "", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Run(row.args, row.script).status, row.status);
  }
  EXPECT_NE(OpenSheetLine().find("open, 0 answers"), std::string::npos);
}

TEST_F(AnswersCli, DiskMakeAndImportRoundTrip) {
  const Output none = Run("disk-make --disk " + Disk() + " " + completed_boss_);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "info: No Raters with open score sheets selected\n");

  const Output made = Run("disk-make --disk " + Disk() + " " + completed_boss_ + " " + open_);
  ASSERT_EQ(made.status, 0) << made.out;
  const std::string entry = "Nora Quinn (" + Serial(open_) + ", Peer)";
  EXPECT_EQ(made.out, "made: " + entry + "\nDisks to Make:\nCompleted Disks: " + entry + "\n");
  EXPECT_TRUE(fs::exists(Disk() + "/zelvora360-rater"));

  const Output again = Run("disk-make --disk " + Disk() + " " + open_);
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.out.find("already contains a survey\\nDo you want to overwrite it? -> no"),
            std::string::npos);
  EXPECT_EQ(Run("disk-make --overwrite --disk " + Disk() + " " + open_).status, 0);

  // Not answered yet.
  const Output incomplete = Run("disk-import --disk " + Disk());
  EXPECT_EQ(incomplete.status, 1);
  EXPECT_NE(incomplete.out.find("Reference #: " + Serial(open_) +
                                "\nCategory: Peer\n"
                                "Status: Survey Incomplete\n"),
            std::string::npos)
      << incomplete.out;

  // Answer it as the rater program does: completed, every answer 3 and 5.
  std::ifstream in(Disk() + "/dtf.xml", std::ios::binary);
  std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string answers;
  for (int i = 0; i < 230; ++i)
    answers += (i ? "," : "") + std::string(i < 80 ? (i % 2 ? "5" : "3") : "0");
  xml = std::regex_replace(xml, std::regex("<AnswersBuf>[^<]*</AnswersBuf>"),
                           "<AnswersBuf>" + answers + "</AnswersBuf>");
  xml = std::regex_replace(xml, std::regex("<Completed>0</Completed>"), "<Completed>1</Completed>",
                           std::regex_constants::format_first_only);
  std::ofstream(Disk() + "/dtf.xml", std::ios::binary) << xml;

  const Output saved = Run("disk-import --disk " + Disk());
  ASSERT_EQ(saved.status, 0) << saved.out;
  EXPECT_NE(saved.out.find("Status: Survey Complete\ninfo: Survey Saved Successfully.\n"),
            std::string::npos)
      << saved.out;
  EXPECT_NE(OpenSheetLine().find("category 3 completed, 80 answers"), std::string::npos)
      << OpenSheetLine();
  const Output twice = Run("disk-import --disk " + Disk());
  EXPECT_EQ(twice.status, 1);
  EXPECT_NE(twice.out.find("info: Survey already completed.\n"), std::string::npos);

  // Into a chosen sheet: that one is completed already too.
  const Output chosen = Run("disk-import --disk " + Disk() + " --sheet " + completed_boss_);
  EXPECT_EQ(chosen.status, 1);
  EXPECT_NE(chosen.out.find("info: Survey already completed.\n"), std::string::npos);
  EXPECT_EQ(Run("disk-import --disk " + dir_ + "/nothing").out, "Status: Not a Survey Disk\n");
}

TEST_F(AnswersCli, RaterAddRefusals) {
  EXPECT_EQ(Run("rater-add " + experience_ + " Peer NORA quinn").status, 1);
  EXPECT_EQ(Run("rater-add " + experience_ + " Self Somebody").status, 1);
  EXPECT_EQ(Run("rater-add " + experience_ + " Nobody Somebody").status, 1);
  EXPECT_EQ(Run("rater-add 99.99 Peer Somebody").status, 1);
  EXPECT_EQ(Run("rater-add " + experience_ + " Peer").status, 2);
}

}  // namespace
