#include "UI/model/NameForm.h"

#include <utility>

#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {

TNameForm::TNameForm(std::string caption, std::string prompt, TEditMode mode, std::string name)
    : Name(std::move(name)),
      caption_(std::move(caption)),
      prompt_(std::move(prompt)),
      mode_(mode) {}

bool TNameForm::AcceptEnabled() const { return !std::string(Trim(Name)).empty(); }

std::optional<std::string> TNameForm::Execute(TUserInterface& ui) {
  if (!ui.ShowNameForm(*this)) return std::nullopt;
  std::string name = std::string(Trim(Name));
  if (name.empty()) return std::nullopt;
  return name;
}

}  // namespace zelvora
