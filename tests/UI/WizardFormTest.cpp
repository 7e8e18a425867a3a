// The wizard dialog under the offscreen platform: its controls and names,
// and that clicks, keys and buttons reach the model and the redraw follows.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include "UI/QtTestApp.h"
#include "UI/WizardForm.h"
#include "UI/model/AnswersWorld.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {
namespace {

struct WizardForm : ::testing::Test {
  QApplication& app = TestApp();
  TAnswersWorld world{4};
  TFakeUserInterface ui;
  TWizardForm form{ui};

  template <class T>
  T* Find(const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QRadioButton* Item(const char* group, int item) {
    return Find<QRadioButton>((std::string(group) + "Item" + std::to_string(item)).c_str());
  }
  int Page() { return Find<QStackedWidget>("Notebook")->currentIndex(); }
  // A click on the radio's indicator (its middle may lie beyond its text).
  void ClickItem(const char* group, int item) {
    QRadioButton* radio = Item(group, item);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
  }
};

TEST_F(WizardForm, ControlsCarryTheirCaptionsAndNames) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  form.OpenSheet(*sheet);
  form.show();
  EXPECT_EQ(form.windowTitle(), "Zelvora 360 Feedback Wizard");
  EXPECT_EQ(Find<QPushButton>("CancelBtn")->text(), "&Cancel");
  EXPECT_EQ(Find<QPushButton>("ClearBtn")->text(), "C&lear");
  EXPECT_EQ(Find<QPushButton>("BackBtn")->text(), "< &Back");
  EXPECT_EQ(Find<QPushButton>("NextBtn")->text(), "&Next >");
  EXPECT_TRUE(Find<QPushButton>("NextBtn")->isDefault());
  EXPECT_FALSE(Find<QPushButton>("BackBtn")->isEnabled());
  EXPECT_EQ(Find<QGroupBox>("CurrentRG")->title(), "Current Performance");
  EXPECT_EQ(Find<QGroupBox>("CurrentRG")->accessibleName(), "Current Performance");
  EXPECT_EQ(Find<QGroupBox>("ExpectedRG")->accessibleName(), "Your Expectation");
  EXPECT_EQ(Item("CurrentRG", 1)->text(), "1. Almost Never");
  EXPECT_EQ(Item("ExpectedRG", 5)->text(), "5. Always");
  EXPECT_EQ(Find<QLabel>("SubjectLbl")->text(), "Pat Example");
  EXPECT_TRUE(Find<QLabel>("SubjectLbl")->font().underline());
  EXPECT_EQ(Find<QLabel>("CategoryLbl")->text(), "Boss");
  EXPECT_TRUE(Find<QPlainTextEdit>("InstructionMemo")
                  ->toPlainText()
                  .startsWith("Please take a few minutes to complete this CONFIDENTIAL SURVEY"));
  EXPECT_EQ(Page(), 0);
}

TEST_F(WizardForm, ClicksAndDigitKeysAnswerAndMarkTheActiveColumn) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  form.OpenSheet(*sheet);
  form.show();
  QTest::mouseClick(Find<QPushButton>("NextBtn"), Qt::LeftButton);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(Find<QLabel>("NumberLbl")->text(), "Question 1 of 4.");
  EXPECT_EQ(Find<QLabel>("Prefix1Lbl")->text(), "How often does this person...");
  EXPECT_EQ(Find<QPlainTextEdit>("QuestionMemo")->toPlainText(), "Question text 1");
  EXPECT_NE(Find<QFrame>("CurrentPnl")->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(Find<QFrame>("ExpectedPnl")->frameShape(), QFrame::NoFrame);

  ClickItem("CurrentRG", 3);
  EXPECT_EQ(sheet->GetAnswer(1, 1), 3);
  EXPECT_EQ(Find<QFrame>("CurrentPnl")->frameShape(), QFrame::NoFrame);
  EXPECT_NE(Find<QFrame>("ExpectedPnl")->frameShape(), QFrame::NoFrame);

  // A digit with the focus on a radio button answers the active column.
  Item("CurrentRG", 3)->setFocus();
  QTest::keyClick(Item("CurrentRG", 3), Qt::Key_5);
  EXPECT_EQ(sheet->GetAnswer(2, 1), 5);
  EXPECT_TRUE(Item("ExpectedRG", 5)->isChecked());
  QTest::keyClick(Find<QPlainTextEdit>("QuestionMemo"), Qt::Key_2);
  EXPECT_EQ(sheet->GetAnswer(1, 1), 2);
  EXPECT_TRUE(Item("CurrentRG", 2)->isChecked());
  EXPECT_TRUE(ui.Log.empty());

  // Clear shows nothing selected in either column.
  QTest::mouseClick(Find<QPushButton>("ClearBtn"), Qt::LeftButton);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_FALSE(Item("CurrentRG", i)->isChecked());
    EXPECT_FALSE(Item("ExpectedRG", i)->isChecked());
  }
}

TEST_F(WizardForm, ARefusedClickShowsTheStoredAnswerAgain) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1, true);  // completed Boss: read-only
  world.Answer(*sheet, 2, 3);
  form.OpenSheet(*sheet);
  form.show();
  QTest::mouseClick(Find<QPushButton>("NextBtn"), Qt::LeftButton);
  ClickItem("CurrentRG", 5);
  EXPECT_EQ(ui.Log, std::vector<std::string>{"info: Survey is Read-Only"});
  EXPECT_TRUE(Item("CurrentRG", 2)->isChecked());
  EXPECT_FALSE(Item("CurrentRG", 5)->isChecked());
  for (int q = 1; q <= 4; ++q) QTest::mouseClick(Find<QPushButton>("NextBtn"), Qt::LeftButton);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(Find<QPushButton>("NextBtn")->text(), "&Save");
  EXPECT_FALSE(Find<QPushButton>("NextBtn")->isEnabled());
}

TEST_F(WizardForm, ExecuteSavesOnSaveAndAsksThePasswordOfACompletedSheet) {
  TScoreSheet* sheet = world.AddSheet("Robin", 1);
  world.Answer(*sheet, 3, 3);
  // The dialog runs modally; the timer presses Next through to Save.
  QTimer::singleShot(0, &form, [this] {
    for (int i = 0; i < 6; ++i) QTest::mouseClick(Find<QPushButton>("NextBtn"), Qt::LeftButton);
  });
  EXPECT_TRUE(form.Execute(*sheet));
  EXPECT_TRUE(sheet->Completed);

  int asked = 0;
  EXPECT_FALSE(form.Execute(*sheet, [&] {
    ++asked;
    return false;
  }));
  EXPECT_EQ(asked, 1);

  // Escape closes with Cancel: nothing saved.
  TScoreSheet* open = world.AddSheet("Kim", 2);
  QTimer::singleShot(0, &form, [this] {
    QTest::mouseClick(Find<QPushButton>("NextBtn"), Qt::LeftButton);
    ClickItem("CurrentRG", 4);
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_FALSE(form.Execute(*open, [&] {
    ++asked;
    return true;
  }));
  EXPECT_EQ(asked, 1);  // an open sheet needs no password
  EXPECT_EQ(open->GetAnswer(1, 1), 0);
}

}  // namespace
}  // namespace zelvora::testing
