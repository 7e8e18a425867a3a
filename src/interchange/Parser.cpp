#include "interchange/Parser.h"

#include <array>
#include <cstdint>
#include <string>

#include "DB/Company.h"
#include "DB/Department.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"
#include "interchange/ScrmStrm.h"

namespace zelvora {
namespace {

// The type-name table; the index is the type code used below.
enum TypeCode : int {
  tyCompany = 0,
  tyDepartment = 1,
  tySurvey = 2,
  tySkillArea = 3,
  tyQuestion = 4,
  tySuggestion = 5,
};
constexpr std::array<std::string_view, 6> kTypeNames = {"TCompany",   "TDepartment", "TSurvey",
                                                        "TSkillArea", "TQuestion",   "TSuggestion"};

// The property-name table. The last six are known names that no type
// accepts (they belong to objects this format does not carry).
enum PropertyCode : int {
  prID = 0,
  prDate = 1,
  prName = 2,
  prAuthor = 3,
  prAnsPerQ = 4,
  prFreqLbl1 = 5,       // to prFreqLbl1 + 4
  prQuestPrefix1 = 10,  // to prQuestPrefix1 + 3
  prOrder = 14,
  prText = 15,
  prQuestionText = 16,
  prCRC = 17,
  prSuggestionText = 18,
};
constexpr std::array<std::string_view, 25> kPropertyNames = {
    "ID",           "Date",         "Name",         "Author",         "AnsPerQ",
    "FreqLbl1",     "FreqLbl2",     "FreqLbl3",     "FreqLbl4",       "FreqLbl5",
    "QuestPrefix1", "QuestPrefix2", "QuestPrefix3", "QuestPrefix4",   "Order",
    "Text",         "QuestionText", "CRC",          "SuggestionText", "ExperienceDate",
    "SubjectID",    "SurveyID",     "Rater",        "AnswersBuf",     "Completed"};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) {
      return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

template <std::size_t N>
int IndexIn(const std::array<std::string_view, N>& table, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameIgnoringCase(table[i], name)) return static_cast<int>(i);
  return -1;
}

[[noreturn]] void Fail(const char* message, const TToken& at) {
  throw EParseError(message, at.Row, at.Col);
}

// The low 16 bits of an integer value, as the 16-bit fields keep them.
std::int16_t Low16(std::int32_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value)));
}

bool IsValue(TTokenKind kind) {
  return kind == TTokenKind::String || kind == TTokenKind::Integer || kind == TTokenKind::Real;
}

// What a property of the given value token reads: the text of a string (an
// empty text for a number).
std::string TextOf(const TToken& value) { return Cp1252ToUtf8(value.Text); }

class TScrambledSource : public TByteSource {
 public:
  explicit TScrambledSource(TScrambledStream& stream) : stream_(stream) {}
  std::int64_t Remaining() override { return stream_.Size() - stream_.Position(); }
  std::size_t Read(char* buffer, std::size_t count) override { return stream_.Read(buffer, count); }

 private:
  TScrambledStream& stream_;
};

}  // namespace

struct TParser::Parsed {
  std::unique_ptr<TSurvObject> Object;
  int Type = -1;
  bool OrderGiven = false;  // the block stated the object's Order
};

TParser::TParser(std::istream& stream) : lexer_(std::make_unique<TLexer>(stream)) {}

TParser::TParser(TByteSource& source) : lexer_(std::make_unique<TLexer>(source)) {}

TParser::TParser(TScrambledStream& stream)
    : source_(std::make_unique<TScrambledSource>(stream)),
      lexer_(std::make_unique<TLexer>(*source_)) {}

TParser::~TParser() = default;

int TParser::TypeIndex(std::string_view name) { return IndexIn(kTypeNames, name); }

int TParser::PropertyIndex(std::string_view name) { return IndexIn(kPropertyNames, name); }

TSurvObject* TParser::Items(int index) const {
  return objects_.at(static_cast<std::size_t>(index)).get();
}

std::vector<std::unique_ptr<TSurvObject>> TParser::TakeObjects() {
  std::vector<std::unique_ptr<TSurvObject>> objects;
  objects.swap(objects_);
  return objects;
}

void TParser::DoParse() {
  // Whatever follows the last block and does not start another one (a stray
  // word, an `end`, the end of input) ends the file without complaint.
  for (auto token = Next(); token->Kind == TTokenKind::ObjectKeyword; token = Next()) {
    Parsed parsed = ParseObject(1);
    objects_.push_back(std::move(parsed.Object));
  }
}

// Requires: the `object` keyword has been read.
TParser::Parsed TParser::ParseObject(int depth) {
  const auto token = Next();
  if (token->Kind != TTokenKind::Ident) Fail("ParseObject: Expecting object type", *token);
  // Well-formed files nest at most six levels; far deeper input is refused
  // here before it can exhaust the stack.
  if (depth > kMaxDepth) Fail("ParseObject: Objects nested too deeply", *token);
  Parsed parsed;
  parsed.Type = TypeIndex(token->Text);
  parsed.Object = NewType(parsed.Type);
  parsed.OrderGiven = ParseIdents(*parsed.Object, parsed.Type, depth);
  return parsed;
}

std::unique_ptr<TSurvObject> TParser::NewType(int type) {
  std::unique_ptr<TSurvObject> object;
  switch (type) {
    case tyCompany: {
      auto company = std::make_unique<TCompany>();
      company->Name = "Company Name";
      object = std::move(company);
      break;
    }
    case tyDepartment: {
      auto department = std::make_unique<TDepartment>();
      department->Name = "Department Name";
      object = std::move(department);
      break;
    }
    case tySurvey: {
      auto survey = std::make_unique<TSurvey>();
      survey->Name = "Survey Name";
      survey->Author = "Author Name";
      survey->AnsPerQ = 2;
      survey->FreqLabels = TSurvey::DefaultFreqLabels();
      object = std::move(survey);
      break;
    }
    case tySkillArea: {
      auto area = std::make_unique<TSkillArea>();
      area->Name = "Skill Area Name";
      area->SetPrefix(1, "How often do you");
      area->SetPrefix(2, "How often should you");
      area->SetPrefix(3, "How often does this person");
      area->SetPrefix(4, "How often should this person");
      object = std::move(area);
      break;
    }
    case tyQuestion: {
      auto question = std::make_unique<TQuestion>();
      question->QuestionText = "Question Text";
      object = std::move(question);
      break;
    }
    case tySuggestion: {
      auto suggestion = std::make_unique<TSuggestion>();
      suggestion->SuggestionText = "Suggestion Text";
      object = std::move(suggestion);
      break;
    }
    default:
      throw EParseError("NewType: Unknown type");
  }
  // The constructor gave ID (0,0) and Date now.
  object->State = osBuiltOutside;
  return object;
}

bool TParser::ParseIdents(TSurvObject& object, int type, int depth) {
  bool order_given = false;
  for (auto token = Next();; token = Next()) {
    switch (token->Kind) {
      case TTokenKind::ObjectKeyword: {
        Parsed child = ParseObject(depth + 1);
        const int child_type = TypeIndex(child.Object->ClassName());
        AddObject(object, std::move(child), type, child_type);
        break;
      }
      case TTokenKind::Ident: {
        std::string name = token->Text;
        auto value = Next();
        if (value->Kind == TTokenKind::Period) {
          const auto suffix = Next();
          if (suffix->Kind != TTokenKind::Ident) Fail("ParseIdents: Expecting ident", *suffix);
          // No property name holds a point, so this always ends below in
          // "SetIdent: Invalid property".
          name += "." + suffix->Text;
          value = Next();
        }
        if (!IsValue(value->Kind)) {
          Fail("ParseIdents: Expecting string literal, integer, or real", *value);
        }
        const int property = PropertyIndex(name);
        SetIdent(object, *value, property, type);
        if (property == prOrder) order_given = true;
        break;
      }
      case TTokenKind::EndKeyword:
        return order_given;
      default:
        Fail("ParseIdents: Unknown token", *token);
    }
  }
}

void TParser::SetIdent(TSurvObject& object, const TToken& value, int property, int type) {
  // A value of the wrong kind is no error: a number gives an empty text, a
  // string gives zeros, and an integer's real value is 0.
  auto invalid = [&value]() { Fail("SetIdent: Invalid property", value); };
  if (property == prID) {
    object.ID = TObjectID{value.IntValue, value.FracValue};
    return;
  }
  if (property == prDate) {
    object.Date = value.RealValue;
    return;
  }
  switch (type) {
    case tyCompany:
      if (property != prName) invalid();
      static_cast<TCompany&>(object).Name = TextOf(value);
      return;
    case tyDepartment:
      if (property != prName) invalid();
      static_cast<TDepartment&>(object).Name = TextOf(value);
      return;
    case tySurvey: {
      auto& survey = static_cast<TSurvey&>(object);
      if (property == prName) {
        survey.Name = TextOf(value);
      } else if (property == prAuthor) {
        survey.Author = TextOf(value);
      } else if (property == prAnsPerQ) {
        survey.AnsPerQ = Low16(value.IntValue);
      } else if (property >= prFreqLbl1 && property < prFreqLbl1 + kFreqLabelCount) {
        survey.SetFreqLabel(property - prFreqLbl1 + 1, TextOf(value));
      } else {
        invalid();
      }
      return;
    }
    case tySkillArea: {
      auto& area = static_cast<TSkillArea&>(object);
      if (property == prName) {
        area.Name = TextOf(value);
      } else if (property >= prQuestPrefix1 && property < prQuestPrefix1 + 4) {
        area.SetPrefix(property - prQuestPrefix1 + 1, TextOf(value));
      } else if (property == prOrder) {
        area.Order = Low16(value.IntValue);
      } else {
        invalid();
      }
      return;
    }
    case tyQuestion: {
      auto& question = static_cast<TQuestion&>(object);
      if (property == prText || property == prQuestionText) {
        question.QuestionText = TextOf(value);
      } else if (property == prOrder) {
        question.Order = Low16(value.IntValue);
      } else if (property == prCRC) {
        question.CRC = value.IntValue;
      } else {
        invalid();
      }
      return;
    }
    case tySuggestion: {
      auto& suggestion = static_cast<TSuggestion&>(object);
      if (property == prText || property == prSuggestionText) {
        suggestion.SuggestionText = TextOf(value);
      } else if (property == prOrder) {
        suggestion.Order = Low16(value.IntValue);
      } else if (property == prCRC) {
        suggestion.CRC = value.IntValue;
      } else {
        invalid();
      }
      return;
    }
    default:
      invalid();
  }
}

void TParser::AddObject(TSurvObject& parent, Parsed child, int parent_type, int child_type) {
  // Each type holds children of the next type only.
  if (child_type != parent_type + 1 || parent_type < tyCompany || child_type > tySuggestion) {
    throw EParseError("AddObject: Invalid property");
  }
  TSurvObject* raw = child.Object.get();
  const std::int16_t order =
      child_type >= tySkillArea ? static_cast<TOrdSurvObject*>(raw)->Order : std::int16_t{0};
  // The list's Add notifies the parent; if it refuses, the child is still
  // ours and is freed with `child`.
  switch (parent_type) {
    case tyCompany:
      static_cast<TCompany&>(parent).Departments().Add(static_cast<TDepartment*>(raw));
      break;
    case tyDepartment:
      static_cast<TDepartment&>(parent).Surveys().Add(static_cast<TSurvey*>(raw));
      break;
    case tySurvey:
      static_cast<TSurvey&>(parent).SkillAreas().Add(static_cast<TSkillArea*>(raw));
      break;
    case tySkillArea:
      static_cast<TSkillArea&>(parent).Questions().Add(static_cast<TQuestion*>(raw));
      break;
    case tyQuestion:
      static_cast<TQuestion&>(parent).Suggestions().Add(static_cast<TSuggestion*>(raw));
      break;
    default:
      throw EParseError("AddObject: Invalid property");
  }
  child.Object.release();  // now owned by the parent's list
  // Adding numbers a new child by its position among its siblings; a block
  // that states its Order keeps it, so a file read back gives the orders it
  // was written with.
  if (child.OrderGiven) static_cast<TOrdSurvObject*>(raw)->Order = order;
}

}  // namespace zelvora
