// One key's B+tree in an index file: entries (key text, record number) in
// ascending order of the key text's bytes and then of the record number.
//
// Callers may rely on:
//  - equal key texts come back in ascending record number;
//  - an exact (key text, record number) pair is never stored twice, and in a
//    key without duplicates no key text is stored twice (10230);
//  - Remove keeps every node but the root at least half full, so the tree
//    shrinks as it empties; a root branch with one child gives way to it;
//  - walking a damaged file ends in 10010, never in a loop.
// Requires: the index file is open and BeginChange was called before Insert
// and Remove.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/IndexFile.h"

namespace zelvora {

// A walking position: the next entry to return is the first at or above
// (bound_key, bound_record). The leaf position is a shortcut that holds while
// the tree's version is unchanged.
struct BTreeCursor {
  std::string bound_key;
  std::int64_t bound_record = 0;
  std::uint32_t leaf = 0;
  std::size_t index = 0;
  std::uint64_t version = ~std::uint64_t{0};

  void Reset(std::string_view key, std::int64_t record) {
    bound_key.assign(key);
    bound_record = record;
    version = ~std::uint64_t{0};
  }
};

class BTree {
 public:
  BTree(IndexFile& file, int key_index) : file_(file), key_(key_index) {}

  void Insert(std::string_view key, std::uint32_t record);
  void Remove(std::string_view key, std::uint32_t record);
  // True when some entry has exactly this key text.
  bool Contains(std::string_view key);
  // The next entry at or after the cursor; false at the end.
  bool Next(BTreeCursor& cursor, std::string& key, std::uint32_t& record);

  // Walks the whole tree and raises 10010 on any broken rule (order, levels,
  // fill, leaf chain, entry count); returns the number of entries.
  std::uint32_t Check();

 private:
  struct PathStep {
    std::uint32_t page;
    std::size_t child;  // 0 the leftmost child, j the child of separator j-1
  };

  TreeInfo& Info() { return file_.Tree(key_); }
  // Descends towards (key, record); fills `path` with the branches passed.
  std::uint32_t Descend(std::string_view key, std::int64_t record, std::vector<PathStep>* path);
  void InsertIntoParent(std::vector<PathStep>& path, const unsigned char* separator,
                        std::uint32_t right_page, int level);
  void Rebalance(std::vector<PathStep>& path, std::uint32_t page, int level);
  std::uint32_t CheckNode(std::uint32_t page, int level, const unsigned char* low,
                          const unsigned char* high, std::uint32_t& expected_leaf, bool root);

  IndexFile& file_;
  int key_;
};

}  // namespace zelvora
