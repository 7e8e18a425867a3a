#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/AtomicFile.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zelvora-atomic-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Files in the folder other than the ones named.
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, ReplacesTheFileAndLeavesNoTemporaryBehind) {
  const fs::path target = dir_ / "settings.ini";
  Put(target, "old");
  WriteFileAtomically(target.string(), std::string("new\0bytes", 9));
  EXPECT_EQ(Read(target), std::string("new\0bytes", 9));
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, KeepsThePermissionsOfTheFileItReplaces) {
  const fs::path target = dir_ / "counter";
  Put(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically(target.string(), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically((dir_ / "fresh").string(), "x");
  EXPECT_EQ(fs::status(dir_ / "fresh").permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
}

TEST_F(AtomicFileTest, ReplacesALinkedFileAtItsDestination) {
  const fs::path real = dir_ / "real.ini";
  Put(real, "old");
  fs::create_symlink(real, dir_ / "link.ini");
  WriteFileAtomically((dir_ / "link.ini").string(), "new");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(Read(real), "new");
}

TEST_F(AtomicFileTest, AFailedWriteLeavesTheOldFileAndRemovesTheTemporary) {
  const fs::path target = dir_ / "big";
  Put(target, "old");
  // A file size limit makes write() fail part-way, as a full disk would.
  rlimit old_limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  rlimit small = old_limit;
  small.rlim_cur = 4096;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  try {
    WriteFileAtomically(target.string(), std::string(10000, 'x'));
    ADD_FAILURE() << "the write past the limit succeeded";
  } catch (const EAtomicWriteError& error) {
    EXPECT_EQ(error.FailedStep(), EAtomicWriteError::Step::kWrite);
    EXPECT_EQ(std::string(error.what()),
              "Cannot write file \"" + target.string() + "\": " + error.Reason());
    EXPECT_EQ(error.Reason(), "File too large");
  }
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AFailedRenameLeavesTheFolderInTheTargetsPlace) {
  const fs::path target = dir_ / "taken";
  fs::create_directories(target / "inside");
  EXPECT_THROW(
      {
        try {
          WriteFileAtomically(target.string(), "x");
        } catch (const EAtomicWriteError& error) {
          EXPECT_EQ(error.FailedStep(), EAtomicWriteError::Step::kReplace);
          throw;
        }
      },
      EAtomicWriteError);
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AMissingFolderIsReportedWithTheSystemsReason) {
  const fs::path target = dir_ / "no-such-folder" / "file";
  try {
    WriteFileAtomically(target.string(), "x");
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const EAtomicWriteError& error) {
    EXPECT_EQ(error.FailedStep(), EAtomicWriteError::Step::kCreate);
    EXPECT_EQ(std::string(error.what()),
              "Cannot write file \"" + target.string() + "\": No such file or directory");
  }
}

TEST_F(AtomicFileTest, AnUncommittedFileLeavesNothingBehind) {
  const fs::path target = dir_ / "out";
  Put(target, "old");
  {
    TAtomicFile file(target.string());
    file.Write("half");
    EXPECT_TRUE(fs::exists(file.TempPath()));
    EXPECT_EQ(fs::path(file.TempPath()).parent_path(), dir_);
  }
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(EntryCount(), 1u);
}

}  // namespace
}  // namespace zelvora
