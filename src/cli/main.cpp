// zelvora360-cli: the system without a window, for scripts and tests.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"

namespace {

using zelvora::cli::CliContext;
using zelvora::cli::CliUsageError;
using zelvora::cli::Commands;

void PrintToolHelp(std::ostream& os) {
  os << "usage: zelvora360-cli [--data DIR] COMMAND [ARGS...]\n"
        "       zelvora360-cli COMMAND --help\n\n"
        "Options:\n"
        "  --data DIR   the data folder (default: $ZELVORA360_HOME, else the\n"
        "               program's folder when writable, else\n"
        "               $XDG_DATA_HOME/zelvora360)\n"
        "  --help       this text\n\n"
        "Commands:\n";
  for (const auto& [name, command] : Commands()) {
    std::string padded = name;
    padded.resize(std::max<std::size_t>(padded.size() + 2, 14), ' ');
    os << "  " << padded << command.summary << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string data_dir;
  std::size_t i = 0;
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "--help" || w == "-h") {
      PrintToolHelp(std::cout);
      return 0;
    } else if (w == "--data") {
      if (i + 1 >= words.size()) {
        std::cerr << "zelvora360-cli: --data needs a folder\n";
        return 2;
      }
      data_dir = words[++i];
    } else if (w.rfind("--data=", 0) == 0) {
      data_dir = w.substr(7);
    } else if (w.rfind("-", 0) == 0) {
      std::cerr << "zelvora360-cli: unknown option " << w << "\n";
      PrintToolHelp(std::cerr);
      return 2;
    } else {
      break;
    }
  }
  if (i >= words.size()) {
    std::cerr << "zelvora360-cli: no command given\n";
    PrintToolHelp(std::cerr);
    return 2;
  }
  const auto it = Commands().find(words[i]);
  if (it == Commands().end()) {
    std::cerr << "zelvora360-cli: unknown command " << words[i] << "\n";
    PrintToolHelp(std::cerr);
    return 2;
  }
  const auto& command = it->second;
  CliContext context{
      data_dir, {words.begin() + static_cast<long>(i) + 1, words.end()}, std::cout, std::cerr};
  for (const auto& arg : context.args) {
    if (arg == "--help") {
      std::cout << command.help;
      return 0;
    }
  }
  try {
    const int status = command.run(context);
    // A message about damage on standard error is never followed by success.
    return status == 0 && zelvora::cli::CliDatabaseReportedErrors() ? 1 : status;
  } catch (const CliUsageError& e) {
    std::cerr << "zelvora360-cli " << command.name << ": " << e.what() << "\n" << command.help;
    return 2;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
