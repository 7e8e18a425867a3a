// Reading and writing back the report configuration: defaults, reading
// order, the write-back mark, the cuts, and the complete section written for
// a file that had none.
#include <gtest/gtest.h>

#include <string>

#include "APP/SectionedConfigFile.h"
#include "report/Rptdflt.h"

namespace zelvora {
namespace {

std::string Fonts(int except = -1) {
  std::string text = "[REPORT OPTIONS]\n";
  for (int i = 0; i < TReportConfig::kFontCount; ++i)
    if (i != except)
      text += "FONT" + std::to_string(i) + "=" + TReportConfig::DefaultFontSpec(i) + "\n";
  return text;
}

TEST(RptdfltRead, AFileWithoutReportKeysGivesTheDefaultsAndIsWrittenInFull) {
  auto file = TSectionedConfigFile::FromText("[SETTINGS]\nSurveyState=3\n");
  {
    TReportConfig config(file);
    EXPECT_TRUE(config.WriteBackNeeded());
    EXPECT_EQ(config.FontSpec(0), "Arial,10,Regular,0");
    EXPECT_EQ(config.FontSpec(8), "Arial,10,Bold Italic,0");
    EXPECT_EQ(config.FontSpec(19), "Arial,8,Bold,0");
    EXPECT_EQ(config.FontSpec(20), "");
    EXPECT_EQ(config.FontSpec(-1), "");
    EXPECT_EQ(config.BoxColor(), "0");
    EXPECT_EQ(config.ShadeColor(), "13158600");
    EXPECT_TRUE(config.HeaderFooterBar());
    EXPECT_TRUE(config.GraphOver());
    EXPECT_FALSE(config.GraphUnder());
    EXPECT_FALSE(config.UseColor());
    EXPECT_TRUE(config.UseReportTextDefaults());
    EXPECT_EQ(config.Text(TReportText::TitleHeaderBar), "360 FEEDBACK");
    EXPECT_EQ(config.Text(TReportText::TitleInstrument), "");
    EXPECT_EQ(config.Text(TReportText::OverviewNeedsTag), "POSSIBLE DEVELOPMENTAL NEEDS /");
    EXPECT_EQ(config.Text(TReportText::CoachingGapSizeTag), "Avg Gap Size");
    EXPECT_EQ(config.Text(TReportText::SurveyShouldTag), "EXPECTATIONS");
  }  // the end of the run writes the configuration back
  const auto section = file.ReadSection("REPORT OPTIONS");
  ASSERT_EQ(section.size(), 27u);
  EXPECT_EQ(section[0], "FONT0=Arial,10,Regular,0");
  EXPECT_EQ(section[1], "FONT1=Times New Roman,14,Bold,0");
  EXPECT_EQ(section[19], "FONT19=Arial,8,Bold,0");
  EXPECT_EQ((std::vector<std::string>(section.begin() + 20, section.end())),
            (std::vector<std::string>{"BOXCOLOR=0", "SHADECOLOR=13158600", "HEADERFOOTERBAR=1",
                                      "GRAPHOVER=1", "GRAPHUNDER=0", "UseColor=0",
                                      "UseReportTextDefaults=1"}));
  EXPECT_EQ(file.ReadString("SUMMARY REPORT", "RESPONSETAG", ""), "RESPONSES FROM");
  EXPECT_EQ(file.ReadString("SURVEYS", "SURVDOESTAG", ""), "PERFORMANCE");
  EXPECT_EQ(file.ReadInteger("SETTINGS", "SurveyState", 0), 3);

  // Read again, nothing is missing: no write-back and the file stays as it is.
  const std::string written = file.Text();
  TReportConfig again(file);
  EXPECT_FALSE(again.WriteBackNeeded());
  again.Close();
  EXPECT_EQ(file.Text(), written);
}

TEST(RptdfltRead, OneMissingOrEmptyFontKeyMarksTheWriteBack) {
  auto complete = TSectionedConfigFile::FromText(Fonts());
  EXPECT_FALSE(TReportConfig(complete).WriteBackNeeded());
  auto missing = TSectionedConfigFile::FromText(Fonts(7));
  EXPECT_TRUE(TReportConfig(missing).WriteBackNeeded());
  auto empty = TSectionedConfigFile::FromText(Fonts() + "FONT3=\n");
  // FONT3 is present earlier in the section: the first line counts.
  EXPECT_FALSE(TReportConfig(empty).WriteBackNeeded());
  auto blank = TSectionedConfigFile::FromText(Fonts(3) + "FONT3=  \n");
  TReportConfig blank_config(blank);
  EXPECT_TRUE(blank_config.WriteBackNeeded());
  EXPECT_EQ(blank_config.FontSpec(3), "Arial,18,Bold,0");
}

TEST(RptdfltRead, TextDefaultsOffLeavesOnlyTheTextsInTheFile) {
  auto file = TSectionedConfigFile::FromText(
      Fonts() + "UseReportTextDefaults=0\n[SURVEYS]\nSURVDOESTAG=NOW\n");
  TReportConfig config(file);
  EXPECT_FALSE(config.UseReportTextDefaults());
  for (int i = 0; i < TReportConfig::kTextCount; ++i) {
    const auto slot = static_cast<TReportText>(i);
    if (slot == TReportText::SurveyDoesTag)
      EXPECT_EQ(config.Text(slot), "NOW");
    else
      EXPECT_EQ(config.Text(slot), "")
          << TReportConfig::TextInfo(slot).section << "/" << TReportConfig::TextInfo(slot).key;
  }
}

TEST(RptdfltRead, OptionsTakeOnlyZeroOrOneAndColoursAreCut) {
  auto file = TSectionedConfigFile::FromText(
      Fonts() +
      "GRAPHOVER=yes\nGRAPHUNDER=1\nHEADERFOOTERBAR=0\nUseColor=1\nBOXCOLOR=255\n"
      "SHADECOLOR=123456789012345\n");
  TReportConfig config(file);
  EXPECT_TRUE(config.GraphOver());
  EXPECT_TRUE(config.GraphUnder());
  EXPECT_FALSE(config.HeaderFooterBar());
  EXPECT_TRUE(config.UseColor());
  EXPECT_EQ(config.BoxColor(), "255");
  EXPECT_EQ(config.ShadeColor(), "1234567890");
}

TEST(RptdfltRead, LongTextsAreCutTo63Characters) {
  const std::string seventy(70, 'H');
  // Accented letters count once, as in the file's code page.
  std::string accented;
  for (int i = 0; i < 70; ++i) accented += "\xC3\xA9";
  auto file = TSectionedConfigFile::FromText(Fonts() + "[TITLE PAGE]\nHEADERBAR=" + seventy +
                                             "\nINSTRUMENT=" + accented + "\n");
  TReportConfig config(file);
  EXPECT_EQ(config.Text(TReportText::TitleHeaderBar), std::string(63, 'H'));
  EXPECT_EQ(config.Text(TReportText::TitleInstrument).size(), 126u);
  config.SetText(TReportText::SummaryHeaderBar, seventy);
  EXPECT_EQ(config.Text(TReportText::SummaryHeaderBar).size(), 63u);
}

TEST(RptdfltRead, WriteRebuildsTheOptionsSectionAndKeepsForeignLines) {
  auto file = TSectionedConfigFile::FromText(
      "[REPORT OPTIONS]\n; my fonts\nFONT6=Arial,16,Bold Underline,255\nfont2=Courier,9,Bold,0\n"
      "EXTRA=kept\nBOXCOLOR=12\n\n[TITLE PAGE]\nINSTRUMENT=NONE\n");
  TReportConfig config(file);
  ASSERT_TRUE(config.WriteBackNeeded());
  config.SetGraphUnder(true);
  config.SetText(TReportText::CategoryHeaderBar, "");
  config.Close();
  EXPECT_FALSE(config.WriteBackNeeded());
  const auto section = file.ReadSection("REPORT OPTIONS");
  ASSERT_EQ(section.size(), 29u);
  EXPECT_EQ(section[2], "FONT2=Courier,9,Bold,0");
  EXPECT_EQ(section[6], "FONT6=Arial,16,Bold Underline,255");
  EXPECT_EQ(section[20], "BOXCOLOR=12");
  EXPECT_EQ(section[24], "GRAPHUNDER=1");
  EXPECT_EQ(section[27], "; my fonts");
  EXPECT_EQ(section[28], "EXTRA=kept");
  EXPECT_EQ(file.ReadString("TITLE PAGE", "INSTRUMENT", ""), "NONE");
  // An empty text has no line: reading it gives the default again.
  EXPECT_EQ(file.ReadString("CATEGORY REPORT", "HEADERBAR", "none"), "none");
  // The blank line between the two sections stays.
  EXPECT_NE(file.Text().find("EXTRA=kept\r\n\r\n[TITLE PAGE]"), std::string::npos);
}

TEST(RptdfltRead, WithoutAFileNothingIsWritten) {
  TReportConfig config;
  EXPECT_FALSE(config.WriteBackNeeded());
  config.SetFontSpec(4, "Arial,\n20,Bold,0");
  EXPECT_EQ(config.FontSpec(4), "Arial, 20,Bold,0");  // one line, always
  config.SetFontSpec(25, "ignored");
  config.Close();
  auto file = TSectionedConfigFile::FromText("");
  config.Write(file);
  EXPECT_EQ(file.ReadString("REPORT OPTIONS", "FONT4", ""), "Arial, 20,Bold,0");
}

}  // namespace
}  // namespace zelvora
