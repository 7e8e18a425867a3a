// TNameDialog: the one-line name dialog over TNameForm: the caller's caption
// and prompt, the name field, "&Add" or "&Ok" (enabled while the form accepts
// the name) and "&Cancel". Accepting writes the typed name into the form.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvora {

class TNameForm;

class TNameDialog : public QDialog {
 public:
  TNameDialog(TNameForm& form, QWidget* parent = nullptr);

  QLabel* PromptLbl;
  QLineEdit* NameEdit;
  QPushButton* AddOkBtn;
  QPushButton* CancelBtn;

 private:
  void Update();

  TNameForm& form_;
};

}  // namespace zelvora
