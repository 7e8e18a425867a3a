// Parsing font specifications and colours as the print engine uses them.
#include <gtest/gtest.h>

#include "APP/SectionedConfigFile.h"
#include "report/Rptdflt.h"

namespace zelvora {
namespace {

TEST(RptdfltFontSpec, ParsesFaceSizeStyleAndColour) {
  struct Case {
    const char* spec;
    TFontSpec want;
  };
  const Case cases[] = {
      {"Arial,10,Regular,0", {"Arial", 10, false, false, false, {0}}},
      {"Times New Roman,11,Bold Italic,0", {"Times New Roman", 11, true, true, false, {0}}},
      {"Arial, 16, Bold Underline, 255", {"Arial", 16, true, false, true, {255}}},
      {"Arial,8,boldITALICunderline,clNavy", {"Arial", 8, true, true, true, {0x800000}}},
      {"Arial,9,Italic,Red", {"Arial", 9, false, true, false, {0x0000FF}}},
      {"Arial,9,,$00FF00", {"Arial", 9, false, false, false, {0x00FF00}}},
      {"Arial,9,Regular,0xff0000", {"Arial", 9, false, false, false, {0xFF0000}}},
      {"Courier,12", {"Courier", 12, false, false, false, {0}}},
      {"Courier,+12,Bold", {"Courier", 12, true, false, false, {0}}},
  };
  for (const auto& c : cases) EXPECT_EQ(TFontSpec::Parse(c.spec), c.want) << c.spec;
}

TEST(RptdfltFontSpec, UnreadableFieldsGiveTheConversionMessage) {
  struct Case {
    const char* spec;
    const char* message;
  };
  const Case cases[] = {
      {"Arial,abc,Bold,0", "'abc' is not a valid integer value"},
      {"Arial", "'' is not a valid integer value"},
      {"Arial,,Bold,0", "'' is not a valid integer value"},
      {"Arial,-3,Bold,0", "'-3' is not a valid integer value"},
      {"Arial,10.5,Bold,0", "'10.5' is not a valid integer value"},
      {"Arial,0,Bold,0", "'0' is not a valid font size"},
      {"Arial,5000,Bold,0", "'5000' is not a valid font size"},
      {"Arial,10,Bold,blurple", "'blurple' is not a valid integer value"},
      {"Arial,10,Bold,12abc", "'12abc' is not a valid integer value"},
      {"Arial,10,Bold,0,extra", "'0,extra' is not a valid integer value"},
      {"Arial,10,Bold,16777216", "'16777216' is not a valid colour"},
      {",10,Bold,0", "',10,Bold,0' is not a valid font specification"},
  };
  for (const auto& c : cases) {
    try {
      TFontSpec::Parse(c.spec);
      ADD_FAILURE() << c.spec << " was accepted";
    } catch (const EFontSpecError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.spec;
    }
  }
}

TEST(RptdfltFontSpec, FontsAreBlackUnlessTheOutputIsInColour) {
  const TFontSpec heading = TFontSpec::Parse("Arial, 16, Bold Underline, 255");
  EXPECT_EQ(heading.ColorFor(true).Red(), 255);
  EXPECT_EQ(heading.ColorFor(true).Blue(), 0);
  EXPECT_EQ(heading.ColorFor(false), TColorRef{0});
}

TEST(RptdfltFontSpec, TheFontTableEndsAtTheFirstEmptySpecification) {
  TReportConfig config;
  EXPECT_EQ(config.FontTable().size(), 20u);
  EXPECT_EQ(config.FontTable()[1].face, "Times New Roman");
  EXPECT_EQ(config.FontTable()[17].size_pt, 6);
  config.SetFontSpec(5, "");
  config.SetFontSpec(7, "Arial,x,Bold,0");  // beyond the end: never parsed
  EXPECT_EQ(config.FontTable().size(), 5u);
  config.SetFontSpec(5, "Arial,12,Regular,0");
  EXPECT_THROW(config.FontTable(), EFontSpecError);
}

TEST(RptdfltFontSpec, SettingsFileFontsReachTheTable) {
  auto file = TSectionedConfigFile::FromText(
      "[REPORT OPTIONS]\nFONT6=Arial, 16, Bold Underline, 255\nUseColor=1\n");
  TReportConfig config(file);
  const auto table = config.FontTable();
  ASSERT_EQ(table.size(), 20u);
  EXPECT_EQ(table[6], (TFontSpec{"Arial", 16, true, false, true, {255}}));
  EXPECT_EQ(table[6].ColorFor(config.UseColor()).Red(), 255);
}

TEST(RptdfltColours, LoadedValuesFollowTheColourOptionAndFallBack) {
  TReportConfig config;
  EXPECT_EQ(config.ShadeColorValue().value, 13158600u);
  config.SetBoxColor("255");
  EXPECT_EQ(config.BoxColorValue().value, 0u);  // not in colour: black
  config.SetUseColor(true);
  EXPECT_EQ(config.BoxColorValue().value, 255u);
  config.SetBoxColor("red");
  EXPECT_EQ(config.BoxColorValue().value, 0u);
  config.SetShadeColor("grey");
  EXPECT_EQ(config.ShadeColorValue().value, TReportConfig::kShadeColorFallback);
  config.SetShadeColor("-5");
  EXPECT_EQ(config.ShadeColorValue().value, TReportConfig::kShadeColorFallback);
  config.SetShadeColor(" 255 ");
  EXPECT_EQ(config.ShadeColorValue().value, 255u);
  config.SetShadeColor("16777216");
  EXPECT_EQ(config.ShadeColorValue().value, TReportConfig::kShadeColorFallback);
  config.SetShadeColor("123456789012");  // cut to ten characters
  EXPECT_EQ(config.ShadeColor(), "1234567890");
}

}  // namespace
}  // namespace zelvora
