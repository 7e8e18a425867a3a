// TMessageBoxUI: TUserInterface shown with Qt message boxes over a parent
// window: information and error boxes with OK, Yes/No questions, the wait
// cursor while the models work on files. The program's flash message, About
// box and password prompt come from TWidgetUserInterface.
#pragma once

#include <QPointer>
#include <QWidget>

#include "UI/WidgetUserInterface.h"

namespace zelvora {

class TMessageBoxUI : public TWidgetUserInterface {
 public:
  explicit TMessageBoxUI(QWidget* parent = nullptr) : parent_(parent) {
    TWidgetUserInterface::SetParent(parent);
  }
  void SetParent(QWidget* parent) {
    parent_ = parent;
    TWidgetUserInterface::SetParent(parent);
  }

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning) override;
  void ShowBusy(bool busy) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zelvora
