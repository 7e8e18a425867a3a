// TEditPrefixesForm: "Edit Question Prefixes", the editor of the four prefix
// histories (TPrefixHistories). One history is shown at a time as lines of
// text; choosing another stores the lines of the one shown first. On OK the
// empty lines are dropped and the four histories are written back.
#pragma once

#include <array>
#include <string>

#include "UI/model/DialogModel.h"
#include "UI/model/PrefixHistories.h"

namespace zelvora {

class TSectionedConfigFile;
class TUserInterface;

class TEditPrefixesForm : public TDialogModel {
 public:
  static constexpr std::array<const char*, 4> kCategories = {
      "Current Performance (Self)", "Your Expectations (Self)", "Current Performance (Other)",
      "Your Expectations (Other)"};
  static constexpr const char* kHint = "Select a prefix above and edit the list below";

  // Loads the histories and shows the first.
  explicit TEditPrefixesForm(TSectionedConfigFile* settings);

  std::string Caption() const override { return "Edit Question Prefixes"; }

  // PrefixCatLB's selection.
  int Category() const { return category_; }
  // Stores the lines shown, then shows history `index` (0 to 3).
  void SelectCategory(int index);
  // Prefixes: the history shown, one prefix per line ("\n" or "\r\n").
  std::string PrefixesText;

  // The histories with the lines shown stored.
  TPrefixLists Histories() const;

  // Shows the dialog and writes the histories when it closes with OK.
  bool Execute(TUserInterface& ui);

 private:
  TSectionedConfigFile* settings_;
  TPrefixLists lists_;
  int category_ = 0;
};

}  // namespace zelvora
