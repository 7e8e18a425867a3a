// zelvora360-cli archive and lzh through the real executable: round trips,
// listing, member output, the LZHUF vectors, usage and failure exits.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

namespace fs = std::filesystem;

class Scratch : public cli::TScratchFolder {
 public:
  Scratch() : TScratchFolder("zelvora-archcli") {}
  std::string operator/(const std::string& name) const { return File(name); }
};

std::string Slurp(const std::string& path) { return cli::ReadFileBytes(path); }

void Spit(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

using Result = cli::TCliRun;

// Runs the tool with shell-quoted `args`, standard input from `input_file`.
Result RunCli(const Scratch&, const std::string& args,
              const std::string& input_file = "/dev/null") {
  return cli::RunCli(args, {.env = "", .input = input_file, .merge_err = false});
}

std::string Q(const std::string& s) { return "'" + s + "'"; }

TEST(ArchiveCliTest, CreateListCatAndExtractRoundTrip) {
  Scratch s;
  std::string records;
  for (int i = 0; i < 2000; ++i)
    records += "0000" + std::to_string(100000 + i) + std::string(20, '\0') + "ABCD";
  Spit(s / "src/a.DAT", records);
  Spit(s / "src/sub/b.DAT", "hello");
  Spit(s / "src/empty.DAT", "");
  for (const char* method : {"NON", "RLE", "LZH", "LH5"}) {
    std::string archive = s / (std::string("x-") + method + ".cmp");
    Result created = RunCli(s, "archive create " + Q(archive) + " " + Q(s / "src") +
                                   " a.DAT sub/b.DAT empty.DAT --method " + method);
    ASSERT_EQ(created.status, 0) << method << created.err;
    Result listed = RunCli(s, "archive list " + Q(archive));
    ASSERT_EQ(listed.status, 0) << listed.err;
    std::string expected_b = "sub\\b.DAT\tNON\t5\t5\t00000214\n";  // 'h'+'e'+'l'+'l'+'o' = 532
    EXPECT_NE(listed.out.find(expected_b), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("empty.DAT\tNON\t0\t0\t00000000\n"), std::string::npos) << listed.out;
    EXPECT_EQ(listed.out.rfind("a.DAT\t", 0), 0u) << listed.out;
    Result cat = RunCli(s, "archive cat " + Q(archive) + " A.DAT");
    ASSERT_EQ(cat.status, 0) << cat.err;
    EXPECT_EQ(cat.out, records) << method;
    std::string out = s / (std::string("out-") + method);
    ASSERT_EQ(RunCli(s, "archive extract " + Q(archive) + " " + Q(out)).status, 0);
    EXPECT_EQ(Slurp(out + "/a.DAT"), records);
    EXPECT_EQ(Slurp(out + "/sub/b.DAT"), "hello");
    EXPECT_TRUE(fs::exists(out + "/empty.DAT"));
  }
  // Only the named members.
  std::string only = s / "only";
  ASSERT_EQ(
      RunCli(s, "archive extract " + Q(s / "x-LZH.cmp") + " " + Q(only) + " sub/b.DAT").status, 0);
  EXPECT_TRUE(fs::exists(only + "/sub/b.DAT"));
  EXPECT_FALSE(fs::exists(only + "/a.DAT"));
}

TEST(ArchiveCliTest, LzhEncodeAndDecodeMatchTheIndependentVectors) {
  Scratch s;
  const std::string dir = std::string(ZELVORA_TESTDATA) + "/lzhuf/";
  for (const char* name : {"text.txt", "records.bin", "overlap.bin"}) {
    Result enc = RunCli(s, "lzh encode", dir + name);
    ASSERT_EQ(enc.status, 0) << enc.err;
    EXPECT_EQ(enc.out, Slurp(dir + name + ".lzh")) << name;
    std::string size = std::to_string(fs::file_size(dir + name));
    Result dec = RunCli(s, "lzh decode --size " + size, dir + name + ".lzh");
    ASSERT_EQ(dec.status, 0) << dec.err;
    EXPECT_EQ(dec.out, Slurp(dir + name)) << name;
  }
}

TEST(ArchiveCliTest, BadUsageExitsTwoAndFailuresExitOne) {
  Scratch s;
  EXPECT_EQ(RunCli(s, "archive").status, 2);
  EXPECT_EQ(RunCli(s, "archive unpack x").status, 2);
  EXPECT_EQ(RunCli(s, "archive create x.cmp dir").status, 2);
  EXPECT_EQ(RunCli(s, "archive create x.cmp dir a --method ZIP").status, 2);
  EXPECT_EQ(RunCli(s, "lzh decode").status, 2);
  EXPECT_EQ(RunCli(s, "lzh decode --size ten").status, 2);
  EXPECT_EQ(RunCli(s, "lzh encode --size 3").status, 2);

  Spit(s / "bad.cmp", "SPIS\x1aZIP" + std::string(4, '\0') + "\x01" + std::string(8, '\0'));
  Result bad = RunCli(s, "archive list " + Q(s / "bad.cmp"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "Unrecognized compression method: \"ZIP\" in header\n");
  Spit(s / "junk.lzh", "\xff\x01");
  Result junk = RunCli(s, "lzh decode --size 5000", s / "junk.lzh");
  EXPECT_EQ(junk.status, 1);
  EXPECT_EQ(junk.err, "Bad decode table in archive!\n");
  Result missing = RunCli(s, "archive cat " + Q(s / "nothing.cmp") + " a");
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(missing.err.empty());
}

}  // namespace
