// scramble / unscramble through the real zelvora360-cli.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

class ScrambleCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("scramblecli-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static int Run(const std::string& args) { return cli::RunCli(args).status; }
  static std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::filesystem::path dir_;
};

TEST_F(ScrambleCli, ScrambleStoresXor254AndUnscrambleRestores) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += static_cast<char>(i % 251);
  std::ofstream(Path("plain.txt"), std::ios::binary) << text;
  ASSERT_EQ(Run("scramble " + Path("plain.txt") + " " + Path("SURV1.DAT")), 0);
  const std::string stored = Slurp(Path("SURV1.DAT"));
  ASSERT_EQ(stored.size(), text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    ASSERT_EQ(static_cast<unsigned char>(stored[i]), static_cast<unsigned char>(text[i]) ^ 254u);
  ASSERT_EQ(Run("unscramble " + Path("SURV1.DAT") + " " + Path("back.txt")), 0);
  EXPECT_EQ(Slurp(Path("back.txt")), text);
}

TEST_F(ScrambleCli, FailuresAndUsage) {
  EXPECT_EQ(Run("unscramble " + Path("missing.dat") + " " + Path("out.txt")), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
  std::ofstream(Path("in.txt")) << "x";
  EXPECT_EQ(Run("scramble " + Path("in.txt") + " " + Path("no/dir/out.dat")), 1);
  EXPECT_EQ(Run("scramble " + Path("in.txt")), 2);
  EXPECT_EQ(Run("unscramble a b c"), 2);
}

}  // namespace
