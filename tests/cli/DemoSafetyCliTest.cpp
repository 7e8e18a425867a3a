// A demo killed at any moment leaves nothing or the whole demonstration.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "cli/CliProcess.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

TEST(DemoSafetyCli, AKilledDemoLeavesNothingOrTheWholeDemo) {
  ScratchFolder scratch;
  int whole = 0;
  int nothing = 0;
  for (int delay_ms : {0, 30, 80, 150, 250, 400, 700, 1200}) {
    SCOPED_TRACE(delay_ms);
    const std::string data = scratch / ("data" + std::to_string(delay_ms));
    {
      CliChild demo({"--data", data, "demo"}, scratch.path() / "demo");
      ::usleep(static_cast<useconds_t>(delay_ms) * 1000);
      ::kill(demo.Pid(), SIGKILL);
      demo.Wait();
    }
    const CliResult tree = RunCliIn(scratch, {"--data", data, "tree"});
    if (tree.status == 1) {
      // Killed before the data folder had a database, or while its empty
      // files were being made: no demo data either way.
      EXPECT_TRUE(tree.err.find("There is no survey database") != std::string::npos ||
                  tree.err.find(".DAT is missing") != std::string::npos)
          << tree.err;
      EXPECT_EQ(Count(tree.out, "Score sheet "), 0u);
      ++nothing;
    } else {
      ASSERT_EQ(tree.status, 0) << tree.err;
      const std::size_t sheets = Count(tree.out, "Score sheet ");
      const std::size_t questions = Count(tree.out, "Question ");
      if (sheets == 0) {
        EXPECT_EQ(tree.out, "Library surveys\nLibrary skill areas\n");
        ++nothing;
      } else {
        EXPECT_EQ(sheets, 72u);
        // The demo survey's 40 questions and the starter library's 129.
        EXPECT_EQ(questions, 169u);
        ++whole;
      }
    }
    // Whatever was left, the data folder takes a demo or already has one.
    const CliResult again = RunCliIn(scratch, {"--data", data, "demo"});
    EXPECT_EQ(again.status, tree.status == 0 && Count(tree.out, "Score sheet ") == 72 ? 1 : 0)
        << again.err;
  }
  std::cout << nothing << " killed demos left nothing, " << whole << " the whole demo\n";
}

}  // namespace
}  // namespace zelvora::testing
