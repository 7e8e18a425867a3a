// TCompress round trips: every method, the entry layout, stored fallback,
// relative names, the archive left out of its own list, and archives from
// another LZHUF encoder.
#include <gtest/gtest.h>

#include <sstream>

#include "store/ArchiveTestSupport.h"
#include "store/Compress.h"
#include "store/Lzhuf.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

class CompressArchiveTest : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(CompressArchiveTest, RoundTripsEmptyIncompressibleLargeAndSubFolderFiles) {
  const std::uint8_t method = GetParam();
  ScratchDir dir;
  const fs::path src = dir / "src";
  WriteBytes(src / "empty.DAT", {});
  WriteBytes(src / "noise.DAT", testing::RandomBytes(3000, 1));
  WriteBytes(src / "big.DAT", testing::RecordData(10 * 1024 * 1024, 2));
  WriteBytes(src / "sub" / "deep" / "a.DAT", testing::RecordData(5000, 3));
  TCompress compress;
  ASSERT_TRUE(compress.CompressFiles(
      dir / "x.cmp", src, {"empty.DAT", src / "noise.DAT", "big.DAT", "sub/deep/a.DAT"}, method));

  auto entries = compress.ListEntries(dir / "x.cmp");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "empty.DAT");
  EXPECT_EQ(entries[0].size, 0u);
  EXPECT_EQ(entries[0].compressed_size, 0u);
  EXPECT_EQ(entries[0].checksum, 0u);
  EXPECT_EQ(entries[0].method, TCompress::kMethodNone);
  EXPECT_EQ(entries[1].name, "noise.DAT");
  EXPECT_EQ(entries[1].method, TCompress::kMethodNone);  // did not shrink: stored
  EXPECT_EQ(entries[1].checksum, testing::ByteSum(testing::RandomBytes(3000, 1)));
  EXPECT_EQ(entries[3].name, "sub\\deep\\a.DAT");
  if (method != TCompress::kMethodNone) {
    EXPECT_EQ(entries[2].method, method);
    EXPECT_LT(entries[2].compressed_size, entries[2].size / 2);
  }

  ASSERT_TRUE(compress.ExpandFiles(dir / "x.cmp", dir / "out"));
  for (const char* name : {"empty.DAT", "noise.DAT", "big.DAT", "sub/deep/a.DAT"}) {
    EXPECT_EQ(ReadBytes(dir / "out" / name), ReadBytes(src / name)) << name;
    EXPECT_TRUE(fs::exists(dir / "out" / name)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, CompressArchiveTest,
                         ::testing::Values(TCompress::kMethodNone, TCompress::kMethodRle,
                                           TCompress::kMethodLzh, TCompress::kMethodLh5));

TEST(CompressLayoutTest, HeaderAndEntryFieldsAreWhereReadersExpectThem) {
  ScratchDir dir;
  Bytes data(1000, 'z');
  WriteBytes(dir / "A.DAT", data);
  ASSERT_TRUE(
      TCompress().CompressFiles(dir / "l.cmp", dir.path(), {dir / "A.DAT"}, TCompress::kMethodLh5));
  Bytes archive = ReadBytes(dir / "l.cmp");
  ASSERT_GE(archive.size(), 21u + 25u + 5u);
  EXPECT_EQ(std::string(archive.begin(), archive.begin() + 8), std::string("SPIS\x1a"
                                                                           "LH5"));
  EXPECT_EQ(archive[12], 1);
  for (std::size_t i : {8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20})
    EXPECT_EQ(archive[i], 0) << i;
  const std::size_t e = 21;
  EXPECT_EQ(archive[e] | (archive[e + 1] << 8), 5);  // name length
  EXPECT_EQ(archive[e + 6] & 0x20, 0x20);            // archive attribute
  EXPECT_EQ(Le32(archive, e + 8), 1000u);
  const std::uint32_t packed = Le32(archive, e + 12);
  EXPECT_EQ(archive[e + 16], TCompress::kMethodLh5);
  EXPECT_EQ(Le32(archive, e + 17), 1000u * 'z');
  EXPECT_EQ(Le32(archive, e + 21), 0u);
  EXPECT_EQ(std::string(archive.begin() + e + 25, archive.begin() + e + 30), "A.DAT");
  EXPECT_EQ(archive.size(), e + 30 + packed);
  // The packed date holds this year.
  const std::uint32_t date = Le32(archive, e + 2) >> 16;
  EXPECT_GE((date >> 9) + 1980, 2024u);
}

TEST(CompressLayoutTest, NamesAreRelativeToTheBaseFolderAndTheArchiveIsLeftOut) {
  ScratchDir dir;
  WriteBytes(dir / "a.DAT", Bytes(10, 1));
  WriteBytes(dir / "b.DAT", Bytes(10, 2));
  // The base folder is matched without regard to case and a trailing separator.
  std::string base = (dir.path() / "").string();
  TCompress compress;
  ASSERT_TRUE(compress.CompressFiles(
      dir / "self.cmp", base, {dir / "a.DAT", dir / "self.cmp", "b.DAT"}, TCompress::kMethodLzh));
  auto entries = compress.ListEntries(dir / "self.cmp");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "a.DAT");
  EXPECT_EQ(entries[1].name, "b.DAT");
  // An absolute name under a base folder given with "." and "..", and a
  // base folder written in other case (the comparison ignores case).
  const fs::path odd_base = dir.path() / "x" / ".." / ".";
  ASSERT_TRUE(
      compress.CompressFiles(dir / "odd.cmp", odd_base, {dir / "a.DAT"}, TCompress::kMethodNone));
  EXPECT_EQ(compress.ListEntries(dir / "odd.cmp").at(0).name, "a.DAT");
  fs::path upper = dir.path().parent_path() / dir.path().filename().string();
  std::string upper_text = upper.string();
  for (char& c : upper_text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_TRUE(compress.CompressFiles(dir / "case.cmp", upper_text, {dir / "b.DAT"},
                                     TCompress::kMethodNone));
  EXPECT_EQ(compress.ListEntries(dir / "case.cmp").at(0).name, "b.DAT");
  // A name outside the base folder is refused and no archive is left.
  WriteBytes(dir / "other" / "c.DAT", Bytes(10, 3));
  try {
    compress.CompressFiles(dir / "bad.cmp", dir / "base", {dir / "other" / "c.DAT"},
                           TCompress::kMethodLzh);
    FAIL() << "no exception";
  } catch (const ECompressException& e) {
    EXPECT_NE(std::string(e.what()).find("outside the archive's folder"), std::string::npos);
  }
  EXPECT_THROW(
      compress.CompressFiles(dir / "bad.cmp", dir.path(), {"../x.DAT"}, TCompress::kMethodLzh),
      ECompressException);
  EXPECT_FALSE(fs::exists(dir / "bad.cmp"));
}

TEST(CompressLayoutTest, LzhEntryFromAnotherEncoderExpands) {
  ScratchDir dir;
  Bytes plain = ReadBytes(fs::path(ZELVORA_TESTDATA) / "lzhuf" / "records.bin");
  Bytes stream = ReadBytes(fs::path(ZELVORA_TESTDATA) / "lzhuf" / "records.bin.lzh");
  ASSERT_FALSE(plain.empty());
  testing::ArchiveBuilder("LZH")
      .Entry("SUBJECT.DAT", TCompress::kMethodLzh, static_cast<std::uint32_t>(plain.size()), stream,
             testing::ByteSum(plain))
      .WriteTo(dir / "update.Z");
  std::ostringstream memory;
  TCompress().ExtractToMemory(dir / "update.Z", "subject.dat", memory);
  EXPECT_EQ(memory.str(), std::string(plain.begin(), plain.end()));
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "update.Z", dir / "out"));
  EXPECT_EQ(ReadBytes(dir / "out" / "SUBJECT.DAT"), plain);
}

TEST(CompressLayoutTest, UnknownMethodCodesAreRefusedWhenWriting) {
  ScratchDir dir;
  WriteBytes(dir / "a.DAT", Bytes(10, 1));
  EXPECT_THROW(
      TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a.DAT"}, TCompress::kMethodCustom),
      ECompressException);
  EXPECT_THROW(TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a.DAT"}, 9),
               ECompressException);
  EXPECT_FALSE(fs::exists(dir / "x.cmp"));
  EXPECT_EQ(TCompress::MethodCode("LH5"), TCompress::kMethodLh5);
  EXPECT_FALSE(TCompress::MethodCode("lzh").has_value());
}

}  // namespace
}  // namespace zelvora
