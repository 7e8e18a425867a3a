// zelvora360-cli results: the numbers behind a report of any kind over
// experiences as one comma-separated table (see report/ReportResults.h).
#ifdef ZELVORA_HAVE_QT
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "APP/CONFIGU.h"
#include "DB/Survobj.h"
#include "base/Cp1252.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "report/ReportResults.h"
#include "report/ReportSource.h"

namespace zelvora::cli {
namespace {

std::vector<TObjectID> Ids(const std::optional<std::string>& text, const std::string& option) {
  std::vector<TObjectID> ids;
  std::stringstream words(text.value_or(""));
  std::string word;
  while (std::getline(words, word, ',')) {
    if (word.empty()) continue;
    const auto id = TObjectID::FromText(word);
    if (!id) throw CliUsageError(option + " takes IDs written as n.n, not \"" + word + "\"");
    ids.push_back(*id);
  }
  return ids;
}

int RunResults(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--select", "--csv", "--kind", "--departments"});
  if (!args.positional.empty()) throw CliUsageError("results takes only options");
  const std::vector<TObjectID> ids = Ids(args.Value("--select"), "--select");
  if (ids.empty()) throw CliUsageError("results needs --select with at least one ID");
  const auto csv = args.Value("--csv");
  if (!csv) throw CliUsageError("results needs --csv OUT.csv");
  static const std::map<std::string, int> kinds{{"individual", kReportIndividual},
                                                {"composite", kReportComposite},
                                                {"comparative", kReportComparative},
                                                {"organizational", kReportOrganizational},
                                                {"training", kReportTraining}};
  TResultsRequest request;
  request.Kind = ids.size() == 1 ? kReportIndividual : kReportComposite;
  if (const auto kind = args.Value("--kind")) {
    const auto found = kinds.find(*kind);
    if (found == kinds.end())
      throw CliUsageError(
          "--kind must be individual, composite, comparative, organizational or training");
    request.Kind = found->second;
  }
  const std::vector<TObjectID> departments = Ids(args.Value("--departments"), "--departments");
  auto db = OpenCliDatabase(context);
  // The bar marks of the data folder's report configuration decide, as in the
  // printed report, which bars count as over or under the scale.
  TReportConfig config;
  {
    std::optional<std::string> data_dir;
    if (!context.data_dir_option.empty()) data_dir = context.data_dir_option;
    const TConfig settings(data_dir);
    config.Read(settings.Settings());
  }
  request.Marks = {config.GraphUnder(), config.GraphOver()};
  std::string table;
  try {
    TDataRoot root;
    const std::vector<TReportSourceEntry> entries = ExperienceEntries(root, ids);
    for (const auto& entry : entries) request.Experiences.push_back(entry.Data.get());
    for (const TReportDepartment& d : DepartmentEntries(root, departments))
      if (d.Selected) request.Departments.push_back(d.Name);
    table = ResultsCsvFor(request);
  } catch (const std::exception& error) {
    context.err << error.what() << "\n";
    return 1;
  }
  db->Close();
  // Written beside the target first so that a failed write leaves no half file.
  const std::string temporary = *csv + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << Utf8ToCp1252(table);
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      context.err << "Could not write " << *csv << "\n";
      return 1;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, *csv, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    context.err << "Could not write " << *csv << "\n";
    return 1;
  }
  context.out << "Wrote " << *csv << "\n";
  return 0;
}

const CliRegistrar kResults{
    {"results", "Write the numbers behind a report as a CSV table",
     "usage: zelvora360-cli [--data DIR] results --select ID,... --csv OUT.csv\n"
     "       [--kind individual|composite|comparative|organizational|training]\n"
     "       [--departments ID,...]\n"
     "The experiences are selected as for the report command; without --kind one\n"
     "experience gives the Individual numbers, several the Composite ones. One\n"
     "table per run, columns:\n"
     "  Kind,Number,Text,Category,N,R,Gap 0,...,Gap 4,Gap -1,...,Gap -4,Average,\n"
     "  Group,Tag\n"
     "Kind names the row kind; fields a kind has no value for are empty:\n"
     "  Skill area, Question   individual/composite: per skill area or question\n"
     "                         (Number, Text) one row per rater category with N, R,\n"
     "                         the counts of every gap size and the average\n"
     "  Strength, Need         the Overview's ranking per group (Group), the\n"
     "                         average and \"Check\" (Tag) on needs to examine\n"
     "  Summary                the Summary's practices per category, ascending\n"
     "  Comparative            per question and category the Current and the\n"
     "                         Previous experience (Group); the verdict in Tag\n"
     "  Organizational skill area, Organizational item\n"
     "                         per category one row per selected department\n"
     "                         (Group; --departments names them)\n"
     "  Training               per category, participant (Text; date in Group)\n"
     "                         and question (Number) the participant's average\n"
     "  Training total         per category and question the average gap size\n"
     "Comparative: two experiences of each subject, one subject after the other.\n",
     RunResults}};

}  // namespace
}  // namespace zelvora::cli
#endif
