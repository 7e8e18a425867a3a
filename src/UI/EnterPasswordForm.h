// TEnterPasswordForm: the password prompt, "Password...": a prompt line and
// one field filling the rest of the window; Enter confirms, Escape cancels.
// Created once and reused; each Ask() empties the field.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace zelvora {

class TEnterPasswordForm : public QDialog {
 public:
  static constexpr const char* kCaption = "Password...";

  explicit TEnterPasswordForm(QWidget* parent = nullptr);

  // Shows the prompt modally; the text typed, or nothing when cancelled.
  std::optional<std::string> Ask(const std::string& prompt, bool masked);
  // Sets the window up for `prompt` without showing it (Ask does this first).
  void Prepare(const std::string& prompt, bool masked);

  QLabel* Prompt() const { return prompt_; }
  QLineEdit* Password() const { return password_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* prompt_;
  QLineEdit* password_;
};

}  // namespace zelvora
