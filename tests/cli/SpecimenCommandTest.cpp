// zelvora360-cli specimen: runs without a display or a printer and writes a
// two-page PDF (and PNG renderings on request).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

namespace fs = std::filesystem;

using Result = cli::TCliRun;

Result Shell(const std::string& command) { return cli::RunShell(command); }

class SpecimenCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zelvora-specimen-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  fs::path dir_;
};

TEST_F(SpecimenCommand, WritesTwoPagesWithoutDisplay) {
  const std::string pdf = (dir_ / "s.pdf").string();
  const Result r = Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                         std::string(ZELVORA_CLI) + "' specimen '" + pdf + "' --png-dpi 20 2>&1");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Wrote 2 pages"), std::string::npos) << r.out;
  EXPECT_TRUE(fs::exists(pdf + "-1.png"));
  EXPECT_TRUE(fs::exists(pdf + "-2.png"));
  const Result info = Shell("pdfinfo -f 1 -l 2 '" + pdf + "'");
  EXPECT_NE(info.out.find("Pages:           2"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("612 x 792"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("792 x 612"), std::string::npos) << info.out;
}

TEST_F(SpecimenCommand, BadUsageAndUnwritableOutput) {
  const std::string cli = std::string("'") + ZELVORA_CLI + "'";
  EXPECT_EQ(Shell(cli + " specimen 2>&1").status, 2);
  EXPECT_EQ(Shell(cli + " specimen a.pdf b.pdf 2>&1").status, 2);
  EXPECT_EQ(Shell(cli + " specimen x.pdf --png-dpi lots 2>&1").status, 2);
  const Result r = Shell(cli + " specimen /nonexistent-folder/s.pdf 2>&1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Could not write the file /nonexistent-folder/s.pdf."), std::string::npos)
      << r.out;
}

}  // namespace
