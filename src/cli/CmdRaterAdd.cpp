// zelvora360-cli [--data DIR] rater-add EXPERIENCE-ID CATEGORY NAME...: adds
// an open score sheet for a rater to an experience, as the Control Center's
// rater dialog does with "&Add": the category is one of the company's
// categories other than Self, the name is not yet a rater of the experience
// (letter case ignored), and a name new to the company joins its directory of
// raters. Prints "Score sheet ORIGIN.SERIAL: NAME (CATEGORY)".
#include <ostream>
#include <string>

#include "DB/Survobj.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

TExperience* FindExperience(TDataRoot& root, const TObjectID& id) {
  TCompanyList& companies = root.Companies();
  for (int c = 0; c < companies.Size(); ++c) {
    TDepartmentList& departments = companies.At(c)->Departments();
    for (int d = 0; d < departments.Size(); ++d) {
      if (TExperience* experience = departments.At(d)->Experiences().FindByID(id))
        return experience;
    }
  }
  return nullptr;
}

int RunRaterAdd(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() < 3) throw CliUsageError("expected EXPERIENCE-ID, CATEGORY and NAME");
  const std::optional<TObjectID> id = TObjectID::FromText(args.positional[0]);
  if (!id) throw CliUsageError("EXPERIENCE-ID must be written ORIGIN.SERIAL, for example 12.40");
  const std::string& category_name = args.positional[1];
  std::string name;
  for (std::size_t i = 2; i < args.positional.size(); ++i)
    name += (i > 2 ? " " : "") + args.positional[i];
  try {
    auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
    {
      TDataRoot root;
      TExperience* experience = FindExperience(root, *id);
      if (experience == nullptr) {
        context.err << "No experience has the ID " << id->Text() << "\n";
        return 1;
      }
      TCompany& company = *experience->Department->Company;
      int number = -1;
      for (const TCategory& category : company.ParseCategories()) {
        if (category.Number != 0 && category.Name == category_name) number = category.Number;
      }
      if (number < 0) {
        context.err << "\"" << category_name << "\" is not a rater category of " << company.Name
                    << " other than Self\n";
        return 1;
      }
      experience->ScoreSheets();  // loaded, so that its rater names are known
      if (experience->HasRaterName(name)) {
        context.err << "\"" << name << "\" already rates this experience\n";
        return 1;
      }
      auto fresh = std::make_unique<TScoreSheet>();
      fresh->RaterName = name;
      fresh->RaterCategory = static_cast<std::int16_t>(number);
      TScoreSheet* sheet = experience->ScoreSheets().Adopt(std::move(fresh));
      company.EnsureRater(name);
      context.out << "Score sheet " << sheet->ID.Text() << ": " << name << " (" << category_name
                  << ")\n";
    }
    db->Close();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kRaterAdd{
    {"rater-add", "Add an open score sheet for a rater to an experience",
     "usage: zelvora360-cli [--data DIR] rater-add EXPERIENCE-ID CATEGORY NAME...\n"
     "Adds a score sheet for the rater NAME in the category CATEGORY (a name of\n"
     "the company's table other than Self) to the experience EXPERIENCE-ID, and\n"
     "NAME to the company's raters when it is new. Refuses a name that already\n"
     "rates the experience (letter case ignored).\n",
     RunRaterAdd}};

}  // namespace
}  // namespace zelvora::cli
