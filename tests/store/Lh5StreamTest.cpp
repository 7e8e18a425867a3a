// The lh5 codec: round trips over inputs that exercise every table form,
// and damaged streams that must end with the decode-table message.
#include <gtest/gtest.h>

#include <random>

#include "store/ArchiveTestSupport.h"
#include "store/BitStream.h"
#include "store/CompressException.h"
#include "store/Lh5.h"

namespace zelvora {
namespace {

using testing::Bytes;

TEST(Lh5StreamTest, RoundTripsEveryTableForm) {
  struct Case {
    const char* what;
    Bytes data;
  };
  Bytes two_symbols;
  for (int i = 0; i < 5000; ++i) two_symbols.push_back(i % 7 == 0 ? 'a' : 'b');
  Bytes far = testing::RandomBytes(300, 11);
  Bytes filler = testing::RandomBytes(8192 - 300, 12);
  far.insert(far.end(), filler.begin(), filler.end());
  Bytes head(far.begin(), far.begin() + 300);
  far.insert(far.end(), head.begin(), head.end());  // a match at the largest distance
  Bytes beyond = testing::RandomBytes(300, 13);
  Bytes filler2 = testing::RandomBytes(8193 - 300, 14);
  beyond.insert(beyond.end(), filler2.begin(), filler2.end());
  Bytes head2(beyond.begin(), beyond.begin() + 300);
  beyond.insert(beyond.end(), head2.begin(), head2.end());  // just out of reach
  Bytes tail = testing::RandomBytes(10, 22);
  tail.insert(tail.end(), tail.begin(),
              tail.begin() + 10);  // a pending match as long as what is left
  const Case cases[] = {
      {"one byte", {'Q'}},
      {"pending match up to the end", tail},
      {"one symbol only", Bytes(100000, 0)},  // single-symbol tables sent with no bits
      {"two symbols", two_symbols},
      {"all byte values", testing::RandomBytes(600, 15)},
      {"largest distance", far},
      {"beyond the window", beyond},
      {"several blocks of records", testing::RecordData(2000000, 16)},
      {"random", testing::RandomBytes(100000, 17)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto stream = Lh5Encode(c.data);
    ASSERT_TRUE(stream.has_value()) << c.what;
    EXPECT_EQ(Lh5Decode(*stream, c.data.size()), c.data) << c.what;
  }
}

TEST(Lh5StreamTest, CompressesRecordsAndGivesUpOnNoise) {
  Bytes records = testing::RecordData(500000, 18);
  auto stream = Lh5Encode(records, records.size());
  ASSERT_TRUE(stream.has_value());
  EXPECT_LT(stream->size(), records.size() / 4);
  Bytes noise = testing::RandomBytes(50000, 19);
  EXPECT_FALSE(Lh5Encode(noise, noise.size()).has_value());
  EXPECT_TRUE(Lh5Encode({})->empty());
}

Bytes Stream(void (*write)(TBitWriter&)) {
  TBitWriter w;
  write(w);
  return w.TakeBytes();
}

TEST(Lh5StreamTest, DamagedTablesGiveTheDecodeTableMessage) {
  struct Case {
    const char* what;
    Bytes stream;
  };
  const Case cases[] = {
      {"empty stream", {}},
      {"block of zero codes", Stream([](TBitWriter& w) { w.Put(16, 0); })},
      {"length table longer than its alphabet", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 20);
       })},
      {"single length symbol out of range", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 19);
       })},
      {"incomplete length code", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 1);
         w.Put(3, 1);  // one symbol of length 1: half the code space unused
       })},
      {"oversubscribed length code", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 3);
         w.Put(3, 1);
         w.Put(3, 1);
         w.Put(3, 1);
         w.Put(2, 0);
       })},
      {"code length above 16", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 1);
         w.Put(3, 7);
         w.Put(12, 0xfff);  // 7 + 12 ones
       })},
      {"literal table longer than its alphabet", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 3);  // every literal length reads as 1
         w.Put(9, 511);
       })},
      {"zero run past the table", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 2);  // every item is a long zero run
         w.Put(9, 4);
         w.Put(9, 100);
       })},
      {"match before the start", Stream([](TBitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 0);
         w.Put(9, 0);
         w.Put(9, 300);  // the only code: a match of 47
         w.Put(4, 0);
         w.Put(4, 0);  // at distance 1, with nothing written yet
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      Lh5Decode(c.stream, 1000);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const ECompressException& e) {
      EXPECT_STREQ(e.what(), "Bad decode table in archive!") << c.what;
    }
  }
}

TEST(Lh5StreamTest, TruncatedAndFlippedStreamsNeverOverrun) {
  Bytes plain = testing::RecordData(60000, 20);
  Bytes stream = *Lh5Encode(plain);
  for (std::size_t cut = 0; cut < stream.size(); cut += 53) {
    Bytes part(stream.begin(), stream.begin() + static_cast<long>(cut));
    EXPECT_THROW(Lh5Decode(part, plain.size()), ECompressException) << cut;
  }
  std::mt19937 rng(21);
  for (int i = 0; i < 300; ++i) {
    Bytes bad = stream;
    bad[rng() % bad.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    try {
      EXPECT_EQ(Lh5Decode(bad, plain.size()).size(), plain.size());
    } catch (const ECompressException&) {
    }
  }
}

}  // namespace
}  // namespace zelvora
