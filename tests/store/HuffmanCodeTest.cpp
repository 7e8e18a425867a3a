// Length-limited Huffman codes: limits hold and codes stay complete.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/BitStream.h"
#include "store/Huffman.h"

namespace zelvora {
namespace {

std::uint64_t KraftSum(const std::vector<std::uint8_t>& lengths) {
  std::uint64_t sum = 0;
  for (auto l : lengths) {
    if (l != 0) sum += std::uint64_t{1} << (16 - l);
  }
  return sum;
}

TEST(HuffmanCodeTest, SkewedFrequenciesAreLimitedAndComplete) {
  std::vector<std::uint32_t> fib(40);
  fib[0] = fib[1] = 1;
  for (std::size_t i = 2; i < fib.size(); ++i)
    fib[i] = fib[i - 1] + fib[i - 2];  // depth 39 unlimited
  auto lengths = BuildCodeLengths(fib, 16);
  for (auto l : lengths) {
    EXPECT_GE(l, 1);
    EXPECT_LE(l, 16);
  }
  EXPECT_EQ(KraftSum(lengths), 1u << 16);
  // The most frequent symbol is never given a longer code than the rarest.
  EXPECT_LE(lengths.back(), lengths.front());
}

TEST(HuffmanCodeTest, CodesDecodeBackToTheirSymbols) {
  std::vector<std::uint32_t> freq(510, 0);
  for (std::size_t i = 0; i < freq.size(); i += 3)
    freq[i] = static_cast<std::uint32_t>(1 + (i * 7919) % 1000);
  freq[4] = 1;
  auto lengths = BuildCodeLengths(freq, 16);
  auto codes = CanonicalCodes(lengths);
  TBitWriter w;
  std::vector<int> sent;
  for (std::size_t i = 0; i < freq.size(); ++i) {
    if (lengths[i] == 0) continue;
    w.Put(lengths[i], codes[i]);
    sent.push_back(static_cast<int>(i));
  }
  auto bytes = w.TakeBytes();
  THuffmanDecoder decoder;
  decoder.Build(lengths);
  TBitReader r(bytes);
  for (int symbol : sent) EXPECT_EQ(decoder.Decode(r), symbol);
  EXPECT_FALSE(r.Overrun());
}

}  // namespace
}  // namespace zelvora
