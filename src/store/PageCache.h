// The cache of fixed-size index pages of one index file.
//
// Callers may rely on:
//  - a pointer returned by Get or Create stays valid until the next Trim,
//    Clear or Flush; Trim is the only place pages leave the cache, so one
//    engine operation may hold several pages at once;
//  - a page read from the file passes the validator before anyone sees it;
//  - MarkDirty pages reach the file at Flush or when Trim evicts them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "store/BlockFile.h"

namespace zelvora {

inline constexpr std::size_t kIndexPageSize = 4096;

class PageCache {
 public:
  using Validator = std::function<void(std::uint32_t page, const unsigned char* bytes)>;

  PageCache(BlockFile& file, std::size_t capacity, Validator validator);
  PageCache(const PageCache&) = delete;
  PageCache& operator=(const PageCache&) = delete;
  ~PageCache();

  // The page's bytes, read from the file on a miss (10010 when the file ends
  // before the page).
  unsigned char* Get(std::uint32_t page);
  // A zeroed page that is not read from the file; it is dirty.
  unsigned char* Create(std::uint32_t page);
  void MarkDirty(std::uint32_t page);

  // Writes the least recently used pages back and drops them until at most
  // `capacity` pages remain.
  void Trim();
  // Writes every dirty page (in page order); the pages stay cached.
  void Flush();
  // Drops every page without writing.
  void Clear();

 private:
  struct Frame;
  Frame* Lookup(std::uint32_t page);
  Frame* Insert(std::uint32_t page);
  void Touch(Frame* frame);
  void Unlink(Frame* frame);
  void WriteBack(Frame* frame);

  BlockFile& file_;
  std::size_t capacity_;
  Validator validator_;
  // Page number to frame; page numbers are dense, so a vector beats a map.
  std::vector<Frame*> by_page_;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::vector<Frame*> spare_;
  Frame* newest_ = nullptr;
  Frame* oldest_ = nullptr;
  std::size_t cached_ = 0;
};

}  // namespace zelvora
