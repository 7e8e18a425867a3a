// The three password checks and the password dialog's rules, answered by a
// scripted user.
#include <gtest/gtest.h>

#include <string>

#include "APP/TempFolder.h"
#include "UI/model/FakeUserInterface.h"
#include "UI/model/PasswordChecks.h"
#include "UI/model/PasswordDialog.h"
#include "UI/model/PasswordStore.h"

namespace zelvora {
namespace {

using testing::TempFolder;
using Log = std::vector<std::string>;

class PasswordRulesTest : public ::testing::Test {
 protected:
  PasswordRulesTest() : store_(folder_.File("Passwords.INI"), TPasswordCost::Fastest()) {
    store_.Load();
  }
  TempFolder folder_;
  TPasswordStore store_;
  TFakeUserInterface ui_;
};

TEST_F(PasswordRulesTest, NoPasswordsMeansNoPrompts) {
  TPasswordChecks checks(store_, ui_);
  EXPECT_TRUE(checks.CheckStart());
  EXPECT_TRUE(checks.CheckPrint());
  EXPECT_TRUE(checks.CheckView());
  EXPECT_TRUE(ui_.Log.empty());
}

TEST_F(PasswordRulesTest, WrongPasswordsAreAskedAgainWithoutAMessage) {
  store_.Set(TPasswordItem::Start, "Right");
  TPasswordChecks checks(store_, ui_);
  ui_.Passwords = {"wrong", "right", "Right"};
  EXPECT_TRUE(checks.CheckStart());
  EXPECT_EQ(ui_.Log, Log(3, "password: Enter Start Password:"));
}

TEST_F(PasswordRulesTest, CancelRefuses) {
  store_.Set(TPasswordItem::View, "v");
  TPasswordChecks checks(store_, ui_);
  ui_.Passwords = {"x", std::nullopt};
  EXPECT_FALSE(checks.CheckView());
  EXPECT_EQ(ui_.Log, Log(2, "password: Enter View/Edit Password:"));
}

TEST_F(PasswordRulesTest, PrintPasswordIsAskedUntilGivenThenNeverAgain) {
  store_.Set(TPasswordItem::Print, "p");
  TPasswordChecks checks(store_, ui_);
  ui_.Passwords = {std::nullopt, "p"};
  EXPECT_FALSE(checks.CheckPrint());
  EXPECT_TRUE(checks.CheckPrint());
  EXPECT_TRUE(checks.CheckPrint());
  EXPECT_EQ(ui_.Log, Log(2, "password: Enter Print Password:"));
}

TEST_F(PasswordRulesTest, ViewPasswordIsAskedEveryTime) {
  store_.Set(TPasswordItem::View, "v");
  TPasswordChecks checks(store_, ui_);
  ui_.Passwords = {"v", "v"};
  EXPECT_TRUE(checks.CheckView());
  EXPECT_TRUE(checks.CheckView());
  EXPECT_EQ(ui_.Log.size(), 2u);
}

TEST_F(PasswordRulesTest, ChecksUseThePasswordsOfTheStartUntilTheNextStart) {
  TPasswordChecks checks(store_, ui_);
  TPasswordDialog dialog(store_, ui_);
  dialog.Open();
  ASSERT_TRUE(dialog.Change(TPasswordItem::View, "", "new", "new"));
  EXPECT_TRUE(checks.CheckView());  // not asked: none was set at the start
  TPasswordChecks next_start(store_, ui_);
  ui_.Passwords = {"new"};
  EXPECT_TRUE(next_start.CheckView());
  EXPECT_TRUE(ui_.Passwords.empty());
}

TEST_F(PasswordRulesTest, ChangeFollowsTheDialogRules) {
  struct Row {
    const char* name;
    const char* stored;  // before the change
    const char* old_text;
    const char* new_text;
    const char* confirm;
    const char* message;
    const char* stored_after;
  };
  const Row rows[] = {
      {"set while none is set, Old empty", "", "", "first", "first", "info: Password Changed",
       "first"},
      {"Old empty while one is set", "first", "", "second", "second",
       "error: \"Old\" Password is Incorrect", "first"},
      {"Old in another letter case", "First", "first", "x", "x",
       "error: \"Old\" Password is Incorrect", "First"},
      {"Confirm differs from New", "first", "first", "second", "secomd",
       "error: \"Confirm\" Password does not match \"New\" Password", "first"},
      {"New and Confirm empty remove it", "first", "first", "", "", "info: Password Changed", ""},
      {"Old wrong and Confirm wrong: Old is told", "first", "nope", "a", "b",
       "error: \"Old\" Password is Incorrect", "first"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    store_.Set(TPasswordItem::Start, row.stored);
    ui_.Log.clear();
    TPasswordDialog dialog(store_, ui_);
    dialog.Open();
    dialog.Change(TPasswordItem::Start, row.old_text, row.new_text, row.confirm);
    EXPECT_EQ(ui_.Log, Log{row.message});
    TPasswordStore reread(store_.Path());
    reread.Load();
    EXPECT_TRUE(reread.Matches(TPasswordItem::Start, row.stored_after));
  }
}

TEST_F(PasswordRulesTest, ChangingThePrintPasswordLeavesTheOthers) {
  store_.Set(TPasswordItem::Start, "s");
  store_.Set(TPasswordItem::View, "v");
  const std::string start = store_.Hash(TPasswordItem::Start);
  const std::string view = store_.Hash(TPasswordItem::View);
  TPasswordDialog dialog(store_, ui_);
  dialog.Open();
  ASSERT_TRUE(dialog.Change(TPasswordItem::Print, "", "p", "p"));
  EXPECT_EQ(store_.Hash(TPasswordItem::Start), start);
  EXPECT_EQ(store_.Hash(TPasswordItem::View), view);
}

TEST_F(PasswordRulesTest, ClosingAfterAChangeSaysItTakesEffectAtTheNextStart) {
  TPasswordDialog dialog(store_, ui_);
  dialog.Open();
  dialog.Close();
  EXPECT_TRUE(ui_.Log.empty());

  dialog.Open();
  dialog.Change(TPasswordItem::Start, "wrong", "a", "a");
  dialog.Close();
  EXPECT_EQ(ui_.Log, Log{"error: \"Old\" Password is Incorrect"});

  ui_.Log.clear();
  dialog.Open();
  dialog.Change(TPasswordItem::Start, "", "a", "a");
  dialog.Close();
  EXPECT_EQ(ui_.Log, (Log{"info: Password Changed",
                          "info: Password changes will take effect when program is restarted"}));
}

TEST_F(PasswordRulesTest, AStoreThatCannotBeWrittenShowsItsFailureOnly) {
  TPasswordStore unwritable(folder_.File("gone/Passwords.INI"), TPasswordCost::Fastest());
  unwritable.Load();
  TPasswordDialog dialog(unwritable, ui_);
  dialog.Open();
  EXPECT_FALSE(dialog.Change(TPasswordItem::Start, "", "a", "a"));
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_EQ(ui_.Log[0].rfind("error: Cannot write the password file", 0), 0u);
  dialog.Close();
  EXPECT_EQ(ui_.Log.size(), 1u);
}

}  // namespace
}  // namespace zelvora
