// The program's start-up in its order, its failures, and the shutdown, over a
// recording frame window and a scripted user.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "APP/TempFolder.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/MainFormModel.h"
#include "UI/model/MainWindowHost.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Log = std::vector<std::string>;

// Records what the start-up asks of the frame into the user's log, so the
// two kinds of steps are seen in one order.
class TFakeHost : public TMainWindowHost {
 public:
  explicit TFakeHost(Log& log) : log_(log) {}
  bool LockInstance(const std::string& lock_path) override {
    log_.push_back("lock " + fs::path(lock_path).filename().string());
    Locked = LockFree;
    return LockFree;
  }
  void UnlockInstance() override {
    log_.push_back("unlock");
    Locked = false;
  }
  void ApplyPlacement(const TWindowPlacement& p) override {
    log_.push_back("placement " + std::to_string(p.show_state) + " " + std::to_string(p.left) +
                   "," + std::to_string(p.top) + "," + std::to_string(p.right) + "," +
                   std::to_string(p.bottom));
  }
  TWindowPlacement CurrentPlacement() const override { return Current; }
  void CreateControlCenter(const std::string& first_argument) override {
    log_.push_back("control center " + first_argument);
  }
  void ReloadControlCenter() override { log_.push_back("reload"); }

  bool LockFree = true;
  bool Locked = false;
  TWindowPlacement Current{1, 10, 20, 610, 420};

 private:
  Log& log_;
};

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() : host_(ui_.Log) {
    options_.data_dir = folder_.path().string();
    options_.first_argument = "WORD";
    options_.version = "9.9";
    options_.libraries = {{"Toolkit", "1.2"}};
    options_.language_table_path = std::string(ZELVORA_SOURCE_DIR) + "/dist/LocU.ini";
    options_.password_cost = TPasswordCost::Fastest();
  }
  std::string File(const std::string& name) const { return folder_.File(name); }
  void SetStartPassword(const std::string& password) {
    TPasswordStore store(File(TPasswordStore::kFileName), TPasswordCost::Fastest());
    store.Load();
    store.Set(TPasswordItem::Start, password);
  }

  TempFolder folder_;
  TFakeUserInterface ui_ = [] {
    TFakeUserInterface ui;
    ui.LogBusy = true;
    return ui;
  }();
  TFakeHost host_;
  TStartOptions options_;
};

TEST_F(StartupTest, RunsEveryStepInOrderIntoTheControlCenter) {
  TMainFormModel model(host_, ui_, options_);
  ASSERT_TRUE(model.Start());
  EXPECT_EQ(ui_.Log,
            (Log{"lock zelvora360.LOK", "busy", "flash: Initializing Database", "flash hidden",
                 "not busy", "about", "placement 3 0,0,600,475", "control center WORD"}));
  EXPECT_TRUE(model.ControlCenterCreated());
  EXPECT_TRUE(model.Database().IsOpen());
  EXPECT_TRUE(fs::exists(File("ct360b.DAT")));
  EXPECT_EQ(model.LanguageTable().Text("Report", 4), "Page %d of %d");
}

TEST_F(StartupTest, TheAboutBoxTellsTheFolderTheCountsAndTheLibraries) {
  TMainFormModel model(host_, ui_, options_);
  ASSERT_TRUE(model.Start());
  EXPECT_EQ(ui_.About.Product, "Zelvora 360\u00B0 Feedback");
  EXPECT_EQ(ui_.About.Version, "9.9");
  EXPECT_EQ(fs::path(ui_.About.DataFolder), fs::path(folder_.path().string() + "/"));
  EXPECT_EQ(ui_.About.Companies, 0);
  ASSERT_EQ(ui_.About.Libraries.size(), 2u);
  EXPECT_EQ(ui_.About.Libraries[0].first, "Toolkit");
  EXPECT_EQ(ui_.About.Libraries[1].first, "libsodium");
}

TEST_F(StartupTest, ASecondCopyStopsAtTheLockFileWithTheMessageAndWritesNothing) {
  host_.LockFree = false;
  TMainFormModel model(host_, ui_, options_);
  EXPECT_FALSE(model.Start());
  EXPECT_EQ(ui_.Log, (Log{"lock zelvora360.LOK",
                          "error: Sharing Violation: Only ONE copy may be run at a time."}));
  EXPECT_FALSE(fs::exists(File("ct360b.DAT")));
  EXPECT_FALSE(fs::exists(File("Korrin2.INI")));
}

TEST_F(StartupTest, AMissingLanguageTableEndsTheStart) {
  options_.language_table_path = File("nowhere/LocU.ini");
  TMainFormModel model(host_, ui_, options_);
  EXPECT_FALSE(model.Start());
  ASSERT_GE(ui_.Log.size(), 2u);
  EXPECT_EQ(ui_.Log[ui_.Log.size() - 2].rfind("error: Error initializing LocU: Cannot find", 0),
            0u);
  EXPECT_EQ(ui_.Log.back(), "unlock");
  EXPECT_EQ(ui_.Busy, 0);
  EXPECT_FALSE(fs::exists(File("ct360b.DAT")));
}

TEST_F(StartupTest, AFailingUpdatePackageIsShownAndTheStartGoesOn) {
  const std::string control = "[SURVEYS]\r\nmissing.pkg\r\n[EXPORTS]\r\n[IMPORTS]\r\n[REMOVE]\r\n";
  WriteBytes(File("Update2.INI"), control);
  TMainFormModel model(host_, ui_, options_);
  ASSERT_TRUE(model.Start());
  // The message comes after the flash message and the busy cursor are gone.
  const auto hidden = std::find(ui_.Log.begin(), ui_.Log.end(), "not busy");
  ASSERT_NE(hidden, ui_.Log.end());
  ASSERT_NE(hidden + 1, ui_.Log.end());
  EXPECT_EQ(hidden[1].rfind("error: ", 0), 0u);
  EXPECT_NE(hidden[1].find("missing.pkg"), std::string::npos);
  EXPECT_EQ(ui_.Log.back(), "control center WORD");
  // The package stays for the next start.
  EXPECT_NE(ReadBytes(File("Update2.INI")).find("missing.pkg"), std::string::npos);
}

TEST_F(StartupTest, TheDatabasesMessagesFollowTheFlashMessage) {
  {
    TMainFormModel first(host_, ui_, options_);
    ASSERT_TRUE(first.Start());
  }
  WriteBytes(File("ct360b.IX"), std::string(3000, '\x5a'));
  ui_.Log.clear();
  TMainFormModel model(host_, ui_, options_);
  ASSERT_TRUE(model.Start());
  const auto hidden = std::find(ui_.Log.begin(), ui_.Log.end(), "not busy");
  const auto told = std::find(ui_.Log.begin(), ui_.Log.end(), "info: ct360b reindexed");
  ASSERT_NE(told, ui_.Log.end());
  EXPECT_LT(hidden, told);
  EXPECT_LT(told, std::find(ui_.Log.begin(), ui_.Log.end(), "about"));
}

TEST_F(StartupTest, ARefusedStartPasswordEndsTheProgramWritingNoSettings) {
  SetStartPassword("open");
  TMainFormModel model(host_, ui_, options_);
  ui_.Passwords = {"wrong", std::nullopt};
  EXPECT_FALSE(model.Start());
  EXPECT_EQ(ui_.Log.back(), "unlock");
  EXPECT_EQ(std::count(ui_.Log.begin(), ui_.Log.end(), "password: Enter Start Password:"), 2);
  EXPECT_EQ(std::count(ui_.Log.begin(), ui_.Log.end(), "control center WORD"), 0);
  model.Shutdown();
  EXPECT_FALSE(fs::exists(File("Korrin2.INI")));
}

TEST_F(StartupTest, TheRightStartPasswordOpensTheControlCenter) {
  SetStartPassword("open");
  TMainFormModel model(host_, ui_, options_);
  ui_.Passwords = {"open"};
  ASSERT_TRUE(model.Start());
  const auto about = std::find(ui_.Log.begin(), ui_.Log.end(), "about");
  const auto asked = std::find(ui_.Log.begin(), ui_.Log.end(), "password: Enter Start Password:");
  EXPECT_LT(about, asked);
  EXPECT_EQ(ui_.Log.back(), "control center WORD");
}

TEST_F(StartupTest, ADamagedPasswordFileEndsTheStartInsteadOfOpeningIt) {
  WriteBytes(File(TPasswordStore::kFileName), "[Passwords]\r\n1=plain\r\n");
  TMainFormModel model(host_, ui_, options_);
  EXPECT_FALSE(model.Start());
  EXPECT_EQ(std::count(ui_.Log.begin(), ui_.Log.end(), "control center WORD"), 0);
  ASSERT_GE(ui_.Log.size(), 2u);
  EXPECT_EQ(ui_.Log[ui_.Log.size() - 2].rfind("error: The password file", 0), 0u);
}

TEST_F(StartupTest, ShutdownSavesThePlacementAndReleasesTheLock) {
  {
    TMainFormModel model(host_, ui_, options_);
    ASSERT_TRUE(model.Start());
    model.Shutdown();
    EXPECT_FALSE(host_.Locked);
  }
  const std::string settings = ReadBytes(File("Korrin2.INI"));
  EXPECT_NE(settings.find("SurveyState=1"), std::string::npos);
  EXPECT_NE(settings.find("MainFormLeft=10"), std::string::npos);
  EXPECT_NE(settings.find("MainFormHeight=420"), std::string::npos);

  ui_.Log.clear();
  TMainFormModel again(host_, ui_, options_);
  ASSERT_TRUE(again.Start());
  EXPECT_NE(std::find(ui_.Log.begin(), ui_.Log.end(), "placement 1 10,20,610,420"), ui_.Log.end());
}

TEST_F(StartupTest, ReindexShowsItsFlashMessageAndReloadsTheControlCenter) {
  TMainFormModel model(host_, ui_, options_);
  ASSERT_TRUE(model.Start());
  ui_.Log.clear();
  model.ReindexDatabase();
  EXPECT_EQ(ui_.Log,
            (Log{"busy", "flash: Reindexing Database", "reload", "flash hidden", "not busy"}));
}

TEST(FitInsideFrameTest, KeepsTheControlCenterInsideTheClientArea) {
  struct Row {
    const char* name;
    TFrameRect child;
    int client_width, client_height;
    TFrameRect expected;
  };
  const Row rows[] = {
      {"fits: unchanged", {10, 10, 300, 200}, 800, 600, {10, 10, 300, 200}},
      {"too high and wide: client less 4", {0, 0, 900, 700}, 800, 600, {0, 0, 796, 596}},
      {"too big and off: shrunk and put at 2", {100, 100, 900, 700}, 800, 600, {2, 2, 796, 596}},
      {"right edge beyond: moved left", {600, 10, 300, 200}, 800, 600, {496, 10, 300, 200}},
      {"bottom edge beyond: moved up", {10, 500, 300, 200}, 800, 600, {10, 396, 300, 200}},
      {"exactly at the edge counts", {500, 0, 300, 200}, 800, 600, {496, 0, 300, 200}},
      {"no room: left 2", {100, 100, 797, 200}, 800, 600, {2, 100, 797, 200}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(TMainFormModel::FitInsideFrame(row.child, row.client_width, row.client_height),
              row.expected);
  }
}

}  // namespace
}  // namespace zelvora
