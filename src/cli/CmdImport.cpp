// zelvora360-cli [--data DIR] import FILE...: imports XML documents, or ".Z"
// archives holding one, as the IMPORTS section of the update control file
// would: companies, library surveys and library skill areas replace those
// with the same ID.
#include <filesystem>
#include <ostream>
#include <string>

#include "APP/UpdProcess.h"
#include "DB/DataRoot.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

int RunImport(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.empty()) throw CliUsageError("expected at least one FILE");
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite);
  std::ostream* err = &context.err;
  int refused = 0;
  {
    TDataRoot root;
    TUpdateProcessor processor(db->DataDir(),
                               [err](const std::string& notice) { *err << notice << "\n"; });
    for (const std::string& file : args.positional) {
      // Names on the command line are relative to the working folder.
      processor.ImportXmlPackage(root, std::filesystem::absolute(file).string());
    }
    refused = processor.Refused();
  }
  db->Close();
  return refused == 0 ? 0 : 1;
}

const CliRegistrar kImport{{"import", "Import XML packages into the database",
                            "usage: zelvora360-cli [--data DIR] import FILE...\n"
                            "Each FILE is an XML document whose first element lists companies,\n"
                            "surveys or skill areas, or a .Z archive holding such a document\n"
                            "under the same name with the extension .xml. Objects replace those\n"
                            "with the same ID; other kinds are reported and skipped. A company\n"
                            "whose replacement would delete subjects, experiences or score\n"
                            "sheets the package does not hold is kept as it is and named on\n"
                            "standard error (exit 1).\n",
                            RunImport}};

}  // namespace
}  // namespace zelvora::cli
