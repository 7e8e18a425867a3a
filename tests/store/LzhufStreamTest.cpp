// The LZHUF codec: streams of an independent encoder expand byte for byte,
// our encoder reproduces them, and damaged streams fail cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "store/ArchiveTestSupport.h"
#include "store/CompressException.h"
#include "store/Lzhuf.h"

namespace zelvora {
namespace {

std::vector<std::uint8_t> ReadVector(const std::string& name) {
  std::ifstream in(std::string(ZELVORA_TESTDATA) + "/lzhuf/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kVectors[] = {"blanks.txt", "overlap.bin", "text.txt", "random.bin",
                                "records.bin"};

TEST(LzhufStreamTest, IndependentStreamsExpandByteForByte) {
  for (const char* name : kVectors) {
    std::vector<std::uint8_t> plain = ReadVector(name);
    std::vector<std::uint8_t> stream = ReadVector(std::string(name) + ".lzh");
    ASSERT_FALSE(plain.empty()) << name;
    EXPECT_EQ(LzhufDecode(stream, plain.size()), plain) << name;
  }
}

TEST(LzhufStreamTest, EncoderReproducesIndependentStreams) {
  for (const char* name : kVectors) {
    std::vector<std::uint8_t> plain = ReadVector(name);
    std::vector<std::uint8_t> stream = ReadVector(std::string(name) + ".lzh");
    auto ours = LzhufEncode(plain);
    ASSERT_TRUE(ours.has_value()) << name;
    EXPECT_EQ(*ours, stream) << name;
  }
}

}  // namespace
}  // namespace zelvora

namespace zelvora {
namespace {

using testing::Bytes;

TEST(LzhufStreamTest, RoundTripsShapesThatStressTheCoder) {
  struct Case {
    const char* what;
    Bytes data;
  };
  Bytes long_run(200000, 'x');  // the root frequency passes 0x8000: the tree is rebuilt many times
  Bytes cycle;
  for (int i = 0; i < 50000; ++i)
    cycle.push_back(static_cast<std::uint8_t>(i % 61));  // matches just over 60
  Bytes far;
  Bytes block = testing::RandomBytes(100, 7);
  far = block;
  Bytes filler =
      testing::RandomBytes(4036 - 100, 8);  // the block again at the farthest reachable distance
  far.insert(far.end(), filler.begin(), filler.end());
  far.insert(far.end(), block.begin(), block.end());
  const Case cases[] = {
      {"one byte", {'A'}},
      {"two blanks", {' ', ' '}},
      {"blanks only", Bytes(5000, ' ')},
      {"long run", long_run},
      {"cycle of 61", cycle},
      {"match at the far end of the ring", far},
      {"records", testing::RecordData(300000, 1)},
      {"random", testing::RandomBytes(70000, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto stream = LzhufEncode(c.data);
    ASSERT_TRUE(stream.has_value()) << c.what;
    EXPECT_EQ(LzhufDecode(*stream, c.data.size()), c.data) << c.what;
  }
}

TEST(LzhufStreamTest, FarMatchIsFoundAndShrinksTheStream) {
  Bytes block = testing::RandomBytes(1000, 9);
  Bytes data = block;
  Bytes filler = testing::RandomBytes(3036, 10);
  data.insert(data.end(), filler.begin(), filler.end());
  data.insert(data.end(), block.begin(), block.end());
  auto stream = LzhufEncode(data);
  ASSERT_TRUE(stream.has_value());
  // 1000 repeated bytes cost a few dozen matches, not 1000 literals.
  EXPECT_LT(stream->size(), 4036u + 150u);
}

TEST(LzhufStreamTest, EmptyInputGivesEmptyStreamAndGiveUpStops) {
  EXPECT_TRUE(LzhufEncode({})->empty());
  EXPECT_TRUE(LzhufDecode({}, 0).empty());
  Bytes random = testing::RandomBytes(20000, 3);
  EXPECT_FALSE(LzhufEncode(random, random.size()).has_value());
  Bytes text(20000, 'a');
  EXPECT_TRUE(LzhufEncode(text, text.size()).has_value());
}

TEST(LzhufStreamTest, TruncatedOrDamagedStreamsFailCleanly) {
  Bytes plain = testing::RecordData(20000, 4);
  Bytes stream = *LzhufEncode(plain);
  for (std::size_t cut = 0; cut < stream.size(); cut += 97) {
    Bytes part(stream.begin(), stream.begin() + static_cast<long>(cut));
    EXPECT_THROW(LzhufDecode(part, plain.size()), ECompressException) << cut;
  }
  try {
    LzhufDecode(Bytes(stream.begin(), stream.begin() + 10), plain.size());
    FAIL() << "no exception";
  } catch (const ECompressException& e) {
    EXPECT_STREQ(e.what(), "Bad decode table in archive!");
  }
  // A flipped bit gives either the message or exactly the announced size.
  std::mt19937 rng(5);
  for (int i = 0; i < 200; ++i) {
    Bytes bad = stream;
    bad[rng() % bad.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    try {
      EXPECT_EQ(LzhufDecode(bad, plain.size()).size(), plain.size());
    } catch (const ECompressException&) {
    }
  }
}

}  // namespace
}  // namespace zelvora
