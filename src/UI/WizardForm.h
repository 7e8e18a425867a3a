// TWizardForm: the "Zelvora 360 Feedback Wizard" dialog over TWizard. It
// shows the model's page and forwards buttons, radio clicks and the digit
// keys 1 to 5 to it; every rule and message lives in the model.
//
// Controls (object names): Notebook with StartPage, SurveyPage, FinishPage,
// Summary and About; CancelBtn, ClearBtn, BackBtn, NextBtn; CurrentRG and
// ExpectedRG (radio groups "Current Performance" and "Your Expectation")
// inside CurrentPnl and ExpectedPnl, the active one raised.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "UI/model/Wizard.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace zelvora {

class TWizardForm : public QDialog {
 public:
  explicit TWizardForm(TUserInterface& ui, QWidget* parent = nullptr);

  // Runs the wizard modally over one score sheet; true when it was saved
  // (the caller refreshes its lists). For a completed sheet the View/Edit
  // password check runs first, and a refused check opens nothing. A database
  // failure while saving propagates for the caller to show.
  bool Execute(TScoreSheet& sheet, const std::function<bool()>& check_view_edit_password = {});
  // Runs the rater-disk mode from the About page; true when the rater saved.
  bool ExecuteRaterDisk(TRaterDiskHooks hooks);

  // The same without running modally: the dialog shows the opened model
  // (for screens and tests). Closing is then the caller's.
  void OpenSheet(TScoreSheet& sheet);
  void OpenRaterDisk(TRaterDiskHooks hooks);

  TWizard& Model() { return model_; }
  // Redraws everything from the model.
  void Refresh();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  QWidget* BuildStartPage();
  QWidget* BuildSurveyPage();
  QWidget* BuildFinishPage();
  QWidget* BuildSummaryPage();
  QWidget* BuildAboutPage();
  QFrame* BuildColumn(int column, const char* panel, const char* group, const QString& title);
  void AfterAction();
  void ShowSelection(int column);
  bool DigitKey(QKeyEvent* event);

  TWizard model_;
  QStackedWidget* notebook_ = nullptr;
  QLabel* subject_ = nullptr;
  QLabel* survey_ = nullptr;
  QLabel* category_ = nullptr;
  QLabel* number_ = nullptr;
  QLabel* prefix_[2] = {};
  QPlainTextEdit* question_ = nullptr;
  QFrame* panel_[2] = {};
  QGroupBox* group_box_[2] = {};
  QButtonGroup* group_[2] = {};
  std::array<QLineEdit*, 7> summary_{};
  QPushButton* cancel_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* next_ = nullptr;
};

}  // namespace zelvora
