// Progress reports, cancelling, and write failures while compressing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/ArchiveTestSupport.h"
#include "store/Compress.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ScratchDir;
using testing::WriteBytes;

TEST(CompressProgressTest, ReportsRunFromZeroToHundred) {
  ScratchDir dir;
  for (int i = 0; i < 4; ++i)
    WriteBytes(dir / ("f" + std::to_string(i)), testing::RecordData(20000, i));
  std::vector<int> seen;
  TProgressCallback record = [&](int& percent) { seen.push_back(percent); };
  ASSERT_TRUE(TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"f0", "f1", "f2", "f3"},
                                        TCompress::kMethodLh5, record));
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  seen.clear();
  ASSERT_TRUE(TCompress().ExpandFiles(dir / "x.cmp", dir / "out", {}, record));
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

TEST(CompressProgressTest, CancelBeforeOrDuringTheWorkLeavesNoArchive) {
  ScratchDir dir;
  WriteBytes(dir / "a", Bytes(1000, 1));
  WriteBytes(dir / "b", Bytes(1000, 2));
  TProgressCallback cancel_at_start = [](int& percent) { percent = -1; };
  EXPECT_FALSE(TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a", "b"},
                                         TCompress::kMethodLzh, cancel_at_start));
  EXPECT_FALSE(fs::exists(dir / "x.cmp"));
  int calls = 0;
  TProgressCallback cancel_later = [&](int& percent) {
    if (++calls == 2) percent = -1;
  };
  EXPECT_FALSE(TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a", "b"},
                                         TCompress::kMethodLzh, cancel_later));
  EXPECT_FALSE(fs::exists(dir / "x.cmp"));

  ASSERT_TRUE(
      TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a", "b"}, TCompress::kMethodLzh));
  EXPECT_FALSE(TCompress().ExpandFiles(dir / "x.cmp", dir / "out", {}, cancel_at_start));
  EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST(CompressProgressTest, WriteFailureDeletesThePartialArchive) {
  ScratchDir dir;
  WriteBytes(dir / "noise", testing::RandomBytes(200000, 3));
  // A folder that does not exist cannot hold the archive.
  try {
    TCompress().CompressFiles(dir / "no" / "x.cmp", dir.path(), {"noise"}, TCompress::kMethodLzh);
    FAIL() << "no exception";
  } catch (const ECompressException& e) {
    EXPECT_STREQ(e.what(), "Disk protected or full during compression");
  }
  // A disk that fills up half-way: a child process with a file size limit.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{50000, 50000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int status = 3;
    try {
      TCompress().CompressFiles(dir / "full.cmp", dir.path(), {"noise"}, TCompress::kMethodLzh);
    } catch (const ECompressException& e) {
      status = std::string(e.what()) == "Disk protected or full during compression" ? 0 : 4;
    }
    ::_exit(status);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(fs::exists(dir / "full.cmp"));
}

TEST(CompressProgressTest, MissingInputFileFailsAndLeavesNoArchive) {
  ScratchDir dir;
  WriteBytes(dir / "a", Bytes(10, 1));
  EXPECT_THROW(
      TCompress().CompressFiles(dir / "x.cmp", dir.path(), {"a", "missing"}, TCompress::kMethodLzh),
      ECompressException);
  EXPECT_FALSE(fs::exists(dir / "x.cmp"));
}

}  // namespace
}  // namespace zelvora
