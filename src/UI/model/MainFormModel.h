// TMainFormModel: the program's start-up, its main-menu actions and its
// orderly shutdown, over the frame window (TMainWindowHost) and the user
// (TUserInterface).
//
// Start() brings the program up in this order, each step only when the one
// before succeeded:
//   1. the data folder and its instance-lock file "zelvora360.LOK" (held by
//      another copy: "Sharing Violation: Only ONE copy may be run at a
//      time.");
//   2. under the busy cursor: the configuration and settings file, the
//      caption language table ("Error initializing LocU: " and the reason),
//      then under the flash message "Initializing Database" the survey
//      database (rebuilding what needs it) and the update packages;
//   3. what the database and the packages had to say, each in a message;
//   4. the About box;
//   5. the Start password (a refusal ends the start);
//   6. the window placement from the settings, then the Control Center.
//
// Callers may rely on:
//  - a failing update package shows its message and the start goes on (its
//    section stays in "Update2.INI" for the next start);
//  - every other failure shows its message, releases what was taken and
//    makes Start() return false: the program then ends;
//  - a start that ends before step 6 writes no settings;
//  - Shutdown() (also run by the destructor) saves the window placement
//    when the Control Center was created, closes the database, writes the
//    settings file and releases the lock; it may be called more than once.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "APP/CONFIGU.h"
#include "APP/LanguageTable.h"
#include "APP/SurveyDefaults.h"
#include "DB/SURVDB.h"
#include "UI/model/AboutInfo.h"
#include "UI/model/PasswordChecks.h"
#include "UI/model/PasswordDialog.h"
#include "UI/model/PasswordStore.h"

namespace zelvora {

class TMainWindowHost;
class TUserInterface;

struct TStartOptions {
  std::optional<std::string> data_dir;  // --data DIR
  std::string first_argument;           // handed to the Control Center
  std::string version;                  // the program's version
  // The libraries the program runs on besides the password library.
  std::vector<std::pair<std::string, std::string>> libraries;
  // The caption language table; empty: the one shipped with the program.
  std::string language_table_path;
  TPasswordCost password_cost = TPasswordCost::Interactive();
};

// A window's rectangle in its parent's client area.
struct TFrameRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TFrameRect&) const = default;
};

class TMainFormModel {
 public:
  static constexpr const char* kCaption = "Zelvora 360\u00B0 Feedback";
  static constexpr const char* kProduct = "Zelvora 360\u00B0 Feedback";
  static constexpr const char* kLockFileName = "zelvora360.LOK";
  static constexpr const char* kSharingViolation =
      "Sharing Violation: Only ONE copy may be run at a time.";
  static constexpr const char* kLanguageTableError = "Error initializing LocU: ";
  static constexpr const char* kInitializing = "Initializing Database";
  static constexpr const char* kReindexing = "Reindexing Database";
  static constexpr const char* kReindexIncomplete = "Some records could not be keyed again.";

  TMainFormModel(TMainWindowHost& host, TUserInterface& ui, TStartOptions options);
  ~TMainFormModel();
  TMainFormModel(const TMainFormModel&) = delete;
  TMainFormModel& operator=(const TMainFormModel&) = delete;

  bool Start();
  void Shutdown();

  // Menu Help, About.
  void ShowAbout();
  // Menu Utilities, Reindex Database.
  void ReindexDatabase();
  // What the About box shows now.
  TAboutInfo AboutInfo();

  bool ControlCenterCreated() const { return control_center_created_; }
  // Valid after a successful Start().
  TConfig& Config() { return *config_; }
  TSurveyDB& Database() { return *db_; }
  const TLanguageTable& LanguageTable() const { return language_table_; }
  TPasswordChecks& PasswordChecks() { return *checks_; }
  TPasswordDialog& PasswordDialog() { return *password_dialog_; }
  TSurveyDefaults& Defaults() { return *defaults_; }

  // Keeps the Control Center inside the frame's client area when the frame
  // is resized: a window as high (wide) as the client area or more is made
  // 4 pixels smaller than it, and one reaching the client's right (bottom)
  // edge moves left (up) to 4 pixels inside it, but never further than 2.
  static TFrameRect FitInsideFrame(TFrameRect child, int client_width, int client_height);

 private:
  // Releases what a failed start took, writing nothing.
  void Abandon();

  TMainWindowHost& host_;
  TUserInterface& ui_;
  TStartOptions options_;
  bool locked_ = false;
  std::unique_ptr<TConfig> config_;
  TLanguageTable language_table_;
  std::unique_ptr<TSurveyDB> db_;
  std::unique_ptr<TPasswordStore> passwords_;
  std::unique_ptr<TPasswordChecks> checks_;
  std::unique_ptr<TPasswordDialog> password_dialog_;
  std::unique_ptr<TSurveyDefaults> defaults_;
  bool control_center_created_ = false;
};

}  // namespace zelvora
