// The "RLE" method: run-length encoding.
//
// The stream is a sequence of items, each led by a control byte b:
//   b < 128    b + 1 literal bytes follow;
//   b >= 128   one byte follows, repeated b - 128 + 3 times (3..130).
//
// Callers may rely on: every input expands to exactly itself; RleDecode
// never reads or writes past a buffer and ends a stream that does not give
// exactly the expected size with ECompressException(kBadDecodeTable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelvora {

// The RLE stream of `input`, or nullopt as soon as the stream would reach
// `give_up_at` bytes.
std::optional<std::vector<std::uint8_t>> RleEncode(std::span<const std::uint8_t> input,
                                                   std::size_t give_up_at = SIZE_MAX);

std::vector<std::uint8_t> RleDecode(std::span<const std::uint8_t> stream, std::size_t size);

}  // namespace zelvora
