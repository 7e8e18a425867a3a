#include "UI/FlashMessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zelvora {

TFlashMessageForm::TFlashMessageForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      panel_(new QLabel(this)) {
  setObjectName("FlashMessageForm");
  panel_->setObjectName("Panel");
  panel_->setAlignment(Qt::AlignCenter);
  panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel_->setLineWidth(2);
  panel_->setAutoFillBackground(true);
  QPalette palette = panel_->palette();
  palette.setColor(QPalette::WindowText, Qt::blue);
  panel_->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(panel_);
}

void TFlashMessageForm::ShowMessage(const QString& text) {
  HideMessage();
  panel_->setText(text);
  setWindowTitle(text);
  const QFontMetrics metrics(panel_->font());
  resize(2 * metrics.horizontalAdvance(text), 3 * metrics.height());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  raise();
  repaint();
  // The long work that follows keeps the event loop from running; paint
  // the message now so it is on the screen during that work.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFlashMessageForm::HideMessage() { hide(); }

QString TFlashMessageForm::Text() const { return panel_->text(); }

}  // namespace zelvora
