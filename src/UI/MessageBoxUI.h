// TMessageBoxUI: TUserInterface shown with Qt message boxes over a parent
// window: information and error boxes with OK, Yes/No questions, the wait
// cursor while the models work on files.
#pragma once

#include <QPointer>
#include <QWidget>

#include "UI/model/AboutInfo.h"
#include "UI/model/UserInterface.h"

namespace zelvora {

class TMessageBoxUI : public TUserInterface {
 public:
  explicit TMessageBoxUI(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning) override;
  void ShowBusy(bool busy) override;
  // Programs without a flash message window show none.
  void ShowFlashMessage(const std::string&) override {}
  void HideFlashMessage() override {}
  void SetBusy(bool busy) override { ShowBusy(busy); }
  void ShowAbout(const TAboutInfo& info) override;
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zelvora
