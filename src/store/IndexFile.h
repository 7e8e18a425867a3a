// The index file of a fileblock: a header page and the pages of one B-tree
// per key, reached through a page cache.
//
// Callers may rely on:
//  - Open answers 10160 when the file was not closed correctly (the process
//    ended while changes were pending) and 10010 when its header is damaged;
//  - BeginChange marks the file "in use" on disk before the first page or
//    data record of a change is written, and Flush marks it closed correctly
//    only after every page is written and synced; so a file that says
//    "closed correctly" always matches its data file;
//  - every page read from the file is checked before use (10010 otherwise),
//    an entry naming a record at or past the record limit included;
//  - the header records the data file's stamp and record slots of the last
//    flush, so the caller can tell an index that belongs to another state
//    of the data file (0 slots: an index written before they were kept).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/BlockFile.h"
#include "store/KeyDesc.h"
#include "store/PageCache.h"

namespace zelvora {

// Node page kinds.
inline constexpr unsigned char kPageLeaf = 1;
inline constexpr unsigned char kPageBranch = 2;
inline constexpr unsigned char kPageFree = 3;

// Node page layout (offsets within a page):
//   0  1  kind: 1 leaf, 2 branch, 3 free
//   1  1  key number the page belongs to (1-based; 0 for a free page)
//   2  1  level: 0 for a leaf, the branch's height above the leaves otherwise
//   3  1  reserved, zero
//   4  2  entry count
//   6  2  reserved, zero
//   8  4  leaf: next leaf page (0 at the end); branch: leftmost child page;
//         free: next free page (0 at the end)
//  12  .. entries, each of a fixed size for its key:
//         leaf entry (MaxLength + 5 bytes):
//           0 1 key text length; 1 MaxLength key text (zero padded);
//           1+MaxLength 4 record number
//         branch entry (MaxLength + 9 bytes): a leaf entry followed by the
//           child page holding the entries at or above it (4).
// Entries are kept in ascending order of (key text in byte order, record
// number); a branch's separators bound its children.
inline constexpr std::size_t kNodeKind = 0;
inline constexpr std::size_t kNodeKey = 1;
inline constexpr std::size_t kNodeLevel = 2;
inline constexpr std::size_t kNodeCount = 4;
inline constexpr std::size_t kNodeLink = 8;
inline constexpr std::size_t kNodeEntries = 12;
inline constexpr int kMaxTreeHeight = 32;

struct TreeInfo {
  std::uint32_t root = 0;
  int height = 1;  // 1 when the root is a leaf
  int max_length = 0;
  bool duplicates = false;
  std::uint32_t entries = 0;
  std::uint64_t version = 0;  // changes with every added or removed entry

  std::size_t LeafEntrySize() const { return static_cast<std::size_t>(max_length) + 5; }
  std::size_t BranchEntrySize() const { return static_cast<std::size_t>(max_length) + 9; }
  std::size_t LeafCapacity() const { return (kIndexPageSize - kNodeEntries) / LeafEntrySize(); }
  std::size_t BranchCapacity() const { return (kIndexPageSize - kNodeEntries) / BranchEntrySize(); }
};

class IndexFile {
 public:
  // Writes a new index file with an empty root leaf per key. A file created
  // for a rebuild is marked "in use" until its keys are added and it is
  // flushed, so a crash in between leads to another rebuild.
  static void Create(const std::string& path, std::int32_t record_length,
                     const std::vector<TKeyDesc>& keys, bool closed_correctly);

  IndexFile() = default;
  IndexFile(const IndexFile&) = delete;
  IndexFile& operator=(const IndexFile&) = delete;

  // 0, 10160 (not closed correctly) or 10010 (damaged header); raises on
  // system failures. `fresh` opens a file just made by Create for a rebuild,
  // which is in use by design.
  int Open(const std::string& path, std::size_t cached_pages, bool fresh = false,
           bool read_only = false);
  // A new empty index that lives only in memory, opened as for a rebuild.
  void OpenNewInMemory(const std::string& name, std::int32_t record_length,
                       const std::vector<TKeyDesc>& keys, std::size_t cached_pages);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  int KeyCount() const { return static_cast<int>(trees_.size()); }
  TreeInfo& Tree(int key_index) { return trees_[static_cast<std::size_t>(key_index)]; }
  std::int32_t RecordLength() const { return record_length_; }
  std::uint32_t PageCount() const { return page_count_; }
  std::uint32_t DataStamp() const { return data_stamp_; }
  std::uint32_t DataSlots() const { return data_slots_; }
  // Taken into the header when it is next written closed.
  void SetDataState(std::uint32_t stamp, std::uint32_t slots) {
    data_stamp_ = stamp;
    data_slots_ = slots;
  }
  // Entries naming record `limit` or later are damage (0: no limit).
  void SetRecordLimit(std::uint32_t limit) { record_limit_ = limit; }

  // A node page of tree `key_index` at `level` (checked; 10010 otherwise).
  const unsigned char* Node(std::uint32_t page, int key_index, int level);
  // The same page, to be changed. Requires: BeginChange was called.
  unsigned char* NodeForChange(std::uint32_t page, int key_index, int level);
  // A new empty node page.
  std::uint32_t AllocateNode(int key_index, int level, unsigned char kind, unsigned char** bytes);
  void FreeNode(std::uint32_t page);

  // Marks the file "in use" on disk (once per flushed state).
  void BeginChange();
  // Lets the page cache shrink back to its size after an operation.
  void EndOperation() { cache_->Trim(); }
  // Writes every page and the header; `before_mark` runs (making the data
  // file durable) before the file is marked closed correctly.
  void Flush(const std::function<void()>& before_mark);

 private:
  static void Initialise(BlockFile& file, std::int32_t record_length,
                         const std::vector<TKeyDesc>& keys, bool closed_correctly);
  int Attach(BlockFile file, std::size_t cached_pages, bool fresh);
  void ValidatePage(std::uint32_t page, const unsigned char* bytes) const;
  void WriteHeader(bool closed_correctly);

  BlockFile file_;
  std::unique_ptr<PageCache> cache_;
  std::vector<TreeInfo> trees_;
  std::int32_t record_length_ = 0;
  std::uint32_t page_count_ = 0;
  std::uint32_t first_free_ = 0;
  std::uint32_t data_stamp_ = 0;
  std::uint32_t data_slots_ = 0;
  std::uint32_t record_limit_ = 0;
  bool marked_in_use_ = false;
};

}  // namespace zelvora
