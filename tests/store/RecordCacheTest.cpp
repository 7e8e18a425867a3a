// The data file's block cache must always read what the file holds, whatever
// mix of writes, appends and evictions came before.
#include <algorithm>
#include <cerrno>
#include <random>

#include "StoreTestSupport.h"
#include "store/BlockFile.h"
#include "store/RecordCache.h"

namespace zelvora::testing {
namespace {

using RecordCacheTest = StoreTest;

TEST_F(RecordCacheTest, ReadsMatchTheFileThroughWritesAppendsAndEvictions) {
  const std::string path = Name("cache.bin");
  BlockFile file(path, BlockFile::Mode::CreateTruncate);
  std::vector<unsigned char> model;
  std::mt19937 random(5);
  for (const std::size_t capacity : {1u, 2u, 64u}) {
    RecordCache cache(file, capacity);
    for (int step = 0; step < 3000; ++step) {
      const std::size_t size = 1 + random() % 700;
      const bool append = model.empty() || random() % 3 == 0;
      // Writes may also start past the end, leaving a hole of zeros.
      const std::size_t at = append ? model.size() + (random() % 5 == 0 ? random() % 5000 : 0)
                                    : random() % model.size();
      std::vector<unsigned char> bytes(size);
      for (auto& b : bytes) b = static_cast<unsigned char>(random());
      cache.Write(static_cast<std::int64_t>(at), bytes.data(), size);
      if (model.size() < at + size) model.resize(at + size, 0);
      std::copy(bytes.begin(), bytes.end(), model.begin() + static_cast<long>(at));

      const std::size_t from = random() % model.size();
      const std::size_t length = std::min<std::size_t>(1 + random() % 9000, model.size() - from);
      std::vector<unsigned char> got(length);
      cache.Read(static_cast<std::int64_t>(from), got.data(), length);
      ASSERT_TRUE(std::equal(got.begin(), got.end(), model.begin() + static_cast<long>(from)))
          << "capacity " << capacity << " step " << step;
    }
    std::vector<unsigned char> beyond(10);
    EXPECT_EQ(ErrorOf([&] {
                cache.Read(static_cast<std::int64_t>(model.size()) - 5, beyond.data(), 10);
              }),
              kErrFileRead);
  }
}

TEST_F(RecordCacheTest, FailingSystemCallsCarryTheCallAndErrno) {
  try {
    TTable table;
    table.CreateFileblock(Name("no/such/folder/x"), 40, TwoKeys());
    ADD_FAILURE() << "created a fileblock in a missing folder";
  } catch (const EHardError& error) {
    EXPECT_EQ(error.Error(), kErrSystemOpen);
    EXPECT_EQ(error.DosFunction(), kSysCreate);
    EXPECT_EQ(error.DosError(), ENOENT);
    EXPECT_EQ(std::string(error.what()),
              "Error #10390: File could not be opened or created\nDOS Function: 60, DOS Error: 2 "
              "(No such file or directory)");
  }
  // A folder where the index file should be.
  std::filesystem::create_directory(Name("dir.IX"));
  TTable table;
  table.CreateFileblock(Name("plain"), 40, TwoKeys());
  std::filesystem::rename(Name("plain.DAT"), Name("dir.DAT"));
  EXPECT_EQ(table.OpenFileblock(Name("dir")), kErrSystemOpen);
  EXPECT_EQ(EngineStatus().dos_error, EISDIR);
}

}  // namespace
}  // namespace zelvora::testing
