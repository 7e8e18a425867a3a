// The run-length codec: run and literal boundaries, and damaged streams.
#include <gtest/gtest.h>

#include "store/ArchiveTestSupport.h"
#include "store/CompressException.h"
#include "store/Rle.h"

namespace zelvora {
namespace {

using testing::Bytes;

TEST(RleStreamTest, RoundTripsRunAndLiteralBoundaries) {
  std::vector<Bytes> inputs = {{},
                               {7},
                               {7, 7},
                               {7, 7, 7},
                               Bytes(130, 1),
                               Bytes(131, 1),
                               Bytes(133, 1),
                               testing::RandomBytes(128, 1),
                               testing::RandomBytes(129, 2),
                               testing::RecordData(40000, 3)};
  Bytes mixed = testing::RandomBytes(200, 4);
  mixed.insert(mixed.end(), 500, 0);
  mixed.push_back(9);
  mixed.push_back(9);
  inputs.push_back(mixed);
  for (const Bytes& in : inputs) {
    auto stream = RleEncode(in);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(RleDecode(*stream, in.size()), in) << in.size();
  }
  EXPECT_EQ(RleEncode(Bytes(130, 5))->size(), 2u);
  EXPECT_FALSE(RleEncode(testing::RandomBytes(1000, 5), 1000).has_value());
}

TEST(RleStreamTest, DamagedStreamsGiveTheDecodeTableMessage) {
  const std::vector<std::pair<Bytes, std::size_t>> cases = {
      {{5, 'a'}, 6},       // literal run cut short
      {{0x80}, 3},         // run without its byte
      {{0x81, 'a'}, 3},    // run longer than the announced size
      {{0, 'a'}, 2},       // stream ends before the size is reached
      {{1, 'a', 'b'}, 1},  // literals past the announced size
  };
  for (const auto& [stream, size] : cases) {
    try {
      RleDecode(stream, size);
      ADD_FAILURE() << "no exception";
    } catch (const ECompressException& e) {
      EXPECT_STREQ(e.what(), "Bad decode table in archive!");
    }
  }
}

}  // namespace
}  // namespace zelvora
