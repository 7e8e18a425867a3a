// Helpers of the archive tests: a scratch folder, whole-file reads and
// writes, record-like test data and hand-made archives.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zelvora::testing {

using Bytes = std::vector<std::uint8_t>;

class ScratchDir {
 public:
  ScratchDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("zelvora-archive-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    // Read-only files written by a test must not keep the folder alive.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec)) {
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline Bytes RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  return bytes;
}

// Fixed-length records like the survey database's: a live marker, two IDs
// as hexadecimal text, a name padded with zeros, a date and answer bytes.
inline Bytes RecordData(std::size_t size, unsigned seed) {
  constexpr std::size_t kRecord = 313;
  static const char* const kNames[] = {"Anderson", "Baker",   "Chen",     "Dubois",
                                       "Evans",    "Fischer", "Garcia",   "Hansen",
                                       "Ito",      "Jensen",  "Kowalski", "Lopez"};
  std::mt19937 rng(seed);
  Bytes bytes;
  bytes.reserve(size + kRecord);
  for (std::uint32_t n = 0; bytes.size() < size; ++n) {
    std::uint8_t record[kRecord] = {};
    char text[64];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", 11u, n + 1000u, 11u, n / 100 + 500u);
    std::memcpy(record + 4, text, 32);
    std::snprintf(text, sizeof text, "%s, %s", kNames[rng() % 12], kNames[rng() % 12]);
    std::memcpy(record + 36, text, std::strlen(text));  // padded with zeros to 40
    double date = 45000.0 + n / 7;
    std::memcpy(record + 76, &date, sizeof date);
    std::size_t questions = 20 + rng() % 40;
    for (std::size_t q = 0; q < questions; ++q) {
      record[84 + 2 * q] = static_cast<std::uint8_t>(1 + rng() % 5);
      record[85 + 2 * q] = static_cast<std::uint8_t>(3 + rng() % 3);
    }
    bytes.insert(bytes.end(), record, record + kRecord);
  }
  bytes.resize(size);
  return bytes;
}

inline std::uint32_t ByteSum(const Bytes& bytes) {
  std::uint32_t sum = 0;
  for (auto b : bytes) sum += b;
  return sum;
}

// Builds archive files byte by byte, so tests can make archives the
// writer never would (damaged, hostile or from another encoder).
class ArchiveBuilder {
 public:
  explicit ArchiveBuilder(const std::string& method = "LZH", std::uint8_t type = 1) {
    bytes_.assign(21, 0);
    const char magic[] = {'S', 'P', 'I', 'S', 0x1A};
    for (std::size_t i = 0; i < 5; ++i) bytes_[i] = static_cast<std::uint8_t>(magic[i]);
    for (std::size_t i = 0; i < 3 && i < method.size(); ++i)
      bytes_[5 + i] = static_cast<std::uint8_t>(method[i]);
    bytes_[12] = type;
  }
  ArchiveBuilder& Entry(const std::string& name, std::uint8_t method, std::uint32_t size,
                        const Bytes& data, std::uint32_t checksum, std::uint32_t date = 0,
                        std::uint16_t attributes = 0x20) {
    Put(name.size(), 2);
    Put(date, 4);
    Put(attributes, 2);
    Put(size, 4);
    Put(data.size(), 4);
    Put(method, 1);
    Put(checksum, 4);
    Put(0, 4);
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
  }
  // A stored entry of `data` with its true checksum.
  ArchiveBuilder& Stored(const std::string& name, const Bytes& data) {
    return Entry(name, 0, static_cast<std::uint32_t>(data.size()), data, ByteSum(data));
  }
  Bytes& bytes() { return bytes_; }
  void WriteTo(const std::filesystem::path& file) const { WriteBytes(file, bytes_); }

 private:
  void Put(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  Bytes bytes_;
};

}  // namespace zelvora::testing
