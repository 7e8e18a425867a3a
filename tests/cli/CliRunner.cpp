#include "CliRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace zelvora::testing {

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TScratchFolder::TScratchFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

TCliRun RunCli(const std::string& args, const TCliOptions& options) {
  return RunShell(options.env + " " + ShellQuote(ZELVORA_CLI) + " " + args, options);
}

TCliRun RunShell(const std::string& command, const TCliOptions& options) {
  const TScratchFolder capture("zelvora-run");
  const std::string out = capture.File("stdout");
  const std::string err = capture.File("stderr");
  // The braces let redirections inside `command` (such as 2>&1) land in the
  // captured streams.
  const std::string line = "{ " + command + " ; } <" + ShellQuote(options.input) + " >" +
                           ShellQuote(out) +
                           (options.merge_err ? " 2>&1" : " 2>" + ShellQuote(err));
  TCliRun run;
  const int raw = std::system(line.c_str());
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFileBytes(out);
  if (!options.merge_err) run.err = ReadFileBytes(err);
  return run;
}

}  // namespace zelvora::testing
