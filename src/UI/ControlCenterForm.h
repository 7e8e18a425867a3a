// TControlCenterForm: the "Control Center" window inside the main window: the
// start page with the tabs "Organizations", "Surveys" and "Questions" (the
// last only in the unrestricted mode), the detail page of one department
// survey, the information title, the bottom buttons, the "&Edit" and
// "&Reports" menus and the context menus, over a TControlCenter it owns.
//
// Every click, key, tab change, menu choice and drag goes to the model, and
// the window is redrawn from it afterwards; failures the model lets through
// are shown as error boxes and the window stays usable.
//
// The list widths are set by splitters; the window placement and the widths
// come from the survey defaults when the window is first shown and go back
// there with StoreLayout() (the program calls it before the settings are
// written at shutdown).
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QLabel;
class QMenu;
class QMenuBar;
class QAction;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace zelvora {

class TCCListWidget;
class TControlCenter;
class TSectionedConfigFile;
class TSurveyDefaults;
class TUserInterface;

class TControlCenterForm : public QWidget {
 public:
  // `settings` keeps the prefix histories and deleted categories, `defaults`
  // the placement and list widths; either may be null.
  TControlCenterForm(TUserInterface& ui, TSectionedConfigFile* settings,
                     const std::string& first_parameter, TSurveyDefaults* defaults,
                     QWidget* parent = nullptr);
  ~TControlCenterForm() override;

  TControlCenter& Model() { return *model_; }
  // After a restore or re-index.
  void Reload();
  // Writes the placement and list widths into the survey defaults.
  void StoreLayout();
  // Redraws everything from the model.
  void Redraw();

  // The object name of list `index` ("CompanyLB" ...).
  static std::string ListName(int index);
  TCCListWidget* List(int index) const { return lists_[static_cast<std::size_t>(index)]; }
  // The context menu entry `row` of list `index` would open (not shown).
  std::unique_ptr<QMenu> ContextMenu(int index, int row);

  // What the lists report.
  void ListFocused(int index);
  void ListSelectionChanged(int index);
  void ListKey(int index, int key);
  void ListActivated(int index, int row);
  void ListContextMenu(int index, int row, const QPoint& global_position);
  bool CanDrop(int source, int target, int index);
  void Drop(int source, int target, int index);

  QLabel* TitleLbl;
  QTabWidget* PageControl;
  QStackedWidget* Pages;
  std::array<QLabel*, 3> DetailHeader;
  QPushButton* DoneBtn;
  QPushButton* EditBtn;
  QPushButton* PrintBtn;
  QPushButton* CreateBtn;
  QPushButton* ShowBtn;
  QMenuBar* MenuBar;
  QAction* Name1;
  QAction* Delete1;
  QAction* QuestionPrefixes1;
  QAction* Wizard1;
  // The splitters of the Organizations, Surveys and Questions tabs and of the
  // detail page.
  std::array<QSplitter*, 4> Splitters;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeColumns(int first, QSplitter*& splitter);
  void RestoreLayout();
  // Runs a user's action on the model and redraws; a failure becomes an
  // error box.
  template <class F>
  void Forward(F action);

  TUserInterface& ui_;
  TSurveyDefaults* defaults_;
  std::unique_ptr<TControlCenter> model_;
  std::array<TCCListWidget*, 12> lists_{};
  bool redrawing_ = false;
  bool placed_ = false;
};

}  // namespace zelvora
