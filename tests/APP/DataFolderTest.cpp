// The data-folder rule and TConfig's files in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "APP/CONFIGU.h"
#include "TempFolder.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(DataFolderRule, FirstGivenSourceWins) {
  const auto writable = [](const std::string&) { return true; };
  const auto read_only = [](const std::string&) { return false; };
  TDataFolderInputs in{"/cli", "/env", "/prog", "/xdg", "/home/u"};
  EXPECT_EQ(TConfig::ChooseDataFolder(in, writable), "/cli");
  in.command_line.clear();
  EXPECT_EQ(TConfig::ChooseDataFolder(in, writable), "/env");
  in.home_env.clear();
  EXPECT_EQ(TConfig::ChooseDataFolder(in, writable), "/prog");
  EXPECT_EQ(TConfig::ChooseDataFolder(in, read_only), "/xdg/zelvora360");
  in.xdg_data_home = "relative/xdg";  // not absolute: ignored
  EXPECT_EQ(TConfig::ChooseDataFolder(in, read_only), "/home/u/.local/share/zelvora360");
  in.xdg_data_home.clear();
  in.program_dir.clear();
  EXPECT_EQ(TConfig::ChooseDataFolder(in, writable), "/home/u/.local/share/zelvora360");
  in.user_home.clear();
  EXPECT_THROW(TConfig::ChooseDataFolder(in, writable), std::runtime_error);
}

TEST(DataFolderRule, AnInstalledProgramKeepsNoDataAmongTheSystemsPrograms) {
  const auto writable = [](const std::string&) { return true; };
  for (const char* system : {"/usr/bin", "/usr/bin/", "/usr/local/bin", "/bin"}) {
    SCOPED_TRACE(system);
    TDataFolderInputs in{"", "", system, "/xdg", "/home/u"};
    EXPECT_EQ(TConfig::ChooseDataFolder(in, writable), "/xdg/zelvora360");
  }
  TDataFolderInputs own{"", "", "/opt/zelvora360", "/xdg", "/home/u"};
  EXPECT_EQ(TConfig::ChooseDataFolder(own, writable), "/opt/zelvora360");
}

TEST(DataFolderRule, TheProgramFolderIsAskedOnlyWhenNeeded) {
  int asked = 0;
  const auto counting = [&asked](const std::string& folder) {
    ++asked;
    EXPECT_EQ(folder, "/prog");
    return false;
  };
  TDataFolderInputs in{"", "/env", "/prog", "", "/home/u"};
  TConfig::ChooseDataFolder(in, counting);
  EXPECT_EQ(asked, 0);
  in.home_env.clear();
  TConfig::ChooseDataFolder(in, counting);
  EXPECT_EQ(asked, 1);
}

TEST(DataFolder, IsCreatedMadeAbsoluteAndEndsWithASlash) {
  TempFolder temp;
  const std::string wanted = temp.File("a/b/data");
  const std::string folder = TConfig::DataFolder(wanted);
  EXPECT_EQ(folder, wanted + "/");
  EXPECT_TRUE(fs::is_directory(wanted));
  // A relative folder is taken from the current folder.
  const fs::path old_cwd = fs::current_path();
  fs::current_path(temp.path());
  const std::string relative = TConfig::DataFolder(std::string("rel/./x/"));
  fs::current_path(old_cwd);
  EXPECT_EQ(relative, (temp.path() / "rel/x").string() + "/");
}

TEST(DataFolder, AFileInTheWayIsAClearError) {
  TempFolder temp;
  const std::string file = temp.File("plain");
  WriteBytes(file, "x");
  try {
    TConfig::DataFolder(file);
    FAIL() << "a file is no data folder";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("is not a folder"), std::string::npos);
  }
  EXPECT_THROW(TConfig::DataFolder(file + "/below"), std::runtime_error);
}

TEST(DataFolder, TheEnvironmentIsUsedWithoutACommandLineValue) {
  TempFolder temp;
  const char* old = std::getenv("ZELVORA360_HOME");
  const std::string saved = old ? old : "";
  ::setenv("ZELVORA360_HOME", temp.File("from-env").c_str(), 1);
  const std::string from_env = TConfig::DataFolder(std::nullopt);
  const std::string from_cli = TConfig::DataFolder(temp.File("from-cli"));
  if (old)
    ::setenv("ZELVORA360_HOME", saved.c_str(), 1);
  else
    ::unsetenv("ZELVORA360_HOME");
  EXPECT_EQ(from_env, temp.File("from-env") + "/");
  EXPECT_EQ(from_cli, temp.File("from-cli") + "/");
}

TEST(Config, GivesTheFilesOfTheDataFolderAndWritesTheSettingsOnClose) {
  TempFolder temp;
  {
    TConfig config(temp.path().string());
    EXPECT_EQ(config.ProgramDir(), temp.path().string() + "/");
    EXPECT_EQ(config.SettingsFilePath(), temp.File("Korrin2.INI"));
    EXPECT_EQ(config.ReportConfigFilePath(), config.SettingsFilePath());
    EXPECT_EQ(config.FilePath("Update2.INI"), temp.File("Update2.INI"));
    config.Settings().WriteInteger("SETTINGS", "SurveyState", 1);
    config.Close();
    EXPECT_EQ(ReadBytes(temp.File("Korrin2.INI")), "[SETTINGS]\r\nSurveyState=1\r\n");
    config.Settings().WriteInteger("SETTINGS", "SurveyState", 2);
  }  // the destructor writes what changed after Close
  EXPECT_EQ(ReadBytes(temp.File("Korrin2.INI")), "[SETTINGS]\r\nSurveyState=2\r\n");
  TConfig again(temp.path().string());
  EXPECT_EQ(again.Settings().ReadInteger("SETTINGS", "SurveyState", 3), 2);
}

}  // namespace
}  // namespace zelvora
