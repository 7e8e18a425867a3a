// TPasswordForm: "Passwords", the dialog in which the administrator changes
// the Start, Print and View/Edit passwords: per row "Old", "New" and
// "Confirm" fields and a "Change" button; "Close" or Escape closes. The
// rules are TPasswordDialog's; this window only forwards to it.
#pragma once

#include <QDialog>
#include <array>

#include "UI/model/PasswordStore.h"

class QLineEdit;
class QPushButton;

namespace zelvora {

class TPasswordDialog;

class TPasswordForm : public QDialog {
 public:
  static constexpr const char* kCaption = "Passwords";

  TPasswordForm(TPasswordDialog& model, QWidget* parent = nullptr);

  // Empties every field, puts the focus on the Start row's "Old" field and
  // shows the dialog modally.
  void Open();
  // The same without running the dialog (for tests and screenshots).
  void Prepare();

  struct TRow {
    TPasswordItem item;
    QLineEdit* old_edit;
    QLineEdit* new_edit;
    QLineEdit* confirm_edit;
    QPushButton* change;
  };
  const TRow& Row(TPasswordItem item) const { return rows_[static_cast<int>(item) - 1]; }
  QPushButton* CloseBtn() const { return close_; }

  void done(int result) override;

 private:
  void Change(const TRow& row);

  TPasswordDialog& model_;
  std::array<TRow, 3> rows_{};
  QPushButton* close_;
};

}  // namespace zelvora
