// An open file of the record store, read and written at explicit offsets.
//
// Callers may rely on:
//  - every failing system call raises 10140 (10390 for opening or creating)
//    carrying the call's number and errno;
//  - WriteAt hands the bytes to the operating system before returning, so a
//    process that dies afterwards does not lose them; Sync makes them survive
//    a power cut;
//  - a file opened OpenReadOnly is never written (WriteAt fails with 10140);
//  - InMemory makes a file that lives only in memory and is gone when
//    closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelvora {

class BlockFile {
 public:
  enum class Mode { OpenExisting, OpenReadOnly, CreateTruncate };

  BlockFile() = default;
  BlockFile(const std::string& path, Mode mode);
  // `name` only labels the file in messages.
  static BlockFile InMemory(const std::string& name);
  ~BlockFile();
  BlockFile(BlockFile&& other) noexcept;
  BlockFile& operator=(BlockFile&& other) noexcept;
  BlockFile(const BlockFile&) = delete;
  BlockFile& operator=(const BlockFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  // Reads up to `size` bytes; returns how many were there (fewer at the end
  // of the file).
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t size) const;
  void WriteAt(std::int64_t offset, const void* data, std::size_t size);
  std::int64_t Size() const;
  void Truncate(std::int64_t size);
  void Sync();
  void Close();

  static bool Exists(const std::string& path);
  static void Remove(const std::string& path);

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace zelvora
