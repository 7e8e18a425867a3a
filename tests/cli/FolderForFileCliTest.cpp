// A folder named where a file is expected is reported as such, never with a
// message of the C++ library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliProcess.h"

namespace zelvora::testing {
namespace {

TEST(FolderForFileCli, EachCommandSaysTheNameIsAFolder) {
  ScratchFolder scratch;
  const std::string folder = scratch / "folder";
  std::filesystem::create_directory(folder);
  const std::vector<std::vector<std::string>> commands = {
      {"disk-read", folder},
      {"parse", folder},
      {"scramble", folder, scratch / "out.dat"},
      {"unscramble", folder, scratch / "out.txt"},
      {"archive", "list", folder},
      {"archive", "cat", folder, "x"},
      {"archive", "extract", folder, scratch / "out"},
      {"archive", "create", scratch / "a.cmp", scratch.path().string(), "folder"},
      {"--data", scratch / "data", "import", folder},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command[0] + " " + command[1]);
    const CliResult run = RunCliIn(scratch, command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("it is a folder"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("basic_filebuf"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace zelvora::testing
