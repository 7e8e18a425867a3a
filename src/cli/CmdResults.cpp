// zelvora360-cli results: the numbers behind an Individual (one experience)
// or Composite (several) report as a comma-separated table.
#ifdef ZELVORA_HAVE_QT
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "DB/Survobj.h"
#include "base/Cp1252.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "report/ReportResults.h"
#include "report/ReportSource.h"

namespace zelvora::cli {
namespace {

int RunResults(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--select", "--csv"});
  if (!args.positional.empty()) throw CliUsageError("results takes only options");
  std::vector<TObjectID> ids;
  std::stringstream words(args.Value("--select").value_or(""));
  std::string word;
  while (std::getline(words, word, ',')) {
    if (word.empty()) continue;
    const auto id = TObjectID::FromText(word);
    if (!id) throw CliUsageError("--select takes IDs written as n.n, not \"" + word + "\"");
    ids.push_back(*id);
  }
  if (ids.empty()) throw CliUsageError("results needs --select with at least one ID");
  const auto csv = args.Value("--csv");
  if (!csv) throw CliUsageError("results needs --csv OUT.csv");
  auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);
  std::string table;
  try {
    TDataRoot root;
    const std::vector<TReportSourceEntry> entries = ExperienceEntries(root, ids);
    std::vector<const TReportExperience*> experiences;
    for (const auto& entry : entries) experiences.push_back(entry.Data.get());
    table = ResultsCsv(experiences);
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
     "One experience gives the Individual report's numbers, several the Composite\n"
     "report's: per skill area and per question, one row per rater category with N,\n"
     "R, the counts of gaps 0 to 4 and -1 to -4 and the average gap size.\n",
     RunResults}};

}  // namespace
}  // namespace zelvora::cli
#endif
