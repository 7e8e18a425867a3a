// Writing into the sectioned settings file: replacing, appending, removing,
// keeping what the program does not know, and the changed mark.
#include <gtest/gtest.h>

#include <stdexcept>

#include "APP/SectionedConfigFile.h"

namespace zelvora {
namespace {

TEST(ConfigFileWrite, ReplacesTheKeysLineWhereItStands) {
  auto file = TSectionedConfigFile::FromText("[A]\nfirst=1\nkey=old\nlast=3\n");
  file.WriteString("a", "KEY", "new");
  // The key keeps the spelling it has in the file.
  EXPECT_EQ(file.Text(), "[A]\r\nfirst=1\r\nkey=new\r\nlast=3\r\n");
  EXPECT_TRUE(file.Changed());
}

TEST(ConfigFileWrite, AppendsNewKeysAndSections) {
  auto file = TSectionedConfigFile::FromText("[A]\nx=1\n\n[B]\ny=2\n");
  file.WriteInteger("A", "z", -5);
  file.WriteBool("C", "flag", true);
  file.WriteBool("C", "other", false);
  // The new key goes before the blank line that separates A from B.
  EXPECT_EQ(file.Text(),
            "[A]\r\nx=1\r\nz=-5\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nflag=1\r\nother=0\r\n");
  EXPECT_EQ(file.ReadInteger("A", "z", 0), -5);
  EXPECT_TRUE(file.ReadBool("C", "flag", false));
}

TEST(ConfigFileWrite, AnEmptyValueRemovesTheLine) {
  auto file = TSectionedConfigFile::FromText("[A]\nkey=1\nother=2\nKEY=dup\n");
  file.WriteString("A", "Key", "");
  EXPECT_EQ(file.Text(), "[A]\r\nother=2\r\n");
  EXPECT_EQ(file.ReadString("A", "key", "def"), "def");
  // Removing from a missing section creates nothing.
  file.WriteString("Missing", "key", "  ");
  EXPECT_FALSE(file.SectionExists("Missing"));
}

TEST(ConfigFileWrite, UnknownLinesAndSectionsAreKept) {
  const std::string text =
      "; written by hand\n[Mine]\nsome free text\nx=1\n[SETTINGS]\nMainFormTop=3\n; note\n";
  auto file = TSectionedConfigFile::FromText(text);
  file.WriteInteger("SETTINGS", "MainFormTop", 4);
  EXPECT_EQ(file.Text(),
            "; written by hand\r\n[Mine]\r\nsome free text\r\nx=1\r\n[SETTINGS]\r\n"
            "MainFormTop=4\r\n; note\r\n");
}

TEST(ConfigFileWrite, TheChangedMarkFollowsTheText) {
  auto file = TSectionedConfigFile::FromText("[A]\nkey = 1\n");
  EXPECT_FALSE(file.Changed());
  file.WriteInteger("A", "KEY", 1);  // same value
  file.WriteString("A", "missing", "");
  file.EraseSection("Nothing");
  file.WriteSection("A", {"key = 1"});
  EXPECT_FALSE(file.Changed());
  file.WriteInteger("A", "key", 2);
  EXPECT_TRUE(file.Changed());
  EXPECT_EQ(file.Text(), "[A]\r\nkey =2\r\n");
}

TEST(ConfigFileWrite, WriteSectionReplacesInPlaceAndEraseRemovesAll) {
  auto file = TSectionedConfigFile::FromText("[A]\na=1\n\n[B]\nold=1\n\n[C]\nc=1\n[b]\nmore=2\n");
  file.WriteSection("B", {"1=Peer", "4=Staff"});
  EXPECT_EQ(file.Text(), "[A]\r\na=1\r\n\r\n[B]\r\n1=Peer\r\n4=Staff\r\n\r\n[C]\r\nc=1\r\n");
  file.WriteSection("D", {"x"});
  EXPECT_EQ(file.ReadSection("D"), std::vector<std::string>{"x"});
  file.WriteSection("B", {});
  EXPECT_FALSE(file.SectionExists("B"));
  file.EraseSection("d");
  EXPECT_EQ(file.Text(), "[A]\r\na=1\r\n\r\n[C]\r\nc=1\r\n\r\n");
}

TEST(ConfigFileWrite, TextsThatWouldSplitALineAreRefused) {
  auto file = TSectionedConfigFile::FromText("[A]\nkey=1\n");
  EXPECT_THROW(file.WriteString("A", "key", "two\nlines"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", "key", "cr\rhere"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", "k=ey", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", "", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A", "[X]", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("A]\n[B", "key", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("", "key", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteSection("A", {"ok", "[Injected]"}), std::invalid_argument);
  EXPECT_THROW(file.WriteSection("A", {"a\nb"}), std::invalid_argument);
  // Nothing of a refused write reached the file.
  EXPECT_EQ(file.Text(), "[A]\r\nkey=1\r\n");
  EXPECT_FALSE(file.Changed());
}

}  // namespace
}  // namespace zelvora
