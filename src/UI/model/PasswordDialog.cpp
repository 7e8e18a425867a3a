#include "UI/model/PasswordDialog.h"

#include "UI/model/UserInterface.h"

namespace zelvora {

bool TPasswordDialog::Change(TPasswordItem item, const std::string& old_text,
                             const std::string& new_text, const std::string& confirm_text) {
  if (!store_.Matches(item, old_text)) {
    ui_.ShowError(kOldIncorrect);
    return false;
  }
  if (new_text != confirm_text) {
    ui_.ShowError(kConfirmMismatch);
    return false;
  }
  try {
    store_.Set(item, new_text);
  } catch (const EPasswordStore& e) {
    ui_.ShowError(e.what());
    return false;
  }
  changed_ = true;
  ui_.Inform(kChanged);
  return true;
}

void TPasswordDialog::Close() {
  if (changed_) ui_.Inform(kRestartNeeded);
  changed_ = false;
}

}  // namespace zelvora
