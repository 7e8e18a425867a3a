// Opens a fileblock made of fuzzed bytes and works with it as the survey
// database would: walk and search every key, read records, add and remove
// records and keys, close; when the open asks for it, rebuild the index and
// key the live records again. Each input is opened twice: first for reading
// only (an index rebuilt in memory, every change refused), then for
// writing. Any crash, hang or sanitizer report is a bug; failures must
// arrive as ETableException.
//
// Input: a 4-byte little-endian length n, then n bytes of index file, then
// the data file. Seeds: testdata/store-fuzz-seeds/.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "store/Table.h"

namespace {

using namespace zelvora;

const std::string& Base() {
  static const std::string base = [] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/zelvora-fuzz-" + std::to_string(getpid());
  }();
  return base;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void Exercise(TTable& table) {
  const std::int32_t length = table.RecordLength();
  if (length <= 0 || length > (1 << 20)) return;
  std::vector<unsigned char> buffer(static_cast<std::size_t>(length));
  std::int32_t record = 0;
  std::string text;
  for (int key = 1; key <= table.KeyCount(); ++key) {
    try {
      table.ClearKey(key);
      for (int steps = 0; steps < 5000 && table.NextKey(key, record, text); ++steps) {
        if (steps % 7 == 0) table.FindKey(key, text, record);
      }
    } catch (const ETableException&) {
    }
  }
  try {
    const std::int32_t slots = table.RecordSlots();
    for (std::int32_t n = 1; n < slots && n < 64; ++n) table.GetRecord(n, buffer);
  } catch (const ETableException&) {
  }
  try {
    table.Lock();
    const std::int32_t added = table.AddRecord(buffer);
    table.AddKey(1, added, "FUZZKEY");
    table.DeleteKey(1, added, "FUZZKEY");
    table.DeleteRecord(added);
    table.AddRecord(buffer);
    table.Unlock();
  } catch (const ETableException&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!EngineInitialised()) InitEngine(TNetworkMode::SingleUser, 8);
  if (size < 4) return 0;
  std::uint32_t split = 0;
  std::memcpy(&split, data, 4);
  data += 4;
  size -= 4;
  if (split > size) split = static_cast<std::uint32_t>(size);
  const std::string base = Base();
  WriteFile(base + ".IX", data, split);
  WriteFile(base + ".DAT", data + split, size - split);

  for (const TTableAccess access : {TTableAccess::ReadOnly, TTableAccess::ReadWrite}) {
    TTable table;
    const int error = table.OpenFileblock(base, access);
    if (error == 0) {
      Exercise(table);
    } else if (table.RebuildIndex(base, 40, {{16, false}, {16, true}}, access) == 0) {
      // Key the live records again, as the survey database does.
      std::vector<unsigned char> record(40);
      try {
        for (std::int32_t n = 1; n < table.RecordSlots() && n < 2000; ++n) {
          table.GetRecord(n, record);
          if ((record[0] | record[1] | record[2] | record[3]) != 0) continue;
          table.AddKey(1, n, std::string(record.begin() + 4, record.begin() + 20));
          table.AddKey(2, n, std::string(record.begin() + 20, record.begin() + 36));
        }
      } catch (const ETableException&) {
      }
      Exercise(table);
    }
    try {
      table.CloseFileblock();
    } catch (const ETableException&) {
    }
  }
  // A rebuild by the writer may have moved a torn tail aside.
  const std::filesystem::path data_file(base + ".DAT");
  const std::string side = data_file.filename().string() + ".damaged-";
  for (const auto& entry : std::filesystem::directory_iterator(data_file.parent_path())) {
    if (entry.path().filename().string().rfind(side, 0) == 0) std::filesystem::remove(entry.path());
  }
  return 0;
}
