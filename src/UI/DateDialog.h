// TDateDialog: "Enter Date" over TDateEntryDialog: the prompt, the date field
// ("mm/dd/yyyy") and the date written out beside it while typing. Leaving the
// field with a date that cannot be read shows the form's error and keeps the
// focus in the field.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvora {

class TDateEntryDialog;
class TUserInterface;

class TDateDialog : public QDialog {
 public:
  TDateDialog(TDateEntryDialog& form, TUserInterface& ui, QWidget* parent = nullptr);

  QLabel* HelpLabel;
  QLineEdit* DateEdit;
  QLabel* DisplayPanel;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDateEntryDialog& form_;
  TUserInterface& ui_;
  bool checking_ = false;
};

}  // namespace zelvora
