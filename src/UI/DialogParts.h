// Small helpers the edit dialogs share: text conversion between the models'
// UTF-8 strings and Qt, and controls made with their object name, caption
// and accessible name in one call.
#pragma once

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

}  // namespace zelvora
