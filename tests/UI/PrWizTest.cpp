// The Report Wizard dialog over its model: the list pages follow clicks and
// double-clicks, the buttons follow the model's enabling, and View hands the
// request on.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "UI/PrWiz.h"
#include "UI/PrintWindowsFixture.h"
#include "report/RptwizWorld.h"

namespace zelvora::testing {
namespace {

struct WizardRig {
  TRptwizWorld world;  // the active in-memory database the dialog reads
  std::unique_ptr<TPrWiz> wizard;
  std::vector<TReportRequest> requests;

  WizardRig() {
    wizard = std::make_unique<TPrWiz>(TPrWizHost{ShippedTexts(), std::make_shared<TReportConfig>(),
                                                 [] { return true; }, nullptr, ""});
    wizard->run_report = [this](const TReportRequest& r, bool) { requests.push_back(r); };
    wizard->show();
  }
  QPushButton* Button(const char* name) { return wizard->findChild<QPushButton*>(name); }
  QString Help() { return wizard->findChild<QLabel*>("HelpLabel")->text(); }
  void Click(int page, const QString& text) {
    QListWidget* list = wizard->PageList(page);
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
  }
  void DoubleClick(int page, const QString& text) {
    QListWidget* list = wizard->PageList(page);
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    emit list->itemDoubleClicked(found[0]);
  }
};

// A keyboard user walks the wizard: the category buttons have the focus on
// opening, and the arrow keys keep their place in a many-choice list while
// Space picks entries one after the other.
TEST(PrWizTest, KeyboardChoosesCategoryAndSeveralListEntries) {
  WizardRig rig;
  auto* first = qobject_cast<QRadioButton*>(rig.wizard->focusWidget());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text(), "Individual");
  QTest::keyClick(first, Qt::Key_Space);
  EXPECT_EQ(rig.wizard->Model().Category(), rcIndividual);
  rig.Button("NextBtn")->click();
  QListWidget* companies = rig.wizard->PageList(rwCompany);
  QTest::keyClick(companies, Qt::Key_Down);
  rig.Button("NextBtn")->click();
  ASSERT_EQ(rig.wizard->Model().Page(), rwDepartment);
  QListWidget* departments = rig.wizard->PageList(rwDepartment);
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space})
    QTest::keyClick(departments, key);
  EXPECT_EQ(rig.wizard->Model().SelectedCount(rwDepartment), 2);
}

TEST(PrWizTest, ClicksWalkToTheLastPageAndViewHandsTheRequestOn) {
  WizardRig rig;
  EXPECT_EQ(rig.wizard->windowTitle(), "Report Wizard");
  EXPECT_EQ(rig.Help(), "Choose one category of report to print");
  EXPECT_FALSE(rig.Button("NextBtn")->isEnabled());
  EXPECT_FALSE(rig.Button("SelectAllBtn")->isVisible());
  for (QRadioButton* radio : rig.wizard->findChildren<QRadioButton*>())
    if (radio->text() == "Individual") radio->click();
  EXPECT_EQ(rig.wizard->Model().Category(), rcIndividual);
  ASSERT_TRUE(rig.Button("NextBtn")->isEnabled());
  rig.Button("NextBtn")->click();
  EXPECT_EQ(rig.Help(), "Choose one company to report");
  rig.DoubleClick(rwCompany, "Acme");  // not chosen yet: nothing happens
  EXPECT_EQ(rig.wizard->Model().Page(), rwCompany);
  rig.Click(rwCompany, "Acme");
  rig.DoubleClick(rwCompany, "Acme");
  EXPECT_EQ(rig.wizard->Model().Page(), rwDepartment);
  rig.Click(rwDepartment, "Sales");
  rig.Click(rwDepartment, "Support");
  EXPECT_EQ(rig.wizard->Model().SelectedCount(rwDepartment), 2);
  rig.Button("NextBtn")->click();
  EXPECT_EQ(rig.wizard->PageList(rwSurvey)->selectedItems().size(), 1);
  rig.Button("NextBtn")->click();
  rig.Button("SelectAllBtn")->click();
  EXPECT_EQ(rig.wizard->PageList(rwSubject)->selectedItems().size(), 3);
  rig.Button("NextBtn")->click();
  rig.Click(rwExperience, "Bob: 2026-02-02");
  rig.Button("NextBtn")->click();
  ASSERT_EQ(rig.wizard->Model().Page(), rwReportSelect);
  EXPECT_FALSE(rig.Button("NextBtn")->isVisible());
  auto* summary = rig.wizard->findChild<QCheckBox*>("Rpt4CB");
  EXPECT_TRUE(summary->isVisible());
  for (const char* name : {"Rpt1CB", "Rpt2CB", "Rpt3CB", "Rpt4CB"})
    rig.wizard->findChild<QCheckBox*>(name)->setChecked(false);
  EXPECT_FALSE(rig.Button("ViewBtn")->isEnabled());
  summary->setChecked(true);
  ASSERT_TRUE(rig.Button("ViewBtn")->isEnabled());
  rig.Button("ViewBtn")->click();
  ASSERT_EQ(rig.requests.size(), 1u);
  EXPECT_EQ(rig.requests[0].Sections, 1 << 4);
  ASSERT_EQ(rig.requests[0].Sources.size(), 1u);
  EXPECT_EQ(rig.requests[0].Sources[0].Text, "Bob: 2026-02-02");
}

TEST(PrWizTest, EscapeCloses) {
  WizardRig rig;
  QTest::keyClick(rig.wizard.get(), Qt::Key_Escape);
  EXPECT_FALSE(rig.wizard->isVisible());
}

}  // namespace
}  // namespace zelvora::testing
