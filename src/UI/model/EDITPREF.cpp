#include "UI/model/EDITPREF.h"

#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  lines.push_back(line);
  std::vector<std::string> kept;
  for (auto& entry : lines)
    if (!std::string(Trim(entry)).empty()) kept.push_back(entry);
  return kept;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

TEditPrefixesForm::TEditPrefixesForm(TSectionedConfigFile* settings)
    : settings_(settings), lists_(TPrefixHistories::Read(settings)) {
  PrefixesText = JoinLines(lists_[0]);
}

void TEditPrefixesForm::SelectCategory(int index) {
  if (index < 0 || index >= static_cast<int>(lists_.size())) return;
  lists_[static_cast<std::size_t>(category_)] = SplitLines(PrefixesText);
  category_ = index;
  PrefixesText = JoinLines(lists_[static_cast<std::size_t>(category_)]);
}

TPrefixLists TEditPrefixesForm::Histories() const {
  TPrefixLists lists = lists_;
  lists[static_cast<std::size_t>(category_)] = SplitLines(PrefixesText);
  return lists;
}

bool TEditPrefixesForm::Execute(TUserInterface& ui) {
  if (!ui.ShowPrefixesForm(*this)) return false;
  lists_ = Histories();
  TPrefixHistories::Write(settings_, lists_);
  return true;
}

}  // namespace zelvora
