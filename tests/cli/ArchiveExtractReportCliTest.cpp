// archive extract names every entry it does not write, with the reason, and
// exits 1; a refused name is shown whole, its unprintable bytes escaped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliProcess.h"
#include "store/ArchiveTestSupport.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

Bytes Five(unsigned char value) { return Bytes(5, value); }

TEST(ArchiveExtractReportCli, EveryEntryNotWrittenIsNamedWithItsReason) {
  ScratchFolder scratch;
  const std::string archive = scratch / "a.cmp";
  ArchiveBuilder()
      .Stored("good.DAT", Five(1))
      .Stored(std::string(300, 'n') + ".DAT", Five(2))
      .Stored("plain\\inner.DAT", Five(3))
      .Stored("link\\under.DAT", Five(4))
      .Stored("folder", Five(5))
      .WriteTo(archive);
  const fs::path out = scratch.path() / "out";
  fs::create_directories(out / "folder" / "sub");
  fs::create_directories(scratch.path() / "elsewhere");
  fs::create_directory_symlink(scratch.path() / "elsewhere", out / "link");
  { std::ofstream(out / "plain") << "a file"; }

  const CliResult run = RunCliIn(
      scratch, {"archive", "extract", archive, out.string(), "good.DAT", "plain\\inner.DAT",
                std::string(300, 'n') + ".DAT", "link\\under.DAT", "folder", "missing.DAT"});
  EXPECT_EQ(run.status, 1);
  struct Row {
    std::string name;
    const char* reason;
  };
  const Row rows[] = {
      {"\"" + std::string(300, 'n') + ".DAT\"", "the name is too long for the file system"},
      {"\"plain\\inner.DAT\"", "a file stands where a folder must go"},
      {"\"link\\under.DAT\"", "it lies under a symbolic link that leads out of the target folder"},
      {"\"folder\"", "a folder of that name is in the way"},
      {"\"missing.DAT\"", "no entry of that name in the archive"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reason);
    EXPECT_NE(run.err.find("Skipped " + row.name + ": " + row.reason + "\n"), std::string::npos)
        << run.err;
  }
  EXPECT_EQ(SlurpFile(out / "good.DAT"), std::string(5, '\x01'));
  EXPECT_FALSE(fs::exists(scratch.path() / "elsewhere" / "under.DAT"));

  // Everything written: exit 0 and nothing said.
  const CliResult clean = RunCliIn(
      scratch, {"archive", "extract", archive, (scratch.path() / "clean").string(), "good.DAT"});
  EXPECT_EQ(clean.status, 0) << clean.err;
  EXPECT_TRUE(clean.err.empty()) << clean.err;
}

TEST(ArchiveExtractReportCli, ARefusedNameIsShownWholeWithItsBytesEscaped) {
  ScratchFolder scratch;
  const std::string archive = scratch / "a.cmp";
  ArchiveBuilder()
      .Stored("good.DAT", Five(1))
      .Stored(std::string("ok.DAT\0evil\x01", 12), Five(2))
      .WriteTo(archive);
  const CliResult run = RunCliIn(scratch, {"archive", "extract", archive, scratch / "out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Refused to expand \"ok.DAT\\x00evil\\x01\": the name holds a zero byte"),
            std::string::npos)
      << run.err;
  // Refused before anything was written, "ok.DAT" least of all.
  EXPECT_FALSE(fs::exists(scratch.path() / "out" / "ok.DAT"));
  EXPECT_FALSE(fs::exists(scratch.path() / "out" / "good.DAT"));
}

}  // namespace
}  // namespace zelvora::testing
