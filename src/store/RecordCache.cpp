#include "store/RecordCache.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "store/TableErrors.h"

namespace zelvora {

struct RecordCache::Block {
  std::array<unsigned char, kBlockSize> bytes{};
  std::uint64_t number = 0;
  std::size_t valid = 0;  // bytes of the block the file holds
  Block* newer = nullptr;
  Block* older = nullptr;
};

RecordCache::RecordCache(BlockFile& file, std::size_t capacity_blocks)
    : file_(file), capacity_(std::max<std::size_t>(capacity_blocks, 1)) {}

RecordCache::~RecordCache() = default;

void RecordCache::Touch(Block* block) {
  if (block == newest_) return;
  (block->newer != nullptr ? block->newer->older : newest_) = block->older;
  (block->older != nullptr ? block->older->newer : oldest_) = block->newer;
  block->newer = nullptr;
  block->older = newest_;
  if (newest_ != nullptr) newest_->newer = block;
  newest_ = block;
  if (oldest_ == nullptr) oldest_ = block;
}

void RecordCache::Evict() {
  Block* block = oldest_;
  oldest_ = block->newer;
  (oldest_ != nullptr ? oldest_->older : newest_) = nullptr;
  by_number_[block->number] = nullptr;
  spare_.push_back(block);
  --cached_;
}

RecordCache::Block* RecordCache::Acquire(std::uint64_t number) {
  if (cached_ >= capacity_) Evict();
  Block* block;
  if (!spare_.empty()) {
    block = spare_.back();
    spare_.pop_back();
  } else {
    blocks_.push_back(std::make_unique<Block>());
    block = blocks_.back().get();
  }
  block->number = number;
  block->valid = 0;
  if (number >= by_number_.size()) {
    by_number_.resize(std::max<std::size_t>(number + 1, by_number_.size() * 2), nullptr);
  }
  by_number_[number] = block;
  block->newer = nullptr;
  block->older = newest_;
  if (newest_ != nullptr) newest_->newer = block;
  newest_ = block;
  if (oldest_ == nullptr) oldest_ = block;
  ++cached_;
  return block;
}

RecordCache::Block* RecordCache::Load(std::uint64_t number) {
  if (number < by_number_.size() && by_number_[number] != nullptr) {
    Block* block = by_number_[number];
    Touch(block);
    return block;
  }
  Block* block = Acquire(number);
  block->valid =
      file_.ReadAt(static_cast<std::int64_t>(number * kBlockSize), block->bytes.data(), kBlockSize);
  return block;
}

void RecordCache::Read(std::int64_t offset, unsigned char* out, std::size_t size) {
  auto position = static_cast<std::uint64_t>(offset);
  while (size > 0) {
    const std::uint64_t number = position / kBlockSize;
    const std::size_t within = position % kBlockSize;
    const std::size_t piece = std::min(size, kBlockSize - within);
    Block* block = Load(number);
    if (block->valid < within + piece) {
      // The file may have grown since the block was read.
      block->valid = file_.ReadAt(static_cast<std::int64_t>(number * kBlockSize),
                                  block->bytes.data(), kBlockSize);
      if (block->valid < within + piece) RaiseTableError(kErrFileRead);
    }
    std::memcpy(out, block->bytes.data() + within, piece);
    out += piece;
    position += piece;
    size -= piece;
  }
}

void RecordCache::Write(std::int64_t offset, const unsigned char* data, std::size_t size) {
  file_.WriteAt(offset, data, size);
  auto position = static_cast<std::uint64_t>(offset);
  while (size > 0) {
    const std::uint64_t number = position / kBlockSize;
    const std::size_t within = position % kBlockSize;
    const std::size_t piece = std::min(size, kBlockSize - within);
    Block* block = number < by_number_.size() ? by_number_[number] : nullptr;
    if (block == nullptr && within == 0) {
      // A write that starts a block (as appends do) caches it without a
      // read: what was just written is what is read next.
      block = Acquire(number);
    }
    if (block != nullptr) {
      std::memcpy(block->bytes.data() + within, data, piece);
      // Bytes between the old end and this write would be unknown; the next
      // read of them reloads the block.
      if (within <= block->valid) block->valid = std::max(block->valid, within + piece);
    }
    data += piece;
    position += piece;
    size -= piece;
  }
}

void RecordCache::Clear() {
  by_number_.clear();
  spare_.clear();
  blocks_.clear();
  newest_ = oldest_ = nullptr;
  cached_ = 0;
}

}  // namespace zelvora
