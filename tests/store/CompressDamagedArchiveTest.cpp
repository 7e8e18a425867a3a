// Archives that are damaged or hostile: each gives its message, and an
// unsafe entry name never writes outside the target folder.
#include <gtest/gtest.h>

#include <sstream>

#include "store/ArchiveTestSupport.h"
#include "store/Compress.h"
#include "store/Lh5.h"
#include "store/Lzhuf.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::ArchiveBuilder;
using testing::Bytes;
using testing::ScratchDir;

std::string ExpandMessage(const Bytes& archive) {
  ScratchDir dir;
  testing::WriteBytes(dir / "a.cmp", archive);
  try {
    TCompress().ExpandFiles(dir / "a.cmp", dir / "out");
  } catch (const ECompressException& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(CompressDamagedArchiveTest, DamagedHeadersAndEntriesGiveTheirMessages) {
  Bytes data = testing::RecordData(4000, 1);
  Bytes lzh = *LzhufEncode(data);
  Bytes lh5 = *Lh5Encode(data);
  const auto size = static_cast<std::uint32_t>(data.size());
  const std::uint32_t sum = testing::ByteSum(data);
  Bytes cut_entry = ArchiveBuilder().Stored("a", Bytes(100, 1)).bytes();
  cut_entry.resize(cut_entry.size() - 1);
  Bytes cut_header = ArchiveBuilder().Stored("a", Bytes(10, 1)).bytes();
  cut_header.resize(21 + 24);
  Bytes bad_magic = ArchiveBuilder().bytes();
  bad_magic[4] = 0x1B;
  Bytes garbled_lzh = lzh;
  for (std::size_t i = 0; i < garbled_lzh.size(); i += 3) garbled_lzh[i] ^= 0x5a;
  Bytes garbled_lh5 = lh5;
  garbled_lh5[0] = 0;
  garbled_lh5[1] = 0;  // a block of no codes
  const std::string kChecksum = "Bad checksum during expansion -- data may be invalid";
  const std::string kTable = "Bad decode table in archive!";

  struct Case {
    const char* what;
    Bytes archive;
    std::string message;
  };
  const Case cases[] = {
      {"magic missing", bad_magic, "Can't recognize compressed file header"},
      {"archive type 2", ArchiveBuilder("LZH", 2).bytes(), "Archive type must be caMulti"},
      {"unknown method name", ArchiveBuilder("ZIP").bytes(),
       "Unrecognized compression method: \"ZIP\" in header"},
      {"checksum one too high", ArchiveBuilder().Entry("a", 2, size, lzh, sum + 1).bytes(),
       kChecksum},
      {"checksum one too low, stored", ArchiveBuilder().Entry("a", 0, size, data, sum - 1).bytes(),
       kChecksum},
      {"garbled LZH data", ArchiveBuilder().Entry("a", 2, size, garbled_lzh, sum).bytes(), kTable},
      {"LZH data cut short",
       ArchiveBuilder().Entry("a", 2, size, Bytes(lzh.begin(), lzh.begin() + 50), sum).bytes(),
       kTable},
      {"garbled LH5 data", ArchiveBuilder("LH5").Entry("a", 4, size, garbled_lh5, sum).bytes(),
       kTable},
      {"RLE data short of its size", ArchiveBuilder("RLE").Entry("a", 1, 10, {0, 'x'}, 'x').bytes(),
       kTable},
      {"stored sizes disagree", ArchiveBuilder("NON").Entry("a", 0, 11, Bytes(10, 1), 10).bytes(),
       kChecksum},
      {"entry data past the end", cut_entry,
       "Archive is damaged: an entry runs past the end of the file"},
      {"entry header cut short", cut_header,
       "Archive is damaged: an entry runs past the end of the file"},
      {"caller's own method", ArchiveBuilder("CUS").Entry("a", 3, 1, {1}, 1).bytes(),
       "Can't expand a: compression method \"CUS\" is not supported"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandMessage(c.archive), c.message) << c.what;
}

TEST(CompressDamagedArchiveTest, ShortArchiveIsEmptyAndStoredZeroChecksumIsNotChecked) {
  ScratchDir dir;
  testing::WriteBytes(dir / "short.cmp", Bytes{'S', 'P', 'I', 'S'});
  EXPECT_TRUE(TCompress().ListEntries(dir / "short.cmp").empty());
  EXPECT_TRUE(TCompress().ExpandFiles(dir / "short.cmp", dir / "out"));

  ArchiveBuilder().Entry("z.DAT", 0, 3, {1, 2, 3}, 0).WriteTo(dir / "zero.cmp");
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "zero.cmp", dir / "out"));
  EXPECT_EQ(testing::ReadBytes(dir / "out" / "z.DAT"), (Bytes{1, 2, 3}));
  // A zero checksum on compressed data is checked like any other.
  Bytes lzh = *LzhufEncode(Bytes(100, 'q'));
  ArchiveBuilder().Entry("q.DAT", 2, 100, lzh, 0).WriteTo(dir / "zero2.cmp");
  EXPECT_THROW(TCompress().ExpandFiles(dir / "zero2.cmp", dir / "out2"), ECompressException);
  EXPECT_FALSE(fs::exists(dir / "out2" / "q.DAT"));
}

TEST(CompressDamagedArchiveTest, UnsafeNamesAreRefusedBeforeAnythingIsWritten) {
  const char* const kUnsafe[] = {"../evil.DAT",
                                 "/tmp/evil.DAT",
                                 "\\evil.DAT",
                                 "sub/../../evil.DAT",
                                 "sub\\..\\..\\evil.DAT",
                                 "C:evil.DAT",
                                 "",
                                 "./.",
                                 ".."};
  for (const char* name : kUnsafe) {
    ScratchDir dir;
    ArchiveBuilder()
        .Stored("good.DAT", Bytes(5, 1))
        .Stored(name, Bytes(5, 2))
        .WriteTo(dir / "a.cmp");
    fs::create_directories(dir / "target" / "inner");
    try {
      TCompress().ExpandFiles(dir / "a.cmp", dir / "target" / "inner");
      ADD_FAILURE() << name << ": no exception";
    } catch (const ECompressException& e) {
      EXPECT_NE(std::string(e.what()).find("leaves the target folder"), std::string::npos) << name;
    }
    // Nothing at all was written, neither the good entry nor the bad one.
    EXPECT_TRUE(fs::is_empty(dir / "target" / "inner")) << name;
    EXPECT_FALSE(fs::exists(dir / "target" / "evil.DAT")) << name;
    EXPECT_FALSE(fs::exists(dir / "evil.DAT")) << name;
  }
  EXPECT_EQ(TCompress::SafeRelativePath("a\\b/c.DAT"), fs::path("a/b/c.DAT"));
  EXPECT_EQ(TCompress::SafeRelativePath("a/./b..c"), fs::path("a/b..c"));
}

TEST(CompressDamagedArchiveTest, FolderLinkOutOfTheTargetIsSkipped) {
  ScratchDir dir;
  fs::create_directories(dir / "target");
  fs::create_directories(dir / "outside");
  fs::create_directory_symlink(dir / "outside", dir / "target" / "link");
  ArchiveBuilder()
      .Stored("link/x.DAT", Bytes(5, 1))
      .Stored("y.DAT", Bytes(5, 2))
      .WriteTo(dir / "a.cmp");
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "a.cmp", dir / "target"));
  EXPECT_FALSE(fs::exists(dir / "outside" / "x.DAT"));
  EXPECT_TRUE(fs::exists(dir / "target" / "y.DAT"));
}

}  // namespace
}  // namespace zelvora
