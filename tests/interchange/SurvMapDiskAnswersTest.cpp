// Writing a rater's answers back into a survey-disk document: only the
// sheet's Date, answers, completed flag and edit count change; everything
// else, the category name included, keeps its bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "DB/Survobj.h"
#include "interchange/SurvMap.h"
#include "interchange/SurvMapTestDemo.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

std::string Slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text of an element, found by its opening tag.
std::string Element(const std::string& text, const std::string& name) {
  const std::size_t start = text.find("<" + name + ">");
  const std::size_t end = text.find("</" + name + ">", start);
  if (start == std::string::npos || end == std::string::npos) return "(missing)";
  return text.substr(start + name.size() + 2, end - start - name.size() - 2);
}

class SurvMapDiskAnswers : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("survmapanswers-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path() const { return (dir_ / "dtf.xml").string(); }
  std::filesystem::path dir_;
};

TEST_F(SurvMapDiskAnswers, OnlyTheSheetsAnswerElementsChange) {
  DemoChain demo;
  TSurveyMapper::WriteSurveyDisk(Path(), *demo.sheet);
  const std::string before = Slurp(Path());

  TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(Path());
  TScoreSheet& sheet = *disk.ScoreSheet;
  sheet.AnswersBuf.fill(0);
  sheet.AnswersBuf[0] = 5;
  sheet.AnswersBuf[229] = -1;
  sheet.Completed = true;
  sheet.AnswersEdited = 2;
  sheet.Date = 46000.25;
  TSurveyMapper::WriteSurveyDiskAnswers(Path(), sheet);
  const std::string after = Slurp(Path());

  EXPECT_EQ(Element(after, "Completed"), "1");
  EXPECT_EQ(Element(after, "AnswersEdited"), "2");
  EXPECT_EQ(Element(after, "Date"), "46000.25");  // the sheet's is the first Date
  const std::string answers = Element(after, "AnswersBuf");
  EXPECT_EQ(answers.substr(0, 4), "5,0,");
  EXPECT_EQ(answers.substr(answers.size() - 3), ",-1");
  EXPECT_EQ(Element(after, "RaterCategory"), "Boss");
  // Everything from the experience on is as it was.
  EXPECT_EQ(after.substr(after.find("<TExperience>")), before.substr(before.find("<TExperience>")));
  EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp~"));

  TSurveyDiskObjects back = TSurveyMapper::ReadSurveyDisk(Path());
  EXPECT_EQ(back.ScoreSheet->AnswersBuf, sheet.AnswersBuf);
  EXPECT_TRUE(back.ScoreSheet->Completed);
  EXPECT_EQ(back.CategoryName, "Boss");
}

TEST_F(SurvMapDiskAnswers, AMissingOrDamagedDocumentIsLeftAlone) {
  DemoChain demo;
  EXPECT_THROW(TSurveyMapper::WriteSurveyDiskAnswers(Path(), *demo.sheet), EXmlException);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  std::ofstream(Path(), std::ios::binary) << "<DOCUMENT><TScoreSheet>";
  EXPECT_THROW(TSurveyMapper::WriteSurveyDiskAnswers(Path(), *demo.sheet), EXmlException);
  EXPECT_EQ(Slurp(Path()), "<DOCUMENT><TScoreSheet>");
}

}  // namespace
}  // namespace zelvora
