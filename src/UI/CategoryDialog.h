// TCategoryDialog: "Categories...", the rater-category dialog over
// TNewEditCategoryForm: the name field (15 characters at most), the list of
// categories without Self and the buttons that add, edit, delete and move
// them. Every button is forwarded to the form and the dialog redrawn from it.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvora {

class TNewEditCategoryForm;

class TCategoryDialog : public QDialog {
 public:
  TCategoryDialog(TNewEditCategoryForm& form, QWidget* parent = nullptr);

  QLineEdit* CategoryEdit;
  QListWidget* CategoryLB;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;
  QPushButton* AddBtn;
  QPushButton* MoveUpBtn;
  QPushButton* MoveDownBtn;
  QPushButton* DeleteBtn;
  QPushButton* EditBtn;

 private:
  void Redraw();

  TNewEditCategoryForm& form_;
  bool redrawing_ = false;
};

}  // namespace zelvora
