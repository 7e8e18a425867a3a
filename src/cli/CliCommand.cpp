#include "cli/CliCommand.h"

namespace zelvora::cli {
namespace {

std::map<std::string, CliCommand>& Table() {
  static std::map<std::string, CliCommand> table;
  return table;
}

}  // namespace

CliRegistrar::CliRegistrar(CliCommand command) {
  Table().emplace(command.name, std::move(command));
}

const std::map<std::string, CliCommand>& Commands() { return Table(); }

std::optional<std::string> ParsedArgs::Value(const std::string& option) const {
  const auto it = values.find(option);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& with_value,
                     const std::set<std::string>& flags) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() > 2 && word.rfind("--", 0) == 0) {
      std::string name = word;
      std::optional<std::string> inline_value;
      if (const auto eq = word.find('='); eq != std::string::npos) {
        name = word.substr(0, eq);
        inline_value = word.substr(eq + 1);
      }
      if (with_value.count(name)) {
        if (inline_value) {
          parsed.values[name] = *inline_value;
        } else if (i + 1 < args.size()) {
          parsed.values[name] = args[++i];
        } else {
          throw CliUsageError("option " + name + " needs a value");
        }
      } else if (flags.count(name) && !inline_value) {
        parsed.flags.insert(name);
      } else {
        throw CliUsageError("unknown option " + word);
      }
    } else {
      parsed.positional.push_back(word);
    }
  }
  return parsed;
}

}  // namespace zelvora::cli
