// zelvora360-cli [--data DIR] disk-write SHEET-ID FILE: writes the survey-disk
// document for the score sheet with that ID ("%d.%d") to FILE, exactly as a
// survey disk is made for a rater.
#include <ostream>
#include <string>

#include "DB/Survobj.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "cli/CliSheets.h"
#include "interchange/SurvMap.h"

namespace zelvora::cli {
namespace {

int RunDiskWrite(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() != 2) throw CliUsageError("expected SHEET-ID and FILE");
  const std::optional<TObjectID> id = TObjectID::FromText(args.positional[0]);
  if (!id) throw CliUsageError("SHEET-ID must be written ORIGIN.SERIAL, for example 12.40");
  const std::string& file_name = args.positional[1];
  try {
    auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);
    {
      TDataRoot root;
      TScoreSheet* sheet = FindScoreSheet(root, *id);
      if (sheet == nullptr) {
        context.err << "No score sheet has the ID " << id->Text() << "\n";
        return 1;
      }
      TSurveyMapper::WriteSurveyDisk(file_name, *sheet);
    }
    db->Close();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kDiskWrite{{"disk-write", "Write the survey-disk document of a score sheet",
                               "usage: zelvora360-cli [--data DIR] disk-write SHEET-ID FILE\n"
                               "Writes the survey-disk document (dtf.xml) for the score sheet\n"
                               "with the ID SHEET-ID (ORIGIN.SERIAL) to FILE.\n",
                               RunDiskWrite}};

}  // namespace
}  // namespace zelvora::cli
