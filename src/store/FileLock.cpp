#include "store/FileLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace zelvora {

namespace {

// The lock file holds the exclusive holder's process ID as decimal digits
// and a line feed, or nothing.
long ReadHolderPid(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[32] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  ::close(fd);
  if (got <= 0) return 0;
  char* end = nullptr;
  const long pid = std::strtol(text, &end, 10);
  if (pid <= 0 || end == text) return 0;
  // A holder that was killed left its number behind; it holds nothing now.
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return 0;
  return pid;
}

int LockNow(int fd, int operation) {
  int result;
  do {
    result = ::flock(fd, operation | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

}  // namespace

TFileLock::~TFileLock() { Release(); }

TFileLock::TResult TFileLock::Take(const std::string& path, TMode mode) {
  Release();
  holder_pid_ = 0;
  error_ = 0;
  const bool exclusive = mode == TMode::Exclusive;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0 && !exclusive) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error_ = errno;
    return TResult::Unavailable;
  }
  const int error = LockNow(fd, exclusive ? LOCK_EX : LOCK_SH);
  if (error != 0) {
    ::close(fd);
    if (error != EWOULDBLOCK) {
      error_ = error;
      return TResult::Unavailable;
    }
    holder_pid_ = ReadHolderPid(path);
    return TResult::Busy;
  }
  // Holding the lock, this process is the only one that may change the
  // file's content (a shared holder finds no writer to name).
  if (::ftruncate(fd, 0) == 0 && exclusive) {
    const std::string text = std::to_string(static_cast<long>(::getpid())) + "\n";
    if (::pwrite(fd, text.data(), text.size(), 0) < 0) {
      // The number only improves a message; the lock is what counts.
    }
  }
  fd_ = fd;
  exclusive_ = exclusive;
  return TResult::Taken;
}

void TFileLock::Release() {
  if (fd_ < 0) return;
  if (exclusive_ && ::ftruncate(fd_, 0) != 0) {
    // Left with this process's number: readers see it has ended.
  }
  ::close(fd_);  // closing the last descriptor drops the lock
  fd_ = -1;
  exclusive_ = false;
}

}  // namespace zelvora
