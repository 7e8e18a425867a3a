// TMessageBoxUI: TUserInterface shown with Qt message boxes over a parent
// window: information and error boxes with OK, Yes/No questions, the wait
// cursor while the models work on files.
#pragma once

#include <QPointer>
#include <QWidget>

#include "UI/model/UserInterface.h"

namespace zelvora {

class TMessageBoxUI : public TUserInterface {
 public:
  explicit TMessageBoxUI(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning) override;
  void SetBusy(bool busy) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zelvora
