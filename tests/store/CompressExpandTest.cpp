// Expanding archives: dates and attributes applied, chosen members only,
// uncreatable entries skipped, the free-space check, members into memory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <sstream>

#include "store/ArchiveTestSupport.h"
#include "store/Compress.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::ArchiveBuilder;
using testing::Bytes;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

std::time_t ModificationTime(const fs::path& file) {
  struct stat st {};
  ::stat(file.c_str(), &st);
  return st.st_mtime;
}

TEST(CompressExpandTest, StoredDateAndReadOnlyAttributeAreApplied) {
  ScratchDir dir;
  WriteBytes(dir / "src" / "a.DAT", Bytes(100, 'a'));
  WriteBytes(dir / "src" / "ro.DAT", Bytes(100, 'r'));
  const std::time_t when = LocalTime(2021, 3, 4, 5, 6, 8);
  auto file_time =
      fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(when));
  fs::last_write_time(dir / "src" / "a.DAT", file_time);
  fs::permissions(dir / "src" / "ro.DAT",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_TRUE(TCompress().CompressFiles(dir / "x.cmp", dir / "src", {"a.DAT", "ro.DAT"},
                                        TCompress::kMethodLzh));
  auto entries = TCompress().ListEntries(dir / "x.cmp");
  ASSERT_EQ(entries.size(), 2u);
  // 2021-03-04 05:06:08 packed: date (41 << 9 | 3 << 5 | 4), time (5 << 11 | 6 << 5 | 4).
  EXPECT_EQ(entries[0].file_date, ((41u << 9 | 3u << 5 | 4u) << 16) | (5u << 11 | 6u << 5 | 4u));
  EXPECT_EQ(entries[0].attributes, 0x20);
  EXPECT_EQ(entries[1].attributes, 0x21);

  ASSERT_TRUE(TCompress().ExpandFiles(dir / "x.cmp", dir / "out"));
  EXPECT_EQ(ModificationTime(dir / "out" / "a.DAT"), when);
  EXPECT_EQ(fs::status(dir / "out" / "ro.DAT").permissions() & fs::perms::owner_write,
            fs::perms::none);
  EXPECT_NE(fs::status(dir / "out" / "a.DAT").permissions() & fs::perms::owner_write,
            fs::perms::none);
}

TEST(CompressExpandTest, OnlyChosenMembersAreWrittenAndUncreatableOnesSkipped) {
  ScratchDir dir;
  ArchiveBuilder()
      .Stored("a.DAT", Bytes(5, 1))
      .Stored("sub\\b.DAT", Bytes(5, 2))
      .Stored("c.DAT", Bytes(5, 3))
      .WriteTo(dir / "x.cmp");
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "x.cmp", dir / "chosen", {"SUB/B.dat", "c.DAT"}));
  EXPECT_FALSE(fs::exists(dir / "chosen" / "a.DAT"));
  EXPECT_EQ(ReadBytes(dir / "chosen" / "sub" / "b.DAT"), Bytes(5, 2));
  EXPECT_EQ(ReadBytes(dir / "chosen" / "c.DAT"), Bytes(5, 3));

  // A folder in the way of a.DAT: that entry is skipped, the rest written.
  fs::create_directories(dir / "busy" / "a.DAT");
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "x.cmp", dir / "busy"));
  EXPECT_TRUE(fs::is_directory(dir / "busy" / "a.DAT"));
  EXPECT_EQ(ReadBytes(dir / "busy" / "c.DAT"), Bytes(5, 3));
  for (auto& e : fs::recursive_directory_iterator(dir / "busy")) {
    EXPECT_EQ(e.path().string().find("part"), std::string::npos) << e.path();
  }
}

TEST(CompressExpandTest, ChecksumFailureLeavesNoFileBehind) {
  ScratchDir dir;
  WriteBytes(dir / "out" / "a.DAT", Bytes(3, 9));  // an older copy stays as it was
  ArchiveBuilder().Entry("a.DAT", 0, 5, Bytes(5, 1), 6).WriteTo(dir / "x.cmp");
  EXPECT_THROW(TCompress().ExpandFiles(dir / "x.cmp", dir / "out"), ECompressException);
  EXPECT_EQ(ReadBytes(dir / "out" / "a.DAT"), Bytes(3, 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 1);
}

class TinyDisk : public TCompress {
 protected:
  std::optional<std::uint64_t> FreeSpace(const fs::path&) const override { return 100; }
};

TEST(CompressExpandTest, EntryLargerThanTheFreeSpaceIsRefused) {
  ScratchDir dir;
  ArchiveBuilder()
      .Stored("small.DAT", Bytes(100, 1))
      .Stored("big.DAT", Bytes(101, 2))
      .WriteTo(dir / "x.cmp");
  try {
    TinyDisk().ExpandFiles(dir / "x.cmp", dir / "out");
    FAIL() << "no exception";
  } catch (const ECompressException& e) {
    EXPECT_EQ(std::string(e.what()),
              "Not enough disk space to expand " + (dir / "out" / "big.DAT").string());
  }
  EXPECT_TRUE(fs::exists(dir / "out" / "small.DAT"));
  EXPECT_FALSE(fs::exists(dir / "out" / "big.DAT"));
}

TEST(CompressExpandTest, ExtractToMemoryFindsMembersWithoutRegardToCase) {
  ScratchDir dir;
  ArchiveBuilder()
      .Stored("Dir\\One.DAT", {'o', 'n', 'e'})
      .Stored("two.dat", {'2'})
      .WriteTo(dir / "u.Z");
  std::ostringstream one;
  TCompress().ExtractToMemory(dir / "u.Z", "dir/ONE.dat", one);
  EXPECT_EQ(one.str(), "one");
  std::ostringstream none;
  try {
    TCompress().ExtractToMemory(dir / "u.Z", "three.dat", none);
    FAIL() << "no exception";
  } catch (const ECompressException& e) {
    EXPECT_STREQ(e.what(), "File not found in archive: three.dat");
  }
  EXPECT_THROW(TCompress().ExtractToMemory(dir / "missing.Z", "two.dat", none), ECompressException);
}

}  // namespace
}  // namespace zelvora
