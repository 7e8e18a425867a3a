// The password prompt and the password dialog as the user meets them:
// captions, masked fields, Enter and Escape, and the dialog's buttons
// reaching its rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "APP/TempFolder.h"
#include "UI/EnterPasswordForm.h"
#include "UI/PasswordForm.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/PasswordDialog.h"

namespace zelvora {
namespace {

using testing::TempFolder;

// Types into the modal dialog once it is up, then presses `key`.
void TypeWhenShown(TEnterPasswordForm& form, const QString& text, Qt::Key key) {
  QTimer::singleShot(0, &form, [&form, text, key] {
    QTest::keyClicks(form.Password(), text);
    QTest::keyClick(form.Password(), key);
  });
}

TEST(EnterPasswordFormTest, EnterConfirmsAndEscapeCancels) {
  TEnterPasswordForm form;
  EXPECT_EQ(form.windowTitle(), "Password...");
  TypeWhenShown(form, "Secret", Qt::Key_Return);
  EXPECT_EQ(form.Ask("Enter Start Password:", true), std::optional<std::string>("Secret"));
  EXPECT_EQ(form.Prompt()->text(), "Enter Start Password:  ");
  EXPECT_TRUE(form.Password()->text().isEmpty());

  TypeWhenShown(form, "half", Qt::Key_Escape);
  EXPECT_EQ(form.Ask("Enter Start Password:", true), std::nullopt);
}

TEST(EnterPasswordFormTest, MaskedPromptsShowStarsAndAreNarrower) {
  TEnterPasswordForm form;
  form.Prepare("Enter Print Password:", true);
  EXPECT_EQ(form.Password()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(form.Password()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                form.Password()),
            '*');
  EXPECT_EQ(form.Prompt()->buddy(), form.Password());
  const int masked_width = form.width();
  form.Prepare("Enter Print Password:", false);
  EXPECT_EQ(form.Password()->echoMode(), QLineEdit::Normal);
  EXPECT_EQ(form.width() - masked_width, 60);
}

class PasswordFormTest : public ::testing::Test {
 protected:
  PasswordFormTest()
      : store_(folder_.File("Passwords.INI"), TPasswordCost::Fastest()),
        dialog_(store_, ui_),
        form_(dialog_) {
    store_.Load();
  }
  TempFolder folder_;
  TFakeUserInterface ui_;
  TPasswordStore store_;
  TPasswordDialog dialog_;
  TPasswordForm form_;
};

TEST_F(PasswordFormTest, CarriesItsCaptionsAndNamedMaskedFields) {
  EXPECT_EQ(form_.windowTitle(), "Passwords");
  QStringList labels;
  for (const QLabel* label : form_.findChildren<QLabel*>()) labels << label->text();
  for (const char* caption :
       {"Passwords:", "Old", "New", "Confirm", "Start Program", "Print Reports", "Edit Data"})
    EXPECT_TRUE(labels.contains(caption)) << caption;
  for (const char* row : {"Start", "Print", "View"}) {
    for (const char* column : {"Old", "New", "Confirm"}) {
      const QString name = QString("%1%2Password").arg(column, row);
      auto* edit = form_.findChild<QLineEdit*>(name);
      ASSERT_NE(edit, nullptr) << name.toStdString();
      EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
      EXPECT_FALSE(edit->accessibleName().isEmpty());
    }
    auto* change = form_.findChild<QPushButton*>(QString("Change%1Btn").arg(row));
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->text(), "Change");
  }
  EXPECT_EQ(form_.CloseBtn()->text(), "Close");
}

TEST_F(PasswordFormTest, OpeningEmptiesEveryFieldAndFocusesTheStartRow) {
  form_.Row(TPasswordItem::View).confirm_edit->setText("left over");
  form_.Prepare();
  for (TPasswordItem item : {TPasswordItem::Start, TPasswordItem::Print, TPasswordItem::View}) {
    const auto& row = form_.Row(item);
    EXPECT_TRUE(row.old_edit->text().isEmpty());
    EXPECT_TRUE(row.new_edit->text().isEmpty());
    EXPECT_TRUE(row.confirm_edit->text().isEmpty());
  }
  EXPECT_EQ(form_.focusWidget(), form_.Row(TPasswordItem::Start).old_edit);
}

TEST_F(PasswordFormTest, ChangeStoresTheRowAndClosingTellsOfTheRestart) {
  form_.Prepare();
  form_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
  const auto& print = form_.Row(TPasswordItem::Print);
  QTest::keyClicks(print.new_edit, "Ink");
  QTest::keyClicks(print.confirm_edit, "Ink");
  QTest::mouseClick(print.change, Qt::LeftButton);
  EXPECT_TRUE(store_.Matches(TPasswordItem::Print, "Ink"));
  EXPECT_FALSE(store_.IsSet(TPasswordItem::Start));
  EXPECT_TRUE(print.new_edit->text().isEmpty());

  QTest::keyClick(&form_, Qt::Key_Escape);
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(ui_.Log, (std::vector<std::string>{
                         "info: Password Changed",
                         "info: Password changes will take effect when program is restarted"}));
}

TEST_F(PasswordFormTest, AWrongOldPasswordIsRefusedThroughTheButton) {
  store_.Set(TPasswordItem::Start, "s");
  form_.Prepare();
  const auto& start = form_.Row(TPasswordItem::Start);
  QTest::keyClicks(start.old_edit, "S");
  QTest::keyClicks(start.new_edit, "t");
  QTest::keyClicks(start.confirm_edit, "t");
  QTest::mouseClick(start.change, Qt::LeftButton);
  EXPECT_TRUE(store_.Matches(TPasswordItem::Start, "s"));
  EXPECT_EQ(ui_.Log, std::vector<std::string>{"error: \"Old\" Password is Incorrect"});
}

}  // namespace
}  // namespace zelvora
