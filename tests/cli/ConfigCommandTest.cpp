// zelvora360-cli config: prints the effective configuration and closes it as
// the program does at exit.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CliRunner.h"

namespace {

namespace cli = zelvora::testing;

namespace fs = std::filesystem;

using TempFolder = cli::TScratchFolder;

std::string ReadBytes(const std::string& path) { return cli::ReadFileBytes(path); }

using CliRun = cli::TCliRun;

// Runs the tool with `args` (already quoted for the shell) and an optional
// environment prefix such as "ZELVORA360_HOME=/x".
CliRun RunCli(const std::string& args, const std::string& env = "") {
  return cli::RunCli(args, {.env = env, .input = "/dev/null", .merge_err = false});
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

TEST(ConfigCommand, AnEmptyFolderGetsTheCompleteReportSectionOnce) {
  TempFolder data;
  const CliRun first = RunCli("--data " + Quote(data.path().string()) + " config");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(first.out.find("[REPORT OPTIONS] FONT0=Arial,10,Regular,0\n"), std::string::npos);
  EXPECT_NE(first.out.find("[REPORT OPTIONS] FONT19=Arial,8,Bold,0\n"), std::string::npos);
  EXPECT_NE(first.out.find("[REPORT OPTIONS] SHADECOLOR=13158600\n"), std::string::npos);
  EXPECT_NE(first.out.find("[TITLE PAGE] HEADERBAR=360 FEEDBACK\n"), std::string::npos);
  EXPECT_NE(first.out.find("[SURVEYS] SURVSHOULDTAG=EXPECTATIONS\n"), std::string::npos);
  EXPECT_NE(first.out.find("[SETTINGS] MainFormWidth=600\n"), std::string::npos);
  EXPECT_NE(first.out.find("[SETTINGS] DelTempBackupFiles=1\n"), std::string::npos);

  const std::string ini = data.File("Korrin2.INI");
  const std::string written = ReadBytes(ini);
  std::string expected_section = "[REPORT OPTIONS]\r\n";
  const char* fonts[] = {"Arial,10,Regular,0",
                         "Times New Roman,14,Bold,0",
                         "Times New Roman,11,Bold,0",
                         "Arial,18,Bold,0",
                         "Arial,14,Bold,0",
                         "Arial,12,Regular,0",
                         "Arial,14,Bold,0",
                         "Arial,12,Bold,0",
                         "Arial,10,Bold Italic,0",
                         "Arial,11,Italic,0",
                         "Arial,10,Bold,0",
                         "Times New Roman,11,Regular,0",
                         "Times New Roman,11,Italic,0",
                         "Times New Roman,11,Bold,0",
                         "Times New Roman,9,Regular,0",
                         "Arial,10,Regular,0",
                         "Arial,8,Regular,0",
                         "Arial,6,Regular,0",
                         "Arial,5,Regular,0",
                         "Arial,8,Bold,0"};
  for (int i = 0; i < 20; ++i)
    expected_section += "FONT" + std::to_string(i) + "=" + fonts[i] + "\r\n";
  expected_section +=
      "BOXCOLOR=0\r\nSHADECOLOR=13158600\r\nHEADERFOOTERBAR=1\r\nGRAPHOVER=1\r\n"
      "GRAPHUNDER=0\r\nUseColor=0\r\nUseReportTextDefaults=1\r\n";
  EXPECT_EQ(written.rfind(expected_section, 0), 0u) << written;
  EXPECT_NE(written.find("[OVERVIEW REPORT]\r\nHEADERBAR=OVERVIEW FEEDBACK\r\n"),
            std::string::npos);
  EXPECT_NE(written.find("[SETTINGS]\r\nSurveyState=3\r\n"), std::string::npos);

  struct stat before {};
  ASSERT_EQ(::stat(ini.c_str(), &before), 0);
  const CliRun second = RunCli("--data " + Quote(data.path().string()) + " config");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, first.out);
  struct stat after {};
  ASSERT_EQ(::stat(ini.c_str(), &after), 0);
  EXPECT_EQ(ReadBytes(ini), written);
  EXPECT_EQ(before.st_ino, after.st_ino);  // not even rewritten
}

TEST(ConfigCommand, ValuesFromTheFileAreShownAndForeignLinesKept) {
  TempFolder data;
  const std::string ini = data.File("Korrin2.INI");
  {
    std::ofstream out(ini, std::ios::binary);
    out << "[My Notes]\r\nremember this\r\n[report options]\r\nFONT6=Arial, 16, Bold Underline, "
           "255\r\n"
           "FONT7=Arial,big,Bold,0\r\nGRAPHOVER=yes\r\n[TITLE PAGE]\r\nHEADERBAR="
        << std::string(70, 'X') << "\r\n[SETTINGS]\r\nMainFormWidth=abc\r\n";
  }
  const CliRun run = RunCli("--data " + Quote(data.path().string()) + " config");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("[REPORT OPTIONS] FONT6=Arial, 16, Bold Underline, 255\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("[REPORT OPTIONS] GRAPHOVER=1\n"), std::string::npos);
  EXPECT_NE(run.out.find("[TITLE PAGE] HEADERBAR=" + std::string(63, 'X') + "\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("[SETTINGS] MainFormWidth=600\n"), std::string::npos);
  EXPECT_NE(run.err.find("FONT7: 'big' is not a valid integer value"), std::string::npos)
      << run.err;
  const std::string written = ReadBytes(ini);
  EXPECT_EQ(written.rfind("[My Notes]\r\nremember this\r\n", 0), 0u) << written;
  EXPECT_NE(written.find("FONT6=Arial, 16, Bold Underline, 255\r\n"), std::string::npos);
  EXPECT_NE(written.find("FONT0=Arial,10,Regular,0\r\n"), std::string::npos);
}

TEST(ConfigCommand, TheDataFolderComesFromTheEnvironmentWithoutAnOption) {
  TempFolder data;
  const std::string home = data.File("home");
  const CliRun run = RunCli("config", "ZELVORA360_HOME=" + Quote(home));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Settings file: " + home + "/Korrin2.INI\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(home + "/Korrin2.INI"));
}

TEST(ConfigCommand, BadUsageAndUnusableFoldersAreReported) {
  TempFolder data;
  const CliRun extra = RunCli("--data " + Quote(data.path().string()) + " config extra");
  EXPECT_EQ(extra.status, 2);
  EXPECT_NE(extra.err.find("config takes no arguments"), std::string::npos);
  const CliRun option = RunCli("--data " + Quote(data.path().string()) + " config --verbose");
  EXPECT_EQ(option.status, 2);

  const std::string plain = data.File("plain");
  std::ofstream(plain) << "x";
  const CliRun not_folder = RunCli("--data " + Quote(plain) + " config");
  EXPECT_EQ(not_folder.status, 1);
  EXPECT_NE(not_folder.err.find("is not a folder"), std::string::npos) << not_folder.err;
  EXPECT_TRUE(not_folder.out.empty());
}

}  // namespace
