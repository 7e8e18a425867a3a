// TSkillAreaDialog: the skill-area dialog over TNewEditSkillAreaForm: the
// name and the four question prefixes, each an editable drop-down of the
// prefixes used before. Every edit goes into the form at once; the accept
// button follows the form.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zelvora {

class TNewEditSkillAreaForm;

class TSkillAreaDialog : public QDialog {
 public:
  TSkillAreaDialog(TNewEditSkillAreaForm& form, QWidget* parent = nullptr);

  QLineEdit* SkillAreaName;
  // SelfCurCB, SelfExpCB, OtherCurCB, OtherExpCB.
  std::array<QComboBox*, 4> PrefixCB;
  QPushButton* AddBtn;
  QPushButton* CancelDoneBtn;

 private:
  void Update();

  TNewEditSkillAreaForm& form_;
};

}  // namespace zelvora
