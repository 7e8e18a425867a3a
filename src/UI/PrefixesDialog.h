// TPrefixesDialog: "Edit Question Prefixes" over TEditPrefixesForm: the four
// prefix kinds above, the history of the chosen one below, one prefix a line.
#pragma once

#include <QDialog>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zelvora {

class TEditPrefixesForm;

class TPrefixesDialog : public QDialog {
 public:
  TPrefixesDialog(TEditPrefixesForm& form, QWidget* parent = nullptr);

  QListWidget* PrefixCatLB;
  QPlainTextEdit* Prefixes;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;

 private:
  TEditPrefixesForm& form_;
  bool redrawing_ = false;
};

}  // namespace zelvora
