// A file stream whose reads and writes scramble the bytes they move. Survey
// packages dropped beside the program are stored this way.
//
// For one Read or Write call of n bytes, with p the position before the call
// and k = (p + 1) mod 256, every byte b of the call becomes b XOR k XOR 255.
// The key depends only on where the call starts, so a file must be read in
// calls starting at the positions it was written at (or positions equal to
// them modulo 256). The package reader reads 4,096-byte blocks from position
// 0, so every block has k = 1 and each stored byte is its text byte XOR 254;
// kScrambleBlock is that block size.
//
// Callers may rely on: Write leaves the caller's buffer unchanged; every
// failure to open, read, write or seek throws std::runtime_error naming the
// file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace zelvora {

inline constexpr std::size_t kScrambleBlock = 4096;

class TScrambledStream {
 public:
  enum class Mode {
    kOpenRead,       // existing file, read only (others may read)
    kOpenReadWrite,  // existing file, read and write
    kCreate,         // created or emptied, read and write
  };
  enum class Origin { kBeginning, kCurrent, kEnd };

  TScrambledStream(const std::string& file_name, Mode mode);
  ~TScrambledStream();
  TScrambledStream(const TScrambledStream&) = delete;
  TScrambledStream& operator=(const TScrambledStream&) = delete;

  // Reads up to `count` bytes into `buffer` and unscrambles them; returns the
  // number read (less than `count` only at the end of the file).
  std::size_t Read(void* buffer, std::size_t count);
  // Scrambles a copy of `buffer` and writes all `count` bytes.
  void Write(const void* buffer, std::size_t count);

  std::int64_t Size();
  std::int64_t Position();
  // Returns the new position.
  std::int64_t Seek(std::int64_t offset, Origin origin);

  const std::string& FileName() const { return file_name_; }

  // The key of a call starting at `position`, and the transform it applies.
  static unsigned char KeyAt(std::int64_t position);
  static void Transform(unsigned char* bytes, std::size_t count, unsigned char key);

 private:
  std::string file_name_;
  std::FILE* file_ = nullptr;
};

}  // namespace zelvora
