#include <ostream>

#include "cli/CliCommand.h"

namespace zelvora::cli {
namespace {

int RunVersion(CliContext& context) {
  if (!context.args.empty()) throw CliUsageError("version takes no arguments");
  context.out << "zelvora360-cli 0.1\n";
  return 0;
}

const CliRegistrar kVersion{
    {"version", "Print the program's version", "usage: zelvora360-cli version\n", RunVersion}};

}  // namespace
}  // namespace zelvora::cli
