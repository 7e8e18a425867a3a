// zelvora360-cli tree: prints the whole object tree of the database in the
// data folder, one object a line, indented two blanks per level, with IDs.
#include <ostream>
#include <string>

#include "DB/Survobj.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

class TTreePrinter {
 public:
  explicit TTreePrinter(std::ostream& out) : out_(out) {}

  void Company(TCompany& company) {
    Line(0) << "Company " << company.ID.Text() << " \"" << company.Name << "\"\n";
    try {
      for (const TCategory& category : company.ParseCategories()) {
        Line(1) << "Category " << category.Number << " \"" << category.Name << "\"\n";
      }
    } catch (const std::exception& error) {
      Line(1) << "Categories unreadable: " << error.what() << "\n";
    }
    auto& departments = company.Departments();
    for (int i = 0; i < departments.Size(); ++i) Department(*departments.At(i));
    auto& raters = company.Raters();
    for (int i = 0; i < raters.Size(); ++i) {
      Line(1) << "Rater " << raters.At(i)->ID.Text() << " \"" << raters.At(i)->Name << "\"\n";
    }
  }

  void Department(TDepartment& department) {
    Line(1) << "Department " << department.ID.Text() << " \"" << department.Name << "\"\n";
    auto& surveys = department.Surveys();
    for (int i = 0; i < surveys.Size(); ++i) {
      TSurvey& survey = *surveys.At(i);
      Line(2) << "Survey " << survey.ID.Text() << " \"" << survey.Name << "\" ("
              << survey.SkillAreas().Size() << " skill areas, " << survey.Questions().Size()
              << " questions, completed sheets " << (survey.HasCompletedSheets ? "yes" : "no")
              << ")\n";
    }
    auto& subjects = department.Subjects();
    for (int i = 0; i < subjects.Size(); ++i) {
      Line(2) << "Subject " << subjects.At(i)->ID.Text() << " \"" << subjects.At(i)->Name << "\"\n";
    }
    auto& experiences = department.Experiences();
    for (int i = 0; i < experiences.Size(); ++i) Experience(*experiences.At(i));
  }

  void Experience(TExperience& experience) {
    Line(2) << "Experience " << experience.ID.Text() << " " << experience.DisplayText()
            << " subject " << experience.SubjectID.Text() << " survey "
            << experience.SurveyID.Text() << "\n";
    auto& sheets = experience.ScoreSheets();
    for (int i = 0; i < sheets.Size(); ++i) {
      TScoreSheet& sheet = *sheets.At(i);
      int answered = 0;
      for (const std::int8_t answer : sheet.AnswersBuf) answered += answer > 0 ? 1 : 0;
      Line(3) << "Score sheet " << sheet.ID.Text() << " \"" << sheet.RaterName << "\" category "
              << sheet.RaterCategory << (sheet.Completed ? " completed" : " open") << ", "
              << answered << " answers\n";
    }
  }

  void Survey(TSurvey& survey, int level) {
    Line(level) << "Survey " << survey.ID.Text() << " \"" << survey.Name << "\" by \""
                << survey.Author << "\" (" << survey.AnsPerQ << " answers per question)\n";
    auto& areas = survey.SkillAreas();
    areas.SortByOrder();
    for (int i = 0; i < areas.Size(); ++i) SkillArea(*areas.At(i), level + 1);
  }

  void SkillArea(TSkillArea& area, int level) {
    Line(level) << "Skill area " << area.ID.Text() << " order " << area.Order << " \"" << area.Name
                << "\"\n";
    auto& questions = area.Questions();
    questions.SortByOrder();
    for (int i = 0; i < questions.Size(); ++i) {
      TQuestion& question = *questions.At(i);
      Line(level + 1) << "Question " << question.ID.Text() << " order " << question.Order << " \""
                      << question.QuestionText << "\"\n";
      auto& suggestions = question.Suggestions();
      suggestions.SortByOrder();
      for (int k = 0; k < suggestions.Size(); ++k) {
        Line(level + 2) << "Suggestion " << suggestions.At(k)->ID.Text() << " order "
                        << suggestions.At(k)->Order << " \"" << suggestions.At(k)->SuggestionText
                        << "\"\n";
      }
    }
  }

 private:
  std::ostream& Line(int level) {
    out_ << std::string(static_cast<std::size_t>(level) * 2, ' ');
    return out_;
  }
  std::ostream& out_;
};

int RunTree(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (!args.positional.empty()) throw CliUsageError("tree takes no arguments");
  auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);
  {
    TDataRoot root;
    TTreePrinter printer(context.out);
    auto& companies = root.Companies();
    for (int i = 0; i < companies.Size(); ++i) printer.Company(*companies.At(i));
    context.out << "Library surveys\n";
    auto& surveys = root.LibrarySurveys();
    for (int i = 0; i < surveys.Size(); ++i) printer.Survey(*surveys.At(i), 1);
    context.out << "Library skill areas\n";
    auto& areas = root.LibrarySkillAreas();
    areas.SortByOrder();
    for (int i = 0; i < areas.Size(); ++i) printer.SkillArea(*areas.At(i), 1);
  }
  db->Close();
  return 0;
}

const CliRegistrar kTree{{"tree", "Print the database's whole object tree",
                          "usage: zelvora360-cli [--data DIR] tree\n"
                          "Prints companies (categories, departments with their surveys,\n"
                          "subjects, experiences and score sheets, raters), then the library\n"
                          "surveys and library skill areas, one object a line with its ID.\n",
                          RunTree}};

}  // namespace
}  // namespace zelvora::cli
