// TSuggestionDialog: the suggestion dialog over TNewEditSuggestionForm, one
// multi-line text.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace zelvora {

class TNewEditSuggestionForm;

class TSuggestionDialog : public QDialog {
 public:
  TSuggestionDialog(TNewEditSuggestionForm& form, QWidget* parent = nullptr);

  QPlainTextEdit* SuggestionMemo;
  QPushButton* AddBtn;
  QPushButton* CancelDoneBtn;

 private:
  TNewEditSuggestionForm& form_;
};

}  // namespace zelvora
