// TSingleInstance: one running copy of the program per data folder.
//
// A running copy holds the instance-lock file "zelvora360.LOK" in its data
// folder (a QLockFile: a file left by a copy that was killed names a process
// that no longer runs and does not count) and listens on a local socket
// named from the folder's canonical path and the user. A copy started on
// the same folder first knocks on that socket: when a running copy answers,
// it raises its window and the new copy ends without showing anything.
// Copies on different data folders run side by side.
#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace zelvora {

class TSingleInstance {
 public:
  TSingleInstance();
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // The local socket name of a data folder.
  static QString ServerName(const QString& data_folder);
  // Asks the copy running on `data_folder` to raise its window; true when
  // one was reached.
  static bool RaiseRunningCopy(const QString& data_folder);

  // Takes the lock file at `lock_path` in `data_folder` and starts
  // answering knocks with `on_raise`; false when a running copy holds it.
  bool Lock(const QString& lock_path, const QString& data_folder, std::function<void()> on_raise);
  void Unlock();
  bool Locked() const { return lock_ != nullptr; }

 private:
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace zelvora
