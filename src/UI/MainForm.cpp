#include "UI/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "UI/PasswordForm.h"
#include "UI/PrintSetup.h"
#include "UI/model/MainFormModel.h"
#include "UI/model/UserInterface.h"

namespace zelvora {
namespace {

constexpr int kNormal = 1;
constexpr int kMinimised = 2;
constexpr int kMaximised = 3;

QAction* Item(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

TMainForm::TMainForm(TUserInterface& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), area_(new QMdiArea(this)) {
  setObjectName("MainForm");
  setWindowTitle(QString::fromUtf8(TMainFormModel::kCaption));
  area_->setObjectName("ControlCenterArea");
  area_->setAccessibleName("Control Center");
  setCentralWidget(area_);
  area_->viewport()->installEventFilter(this);
  BuildMenu();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  ImportSurveyDisk1 = Item(file, "ImportSurveyDisk1", "&Import Survey Disk");
  file->addSeparator();
  PrintSetup1 = Item(file, "PrintSetup1", "Print &Setup");
  PrintMenu = Item(file, "PrintMenu", "&Print");
  file->addSeparator();
  Exit1 = Item(file, "Exit1", "E&xit");

  QMenu* utilities = menuBar()->addMenu("&Utilities");
  utilities->setObjectName("Utilities1");
  Passwords1 = Item(utilities, "Passwords1", "&Passwords");
  utilities->addSeparator();
  ReindexDatabase1 = Item(utilities, "ReindexDatabase1", "&Reindex Database");
  FullBackup1 = Item(utilities, "FullBackup1", "&Full Backup");
  RestoreBackup1 = Item(utilities, "RestoreBackup1", "R&estore Backup");

  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  About1 = Item(help, "About1", "&About");

  for (QAction* pending : {ImportSurveyDisk1, PrintMenu, FullBackup1, RestoreBackup1})
    pending->setEnabled(false);

  connect(PrintSetup1, &QAction::triggered, this, [this] { PrintSetup1Click(); });
  connect(Exit1, &QAction::triggered, this, &QWidget::close);
  connect(Passwords1, &QAction::triggered, this, [this] { Passwords1Click(); });
  connect(ReindexDatabase1, &QAction::triggered, this, [this] {
    if (model_) model_->ReindexDatabase();
  });
  connect(About1, &QAction::triggered, this, [this] {
    if (model_) model_->ShowAbout();
  });
}

void TMainForm::SetModel(TMainFormModel* model) { model_ = model; }

void TMainForm::ConnectAction(QAction* action, std::function<void()> handler) {
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
  action->setEnabled(true);
}

void TMainForm::PrintSetup1Click() { ShowPrintSetup(this, ui_); }

void TMainForm::Passwords1Click() {
  if (!model_ || !model_->ControlCenterCreated()) return;
  if (!password_form_)
    password_form_ = std::make_unique<TPasswordForm>(model_->PasswordDialog(), this);
  password_form_->Open();
}

bool TMainForm::LockInstance(const std::string& lock_path) {
  const QString path = QString::fromStdString(lock_path);
  return instance_.Lock(path, QFileInfo(path).absolutePath(), [this] { RaiseFromOtherCopy(); });
}

void TMainForm::UnlockInstance() { instance_.Unlock(); }

void TMainForm::RaiseFromOtherCopy() {
  QWidget* target = isVisible() ? static_cast<QWidget*>(this) : nullptr;
  if (QWidget* modal = QApplication::activeModalWidget()) target = modal;
  if (!target) return;
  if (target->isMinimized()) target->showNormal();
  target->raise();
  target->activateWindow();
}

void TMainForm::ApplyPlacement(const TWindowPlacement& placement) {
  setGeometry(placement.left, placement.top, placement.right - placement.left,
              placement.bottom - placement.top);
  show_state_ = placement.show_state;
}

TWindowPlacement TMainForm::CurrentPlacement() const {
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  TWindowPlacement placement;
  placement.show_state = isMinimized() ? kMinimised : isMaximized() ? kMaximised : kNormal;
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.left() + normal.width();
  placement.bottom = normal.top() + normal.height();
  return placement;
}

void TMainForm::ShowAsPlaced() {
  if (show_state_ == kMaximised)
    showMaximized();
  else if (show_state_ == kMinimised)
    showMinimized();
  else
    showNormal();
}

void TMainForm::CreateControlCenter(const std::string& first_argument) {
  if (!factory_) return;
  QWidget* widget = factory_(first_argument);
  if (!widget) return;
  control_center_ = area_->addSubWindow(widget);
  control_center_->show();
  FitControlCenter();
}

void TMainForm::ReloadControlCenter() {
  if (control_center_ && reload_) reload_();
}

void TMainForm::FitControlCenter() {
  if (!control_center_ || control_center_->isMaximized()) return;
  const QSize client = area_->viewport()->size();
  const QRect g = control_center_->geometry();
  const TFrameRect fitted = TMainFormModel::FitInsideFrame({g.x(), g.y(), g.width(), g.height()},
                                                           client.width(), client.height());
  control_center_->setGeometry(fitted.left, fitted.top, fitted.width, fitted.height);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_->viewport() && event->type() == QEvent::Resize) FitControlCenter();
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace zelvora
