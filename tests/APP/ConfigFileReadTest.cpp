// Reading rules of the sectioned settings file: sections, keys, defaults,
// integers and booleans.
#include <gtest/gtest.h>

#include "APP/SectionedConfigFile.h"

namespace zelvora {
namespace {

TEST(ConfigFileRead, KeysAndSectionsMatchWithoutRegardToCase) {
  const auto file =
      TSectionedConfigFile::FromText("[settings]\nmainformtop=10\n[Other]\nMainFormTop=20\n");
  EXPECT_EQ(file.ReadInteger("SETTINGS", "MainFormTop", 0), 10);
  EXPECT_EQ(file.ReadInteger("other", "MAINFORMTOP", 0), 20);
  EXPECT_TRUE(file.SectionExists("Settings"));
  EXPECT_FALSE(file.SectionExists("Missing"));
}

TEST(ConfigFileRead, MissingSectionKeyOrEmptyValueGivesTheDefault) {
  const auto file = TSectionedConfigFile::FromText("[A]\nEmpty=\nBlank=   \nName = Value  \n");
  EXPECT_EQ(file.ReadString("B", "Name", "def"), "def");
  EXPECT_EQ(file.ReadString("A", "Missing", "def"), "def");
  EXPECT_EQ(file.ReadString("A", "Empty", "def"), "def");
  EXPECT_EQ(file.ReadString("A", "Blank", "def"), "def");
  // The value is trimmed, and blanks around the key are ignored.
  EXPECT_EQ(file.ReadString("A", "Name", "def"), "Value");
}

TEST(ConfigFileRead, TheFirstLineOfAKeyWinsAndOnlyItsOwnSectionCounts) {
  const auto file =
      TSectionedConfigFile::FromText("[A]\nKey=first\nKey=second\nOther=x=y\n[B]\nOnlyB=1\n");
  EXPECT_EQ(file.ReadString("A", "Key", ""), "first");
  EXPECT_EQ(file.ReadString("A", "Other", ""), "x=y");
  EXPECT_EQ(file.ReadString("A", "OnlyB", "none"), "none");
  // A key is the whole text before "=", not a prefix of it.
  EXPECT_EQ(file.ReadString("A", "Ke", "none"), "none");
}

TEST(ConfigFileRead, SectionHeadersNeedMoreThanTwoCharacters) {
  // "[]" is no header, so its line belongs to section A; "[B]" starts one.
  const auto file = TSectionedConfigFile::FromText("[A]\n[]\nKey=a\n[B]\nKey=b\n");
  EXPECT_EQ(file.ReadString("A", "Key", ""), "a");
  EXPECT_EQ(file.ReadString("B", "Key", ""), "b");
  EXPECT_EQ(file.ReadSection("A"), (std::vector<std::string>{"[]", "Key=a"}));
}

TEST(ConfigFileRead, LinesBeforeTheFirstSectionBelongToNone) {
  const auto file = TSectionedConfigFile::FromText("Key=top\n[A]\nOther=1\n");
  EXPECT_EQ(file.ReadString("A", "Key", "none"), "none");
  EXPECT_EQ(file.ReadString("", "Key", "none"), "none");
}

TEST(ConfigFileRead, WindowsAndUnixLineEndingsReadAlike) {
  const auto crlf = TSectionedConfigFile::FromText("[A]\r\nKey=1\r\nName=x y\r\n");
  const auto lf = TSectionedConfigFile::FromText("[A]\nKey=1\nName=x y");
  EXPECT_EQ(crlf.ReadInteger("A", "Key", 0), 1);
  EXPECT_EQ(crlf.ReadString("A", "Name", ""), "x y");
  EXPECT_EQ(lf.ReadString("A", "Name", ""), "x y");
  EXPECT_EQ(crlf.ReadSection("A"), lf.ReadSection("A"));
  // A lone CR ends a line too: no value can carry a line break into a rewrite.
  const auto cr = TSectionedConfigFile::FromText("[A]\rKey=1\rName=x y\r\r\n[B]\r\nb=2");
  EXPECT_EQ(cr.ReadSection("A"), lf.ReadSection("A"));
  EXPECT_EQ(cr.ReadInteger("B", "b", 0), 2);
  EXPECT_EQ(cr.Text(), "[A]\r\nKey=1\r\nName=x y\r\n\r\n[B]\r\nb=2\r\n");
}

TEST(ConfigFileRead, IntegersAreDecimalAndAnythingElseGivesTheDefault) {
  const auto file = TSectionedConfigFile::FromText(
      "[S]\nA=abc\nB=-12\nC=+7\nD=12x\nE=2147483647\nF=2147483648\nG= 42 \nH=$10\nI=1.5\nJ=+\n"
      "K=-2147483648\nL=++3\n");
  EXPECT_EQ(file.ReadInteger("S", "A", 600), 600);
  EXPECT_EQ(file.ReadInteger("S", "B", 0), -12);
  EXPECT_EQ(file.ReadInteger("S", "C", 0), 7);
  EXPECT_EQ(file.ReadInteger("S", "D", 5), 5);
  EXPECT_EQ(file.ReadInteger("S", "E", 0), 2147483647);
  EXPECT_EQ(file.ReadInteger("S", "F", 9), 9);
  EXPECT_EQ(file.ReadInteger("S", "G", 0), 42);
  EXPECT_EQ(file.ReadInteger("S", "H", 3), 3);
  EXPECT_EQ(file.ReadInteger("S", "I", 3), 3);
  EXPECT_EQ(file.ReadInteger("S", "J", 3), 3);
  EXPECT_EQ(file.ReadInteger("S", "K", 0), -2147483648);
  EXPECT_EQ(file.ReadInteger("S", "L", 3), 3);
}

TEST(ConfigFileRead, BooleansLookAtTheFirstCharacterOnly) {
  const auto file = TSectionedConfigFile::FromText(
      "[S]\nYes=yes\nZero=0\nOne=1\nTen=10\nZeroText=0abc\nTrue=true\n");
  EXPECT_TRUE(file.ReadBool("S", "Yes", true));
  EXPECT_FALSE(file.ReadBool("S", "Yes", false));
  EXPECT_FALSE(file.ReadBool("S", "Zero", true));
  EXPECT_TRUE(file.ReadBool("S", "One", false));
  EXPECT_TRUE(file.ReadBool("S", "Ten", false));
  EXPECT_FALSE(file.ReadBool("S", "ZeroText", true));
  EXPECT_FALSE(file.ReadBool("S", "True", false));
  EXPECT_TRUE(file.ReadBool("S", "Missing", true));
}

TEST(ConfigFileRead, ReadSectionGivesTheLinesWithoutBlanks) {
  const auto file =
      TSectionedConfigFile::FromText("[P]\nHow often do you\n\n  \nHow often should you\n[Q]\n");
  EXPECT_EQ(file.ReadSection("p"),
            (std::vector<std::string>{"How often do you", "How often should you"}));
  EXPECT_TRUE(file.ReadSection("Q").empty());
  EXPECT_TRUE(file.ReadSection("Missing").empty());
}

}  // namespace
}  // namespace zelvora
