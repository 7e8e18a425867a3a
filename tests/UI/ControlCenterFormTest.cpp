// The Control Center window over its model: names and captions, clicks that
// refill the lists to the right, buttons and menu entries that follow the
// model, the keys, dialogs reached by double-click and Enter, and drags,
// both through the window's drop operation and as real drop events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "APP/SurveyDefaults.h"
#include "UI/CCListWidget.h"
#include "UI/ControlCenterForm.h"
#include "UI/model/ControlCenterFixture.h"

namespace zelvora::testing {
namespace {

class ControlCenterFormTest : public ControlCenterTest {
 protected:
  TControlCenterForm& Window(const std::string& word = "") {
    form = std::make_unique<TControlCenterForm>(ui, &settings, word, nullptr);
    form->resize(800, 500);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return *form;
  }
  QStringList Rows(int list) const {
    QStringList rows;
    for (int i = 0; i < form->List(list)->count(); ++i) rows << form->List(list)->item(i)->text();
    return rows;
  }
  QStringList ModelRows(int list) const {
    QStringList rows;
    for (const auto& entry : form->Model().List(list).Entries())
      rows << QString::fromStdString(entry.Text);
    return rows;
  }
  QPoint RowCenter(int list, int row) const {
    TCCListWidget* widget = form->List(list);
    return widget->visualItemRect(widget->item(row)).center();
  }
  void ClickRow(int list, int row) {
    QTest::mouseClick(form->List(list)->viewport(), Qt::LeftButton, {}, RowCenter(list, row));
  }
  int Row(int list, const QString& text) const { return Rows(list).indexOf(text); }
  void ExpectButtonsFollowTheModel() {
    const TCCButtons& b = form->Model().Buttons();
    EXPECT_EQ(form->DoneBtn->isEnabled(), b.Done);
    EXPECT_EQ(form->EditBtn->isEnabled(), b.Edit);
    EXPECT_EQ(form->PrintBtn->isEnabled(), b.Print);
    EXPECT_EQ(form->CreateBtn->isEnabled(), b.Create);
    EXPECT_EQ(form->ShowBtn->isEnabled(), b.Show);
    EXPECT_EQ(form->Name1->isEnabled(), b.Name);
    EXPECT_EQ(form->Delete1->isEnabled(), b.Delete);
  }
  // A drag of the selection of `source` dropped on entry `row` of `target`
  // (row == count: below the last entry), as the window receives it.
  void DropEvents(int source, int target, int row) {
    TCCListWidget* to = form->List(target);
    const QPoint at =
        row < to->count() ? RowCenter(target, row) : QPoint(5, to->viewport()->height() - 3);
    std::unique_ptr<QMimeData> data(form->List(source)->MakeDragData());
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(to->viewport(), &enter);
    QDragMoveEvent move(at, actions, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(to->viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(at), actions, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(to->viewport(), &drop);
  }

  std::unique_ptr<TControlCenterForm> form;
};

TEST_F(ControlCenterFormTest, ListsAndControlsCarryTheirNamesHeadersAndCaptions) {
  Open();
  Window();
  const char* headers[] = {"Companies",   "Departments", "Surveys",     "Surveys",
                           "Skill Areas", "Questions",   "Skill Areas", "Questions",
                           "Suggestions", "Subjects",    "Experiences", "Raters"};
  for (int i = 0; i < kCCListCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form->List(i)->objectName().toStdString(), TControlCenterForm::ListName(i));
    EXPECT_EQ(form->List(i)->accessibleName(), headers[i]);
  }
  EXPECT_EQ(form->List(CompanyLB)->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(form->List(DepartmentSurveyLB)->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(form->List(RaterLB)->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(form->windowTitle(), "Control Center");
  EXPECT_EQ(form->TitleLbl->text(), "CREATE/EDIT ORGANIZATION INFORMATION");
  const std::pair<QPushButton*, const char*> buttons[] = {{form->DoneBtn, "&Done"},
                                                          {form->EditBtn, "&Edit"},
                                                          {form->PrintBtn, "&Print"},
                                                          {form->CreateBtn, "&Create"},
                                                          {form->ShowBtn, "&Show"}};
  for (const auto& [button, caption] : buttons) EXPECT_EQ(button->text(), caption);
  EXPECT_EQ(form->PageControl->tabText(0), "Organizations");
  EXPECT_EQ(form->PageControl->tabText(1), "Surveys");
  EXPECT_EQ(form->PageControl->count(), 2);
  EXPECT_EQ(Rows(CompanyLB), QStringList{"Add New Company..."});
  // The window lives as long as the main window.
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());

  Window(TControlCenter::kUnrestrictedWord);
  ASSERT_EQ(form->PageControl->count(), 3);
  EXPECT_EQ(form->PageControl->tabText(2), "Questions");
}

TEST_F(ControlCenterFormTest, AClickRefillsTheListsToItsRight) {
  Open();
  TCompany* acme = AddCompany("Acme");
  AddDepartmentSurvey(*AddDepartment(*acme, "Sales"), "Pulse", {10});
  AddDepartment(*acme, "Audit");
  AddDepartment(*AddCompany("Beta"), "Docks");
  Window();

  ClickRow(CompanyLB, Row(CompanyLB, "Acme"));
  EXPECT_EQ(Rows(DepartmentLB), (QStringList{"Add New Department...", "Audit", "Sales"}));
  ClickRow(DepartmentLB, Row(DepartmentLB, "Sales"));
  EXPECT_EQ(Rows(DepartmentSurveyLB), (QStringList{"Add Department Survey...", "Pulse"}));
  ExpectButtonsFollowTheModel();

  ClickRow(CompanyLB, Row(CompanyLB, "Beta"));
  EXPECT_EQ(Rows(DepartmentLB), (QStringList{"Add New Department...", "Docks"}));
  EXPECT_TRUE(Rows(DepartmentSurveyLB).isEmpty());
  for (int i = 0; i < kCCListCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Rows(i), ModelRows(i));
    EXPECT_EQ(form->List(i)->SelectedRows(), form->Model().List(i).Selection());
  }
}

TEST_F(ControlCenterFormTest, ButtonsAndMenuEntriesFollowTheModel) {
  Open();
  AddDepartment(*AddCompany("Acme"), "Sales");
  Window();
  ExpectButtonsFollowTheModel();
  const std::pair<int, QString> clicks[] = {{CompanyLB, "Add New Company..."},
                                            {CompanyLB, "Acme"},
                                            {DepartmentLB, "Add New Department..."},
                                            {DepartmentLB, "Sales"},
                                            {CompanyLB, "Acme"}};
  for (const auto& [list, text] : clicks) {
    SCOPED_TRACE(text.toStdString());
    ClickRow(list, Row(list, text));
    EXPECT_EQ(form->Model().ActiveList(), list);
    ExpectButtonsFollowTheModel();
  }
  EXPECT_TRUE(form->EditBtn->isEnabled());
}

TEST_F(ControlCenterFormTest, KeysReachTheModelAndTheFocusFollowsTheActiveList) {
  Open();
  AddDepartment(*AddCompany("Acme"), "Sales");
  Window();
  ClickRow(CompanyLB, 0);
  QTest::keyClick(form->List(CompanyLB), Qt::Key_Delete);
  EXPECT_EQ(LastLog(), "info: This item cannot be deleted!");

  ClickRow(CompanyLB, Row(CompanyLB, "Acme"));
  QTest::keyClick(form->List(CompanyLB), Qt::Key_Right);
  EXPECT_EQ(form->Model().ActiveList(), DepartmentLB);
  EXPECT_EQ(form->focusWidget(), form->List(DepartmentLB));
  QTest::keyClick(form->List(DepartmentLB), Qt::Key_Left);
  EXPECT_EQ(form->focusWidget(), form->List(CompanyLB));

  QTest::keyClick(form->List(CompanyLB), Qt::Key_PageDown);
  EXPECT_EQ(form->PageControl->currentIndex(), 1);
  EXPECT_EQ(form->TitleLbl->text(), "CREATE/EDIT GLOBALLY AVAILABLE SURVEYS");
  EXPECT_EQ(form->focusWidget(), form->List(form->Model().ActiveList()));
  QTest::keyClick(form->focusWidget(), Qt::Key_PageUp);
  EXPECT_EQ(form->PageControl->currentIndex(), 0);
}

TEST_F(ControlCenterFormTest, ACancelledDialogChangesNothingAndAnAcceptedOneShowsItsItem) {
  Open();
  AddCompany("Acme");
  Window();
  const QStringList before = Rows(CompanyLB);
  ui.Cancel();
  QTest::mouseDClick(form->List(CompanyLB)->viewport(), Qt::LeftButton, {},
                     RowCenter(CompanyLB, 0));
  EXPECT_TRUE(ui.Dialogs.empty());
  EXPECT_EQ(Rows(CompanyLB), before);
  EXPECT_EQ(Root().Companies().Size(), 1);

  ui.Script<TNameForm>([](TNameForm& dialog) {
    dialog.Name = "  Beta ";
    return true;
  });
  ClickRow(CompanyLB, 0);
  QTest::keyClick(form->List(CompanyLB), Qt::Key_Return);
  EXPECT_EQ(Rows(CompanyLB), (QStringList{"Add New Company...", "Acme", "Beta"}));
  EXPECT_EQ(form->List(CompanyLB)->SelectedRows(), std::vector<int>{2});
}

TEST_F(ControlCenterFormTest, TheDetailPageShowsTheRatersWithTheirBooks) {
  Open();
  TDepartment* sales = AddDepartment(*AddCompany("Acme"), "Sales");
  TSurvey* pulse = AddDepartmentSurvey(*sales, "Pulse", {10});
  TExperience* experience = AddExperience(*AddSubject(*sales, "Ann"), *pulse);
  AddSheet(*experience, "Ann", 0, true);
  AddSheet(*experience, "Bob", 1, false);
  Window();
  ClickRow(CompanyLB, 1);
  ClickRow(DepartmentLB, 1);
  ClickRow(DepartmentSurveyLB, 1);
  QTest::mouseClick(form->ShowBtn, Qt::LeftButton);
  ASSERT_EQ(form->Pages->currentIndex(), 1);
  EXPECT_EQ(form->DetailHeader[0]->text(), "Company: Acme");
  EXPECT_TRUE(form->DoneBtn->isEnabled());
  ClickRow(SubjectLB, 1);
  ClickRow(ExperienceLB, 1);
  ASSERT_EQ(form->List(RaterLB)->count(), 3);
  const QImage completed = form->List(RaterLB)
                               ->item(Row(RaterLB, Rows(RaterLB).filter("Ann")[0]))
                               ->icon()
                               .pixmap(16)
                               .toImage();
  const QImage open = form->List(RaterLB)
                          ->item(Row(RaterLB, Rows(RaterLB).filter("Bob")[0]))
                          ->icon()
                          .pixmap(16)
                          .toImage();
  EXPECT_FALSE(completed.isNull());
  EXPECT_NE(completed, open);
  EXPECT_TRUE(form->List(RaterLB)->item(0)->font().italic());

  QTest::mouseClick(form->DoneBtn, Qt::LeftButton);
  EXPECT_EQ(form->Pages->currentIndex(), 0);
}

TEST_F(ControlCenterFormTest, ListWidthsComeFromTheSettingsAndGoBackThere) {
  Open();
  TSurveyDefaults defaults;
  defaults.OrgCoWidth = 220;
  defaults.OrgDeptWidth = 150;
  defaults.SubjectWidth = 90;
  form = std::make_unique<TControlCenterForm>(ui, &settings, "", &defaults);
  form->resize(800, 500);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->Splitters[0]->sizes().mid(0, 2), (QList<int>{220, 150}));
  form->Splitters[0]->setSizes({300, 120, 370});
  form->StoreLayout();
  EXPECT_EQ(defaults.OrgCoWidth, 300);
  EXPECT_EQ(defaults.OrgDeptWidth, 120);
  EXPECT_EQ(defaults.SubjectWidth, 90);  // the detail page was never changed
  // Without the unrestricted mode the Questions widths are left alone.
  EXPECT_EQ(defaults.QuestSkillWidth, 181);
}

class ControlCenterDragTest : public ControlCenterFormTest {
 protected:
  void Build() {
    Open();
    AddLibrarySurvey("Alpha", {1, 1, 1, 1});
    AddLibrarySurvey("Beta", {1});
    Window();
    form->PageControl->setCurrentIndex(1);
    ClickRow(SurveyLB, Row(SurveyLB, "Alpha"));
  }
};

TEST_F(ControlCenterDragTest, TheDropOperationReordersAndTheListIsRedrawn) {
  Build();
  ClickRow(SkillAreaLB, Row(SkillAreaLB, "Alpha A0"));
  EXPECT_FALSE(form->CanDrop(SkillAreaLB, SkillAreaLB, 2));  // just below itself
  ASSERT_TRUE(form->CanDrop(SkillAreaLB, SkillAreaLB, 5));
  form->Drop(SkillAreaLB, SkillAreaLB, 5);
  EXPECT_EQ(Rows(SkillAreaLB),
            (QStringList{"Add New Skill Area...", "Alpha A1", "Alpha A2", "Alpha A3", "Alpha A0"}));
  EXPECT_EQ(form->List(SkillAreaLB)->SelectedRows(), std::vector<int>{4});
}

TEST_F(ControlCenterDragTest, RealDropEventsReorderAndCopyBetweenLists) {
  Build();
  ClickRow(SkillAreaLB, Row(SkillAreaLB, "Alpha A1"));
  DropEvents(SkillAreaLB, SkillAreaLB, 4);
  EXPECT_EQ(Rows(SkillAreaLB),
            (QStringList{"Add New Skill Area...", "Alpha A0", "Alpha A2", "Alpha A1", "Alpha A3"}));

  // Onto another survey: the model asks first, then copies.
  ui.Answers.push_back(true);
  DropEvents(SkillAreaLB, SurveyLB, Row(SurveyLB, "Beta"));
  EXPECT_EQ(ui.Log.back(), "question: Add Skill Area(s) to \"Beta\" survey!");
  ClickRow(SurveyLB, Row(SurveyLB, "Beta"));
  EXPECT_EQ(Rows(SkillAreaLB), (QStringList{"Add New Skill Area...", "Beta A0", "Alpha A1"}));
}

TEST_F(ControlCenterDragTest, ADropTheModelRefusesIsNotAccepted) {
  Build();
  ClickRow(SkillAreaLB, Row(SkillAreaLB, "Alpha A0"));
  std::unique_ptr<QMimeData> data(form->List(SkillAreaLB)->MakeDragData());
  TCCListWidget* target = form->List(SkillAreaLB);
  const QPoint at = RowCenter(SkillAreaLB, 2);  // just below itself
  QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(target->viewport(), &move);
  EXPECT_FALSE(move.isAccepted());
  // Data from another window is never taken.
  TControlCenterForm other(ui, &settings, "", nullptr);
  std::unique_ptr<QMimeData> foreign(other.List(SkillAreaLB)->MakeDragData());
  QDragMoveEvent foreign_move(RowCenter(SkillAreaLB, 4), Qt::MoveAction, foreign.get(),
                              Qt::LeftButton, {});
  QApplication::sendEvent(target->viewport(), &foreign_move);
  EXPECT_FALSE(foreign_move.isAccepted());
}

TEST_F(ControlCenterFormTest, TheContextMenuHoldsTheEntriesTheModelOffers) {
  Open();
  AddCompany("Acme");
  Window();
  std::unique_ptr<QMenu> menu = form->ContextMenu(CompanyLB, 1);
  QStringList captions;
  for (QAction* action : menu->actions()) captions << action->text();
  QStringList expected;
  for (const auto& entry : form->Model().ContextMenu(CompanyLB, 1))
    expected << QString::fromStdString(entry.Caption);
  EXPECT_EQ(captions, expected);
  EXPECT_TRUE(captions.contains("&Edit Company"));
  EXPECT_EQ(form->List(CompanyLB)->SelectedRows(), std::vector<int>{1});
}

}  // namespace
}  // namespace zelvora::testing
