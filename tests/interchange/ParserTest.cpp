// Reading object trees from the text object format: the file grammar, the
// defaults of new objects, what each property sets, children and their order,
// and the written layout read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DB/Company.h"
#include "DB/Department.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/Survey.h"
#include "base/DateTime.h"
#include "interchange/Parser.h"
#include "interchange/ScrmStrm.h"

namespace zelvora {
namespace {

std::vector<std::unique_ptr<TSurvObject>> Parse(const std::string& input) {
  std::istringstream stream(input);
  TParser parser(stream);
  parser.DoParse();
  return parser.TakeObjects();
}

template <class T>
std::unique_ptr<T> ParseOne(const std::string& input) {
  auto objects = Parse(input);
  EXPECT_EQ(objects.size(), 1u);
  if (objects.size() != 1) return nullptr;
  auto* typed = dynamic_cast<T*>(objects.front().get());
  EXPECT_NE(typed, nullptr) << "wrong class " << objects.front()->ClassName();
  if (typed == nullptr) return nullptr;
  objects.front().release();
  return std::unique_ptr<T>(typed);
}

// ---------------------------------------------------------------------------
// File grammar

TEST(TextParserFile, EmptyOrBlankInputHoldsNoObjects) {
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse(" \r\n\r\n\t ").empty());
}

TEST(TextParserFile, WhatFollowsTheLastBlockIsIgnoredUnlessItStartsABlock) {
  EXPECT_EQ(Parse("object TCompany end end").size(), 1u);
  EXPECT_EQ(Parse("object TCompany end trailing words 'and text\n= ; -").size(), 1u);
  EXPECT_EQ(Parse("object TCompany end\r\nobject TSurvey end\r\n").size(), 2u);
  // A stray token ends the file: the block after it is not read.
  EXPECT_EQ(Parse("object TCompany end x object TSurvey end").size(), 1u);
}

TEST(TextParserFile, TheObjectKeywordIsLowerCaseOnly) {
  EXPECT_TRUE(Parse("Object TCompany\nend\n").empty());
  EXPECT_TRUE(Parse("OBJECT TCompany\nend\n").empty());
}

TEST(TextParserFile, TypeAndPropertyNamesIgnoreLetterCase) {
  auto company = ParseOne<TCompany>("object tcompany\n name 'X\nend\n");
  ASSERT_TRUE(company);
  EXPECT_EQ(company->Name, "X");
  auto survey = ParseOne<TSurvey>("object TSURVEY\n aUtHoR 'A\n ansperq 3\n FREQLBL2 'two\nend");
  ASSERT_TRUE(survey);
  EXPECT_EQ(survey->Author, "A");
  EXPECT_EQ(survey->AnsPerQ, 3);
  EXPECT_EQ(survey->GetFreqLabel(2), "two");
}

TEST(TextParserFile, TopLevelObjectsComeInFileOrderAndMayBeOfAnyType) {
  const auto objects = Parse(
      "object TSuggestion end object TQuestion end object TSkillArea end\n"
      "object TSurvey end object TDepartment end object TCompany end");
  ASSERT_EQ(objects.size(), 6u);
  const std::vector<std::string> classes = {"TSuggestion", "TQuestion",   "TSkillArea",
                                            "TSurvey",     "TDepartment", "TCompany"};
  for (std::size_t i = 0; i < classes.size(); ++i) EXPECT_EQ(objects[i]->ClassName(), classes[i]);
}

TEST(TextParserFile, TheParserOwnsItsObjectsUntilTheyAreTaken) {
  std::istringstream stream("object TCompany name 'A\nend object TSurvey end");
  TParser parser(stream);
  parser.DoParse();
  ASSERT_EQ(parser.Count(), 2);
  EXPECT_EQ(parser.Items(0)->ClassName(), std::string("TCompany"));
  EXPECT_EQ(parser.Items(1)->ClassName(), std::string("TSurvey"));
  EXPECT_THROW(parser.Items(2), std::out_of_range);
  const auto taken = parser.TakeObjects();
  EXPECT_EQ(taken.size(), 2u);
  EXPECT_EQ(parser.Count(), 0);
  // Objects left in a parser are freed with it (the leak checker of the
  // sanitizer build watches this).
  std::istringstream again("object TCompany object TDepartment end end");
  TParser left(again);
  left.DoParse();
  EXPECT_EQ(left.Count(), 1);
}

// ---------------------------------------------------------------------------
// Defaults of new objects

TEST(TextParserDefaults, EveryTypeStartsWithItsDefaultsAndIsBuiltOutsideTheDatabase) {
  const double before = Now();
  const auto objects = Parse(
      "object TCompany end object TDepartment end object TSurvey end\n"
      "object TSkillArea end object TQuestion end object TSuggestion end");
  const double after = Now();
  ASSERT_EQ(objects.size(), 6u);
  for (const auto& object : objects) {
    EXPECT_EQ(object->State, osBuiltOutside) << object->ClassName();
    EXPECT_EQ(object->ID, (TObjectID{0, 0})) << object->ClassName();
    EXPECT_GE(object->Date, before - 1e-6) << object->ClassName();
    EXPECT_LE(object->Date, after + 1e-6) << object->ClassName();
  }
  EXPECT_EQ(static_cast<TCompany&>(*objects[0]).Name, "Company Name");
  EXPECT_EQ(static_cast<TDepartment&>(*objects[1]).Name, "Department Name");
  const auto& survey = static_cast<TSurvey&>(*objects[2]);
  EXPECT_EQ(survey.Name, "Survey Name");
  EXPECT_EQ(survey.Author, "Author Name");
  EXPECT_EQ(survey.AnsPerQ, 2);
  const std::vector<std::string> labels = {"Almost Never", "Sometimes", "Generally",
                                           "Almost Always", "Always"};
  EXPECT_EQ(survey.FreqLabels, labels);
  const auto& area = static_cast<TSkillArea&>(*objects[3]);
  EXPECT_EQ(area.Name, "Skill Area Name");
  EXPECT_EQ(area.GetPrefix(1), "How often do you");
  EXPECT_EQ(area.GetPrefix(2), "How often should you");
  EXPECT_EQ(area.GetPrefix(3), "How often does this person");
  EXPECT_EQ(area.GetPrefix(4), "How often should this person");
  EXPECT_EQ(area.Order, 0);
  const auto& question = static_cast<TQuestion&>(*objects[4]);
  EXPECT_EQ(question.QuestionText, "Question Text");
  EXPECT_EQ(question.CRC, 0);
  EXPECT_EQ(static_cast<TSuggestion&>(*objects[5]).SuggestionText, "Suggestion Text");
}

TEST(TextParserDefaults, OneFrequencyLabelReplacesOnlyItsPosition) {
  auto survey = ParseOne<TSurvey>("object TSurvey\n  FreqLbl3 'Often\nend\n");
  ASSERT_TRUE(survey);
  const std::vector<std::string> labels = {"Almost Never", "Sometimes", "Often", "Almost Always",
                                           "Always"};
  EXPECT_EQ(survey->FreqLabels, labels);
}

// ---------------------------------------------------------------------------
// Properties

TEST(TextParserProperties, IDTakesTheIntegerAndTheFractionDigitsAsAnInteger) {
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID 7 end")->ID, (TObjectID{7, 0}));
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID 12.40 end")->ID, (TObjectID{12, 40}));
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID 12.040 end")->ID, (TObjectID{12, 40}));
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID 5.7 end")->ID, (TObjectID{5, 7}));
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID 2147483647.999999999 end")->ID,
            (TObjectID{2147483647, 999999999}));
  EXPECT_EQ(ParseOne<TCompany>("object TCompany ID '12.40\nend")->ID, (TObjectID{0, 0}));
}

TEST(TextParserProperties, DateIsTheRealValueAndAnIntegerGivesZero) {
  EXPECT_DOUBLE_EQ(ParseOne<TSurvey>("object TSurvey Date 36526.5 end")->Date, 36526.5);
  EXPECT_DOUBLE_EQ(ParseOne<TSurvey>("object TSurvey Date 36526.7500000 end")->Date, 36526.75);
  EXPECT_EQ(ParseOne<TSurvey>("object TSurvey Date 36526 end")->Date, 0.0);
  EXPECT_EQ(ParseOne<TSurvey>("object TSurvey Date '36526.5\nend")->Date, 0.0);
}

TEST(TextParserProperties, SixteenBitFieldsKeepTheLowSixteenBits) {
  EXPECT_EQ(ParseOne<TSurvey>("object TSurvey AnsPerQ 65538 end")->AnsPerQ, 2);
  EXPECT_EQ(ParseOne<TSurvey>("object TSurvey AnsPerQ 40000 end")->AnsPerQ, -25536);
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion Order 70000 end")->Order, 4464);
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion Order 3.9 end")->Order, 3);
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion Order 'x\nend")->Order, 0);
}

TEST(TextParserProperties, CRCIsCarriedAsAThirtyTwoBitValue) {
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion CRC 2147483647 end")->CRC, 2147483647);
  EXPECT_EQ(ParseOne<TSuggestion>("object TSuggestion CRC 31 end")->CRC, 31);
}

TEST(TextParserProperties, TextPropertiesTakeTheLiteralAndNumbersGiveEmptyText) {
  auto company = ParseOne<TCompany>("object TCompany\n  Name 'O'Brien & Sons  \r\nend");
  EXPECT_EQ(company->Name, "O'Brien & Sons  ");
  EXPECT_EQ(ParseOne<TCompany>("object TCompany\n  Name 'X'\nend")->Name, "X'");
  EXPECT_EQ(ParseOne<TCompany>("object TCompany\n  Name '\nend")->Name, "");
  EXPECT_EQ(ParseOne<TCompany>("object TCompany\n  Name 5\nend")->Name, "");
  EXPECT_EQ(
      ParseOne<TDepartment>("object TDepartment\n  Name 'first part\\\n    second\nend")->Name,
      "first partsecond");
}

TEST(TextParserProperties, TextsAreConvertedFromWindows1252) {
  auto area = ParseOne<TSkillArea>(
      "object TSkillArea\r\n  Name 'Caf\xE9 \x93Quality\x94 \x80\r\n"
      "  QuestPrefix3 'Wie oft \xFC\r\nend\r\n");
  ASSERT_TRUE(area);
  EXPECT_EQ(area->Name, "Caf\u00E9 \u201CQuality\u201D \u20AC");
  EXPECT_EQ(area->GetPrefix(3), "Wie oft \u00FC");
}

TEST(TextParserProperties, QuestionsAndSuggestionsTakeTheirTextUnderEitherName) {
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion Text 'a\nend")->QuestionText, "a");
  EXPECT_EQ(ParseOne<TQuestion>("object TQuestion QuestionText 'b\nend")->QuestionText, "b");
  EXPECT_EQ(ParseOne<TSuggestion>("object TSuggestion Text 'c\nend")->SuggestionText, "c");
  EXPECT_EQ(ParseOne<TSuggestion>("object TSuggestion SuggestionText 'd\nend")->SuggestionText,
            "d");
}

TEST(TextParserProperties, TheLastOfRepeatedPropertiesWins) {
  auto question = ParseOne<TQuestion>(
      "object TQuestion\n Text 'one\n QuestionText 'two\n Order 4\n Order 2\n ID 1.1\n ID "
      "3.4\nend");
  ASSERT_TRUE(question);
  EXPECT_EQ(question->QuestionText, "two");
  EXPECT_EQ(question->Order, 2);
  EXPECT_EQ(question->ID, (TObjectID{3, 4}));
}

TEST(TextParserProperties, EverySurveyAndSkillAreaPropertyLandsInItsField) {
  auto survey = ParseOne<TSurvey>(
      "object TSurvey\r\n  ID 41.100\r\n  Date 45997.4375000\r\n  Name 'Leadership\r\n"
      "  Author 'Me\r\n  AnsPerQ 2\r\n  FreqLbl1 'l1\r\n  FreqLbl2 'l2\r\n  FreqLbl3 'l3\r\n"
      "  FreqLbl4 'l4\r\n  FreqLbl5 'l5\r\n\r\n  object TSkillArea\r\n    Order 3\r\n"
      "    Name 'Area\r\n    QuestPrefix1 'p1\r\n    QuestPrefix2 'p2\r\n    QuestPrefix3 'p3\r\n"
      "    QuestPrefix4 'p4\r\n  end\r\nend\r\n");
  ASSERT_TRUE(survey);
  EXPECT_EQ(survey->ID, (TObjectID{41, 100}));
  EXPECT_DOUBLE_EQ(survey->Date, 45997.4375);
  EXPECT_EQ(survey->Name, "Leadership");
  EXPECT_EQ(survey->Author, "Me");
  const std::vector<std::string> labels = {"l1", "l2", "l3", "l4", "l5"};
  EXPECT_EQ(survey->FreqLabels, labels);
  ASSERT_EQ(survey->SkillAreas().Count(), 1);
  TSkillArea* area = survey->SkillAreas().Items(0);
  EXPECT_EQ(area->Order, 3);
  EXPECT_EQ(area->Name, "Area");
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(area->GetPrefix(i), "p" + std::to_string(i));
}

// ---------------------------------------------------------------------------
// Children

TEST(TextParserChildren, EachTypeHoldsTheNextOneDownWithItsOwnerSet) {
  auto company = ParseOne<TCompany>(
      "object TCompany\n"
      "  object TDepartment\n"
      "    object TSurvey\n"
      "      object TSkillArea\n"
      "        object TQuestion\n"
      "          object TSuggestion Text 'deep\n"
      "          end\n"
      "        end\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "end\n");
  ASSERT_TRUE(company);
  ASSERT_EQ(company->Departments().Count(), 1);
  TDepartment* department = company->Departments().Items(0);
  EXPECT_EQ(department->Company, company.get());
  ASSERT_EQ(department->Surveys().Count(), 1);
  TSurvey* survey = department->Surveys().Items(0);
  EXPECT_EQ(survey->Department, department);
  ASSERT_EQ(survey->SkillAreas().Count(), 1);
  TSkillArea* area = survey->SkillAreas().Items(0);
  EXPECT_EQ(area->Survey, survey);
  ASSERT_EQ(area->Questions().Count(), 1);
  TQuestion* question = area->Questions().Items(0);
  EXPECT_EQ(question->SkillArea, area);
  ASSERT_EQ(question->Suggestions().Count(), 1);
  TSuggestion* suggestion = question->Suggestions().Items(0);
  EXPECT_EQ(suggestion->Question, question);
  EXPECT_EQ(suggestion->SuggestionText, "deep");
  // Every object of the tree is outside the database and nothing was given a
  // new ID on the way in.
  for (TSurvObject* object :
       std::vector<TSurvObject*>{department, survey, area, question, suggestion}) {
    EXPECT_EQ(object->State, osBuiltOutside) << object->ClassName();
    EXPECT_EQ(object->ID, (TObjectID{0, 0})) << object->ClassName();
  }
}

TEST(TextParserChildren, ChildrenKeepFileOrderAndPropertiesMayFollowThem) {
  auto area = ParseOne<TSkillArea>(
      "object TSkillArea\n"
      "  object TQuestion Text 'first\n end\n"
      "  Name 'between\n"
      "  object TQuestion Text 'second\n end\n"
      "  Name 'after\n"
      "end\n");
  ASSERT_TRUE(area);
  EXPECT_EQ(area->Name, "after");
  ASSERT_EQ(area->Questions().Count(), 2);
  EXPECT_EQ(area->Questions().Items(0)->QuestionText, "first");
  EXPECT_EQ(area->Questions().Items(1)->QuestionText, "second");
}

TEST(TextParserChildren, StatedOrdersAreKeptAndUnstatedOnesFollowThePosition) {
  auto survey = ParseOne<TSurvey>(
      "object TSurvey\n"
      "  object TSkillArea Order 7 Name 'seven\n end\n"
      "  object TSkillArea Name 'unstated\n end\n"
      "  object TSkillArea Order 2 Name 'two\n end\n"
      "end\n");
  ASSERT_TRUE(survey);
  TSkillAreaList& areas = survey->SkillAreas();
  ASSERT_EQ(areas.Count(), 3);
  EXPECT_EQ(areas.Items(0)->Order, 7);
  EXPECT_EQ(areas.Items(1)->Order, 1);
  EXPECT_EQ(areas.Items(2)->Order, 2);
  // The flattened question list follows the orders, not the file.
  auto question_area = ParseOne<TSurvey>(
      "object TSurvey\n"
      "  object TSkillArea Order 1\n"
      "    object TQuestion Order 0 Text 'b0\n end\n"
      "  end\n"
      "  object TSkillArea Order 0\n"
      "    object TQuestion Order 5 Text 'a5\n end\n"
      "    object TQuestion Order 1 Text 'a1\n end\n"
      "  end\n"
      "end\n");
  ASSERT_TRUE(question_area);
  TQuestionList& questions = question_area->Questions();
  ASSERT_EQ(questions.Count(), 3);
  EXPECT_EQ(questions.Items(0)->QuestionText, "a1");
  EXPECT_EQ(questions.Items(1)->QuestionText, "a5");
  EXPECT_EQ(questions.Items(2)->QuestionText, "b0");
}

// ---------------------------------------------------------------------------
// The written layout read back

TEST(TextParserLayout, ReadsTheSkillAreaAsTheWriterLaysItOut) {
  const std::string text =
      "object TSkillArea\r\n"
      "  ID 12.40\r\n"
      "  Date 36526.5000000\r\n"
      "  Order 1\r\n"
      "  Name 'Listening\r\n"
      "  QuestPrefix1 'How often do you\r\n"
      "  QuestPrefix2 'How often should you\r\n"
      "  QuestPrefix3 'How often does this person\r\n"
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
  auto area = ParseOne<TSkillArea>(text);
  ASSERT_TRUE(area);
  EXPECT_EQ(area->ID, (TObjectID{12, 40}));
  EXPECT_DOUBLE_EQ(area->Date, 36526.5);
  EXPECT_EQ(area->Order, 1);
  EXPECT_EQ(area->Name, "Listening");
  ASSERT_EQ(area->Questions().Count(), 1);
  TQuestion* question = area->Questions().Items(0);
  EXPECT_EQ(question->ID, (TObjectID{12, 41}));
  EXPECT_EQ(question->Order, 1);
  EXPECT_EQ(question->QuestionText, "let others finish speaking?");
}

TEST(TextParserLayout, ReadsTheLeadershipInstrument) {
  std::ifstream file(std::string(ZELVORA_TESTDATA) + "/textformat/leadership.dat",
                     std::ios::binary);
  ASSERT_TRUE(file);
  TParser parser(file);
  parser.DoParse();
  ASSERT_EQ(parser.Count(), 1);
  auto* survey = dynamic_cast<TSurvey*>(parser.Items(0));
  ASSERT_NE(survey, nullptr);
  EXPECT_EQ(survey->Name, "Leadership Practices 360");
  EXPECT_EQ(survey->ID, (TObjectID{41, 100}));
  TSkillAreaList& areas = survey->SkillAreas();
  ASSERT_EQ(areas.Count(), 5);
  const std::vector<int> question_counts = {6, 5, 7, 5, 8};
  int suggestions = 0;
  for (int a = 0; a < areas.Count(); ++a) {
    TSkillArea* area = areas.Items(a);
    EXPECT_EQ(area->Order, a);
    ASSERT_EQ(area->Questions().Count(), question_counts[static_cast<std::size_t>(a)]);
    for (int q = 0; q < area->Questions().Count(); ++q) {
      TQuestion* question = area->Questions().Items(q);
      EXPECT_EQ(question->Order, q);
      suggestions += question->Suggestions().Count();
    }
  }
  EXPECT_EQ(suggestions, 12);
  EXPECT_EQ(survey->Questions().Count(), 31);
  EXPECT_EQ(survey->Questions().Items(6)->QuestionText,
            "describe a clear picture of where the group is heading?");
  EXPECT_EQ(survey->Questions().Items(7)->QuestionText,
            "connect daily work to the organisation\u2019s long-term goals?");
}

TEST(TextParserLayout, ReadsAScrambledPackageFile) {
  // Package files are stored scrambled: read in whole blocks from the start,
  // every stored byte is the text byte XOR 254.
  std::string text = "object TSurvey\r\n  Name 'Scrambled\r\n";
  text += std::string(TReader::kBufferSize, ' ');  // the tree spans two blocks
  text += "\r\n  object TSkillArea\r\n    Name 'Second block\r\n  end\r\nend\r\n";
  const auto path = std::filesystem::temp_directory_path() /
                    ("parser-scrambled-" +
                     std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".dat");
  {
    std::ofstream out(path, std::ios::binary);
    for (char c : text) out.put(static_cast<char>(static_cast<unsigned char>(c) ^ 254u));
  }
  {
    TScrambledStream stream(path.string(), TScrambledStream::Mode::kOpenRead);
    TParser parser(stream);
    parser.DoParse();
    ASSERT_EQ(parser.Count(), 1);
    auto* survey = dynamic_cast<TSurvey*>(parser.Items(0));
    ASSERT_NE(survey, nullptr);
    EXPECT_EQ(survey->Name, "Scrambled");
    ASSERT_EQ(survey->SkillAreas().Count(), 1);
    EXPECT_EQ(survey->SkillAreas().Items(0)->Name, "Second block");
  }
  std::filesystem::remove(path);
}

TEST(TextParserChildren, AListThatCannotTakeMoreChildrenStopsTheParseCleanly) {
  std::string text = "object TQuestion\n";
  for (int i = 0; i < 32768; ++i) text += "object TSuggestion end\n";
  text += "end\n";
  std::istringstream stream(text);
  TParser parser(stream);
  try {
    parser.DoParse();
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "TSurvList.Add: List is full");
  }
  EXPECT_EQ(parser.Count(), 0);
}

}  // namespace
}  // namespace zelvora
