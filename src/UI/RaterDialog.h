// TRaterDialog: the rater dialog over TNewEditRaterForm: the typed name, the
// company's rater directory ("Rater Name", several may be selected in the New
// form, with a "&Delete" context menu) and the categories without Self
// ("Rater Category"). In the New form "&Add" adds the raters and the dialog
// stays open until "&Done"; in the Edit form "&Ok" accepts.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvora {

class TNewEditRaterForm;

class TRaterDialog : public QDialog {
 public:
  TRaterDialog(TNewEditRaterForm& form, QWidget* parent = nullptr);

  QLineEdit* RaterNameEdit;
  QListWidget* RaterNameLB;
  QListWidget* RaterCategoryLB;
  QPushButton* AddBtn;   // "&Add" or "&Ok"
  QPushButton* DoneBtn;  // "&Done" or "&Cancel"
  QPushButton* EditCategoriesBtn;

 private:
  void Redraw();
  void ReadSelection();
  void DirectoryMenu(const QPoint& position);

  TNewEditRaterForm& form_;
  bool redrawing_ = false;
};

}  // namespace zelvora
