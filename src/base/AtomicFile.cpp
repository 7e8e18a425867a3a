#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewFileMode = 0644;

std::string ErrorText(int error) { return std::generic_category().message(error); }

// Built by appending: GCC 12 warns falsely (-Wrestrict) on chains of + here.
std::string Message(const std::string& path, const std::string& reason) {
  std::string message = "Cannot write file \"";
  message.append(path).append("\": ").append(reason);
  return message;
}

}  // namespace

EAtomicWriteError::EAtomicWriteError(Step step, std::string path, std::string reason)
    : std::runtime_error(Message(path, reason)),
      step_(step),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

TAtomicFile::TAtomicFile(std::string target) : target_(std::move(target)) {
  fs::path real = target_;
  std::error_code ec;
  if (fs::is_symlink(real, ec)) {
    real = fs::weakly_canonical(real, ec);
    if (ec) throw EAtomicWriteError(EAtomicWriteError::Step::kCreate, target_, ec.message());
  }
  real_ = real.string();
  fs::path folder = real.parent_path();
  if (folder.empty()) folder = ".";
  folder_ = folder.string();
  std::string name = ".";
  name.append(real.filename().string()).append(".XXXXXX");
  std::string pattern = (folder / name).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) Fail(EAtomicWriteError::Step::kCreate, errno);
  temp_ = std::move(pattern);
}

TAtomicFile::~TAtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void TAtomicFile::Fail(EAtomicWriteError::Step step, int error) {
  throw EAtomicWriteError(step, target_, ErrorText(error));
}

void TAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(EAtomicWriteError::Step::kWrite, EBADF);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(EAtomicWriteError::Step::kWrite, errno);
    }
    done += static_cast<std::size_t>(n);
  }
}

void TAtomicFile::Commit() {
  if (fd_ < 0) Fail(EAtomicWriteError::Step::kWrite, EBADF);
  struct stat old_stat {};
  const mode_t mode =
      ::stat(real_.c_str(), &old_stat) == 0 ? (old_stat.st_mode & 07777) : kNewFileMode;
  if (::fchmod(fd_, mode) != 0) Fail(EAtomicWriteError::Step::kWrite, errno);
  if (::fsync(fd_) != 0) Fail(EAtomicWriteError::Step::kWrite, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(EAtomicWriteError::Step::kWrite, errno);
  if (::rename(temp_.c_str(), real_.c_str()) != 0) Fail(EAtomicWriteError::Step::kReplace, errno);
  committed_ = true;
  // The new file is in place; syncing the folder makes the rename durable.
  // File systems that cannot sync a folder (EINVAL) keep it as well as they can.
  const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) Fail(EAtomicWriteError::Step::kReplace, errno);
  const int rc = ::fsync(dir);
  const int error = errno;
  ::close(dir);
  if (rc != 0 && error != EINVAL) Fail(EAtomicWriteError::Step::kReplace, error);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  TAtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace zelvora
