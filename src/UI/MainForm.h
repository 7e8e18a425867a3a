// TMainForm: the frame window "Zelvora 360° Feedback" with the main menu; the
// Control Center lives inside its central area as its one child window. The
// start-up, the menu's rules and the shutdown are TMainFormModel's; this
// window forwards the menu to it and does what the model asks of the frame
// (TMainWindowHost).
//
// Menu items whose work is built elsewhere (Import Survey Disk, Print, Full
// Backup, Restore Backup) stay disabled until their handler is connected
// with ConnectAction().
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "UI/SingleInstance.h"
#include "UI/model/MainWindowHost.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace zelvora {

class TMainFormModel;
class TPasswordForm;
class TUserInterface;

class TMainForm : public QMainWindow, public TMainWindowHost {
 public:
  // Makes the Control Center's window for the first command-line parameter.
  using TControlCenterFactory = std::function<QWidget*(const std::string& first_argument)>;

  explicit TMainForm(TUserInterface& ui, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The model the menu forwards to; set once, before Start().
  void SetModel(TMainFormModel* model);
  void SetControlCenterFactory(TControlCenterFactory factory) { factory_ = std::move(factory); }
  // What reloads the Control Center's lists from the database.
  void SetControlCenterReload(std::function<void()> reload) { reload_ = std::move(reload); }

  // Enables a menu item and makes it run `handler`.
  void ConnectAction(QAction* action, std::function<void()> handler);

  // Shows the window as the placement from the settings says.
  void ShowAsPlaced();
  // Brings the window to the front (asked by a second copy).
  void RaiseFromOtherCopy();

  QMdiArea* ControlCenterArea() const { return area_; }
  QMdiSubWindow* ControlCenterWindow() const { return control_center_; }
  TPasswordForm* PasswordForm() const { return password_form_.get(); }

  // The menu items, by their names.
  QAction* ImportSurveyDisk1 = nullptr;
  QAction* PrintSetup1 = nullptr;
  QAction* PrintMenu = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Passwords1 = nullptr;
  QAction* ReindexDatabase1 = nullptr;
  QAction* FullBackup1 = nullptr;
  QAction* RestoreBackup1 = nullptr;
  QAction* About1 = nullptr;

  // TMainWindowHost
  bool LockInstance(const std::string& lock_path) override;
  void UnlockInstance() override;
  void ApplyPlacement(const TWindowPlacement& placement) override;
  TWindowPlacement CurrentPlacement() const override;
  void CreateControlCenter(const std::string& first_argument) override;
  void ReloadControlCenter() override;

  // Keeps the Control Center inside the client area.
  void FitControlCenter();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void PrintSetup1Click();
  void Passwords1Click();

  TUserInterface& ui_;
  TMainFormModel* model_ = nullptr;
  QMdiArea* area_;
  QMdiSubWindow* control_center_ = nullptr;
  TControlCenterFactory factory_;
  std::function<void()> reload_;
  TSingleInstance instance_;
  std::unique_ptr<TPasswordForm> password_form_;
  int show_state_ = 3;
};

}  // namespace zelvora
