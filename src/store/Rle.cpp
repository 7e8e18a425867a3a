#include "store/Rle.h"

#include <algorithm>

#include "store/CompressException.h"

namespace zelvora {
namespace {

constexpr std::size_t kMaxLiteral = 128;
constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxRun = 130;
constexpr std::uint8_t kRunFlag = 128;

std::size_t RunAt(std::span<const std::uint8_t> input, std::size_t pos) {
  std::size_t end = std::min(input.size(), pos + kMaxRun);
  std::size_t run = 1;
  while (pos + run < end && input[pos + run] == input[pos]) ++run;
  return run;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> RleEncode(std::span<const std::uint8_t> input,
                                                   std::size_t give_up_at) {
  std::vector<std::uint8_t> out;
  std::size_t pos = 0;
  std::size_t literal_start = 0;
  auto flush_literals = [&](std::size_t end) {
    while (literal_start < end) {
      std::size_t count = std::min(kMaxLiteral, end - literal_start);
      out.push_back(static_cast<std::uint8_t>(count - 1));
      out.insert(out.end(), input.begin() + literal_start, input.begin() + literal_start + count);
      literal_start += count;
    }
  };
  while (pos < input.size()) {
    std::size_t run = RunAt(input, pos);
    if (run >= kMinRun) {
      flush_literals(pos);
      out.push_back(static_cast<std::uint8_t>(kRunFlag + run - kMinRun));
      out.push_back(input[pos]);
      pos += run;
      literal_start = pos;
    } else {
      pos += run;
    }
    if (out.size() >= give_up_at) return std::nullopt;
  }
  flush_literals(pos);
  if (out.size() >= give_up_at) return std::nullopt;
  return out;
}

std::vector<std::uint8_t> RleDecode(std::span<const std::uint8_t> stream, std::size_t size) {
  std::vector<std::uint8_t> out;
  out.reserve(std::min<std::size_t>(size, std::size_t{1} << 20));
  std::size_t pos = 0;
  while (pos < stream.size()) {
    std::uint8_t control = stream[pos++];
    if (control < kRunFlag) {
      std::size_t count = std::size_t{control} + 1;
      if (count > stream.size() - pos || count > size - out.size()) {
        throw ECompressException(kBadDecodeTable);
      }
      out.insert(out.end(), stream.begin() + pos, stream.begin() + pos + count);
      pos += count;
    } else {
      std::size_t count = std::size_t{control} - kRunFlag + kMinRun;
      if (pos >= stream.size() || count > size - out.size())
        throw ECompressException(kBadDecodeTable);
      out.insert(out.end(), count, stream[pos++]);
    }
  }
  if (out.size() != size) throw ECompressException(kBadDecodeTable);
  return out;
}

}  // namespace zelvora
