// Static (canonical) Huffman codes for the lh5 codec: building
// length-limited code lengths from frequencies, assigning the codes, and
// decoding.
//
// Callers may rely on:
//  - BuildCodeLengths gives every used symbol a length of 1..limit and the
//    lengths always form a complete code when two or more symbols are used
//    (a single used symbol gets length 1; callers send it specially);
//  - codes are canonical: shorter codes first, equal lengths in symbol order;
//  - THuffmanDecoder accepts only complete codes (a damaged table fails with
//    ECompressException(kBadDecodeTable)) and reads at most the code's bits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/BitStream.h"

namespace zelvora {

std::vector<std::uint8_t> BuildCodeLengths(std::span<const std::uint32_t> freq, int limit);
std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths);

class THuffmanDecoder {
 public:
  static constexpr int kMaxLength = 16;

  // A table where every symbol read takes no bits and is `symbol`.
  void SetSingle(int symbol);
  // Requires: lengths.size() >= 1, every length <= kMaxLength.
  void Build(std::span<const std::uint8_t> lengths);

  int Decode(TBitReader& in) const {
    if (single_ >= 0) return single_;
    std::uint32_t peek = in.Peek(kFastBits);
    const FastEntry& e = fast_[peek];
    if (e.length != 0) {
      in.Skip(e.length);
      return e.symbol;
    }
    return DecodeSlow(in);
  }

 private:
  static constexpr int kFastBits = 10;
  struct FastEntry {
    std::uint16_t symbol = 0;
    std::uint8_t length = 0;  // 0: longer than kFastBits
  };
  int DecodeSlow(TBitReader& in) const;

  int single_ = -1;
  std::vector<FastEntry> fast_ = std::vector<FastEntry>(1u << kFastBits);
  std::uint16_t count_[kMaxLength + 1] = {};
  std::vector<std::uint16_t> sorted_;  // symbols by code
};

}  // namespace zelvora
