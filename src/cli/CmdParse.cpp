// zelvora360-cli parse FILE: reads a text-format package and prints the tree
// it holds, one object a line, indented two blanks per level:
//   TSurvey 41.100 "Leadership Practices 360"
//     TSkillArea 41.101 order=0 "Communication"
#include <filesystem>
#include <fstream>
#include <ios>
#include <ostream>
#include <string>

#include "DB/Company.h"
#include "DB/Department.h"
#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/Survey.h"
#include "cli/CliCommand.h"
#include "interchange/Parser.h"

namespace zelvora::cli {
namespace {

template <class List>
void PrintChildren(std::ostream& out, List& list, int level);

void PrintObject(std::ostream& out, TSurvObject& object, int level) {
  out << std::string(static_cast<std::size_t>(level) * 2, ' ') << object.ClassName() << ' '
      << object.ID.Text();
  if (const auto* ordered = dynamic_cast<const TOrdSurvObject*>(&object)) {
    out << " order=" << ordered->Order;
  }
  out << " \"" << object.DisplayText() << "\"\n";

  if (auto* company = dynamic_cast<TCompany*>(&object)) {
    PrintChildren(out, company->Departments(), level + 1);
  } else if (auto* department = dynamic_cast<TDepartment*>(&object)) {
    PrintChildren(out, department->Surveys(), level + 1);
  } else if (auto* survey = dynamic_cast<TSurvey*>(&object)) {
    PrintChildren(out, survey->SkillAreas(), level + 1);
  } else if (auto* area = dynamic_cast<TSkillArea*>(&object)) {
    PrintChildren(out, area->Questions(), level + 1);
  } else if (auto* question = dynamic_cast<TQuestion*>(&object)) {
    PrintChildren(out, question->Suggestions(), level + 1);
  }
}

template <class List>
void PrintChildren(std::ostream& out, List& list, int level) {
  const int count = list.Count();
  for (int i = 0; i < count; ++i) PrintObject(out, *list.Items(i), level);
}

int RunParse(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() != 1) throw CliUsageError("expected one FILE");
  const std::string& file_name = args.positional.front();

  std::error_code ec;
  if (std::filesystem::is_directory(file_name, ec)) {
    context.err << "Cannot open file " << file_name << ": it is a folder\n";
    return 1;
  }
  std::ifstream file(file_name, std::ios::binary);
  if (!file) {
    context.err << "Cannot open file " << file_name << "\n";
    return 1;
  }
  try {
    TParser parser(file);
    parser.DoParse();
    for (const auto& object : parser.TakeObjects()) PrintObject(context.out, *object, 0);
  } catch (const EParseError& e) {
    context.err << e.what() << "\n";
    return 1;
  } catch (const std::ios_base::failure&) {
    // A folder, or a file the system cannot read to its end.
    context.err << "Cannot read file " << file_name << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kParse{
    {"parse", "Print the tree of objects in a text-format package",
     "usage: zelvora360-cli parse FILE\n\n"
     "Reads FILE (the text object format, Windows-1252) and prints every object\n"
     "it holds, one a line, indented two blanks per level: the class name, the\n"
     "ID as Origin.Serial, order=N for skill areas, questions and suggestions,\n"
     "and the name or text in double quotes. On a format error the message with\n"
     "its row and column goes to standard error and the exit status is 1.\n",
     RunParse}};

}  // namespace
}  // namespace zelvora::cli
