// TFlashMessageForm: the borderless one-line window shown during long work
// ("Initializing Database", "Reindexing Database"): blue text on a single
// panel, twice as wide and three times as high as the text, centred on the
// screen and painted before the call returns.
#pragma once

#include <QWidget>

class QLabel;

namespace zelvora {

class TFlashMessageForm : public QWidget {
 public:
  explicit TFlashMessageForm(QWidget* parent = nullptr);

  // Hides the message shown, then shows `text`.
  void ShowMessage(const QString& text);
  void HideMessage();
  QString Text() const;

 private:
  QLabel* panel_;
};

}  // namespace zelvora
