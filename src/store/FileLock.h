// TFileLock: an operating-system lock (flock) on a lock file, held from Take
// until Release or destruction, shared among readers and exclusive for one
// writer.
//
// Callers may rely on:
//  - Take never waits: it answers Busy when another open lock conflicts
//    (also one taken by this same process through another TFileLock);
//  - the operating system drops the lock when its holder ends in any way,
//    so a killed holder never blocks anyone;
//  - an exclusive holder's process ID is in the file while it holds the
//    lock (HolderPid reads it after Busy); a shared holder empties the file,
//    since while it holds the lock no writer can, and a holder that ended
//    without cleaning up is recognised as gone, so HolderPid never names a
//    process that has ended;
//  - a shared lock on a folder where the lock file neither exists nor can
//    be made is Unavailable: nobody can write there either, and the caller
//    may read without a lock. An exclusive lock that cannot open its file is
//    Unavailable too, with the system's error number in Error().
#pragma once

#include <string>

namespace zelvora {

class TFileLock {
 public:
  enum class TMode { Shared, Exclusive };
  enum class TResult { Taken, Busy, Unavailable };

  TFileLock() = default;
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  TResult Take(const std::string& path, TMode mode);
  void Release();
  bool Held() const { return fd_ >= 0; }

  // After Busy: the exclusive holder's process ID, 0 when unknown.
  long HolderPid() const { return holder_pid_; }
  // After Unavailable: the errno of the failed open.
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  bool exclusive_ = false;
  long holder_pid_ = 0;
  int error_ = 0;
};

}  // namespace zelvora
