// Writing object trees in the text object format: the exact bytes of each
// block, the renumbering counter shared by all writers, texts that could not
// be read back as written, failures, and reading written files back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "DB/Company.h"
#include "DB/DataRoot.h"
#include "DB/Department.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/Survey.h"
#include "interchange/Parser.h"
#include "interchange/Unparser.h"

namespace zelvora {
namespace {

class UnparserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvora-unp-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  template <class T>
  static std::unique_ptr<T> Make(std::int32_t origin, std::int32_t serial, double date) {
    auto object = std::make_unique<T>();
    object->ID = TObjectID{origin, serial};
    object->Date = date;
    object->State = osBuiltOutside;
    return object;
  }
  std::string WriteOne(TSurvObject& object, bool renumber = false) {
    const std::string path = File("out.dat");
    {
      TUnparser writer(path, renumber);
      writer.DoUnparse(object);
      writer.Close();
    }
    return Read(path);
  }
  static std::vector<std::unique_ptr<TSurvObject>> ParseBack(const std::string& bytes) {
    std::istringstream stream(bytes);
    TParser parser(stream);
    parser.DoParse();
    return parser.TakeObjects();
  }

  std::filesystem::path dir_;
};

// The skill area with one question of the format's description.
std::unique_ptr<TSkillArea> ListeningArea() {
  auto area = std::make_unique<TSkillArea>();
  area->ID = TObjectID{12, 40};
  area->Date = 36526.5;
  area->State = osBuiltOutside;
  area->Order = 1;
  area->Name = "Listening";
  area->QuestPrefix = {"How often do you", "How often does this person", "How often should you",
                       "How often should this person"};
  auto question = std::make_unique<TQuestion>();
  question->ID = TObjectID{12, 41};
  question->Date = 36526.5;
  question->State = osBuiltOutside;
  question->QuestionText = "let others finish speaking?";
  // Adding gives a child the next position; the stated Order is set after.
  area->Questions().Adopt(std::move(question))->Order = 1;
  return area;
}

TEST_F(UnparserTest, SkillAreaWithOneQuestionGivesTheDocumentedLines) {
  auto area = ListeningArea();
  const std::string expected =
      "object TSkillArea\r\n"
      "  ID 12.40\r\n"
      "  Date 36526.5000000\r\n"
      "  Order 1\r\n"
      "  Name 'Listening\r\n"
      "  QuestPrefix1 'How often do you\r\n"
      "  QuestPrefix2 'How often does this person\r\n"
      "  QuestPrefix3 'How often should you\r\n"
      "  QuestPrefix4 'How often should this person\r\n"
      "\r\n"
      "  object TQuestion\r\n"
      "    ID 12.41\r\n"
      "    Date 36526.5000000\r\n"
      "    Order 1\r\n"
      "    QuestionText 'let others finish speaking?\r\n"
      "\r\n"
      "  end\r\n"
      "\r\n"
      "end\r\n"
      "\r\n";
  EXPECT_EQ(WriteOne(*area), expected);
}

TEST_F(UnparserTest, CompanyTreeLayoutWithSurveyLabelsAndSuggestion) {
  auto company = Make<TCompany>(20, 1, 36526.75);
  company->Name = "Acme ";  // trailing blank kept
  auto department = Make<TDepartment>(20, 2, 1.0);
  department->Name = "";
  auto survey = Make<TSurvey>(-3, 4, 0.0);
  survey->Name = "Lead";
  survey->Author = "Me";
  survey->AnsPerQ = 3;
  survey->FreqLabels = {"Never", "Always"};
  auto area = Make<TSkillArea>(20, 5, 2.25);
  area->QuestPrefix = {"", "", "", ""};
  auto question = Make<TQuestion>(20, 6, 3.0);
  question->Order = 7;
  question->QuestionText = "Q?";
  auto suggestion = Make<TSuggestion>(20, 7, 4.0);
  suggestion->SuggestionText = "Try.";
  question->Suggestions().Adopt(std::move(suggestion))->Order = 1;
  area->Questions().Adopt(std::move(question))->Order = 7;
  survey->SkillAreas().Adopt(std::move(area))->Order = -2;
  department->Surveys().Adopt(std::move(survey));
  company->Departments().Adopt(std::move(department));

  const std::string expected =
      "object TCompany\r\n"
      "  ID 20.1\r\n"
      "  Date 36526.7500000\r\n"
      "  Name 'Acme \r\n"
      "\r\n"
      "  object TDepartment\r\n"
      "    ID 20.2\r\n"
      "    Date 1.0000000\r\n"
      "    Name '\r\n"
      "\r\n"
      "    object TSurvey\r\n"
      "      ID -3.4\r\n"
      "      Date 0.0000000\r\n"
      "      Name 'Lead\r\n"
      "      Author 'Me\r\n"
      "      AnsPerQ 3\r\n"
      "      FreqLbl1 'Never\r\n"
      "      FreqLbl2 'Always\r\n"
      "\r\n"
      "      object TSkillArea\r\n"
      "        ID 20.5\r\n"
      "        Date 2.2500000\r\n"
      "        Order -2\r\n"
      "        Name '\r\n"
      "        QuestPrefix1 '\r\n"
      "        QuestPrefix2 '\r\n"
      "        QuestPrefix3 '\r\n"
      "        QuestPrefix4 '\r\n"
      "\r\n"
      "        object TQuestion\r\n"
      "          ID 20.6\r\n"
      "          Date 3.0000000\r\n"
      "          Order 7\r\n"
      "          QuestionText 'Q?\r\n"
      "\r\n"
      "          object TSuggestion\r\n"
      "            ID 20.7\r\n"
      "            Date 4.0000000\r\n"
      "            Order 1\r\n"
      "            SuggestionText 'Try.\r\n"
      "          end\r\n"
      "\r\n"
      "        end\r\n"
      "\r\n"
      "      end\r\n"
      "\r\n"
      "    end\r\n"
      "\r\n"
      "  end\r\n"
      "\r\n"
      "end\r\n"
      "\r\n";
  EXPECT_EQ(WriteOne(*company), expected);
}

TEST_F(UnparserTest, SurveyWithoutLabelsAndWindows1252Text) {
  auto survey = Make<TSurvey>(1, 2, 3.0);
  survey->Name = "Caf\xC3\xA9 \xE2\x82\xAC";  // "Café €" in UTF-8
  survey->FreqLabels.clear();
  const std::string written = WriteOne(*survey);
  EXPECT_NE(written.find("  Name 'Caf\xE9 \x80\r\n"), std::string::npos);
  EXPECT_EQ(written.find("FreqLbl"), std::string::npos);
  EXPECT_NE(written.find("  AnsPerQ 2\r\n\r\nend\r\n\r\n"), std::string::npos);
}

TEST_F(UnparserTest, RenumberingContinuesAcrossWritersAndKeepsObjectIDs) {
  auto area = ListeningArea();
  const std::int32_t first = TUnparser::NextRenumberSerial();
  const std::string one = WriteOne(*area, true);
  EXPECT_NE(one.find("  ID 1." + std::to_string(first) + "\r\n"), std::string::npos);
  EXPECT_NE(one.find("    ID 1." + std::to_string(first + 1) + "\r\n"), std::string::npos);
  EXPECT_EQ(TUnparser::NextRenumberSerial(), first + 2);
  EXPECT_EQ(area->ID, (TObjectID{12, 40}));

  const std::string two = WriteOne(*area, true);
  EXPECT_NE(two.find("  ID 1." + std::to_string(first + 2) + "\r\n"), std::string::npos);
  // Without the flag the counter stays where it is.
  WriteOne(*area, false);
  EXPECT_EQ(TUnparser::NextRenumberSerial(), first + 4);
}

TEST_F(UnparserTest, ControlCharactersAndFinalBackslashReadBackOnTheirLines) {
  EXPECT_EQ(TUnparser::CleanText("a\r\nb\tc\x01"), "a b c ");
  EXPECT_EQ(TUnparser::CleanText("plain  text "), "plain  text ");
  EXPECT_EQ(TUnparser::CleanText("C:\\"), "C:\\ ");
  EXPECT_EQ(TUnparser::CleanText("a\\b"), "a\\b");

  auto survey = Make<TSurvey>(30, 1, 2.0);
  survey->Name = "Two\r\nlines";
  survey->Author = "C:\\";
  survey->FreqLabels = {"tab\there"};
  auto objects = ParseBack(WriteOne(*survey));
  ASSERT_EQ(objects.size(), 1u);
  auto* back = dynamic_cast<TSurvey*>(objects[0].get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Name, "Two lines");
  EXPECT_EQ(back->Author, "C:\\ ");
  EXPECT_EQ(back->AnsPerQ, 2);  // not swallowed by the line before
  // A survey read starts with the default labels; the file sets the first.
  ASSERT_GE(back->FreqLabels.size(), 1u);
  EXPECT_EQ(back->FreqLabels[0], "tab here");
}

TEST_F(UnparserTest, WrittenTreeReadsBackEqual) {
  auto survey = Make<TSurvey>(40, 1, 44000.1234567);
  survey->Name = "Library";
  survey->Author = "Ann";
  survey->AnsPerQ = 1;
  survey->FreqLabels = {"L1", "L2", "L3"};
  for (int a = 0; a < 2; ++a) {
    auto area = Make<TSkillArea>(40, 10 + a, 44000.5);
    area->Order = static_cast<std::int16_t>(a + 1);
    area->Name = "Area " + std::to_string(a);
    area->QuestPrefix = {"p1", "p2", "p3", "p4 "};
    for (int q = 0; q < 3; ++q) {
      auto question = Make<TQuestion>(40, 100 + 10 * a + q, 44001.0);
      question->Order = static_cast<std::int16_t>(q + 1);
      question->QuestionText = "Question " + std::to_string(q);
      auto suggestion = Make<TSuggestion>(40, 500 + 10 * a + q, 44002.0);
      suggestion->Order = 1;
      suggestion->SuggestionText = "Suggest " + std::to_string(q);
      question->Suggestions().Adopt(std::move(suggestion));
      area->Questions().Adopt(std::move(question));
    }
    survey->SkillAreas().Adopt(std::move(area));
  }
  auto objects = ParseBack(WriteOne(*survey));
  ASSERT_EQ(objects.size(), 1u);
  auto* back = dynamic_cast<TSurvey*>(objects[0].get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->ID, survey->ID);
  EXPECT_NEAR(back->Date, 44000.1234567, 1e-9);
  EXPECT_EQ(back->Name, "Library");
  EXPECT_EQ(back->Author, "Ann");
  EXPECT_EQ(back->AnsPerQ, 1);
  ASSERT_GE(back->FreqLabels.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(back->FreqLabels[i], survey->FreqLabels[i]);
  ASSERT_EQ(back->SkillAreas().Size(), 2);
  for (int a = 0; a < 2; ++a) {
    TSkillArea* got = back->SkillAreas().At(a);
    TSkillArea* want = survey->SkillAreas().At(a);
    EXPECT_EQ(got->ID, want->ID);
    EXPECT_EQ(got->Order, want->Order);
    EXPECT_EQ(got->Name, want->Name);
    EXPECT_EQ(got->QuestPrefix, want->QuestPrefix);
    ASSERT_EQ(got->Questions().Size(), 3);
    for (int q = 0; q < 3; ++q) {
      TQuestion* gq = got->Questions().At(q);
      TQuestion* wq = want->Questions().At(q);
      EXPECT_EQ(gq->ID, wq->ID);
      EXPECT_EQ(gq->Order, wq->Order);
      EXPECT_EQ(gq->QuestionText, wq->QuestionText);
      ASSERT_EQ(gq->Suggestions().Size(), 1);
      EXPECT_EQ(gq->Suggestions().At(0)->SuggestionText, wq->Suggestions().At(0)->SuggestionText);
      EXPECT_EQ(gq->Suggestions().At(0)->ID, wq->Suggestions().At(0)->ID);
    }
  }
}

TEST_F(UnparserTest, FailuresUnknownKindAndUnwritableFile) {
  TDataRoot root;
  root.State = osBuiltOutside;
  auto company = Make<TCompany>(5, 5, 1.0);
  const std::string path = File("partial.dat");
  {
    TUnparser writer(path, false);
    writer.DoUnparse(*company);
    try {
      writer.DoUnparse(root);
      FAIL() << "a data root was written";
    } catch (const ESurvObjError& e) {
      EXPECT_STREQ(e.what(), "DoUnparse: Unknown type");
    }
    writer.Close();
  }
  // What was written before stays, nothing of the refused object follows.
  const std::string written = Read(path);
  EXPECT_EQ(written.substr(0, 15), "object TCompany");
  EXPECT_EQ(written.substr(written.size() - 12), "'\r\n\r\nend\r\n\r\n");
  EXPECT_EQ(written.find("TDataRoot"), std::string::npos);
  EXPECT_THROW(TUnparser(File("no/such/folder/x.dat"), false), std::runtime_error);
}

TEST_F(UnparserTest, ExistingFileIsReplaced) {
  const std::string path = File("old.dat");
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string(5000, 'x');
  }
  auto question = Make<TQuestion>(1, 1, 0.0);
  {
    TUnparser writer(path, false);
    writer.DoUnparse(*question);
  }
  EXPECT_EQ(Read(path).find("xx"), std::string::npos);
  EXPECT_EQ(Read(path).substr(0, 16), "object TQuestion");
}

}  // namespace
}  // namespace zelvora
