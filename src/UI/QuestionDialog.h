// TQuestionDialog: the question dialog over TNewEditQuestionForm: the
// question text, and read-only beside it the four prefixes of its skill area
// so the user reads the full questions.
#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelvora {

class TNewEditQuestionForm;

class TQuestionDialog : public QDialog {
 public:
  TQuestionDialog(TNewEditQuestionForm& form, QWidget* parent = nullptr);

  QPlainTextEdit* QuestionMemo;
  // SelfEdit1, SelfEdit2, OtherEdit1, OtherEdit2.
  std::array<QLineEdit*, 4> PrefixEdits;
  QPushButton* AddBtn;
  QPushButton* CancelDoneBtn;

 private:
  TNewEditQuestionForm& form_;
};

}  // namespace zelvora
