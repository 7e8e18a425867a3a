#include "UI/model/PasswordStore.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "APP/SectionedConfigFile.h"
#include "base/Cp1252.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHashPrefix = "$argon2id$";
// Far above any real store; a larger file is not one.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;

std::size_t Index(TPasswordItem item) { return static_cast<std::size_t>(item) - 1; }

void InitSodium() {
  if (::sodium_init() < 0) throw EPasswordStore("Cannot start the password library");
}

std::string ErrnoText(int err) { return std::generic_category().message(err); }

}  // namespace

TPasswordCost TPasswordCost::Interactive() {
  return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

TPasswordCost TPasswordCost::Fastest() {
  return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

TPasswordStore::TPasswordStore(std::string path, TPasswordCost cost)
    : path_(std::move(path)), cost_(cost) {}

const std::string& TPasswordStore::Hash(TPasswordItem item) const { return hashes_[Index(item)]; }

void TPasswordStore::Load() {
  InitSodium();
  const std::string where = "The password file \"" + path_ + "\"";
  std::error_code ec;
  const auto status = fs::status(path_, ec);
  if (status.type() == fs::file_type::not_found) {
    hashes_ = {};
    return;
  }
  if (ec) throw EPasswordStore(where + " cannot be read: " + ec.message());
  if (status.type() != fs::file_type::regular) throw EPasswordStore(where + " is not a file");
  const auto size = fs::file_size(path_, ec);
  if (ec || size > kMaxFileBytes) throw EPasswordStore(where + " is damaged");
  std::ifstream in(path_, std::ios::binary);
  if (!in) throw EPasswordStore(where + " cannot be read: " + ErrnoText(errno));
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EPasswordStore(where + " cannot be read");

  const TSectionedConfigFile file = TSectionedConfigFile::FromText(Cp1252ToUtf8(bytes));
  if (!file.SectionExists(kSection)) throw EPasswordStore(where + " is damaged");
  std::array<std::string, 3> hashes;
  for (std::size_t i = 0; i < hashes.size(); ++i) {
    std::string hash = file.ReadString(kSection, std::to_string(i + 1), "");
    if (!hash.empty() && (hash.rfind(kHashPrefix, 0) != 0 || hash.size() >= crypto_pwhash_STRBYTES))
      throw EPasswordStore(where + " is damaged");
    hashes[i] = std::move(hash);
  }
  hashes_ = std::move(hashes);
}

bool TPasswordStore::Verify(const std::string& hash, const std::string& text) {
  if (hash.empty()) return text.empty();
  InitSodium();
  return ::crypto_pwhash_str_verify(hash.c_str(), text.data(), text.size()) == 0;
}

bool TPasswordStore::Matches(TPasswordItem item, const std::string& text) const {
  return Verify(Hash(item), text);
}

void TPasswordStore::Set(TPasswordItem item, const std::string& text) {
  InitSodium();
  std::array<std::string, 3> hashes = hashes_;
  std::string& hash = hashes[Index(item)];
  hash.clear();
  if (!text.empty()) {
    char out[crypto_pwhash_STRBYTES];
    if (::crypto_pwhash_str(out, text.data(), text.size(), cost_.ops, cost_.mem) != 0)
      throw EPasswordStore("Not enough memory to store the password");
    hash = out;
    ::sodium_memzero(out, sizeof out);
  }
  WriteFile(Utf8ToCp1252(FileText(hashes)));
  hashes_ = std::move(hashes);
}

std::string TPasswordStore::FileText(const std::array<std::string, 3>& hashes) const {
  std::string text = std::string("[") + kSection + "]\r\n";
  for (std::size_t i = 0; i < hashes.size(); ++i)
    text += std::to_string(i + 1) + "=" + hashes[i] + "\r\n";
  return text;
}

// mkstemp creates the temporary file with mode 0600, so the hashes are never
// readable by others, not even for a moment; the rename then replaces the
// old file whole.
void TPasswordStore::WriteFile(const std::string& bytes) const {
  const auto fail = [this](const std::string& why) {
    throw EPasswordStore("Cannot write the password file \"" + path_ + "\": " + why);
  };
  const fs::path target(path_);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) fail(ErrnoText(errno));
  const auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    fail(ErrnoText(err));
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0) abandon(errno);
  if (::fsync(fd) != 0) abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail(ErrnoText(err));
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail(ErrnoText(err));
  }
  const int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

std::string TPasswordStore::LibraryVersion() { return ::sodium_version_string(); }

}  // namespace zelvora
