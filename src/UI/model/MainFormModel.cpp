#include "UI/model/MainFormModel.h"

#include <exception>

#include "APP/ShippedFiles.h"
#include "APP/UpdStartup.h"
#include "UI/model/MainWindowHost.h"
#include "UI/model/UserInterface.h"

namespace zelvora {

TMainFormModel::TMainFormModel(TMainWindowHost& host, TUserInterface& ui, TStartOptions options)
    : host_(host), ui_(ui), options_(std::move(options)) {}

TMainFormModel::~TMainFormModel() {
  try {
    Shutdown();
  } catch (...) {
    // Shutdown reports its own failures; nothing may escape a destructor.
  }
}

bool TMainFormModel::Start() {
  // What the database and the update packages have to say is shown once the
  // flash message and the busy cursor are gone, in the order it was said.
  std::vector<std::string> notices;
  const auto say = [&notices](const std::string& message) { notices.push_back(message); };
  const auto tell = [this, &notices] {
    for (const std::string& notice : notices) ui_.Inform(notice);
    notices.clear();
  };
  try {
    const std::string folder = TConfig::DataFolder(options_.data_dir);
    if (!host_.LockInstance(folder + kLockFileName)) {
      ui_.ShowError(kSharingViolation);
      return false;
    }
    locked_ = true;

    std::optional<std::string> update_failure;
    try {
      TBusyCursor busy(ui_);
      config_ = std::make_unique<TConfig>(folder);
      const std::string table_path = options_.language_table_path.empty()
                                         ? FindShippedFile(TLanguageTable::kFileName)
                                         : options_.language_table_path;
      try {
        language_table_.Load(table_path);
      } catch (const std::exception& e) {
        throw std::runtime_error(kLanguageTableError + std::string(e.what()));
      }
      // Opening may rebuild indexes, which takes a while on a large
      // database; the message is up for that as for the packages.
      TFlashMessage flash(ui_, kInitializing);
      db_ = OpenSurveyDatabase(config_->ProgramDir(), say);
      try {
        ApplyUpdatePackages(*db_, say);
      } catch (const std::exception& e) {
        // The package's section stays in the control file for the next
        // start; the administrator still gets into the program.
        update_failure = e.what();
      }
    } catch (...) {
      tell();
      throw;
    }
    tell();
    if (update_failure) ui_.ShowError(*update_failure);

    ShowAbout();

    passwords_ = std::make_unique<TPasswordStore>(config_->FilePath(TPasswordStore::kFileName),
                                                  options_.password_cost);
    passwords_->Load();
    checks_ = std::make_unique<TPasswordChecks>(*passwords_, ui_);
    password_dialog_ = std::make_unique<TPasswordDialog>(*passwords_, ui_);
    if (!checks_->CheckStart()) {
      Abandon();
      return false;
    }

    defaults_ = std::make_unique<TSurveyDefaults>(config_->Settings());
    host_.ApplyPlacement(defaults_->MainFormPlacement());
    host_.CreateControlCenter(options_.first_argument);
    control_center_created_ = true;
    return true;
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    Abandon();
    return false;
  }
}

void TMainFormModel::Abandon() {
  password_dialog_.reset();
  checks_.reset();
  passwords_.reset();
  if (db_) {
    try {
      db_->Close();
    } catch (...) {
      // The start failed already; its message has been shown.
    }
    db_.reset();
  }
  // Nothing was written into the settings, so releasing them writes nothing.
  config_.reset();
  if (locked_) host_.UnlockInstance();
  locked_ = false;
}

void TMainFormModel::Shutdown() {
  if (!locked_) return;
  std::string failure;
  try {
    if (control_center_created_ && defaults_) {
      defaults_->SetMainFormPlacement(host_.CurrentPlacement());
      defaults_->Store();
    }
    defaults_.reset();
    if (db_) db_->Close();
    if (config_) config_->Close();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  control_center_created_ = false;
  password_dialog_.reset();
  checks_.reset();
  passwords_.reset();
  db_.reset();
  config_.reset();
  host_.UnlockInstance();
  locked_ = false;
  if (!failure.empty()) ui_.ShowError(failure);
}

TAboutInfo TMainFormModel::AboutInfo() {
  TAboutInfo info;
  info.Product = kProduct;
  info.Version = options_.version;
  if (config_) info.DataFolder = config_->ProgramDir();
  if (db_ && db_->IsOpen()) {
    info.Companies = db_->LiveRecordCount(fbCompany);
    info.Subjects = db_->LiveRecordCount(fbSubject);
    info.ScoreSheets = db_->LiveRecordCount(fbScoreSheet);
  }
  info.Libraries = options_.libraries;
  info.Libraries.emplace_back("libsodium", TPasswordStore::LibraryVersion());
  return info;
}

void TMainFormModel::ShowAbout() { ui_.ShowAbout(AboutInfo()); }

void TMainFormModel::ReindexDatabase() {
  bool all_keyed = true;
  try {
    TBusyCursor busy(ui_);
    TFlashMessage flash(ui_, kReindexing);
    all_keyed = db_->ReindexAll();
    host_.ReloadControlCenter();
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return;
  }
  if (!all_keyed) ui_.ShowError(kReindexIncomplete);
}

TFrameRect TMainFormModel::FitInsideFrame(TFrameRect child, int client_width, int client_height) {
  if (child.height >= client_height) child.height = client_height - 4;
  if (child.width >= client_width) child.width = client_width - 4;
  if (child.left + child.width >= client_width) {
    const int left = client_width - child.width - 4;
    child.left = left > 2 ? left : 2;
  }
  if (child.top + child.height >= client_height) {
    const int top = client_height - child.height - 4;
    child.top = top > 2 ? top : 2;
  }
  return child;
}

}  // namespace zelvora
