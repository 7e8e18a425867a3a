// TSelSurvForm: "Survey Selection", the library surveys a department may take
// a copy of, and the size checks a department survey must pass.
//
// A department survey needs skill areas; a single skill area needs at least
// 10 questions, and with several skill areas each needs at least 5. Surveys
// that fail are refused with one information box per failing skill area and
// deselected at once, so Done (enabled while something is selected) never
// hands back a refused survey.
#pragma once

#include <string>
#include <vector>

#include "UI/model/DialogModel.h"

namespace zelvora {

class TSurvey;
class TUserInterface;

class TSelSurvForm : public TDialogModel {
 public:
  explicit TSelSurvForm(TUserInterface& ui) : ui_(ui) {}

  std::string Caption() const override { return "Survey Selection"; }
  static std::string DoneCaption() { return "&Done"; }
  static std::string CancelCaption() { return "&Cancel"; }

  struct TEntry {
    std::string Name;
    TSurvey* Survey = nullptr;
    bool Selected = false;
  };
  // SurveyDLB, sorted by name.
  const std::vector<TEntry>& Entries() const { return entries_; }

  // A click in the list: the selection is now `selected` (indexes); every
  // selected survey is checked and the refused ones deselected.
  void Click(const std::vector<int>& selected);
  bool DoneEnabled() const;

  // Fills the list, shows the dialog; the selected surveys when it was
  // closed with Done and something is selected, else nothing.
  std::vector<TSurvey*> SelectSurveys(const std::vector<TSurvey*>& surveys);

  // The refusals of `survey` as a department survey: empty when it passes.
  // With `every_area` one message per skill area that is too small,
  // otherwise only the first.
  static std::vector<std::string> CheckDepartmentSurvey(TSurvey& survey, bool every_area);

 private:
  TUserInterface& ui_;
  std::vector<TEntry> entries_;
};

}  // namespace zelvora
