#include "store/BTree.h"

#include <cstring>

#include "base/LittleEndian.h"
#include "store/TableErrors.h"

namespace zelvora {

using le::Get16;
using le::Get32;
using le::Put16;
using le::Put32;

namespace {

// Before the walk reaches the first leaf, any page may be it.
constexpr std::uint32_t kAnyLeaf = 0xFFFFFFFF;

std::size_t Count(const unsigned char* node) { return Get16(node + kNodeCount); }
void SetCount(unsigned char* node, std::size_t count) {
  Put16(node + kNodeCount, static_cast<std::uint16_t>(count));
}
unsigned char* EntryAt(unsigned char* node, std::size_t i, std::size_t size) {
  return node + kNodeEntries + i * size;
}
const unsigned char* EntryAt(const unsigned char* node, std::size_t i, std::size_t size) {
  return node + kNodeEntries + i * size;
}
std::uint32_t RecordOf(const unsigned char* entry, int max_length) {
  return Get32(entry + 1 + max_length);
}
std::uint32_t ChildOf(const unsigned char* entry, int max_length) {
  return Get32(entry + 5 + max_length);
}
void SetChild(unsigned char* entry, int max_length, std::uint32_t child) {
  Put32(entry + 5 + max_length, child);
}
std::string_view KeyOf(const unsigned char* entry) {
  return {reinterpret_cast<const char*>(entry + 1), entry[0]};
}

// Entry against a target (key text, record number).
int CompareTo(const unsigned char* entry, std::string_view key, std::int64_t record,
              int max_length) {
  const std::size_t length = entry[0];
  const std::size_t common = length < key.size() ? length : key.size();
  const int c = common == 0 ? 0 : std::memcmp(entry + 1, key.data(), common);
  if (c != 0) return c;
  if (length != key.size()) return length < key.size() ? -1 : 1;
  const std::int64_t own = RecordOf(entry, max_length);
  return own < record ? -1 : (own > record ? 1 : 0);
}

int CompareEntries(const unsigned char* a, const unsigned char* b, int max_length) {
  return CompareTo(a, KeyOf(b), RecordOf(b, max_length), max_length);
}

void EncodeEntry(unsigned char* entry, std::string_view key, std::uint32_t record, int max_length) {
  entry[0] = static_cast<unsigned char>(key.size());
  std::memset(entry + 1, 0, static_cast<std::size_t>(max_length));
  if (!key.empty()) std::memcpy(entry + 1, key.data(), key.size());
  Put32(entry + 1 + max_length, record);
}

// First entry not below the target.
std::size_t LowerBound(const unsigned char* node, std::size_t size, std::string_view key,
                       std::int64_t record, int max_length) {
  std::size_t lo = 0;
  std::size_t hi = Count(node);
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (CompareTo(EntryAt(node, mid, size), key, record, max_length) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Number of separators at or below the target: the index of the child to
// descend into.
std::size_t UpperBound(const unsigned char* node, std::size_t size, std::string_view key,
                       std::int64_t record, int max_length) {
  std::size_t lo = 0;
  std::size_t hi = Count(node);
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (CompareTo(EntryAt(node, mid, size), key, record, max_length) <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

std::uint32_t ChildAt(const unsigned char* branch, std::size_t j, std::size_t size,
                      int max_length) {
  return j == 0 ? Get32(branch + kNodeLink) : ChildOf(EntryAt(branch, j - 1, size), max_length);
}

void InsertAt(unsigned char* node, std::size_t pos, const unsigned char* entry, std::size_t size) {
  const std::size_t count = Count(node);
  unsigned char* at = EntryAt(node, pos, size);
  std::memmove(at + size, at, (count - pos) * size);
  std::memcpy(at, entry, size);
  SetCount(node, count + 1);
}

void RemoveAt(unsigned char* node, std::size_t pos, std::size_t size) {
  const std::size_t count = Count(node);
  unsigned char* at = EntryAt(node, pos, size);
  std::memmove(at, at + size, (count - pos - 1) * size);
  std::memset(EntryAt(node, count - 1, size), 0, size);
  SetCount(node, count - 1);
}

}  // namespace

std::uint32_t BTree::Descend(std::string_view key, std::int64_t record,
                             std::vector<PathStep>* path) {
  const TreeInfo& info = Info();
  const std::size_t size = info.BranchEntrySize();
  std::uint32_t page = info.root;
  for (int level = info.height - 1; level > 0; --level) {
    const unsigned char* node = file_.Node(page, key_, level);
    const std::size_t j = UpperBound(node, size, key, record, info.max_length);
    if (path != nullptr) path->push_back({page, j});
    page = ChildAt(node, j, size, info.max_length);
  }
  return page;
}

bool BTree::Contains(std::string_view key) {
  BTreeCursor cursor;
  cursor.Reset(key, 0);
  std::string found;
  std::uint32_t record = 0;
  return Next(cursor, found, record) && found == key;
}

bool BTree::Next(BTreeCursor& cursor, std::string& key, std::uint32_t& record) {
  TreeInfo& info = Info();
  const std::size_t size = info.LeafEntrySize();
  if (cursor.version != info.version) {
    cursor.leaf = Descend(cursor.bound_key, cursor.bound_record, nullptr);
    const unsigned char* leaf = file_.Node(cursor.leaf, key_, 0);
    cursor.index = LowerBound(leaf, size, cursor.bound_key, cursor.bound_record, info.max_length);
    cursor.version = info.version;
  }
  // Empty leaves exist only in damaged files; the guard ends a walk along a
  // chain of them that loops.
  std::uint32_t empty_steps = 0;
  for (;;) {
    const unsigned char* leaf = file_.Node(cursor.leaf, key_, 0);
    if (cursor.index < Count(leaf)) {
      const unsigned char* entry = EntryAt(leaf, cursor.index, size);
      // Entries come back strictly ascending; anything else is a damaged
      // leaf chain and would otherwise repeat forever.
      if (CompareTo(entry, cursor.bound_key, cursor.bound_record, info.max_length) < 0) {
        RaiseTableError(kErrFileDefect);
      }
      key.assign(KeyOf(entry));
      record = RecordOf(entry, info.max_length);
      cursor.bound_key = key;
      cursor.bound_record = static_cast<std::int64_t>(record) + 1;
      ++cursor.index;
      return true;
    }
    const std::uint32_t next = Get32(leaf + kNodeLink);
    if (next == 0) return false;
    if (++empty_steps > file_.PageCount()) RaiseTableError(kErrFileDefect);
    cursor.leaf = next;
    cursor.index = 0;
  }
}

void BTree::Insert(std::string_view key, std::uint32_t record) {
  TreeInfo& info = Info();
  if (key.size() > static_cast<std::size_t>(info.max_length)) RaiseTableError(kErrKeyTooLong);
  const int max_length = info.max_length;
  const std::size_t size = info.LeafEntrySize();
  std::vector<PathStep> path;
  const std::uint32_t leaf_page = Descend(key, record, &path);
  const unsigned char* found = file_.Node(leaf_page, key_, 0);
  const std::size_t count = Count(found);
  const std::size_t pos = LowerBound(found, size, key, record, max_length);
  if (pos < count && CompareTo(EntryAt(found, pos, size), key, record, max_length) == 0) {
    RaiseTableError(kErrDuplicateKey);
  }
  if (!info.duplicates) {
    // Equal texts sit next to the insertion point; only at a leaf's edge may
    // the neighbour be in another leaf, and only then is a search needed.
    const bool equal_after = pos < count && KeyOf(EntryAt(found, pos, size)) == key;
    const bool equal_before = pos > 0 && KeyOf(EntryAt(found, pos - 1, size)) == key;
    if (equal_after || equal_before || ((pos == 0 || pos == count) && Contains(key))) {
      RaiseTableError(kErrDuplicateKey);
    }
  }
  unsigned char* leaf = file_.NodeForChange(leaf_page, key_, 0);
  std::vector<unsigned char> entry(size);
  EncodeEntry(entry.data(), key, record, max_length);
  if (count < info.LeafCapacity()) {
    InsertAt(leaf, pos, entry.data(), size);
  } else {
    // Split: the lower half stays, the upper half moves to a new right leaf
    // whose first entry becomes the separator in the parent.
    std::vector<unsigned char> all((count + 1) * size);
    std::memcpy(all.data(), EntryAt(leaf, 0, size), pos * size);
    std::memcpy(all.data() + pos * size, entry.data(), size);
    std::memcpy(all.data() + (pos + 1) * size, EntryAt(leaf, pos, size), (count - pos) * size);
    const std::size_t left_count = (count + 1) / 2;
    const std::size_t right_count = count + 1 - left_count;
    unsigned char* right = nullptr;
    const std::uint32_t right_page = file_.AllocateNode(key_, 0, kPageLeaf, &right);
    std::memcpy(EntryAt(right, 0, size), all.data() + left_count * size, right_count * size);
    SetCount(right, right_count);
    Put32(right + kNodeLink, Get32(leaf + kNodeLink));
    std::memset(EntryAt(leaf, 0, size), 0, count * size);
    std::memcpy(EntryAt(leaf, 0, size), all.data(), left_count * size);
    SetCount(leaf, left_count);
    Put32(leaf + kNodeLink, right_page);
    InsertIntoParent(path, EntryAt(right, 0, size), right_page, 1);
  }
  ++info.entries;
  ++info.version;
}

void BTree::InsertIntoParent(std::vector<PathStep>& path, const unsigned char* separator,
                             std::uint32_t right_page, int level) {
  TreeInfo& info = Info();
  const int max_length = info.max_length;
  const std::size_t size = info.BranchEntrySize();
  std::vector<unsigned char> entry(size);
  std::memcpy(entry.data(), separator, info.LeafEntrySize());
  SetChild(entry.data(), max_length, right_page);
  if (path.empty()) {
    if (info.height >= kMaxTreeHeight) RaiseTableError(kErrFileWrite);
    unsigned char* root = nullptr;
    const std::uint32_t root_page = file_.AllocateNode(key_, level, kPageBranch, &root);
    Put32(root + kNodeLink, info.root);
    InsertAt(root, 0, entry.data(), size);
    info.root = root_page;
    ++info.height;
    return;
  }
  const PathStep step = path.back();
  path.pop_back();
  unsigned char* parent = file_.NodeForChange(step.page, key_, level);
  const std::size_t count = Count(parent);
  if (count < info.BranchCapacity()) {
    InsertAt(parent, step.child, entry.data(), size);
    return;
  }
  // Split a full branch: the middle separator moves up, its child becomes the
  // new right branch's leftmost child.
  std::vector<unsigned char> all((count + 1) * size);
  const std::size_t pos = step.child;
  std::memcpy(all.data(), EntryAt(parent, 0, size), pos * size);
  std::memcpy(all.data() + pos * size, entry.data(), size);
  std::memcpy(all.data() + (pos + 1) * size, EntryAt(parent, pos, size), (count - pos) * size);
  const std::size_t middle = (count + 1) / 2;
  const unsigned char* up = all.data() + middle * size;
  unsigned char* right = nullptr;
  const std::uint32_t new_page = file_.AllocateNode(key_, level, kPageBranch, &right);
  Put32(right + kNodeLink, ChildOf(up, max_length));
  const std::size_t right_count = count - middle;
  std::memcpy(EntryAt(right, 0, size), up + size, right_count * size);
  SetCount(right, right_count);
  std::memset(EntryAt(parent, 0, size), 0, count * size);
  std::memcpy(EntryAt(parent, 0, size), all.data(), middle * size);
  SetCount(parent, middle);
  InsertIntoParent(path, up, new_page, level + 1);
}

void BTree::Remove(std::string_view key, std::uint32_t record) {
  TreeInfo& info = Info();
  const std::size_t size = info.LeafEntrySize();
  std::vector<PathStep> path;
  const std::uint32_t leaf_page = Descend(key, record, &path);
  unsigned char* leaf = file_.NodeForChange(leaf_page, key_, 0);
  const std::size_t pos = LowerBound(leaf, size, key, record, info.max_length);
  if (pos >= Count(leaf) ||
      CompareTo(EntryAt(leaf, pos, size), key, record, info.max_length) != 0) {
    RaiseTableError(kErrKeyToDelete);
  }
  RemoveAt(leaf, pos, size);
  if (info.entries > 0) --info.entries;
  ++info.version;
  Rebalance(path, leaf_page, 0);
}

void BTree::Rebalance(std::vector<PathStep>& path, std::uint32_t page, int level) {
  TreeInfo& info = Info();
  const int max_length = info.max_length;
  const std::size_t key_size = info.LeafEntrySize();
  const std::size_t branch_size = info.BranchEntrySize();
  for (;;) {
    if (path.empty()) {
      // The root: a branch left with a single child hands the tree to it.
      if (level > 0 && Count(file_.Node(page, key_, level)) == 0) {
        info.root = Get32(file_.Node(page, key_, level) + kNodeLink);
        --info.height;
        file_.FreeNode(page);
      }
      return;
    }
    const bool leaf = level == 0;
    const std::size_t size = leaf ? key_size : branch_size;
    const std::size_t minimum = (leaf ? info.LeafCapacity() : info.BranchCapacity()) / 2;
    unsigned char* node = file_.NodeForChange(page, key_, level);
    if (Count(node) >= minimum) return;

    const PathStep step = path.back();
    path.pop_back();
    unsigned char* parent = file_.NodeForChange(step.page, key_, level + 1);
    if (Count(parent) == 0) RaiseTableError(kErrFileDefect);
    const bool from_left = step.child > 0;
    const std::size_t separator_index = from_left ? step.child - 1 : 0;
    const std::uint32_t sibling_page =
        ChildAt(parent, from_left ? step.child - 1 : 1, branch_size, max_length);
    unsigned char* sibling = file_.NodeForChange(sibling_page, key_, level);
    unsigned char* separator = EntryAt(parent, separator_index, branch_size);

    if (Count(sibling) > minimum) {
      // Borrow one entry through the parent.
      if (leaf) {
        if (from_left) {
          InsertAt(node, 0, EntryAt(sibling, Count(sibling) - 1, size), size);
          RemoveAt(sibling, Count(sibling) - 1, size);
          std::memcpy(separator, EntryAt(node, 0, size), key_size);
        } else {
          InsertAt(node, Count(node), EntryAt(sibling, 0, size), size);
          RemoveAt(sibling, 0, size);
          std::memcpy(separator, EntryAt(sibling, 0, size), key_size);
        }
      } else {
        std::vector<unsigned char> moved(size);
        std::memcpy(moved.data(), separator, key_size);
        if (from_left) {
          const unsigned char* last = EntryAt(sibling, Count(sibling) - 1, size);
          SetChild(moved.data(), max_length, Get32(node + kNodeLink));
          InsertAt(node, 0, moved.data(), size);
          Put32(node + kNodeLink, ChildOf(last, max_length));
          std::memcpy(separator, last, key_size);
          RemoveAt(sibling, Count(sibling) - 1, size);
        } else {
          const unsigned char* first = EntryAt(sibling, 0, size);
          SetChild(moved.data(), max_length, Get32(sibling + kNodeLink));
          InsertAt(node, Count(node), moved.data(), size);
          Put32(sibling + kNodeLink, ChildOf(first, max_length));
          std::memcpy(separator, first, key_size);
          RemoveAt(sibling, 0, size);
        }
      }
      return;
    }

    // Merge the right node of the pair into the left one and drop their
    // separator from the parent.
    unsigned char* left = from_left ? sibling : node;
    unsigned char* right = from_left ? node : sibling;
    const std::uint32_t right_page = from_left ? page : sibling_page;
    const std::size_t left_count = Count(left);
    const std::size_t right_count = Count(right);
    if (leaf) {
      std::memcpy(EntryAt(left, left_count, size), EntryAt(right, 0, size), right_count * size);
      SetCount(left, left_count + right_count);
      Put32(left + kNodeLink, Get32(right + kNodeLink));
    } else {
      unsigned char* joined = EntryAt(left, left_count, size);
      std::memcpy(joined, separator, key_size);
      SetChild(joined, max_length, Get32(right + kNodeLink));
      std::memcpy(EntryAt(left, left_count + 1, size), EntryAt(right, 0, size), right_count * size);
      SetCount(left, left_count + 1 + right_count);
    }
    file_.FreeNode(right_page);
    RemoveAt(parent, separator_index, branch_size);
    page = step.page;
    ++level;
  }
}

std::uint32_t BTree::Check() {
  TreeInfo& info = Info();
  std::uint32_t expected_leaf = kAnyLeaf;
  const std::uint32_t total =
      CheckNode(info.root, info.height - 1, nullptr, nullptr, expected_leaf, true);
  if (expected_leaf != 0 || total != info.entries) RaiseTableError(kErrFileDefect);
  return total;
}

std::uint32_t BTree::CheckNode(std::uint32_t page, int level, const unsigned char* low,
                               const unsigned char* high, std::uint32_t& expected_leaf, bool root) {
  TreeInfo& info = Info();
  const int max_length = info.max_length;
  const bool leaf = level == 0;
  const std::size_t size = leaf ? info.LeafEntrySize() : info.BranchEntrySize();
  // Copied: walking the children may load other pages.
  const unsigned char* cached = file_.Node(page, key_, level);
  std::vector<unsigned char> node(cached, cached + kIndexPageSize);
  const std::size_t count = Count(node.data());
  const std::size_t minimum = (leaf ? info.LeafCapacity() : info.BranchCapacity()) / 2;
  if (!root && count < minimum) RaiseTableError(kErrFileDefect);
  if (root && !leaf && count == 0) RaiseTableError(kErrFileDefect);
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* entry = EntryAt(node.data(), i, size);
    if ((low != nullptr && CompareEntries(entry, low, max_length) < 0) ||
        (high != nullptr && CompareEntries(entry, high, max_length) >= 0)) {
      RaiseTableError(kErrFileDefect);
    }
  }
  if (leaf) {
    if (expected_leaf != kAnyLeaf && expected_leaf != page) RaiseTableError(kErrFileDefect);
    expected_leaf = Get32(node.data() + kNodeLink);
    return static_cast<std::uint32_t>(count);
  }
  std::uint32_t total = 0;
  for (std::size_t j = 0; j <= count; ++j) {
    const unsigned char* child_low = j == 0 ? low : EntryAt(node.data(), j - 1, size);
    const unsigned char* child_high = j == count ? high : EntryAt(node.data(), j, size);
    total += CheckNode(ChildAt(node.data(), j, size, max_length), level - 1, child_low, child_high,
                       expected_leaf, false);
  }
  return total;
}

}  // namespace zelvora
