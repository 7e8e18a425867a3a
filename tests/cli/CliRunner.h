// Runs the real zelvora360-cli for the command-line tests and captures what
// it prints.
#pragma once

#include <filesystem>
#include <string>

namespace zelvora::testing {

struct TCliRun {
  int status = -1;  // the exit status; -1 when the program did not exit
  std::string out;  // standard output (with standard error when merged)
  std::string err;  // standard error, unless merged into `out`
};

struct TCliOptions {
  std::string env;                  // an environment prefix such as "ZELVORA360_HOME=/x"
  std::string input = "/dev/null";  // standard input
  bool merge_err = false;           // standard error into `out`, in order
};

// Runs the program with `args`, already quoted for the shell.
TCliRun RunCli(const std::string& args, const TCliOptions& options = {});
// Runs a shell command line the same way (options.env is not used).
TCliRun RunShell(const std::string& command, const TCliOptions& options = {});

// `text` in single quotes for the shell.
std::string ShellQuote(const std::string& text);

std::string ReadFileBytes(const std::filesystem::path& path);

// A new empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TScratchFolder {
 public:
  explicit TScratchFolder(const std::string& prefix = "zelvora-cli");
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace zelvora::testing
