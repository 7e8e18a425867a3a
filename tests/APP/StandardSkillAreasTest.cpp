// The starter library "Standard Skill Areas" shipped as "STDSKILL.DAT": its
// content (counts, field widths, phrasing that follows the question
// prefixes, the writer's own layout) and its application at start-up: once,
// with its IDs and locked questions, never over a database that has it, and
// only a notice when the file is missing or damaged.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "APP/UpdProcess.h"
#include "DB/MemoryDB.h"
#include "DB/RecordLayouts.h"
#include "DB/Survobj.h"
#include "TempFolder.h"
#include "interchange/Parser.h"
#include "interchange/Unparser.h"

namespace zelvora {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

const std::string kShareFolder = std::string(ZELVORA_SOURCE_DIR) + "/share";
const std::string kPackage = kShareFolder + "/" + kStandardSkillAreasFileName;

std::unique_ptr<TSurvey> ParsePackage() {
  std::ifstream in(kPackage, std::ios::binary);
  EXPECT_TRUE(in) << kPackage;
  TParser parser(in);
  parser.DoParse();
  auto objects = parser.TakeObjects();
  EXPECT_EQ(objects.size(), 1u);
  if (objects.empty() || objects[0]->Kind() != okSurvey) return nullptr;
  return std::unique_ptr<TSurvey>(static_cast<TSurvey*>(objects[0].release()));
}

// A record of `length` bytes holding the object, read back.
template <class T, class Decode>
std::unique_ptr<T> ThroughRecord(const T& object, Decode decode, int fileblock) {
  std::vector<unsigned char> record(
      static_cast<std::size_t>(FileblockInfo(fileblock).RecordLength));
  EncodeRecord(object, TObjectID{1, 1}, record);
  return decode(record);
}

TEST(StandardSkillAreasPackage, ParsesAndEveryTextFitsItsField) {
  const auto survey = ParsePackage();
  ASSERT_NE(survey, nullptr);
  EXPECT_EQ(survey->Name, "Standard Skill Areas");
  EXPECT_EQ(survey->ID.Origin, 1);
  EXPECT_EQ(survey->State, osBuiltOutside);
  EXPECT_EQ(survey->AnsPerQ, 2);
  const auto stored = ThroughRecord(*survey, DecodeSurvey, fbSurvey);
  EXPECT_EQ(stored->Name, survey->Name);
  EXPECT_EQ(stored->Author, survey->Author);
  EXPECT_FALSE(survey->Author.empty());

  std::set<std::string> ids{survey->ID.Text()};
  const TSkillArea defaults;
  TSkillAreaList& areas = survey->SkillAreas();
  for (int a = 0; a < areas.Count(); ++a) {
    TSkillArea& area = *areas.Items(a);
    SCOPED_TRACE(area.Name);
    EXPECT_EQ(area.Order, a);  // positions start at 0, as lists number them
    EXPECT_TRUE(ids.insert(area.ID.Text()).second) << area.ID.Text();
    EXPECT_EQ(area.ID.Origin, 1);
    const auto stored_area = ThroughRecord(area, DecodeSkillArea, fbSkillArea);
    EXPECT_EQ(stored_area->Name, area.Name);
    EXPECT_EQ(area.QuestPrefix, defaults.QuestPrefix);
    TQuestionList& questions = area.Questions();
    for (int q = 0; q < questions.Count(); ++q) {
      TQuestion& question = *questions.Items(q);
      const std::string& text = question.QuestionText;
      SCOPED_TRACE(text);
      EXPECT_EQ(question.Order, q);
      EXPECT_TRUE(ids.insert(question.ID.Text()).second) << question.ID.Text();
      EXPECT_EQ(ThroughRecord(question, DecodeQuestion, fbQuestion)->QuestionText, text);
      // Read after "How often do you" or "How often does this person".
      ASSERT_GE(text.size(), 2u);
      EXPECT_TRUE(text.front() >= 'a' && text.front() <= 'z');
      EXPECT_EQ(text.back(), '?');
      TSuggestionList& suggestions = question.Suggestions();
      for (int s = 0; s < suggestions.Count(); ++s) {
        TSuggestion& suggestion = *suggestions.Items(s);
        EXPECT_EQ(suggestion.Order, s);
        EXPECT_TRUE(ids.insert(suggestion.ID.Text()).second) << suggestion.ID.Text();
        EXPECT_EQ(ThroughRecord(suggestion, DecodeSuggestion, fbSuggestion)->SuggestionText,
                  suggestion.SuggestionText);
        EXPECT_FALSE(suggestion.SuggestionText.empty());
      }
    }
  }
  for (const std::string& id : ids) EXPECT_EQ(id.rfind("1.", 0), 0u) << id;
}

TEST(StandardSkillAreasPackage, CountsHold) {
  const auto survey = ParsePackage();
  ASSERT_NE(survey, nullptr);
  TSkillAreaList& areas = survey->SkillAreas();
  EXPECT_GE(areas.Count(), 12);
  std::set<std::string> names;
  std::set<std::string> texts;
  for (int a = 0; a < areas.Count(); ++a) {
    TSkillArea& area = *areas.Items(a);
    SCOPED_TRACE(area.Name);
    EXPECT_TRUE(names.insert(area.Name).second);
    TQuestionList& questions = area.Questions();
    EXPECT_GE(questions.Count(), 8);
    EXPECT_LE(questions.Count(), 12);
    for (int q = 0; q < questions.Count(); ++q) {
      TQuestion& question = *questions.Items(q);
      SCOPED_TRACE(question.QuestionText);
      EXPECT_TRUE(texts.insert(question.QuestionText).second);
      EXPECT_GE(question.Suggestions().Count(), 1);
      EXPECT_LE(question.Suggestions().Count(), 3);
    }
  }
}

TEST(StandardSkillAreasPackage, IsLaidOutAsTheWriterWritesIt) {
  const auto survey = ParsePackage();
  ASSERT_NE(survey, nullptr);
  testing::TempFolder folder;
  {
    TUnparser writer(folder.File("again.dat"), false);
    writer.DoUnparse(*survey);
    writer.Close();
  }
  EXPECT_TRUE(ReadBytes(folder.File("again.dat")) == ReadBytes(kPackage));
}

// Everything of the library surveys that an application could change.
std::vector<std::string> LibraryLines() {
  TDataRoot root;
  std::vector<std::string> lines;
  TSurveyList& surveys = root.LibrarySurveys();
  for (int i = 0; i < surveys.Count(); ++i) {
    TSurvey& survey = *surveys.Items(i);
    lines.push_back(survey.ID.Text() + " " + survey.Name + " " + std::to_string(survey.Date));
    TQuestionList& questions = survey.Questions();
    for (int q = 0; q < questions.Count(); ++q) {
      TQuestion& question = *questions.Items(q);
      lines.push_back(question.ID.Text() + (question.Locked ? " locked " : " ") +
                      std::to_string(question.Date) + " " +
                      std::to_string(question.Suggestions().Count()));
    }
  }
  return lines;
}

class StandardSkillAreasStart : public ::testing::Test {
 protected:
  void SetUp() override { db_->Open(); }

  // Starts over with an empty database (another installation).
  void FreshDatabase(std::int32_t origin) {
    db_.reset();
    db_ = std::make_unique<TMemoryDB>(origin, 1);
    db_->Open();
  }

  void Start(std::vector<std::string> folders = {kShareFolder}) {
    TUpdateProcessor(
        folder_.path().string(), [this](const std::string& text) { notices_.push_back(text); },
        std::move(folders))
        .ProcessUpdates();
  }
  TSurvey* Library(TDataRoot& root, const std::string& name) {
    TSurveyList& surveys = root.LibrarySurveys();
    for (int i = 0; i < surveys.Count(); ++i) {
      if (surveys.Items(i)->Name == name) return surveys.Items(i);
    }
    return nullptr;
  }

  testing::TempFolder folder_;
  std::unique_ptr<TMemoryDB> db_ = std::make_unique<TMemoryDB>(4242, 1);
  std::vector<std::string> notices_;
};

TEST_F(StandardSkillAreasStart, AFreshDatabaseGetsItOnceWithItsIDsAndLockedQuestions) {
  Start();
  EXPECT_TRUE(notices_.empty());
  const auto package = ParsePackage();
  ASSERT_NE(package, nullptr);
  {
    TDataRoot root;
    ASSERT_EQ(root.LibrarySurveys().Count(), 2);
    EXPECT_EQ(root.LibrarySurveys().Items(0)->ID, kUserSkillAreasID);
    TSurvey* standard = Library(root, "Standard Skill Areas");
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->ID, package->ID);
    EXPECT_EQ(standard->SkillAreas().Count(), package->SkillAreas().Count());
    TQuestionList& questions = standard->Questions();
    ASSERT_EQ(questions.Count(), package->Questions().Count());
    for (int q = 0; q < questions.Count(); ++q) {
      EXPECT_EQ(questions.Items(q)->ID, package->Questions().Items(q)->ID);
      EXPECT_TRUE(questions.Items(q)->Locked) << questions.Items(q)->QuestionText;
      EXPECT_EQ(questions.Items(q)->Suggestions().Count(),
                package->Questions().Items(q)->Suggestions().Count());
    }
  }
  const std::vector<std::string> first = LibraryLines();
  Start();
  EXPECT_EQ(LibraryLines(), first);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(StandardSkillAreasStart, ADatabaseThatHasItIsLeftAlone) {
  Start();
  {
    // Renamed under the unrestricted word: the same instrument all the same.
    TDataRoot root;
    TSurvey* standard = Library(root, "Standard Skill Areas");
    ASSERT_NE(standard, nullptr);
    standard->Name = "Our Skill Areas";
    standard->Date += 1;
    standard->Save();
  }
  const std::vector<std::string> renamed = LibraryLines();
  Start();
  EXPECT_EQ(LibraryLines(), renamed);

  // A library survey of that name, of any ID, counts as having it.
  FreshDatabase(4343);
  {
    TDataRoot root;
    auto own = std::make_unique<TSurvey>();
    own->Name = "Standard Skill Areas";
    root.LibrarySurveys().Adopt(std::move(own));
  }
  const std::vector<std::string> own = LibraryLines();
  Start();
  EXPECT_EQ(LibraryLines(), own);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(StandardSkillAreasStart, AMissingOrDamagedPackageIsANoticeAndTheStartGoesOn) {
  struct Row {
    const char* name;
    std::string content;  // empty: no file at all
    const char* notice;
  };
  const std::vector<Row> rows = {
      {"missing", "", "was not found"},
      {"damaged", "object TSurvey\r\n  Colour 'red\r\nend\r\n", "SetIdent: Invalid property"},
      {"another survey", "object TSurvey\r\n  ID 1.5\r\n  Name 'Other\r\nend\r\n",
       "holds no built-in"},
      {"not built-in", "object TSurvey\r\n  ID 77.5\r\n  Name 'Standard Skill Areas\r\nend\r\n",
       "holds no built-in"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FreshDatabase(4444);
    testing::TempFolder share;
    if (!row.content.empty()) WriteBytes(share.File(kStandardSkillAreasFileName), row.content);
    WriteBytes(folder_.File("Update2.INI"), "[REMOVE]\r\n9.9\r\n");
    notices_.clear();
    Start({share.path().string()});
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_NE(notices_[0].find(row.notice), std::string::npos) << notices_[0];
    TDataRoot root;
    ASSERT_EQ(root.LibrarySurveys().Count(), 1);
    EXPECT_EQ(root.LibrarySurveys().Items(0)->ID, kUserSkillAreasID);
    // The control file's sections were still worked through.
    EXPECT_EQ(ReadBytes(folder_.File("Update2.INI")),
              "[REMOVE]\r\n[SURVEYS]\r\n[EXPORTS]\r\n[IMPORTS]\r\n");
  }
}

TEST_F(StandardSkillAreasStart, TheFirstFolderHoldingThePackageIsUsedAndNoFoldersMeansNone) {
  testing::TempFolder empty;
  const TUpdateProcessor processor(folder_.path().string(), nullptr,
                                   {empty.path().string(), kShareFolder, empty.path().string()});
  EXPECT_EQ(processor.FindStandardSkillAreasPackage(),
            (std::filesystem::path(kShareFolder) / kStandardSkillAreasFileName).string());
  Start({});
  EXPECT_TRUE(notices_.empty());
  TDataRoot root;
  EXPECT_EQ(root.LibrarySurveys().Count(), 1);
}

TEST_F(StandardSkillAreasStart, ADepartmentSurveyOfAnyThreeAreasKeepsFiveQuestionsAnArea) {
  Start();
  TDataRoot root;
  TSurvey* standard = Library(root, "Standard Skill Areas");
  ASSERT_NE(standard, nullptr);
  TSkillAreaList& areas = standard->SkillAreas();
  const int n = areas.Count();
  int triples = 0;
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) {
      for (int c = b + 1; c < n; ++c) {
        int total = 0;
        for (int i : {a, b, c}) {
          const int questions = areas.Items(i)->Questions().Count();
          EXPECT_GE(questions, 5) << areas.Items(i)->Name;
          total += questions;
        }
        EXPECT_GE(total, 10);
        EXPECT_LE(total, 115);
        ++triples;
      }
    }
  }
  EXPECT_EQ(triples, n * (n - 1) * (n - 2) / 6);

  // One such survey made for real: the copy carries the locks and the
  // suggestions, under new IDs.
  auto company = std::make_unique<TCompany>();
  company->Name = "Acme";
  TCompany* acme = root.Companies().Adopt(std::move(company));
  auto department = std::make_unique<TDepartment>();
  department->Name = "Sales";
  TDepartment* sales = acme->Departments().Adopt(std::move(department));
  auto fresh = std::make_unique<TSurvey>();
  fresh->Name = "Sales 360";
  TSurvey* survey = sales->Surveys().Adopt(std::move(fresh));
  for (int i : {0, n / 2, n - 1}) {
    survey->SkillAreas().Adopt(areas.Items(i)->Clone(survey, true));
  }
  TDataRoot reloaded;
  TSurvey& copy = *reloaded.Companies().Items(0)->Departments().Items(0)->Surveys().Items(0);
  ASSERT_EQ(copy.SkillAreas().Count(), 3);
  for (int a = 0; a < 3; ++a) {
    TSkillArea& area = *copy.SkillAreas().Items(a);
    EXPECT_GT(area.ID.Origin, kLastBuiltInOrigin);
    EXPECT_GE(area.Questions().Count(), 5);
    for (int q = 0; q < area.Questions().Count(); ++q) {
      EXPECT_TRUE(area.Questions().Items(q)->Locked);
      EXPECT_GE(area.Questions().Items(q)->Suggestions().Count(), 1);
    }
  }
}

}  // namespace
}  // namespace zelvora
