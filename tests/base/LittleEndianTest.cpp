#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <stdexcept>

#include "base/LittleEndian.h"

namespace zelvora {
namespace {

TEST(LittleEndianTest, FieldsAreStoredLowByteFirst) {
  std::array<unsigned char, 8> b{};
  le::Put32(b.data(), 0x12345678u);
  EXPECT_EQ(b[0], 0x78);
  EXPECT_EQ(b[3], 0x12);
  EXPECT_EQ(le::Get32(b.data()), 0x12345678u);
  le::Put16(b.data(), static_cast<std::uint16_t>(-2));
  EXPECT_EQ(b[0], 0xFE);
  EXPECT_EQ(b[1], 0xFF);
  EXPECT_EQ(static_cast<std::int16_t>(le::Get16(b.data())), -2);
  le::PutDouble(b.data(), 1.0);  // 0x3FF0000000000000
  EXPECT_EQ(b[7], 0x3F);
  EXPECT_EQ(b[6], 0xF0);
  EXPECT_EQ(b[0], 0x00);
}

TEST(LittleEndianTest, ValuesSurviveARoundTrip) {
  std::array<unsigned char, 16> b{};
  for (const double value : {0.0, -0.0, 45000.75, -1e300, std::numeric_limits<double>::max()}) {
    SCOPED_TRACE(value);
    le::PutDouble(std::span<unsigned char>(b), 8, value);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(le::GetDouble(std::span<const unsigned char>(b), 8)),
              std::bit_cast<std::uint64_t>(value));
  }
  le::Put64(b.data(), 0x0102030405060708ull);
  EXPECT_EQ(le::Get64(b.data()), 0x0102030405060708ull);
}

TEST(LittleEndianTest, CheckedReadsRefuseFieldsOutsideTheBuffer) {
  const std::array<unsigned char, 6> b{1, 2, 3, 4, 5, 6};
  const std::span<const unsigned char> span(b);
  EXPECT_EQ(le::Get16(span, 4), 0x0605);
  struct Row {
    const char* name;
    std::size_t at;
  };
  for (const Row row : {Row{"a 4-byte field over the end", 3}, Row{"an offset past the end", 7},
                        Row{"an offset that would wrap", static_cast<std::size_t>(-1)}}) {
    SCOPED_TRACE(row.name);
    EXPECT_THROW(le::Get32(span, row.at), std::out_of_range);
  }
  EXPECT_THROW(le::GetDouble(span, 0), std::out_of_range);
  EXPECT_THROW(le::Get8(span, 6), std::out_of_range);
}

}  // namespace
}  // namespace zelvora
