// A read cache over the data file in 4 KiB blocks. Writes go straight to the
// file (so a process that dies keeps them) and into any cached block they
// touch, so the cache never holds older bytes than the file; a write that
// starts a block also brings that block into the cache.
//
// Callers may rely on: Read returns the file's bytes or raises 10070 when
// the file ends first; after Write the cache and the file agree.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "store/BlockFile.h"

namespace zelvora {

class RecordCache {
 public:
  static constexpr std::size_t kBlockSize = 4096;

  RecordCache(BlockFile& file, std::size_t capacity_blocks);
  RecordCache(const RecordCache&) = delete;
  RecordCache& operator=(const RecordCache&) = delete;
  ~RecordCache();

  void Read(std::int64_t offset, unsigned char* out, std::size_t size);
  void Write(std::int64_t offset, const unsigned char* data, std::size_t size);
  void Clear();

 private:
  struct Block;
  // A block taken into the cache empty (valid 0), evicting the oldest.
  Block* Acquire(std::uint64_t number);
  Block* Load(std::uint64_t number);
  void Touch(Block* block);
  void Evict();

  BlockFile& file_;
  std::size_t capacity_;
  std::vector<Block*> by_number_;
  std::vector<std::unique_ptr<Block>> blocks_;
  std::vector<Block*> spare_;
  Block* newest_ = nullptr;
  Block* oldest_ = nullptr;
  std::size_t cached_ = 0;
};

}  // namespace zelvora
