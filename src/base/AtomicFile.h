// TAtomicFile and WriteFileAtomically: replacing a file so that readers and
// a crash see either the old file whole or the new one whole.
//
// The new content goes to a temporary file with a unique name in the
// target's folder; Commit() flushes it to disk, renames it over the target
// and syncs the folder so the rename itself survives a power cut.
//
// Callers may rely on:
//  - the target keeps its permission bits when it exists; a new file gets
//    rw-r--r--;
//  - a target reached through a symbolic link is replaced at the link's
//    destination, so the link stays;
//  - on any failure (and when a TAtomicFile is destroyed uncommitted) the
//    temporary file is removed and the old target is left as it was;
//  - failures throw EAtomicWriteError, whose message names the target and
//    gives the system's error text, and which tells the step that failed.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvora {

class EAtomicWriteError : public std::runtime_error {
 public:
  enum class Step { kCreate, kWrite, kReplace };
  EAtomicWriteError(Step step, std::string path, std::string reason);

  Step FailedStep() const { return step_; }
  // The target file's name as the caller gave it.
  const std::string& Path() const { return path_; }
  // The system's error text ("No space left on device").
  const std::string& Reason() const { return reason_; }

 private:
  Step step_;
  std::string path_;
  std::string reason_;
};

class TAtomicFile {
 public:
  // Creates the temporary file beside `target` (throws on failure).
  explicit TAtomicFile(std::string target);
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // The temporary file's name, for writers that need a file name of their
  // own; whatever they write there is what Commit() puts in place.
  const std::string& TempPath() const { return temp_; }
  const std::string& Target() const { return target_; }

  void Write(std::string_view bytes);
  // Syncs, renames over the target and syncs the folder. Once only.
  void Commit();

 private:
  [[noreturn]] void Fail(EAtomicWriteError::Step step, int error);

  std::string target_;  // as the caller named it (for messages)
  std::string real_;    // the file actually replaced (a link's destination)
  std::string folder_;
  std::string temp_;
  int fd_ = -1;
  bool committed_ = false;
};

// Replaces the file at `path` by `bytes` (see above).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zelvora
