// Feeds the LZHUF decoder: the first two bytes give the expanded size, the
// rest is the stream. Every stream either expands to exactly that size or
// fails with ECompressException.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/CompressException.h"
#include "store/Lzhuf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t expanded = (std::size_t{data[0]} | (std::size_t{data[1]} << 8)) * 4;
  try {
    auto out = zelvora::LzhufDecode({data + 2, size - 2}, expanded);
    if (out.size() != expanded) std::abort();
  } catch (const zelvora::ECompressException&) {
  }
  return 0;
}
