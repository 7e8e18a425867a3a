// The preview model's page navigation: buttons, keys, mouse buttons, the
// page counter and the page buttons' states, and vertical scrolling by keys
// and the wheel, clamped to the range the window's layout gives.
#include <gtest/gtest.h>

#include "report/PreviewWorld.h"

namespace zelvora::testing {
namespace {

TEST(PreviewModelNavigationTest, OnePageReportDisablesBothPageButtons) {
  TPreviewWorld world({0});
  EXPECT_EQ(world.model.PageLabel(), "No Report");
  world.Generated();
  EXPECT_EQ(world.model.PageLabel(), "Page 1 of 1");
  EXPECT_FALSE(world.model.PrevEnabled());
  EXPECT_FALSE(world.model.NextEnabled());
  for (TPreviewKey key :
       {TPreviewKey::kEnd, TPreviewKey::kHome, TPreviewKey::kPageDown, TPreviewKey::kPageUp}) {
    world.model.KeyReleased(key, false);
    world.model.KeyReleased(key, true);
    EXPECT_EQ(world.model.FirstPage(), 0);
  }
  world.model.MouseReleased(TPreviewMouseButton::kRight);
  EXPECT_EQ(world.model.FirstPage(), 0);
}

TEST(PreviewModelNavigationTest, KeysButtonsAndMouseMoveBetweenPages) {
  TPreviewWorld world({0, 0, 0, 0});
  world.Generated();
  TPreviewModel& m = world.model;
  struct Step {
    const char* name;
    std::function<void()> act;
    int page;
  };
  const Step steps[] = {
      {"Page >>", [&] { m.NextPageClicked(); }, 1},
      {"Page Down", [&] { m.KeyReleased(TPreviewKey::kPageDown, false); }, 2},
      {"Left", [&] { m.KeyReleased(TPreviewKey::kLeft, false); }, 1},
      {"Ctrl+Page Down", [&] { m.KeyReleased(TPreviewKey::kPageDown, true); }, 3},
      {"Page Down on the last page", [&] { m.KeyReleased(TPreviewKey::kPageDown, false); }, 3},
      {"Right on the last page", [&] { m.KeyReleased(TPreviewKey::kRight, false); }, 3},
      {"Page >> on the last page", [&] { m.NextPageClicked(); }, 3},
      {"right button on the last page", [&] { m.MouseReleased(TPreviewMouseButton::kRight); }, 3},
      {"left button", [&] { m.MouseReleased(TPreviewMouseButton::kLeft); }, 2},
      {"right button", [&] { m.MouseReleased(TPreviewMouseButton::kRight); }, 3},
      {"Ctrl+Left", [&] { m.KeyReleased(TPreviewKey::kLeft, true); }, 0},
      {"Page Up on the first page", [&] { m.KeyReleased(TPreviewKey::kPageUp, false); }, 0},
      {"left button on the first page", [&] { m.MouseReleased(TPreviewMouseButton::kLeft); }, 0},
      {"<< Page on the first page", [&] { m.PrevPageClicked(); }, 0},
      {"End", [&] { m.KeyReleased(TPreviewKey::kEnd, false); }, 3},
      {"<< Page", [&] { m.PrevPageClicked(); }, 2},
      {"Ctrl+Right", [&] { m.KeyReleased(TPreviewKey::kRight, true); }, 3},
      {"Ctrl+Page Up", [&] { m.KeyReleased(TPreviewKey::kPageUp, true); }, 0},
      {"Right", [&] { m.KeyReleased(TPreviewKey::kRight, false); }, 1},
      {"Home", [&] { m.KeyReleased(TPreviewKey::kHome, false); }, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    EXPECT_EQ(m.FirstPage(), step.page);
    EXPECT_EQ(m.PageLabel(), "Page " + std::to_string(step.page + 1) + " of 4");
    EXPECT_EQ(m.PrevEnabled(), step.page > 0);
    EXPECT_EQ(m.NextEnabled(), step.page < 3);
  }
}

TEST(PreviewModelNavigationTest, NoPageMovesBeforeTheFirstGeneration) {
  TPreviewWorld world({0, 0});
  world.model.KeyReleased(TPreviewKey::kEnd, false);
  world.model.NextPageClicked();
  world.model.ShowPage(1);
  EXPECT_EQ(world.model.FirstPage(), 0);
  EXPECT_EQ(world.model.PageLabel(), "No Report");
  EXPECT_FALSE(world.model.NextEnabled());
}

TEST(PreviewModelNavigationTest, UpDownAndWheelScrollByATenthClamped) {
  TPreviewWorld world({0, 0});
  world.Generated();
  TPreviewModel& m = world.model;
  m.SetScrollRange(1000);
  struct Step {
    const char* name;
    std::function<void()> act;
    int position;
  };
  const Step steps[] = {
      {"Up at the top", [&] { m.KeyReleased(TPreviewKey::kUp, false); }, 0},
      {"Down", [&] { m.KeyReleased(TPreviewKey::kDown, false); }, 100},
      {"wheel down", [&] { m.Wheel(true); }, 200},
      {"the bar dragged", [&] { m.SetScrollPosition(950); }, 950},
      {"Down near the end", [&] { m.KeyReleased(TPreviewKey::kDown, false); }, 1000},
      {"wheel down at the end", [&] { m.Wheel(true); }, 1000},
      {"wheel up", [&] { m.Wheel(false); }, 900},
      {"Ctrl+Up", [&] { m.KeyReleased(TPreviewKey::kUp, true); }, 0},
      {"Ctrl+Down", [&] { m.KeyReleased(TPreviewKey::kDown, true); }, 1000},
      {"the range shrinks", [&] { m.SetScrollRange(500); }, 500},
      {"Up", [&] { m.KeyReleased(TPreviewKey::kUp, false); }, 450},
      {"the bar dragged past the end", [&] { m.SetScrollPosition(9999); }, 500},
      {"a new page scrolls to the top", [&] { m.NextPageClicked(); }, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    EXPECT_EQ(m.ScrollPosition(), step.position);
  }
}

TEST(PreviewModelNavigationTest, ScrollingWithoutARangeStaysAtTheTop) {
  TPreviewWorld world({0});
  world.Generated();
  world.model.KeyReleased(TPreviewKey::kDown, false);
  world.model.Wheel(true);
  world.model.KeyReleased(TPreviewKey::kDown, true);
  EXPECT_EQ(world.model.ScrollPosition(), 0);
}

}  // namespace
}  // namespace zelvora::testing
