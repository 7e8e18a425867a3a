#include "interchange/ScrmStrm.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

namespace zelvora {

TScrambledStream::TScrambledStream(const std::string& file_name, Mode mode)
    : file_name_(file_name) {
  std::error_code ec;
  if (std::filesystem::is_directory(file_name, ec)) {
    throw std::runtime_error(
        std::string(mode == Mode::kCreate ? "Cannot create file \"" : "Cannot open file \"") +
        file_name + "\": it is a folder");
  }
  const char* how = mode == Mode::kOpenRead ? "rb" : mode == Mode::kOpenReadWrite ? "r+b" : "w+b";
  file_ = std::fopen(file_name.c_str(), how);
  if (file_ == nullptr) {
    throw std::runtime_error(
        std::string(mode == Mode::kCreate ? "Cannot create file \"" : "Cannot open file \"") +
        file_name + "\"");
  }
}

TScrambledStream::~TScrambledStream() {
  if (file_ != nullptr) std::fclose(file_);
}

unsigned char TScrambledStream::KeyAt(std::int64_t position) {
  return static_cast<unsigned char>((position + 1) % 256);
}

void TScrambledStream::Transform(unsigned char* bytes, std::size_t count, unsigned char key) {
  const unsigned char mask = static_cast<unsigned char>(key ^ 0xFF);
  for (std::size_t i = 0; i < count; ++i) bytes[i] ^= mask;
}

std::size_t TScrambledStream::Read(void* buffer, std::size_t count) {
  const unsigned char key = KeyAt(Position());
  std::size_t got = std::fread(buffer, 1, count, file_);
  if (got < count && std::ferror(file_))
    throw std::runtime_error("Cannot read file \"" + file_name_ + "\"");
  Transform(static_cast<unsigned char*>(buffer), got, key);
  return got;
}

void TScrambledStream::Write(const void* buffer, std::size_t count) {
  const unsigned char key = KeyAt(Position());
  const auto* in = static_cast<const unsigned char*>(buffer);
  std::vector<unsigned char> scrambled(in, in + count);
  Transform(scrambled.data(), count, key);
  // A write after a read needs a positioning call in between.
  if (std::fseek(file_, 0, SEEK_CUR) != 0 ||
      std::fwrite(scrambled.data(), 1, count, file_) != count || std::fflush(file_) != 0)
    throw std::runtime_error("Cannot write file \"" + file_name_ + "\"");
}

std::int64_t TScrambledStream::Position() {
  long at = std::ftell(file_);
  if (at < 0) throw std::runtime_error("Cannot seek in file \"" + file_name_ + "\"");
  return at;
}

std::int64_t TScrambledStream::Seek(std::int64_t offset, Origin origin) {
  int whence = origin == Origin::kBeginning ? SEEK_SET
               : origin == Origin::kCurrent ? SEEK_CUR
                                            : SEEK_END;
  if (std::fseek(file_, static_cast<long>(offset), whence) != 0)
    throw std::runtime_error("Cannot seek in file \"" + file_name_ + "\"");
  return Position();
}

std::int64_t TScrambledStream::Size() {
  std::int64_t here = Position();
  std::int64_t size = Seek(0, Origin::kEnd);
  Seek(here, Origin::kBeginning);
  return size;
}

}  // namespace zelvora
