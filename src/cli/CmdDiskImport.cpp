// zelvora360-cli [--data DIR] disk-import --disk FOLDER [--sheet SHEET-ID]:
// reads the survey disk in FOLDER and saves its answers as the dialog's Read
// Disk and Save Survey do, into the sheet the disk's IDs name or into
// SHEET-ID. Prints the fields and the status, then the messages:
//   Company: Northwind Logistics
//   ...
//   Status: Survey Complete
//   info: Survey Saved Successfully.
// Exit 1, with the message, when nothing was saved.
#include <ostream>
#include <string>

#include "UI/model/SurvDisk.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "cli/CliScriptUI.h"
#include "cli/CliSheets.h"

namespace zelvora::cli {
namespace {

int RunDiskImport(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--disk", "--sheet"});
  const std::optional<std::string> folder = args.Value("--disk");
  if (!folder) throw CliUsageError("--disk FOLDER is required");
  if (!args.positional.empty()) throw CliUsageError("unexpected " + args.positional.front());
  std::optional<TObjectID> sheet_id;
  if (const auto text = args.Value("--sheet")) {
    sheet_id = TObjectID::FromText(*text);
    if (!sheet_id) throw CliUsageError("SHEET-ID must be written ORIGIN.SERIAL, for example 12.40");
  }
  bool saved = false;
  try {
    auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
    {
      TDataRoot root;
      TCliScriptUI ui(nullptr, context.out, false);
      TFileSystemSpace space;
      TSurveyDisks disks(ui, space, std::string());
      disks.SetDiskFolder(*folder);
      if (sheet_id) {
        TScoreSheet* target = FindScoreSheet(root, *sheet_id);
        if (target == nullptr) {
          context.err << "No score sheet has the ID " << sheet_id->Text() << "\n";
          return 1;
        }
        disks.ImportDisk(root, *target);
      } else {
        disks.ImportDisks(root);
      }
      const bool read = disks.ReadDisk();
      if (read) {
        const TSurveyDisks::TFields& f = disks.Fields();
        context.out << "Company: " << f.Company << "\n"
                    << "Department: " << f.Department << "\n"
                    << "Survey: " << f.Survey << "\n"
                    << "Subject: " << f.Subject << "\n"
                    << "Experience: " << f.Experience << "\n"
                    << "Reference #: " << f.Reference << "\n"
                    << "Category: " << f.Category << "\n";
      }
      context.out << "Status: " << disks.Status() << "\n";
      if (disks.SaveEnabled()) saved = disks.SaveSurvey();
      disks.Close();
    }
    db->Close();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return saved ? 0 : 1;
}

const CliRegistrar kDiskImport{
    {"disk-import", "Import the answers of a survey disk",
     "usage: zelvora360-cli [--data DIR] disk-import --disk FOLDER [--sheet SHEET-ID]\n"
     "Reads the survey disk in FOLDER (its dtf.xml), prints its fields and status,\n"
     "and when the disk is complete saves its answers into the score sheet its IDs\n"
     "name, or into SHEET-ID. Exit 1 when nothing was saved (the message says why).\n",
     RunDiskImport}};

}  // namespace
}  // namespace zelvora::cli
