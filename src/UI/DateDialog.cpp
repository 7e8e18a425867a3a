#include "UI/DateDialog.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/DateDlg.h"

namespace zelvora {

TDateDialog::TDateDialog(TDateEntryDialog& form, TUserInterface& ui, QWidget* parent)
    : QDialog(parent), form_(form), ui_(ui) {
  setObjectName("DateEntryDialog");
  setWindowTitle(ToQ(form.Caption()));
  DateEdit = new QLineEdit(ToQ(form.DateText));
  DateEdit->setObjectName("DateEdit");
  DateEdit->setMaxLength(10);
  HelpLabel = BuddyLabel(ToQ(form.Prompt()), DateEdit);
  HelpLabel->setObjectName("HelpLabel");
  HelpLabel->setWordWrap(true);
  DisplayPanel = new QLabel(ToQ(form.DisplayText()));
  DisplayPanel->setObjectName("DisplayPanel");
  DisplayPanel->setFrameShape(QFrame::StyledPanel);
  DisplayPanel->setFrameShadow(QFrame::Sunken);
  DisplayPanel->setMinimumWidth(240);
  DisplayPanel->setAccessibleName("Date");
  OkBtn = NamedButton("OKBtn", ToQ(form.OkCaption()));
  OkBtn->setDefault(true);
  CancelBtn = NamedButton("CancelBtn", ToQ(form.CancelCaption()));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(HelpLabel);
  layout->addWidget(DateEdit);
  layout->addWidget(DisplayPanel);
  layout->addLayout(buttons);

  DateEdit->installEventFilter(this);
  connect(DateEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.DateText = FromQ(text);
    DisplayPanel->setText(ToQ(form_.DisplayText()));
  });
  // OK checks the field as leaving it does (leaving towards OK is not
  // checked twice).
  connect(OkBtn, &QPushButton::clicked, this, [this] {
    if (form_.Leave(ui_))
      accept();
    else
      DateEdit->setFocus();
  });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TDateDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == DateEdit && event->type() == QEvent::FocusOut && !checking_ && isVisible()) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Cancel leaves without a check and OK checks itself; a popup or another window is no leaving.
    const bool to_button = CancelBtn->underMouse() || focusWidget() == CancelBtn ||
                           OkBtn->underMouse() || focusWidget() == OkBtn;
    if (!to_button && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      checking_ = true;
      if (!form_.Leave(ui_)) QTimer::singleShot(0, DateEdit, [this] { DateEdit->setFocus(); });
      checking_ = false;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zelvora
