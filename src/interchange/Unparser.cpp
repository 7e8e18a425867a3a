#include "interchange/Unparser.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "DB/Company.h"
#include "DB/Department.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/SurvList.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"

namespace zelvora {
namespace {

// Shared by every writer of the process: two exports in one run continue
// the same numbering.
std::atomic<std::int32_t> gRenumberSerial{1};

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kIndentStep = 2;

std::runtime_error IoError(const std::string& what, const std::string& file_name) {
  return std::runtime_error(what + " \"" + file_name + "\": " + std::strerror(errno));
}

}  // namespace

TUnparser::TUnparser(const std::string& file_name, bool renumber)
    : file_name_(file_name), renumber_(renumber) {
  file_ = std::fopen(file_name.c_str(), "wb");
  if (file_ == nullptr) throw IoError("Cannot create file", file_name);
}

TUnparser::~TUnparser() {
  if (file_ != nullptr) std::fclose(file_);
}

void TUnparser::Close() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) throw IoError("Cannot write file", file_name_);
}

std::int32_t TUnparser::NextRenumberSerial() { return gRenumberSerial.load(); }

std::string TUnparser::CleanText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool in_run = false;
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 32) {
      if (!in_run) out.push_back(' ');
      in_run = true;
    } else {
      out.push_back(c);
      in_run = false;
    }
  }
  // A backslash at the end of a line continues the value on the next line
  // when read back, swallowing the following property; a blank after it
  // keeps the lines apart.
  if (!out.empty() && out.back() == '\\') out.push_back(' ');
  return out;
}

void TUnparser::DoUnparse(TSurvObject& object) {
  switch (object.Kind()) {
    case okCompany:
    case okDepartment:
    case okSurvey:
    case okSkillArea:
    case okQuestion:
    case okSuggestion:
      Dispatch(object);
      return;
    default:
      throw ESurvObjError("DoUnparse: Unknown type");
  }
}

void TUnparser::Dispatch(TSurvObject& object) {
  switch (object.Kind()) {
    case okCompany:
      Unparse(static_cast<TCompany&>(object));
      break;
    case okDepartment:
      Unparse(static_cast<TDepartment&>(object));
      break;
    case okSurvey:
      Unparse(static_cast<TSurvey&>(object));
      break;
    case okSkillArea:
      Unparse(static_cast<TSkillArea&>(object));
      break;
    case okQuestion:
      Unparse(static_cast<TQuestion&>(object));
      break;
    case okSuggestion:
      Unparse(static_cast<TSuggestion&>(object));
      break;
    default:
      throw ESurvObjError("DoUnparse: Unknown type");
  }
}

void TUnparser::Unparse(TCompany& company) {
  WriteHeader("TCompany", company);
  WriteText("Name", company.Name);
  WriteEmptyLine();
  TDepartmentList& departments = company.Departments();
  for (int i = 0; i < departments.Count(); ++i) Dispatch(*departments.Items(i));
  WriteEnd();
}

void TUnparser::Unparse(TDepartment& department) {
  WriteHeader("TDepartment", department);
  WriteText("Name", department.Name);
  WriteEmptyLine();
  TSurveyList& surveys = department.Surveys();
  for (int i = 0; i < surveys.Count(); ++i) Dispatch(*surveys.Items(i));
  WriteEnd();
}

void TUnparser::Unparse(TSurvey& survey) {
  WriteHeader("TSurvey", survey);
  WriteText("Name", survey.Name);
  WriteText("Author", survey.Author);
  WriteInt("AnsPerQ", survey.AnsPerQ);
  for (std::size_t i = 0; i < survey.FreqLabels.size(); ++i) {
    WriteText("FreqLbl" + std::to_string(i + 1), survey.FreqLabels[i]);
  }
  WriteEmptyLine();
  TSkillAreaList& areas = survey.SkillAreas();
  for (int i = 0; i < areas.Count(); ++i) Dispatch(*areas.Items(i));
  WriteEnd();
}

void TUnparser::Unparse(TSkillArea& area) {
  WriteHeader("TSkillArea", area);
  WriteInt("Order", area.Order);
  WriteText("Name", area.Name);
  for (std::size_t i = 0; i < area.QuestPrefix.size(); ++i) {
    WriteText("QuestPrefix" + std::to_string(i + 1), area.QuestPrefix[i]);
  }
  WriteEmptyLine();
  TQuestionList& questions = area.Questions();
  for (int i = 0; i < questions.Count(); ++i) Dispatch(*questions.Items(i));
  WriteEnd();
}

void TUnparser::Unparse(TQuestion& question) {
  WriteHeader("TQuestion", question);
  WriteInt("Order", question.Order);
  WriteText("QuestionText", question.QuestionText);
  WriteEmptyLine();
  TSuggestionList& suggestions = question.Suggestions();
  for (int i = 0; i < suggestions.Count(); ++i) Dispatch(*suggestions.Items(i));
  WriteEnd();
}

void TUnparser::Unparse(TSuggestion& suggestion) {
  WriteHeader("TSuggestion", suggestion);
  WriteInt("Order", suggestion.Order);
  WriteText("SuggestionText", suggestion.SuggestionText);
  WriteEnd();
}

// "object <class>", then (indented) the ID and the Date.
void TUnparser::WriteHeader(const char* class_name, TSurvObject& object) {
  WriteLine(std::string("object ") + class_name);
  indent_ += kIndentStep;
  std::int32_t origin = object.ID.Origin;
  std::int32_t serial = object.ID.Serial;
  if (renumber_) {
    origin = kRenumberOrigin;
    serial = gRenumberSerial.fetch_add(1);
  }
  WriteLine("ID " + std::to_string(origin) + "." + std::to_string(serial));
  char date[64];
  std::snprintf(date, sizeof date, "%.7f", object.Date);
  WriteLine(std::string("Date ") + date);
}

void TUnparser::WriteEnd() {
  indent_ -= kIndentStep;
  WriteLine("end");
  WriteEmptyLine();
}

void TUnparser::WriteInt(std::string_view name, long long value) {
  WriteLine(std::string(name) + " " + std::to_string(value));
}

void TUnparser::WriteText(std::string_view name, std::string_view text) {
  WriteLine(std::string(name) + " '" + CleanText(text));
}

void TUnparser::WriteLine(std::string_view text) {
  std::string line(static_cast<std::size_t>(indent_), ' ');
  line += Utf8ToCp1252(text);
  line += kLineEnd;
  WriteRaw(line);
}

void TUnparser::WriteEmptyLine() { WriteRaw(kLineEnd); }

void TUnparser::WriteRaw(std::string_view bytes) {
  if (file_ == nullptr)
    throw std::runtime_error("Cannot write file \"" + file_name_ + "\": closed");
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw IoError("Cannot write file", file_name_);
  }
}

}  // namespace zelvora
