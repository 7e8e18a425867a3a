// TMessageBoxUI: TUserInterface shown with Qt message boxes over a parent
// window: information and error boxes with OK, Yes/No questions, the wait
// cursor while the models work on files. Boxes carry the given caption, else
// the parent window's title, else the application's name.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <utility>

#include "UI/model/UserInterface.h"

namespace zelvora {

class TMessageBoxUI : public TUserInterface {
 public:
  explicit TMessageBoxUI(QWidget* parent = nullptr, QString caption = {})
      : parent_(parent), caption_(std::move(caption)) {}
  ~TMessageBoxUI() override;
  TMessageBoxUI(const TMessageBoxUI&) = delete;
  TMessageBoxUI& operator=(const TMessageBoxUI&) = delete;

  // The window message boxes and dialogs are centred on (none: the screen).
  void SetParent(QWidget* parent) { parent_ = parent; }
  QWidget* Parent() const { return parent_; }

  void Inform(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& text, bool warning) override;
  void SetBusy(bool busy) override;
  bool ShowDateDialog(TDateEntryDialog& dialog) override;

 private:
  QString BoxCaption() const;

  QPointer<QWidget> parent_;
  QString caption_;
  int busy_ = 0;
};

}  // namespace zelvora
