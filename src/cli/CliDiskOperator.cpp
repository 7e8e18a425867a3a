#include "cli/CliDiskOperator.h"

#include <unistd.h>

#include <ostream>

namespace zelvora::cli {

CliDiskOperator::CliDiskOperator(std::vector<std::string> later_disks, std::ostream& out,
                                 bool show_progress)
    : disks_(later_disks.begin(), later_disks.end()), out_(out), show_progress_(show_progress) {}

std::string MessageLine(const std::string& message) {
  const std::size_t start = message.find_first_not_of('\n');
  return start == std::string::npos ? std::string() : message.substr(start);
}

bool StdoutIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void CliDiskOperator::Stage(const std::string& message) {
  out_ << MessageLine(message) << "\n" << std::flush;
  shown_step_ = -1;
}

void CliDiskOperator::Progress(int percent) {
  if (!show_progress_) return;
  // A line at every tenth of the way, not one per block.
  const int step = percent / 10;
  if (step == shown_step_) return;
  shown_step_ = step;
  out_ << "  " << step * 10 << "%\n" << std::flush;
}

bool CliDiskOperator::WaitForDisk(TDiskPrompt why, const std::string& message,
                                  std::string& folder) {
  const bool next_disk = why == TDiskPrompt::kNextBackupDisk || why == TDiskPrompt::kRestoreDisk;
  if (!next_disk || disks_.empty()) {
    stop_message_ = MessageLine(message);
    return false;
  }
  folder = disks_.front();
  disks_.pop_front();
  return true;
}

}  // namespace zelvora::cli
