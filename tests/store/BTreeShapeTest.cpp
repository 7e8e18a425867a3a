// The index B-tree against a plain ordered set: growth to several levels,
// splits and merges, shrinking back to a single leaf, and pages leaving and
// re-entering a small cache.
#include <algorithm>
#include <random>
#include <set>

#include "StoreTestSupport.h"
#include "store/BTree.h"
#include "store/IndexFile.h"

namespace zelvora::testing {
namespace {

using Entry = std::pair<std::string, std::uint32_t>;

class BTreeShapeTest : public StoreTest {
 protected:
  // Long keys make small nodes (16 entries), so a few thousand entries give
  // a tree of several levels.
  void OpenIndex(std::size_t cached_pages, bool duplicates = true) {
    path_ = Name("tree.IX");
    IndexFile::Create(path_, 64, {{kMaxKeyLength, duplicates}}, true);
    ASSERT_EQ(index_.Open(path_, cached_pages), 0);
    index_.BeginChange();
  }

  static std::string KeyText(std::uint32_t n) {
    std::string text = "K" + std::to_string(n % 997);
    text.resize(60 + n % 40, static_cast<char>('a' + n % 26));
    return text;
  }

  std::vector<Entry> Walk() {
    BTree tree(index_, 0);
    BTreeCursor cursor;
    std::vector<Entry> walked;
    std::string text;
    std::uint32_t record = 0;
    while (tree.Next(cursor, text, record)) walked.emplace_back(text, record);
    return walked;
  }

  void ExpectMatches(const std::set<Entry>& model) {
    EXPECT_EQ(BTree(index_, 0).Check(), model.size());
    EXPECT_EQ(Walk(), std::vector<Entry>(model.begin(), model.end()));
  }

  std::string path_;
  IndexFile index_;
};

TEST_F(BTreeShapeTest, GrowsToSeveralLevelsAndShrinksBackToOneLeaf) {
  OpenIndex(4096);
  BTree tree(index_, 0);
  std::set<Entry> model;
  std::mt19937 random(7);
  std::vector<std::uint32_t> order(4000);
  for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i + 1;
  std::shuffle(order.begin(), order.end(), random);
  for (const std::uint32_t n : order) {
    tree.Insert(KeyText(n), n);
    model.emplace(KeyText(n), n);
  }
  const int grown_height = index_.Tree(0).height;
  EXPECT_GE(grown_height, 4);
  ExpectMatches(model);

  std::shuffle(order.begin(), order.end(), random);
  int lowest_seen = grown_height;
  for (std::size_t i = 0; i < order.size(); ++i) {
    tree.Remove(KeyText(order[i]), order[i]);
    model.erase({KeyText(order[i]), order[i]});
    if (i % 500 == 0) ExpectMatches(model);
    lowest_seen = std::min(lowest_seen, index_.Tree(0).height);
  }
  EXPECT_EQ(index_.Tree(0).height, 1);
  EXPECT_LT(lowest_seen, grown_height);
  ExpectMatches(model);
  // Freed pages are used again when the tree grows anew.
  const std::uint32_t pages = index_.PageCount();
  for (std::uint32_t n = 1; n <= 2000; ++n) tree.Insert(KeyText(n), n);
  EXPECT_EQ(index_.PageCount(), pages);
}

TEST_F(BTreeShapeTest, MixedChangesThroughATinyCacheMatchTheModelAfterReopening) {
  OpenIndex(8);
  std::set<Entry> model;
  std::mt19937 random(11);
  {
    BTree tree(index_, 0);
    for (int step = 0; step < 12000; ++step) {
      const std::uint32_t n = random() % 3000 + 1;
      const Entry entry{KeyText(n), n};
      if (model.count(entry) != 0) {
        tree.Remove(entry.first, entry.second);
        model.erase(entry);
      } else {
        tree.Insert(entry.first, entry.second);
        model.insert(entry);
      }
      index_.EndOperation();  // lets the cache evict, as the engine does
    }
  }
  ExpectMatches(model);
  index_.Flush([] {});
  index_.Close();
  ASSERT_EQ(index_.Open(path_, 8), 0);
  ExpectMatches(model);
}

TEST_F(BTreeShapeTest, UniqueKeysRefuseEqualTextsWhateverTheRecord) {
  OpenIndex(64, false);
  BTree tree(index_, 0);
  for (std::uint32_t n = 1; n <= 500; ++n) tree.Insert(KeyText(n), n);
  // KeyText repeats after 997 numbers, and some texts recur earlier with
  // the same length and letter.
  EXPECT_EQ(ErrorOf([&] { tree.Insert(KeyText(3), 999); }), kErrDuplicateKey);
  EXPECT_TRUE(tree.Contains(KeyText(250)));
  EXPECT_FALSE(tree.Contains("K250"));
  EXPECT_EQ(tree.Check(), 500u);
}

TEST_F(BTreeShapeTest, UniqueKeysRefuseEveryEqualTextAtLeafEdgesToo) {
  // With records above and below the stored one, the insertion point of a
  // duplicate falls at every position of its leaf, leaf edges included.
  OpenIndex(64, false);
  BTree tree(index_, 0);
  for (std::uint32_t n = 1; n <= 800; ++n) tree.Insert("T" + std::to_string(n * 3), 1000 + n);
  ASSERT_GE(index_.Tree(0).height, 2);
  for (std::uint32_t n = 1; n <= 800; ++n) {
    const std::string text = "T" + std::to_string(n * 3);
    EXPECT_EQ(ErrorOf([&] { tree.Insert(text, 1); }), kErrDuplicateKey) << text;
    EXPECT_EQ(ErrorOf([&] { tree.Insert(text, 5000); }), kErrDuplicateKey) << text;
  }
  // Texts in between are new.
  for (std::uint32_t n = 1; n <= 800; ++n) tree.Insert("T" + std::to_string(n * 3 + 1), 1);
  EXPECT_EQ(tree.Check(), 1600u);
}

TEST_F(BTreeShapeTest, ManyEqualKeysSpanLeavesInRecordOrder) {
  OpenIndex(64);
  BTree tree(index_, 0);
  std::vector<std::uint32_t> records(300);
  for (std::uint32_t i = 0; i < records.size(); ++i) records[i] = i * 7 + 1;
  std::mt19937 random(3);
  std::shuffle(records.begin(), records.end(), random);
  for (const std::uint32_t r : records) tree.Insert("SAME", r);
  tree.Insert("SAMD", 5);
  tree.Insert("SAMF", 2);
  BTreeCursor cursor;
  cursor.Reset("SAME", 0);
  std::string text;
  std::uint32_t record = 0;
  std::uint32_t previous = 0;
  int equal = 0;
  while (tree.Next(cursor, text, record) && text == "SAME") {
    EXPECT_GT(record, previous);
    previous = record;
    ++equal;
  }
  EXPECT_EQ(equal, 300);
  EXPECT_EQ(text, "SAMF");
}

}  // namespace
}  // namespace zelvora::testing
