// The "LZH" method: the classic LZHUF bit stream.
//
// LZSS over a 4,096-byte ring buffer pre-filled with blanks and written from
// position 4,096 - 60, matches of 3 to 60 bytes, every literal and match
// length coded with an adaptive Huffman code over 314 symbols (rebuilt when
// the root frequency reaches 0x8000), match positions coded as a 6-bit upper
// part with a fixed prefix code plus 6 raw bits, bits most significant first.
// The stream carries no length: the decoder is told the uncompressed size.
//
// Callers may rely on:
//  - streams made by any encoder of this scheme expand byte for byte;
//  - the encoder's choices are fixed: at each step the longest match (3 to
//    60 bytes, never past the end of the input) at a distance of 1 to 4,036,
//    the nearest among equally long ones, else a literal; encoders making
//    the same choice produce the same stream byte for byte;
//  - an empty input gives an empty stream;
//  - LzhufDecode never reads or writes past a buffer and ends with
//    ECompressException(kBadDecodeTable) when the stream runs out early.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelvora {

// The LZHUF stream of `input`, or nullopt as soon as the stream would reach
// `give_up_at` bytes (the caller then stores the data instead).
std::optional<std::vector<std::uint8_t>> LzhufEncode(std::span<const std::uint8_t> input,
                                                     std::size_t give_up_at = SIZE_MAX);

// The `size` bytes the stream expands to.
std::vector<std::uint8_t> LzhufDecode(std::span<const std::uint8_t> stream, std::size_t size);

}  // namespace zelvora
