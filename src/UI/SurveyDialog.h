// TSurveyDialog: the survey dialog over TNewEditSurveyForm: name, author and
// the five frequency labels (25 characters at most each).
#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

namespace zelvora {

class TNewEditSurveyForm;

class TSurveyDialog : public QDialog {
 public:
  TSurveyDialog(TNewEditSurveyForm& form, QWidget* parent = nullptr);

  QLineEdit* SurveyName;
  QLineEdit* SurveyAuthor;
  // label1Edit to label5Edit.
  std::array<QLineEdit*, 5> LabelEdits;
  QPushButton* AddBtn;
  QPushButton* CancelDoneBtn;

 private:
  void Update();

  TNewEditSurveyForm& form_;
};

}  // namespace zelvora
