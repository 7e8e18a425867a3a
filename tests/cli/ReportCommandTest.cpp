// zelvora360-cli report and results over the demo database, through the real
// executable: the PDF's text in section order, the CSV table, and the
// failures that exit 1 or 2.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One demo database for the whole suite; the commands only read it.
class ReportCommandTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (fs::temp_directory_path() / "zelvora-report-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = new fs::path(pattern);
    ASSERT_EQ(Cli("demo").status, 0);
    const CliRun tree = Cli("tree");
    const std::regex experience(R"(Experience (\d+\.\d+) )");
    for (auto it = std::sregex_iterator(tree.out.begin(), tree.out.end(), experience);
         it != std::sregex_iterator(); ++it)
      experiences_->push_back((*it)[1]);
    ASSERT_GE(experiences_->size(), 2u);
    const std::regex survey(R"(\n *Survey (\d+\.\d+) )");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(tree.out, match, survey));
    *survey_ = match[1];
    const std::regex sheet(R"(Score sheet (\d+\.\d+) )");
    ASSERT_TRUE(std::regex_search(tree.out, match, sheet));
    *sheet_ = match[1];
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(*folder_, ec);
    delete folder_;
  }

  static CliRun Cli(const std::string& command, const std::string& data = "db") {
    const fs::path out = *folder_ / "stdout.txt";
    const fs::path err = *folder_ / "stderr.txt";
    const std::string line = std::string(ZELVORA_CLI) + " --data '" + (*folder_ / data).string() +
                             "' " + command + " >'" + out.string() + "' 2>'" + err.string() + "'";
    CliRun run;
    const int raw = std::system(line.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Slurp(out);
    run.err = Slurp(err);
    return run;
  }
  static std::string PdfText(const fs::path& pdf) {
    const fs::path txt = *folder_ / "pdf.txt";
    const std::string line = "pdftotext '" + pdf.string() + "' '" + txt.string() + "'";
    if (std::system(line.c_str()) != 0) return {};
    return Slurp(txt);
  }

  static fs::path* folder_;
  static std::vector<std::string>* experiences_;
  static std::string* survey_;
  static std::string* sheet_;
};

std::string* ReportCommandTest::survey_ = new std::string;
std::string* ReportCommandTest::sheet_ = new std::string;

fs::path* ReportCommandTest::folder_ = nullptr;
std::vector<std::string>* ReportCommandTest::experiences_ = new std::vector<std::string>;

TEST_F(ReportCommandTest, IndividualWithTitlePageWritesPdfWithSectionsInOrder) {
  const fs::path pdf = *folder_ / "individual.pdf";
  const CliRun run = Cli("report --kind individual --select " + experiences_->at(1) +
                         " --title-page --pdf '" + pdf.string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Wrote "), std::string::npos);
  const std::string text = PdfText(pdf);
  ASSERT_FALSE(text.empty());
  const std::size_t title = text.find("Northwind Logistics");
  const std::size_t page1 = text.find("Page 1");
  const std::size_t category = text.find("CATEGORY REPORT");
  const std::size_t practices = text.find("INDIVIDUAL PRACTICES REPORT");
  const std::size_t overview = text.find("OVERVIEW REPORT");
  const std::size_t summary = text.find("SUMMARY REPORT");
  ASSERT_NE(title, std::string::npos);
  ASSERT_NE(page1, std::string::npos);
  EXPECT_LT(title, category);
  EXPECT_LT(category, practices);
  EXPECT_LT(practices, overview);
  EXPECT_LT(overview, summary);
  EXPECT_EQ(text.find("Page 0"), std::string::npos);
}

TEST_F(ReportCommandTest, PngPagesAndChosenSections) {
  const fs::path dir = *folder_ / "pages";
  const CliRun run = Cli("report --select " + experiences_->at(0) + " --sections 1 --png-dir '" +
                         dir.string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(dir / "page-1.png"));
}

TEST_F(ReportCommandTest, CompositeOfOneExperienceFailsWithTheGeneratorsMessage) {
  const fs::path pdf = *folder_ / "composite.pdf";
  const CliRun run = Cli("report --kind composite --select " + experiences_->at(0) + " --pdf '" +
                         pdf.string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("You must have at least two experiences to average"), std::string::npos);
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ReportCommandTest, BadUsageAndUnknownExperience) {
  EXPECT_EQ(Cli("report --select 1.2").status, 2) << "no output named";
  EXPECT_EQ(Cli("report --select nonsense --pdf x.pdf").status, 2);
  EXPECT_EQ(Cli("report --kind weekly --select 1.2 --pdf x.pdf").status, 2);
  EXPECT_EQ(Cli("report --sections 0 --select 1.2 --pdf x.pdf").status, 2);
  const CliRun missing =
      Cli("report --select 999.999 --pdf '" + (*folder_ / "m.pdf").string() + "'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("No experience 999.999"), std::string::npos);
}

TEST_F(ReportCommandTest, ResultsTableHasHeaderAreaAndQuestionRows) {
  const fs::path csv = *folder_ / "results.csv";
  const CliRun run = Cli("results --select " + experiences_->at(0) + "," + experiences_->at(1) +
                         " --csv '" + csv.string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string table = Slurp(csv);
  EXPECT_EQ(table.rfind("Kind,Number,Text,Category,N,R,Gap 0,Gap 1,Gap 2,Gap 3,Gap 4,Gap -1,"
                        "Gap -2,Gap -3,Gap -4,Average,Group,Tag\n",
                        0),
            0u);
  EXPECT_NE(table.find("\nSkill area,1,"), std::string::npos);
  EXPECT_NE(table.find("\nQuestion,1,"), std::string::npos);
  // Every row has the eighteen columns (no text in the demo holds a comma).
  std::size_t at = 0;
  while (at < table.size()) {
    const std::size_t end = table.find('\n', at);
    const std::string line = table.substr(at, end - at);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 17) << line;
    at = end + 1;
  }
  EXPECT_EQ(Cli("results --select " + experiences_->at(0)).status, 2);
}

TEST_F(ReportCommandTest, ResultsCoverEveryKindNamedInTheKindColumn) {
  const std::string two = experiences_->at(0) + "," + experiences_->at(1);
  struct Row {
    const char* kind;
    std::string select;
    const char* first_column;
  };
  const Row rows[] = {
      {"individual", experiences_->at(1), "\nNeed,"},
      {"composite", two, "\nSummary,"},
      {"training", two, "\nTraining total,"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    const fs::path csv = *folder_ / "kind.csv";
    const CliRun run = Cli(std::string("results --kind ") + row.kind + " --select " + row.select +
                           " --csv '" + csv.string() + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Slurp(csv).find(row.first_column), std::string::npos);
  }
  EXPECT_EQ(Cli("results --kind weekly --select " + two + " --csv x.csv").status, 2);
  const CliRun refused = Cli("results --kind organizational --select " + two + " --csv '" +
                             (*folder_ / "org.csv").string() + "'");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("You must have at least one department to average"),
            std::string::npos);
  const CliRun help = Cli("results --help");
  for (const char* kind : {"Strength", "Need", "Summary", "Comparative", "Organizational item",
                           "Training total", "Kind,Number"})
    EXPECT_NE(help.out.find(kind), std::string::npos) << kind;
}

TEST_F(ReportCommandTest, ReportsUseTheSettingsFileOfTheDataFolder) {
  std::error_code ec;
  fs::remove_all(*folder_ / "configured", ec);
  fs::copy(*folder_ / "db", *folder_ / "configured", fs::copy_options::recursive);
  {
    std::ofstream ini(*folder_ / "configured" / "Korrin2.INI", std::ios::binary);
    ini << "[CATEGORY REPORT]\r\nREPORTNAME=TEAM VIEW BY CATEGORY\r\n";
  }
  const fs::path pdf = *folder_ / "configured.pdf";
  const CliRun run =
      Cli("report --sections 1 --select " + experiences_->at(1) + " --pdf '" + pdf.string() + "'",
          "configured");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("TEAM VIEW BY CATEGORY"), std::string::npos) << text;
  EXPECT_EQ(text.find("CATEGORY REPORT"), std::string::npos);
}

TEST_F(ReportCommandTest, CopiesAreWrittenIntoThePdf) {
  const fs::path one = *folder_ / "one.pdf";
  const fs::path three = *folder_ / "three.pdf";
  const std::string select = "report --sections 1 --select " + experiences_->at(1);
  const CliRun single = Cli(select + " --pdf '" + one.string() + "'");
  const CliRun copies = Cli(select + " --copies 3 --pdf '" + three.string() + "'");
  ASSERT_EQ(single.status, 0) << single.err;
  ASSERT_EQ(copies.status, 0) << copies.err;
  const std::string a = PdfText(one);
  const std::string b = PdfText(three);
  auto count = [](const std::string& text, const std::string& needle) {
    int n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count(b, "Page 1"), 3 * count(a, "Page 1"));
  EXPECT_EQ(count(b, "CATEGORY REPORT"), 3 * count(a, "CATEGORY REPORT"));
  EXPECT_EQ(Cli(select + " --copies 0 --pdf x.pdf").status, 2);
  EXPECT_EQ(Cli(select + " --copies many --pdf x.pdf").status, 2);
}

TEST_F(ReportCommandTest, BlankAndRaterFormsWithReturnDate) {
  const fs::path blank = *folder_ / "blank.pdf";
  const CliRun run = Cli("report --kind blank-forms --self --select " + *survey_ +
                         " --return-date 2099-01-31 --pdf '" + blank.string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string text = PdfText(blank);
  EXPECT_NE(text.find("RETURN BY"), std::string::npos);
  EXPECT_NE(text.find("1/31/2099"), std::string::npos);
  EXPECT_NE(text.find("Name:"), std::string::npos);
  EXPECT_NE(text.find("Choose ONE in EACH Column"), std::string::npos);
  const fs::path rater = *folder_ / "rater.pdf";
  const CliRun form = Cli("report --kind rater-forms --reference --select " + *sheet_ + " --pdf '" +
                          rater.string() + "'");
  ASSERT_EQ(form.status, 0) << form.err;
  const std::string rater_text = PdfText(rater);
  EXPECT_NE(rater_text.find("Reference Number: " + *sheet_), std::string::npos);
  EXPECT_NE(rater_text.find("AS SOON AS POSSIBLE"), std::string::npos);
  EXPECT_EQ(Cli("report --kind blank-forms --select " + *survey_ +
                " --return-date 2099-13-01 --pdf x.pdf")
                .status,
            2);
  EXPECT_EQ(Cli("report --kind blank-forms --select " + *sheet_ + " --pdf '" +
                (*folder_ / "none.pdf").string() + "'")
                .status,
            1)
      << "a score sheet's ID names no survey";
}

}  // namespace
