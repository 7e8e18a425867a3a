#include "UI/model/PasswordChecks.h"

#include <optional>

#include "UI/model/UserInterface.h"

namespace zelvora {

TPasswordChecks::TPasswordChecks(const TPasswordStore& store, TUserInterface& ui)
    : hashes_{store.Hash(TPasswordItem::Start), store.Hash(TPasswordItem::Print),
              store.Hash(TPasswordItem::View)},
      ui_(ui) {}

bool TPasswordChecks::Check(TPasswordItem item, const char* prompt) {
  const std::string& hash = hashes_[static_cast<std::size_t>(item) - 1];
  if (hash.empty()) return true;
  for (;;) {
    const std::optional<std::string> text = ui_.AskPassword(prompt, true);
    if (!text) return false;
    if (TPasswordStore::Verify(hash, *text)) return true;
  }
}

bool TPasswordChecks::CheckStart() { return Check(TPasswordItem::Start, kStartPrompt); }

bool TPasswordChecks::CheckPrint() {
  if (!print_granted_) print_granted_ = Check(TPasswordItem::Print, kPrintPrompt);
  return print_granted_;
}

bool TPasswordChecks::CheckView() { return Check(TPasswordItem::View, kViewPrompt); }

}  // namespace zelvora
