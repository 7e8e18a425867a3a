// zelvora360-cli [--data DIR] export NAME...: writes the named exports into
// the data folder, as the EXPORTS section of the update control file would.
#include <ostream>
#include <string>

#include "APP/UpdProcess.h"
#include "DB/DataRoot.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

int RunExport(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.empty()) throw CliUsageError("expected at least one export NAME");
  // Every name is checked before anything is written.
  for (const std::string& name : args.positional) {
    if (!TUpdateProcessor::IsExportName(name)) throw CliUsageError("unknown export " + name);
  }
  auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);
  {
    TDataRoot root;
    TUpdateProcessor processor(db->DataDir(), {});
    for (const std::string& name : args.positional) processor.Export(root, name);
  }
  db->Close();
  return 0;
}

const CliRegistrar kExport{
    {"export", "Write exports of the database into the data folder",
     "usage: zelvora360-cli [--data DIR] export NAME...\n"
     "NAME is one of ALL.XML, COMPANIES.XML, SURVEYS.XML, SKILLAREAS.XML (XML\n"
     "documents), COMPANIES (COMP1.DAT), SURVEYS (SURV1.DAT) or SKILLAREAS\n"
     "(SKIL1.DAT) (text packages, the last two renumbered); letter case does\n"
     "not matter. The files are written into the data folder.\n",
     RunExport}};

}  // namespace
}  // namespace zelvora::cli
