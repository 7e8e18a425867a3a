// The update control file: sections and their entries, emptying a section,
// and the bytes written back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "APP/UpdControlFile.h"
#include "TempFolder.h"

namespace zelvora {
namespace {

using Lines = std::vector<std::string>;

TEST(UpdControlFileTest, SectionsEntriesAndHeaders) {
  auto file = TUpdControlFile::FromBytes(
      "before\r\n[surveys]\r\nA.DAT\r\n\r\n  B.DAT \r\n[]\r\n[EXPORTS]\nALL.XML\rSURVEYS\n"
      "[Remove]\r\n12.40");
  // Names match without regard to case; empty and blank lines are entries;
  // "[]" is too short to be a header and is an entry too.
  EXPECT_EQ(file.Entries("SURVEYS"), (Lines{"A.DAT", "", "  B.DAT ", "[]"}));
  EXPECT_EQ(file.Entries("exports"), (Lines{"ALL.XML", "SURVEYS"}));
  EXPECT_EQ(file.Entries("REMOVE"), (Lines{"12.40"}));
  EXPECT_TRUE(file.Entries("IMPORTS").empty());
  EXPECT_TRUE(file.Entries("before").empty());
}

TEST(UpdControlFileTest, ClearKeepsHeaderAndOtherLinesAndAddsMissingSections) {
  auto file = TUpdControlFile::FromBytes(
      "; note\r\n[Other]\r\nkeep=1\r\n[Surveys]\r\nA.DAT\r\nB.DAT\r\n[EXPORTS]\r\nALL.XML\r\n");
  file.Clear("SURVEYS");
  file.Clear("IMPORTS");
  EXPECT_EQ(file.Bytes(),
            "; note\r\n[Other]\r\nkeep=1\r\n[Surveys]\r\n[EXPORTS]\r\nALL.XML\r\n[IMPORTS]\r\n");
  EXPECT_TRUE(file.Entries("SURVEYS").empty());
  EXPECT_EQ(file.Entries("EXPORTS"), (Lines{"ALL.XML"}));
}

TEST(UpdControlFileTest, FilesMissingReadAndSavedInWindows1252) {
  testing::TempFolder folder;
  TUpdControlFile missing(folder.File("Update2.INI"));
  EXPECT_FALSE(missing.Exists());
  EXPECT_TRUE(missing.Entries("SURVEYS").empty());

  testing::WriteBytes(folder.File("Update2.INI"),
                      "[IMPORTS]\r\nCaf\xE9.XML\r\n[REMOVE]\r\n1.2\r\n");
  TUpdControlFile file(folder.File("Update2.INI"));
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(file.Entries("IMPORTS"), (Lines{"Caf\xC3\xA9.XML"}));
  file.Clear("REMOVE");
  file.Save();
  EXPECT_EQ(testing::ReadBytes(folder.File("Update2.INI")),
            "[IMPORTS]\r\nCaf\xE9.XML\r\n[REMOVE]\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.File("Update2.INI.tmp")));
  // Nothing but the control file is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("")),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace zelvora
