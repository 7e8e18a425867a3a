// The line structure shared by the settings file and the update control file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "APP/SectionedText.h"

namespace zelvora {
namespace {

using Lines = std::vector<std::string>;

TEST(SectionedTextTest, LinesFallIntoTheSectionsThatHeadThem) {
  const TSectionedText text =
      TSectionedText::Parse("; first\r\n  [ Fonts ] \nA=1\r\r\n[]\r\n[b]\nx\n");
  EXPECT_EQ(text.preamble, (Lines{"; first"}));
  ASSERT_EQ(text.sections.size(), 2u);
  EXPECT_EQ(text.sections[0].header, "  [ Fonts ] ");
  EXPECT_EQ(text.sections[0].name, "Fonts");
  // A lone CR ends a line; "[]" is too short to head a section.
  EXPECT_EQ(text.sections[0].lines, (Lines{"A=1", "", "[]"}));
  EXPECT_EQ(text.Find(" FONTS"), &text.sections[0]);
  EXPECT_EQ(text.Find("c"), nullptr);
  EXPECT_EQ(text.Text(), "; first\r\n  [ Fonts ] \r\nA=1\r\n\r\n[]\r\n[b]\r\nx\r\n");
}

TEST(SectionedTextTest, AppendedSectionsAreWrittenWithTheirHeader) {
  TSectionedText text = TSectionedText::Parse("");
  text.Append(" New ").lines.push_back("k=v");
  EXPECT_EQ(text.Text(), "[New]\r\nk=v\r\n");
  EXPECT_EQ(text.Find("new")->lines, (Lines{"k=v"}));
}

}  // namespace
}  // namespace zelvora
