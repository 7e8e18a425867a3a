// zelvora360-cli [--data DIR] disk-make --disk FOLDER [--overwrite]
//     [--rater-program FILE] SHEET-ID...: makes a survey disk in FOLDER as
// the dialog's Make Disk does: the given sheets that are still open are the
// disks to make, and the first of them is made ("dtf.xml" and the rater
// program). One folder holds one disk, so one run makes one disk. Prints the
// message boxes as KIND: TEXT and the two lists afterwards:
//   made: Rater One (1234, Boss)
//   Disks to Make: Rater Two (1240, Peer)
//   Completed Disks: Rater One (1234, Boss)
// A disk already holding a survey is overwritten only with --overwrite.
#include <ostream>
#include <string>
#include <vector>

#include "APP/CONFIGU.h"
#include "UI/model/SurvDisk.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "cli/CliScriptUI.h"
#include "cli/CliSheets.h"

namespace zelvora::cli {
namespace {

// The rater program beside this tool, else the one of the build tree.
std::string DefaultRaterProgram() {
  const std::string beside =
      TConfig::CurrentInputs(std::nullopt).program_dir + "/" + kRaterProgramName;
  std::error_code ec;
  if (std::filesystem::is_regular_file(beside, ec)) return beside;
#ifdef ZELVORA_BUILT_RATER_PROGRAM
  return ZELVORA_BUILT_RATER_PROGRAM;
#else
  return beside;
#endif
}

void PrintList(std::ostream& out, const char* title, const std::vector<TScoreSheet*>& sheets) {
  out << title << ":";
  for (std::size_t i = 0; i < sheets.size(); ++i)
    out << (i == 0 ? " " : "; ") << TSurveyDisks::EntryText(*sheets[i]);
  out << "\n";
}

int RunDiskMake(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--disk", "--rater-program"}, {"--overwrite"});
  const std::optional<std::string> folder = args.Value("--disk");
  if (!folder) throw CliUsageError("--disk FOLDER is required");
  if (args.positional.empty()) throw CliUsageError("expected at least one SHEET-ID");
  std::vector<TObjectID> ids;
  for (const std::string& text : args.positional) {
    const std::optional<TObjectID> id = TObjectID::FromText(text);
    if (!id) throw CliUsageError("SHEET-ID must be written ORIGIN.SERIAL, for example 12.40");
    ids.push_back(*id);
  }
  const std::string program = args.Value("--rater-program").value_or(DefaultRaterProgram());
  bool made = false;
  try {
    auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);
    {
      TDataRoot root;
      std::vector<TScoreSheet*> sheets;
      for (const TObjectID& id : ids) {
        TScoreSheet* sheet = FindScoreSheet(root, id);
        if (sheet == nullptr) {
          context.err << "No score sheet has the ID " << id.Text() << "\n";
          return 1;
        }
        sheets.push_back(sheet);
      }
      TCliScriptUI ui(nullptr, context.out, args.Has("--overwrite"));
      TFileSystemSpace space;
      TSurveyDisks disks(ui, space, program);
      disks.SetDiskFolder(*folder);
      if (disks.CreateDisks(sheets)) {
        TScoreSheet* first = disks.DisksToMake().front();
        made = disks.MakeDisk();
        if (made) context.out << "made: " << TSurveyDisks::EntryText(*first) << "\n";
        PrintList(context.out, "Disks to Make", disks.DisksToMake());
        PrintList(context.out, "Completed Disks", disks.CompletedDisks());
      }
    }
    db->Close();
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return made ? 0 : 1;
}

const CliRegistrar kDiskMake{
    {"disk-make", "Make a survey disk in a folder for an open score sheet",
     "usage: zelvora360-cli [--data DIR] disk-make --disk FOLDER [--overwrite]\n"
     "                      [--rater-program FILE] SHEET-ID...\n"
     "Makes the survey disk of the first open score sheet among SHEET-ID... in\n"
     "FOLDER: the document dtf.xml and the rater program zelvora360-rater\n"
     "(by default the one beside this tool). Refuses as the dialog does: no open\n"
     "sheet, 400,000 bytes free or fewer, a survey already on the disk (unless\n"
     "--overwrite). Prints the messages and both lists; exit 1 when no disk\n"
     "was made.\n",
     RunDiskMake}};

}  // namespace
}  // namespace zelvora::cli
