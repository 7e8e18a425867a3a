#include "UI/MaskedEdit.h"

#include <QLineEdit>

namespace zelvora {

void SetMasked(QLineEdit& edit, bool masked) {
  edit.setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
  // 42 is "*"; the style's own mask character is a bullet.
  edit.setStyleSheet(masked ? "QLineEdit { lineedit-password-character: 42; }" : QString());
}

}  // namespace zelvora
