// zelvora360-cli backup: the full backup of the database onto a set of
// disks (folders), as the program's "Full Backup" makes it.
#include <charconv>
#include <ostream>

#include "DB/Backup.h"
#include "cli/CliDatabase.h"
#include "cli/CliDiskOperator.h"

namespace zelvora::cli {
namespace {

const char* const kHelp =
    "usage: zelvora360-cli [--data DIR] backup [--disk-size BYTES] DISK...\n"
    "Packs the ten data files into one archive and spreads it over the DISKs,\n"
    "folders taken in order as disk 1, 2, ...: each gets the label file\n"
    "\"Backup<n>\" and the piece \"Bk360.b<n>\". Every DISK must exist and hold\n"
    "no file. --disk-size caps the free space each disk offers (1457664 for\n"
    "1.44 MB disks). When the set needs another disk and none is left, the\n"
    "command stops with the program's prompt and exits 1; the disk being\n"
    "written is then emptied again, as a Cancel leaves it.\n";

std::optional<std::uint64_t> ParseDiskSize(const ParsedArgs& args) {
  const std::optional<std::string> text = args.Value("--disk-size");
  if (!text) return std::nullopt;
  std::uint64_t value = 0;
  const char* end = text->data() + text->size();
  auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end || value == 0) {
    throw CliUsageError("--disk-size needs a positive number of bytes");
  }
  return value;
}

int RunBackup(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--disk-size"});
  if (args.positional.empty()) throw CliUsageError("backup needs at least one DISK");
  const std::optional<std::uint64_t> disk_size = ParseDiskSize(args);
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
  CliDiskOperator user({args.positional.begin() + 1, args.positional.end()}, context.out,
                       StdoutIsTerminal());
  TFolderFreeSpace space(disk_size);
  TBackup backup(*db, space, user);
  const TBackupOutcome outcome = backup.Run(args.positional.front());
  db->Close();
  if (outcome != TBackupOutcome::kDone) {
    context.err << user.StopMessage().value_or("Backup cancelled.") << "\n";
    return 1;
  }
  context.out << "Backup of " << backup.ArchiveSize() << " bytes written to "
              << backup.DisksWritten() << (backup.DisksWritten() == 1 ? " disk.\n" : " disks.\n");
  return 0;
}

const CliRegistrar kBackup{
    {"backup", "Back the database up onto a set of disks", kHelp, RunBackup}};

}  // namespace
}  // namespace zelvora::cli
