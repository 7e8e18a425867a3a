// The command table of zelvora360-cli. Each command lives in its own file and
// registers itself with a static CliRegistrar:
//
//   static const CliRegistrar kParse{{"parse", "Print the tree of a text package",
//       "usage: zelvora360-cli parse FILE\n...", RunParse}};
//
// main() handles the global options (--data DIR, --help), `--help` after a
// command name (prints the command's help), and unknown commands (usage on
// standard error, exit 2). A handler returns the process exit status: 0 done,
// 1 the operation failed (message on standard error), 2 bad usage.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelvora::cli {

struct CliContext {
  // The data folder as given by --data; empty when not given (commands that
  // need one resolve it through the configuration).
  std::string data_dir_option;
  std::vector<std::string> args;  // the words after the command name
  std::ostream& out;
  std::ostream& err;
};

struct CliCommand {
  const char* name;
  const char* summary;  // one line for the tool's --help
  const char* help;     // the command's --help text
  std::function<int(CliContext&)> run;
};

class CliRegistrar {
 public:
  explicit CliRegistrar(CliCommand command);
};

const std::map<std::string, CliCommand>& Commands();

// Thrown for a malformed command line; main prints the message and the
// command's usage line and exits 2.
class CliUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The words of a command split into options and positional arguments.
// `with_value` lists the options that take a value ("--size"), `flags` those
// that do not; any other word starting with "--" is a usage error.
struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  std::optional<std::string> Value(const std::string& option) const;
  bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
};
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& with_value,
                     const std::set<std::string>& flags = {});

}  // namespace zelvora::cli
