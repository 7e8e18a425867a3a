// The ID counter file, 16 bytes:
//
// | Offset | Size | Field                                             |
// |--------|------|---------------------------------------------------|
// | 0      | 4    | magic "ZID1"                                      |
// | 4      | 4    | origin, 32-bit signed little-endian (above 10)    |
// | 8      | 4    | next serial, 32-bit signed little-endian (>= 1)   |
// | 12     | 4    | FNV-1a hash of bytes 0 to 11, little-endian       |
#include "DB/IDCounterFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "DB/SurvList.h"
#include "base/AtomicFile.h"
#include "base/LittleEndian.h"

namespace zelvora {
namespace {

constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kOriginOffset = 4;
constexpr std::size_t kNextOffset = 8;
constexpr std::size_t kHashOffset = 12;
constexpr std::size_t kFileSize = 16;
constexpr char kMagic[4] = {'Z', 'I', 'D', '1'};

std::uint32_t Fnv1a(const unsigned char* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 16777619u;
  }
  return hash;
}

[[noreturn]] void Fail(const std::string& path, const char* what) {
  const int error = errno;
  std::string message = "The ID source file ";
  message.append(path)
      .append(" could not be ")
      .append(what)
      .append(": ")
      .append(std::strerror(error));
  throw ESurvObjError(message);
}

// Closes the descriptor however the read ends.
class TFd {
 public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

TIDCounterFile::TIDCounterFile(std::string path) : path_(std::move(path)) {}

bool TIDCounterFile::Load() {
  unsigned char bytes[kFileSize + 1] = {};
  ssize_t got = -1;
  {
    TFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
      if (errno != ENOENT) Fail(path_, "read");
    } else {
      got = ::read(fd.Get(), bytes, sizeof bytes);
      if (got < 0) Fail(path_, "read");
    }
  }
  if (got == static_cast<ssize_t>(kFileSize) && std::memcmp(bytes + kMagicOffset, kMagic, 4) == 0 &&
      le::Get32(bytes + kHashOffset) == Fnv1a(bytes, kHashOffset)) {
    const auto origin = static_cast<std::int32_t>(le::Get32(bytes + kOriginOffset));
    const auto next = static_cast<std::int32_t>(le::Get32(bytes + kNextOffset));
    if (origin > kLastBuiltInOrigin && next >= 1) {
      origin_ = origin;
      next_ = next;
      return true;
    }
  }
  // Missing or damaged: a new origin cannot meet any ID handed out before.
  const std::int32_t origin = ChooseRandomOrigin();
  Write(origin, 1);
  origin_ = origin;
  next_ = 1;
  return got < 0;
}

void TIDCounterFile::StoreNextSerial(std::int32_t next) {
  Write(origin_, next);
  next_ = next;
}

void TIDCounterFile::Write(std::int32_t origin, std::int32_t next) {
  unsigned char bytes[kFileSize] = {};
  std::memcpy(bytes + kMagicOffset, kMagic, 4);
  le::Put32(bytes + kOriginOffset, static_cast<std::uint32_t>(origin));
  le::Put32(bytes + kNextOffset, static_cast<std::uint32_t>(next));
  le::Put32(bytes + kHashOffset, Fnv1a(bytes, kHashOffset));

  try {
    WriteFileAtomically(path_, std::string_view(reinterpret_cast<const char*>(bytes), kFileSize));
  } catch (const EAtomicWriteError& error) {
    const char* what = "replaced";
    if (error.FailedStep() == EAtomicWriteError::Step::kCreate) what = "created";
    if (error.FailedStep() == EAtomicWriteError::Step::kWrite) what = "written";
    throw ESurvObjError("The ID source file " + path_ + " could not be " + what + ": " +
                        error.Reason());
  }
}

}  // namespace zelvora
