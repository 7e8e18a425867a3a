// TBkupRestForm: the "Backup/Restore" window over TBkupRestModel
// (UI/model/Bkuprest.h). It shows the model's three pages in a stack: the
// start page (the text, the disk's folder with a chooser, OK and Cancel),
// the message page (the message, the folder, OK and Cancel) and the
// progress page (the stage, a bar from 0 to 100, Cancel). The waits at the
// drive run a local event loop until OK or Cancel; while the work runs the
// window lets events through at every step so that Cancel is noticed.
//
// Entry points for the main window and for screenshots are at the end.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "DB/BackupDisk.h"
#include "UI/model/Bkuprest.h"
#include "UI/model/UserInterface.h"

class QEventLoop;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace zelvora {

class TSurveyDB;

class TBkupRestForm : public QDialog, private TUserInterface {
 public:
  // `app_ui` answers what is not the window's own (the error box of a
  // failure); `delete_work_files` is the setting DelTempBackupFiles.
  TBkupRestForm(QWidget* parent, TBackupMode mode, TSurveyDB& db, TUserInterface& app_ui,
                bool delete_work_files);
  ~TBkupRestForm() override;

  TBkupRestModel& Model() { return *model_; }
  // The pages as the work shows them (screenshots and tests).
  void ShowMessagePage(const std::string& text, const std::string& folder);
  void ShowProgressPage(const std::string& stage, int percent);

 protected:
  void reject() override;

 private:
  void OkBtnClick();
  void BrowseBtnClick(QLineEdit* edit);
  void AnswerWait(bool ok);

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning) override;
  void SetBusy(bool busy) override;
  bool AwaitBackupDisk(const std::string& text, std::string& folder) override;
  void ShowBackupProgress(const std::string& stage, int percent) override;

  TUserInterface& app_ui_;
  TFolderFreeSpace space_;
  std::unique_ptr<TBkupRestModel> model_;

  QStackedWidget* Pages = nullptr;
  QLabel* StartLbl = nullptr;
  QLineEdit* DriveEdit = nullptr;
  QPushButton* OkBtn = nullptr;
  QLabel* MessageLbl = nullptr;
  QLineEdit* MsgDriveEdit = nullptr;
  QPushButton* MsgOkBtn = nullptr;
  QLabel* StageLbl = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* ProgCancelBtn = nullptr;

  QEventLoop* wait_loop_ = nullptr;
  bool wait_answer_ = false;
};

// The main menu's "Full Backup" and "Restore Backup": opens the window modal
// over `parent` and runs it to its end. True when the database changed (a
// restore merged records): the caller then resets the data root, so the
// Control Center reloads everything.
bool RunBackupRestore(QWidget* parent, TBackupMode mode, TSurveyDB& db, TUserInterface& ui,
                      bool delete_work_files);

// Screens for the screenshots, ready to grab: the start page of a full
// backup, the message page asking for a restore disk, the progress page
// while backup data is saved.
std::unique_ptr<QWidget> MakeBkupRestStartScreen();
std::unique_ptr<QWidget> MakeBkupRestMessageScreen();
std::unique_ptr<QWidget> MakeBkupRestProgressScreen();

}  // namespace zelvora
