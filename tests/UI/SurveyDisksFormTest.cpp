// The survey-disk dialog under the offscreen platform: pages, lists, fields,
// status and buttons follow the model as the user works it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "APP/TempFolder.h"
#include "UI/QtTestApp.h"
#include "UI/SurveyDisksForm.h"
#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {
namespace {

struct TPlentyOfSpace : TDiskSpace {
  std::uintmax_t FreeBytes(const std::string&) override { return 1'000'000; }
};

struct SurveyDisksForm : ::testing::Test {
  QApplication& app = TestApp();
  TAnswersWorld world{4};
  TFakeUserInterface ui;
  TPlentyOfSpace space;
  TempFolder folder;
  std::string program = folder.File("rater-source");
  TSurveyDisksForm form{ui, space, QString::fromStdString(program)};

  void SetUp() override {
    WriteBytes(program, "rater");
    form.SetDiskFolder(QString::fromStdString(folder.path().string()));
  }
  template <class T>
  T* Find(const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
};

TEST_F(SurveyDisksForm, MakeDiskMovesTheEntryAndTheDefaultButton) {
  TScoreSheet* one = world.AddSheet("Rater One", 1);
  TScoreSheet* done = world.AddSheet("Done", 1, true);
  ASSERT_TRUE(form.PrepareCreate({one, done}));
  form.SetDiskFolder(QString::fromStdString(folder.path().string()));
  form.show();
  EXPECT_EQ(form.windowTitle(), "Create Survey Disks");
  EXPECT_EQ(Find<QStackedWidget>("Notebook")->currentWidget()->objectName(), "CreateDisks");
  auto* to_make = Find<QListWidget>("DisksToMakeLB");
  EXPECT_EQ(to_make->accessibleName(), "Disks to Make");
  EXPECT_EQ(Find<QListWidget>("CompletedDisksLB")->accessibleName(), "Completed Disks");
  ASSERT_EQ(to_make->count(), 1);
  EXPECT_EQ(to_make->item(0)->text(),
            QString::fromStdString("Rater One (" + std::to_string(one->ID.Serial) + ", Boss)"));
  EXPECT_TRUE(Find<QPushButton>("MakeDiskBtn")->isDefault());
  QTest::mouseClick(Find<QPushButton>("MakeDiskBtn"), Qt::LeftButton);
  EXPECT_TRUE(ui.Log.empty());
  EXPECT_EQ(to_make->count(), 0);
  EXPECT_EQ(Find<QListWidget>("CompletedDisksLB")->count(), 1);
  EXPECT_FALSE(Find<QPushButton>("MakeDiskBtn")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>("CreateCloseBtn")->isDefault());
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "dtf.xml"));
  EXPECT_EQ(ReadBytes(folder.File("zelvora360-rater")), "rater");

  EXPECT_FALSE(form.PrepareCreate({done}));
  EXPECT_EQ(ui.Log.back(), "info: No Raters with open score sheets selected");
}

TEST_F(SurveyDisksForm, ReadDiskFillsFieldsAndStatus) {
  TScoreSheet* sheet = world.AddSheet("Rater One", 1);
  form.PrepareImport(*world.root, nullptr);
  form.SetDiskFolder(QString::fromStdString(folder.path().string()));
  form.show();
  EXPECT_EQ(form.windowTitle(), "Import Survey Disks");
  EXPECT_EQ(Find<QStackedWidget>("Notebook")->currentWidget()->objectName(), "ReadDisks");
  EXPECT_EQ(Find<QLabel>("StatusLbl")->text(), "Ready");
  QTest::mouseClick(Find<QPushButton>("ReadDiskBtn"), Qt::LeftButton);
  EXPECT_EQ(Find<QLabel>("StatusLbl")->text(), "Not a Survey Disk");

  TSurveyMapper::WriteSurveyDisk(folder.File("dtf.xml"), *sheet);
  QTest::mouseClick(Find<QPushButton>("ReadDiskBtn"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>("CompanyEdit")->text(), "Acme");
  EXPECT_EQ(Find<QLineEdit>("CategoryEdit")->text(), "Boss");
  EXPECT_EQ(Find<QLineEdit>("ReferenceEdit")->text(), QString::number(sheet->ID.Serial));
  EXPECT_EQ(Find<QLabel>("StatusLbl")->text(), "Survey Incomplete");
  EXPECT_FALSE(Find<QPushButton>("SaveSurveyBtn")->isEnabled());

  form.PrepareImport(*world.root, sheet);
  EXPECT_EQ(form.windowTitle(), "Import Survey Disk");
  EXPECT_EQ(Find<QLineEdit>("CompanyEdit")->text(), "");
}

}  // namespace
}  // namespace zelvora::testing
