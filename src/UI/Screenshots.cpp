#include "UI/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <iostream>

#include "UI/AboutForm.h"
#include "UI/AnswerScreens.h"
#include "UI/Bkuprest.h"
#include "UI/ControlCenterScreens.h"
#include "UI/EnterPasswordForm.h"
#include "UI/FlashMessageForm.h"
#include "UI/MainForm.h"
#include "UI/PasswordForm.h"
#include "UI/ReportScreens.h"
#include "UI/WidgetUserInterface.h"
#include "UI/model/MainFormModel.h"
#include "UI/model/PasswordChecks.h"

namespace zelvora {
namespace {

QPixmap ShootMainWindow(TScreenshotContext& context) {
  context.main_form.ShowAsPlaced();
  return Grab(context.main_form);
}

QPixmap ShootMenu(TScreenshotContext& context, const char* name) {
  auto* menu = context.main_form.menuBar()->findChild<QMenu*>(name);
  if (!menu) return {};
  menu->popup(context.main_form.mapToGlobal(QPoint(0, 0)));
  QPixmap picture = Grab(*menu);
  menu->hide();
  return picture;
}

QPixmap ShootAbout(TScreenshotContext& context) {
  TAboutForm about(context.model.AboutInfo(), &context.main_form);
  return Grab(about);
}

QPixmap ShootFlashMessage(TScreenshotContext& context) {
  TFlashMessageForm& flash = context.ui.FlashMessageForm();
  flash.ShowMessage(QString::fromUtf8(TMainFormModel::kInitializing));
  QPixmap picture = Grab(flash);
  flash.HideMessage();
  return picture;
}

QPixmap ShootEnterPassword(TScreenshotContext& context) {
  TEnterPasswordForm& form = context.ui.EnterPasswordForm();
  form.Prepare(TPasswordChecks::kStartPrompt, true);
  form.Password()->setText("secret");
  form.Password()->deselect();
  QPixmap picture = Grab(form);
  form.Password()->clear();
  form.hide();
  return picture;
}

QPixmap ShootPasswords(TScreenshotContext& context) {
  TPasswordForm form(context.model.PasswordDialog(), &context.main_form);
  form.Prepare();
  form.Row(TPasswordItem::Print).new_edit->setText("print");
  form.Row(TPasswordItem::Print).confirm_edit->setText("print");
  return Grab(form);
}

// A window that lives only for its picture.
QPixmap ShootOwnWindow(std::unique_ptr<QWidget> window) {
  if (!window) return {};
  QPixmap picture = Grab(*window);
  window->hide();
  return picture;
}

}  // namespace

QPixmap Grab(QWidget& widget) {
  widget.show();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return widget.grab();
}

void TScreenshotRegistry::Add(std::string name, TScreen screen) {
  screens_.emplace_back(std::move(name), std::move(screen));
}

bool TScreenshotRegistry::Run(TScreenshotContext& context, const QString& folder) const {
  if (!QDir().mkpath(folder)) {
    std::cerr << "Cannot create the folder " << folder.toStdString() << "\n";
    return false;
  }
  int number = 0;
  for (const auto& [name, screen] : screens_) {
    ++number;
    const QString file = QDir(folder).filePath(
        QString("%1-%2.png").arg(number, 2, 10, QChar('0')).arg(QString::fromStdString(name)));
    const QPixmap picture = screen(context);
    if (picture.isNull()) {
      std::cerr << "Cannot make the screen " << name << "\n";
      return false;
    }
    if (!picture.save(file, "PNG")) {
      std::cerr << "Cannot write " << file.toStdString() << "\n";
      return false;
    }
    std::cout << file.toStdString() << "\n";
  }
  return true;
}

void RegisterScreens(TScreenshotRegistry& registry) {
  registry.Add("main-window", ShootMainWindow);
  registry.Add("file-menu", [](TScreenshotContext& c) { return ShootMenu(c, "File1"); });
  registry.Add("utilities-menu", [](TScreenshotContext& c) { return ShootMenu(c, "Utilities1"); });
  registry.Add("help-menu", [](TScreenshotContext& c) { return ShootMenu(c, "Help1"); });
  registry.Add("about", ShootAbout);
  registry.Add("flash-message", ShootFlashMessage);
  registry.Add("enter-password", ShootEnterPassword);
  registry.Add("passwords", ShootPasswords);
  for (TAnswerScreen screen : kAnswerScreens)
    registry.Add(AnswerScreenName(screen), [screen](TScreenshotContext&) {
      return ShootOwnWindow(MakeAnswerScreen(screen));
    });
  registry.Add("backup-start",
               [](TScreenshotContext&) { return ShootOwnWindow(MakeBkupRestStartScreen()); });
  registry.Add("restore-message",
               [](TScreenshotContext&) { return ShootOwnWindow(MakeBkupRestMessageScreen()); });
  registry.Add("backup-progress",
               [](TScreenshotContext&) { return ShootOwnWindow(MakeBkupRestProgressScreen()); });
  RegisterControlCenterScreens(registry);
  RegisterReportScreens(registry);
}

}  // namespace zelvora
