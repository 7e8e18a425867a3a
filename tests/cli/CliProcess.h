// Runs zelvora360-cli as a child process for the tests that need real
// processes: started with fork/exec (no shell), its standard output and
// error caught in files of a scratch folder.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelvora::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvora-cli-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string SlurpFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How many times `what` occurs in `text` (overlapping occurrences count).
inline std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

struct CliResult {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// A started command; Wait collects it.
class CliChild {
 public:
  CliChild(const std::vector<std::string>& args, const std::filesystem::path& capture)
      : out_(capture.string() + ".out"), err_(capture.string() + ".err") {
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      const int out = ::open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = ::open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out < 0 || err < 0) ::_exit(127);
      ::dup2(out, 1);
      ::dup2(err, 2);
      std::vector<char*> argv;
      std::string program = ZELVORA_CLI;
      argv.push_back(program.data());
      std::vector<std::string> copy = args;
      for (std::string& arg : copy) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
  }
  CliChild(const CliChild&) = delete;
  CliChild& operator=(const CliChild&) = delete;
  ~CliChild() {
    if (pid_ > 0) Wait();
  }
  pid_t Pid() const { return pid_; }
  CliResult Wait() {
    int raw = 0;
    while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = SlurpFile(out_);
    result.err = SlurpFile(err_);
    return result;
  }

 private:
  pid_t pid_ = -1;
  std::string out_;
  std::string err_;
};

inline CliResult RunCliIn(const ScratchFolder& scratch, const std::vector<std::string>& args) {
  return CliChild(args, scratch.path() / "run").Wait();
}

}  // namespace zelvora::testing
