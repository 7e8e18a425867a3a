// Reads an archive from the fuzzer's bytes and expands every entry with its
// method's decoder. Failures must be ECompressException, never a crash, an
// overrun or a hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "store/Compress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    for (const zelvora::TArchiveEntry& entry : zelvora::TCompress::ReadEntries(in)) {
      // A stream may legitimately promise far more than it holds; keep the
      // fuzzer's memory and time bounded.
      if (entry.size > (std::uint32_t{1} << 24)) continue;
      try {
        zelvora::TCompress::ExpandEntry(in, entry);
      } catch (const zelvora::ECompressException&) {
      }
      zelvora::TCompress::SafeRelativePath(entry.name);
    }
  } catch (const zelvora::ECompressException&) {
  }
  return 0;
}
