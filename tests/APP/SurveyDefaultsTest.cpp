// The window and list settings of section SETTINGS, and the memory of deleted
// rater categories.
#include <gtest/gtest.h>

#include <stdexcept>

#include "APP/CONFIGU.h"
#include "APP/DeletedCategories.h"
#include "APP/SectionedConfigFile.h"
#include "APP/SurveyDefaults.h"
#include "TempFolder.h"

namespace zelvora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(SurveyDefaults, ReadsEachKeyWithItsDefault) {
  auto file = TSectionedConfigFile::FromText(
      "[SETTINGS]\nMainFormWidth=abc\nmainformtop=10\nDelTempBackupFiles=yes\n"
      "ConCenHeight=500\nSurveyState=\n");
  TSurveyDefaults d(file);
  EXPECT_EQ(d.MainFormWidth, 600);
  EXPECT_EQ(d.MainFormTop, 10);
  EXPECT_TRUE(d.DelTempBackupFiles);
  EXPECT_EQ(d.ConCenHeight, 500);
  EXPECT_EQ(d.SurveyState, 3);
  EXPECT_EQ(d.ControlCenterState, 1);
  EXPECT_EQ(d.ConCenWidth, 591);
  EXPECT_EQ(d.MainFormHeight, 475);
  EXPECT_EQ(d.ExperienceWidth, 181);

  auto zero = TSectionedConfigFile::FromText("[SETTINGS]\nDelTempBackupFiles=0\n");
  TSurveyDefaults off(zero);
  EXPECT_FALSE(off.DelTempBackupFiles);
}

TEST(SurveyDefaults, WritesEveryKeyBackAtTheEnd) {
  auto file = TSectionedConfigFile::FromText("[SETTINGS]\nmainformtop=10\n");
  {
    TSurveyDefaults d(file);
    d.MainFormLeft = -4;
    d.SubjectWidth = 200;
    d.DelTempBackupFiles = false;
  }
  EXPECT_EQ(file.ReadInteger("SETTINGS", "MainFormTop", 0), 10);
  EXPECT_EQ(file.ReadInteger("SETTINGS", "MainFormLeft", 0), -4);
  EXPECT_EQ(file.ReadInteger("SETTINGS", "SubjectWidth", 0), 200);
  EXPECT_FALSE(file.ReadBool("SETTINGS", "DelTempBackupFiles", true));
  const auto lines = file.ReadSection("SETTINGS");
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines.front(), "mainformtop=10");  // the existing line is left as written
  EXPECT_EQ(lines.back(), "DelTempBackupFiles=0");
  TSurveyDefaults unbound;  // no file: nothing to write, nothing fails
  unbound.Store();
}

TEST(SurveyDefaults, PlacementsUseEdgesAndRefuseDamagedValues) {
  auto file = TSectionedConfigFile::FromText(
      "[SETTINGS]\nSurveyState=1\nMainFormLeft=10\nMainFormTop=20\nMainFormWidth=810\n"
      "MainFormHeight=620\nControlCenterState=7\nConCenLeft=500\nConCenWidth=400\n");
  TSurveyDefaults d(file);
  // Width and Height hold the right and bottom edges.
  EXPECT_EQ(d.MainFormPlacement(), (TWindowPlacement{1, 10, 20, 810, 620}));
  // State 7 and a rectangle whose right edge lies left of its left edge fall
  // back to the defaults.
  EXPECT_EQ(d.ControlCenterPlacement(), (TWindowPlacement{1, 0, 0, 591, 427}));
  d.SetControlCenterPlacement({2, 5, 6, 305, 206});
  EXPECT_EQ(d.ConCenWidth, 305);
  EXPECT_EQ(d.ConCenHeight, 206);
  EXPECT_EQ(d.ControlCenterPlacement(), (TWindowPlacement{2, 5, 6, 305, 206}));
  d.SetMainFormPlacement({3, 0, 0, 0, 0});
  EXPECT_EQ(d.MainFormPlacement(), (TWindowPlacement{3, 0, 0, 600, 475}));
  d.Store();
  EXPECT_EQ(file.ReadInteger("SETTINGS", "ConCenLeft", 0), 5);
  EXPECT_EQ(file.ReadInteger("SETTINGS", "SurveyState", 0), 3);
}

TEST(SurveyDefaults, AnUnknownSectionSurvivesARun) {
  TempFolder temp;
  const std::string text = "[My Notes]\r\nanything goes here\r\nkey=value\r\n";
  WriteBytes(temp.File("Korrin2.INI"), text);
  {
    TConfig config(temp.path().string());
    TSurveyDefaults d(config.Settings());
    d.SurveyState = 1;
    d.Store();
    config.Close();
  }
  const std::string after = ReadBytes(temp.File("Korrin2.INI"));
  EXPECT_EQ(after.rfind(text, 0), 0u) << after;
  EXPECT_NE(after.find("[SETTINGS]\r\nSurveyState=1\r\n"), std::string::npos);
}

TEST(DeletedCategories, RoundTripAndTakeBackByName) {
  auto file = TSectionedConfigFile::FromText("[SETTINGS]\nSurveyState=3\n");
  const std::string key = "0000000A000000FF";
  TDeletedCategories::Write(file, key, {{3, "Peer"}, {5, " Team "}});
  EXPECT_EQ(file.ReadSection(key), (std::vector<std::string>{"3=Peer", "5=Team"}));
  auto remembered = TDeletedCategories::Read(file, key);
  ASSERT_EQ(remembered.size(), 2u);
  const auto peer = TDeletedCategories::Take(remembered, " peer");
  ASSERT_TRUE(peer.has_value());
  EXPECT_EQ(peer->number, 3);
  EXPECT_EQ(peer->name, "Peer");
  EXPECT_FALSE(TDeletedCategories::Take(remembered, "Boss").has_value());
  TDeletedCategories::Write(file, key, remembered);
  EXPECT_EQ(TDeletedCategories::Read(file, key), (std::vector<TDeletedCategory>{{5, "Team"}}));
  TDeletedCategories::Write(file, key, {});
  EXPECT_FALSE(file.SectionExists(key));
  EXPECT_EQ(file.ReadInteger("SETTINGS", "SurveyState", 0), 3);
}

TEST(DeletedCategories, SkipsDamagedLinesAndRefusesBadKeys) {
  auto file = TSectionedConfigFile::FromText(
      "[00000001000000A2]\n7=Clients\nx=Bad\n-1=Negative\n4=\nno equals\n 6 = Staff \n"
      "99999999999=Huge\n");
  EXPECT_EQ(TDeletedCategories::Read(file, "00000001000000A2"),
            (std::vector<TDeletedCategory>{{7, "Clients"}, {6, "Staff"}}));
  EXPECT_TRUE(TDeletedCategories::Read(file, "00000001000000A3").empty());
  EXPECT_THROW(TDeletedCategories::Read(file, "00000001000000a2"), std::invalid_argument);
  EXPECT_THROW(TDeletedCategories::Read(file, "SETTINGS"), std::invalid_argument);
  EXPECT_THROW(TDeletedCategories::Write(file, "0000000100000002]", {}), std::invalid_argument);
  EXPECT_THROW(TDeletedCategories::Write(file, "0000000100000002", {{-2, "x"}}),
               std::invalid_argument);
  // A name with a line break stays one entry.
  TDeletedCategories::Write(file, "0000000100000002", {{2, "Two\nLines"}});
  EXPECT_EQ(TDeletedCategories::Read(file, "0000000100000002"),
            (std::vector<TDeletedCategory>{{2, "Two Lines"}}));
}

}  // namespace
}  // namespace zelvora
