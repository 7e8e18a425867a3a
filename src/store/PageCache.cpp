#include "store/PageCache.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "store/TableErrors.h"

namespace zelvora {

struct PageCache::Frame {
  std::array<unsigned char, kIndexPageSize> bytes{};
  std::uint32_t page = 0;
  bool dirty = false;
  Frame* newer = nullptr;
  Frame* older = nullptr;
};

PageCache::PageCache(BlockFile& file, std::size_t capacity, Validator validator)
    : file_(file),
      capacity_(std::max<std::size_t>(capacity, 1)),
      validator_(std::move(validator)) {}

PageCache::~PageCache() = default;

PageCache::Frame* PageCache::Lookup(std::uint32_t page) {
  return page < by_page_.size() ? by_page_[page] : nullptr;
}

void PageCache::Unlink(Frame* frame) {
  (frame->newer != nullptr ? frame->newer->older : newest_) = frame->older;
  (frame->older != nullptr ? frame->older->newer : oldest_) = frame->newer;
  frame->newer = frame->older = nullptr;
}

void PageCache::Touch(Frame* frame) {
  if (frame == newest_) return;
  Unlink(frame);
  frame->older = newest_;
  if (newest_ != nullptr) newest_->newer = frame;
  newest_ = frame;
  if (oldest_ == nullptr) oldest_ = frame;
}

PageCache::Frame* PageCache::Insert(std::uint32_t page) {
  Frame* frame;
  if (!spare_.empty()) {
    frame = spare_.back();
    spare_.pop_back();
  } else {
    frames_.push_back(std::make_unique<Frame>());
    frame = frames_.back().get();
  }
  frame->page = page;
  frame->dirty = false;
  if (page >= by_page_.size())
    by_page_.resize(std::max<std::size_t>(page + 1, by_page_.size() * 2), nullptr);
  by_page_[page] = frame;
  frame->older = newest_;
  frame->newer = nullptr;
  if (newest_ != nullptr) newest_->newer = frame;
  newest_ = frame;
  if (oldest_ == nullptr) oldest_ = frame;
  ++cached_;
  return frame;
}

unsigned char* PageCache::Get(std::uint32_t page) {
  if (Frame* frame = Lookup(page)) {
    Touch(frame);
    return frame->bytes.data();
  }
  Frame* frame = Insert(page);
  try {
    const std::int64_t offset = static_cast<std::int64_t>(page) * kIndexPageSize;
    if (file_.ReadAt(offset, frame->bytes.data(), kIndexPageSize) != kIndexPageSize) {
      RaiseTableError(kErrFileDefect);
    }
    validator_(page, frame->bytes.data());
  } catch (...) {
    // A page that failed to load is not kept.
    by_page_[page] = nullptr;
    Unlink(frame);
    spare_.push_back(frame);
    --cached_;
    throw;
  }
  return frame->bytes.data();
}

unsigned char* PageCache::Create(std::uint32_t page) {
  Frame* frame = Lookup(page);
  if (frame != nullptr) {
    Touch(frame);
  } else {
    frame = Insert(page);
  }
  frame->bytes.fill(0);
  frame->dirty = true;
  return frame->bytes.data();
}

void PageCache::MarkDirty(std::uint32_t page) {
  if (Frame* frame = Lookup(page)) frame->dirty = true;
}

void PageCache::WriteBack(Frame* frame) {
  if (!frame->dirty) return;
  file_.WriteAt(static_cast<std::int64_t>(frame->page) * kIndexPageSize, frame->bytes.data(),
                kIndexPageSize);
  frame->dirty = false;
}

void PageCache::Trim() {
  while (cached_ > capacity_ && oldest_ != nullptr) {
    Frame* frame = oldest_;
    WriteBack(frame);
    Unlink(frame);
    by_page_[frame->page] = nullptr;
    spare_.push_back(frame);
    --cached_;
  }
}

void PageCache::Flush() {
  std::vector<Frame*> dirty;
  for (Frame* frame = oldest_; frame != nullptr; frame = frame->newer) {
    if (frame->dirty) dirty.push_back(frame);
  }
  std::sort(dirty.begin(), dirty.end(),
            [](const Frame* a, const Frame* b) { return a->page < b->page; });
  for (Frame* frame : dirty) WriteBack(frame);
}

void PageCache::Clear() {
  by_page_.clear();
  spare_.clear();
  frames_.clear();
  newest_ = oldest_ = nullptr;
  cached_ = 0;
}

}  // namespace zelvora
