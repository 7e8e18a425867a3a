#include "store/BlockFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "store/TableErrors.h"

namespace zelvora {

BlockFile::BlockFile(const std::string& path, Mode mode) : path_(path) {
  int flags = (mode == Mode::OpenReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
  if (mode == Mode::CreateTruncate) flags |= O_CREAT | O_TRUNC;
  do {
    fd_ = ::open(path.c_str(), flags, 0644);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) {
    RaiseTableError(kErrSystemOpen, mode == Mode::CreateTruncate ? kSysCreate : kSysOpen, errno);
  }
  struct stat info {};
  const int error = ::fstat(fd_, &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EISDIR);
  if (error != 0) {
    ::close(fd_);
    fd_ = -1;
    RaiseTableError(kErrSystemOpen, kSysOpen, error);
  }
}

BlockFile BlockFile::InMemory(const std::string& name) {
  BlockFile file;
  file.path_ = name;
  file.fd_ = ::memfd_create(name.c_str(), MFD_CLOEXEC);
  if (file.fd_ < 0) RaiseTableError(kErrSystemOpen, kSysCreate, errno);
  return file;
}

BlockFile::~BlockFile() {
  if (fd_ >= 0) ::close(fd_);
}

BlockFile::BlockFile(BlockFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

BlockFile& BlockFile::operator=(BlockFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

std::size_t BlockFile::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got =
        ::pread(fd_, out + done, size - done, offset + static_cast<std::int64_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseTableError(kErrAccess, kSysRead, errno);
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

void BlockFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  const auto* in = static_cast<const unsigned char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put =
        ::pwrite(fd_, in + done, size - done, offset + static_cast<std::int64_t>(done));
    if (put < 0) {
      if (errno == EINTR) continue;
      RaiseTableError(kErrAccess, kSysWrite, errno);
    }
    if (put == 0) RaiseTableError(kErrAccess, kSysWrite, ENOSPC);
    done += static_cast<std::size_t>(put);
  }
}

std::int64_t BlockFile::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) RaiseTableError(kErrAccess, kSysSize, errno);
  return info.st_size;
}

void BlockFile::Truncate(std::int64_t size) {
  if (::ftruncate(fd_, size) != 0) RaiseTableError(kErrAccess, kSysWrite, errno);
}

void BlockFile::Sync() {
  if (::fdatasync(fd_) != 0) RaiseTableError(kErrAccess, kSysCommit, errno);
}

void BlockFile::Close() {
  if (fd_ < 0) return;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) RaiseTableError(kErrAccess, kSysClose, errno);
}

bool BlockFile::Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

void BlockFile::Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    RaiseTableError(kErrAccess, kSysDelete, errno);
}

}  // namespace zelvora
