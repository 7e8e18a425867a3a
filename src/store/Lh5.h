// The "LH5" method: the -lh5- bit stream of the LHA archivers.
//
// LZSS over an 8 KiB window with matches of 3 to 256 bytes, sent in blocks;
// each block starts with its count of codes (16 bits) and three static
// Huffman tables (the code-length code, the literal/length code over 510
// symbols, the position code over 14 symbols), sent as code lengths.
// A position is its bit length through the position code followed by the
// bits below its leading one. The stream carries no length: the decoder is
// told the uncompressed size.
//
// Callers may rely on:
//  - every input expands to exactly itself;
//  - Lh5Decode never reads or writes past a buffer, never loops forever, and
//    ends a damaged stream with ECompressException(kBadDecodeTable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelvora {

// The lh5 stream of `input`, or nullopt as soon as the stream would reach
// `give_up_at` bytes (the caller then stores the data instead).
std::optional<std::vector<std::uint8_t>> Lh5Encode(std::span<const std::uint8_t> input,
                                                   std::size_t give_up_at = SIZE_MAX);

// The `size` bytes the stream expands to.
std::vector<std::uint8_t> Lh5Decode(std::span<const std::uint8_t> stream, std::size_t size);

}  // namespace zelvora
