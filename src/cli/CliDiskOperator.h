// The person at the drive for the backup and restore commands: each disk
// named on the command line is the next disk in order. A wait for the next
// disk takes the next folder; any other wait (a wrong, full or unready
// disk) or a next disk when none is left stops the work as a Cancel would,
// keeping the message the program would have shown.
#pragma once

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "DB/BackupDisk.h"

namespace zelvora::cli {

class CliDiskOperator : public TBackupOperator {
 public:
  // `disks` after the first; progress lines go to `out` when it is a
  // terminal (`show_progress`).
  CliDiskOperator(std::vector<std::string> later_disks, std::ostream& out, bool show_progress);

  void Stage(const std::string& message) override;
  void Progress(int percent) override;
  bool WaitForDisk(TDiskPrompt why, const std::string& message, std::string& folder) override;
  bool Cancelled() override { return false; }

  // The message that stopped the work, without its leading line break.
  const std::optional<std::string>& StopMessage() const { return stop_message_; }

 private:
  std::deque<std::string> disks_;
  std::ostream& out_;
  bool show_progress_;
  int shown_step_ = -1;
  std::optional<std::string> stop_message_;
};

// The message as a line of text: leading line breaks dropped.
std::string MessageLine(const std::string& message);
// Whether the process's standard output is a terminal.
bool StdoutIsTerminal();

}  // namespace zelvora::cli
