#include "store/IndexFile.h"

#include <array>
#include <cstring>

#include "base/LittleEndian.h"
#include "store/TableErrors.h"

namespace zelvora {

using le::Get16;
using le::Get32;
using le::Put16;
using le::Put32;

namespace {

// Index file header, page 0:
//   0  4  magic "ZVIX"
//   4  2  format version (1)
//   6  2  page size (4096)
//   8  1  closed correctly: 1 when every page and the data file were written
//         and synced at the last flush; 0 while changes are pending
//   9  1  key count (1 to 24)
//  10  2  reserved, zero
//  12  4  page count, page 0 included
//  16  4  first free page (0 when none)
//  20  4  record length of the data file
//  24  16 per key: a key descriptor
// 408  4  stamp of the data file at the last flush
// 412  4  record slots of the data file at the last flush (0: not kept)
// Key descriptor:
//   0  4  root page
//   4  1  height (1 when the root is a leaf)
//   5  1  maximum key length in characters
//   6  1  1 when equal key texts are allowed
//   7  1  reserved, zero
//   8  4  entry count
//  12  4  reserved, zero
// The header fits in the first 512 bytes, so a power cut cannot tear it.
constexpr unsigned char kMagic[4] = {'Z', 'V', 'I', 'X'};
constexpr std::size_t kHdrMagic = 0;
constexpr std::size_t kHdrVersion = 4;
constexpr std::size_t kHdrPageSize = 6;
constexpr std::size_t kHdrClosed = 8;
constexpr std::size_t kHdrKeyCount = 9;
constexpr std::size_t kHdrPageCount = 12;
constexpr std::size_t kHdrFirstFree = 16;
constexpr std::size_t kHdrRecordLength = 20;
constexpr std::size_t kHdrKeys = 24;
constexpr std::size_t kKeyDescSize = 16;
constexpr std::size_t kHdrDataStamp = kHdrKeys + kMaxKeys * kKeyDescSize;
constexpr std::size_t kHdrDataSlots = kHdrDataStamp + 4;
constexpr std::size_t kKeyRoot = 0;
constexpr std::size_t kKeyHeight = 4;
constexpr std::size_t kKeyMaxLength = 5;
constexpr std::size_t kKeyDuplicates = 6;
constexpr std::size_t kKeyEntries = 8;
constexpr std::uint16_t kFormatVersion = 1;
constexpr std::uint32_t kMaxPages = 1u << 24;  // 64 GiB of index
constexpr std::uint32_t kMaxRecordNumber = 0x7FFFFFFF;

using Page = std::array<unsigned char, kIndexPageSize>;

struct DataState {
  std::uint32_t stamp = 0;
  std::uint32_t slots = 0;
};

void EncodeHeader(Page& page, bool closed, std::uint32_t page_count, std::uint32_t first_free,
                  std::int32_t record_length, const std::vector<TreeInfo>& trees, DataState data) {
  page.fill(0);
  std::memcpy(page.data() + kHdrMagic, kMagic, sizeof kMagic);
  Put16(page.data() + kHdrVersion, kFormatVersion);
  Put16(page.data() + kHdrPageSize, static_cast<std::uint16_t>(kIndexPageSize));
  page[kHdrClosed] = closed ? 1 : 0;
  page[kHdrKeyCount] = static_cast<unsigned char>(trees.size());
  Put32(page.data() + kHdrPageCount, page_count);
  Put32(page.data() + kHdrFirstFree, first_free);
  Put32(page.data() + kHdrRecordLength, static_cast<std::uint32_t>(record_length));
  Put32(page.data() + kHdrDataStamp, data.stamp);
  Put32(page.data() + kHdrDataSlots, data.slots);
  for (std::size_t k = 0; k < trees.size(); ++k) {
    unsigned char* desc = page.data() + kHdrKeys + k * kKeyDescSize;
    Put32(desc + kKeyRoot, trees[k].root);
    desc[kKeyHeight] = static_cast<unsigned char>(trees[k].height);
    desc[kKeyMaxLength] = static_cast<unsigned char>(trees[k].max_length);
    desc[kKeyDuplicates] = trees[k].duplicates ? 1 : 0;
    Put32(desc + kKeyEntries, trees[k].entries);
  }
}

// Compares two encoded entries of the same tree: key text in byte order,
// then record number.
int CompareEntries(const unsigned char* a, const unsigned char* b, int max_length) {
  const std::size_t la = a[0];
  const std::size_t lb = b[0];
  const int c = std::memcmp(a + 1, b + 1, la < lb ? la : lb);
  if (c != 0) return c;
  if (la != lb) return la < lb ? -1 : 1;
  const std::uint32_t ra = Get32(a + 1 + max_length);
  const std::uint32_t rb = Get32(b + 1 + max_length);
  return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

}  // namespace

void IndexFile::Create(const std::string& path, std::int32_t record_length,
                       const std::vector<TKeyDesc>& keys, bool closed_correctly) {
  BlockFile file(path, BlockFile::Mode::CreateTruncate);
  Initialise(file, record_length, keys, closed_correctly);
  file.Sync();
  file.Close();
}

void IndexFile::OpenNewInMemory(const std::string& name, std::int32_t record_length,
                                const std::vector<TKeyDesc>& keys, std::size_t cached_pages) {
  Close();
  BlockFile file = BlockFile::InMemory(name);
  Initialise(file, record_length, keys, false);
  const int opened = Attach(std::move(file), cached_pages, true);
  if (opened != 0) RaiseTableError(opened);
}

void IndexFile::Initialise(BlockFile& file, std::int32_t record_length,
                           const std::vector<TKeyDesc>& keys, bool closed_correctly) {
  std::vector<TreeInfo> trees(keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    trees[k].root = static_cast<std::uint32_t>(k + 1);
    trees[k].height = 1;
    trees[k].max_length = keys[k].MaxLength;
    trees[k].duplicates = keys[k].Duplicates;
  }
  const auto page_count = static_cast<std::uint32_t>(keys.size() + 1);
  Page page;
  // A new closed file belongs to a new data file: header record only.
  EncodeHeader(page, closed_correctly, page_count, 0, record_length, trees,
               DataState{0, closed_correctly ? 1u : 0u});
  file.WriteAt(0, page.data(), page.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    page.fill(0);
    page[kNodeKind] = kPageLeaf;
    page[kNodeKey] = static_cast<unsigned char>(k + 1);
    file.WriteAt(static_cast<std::int64_t>(k + 1) * kIndexPageSize, page.data(), page.size());
  }
}

int IndexFile::Open(const std::string& path, std::size_t cached_pages, bool fresh, bool read_only) {
  Close();
  return Attach(
      BlockFile(path, read_only ? BlockFile::Mode::OpenReadOnly : BlockFile::Mode::OpenExisting),
      cached_pages, fresh);
}

int IndexFile::Attach(BlockFile file, std::size_t cached_pages, bool fresh) {
  Close();
  file_ = std::move(file);
  Page page;
  const std::int64_t size = file_.Size();
  const bool complete = file_.ReadAt(0, page.data(), page.size()) == page.size();
  auto fail = [this](int error) {
    file_.Close();
    return error;
  };
  if (!complete || std::memcmp(page.data() + kHdrMagic, kMagic, sizeof kMagic) != 0 ||
      Get16(page.data() + kHdrVersion) != kFormatVersion ||
      Get16(page.data() + kHdrPageSize) != kIndexPageSize) {
    return fail(kErrFileDefect);
  }
  // A file in use at a crash may hold anything beyond its header: it is
  // rebuilt rather than checked further.
  if (page[kHdrClosed] == 0 && !fresh) return fail(kErrNotClosed);
  if (page[kHdrClosed] > 1) return fail(kErrFileDefect);
  const std::size_t key_count = page[kHdrKeyCount];
  page_count_ = Get32(page.data() + kHdrPageCount);
  first_free_ = Get32(page.data() + kHdrFirstFree);
  const std::uint32_t record_length = Get32(page.data() + kHdrRecordLength);
  if (key_count < 1 || key_count > static_cast<std::size_t>(kMaxKeys) || page_count_ <= key_count ||
      page_count_ > kMaxPages ||
      static_cast<std::int64_t>(page_count_) * static_cast<std::int64_t>(kIndexPageSize) > size ||
      first_free_ >= page_count_ || record_length < 22 || record_length > 0x7FFFFFFF) {
    return fail(kErrFileDefect);
  }
  record_length_ = static_cast<std::int32_t>(record_length);
  data_stamp_ = Get32(page.data() + kHdrDataStamp);
  data_slots_ = Get32(page.data() + kHdrDataSlots);
  trees_.assign(key_count, TreeInfo{});
  for (std::size_t k = 0; k < key_count; ++k) {
    const unsigned char* desc = page.data() + kHdrKeys + k * kKeyDescSize;
    TreeInfo& tree = trees_[k];
    tree.root = Get32(desc + kKeyRoot);
    tree.height = desc[kKeyHeight];
    tree.max_length = desc[kKeyMaxLength];
    tree.duplicates = desc[kKeyDuplicates] != 0;
    tree.entries = Get32(desc + kKeyEntries);
    if (tree.root == 0 || tree.root >= page_count_ || tree.height < 1 ||
        tree.height > kMaxTreeHeight || tree.max_length < 1 || tree.max_length > kMaxKeyLength ||
        desc[kKeyDuplicates] > 1) {
      trees_.clear();
      return fail(kErrFileDefect);
    }
  }
  cache_ = std::make_unique<PageCache>(
      file_, cached_pages,
      [this](std::uint32_t number, const unsigned char* bytes) { ValidatePage(number, bytes); });
  marked_in_use_ = page[kHdrClosed] == 0;
  return 0;
}

void IndexFile::Close() {
  cache_.reset();
  trees_.clear();
  data_stamp_ = 0;
  data_slots_ = 0;
  record_limit_ = 0;
  marked_in_use_ = false;
  file_.Close();
}

void IndexFile::ValidatePage(std::uint32_t page, const unsigned char* bytes) const {
  const unsigned char kind = bytes[kNodeKind];
  const std::uint32_t link = Get32(bytes + kNodeLink);
  if (kind == kPageFree) {
    if (link >= page_count_) RaiseTableError(kErrFileDefect);
    return;
  }
  if (kind != kPageLeaf && kind != kPageBranch) RaiseTableError(kErrFileDefect);
  const std::size_t key = bytes[kNodeKey];
  if (key < 1 || key > trees_.size()) RaiseTableError(kErrFileDefect);
  const TreeInfo& tree = trees_[key - 1];
  const int level = bytes[kNodeLevel];
  const bool leaf = kind == kPageLeaf;
  if (leaf ? level != 0 : (level < 1 || level >= tree.height)) RaiseTableError(kErrFileDefect);
  const std::size_t count = Get16(bytes + kNodeCount);
  const std::size_t entry_size = leaf ? tree.LeafEntrySize() : tree.BranchEntrySize();
  if (count > (leaf ? tree.LeafCapacity() : tree.BranchCapacity())) RaiseTableError(kErrFileDefect);
  if (leaf ? link >= page_count_ : (link == 0 || link >= page_count_ || link == page)) {
    RaiseTableError(kErrFileDefect);
  }
  const unsigned char* previous = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* entry = bytes + kNodeEntries + i * entry_size;
    const std::uint32_t record = Get32(entry + 1 + tree.max_length);
    if (entry[0] > tree.max_length || record == 0 || record > kMaxRecordNumber ||
        (record_limit_ != 0 && record >= record_limit_)) {
      RaiseTableError(kErrFileDefect);
    }
    if (!leaf) {
      const std::uint32_t child = Get32(entry + 5 + tree.max_length);
      if (child == 0 || child >= page_count_ || child == page) RaiseTableError(kErrFileDefect);
    }
    if (previous != nullptr && CompareEntries(previous, entry, tree.max_length) >= 0) {
      RaiseTableError(kErrFileDefect);
    }
    previous = entry;
  }
}

const unsigned char* IndexFile::Node(std::uint32_t page, int key_index, int level) {
  if (page == 0 || page >= page_count_) RaiseTableError(kErrFileDefect);
  const unsigned char* bytes = cache_->Get(page);
  if (bytes[kNodeKind] != (level == 0 ? kPageLeaf : kPageBranch) ||
      bytes[kNodeKey] != key_index + 1 || bytes[kNodeLevel] != level) {
    RaiseTableError(kErrFileDefect);
  }
  return bytes;
}

unsigned char* IndexFile::NodeForChange(std::uint32_t page, int key_index, int level) {
  const unsigned char* bytes = Node(page, key_index, level);
  cache_->MarkDirty(page);
  return const_cast<unsigned char*>(bytes);
}

std::uint32_t IndexFile::AllocateNode(int key_index, int level, unsigned char kind,
                                      unsigned char** bytes) {
  std::uint32_t page;
  if (first_free_ != 0) {
    page = first_free_;
    const unsigned char* free_page = cache_->Get(page);
    if (free_page[kNodeKind] != kPageFree) RaiseTableError(kErrFileDefect);
    first_free_ = Get32(free_page + kNodeLink);
  } else {
    if (page_count_ >= kMaxPages) RaiseTableError(kErrFileWrite);
    page = page_count_++;
  }
  unsigned char* node = cache_->Create(page);
  node[kNodeKind] = kind;
  node[kNodeKey] = static_cast<unsigned char>(key_index + 1);
  node[kNodeLevel] = static_cast<unsigned char>(level);
  *bytes = node;
  return page;
}

void IndexFile::FreeNode(std::uint32_t page) {
  unsigned char* node = cache_->Create(page);
  node[kNodeKind] = kPageFree;
  Put32(node + kNodeLink, first_free_);
  first_free_ = page;
}

void IndexFile::WriteHeader(bool closed_correctly) {
  Page page;
  EncodeHeader(page, closed_correctly, page_count_, first_free_, record_length_, trees_,
               DataState{data_stamp_, data_slots_});
  file_.WriteAt(0, page.data(), page.size());
}

void IndexFile::BeginChange() {
  if (marked_in_use_) return;
  WriteHeader(false);
  // The mark must be on disk before any page or record of the change.
  file_.Sync();
  marked_in_use_ = true;
}

void IndexFile::Flush(const std::function<void()>& before_mark) {
  if (!marked_in_use_) return;
  cache_->Flush();
  before_mark();
  file_.Sync();
  WriteHeader(true);
  file_.Sync();
  marked_in_use_ = false;
}

}  // namespace zelvora
