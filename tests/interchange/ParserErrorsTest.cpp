// Malformed text object files: each gives its message, with the position of
// the offending token where the message has one, and never a crash.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "DB/SurvObjectBase.h"
#include "interchange/Parser.h"

namespace zelvora {
namespace {

std::string ParseError(const std::string& input) {
  std::istringstream stream(input);
  TParser parser(stream);
  try {
    parser.DoParse();
  } catch (const EParseError& e) {
    return e.what();
  }
  return "(no error)";
}

struct ErrorCase {
  const char* name;
  std::string input;
  std::string message;
};

void ExpectErrors(const std::vector<ErrorCase>& cases) {
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.input), c.message) << c.name;
}

TEST(TextParserErrors, ObjectWithoutAType) {
  ExpectErrors({
      {"end of input", "object", "ParseObject: Expecting object type at row 0, col 6"},
      {"number", "object 5\nend", "ParseObject: Expecting object type at row 1, col 0"},
      {"keyword", "object end", "ParseObject: Expecting object type at row 0, col 10"},
      {"string", "object 'TCompany\nend", "ParseObject: Expecting object type at row 1, col 0"},
      {"nested", "object TSurvey\r\n  object\r\n  =\r\nend",
       "ParseObject: Expecting object type at row 2, col 3"},
  });
}

TEST(TextParserErrors, UnknownTypeHasNoPosition) {
  ExpectErrors({
      {"unknown", "object TFoo\nend", "NewType: Unknown type"},
      {"not in the format", "object TSubject\nend", "NewType: Unknown type"},
      {"nested", "object TCompany\n  object TRater\n  end\nend", "NewType: Unknown type"},
  });
  std::istringstream stream("object TDataRoot end");
  TParser parser(stream);
  try {
    parser.DoParse();
    FAIL() << "no error";
  } catch (const EParseError& e) {
    EXPECT_FALSE(e.HasPosition());
  }
}

TEST(TextParserErrors, PropertyNameWithoutAValue) {
  const std::string value_expected = "ParseIdents: Expecting string literal, integer, or real";
  ExpectErrors({
      {"equals sign", "object TCompany\n  Name = 'x\nend", value_expected + " at row 1, col 8"},
      {"colon", "object TCompany\n  Name: 'x\nend", value_expected + " at row 1, col 7"},
      {"negative", "object TSkillArea\n  Order -1\nend", value_expected + " at row 1, col 9"},
      {"end of input", "object TCompany\n  Name", value_expected + " at row 1, col 6"},
      {"keyword", "object TCompany\n  Name end", value_expected + " at row 1, col 10"},
      {"object keyword", "object TCompany\n  Name object", value_expected + " at row 1, col 13"},
      {"identifier", "object TCompany\n  Object TCompany\nend",
       value_expected + " at row 2, col 0"},
      {"after a dotted name", "object TCompany\n  Name.X ;", value_expected + " at row 1, col 10"},
  });
}

TEST(TextParserErrors, DottedNameWithoutAnIdentifier) {
  ExpectErrors({
      {"string", "object TCompany\n  Name. 'x\nend",
       "ParseIdents: Expecting ident at row 2, col 0"},
      {"number", "object TCompany\n  Name.5 'x\nend",
       "ParseIdents: Expecting ident at row 1, col 9"},
      {"end of input", "object TCompany\n  Name.", "ParseIdents: Expecting ident at row 1, col 7"},
  });
}

TEST(TextParserErrors, TokensThatCannotStartAPropertyOrBlock) {
  ExpectErrors({
      {"end of input", "object TCompany\n  Name 'x\n",
       "ParseIdents: Unknown token at row 2, col 0"},
      {"semicolon", "object TCompany\n  ; \nend", "ParseIdents: Unknown token at row 1, col 3"},
      {"integer", "object TCompany\n  42 'x\nend", "ParseIdents: Unknown token at row 1, col 5"},
      {"string", "object TCompany\n  'Name\nend", "ParseIdents: Unknown token at row 2, col 0"},
      {"other character", "object TCompany\n  \xE9t\xE9 'x\nend",
       "ParseIdents: Unknown token at row 1, col 3"},
      {"code zero", std::string("object TCompany\n \0", 18),
       "ParseIdents: Unknown token at row 1, col 2"},
      {"missing inner end", "object TSurvey\r\n  object TSkillArea\r\n  end\r\n",
       "ParseIdents: Unknown token at row 3, col 0"},
      {"tab ends a value", "object TCompany\n  Name 'a\t9 \nend",
       "ParseIdents: Unknown token at row 1, col 12"},
  });
}

TEST(TextParserErrors, PropertiesATypeDoesNotAccept) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> rejected = {
      {"TCompany",
       {"Author", "AnsPerQ", "FreqLbl1", "QuestPrefix1", "Order", "Text", "QuestionText", "CRC",
        "SuggestionText"}},
      {"TDepartment", {"Author", "Order", "FreqLbl2", "Text"}},
      {"TSurvey", {"Order", "Text", "CRC", "QuestPrefix2", "QuestionText"}},
      {"TSkillArea", {"Author", "AnsPerQ", "FreqLbl5", "Text", "CRC", "QuestionText"}},
      {"TQuestion", {"Name", "SuggestionText", "QuestPrefix4", "Author", "FreqLbl3"}},
      {"TSuggestion", {"Name", "QuestionText", "AnsPerQ", "QuestPrefix1"}},
  };
  const std::vector<std::string> rejected_by_all = {
      "ExperienceDate", "SubjectID",    "SurveyID", "Rater", "AnswersBuf", "Completed", "FreqLbl6",
      "FreqLbl0",       "QuestPrefix5", "Nme",      "ID_",   "Name.First", "ID.x"};
  for (const auto& [type, properties] : rejected) {
    std::vector<std::string> all = properties;
    all.insert(all.end(), rejected_by_all.begin(), rejected_by_all.end());
    for (const auto& property : all) {
      EXPECT_EQ(ParseError("object " + type + "\n  " + property + " 1\nend"),
                "SetIdent: Invalid property at row 2, col 0")
          << type << " " << property;
    }
  }
  // The position is that of the value; with CR LF lines it stays on its row.
  EXPECT_EQ(ParseError("object TCompany\r\n  Nme 'x\r\nend"),
            "SetIdent: Invalid property at row 1, col 8");
  EXPECT_EQ(ParseError("object TCompany Author 12.5 end"),
            "SetIdent: Invalid property at row 0, col 28");
  // What a tab leaves of a line is read as another property.
  EXPECT_EQ(ParseError("object TCompany\n  Name 'a\tb 'c\nend"),
            "SetIdent: Invalid property at row 2, col 0");
}

TEST(TextParserErrors, ChildOfATypeItsParentDoesNotHold) {
  ExpectErrors({
      {"question in company", "object TCompany\n  object TQuestion\n  end\nend",
       "AddObject: Invalid property"},
      {"survey in survey", "object TSurvey\n  object TSurvey\n  end\nend",
       "AddObject: Invalid property"},
      {"company in suggestion", "object TSuggestion\n  object TCompany\n  end\nend",
       "AddObject: Invalid property"},
      {"department in survey", "object TSurvey object TDepartment end end",
       "AddObject: Invalid property"},
      {"skill area in question", "object TQuestion object TSkillArea end end",
       "AddObject: Invalid property"},
      // The child is read completely first, so its own faults come first.
      {"fault inside the child", "object TCompany\n  object TQuestion\n    Name 'x\n  end\nend",
       "SetIdent: Invalid property at row 3, col 0"},
      {"child not closed", "object TCompany\n  object TQuestion\n",
       "ParseIdents: Unknown token at row 2, col 0"},
  });
}

TEST(TextParserErrors, DeepNestingFailsWithoutExhaustingTheStack) {
  std::string nested;
  for (int i = 0; i < 10; ++i) nested += "object TCompany\n";
  for (int i = 0; i < 10; ++i) nested += "end\n";
  EXPECT_EQ(ParseError(nested), "AddObject: Invalid property");

  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "object TCompany\n";
  EXPECT_EQ(ParseError(deep), "ParseObject: Objects nested too deeply at row 65, col 0");
  std::string long_line(300000, ' ');
  for (int i = 0; i < 100000; ++i) long_line += "object TSurvey ";
  EXPECT_EQ(ParseError(long_line), "ParseObject: Objects nested too deeply at row 0, col 300975");
}

TEST(TextParserErrors, TokenLimitsStopTheParseWithTheirPosition) {
  ExpectErrors({
      {"long value", "object TCompany\n  Name '" + std::string(1100, 'x') + "\nend",
       "NextToken: String literal longer than 1023 characters at row 1, col 1032"},
      {"long name", "object TCompany\n  " + std::string(5000, 'N') + " 'x\nend",
       "NextToken: Identifier longer than 1023 characters at row 1, col 1026"},
      {"long type", "object " + std::string(2000, 'T'),
       "NextToken: Identifier longer than 1023 characters at row 0, col 1031"},
      {"big ID", "object TCompany\n  ID 4294967296.1\nend",
       "NextToken: Integer out of range at row 1, col 15"},
      {"long fraction", "object TCompany\n  Date 1.0000000001\nend",
       "NextToken: More than 9 fraction digits at row 1, col 19"},
  });
}

TEST(TextParserErrors, AFileWithoutItsLastEndFailsAtTheEndOfInput) {
  std::ifstream file(std::string(ZELVORA_TESTDATA) + "/textformat/leadership.dat",
                     std::ios::binary);
  ASSERT_TRUE(file);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const auto last_end = text.rfind("end");
  ASSERT_NE(last_end, std::string::npos);
  EXPECT_EQ(ParseError(text), "(no error)");
  text.erase(last_end, 3);
  EXPECT_EQ(ParseError(text), "ParseIdents: Unknown token at row 406, col 0");
}

TEST(TextParserErrors, ObjectsBuiltBeforeAFailureStayWithTheParser) {
  std::istringstream stream(
      "object TCompany end\nobject TSurvey\n  object TSkillArea end\n  Order 1\nend");
  TParser parser(stream);
  EXPECT_THROW(parser.DoParse(), EParseError);
  // The complete first block is there; the failed one was freed.
  ASSERT_EQ(parser.Count(), 1);
  EXPECT_EQ(parser.Items(0)->Kind(), okCompany);
}

}  // namespace
}  // namespace zelvora
