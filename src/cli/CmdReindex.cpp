// zelvora360-cli reindex: rebuilds every index of the database in the data
// folder and reports whether every record was keyed again, and which
// records have lost their parent.
#include <ostream>

#include "DB/Survobj.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

int RunReindex(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (!args.positional.empty()) throw CliUsageError("reindex takes no arguments");
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
  const bool all_keyed = db->ReindexAll();
  context.out << (all_keyed ? "Every record was keyed again.\n"
                            : "Some records could not be keyed again.\n");
  const std::vector<TOrphanRecord> orphans = db->FindOrphans();
  for (const TOrphanRecord& orphan : orphans) {
    const TFileblockInfo& info = FileblockInfo(orphan.Fileblock);
    const TFileblockInfo& parent = FileblockInfo(info.ParentFileblock);
    context.out << "Orphan " << KindClassName(info.Kind) << " " << orphan.ID.Text() << " in "
                << info.BaseName << ": its " << KindClassName(parent.Kind) << " "
                << orphan.Parent.Text() << " is gone\n";
  }
  context.out << orphans.size() << " orphan records\n";
  db->Close();
  return all_keyed ? 0 : 1;
}

const CliRegistrar kReindex{{"reindex", "Rebuild every index of the database",
                             "usage: zelvora360-cli [--data DIR] reindex\n"
                             "Rebuilds the index of every record file, says whether every record\n"
                             "was keyed again (exit 1 when not) and lists records whose parent is\n"
                             "gone.\n",
                             RunReindex}};

}  // namespace
}  // namespace zelvora::cli
