// Loading and saving the settings file on disk: the code page, the atomic
// replace, writing only when changed, and failures that leave the old file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "APP/SectionedConfigFile.h"
#include "TempFolder.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

int FilesIn(const fs::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

TEST(ConfigFileSave, AMissingFileIsEmptyAndIsCreatedOnSave) {
  TempFolder temp;
  const std::string path = temp.File("Korrin2.INI");
  TSectionedConfigFile file(path);
  EXPECT_EQ(file.ReadInteger("SETTINGS", "MainFormWidth", 600), 600);
  file.Save();  // nothing changed: nothing written
  EXPECT_FALSE(fs::exists(path));
  file.WriteInteger("SETTINGS", "MainFormWidth", 640);
  file.Save();
  EXPECT_EQ(ReadBytes(path), "[SETTINGS]\r\nMainFormWidth=640\r\n");
  EXPECT_FALSE(file.Changed());
  EXPECT_EQ(FilesIn(temp.path()), 1);  // no temporary file left behind
}

TEST(ConfigFileSave, TheFileIsWindows1252OnDiskAndUtf8InMemory) {
  TempFolder temp;
  const std::string path = temp.File("Korrin2.INI");
  WriteBytes(path, "[TITLE PAGE]\r\nHEADERBAR=Caf\xE9 \x80 360\r\n");
  TSectionedConfigFile file(path);
  EXPECT_EQ(file.ReadString("TITLE PAGE", "HEADERBAR", ""), "Caf\xC3\xA9 \xE2\x82\xAC 360");
  file.WriteString("TITLE PAGE", "INSTRUMENT", "Zelvora 360\xC2\xB0 Feedback\xE2\x84\xA2");
  file.Save();
  EXPECT_EQ(
      ReadBytes(path),
      "[TITLE PAGE]\r\nHEADERBAR=Caf\xE9 \x80 360\r\nINSTRUMENT=Zelvora 360\xB0 Feedback\x99\r\n");
}

TEST(ConfigFileSave, AnUnchangedFileIsNotRewritten) {
  TempFolder temp;
  const std::string path = temp.File("Korrin2.INI");
  WriteBytes(path, "[A]\nkey=1\n");  // Unix line ends stay as they are
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  {
    TSectionedConfigFile file(path);
    file.WriteInteger("A", "key", 1);
    file.Save();
  }
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(ReadBytes(path), "[A]\nkey=1\n");
}

TEST(ConfigFileSave, ReplacingKeepsPermissionsAndSymbolicLinks) {
  TempFolder temp;
  const std::string real = temp.File("real.ini");
  const std::string link = temp.File("Korrin2.INI");
  WriteBytes(real, "[A]\nkey=1\n");
  ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
  fs::create_symlink(real, link);
  TSectionedConfigFile file(link);
  file.WriteInteger("A", "key", 2);
  file.Save();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[A]\r\nkey=2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(FilesIn(temp.path()), 2);
}

TEST(ConfigFileSave, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder temp;
  // The settings path is taken by a folder: the final rename must fail.
  const std::string path = temp.File("Korrin2.INI");
  fs::create_directory(path);
  WriteBytes(temp.File("Korrin2.INI/inside"), "keep");
  EXPECT_THROW(TSectionedConfigFile{path}, std::runtime_error);

  auto file = TSectionedConfigFile::FromText("[A]\nkey=1\n");
  TSectionedConfigFile on_disk(temp.File("missing-folder/Korrin2.INI"));
  on_disk.WriteInteger("A", "key", 1);
  try {
    on_disk.Save();
    FAIL() << "saving into a missing folder must fail";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot write settings file"), std::string::npos);
  }
  EXPECT_TRUE(on_disk.Changed());  // still to be written
  EXPECT_EQ(ReadBytes(temp.File("Korrin2.INI/inside")), "keep");
  EXPECT_EQ(FilesIn(temp.path()), 1);
}

TEST(ConfigFileSave, AnOversizedFileIsRefusedWithAMessage) {
  TempFolder temp;
  const std::string path = temp.File("Korrin2.INI");
  {
    std::ofstream out(path, std::ios::binary);
    out.seekp(17 * 1024 * 1024);
    out.put('x');
  }
  try {
    TSectionedConfigFile file(path);
    FAIL() << "an oversized settings file must be refused";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
  }
}

TEST(ConfigFileSave, ARoundTripKeepsEveryLine) {
  TempFolder temp;
  const std::string path = temp.File("Korrin2.INI");
  const std::string text =
      "; top comment\r\n[SETTINGS]\r\nMainFormTop=1\r\n\r\n[0000000100000002]\r\n3=Peer\r\n"
      "[Unknown]\r\nfree text line\r\n=no key\r\n";
  WriteBytes(path, text);
  TSectionedConfigFile file(path);
  file.WriteInteger("SETTINGS", "MainFormTop", 2);
  file.WriteInteger("SETTINGS", "MainFormTop", 1);
  file.Save();
  EXPECT_EQ(ReadBytes(path), text);
}

}  // namespace
}  // namespace zelvora
