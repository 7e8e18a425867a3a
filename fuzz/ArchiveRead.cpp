// Reads an archive from the fuzzer's bytes and expands every entry with its
// method's decoder, then expands the archive into a scratch folder as
// archive extract does and names every entry it skipped. Failures must be
// ECompressException, never a crash, an overrun, a hang or a file outside
// the scratch folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "store/Compress.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Scratch() {
  static const fs::path folder = [] {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return fs::path(base) / ("zelvora-fuzz-archive-" + std::to_string(::getpid()));
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  bool small = true;
  try {
    for (const zelvora::TArchiveEntry& entry : zelvora::TCompress::ReadEntries(in)) {
      // A stream may legitimately promise far more than it holds; keep the
      // fuzzer's memory and time bounded.
      if (entry.size > (std::uint32_t{1} << 24)) {
        small = false;
        continue;
      }
      try {
        zelvora::TCompress::ExpandEntry(in, entry);
      } catch (const zelvora::ECompressException&) {
      }
      zelvora::TCompress::SafeRelativePath(entry.name);
      zelvora::TCompress::PrintableName(entry.name);
    }
  } catch (const zelvora::ECompressException&) {
  }
  if (!small) return 0;
  const fs::path& scratch = Scratch();
  std::error_code ec;
  fs::remove_all(scratch, ec);
  fs::create_directories(scratch / "out", ec);
  const fs::path archive = scratch / "a.cmp";
  if (FILE* file = std::fopen(archive.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  std::vector<zelvora::TSkippedEntry> skipped;
  try {
    zelvora::TCompress().ExpandFiles(archive, scratch / "out", {}, {}, &skipped);
  } catch (const zelvora::ECompressException&) {
  }
  for (const zelvora::TSkippedEntry& entry : skipped) zelvora::TCompress::PrintableName(entry.name);
  fs::remove_all(scratch, ec);
  return 0;
}
