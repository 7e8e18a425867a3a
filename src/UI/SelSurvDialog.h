// TSelSurvDialog: "Survey Selection" over TSelSurvForm: the library surveys a
// department may take, several selectable; every click is checked by the form
// (refused surveys are deselected after their message) and "&Done" follows it.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace zelvora {

class TSelSurvForm;

class TSelSurvDialog : public QDialog {
 public:
  TSelSurvDialog(TSelSurvForm& form, QWidget* parent = nullptr);

  QListWidget* SurveyDLB;
  QPushButton* DoneBtn;
  QPushButton* CancelButton;

 private:
  void Redraw();

  TSelSurvForm& form_;
  bool redrawing_ = false;
};

}  // namespace zelvora
