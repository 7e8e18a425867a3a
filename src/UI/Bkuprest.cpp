#include "UI/Bkuprest.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "DB/SURVDB.h"
#include "UI/MessageBoxUI.h"

namespace zelvora {

namespace {

enum PageIndex { kStartPage = 0, kMessagePage = 1, kProgressPage = 2 };

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The normal cursor while the work waits for the user.
class TNormalCursor {
 public:
  TNormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~TNormalCursor() { QApplication::restoreOverrideCursor(); }
  TNormalCursor(const TNormalCursor&) = delete;
  TNormalCursor& operator=(const TNormalCursor&) = delete;
};

// A folder field with its label and chooser button in one row.
QLineEdit* AddFolderRow(QVBoxLayout* layout, QWidget* page, const char* name,
                        QPushButton** browse) {
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(QObject::tr("&Drive or folder:"), page);
  auto* edit = new QLineEdit(page);
  edit->setObjectName(name);
  edit->setAccessibleName(QObject::tr("Drive or folder"));
  label->setBuddy(edit);
  *browse = new QPushButton(QObject::tr("&Browse..."), page);
  row->addWidget(label);
  row->addWidget(edit, 1);
  row->addWidget(*browse);
  layout->addLayout(row);
  return edit;
}

}  // namespace

TBkupRestForm::TBkupRestForm(QWidget* parent, TBackupMode mode, TSurveyDB& db,
                             TUserInterface& app_ui, bool delete_work_files)
    : QDialog(parent), app_ui_(app_ui) {
  TUserInterface& window_ui = *this;  // the waits and progress are this window's
  model_ = std::make_unique<TBkupRestModel>(mode, db, window_ui, space_, delete_work_files);
  setObjectName("BkupRestForm");
  setWindowTitle(Text(model_->Caption()));
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  Pages = new QStackedWidget(this);
  Pages->setObjectName("Pages");
  layout->addWidget(Pages);

  // Start page.
  auto* start = new QWidget(Pages);
  auto* start_layout = new QVBoxLayout(start);
  StartLbl = new QLabel(Text(model_->StartText()), start);
  StartLbl->setObjectName("StartLbl");
  StartLbl->setWordWrap(true);
  start_layout->addWidget(StartLbl);
  QPushButton* browse = nullptr;
  DriveEdit = AddFolderRow(start_layout, start, "DriveEdit", &browse);
  browse->setObjectName("BrowseBtn");
  auto* start_buttons = new QHBoxLayout;
  OkBtn = new QPushButton(tr("OK"), start);
  OkBtn->setObjectName("OkBtn");
  OkBtn->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), start);
  cancel->setObjectName("CancelBtn");
  start_buttons->addStretch(1);
  start_buttons->addWidget(OkBtn);
  start_buttons->addWidget(cancel);
  start_layout->addStretch(1);
  start_layout->addLayout(start_buttons);
  Pages->addWidget(start);
  connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(browse, &QPushButton::clicked, this, [this] { BrowseBtnClick(DriveEdit); });

  // Message page.
  auto* message = new QWidget(Pages);
  auto* message_layout = new QVBoxLayout(message);
  MessageLbl = new QLabel(message);
  MessageLbl->setObjectName("MessageLbl");
  MessageLbl->setWordWrap(true);
  message_layout->addWidget(MessageLbl);
  QPushButton* msg_browse = nullptr;
  MsgDriveEdit = AddFolderRow(message_layout, message, "MsgDriveEdit", &msg_browse);
  msg_browse->setObjectName("MsgBrowseBtn");
  auto* message_buttons = new QHBoxLayout;
  MsgOkBtn = new QPushButton(tr("OK"), message);
  MsgOkBtn->setObjectName("MsgOkBtn");
  auto* msg_cancel = new QPushButton(tr("Cancel"), message);
  msg_cancel->setObjectName("MsgCancelBtn");
  message_buttons->addStretch(1);
  message_buttons->addWidget(MsgOkBtn);
  message_buttons->addWidget(msg_cancel);
  message_layout->addStretch(1);
  message_layout->addLayout(message_buttons);
  Pages->addWidget(message);
  connect(MsgOkBtn, &QPushButton::clicked, this, [this] { AnswerWait(true); });
  connect(msg_cancel, &QPushButton::clicked, this, [this] { AnswerWait(false); });
  connect(msg_browse, &QPushButton::clicked, this, [this] { BrowseBtnClick(MsgDriveEdit); });

  // Progress page.
  auto* progress = new QWidget(Pages);
  auto* progress_layout = new QVBoxLayout(progress);
  StageLbl = new QLabel(progress);
  StageLbl->setObjectName("StageLbl");
  progress_layout->addWidget(StageLbl);
  ProgressBar = new QProgressBar(progress);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setAccessibleName(tr("Progress"));
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  progress_layout->addWidget(ProgressBar);
  auto* progress_buttons = new QHBoxLayout;
  ProgCancelBtn = new QPushButton(tr("Cancel"), progress);
  ProgCancelBtn->setObjectName("ProgCancelBtn");
  progress_buttons->addStretch(1);
  progress_buttons->addWidget(ProgCancelBtn);
  progress_layout->addStretch(1);
  progress_layout->addLayout(progress_buttons);
  Pages->addWidget(progress);
  connect(ProgCancelBtn, &QPushButton::clicked, this, [this] { model_->Cancel(); });

  Pages->setCurrentIndex(kStartPage);
  resize(460, 200);
}

TBkupRestForm::~TBkupRestForm() = default;

void TBkupRestForm::OkBtnClick() {
  if (model_->Busy()) return;
  model_->SetFolder(DriveEdit->text().toStdString());
  {
    TBusyCursor busy(app_ui_);
    model_->Ok();
  }
  // The work has ended, whatever its outcome: the window closes.
  accept();
}

void TBkupRestForm::BrowseBtnClick(QLineEdit* edit) {
  const QString folder = QFileDialog::getExistingDirectory(this, windowTitle(), edit->text());
  if (!folder.isEmpty()) edit->setText(folder);
}

void TBkupRestForm::reject() {
  if (wait_loop_) {
    AnswerWait(false);
    return;
  }
  if (model_->Busy()) {
    // The work notices the flag at its next step and then the window closes.
    model_->Cancel();
    return;
  }
  QDialog::reject();
}

void TBkupRestForm::AnswerWait(bool ok) {
  if (!wait_loop_) return;
  wait_answer_ = ok;
  wait_loop_->quit();
}

void TBkupRestForm::ShowMessagePage(const std::string& text, const std::string& folder) {
  MessageLbl->setText(Text(text));
  MsgDriveEdit->setText(Text(folder));
  Pages->setCurrentIndex(kMessagePage);
  MsgOkBtn->setDefault(true);
}

void TBkupRestForm::ShowProgressPage(const std::string& stage, int percent) {
  StageLbl->setText(Text(stage));
  ProgressBar->setValue(percent);
  Pages->setCurrentIndex(kProgressPage);
}

void TBkupRestForm::Inform(const std::string& text) { app_ui_.Inform(text); }
void TBkupRestForm::ShowError(const std::string& text) { app_ui_.ShowError(text); }
bool TBkupRestForm::Ask(const std::string& text, bool warning) {
  return app_ui_.Ask(text, warning);
}

void TBkupRestForm::SetBusy(bool busy) { app_ui_.SetBusy(busy); }

bool TBkupRestForm::AwaitBackupDisk(const std::string& text, std::string& folder) {
  ShowMessagePage(text, folder);
  if (!isVisible()) show();
  MsgOkBtn->setFocus();
  QEventLoop loop;
  wait_loop_ = &loop;
  wait_answer_ = false;
  {
    TNormalCursor normal;
    loop.exec();
  }
  wait_loop_ = nullptr;
  folder = MsgDriveEdit->text().toStdString();
  return wait_answer_;
}

void TBkupRestForm::ShowBackupProgress(const std::string& stage, int percent) {
  if (Pages->currentIndex() != kProgressPage || StageLbl->text() != Text(stage)) {
    ShowProgressPage(stage, percent);
  } else if (ProgressBar->value() != percent) {
    ProgressBar->setValue(percent);
  }
  QCoreApplication::processEvents();
}

bool RunBackupRestore(QWidget* parent, TBackupMode mode, TSurveyDB& db, TUserInterface& ui,
                      bool delete_work_files) {
  TBkupRestForm form(parent, mode, db, ui, delete_work_files);
  form.exec();
  return mode == TBackupMode::kRestore && form.Model().DatabaseChanged();
}

namespace {

// What a screenshot's window needs without a running program: a database
// that is never opened and message boxes that are never shown.
struct TScreenParts {
  TSurveyDB db;
  TMessageBoxUI ui;
};

class TBkupRestScreen : private TScreenParts, public TBkupRestForm {
 public:
  explicit TBkupRestScreen(TBackupMode mode) : TBkupRestForm(nullptr, mode, db, ui, true) {}
};

}  // namespace

std::unique_ptr<QWidget> MakeBkupRestStartScreen() {
  auto screen = std::make_unique<TBkupRestScreen>(TBackupMode::kBackup);
  screen->findChild<QLineEdit*>("DriveEdit")->setText("/media/backup");
  return screen;
}

std::unique_ptr<QWidget> MakeBkupRestMessageScreen() {
  auto screen = std::make_unique<TBkupRestScreen>(TBackupMode::kRestore);
  screen->ShowMessagePage(backupdisk::RestoreDiskMessage(2, "/media/backup"), "/media/backup");
  return screen;
}

std::unique_ptr<QWidget> MakeBkupRestProgressScreen() {
  auto screen = std::make_unique<TBkupRestScreen>(TBackupMode::kBackup);
  screen->ShowProgressPage("\nSaving backup data...", 42);
  return screen;
}

}  // namespace zelvora
