// Small helpers the edit dialogs share: text conversion between the models'
// UTF-8 strings and Qt, and controls made with their object name, caption
// and accessible name in one call.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <string>

namespace zelvora {

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQ(const QString& text) { return text.toStdString(); }

inline QPushButton* NamedButton(const QString& name, const QString& caption,
                                QWidget* parent = nullptr) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

// A label for `field`: the field's accessible name is the label's text
// without the mnemonic mark and the colon.
inline QLabel* BuddyLabel(const QString& caption, QWidget* field, QWidget* parent = nullptr) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(field);
  QString name = caption;
  name.remove('&');
  if (name.endsWith(':')) name.chop(1);
  field->setAccessibleName(name);
  return label;
}

// The accept and cancel buttons of an edit dialog, right-aligned: "AddBtn"
// with the model's accept caption (hidden when it has none) and
// "CancelDoneBtn" with its cancel caption, closing the dialog as accepted
// and rejected. The dialog keeps the model's enabling up to date.
template <class TForm>
QHBoxLayout* AcceptCancelButtons(QDialog* dialog, const TForm& form, QPushButton*& accept,
                                 QPushButton*& cancel) {
  accept = NamedButton("AddBtn", ToQ(form.AcceptCaption()));
  accept->setVisible(!form.AcceptCaption().empty());
  cancel = NamedButton("CancelDoneBtn", ToQ(form.CancelCaption()));
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(accept);
  row->addWidget(cancel);
  QObject::connect(accept, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return row;
}

}  // namespace zelvora
