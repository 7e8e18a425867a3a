// The main window: its caption, its menu with every item, caption and
// separator, the items that wait for their handlers, and the Control Center
// kept inside the frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "UI/MainForm.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora {
namespace {

QStringList Items(const QMenu* menu) {
  QStringList items;
  for (const QAction* action : menu->actions())
    items << (action->isSeparator() ? QString("-") : action->objectName() + " " + action->text());
  return items;
}

TEST(MainFormTest, MenuHoldsEveryItemWithItsCaption) {
  TFakeUserInterface ui;
  TMainForm form(ui);
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Zelvora 360° Feedback"));
  const QList<QAction*> menus = form.menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(Items(menus[0]->menu()),
            (QStringList{"ImportSurveyDisk1 &Import Survey Disk", "-", "PrintSetup1 Print &Setup",
                         "PrintMenu &Print", "-", "Exit1 E&xit"}));
  EXPECT_EQ(menus[1]->text(), "&Utilities");
  EXPECT_EQ(Items(menus[1]->menu()),
            (QStringList{"Passwords1 &Passwords", "-", "ReindexDatabase1 &Reindex Database",
                         "FullBackup1 &Full Backup", "RestoreBackup1 R&estore Backup"}));
  EXPECT_EQ(menus[2]->text(), "&Help");
  EXPECT_EQ(Items(menus[2]->menu()), (QStringList{"About1 &About"}));
}

TEST(MainFormTest, ItemsOfWorkBuiltElsewhereWaitForTheirHandlers) {
  TFakeUserInterface ui;
  TMainForm form(ui);
  for (QAction* pending :
       {form.ImportSurveyDisk1, form.PrintMenu, form.FullBackup1, form.RestoreBackup1})
    EXPECT_FALSE(pending->isEnabled()) << pending->objectName().toStdString();
  for (QAction* ready :
       {form.PrintSetup1, form.Exit1, form.Passwords1, form.ReindexDatabase1, form.About1})
    EXPECT_TRUE(ready->isEnabled()) << ready->objectName().toStdString();

  int runs = 0;
  form.ConnectAction(form.FullBackup1, [&runs] { ++runs; });
  EXPECT_TRUE(form.FullBackup1->isEnabled());
  form.FullBackup1->trigger();
  EXPECT_EQ(runs, 1);
}

TEST(MainFormTest, ExitClosesTheWindow) {
  TFakeUserInterface ui;
  TMainForm form(ui);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.Exit1->trigger();
  EXPECT_FALSE(form.isVisible());
}

TEST(MainFormTest, TheControlCenterStaysInsideTheFrameWhenItShrinks) {
  TFakeUserInterface ui;
  TMainForm form(ui);
  form.SetControlCenterFactory([](const std::string& word) {
    auto* widget = new QWidget;
    widget->setObjectName(QString::fromStdString(word));
    return widget;
  });
  form.ApplyPlacement({1, 0, 0, 900, 700});
  form.ShowAsPlaced();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.CreateControlCenter("WRENFAX");
  QMdiSubWindow* center = form.ControlCenterWindow();
  ASSERT_NE(center, nullptr);
  EXPECT_EQ(center->widget()->objectName(), "WRENFAX");
  center->setGeometry(300, 200, 500, 400);

  form.resize(400, 300);
  QTRY_VERIFY(form.ControlCenterArea()->viewport()->width() < 500);
  const QSize client = form.ControlCenterArea()->viewport()->size();
  const QRect g = center->geometry();
  EXPECT_EQ(g.width(), client.width() - 4);
  EXPECT_EQ(g.height(), client.height() - 4);
  EXPECT_EQ(g.left(), 2);
  EXPECT_EQ(g.top(), 2);
}

TEST(MainFormTest, PlacementComesBackAsItWasApplied) {
  TFakeUserInterface ui;
  TMainForm form(ui);
  form.ApplyPlacement({1, 40, 30, 640, 510});
  form.ShowAsPlaced();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const TWindowPlacement placement = form.CurrentPlacement();
  EXPECT_EQ(placement.show_state, 1);
  EXPECT_EQ(placement.right - placement.left, 600);
  EXPECT_EQ(placement.bottom - placement.top, 480);
}

}  // namespace
}  // namespace zelvora
