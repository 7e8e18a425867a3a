#include "UI/model/EDITRATR.h"

#include <algorithm>
#include <memory>

#include "DB/Experience.h"
#include "DB/Rater.h"
#include "DB/ScoreSheet.h"
#include "UI/model/EDITCATS.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {

TNewEditRaterForm::TNewEditRaterForm(TExperience& experience, TCompany& company,
                                     TSectionedConfigFile* settings, TUserInterface& ui)
    : experience_(&experience), company_(company), settings_(settings), ui_(ui) {
  Refresh();
}

TNewEditRaterForm::TNewEditRaterForm(TScoreSheet& sheet, TCompany& company,
                                     TSectionedConfigFile* settings, TUserInterface& ui)
    : experience_(sheet.Experience),
      sheet_(&sheet),
      company_(company),
      settings_(settings),
      ui_(ui),
      editing_(true) {
  RaterName = sheet.RaterName;
  Refresh();
  for (std::size_t i = 0; i < categories_.size(); ++i)
    if (categories_[i].Number == sheet.RaterCategory) SelectedCategory = static_cast<int>(i);
}

void TNewEditRaterForm::Refresh() {
  const int number = SelectedCategoryNumber();
  names_.clear();
  if (experience_ != nullptr) experience_->ScoreSheets();  // RaterNames follow the loaded sheets
  for (TSurvObject* item : company_.Raters().Raw()) {
    const std::string& name = static_cast<TRater*>(item)->Name;
    if (experience_ == nullptr || !experience_->HasRaterName(name)) names_.push_back(name);
  }
  std::stable_sort(names_.begin(), names_.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  SelectedNames.clear();
  TCategoryList all;
  company_.GetCategories(all);
  categories_.clear();
  SelectedCategory = -1;
  for (auto& category : all) {
    if (category.Number == 0) continue;
    if (category.Number == number) SelectedCategory = static_cast<int>(categories_.size());
    categories_.push_back(std::move(category));
  }
}

int TNewEditRaterForm::SelectedCategoryNumber() const {
  if (SelectedCategory < 0 || SelectedCategory >= static_cast<int>(categories_.size())) return -1;
  return categories_[static_cast<std::size_t>(SelectedCategory)].Number;
}

bool TNewEditRaterForm::AddEnabled() const {
  if (editing_ || experience_ == nullptr || SelectedCategoryNumber() < 0) return false;
  for (int index : SelectedNames)
    if (index >= 0 && index < static_cast<int>(names_.size())) return true;
  const std::string typed = std::string(Trim(RaterName));
  return !typed.empty() && !experience_->HasRaterName(typed);
}

void TNewEditRaterForm::Add() {
  if (!AddEnabled()) return;
  std::vector<std::string> names;
  for (int index : SelectedNames)
    if (index >= 0 && index < static_cast<int>(names_.size()))
      names.push_back(names_[static_cast<std::size_t>(index)]);
  const std::string typed = std::string(Trim(RaterName));
  if (!typed.empty() && !experience_->HasRaterName(typed) &&
      std::none_of(names.begin(), names.end(),
                   [&](const std::string& name) { return SameText(name, typed); }))
    names.push_back(typed);
  const auto category = static_cast<std::int16_t>(SelectedCategoryNumber());
  for (const std::string& name : names) {
    auto sheet = std::make_unique<TScoreSheet>();
    sheet->RaterName = name;
    sheet->RaterCategory = category;
    added_.push_back(experience_->ScoreSheets().Adopt(std::move(sheet)));
    company_.EnsureRater(name);
  }
  RaterName.clear();
  Refresh();
}

bool TNewEditRaterForm::OkEnabled() const {
  if (!editing_ || sheet_ == nullptr || SelectedCategoryNumber() < 0) return false;
  const std::string name = std::string(Trim(RaterName));
  if (name.empty()) return false;
  if (SameText(name, sheet_->RaterName)) return SelectedCategoryNumber() != sheet_->RaterCategory;
  return experience_ == nullptr || !experience_->HasRaterName(name);
}

bool TNewEditRaterForm::Execute() {
  if (!editing_) {
    ui_.ShowRaterForm(*this);
    return !added_.empty();
  }
  if (!ui_.ShowRaterForm(*this) || !OkEnabled()) return false;
  ApplyEditToDirectory();
  return true;
}

void TNewEditRaterForm::ApplyEditToDirectory() {
  const std::string old_name = sheet_->RaterName;
  const std::string new_name = std::string(Trim(RaterName));
  if (new_name == old_name) return;
  if (ui_.Ask("Do you want to remove \"" + old_name +
              "\"\nfrom the global list of company raters?")) {
    if (TRater* old_rater = company_.FindRater(old_name)) company_.Raters().Remove(old_rater);
  }
  company_.EnsureRater(new_name);
}

void TNewEditRaterForm::EditCategories() {
  TNewEditCategoryForm form(company_, settings_, ui_);
  form.Execute();
  Refresh();
}

void TNewEditRaterForm::DeleteDirectoryNames() {
  std::vector<std::string> chosen;
  for (int index : SelectedNames)
    if (index >= 0 && index < static_cast<int>(names_.size()))
      chosen.push_back(names_[static_cast<std::size_t>(index)]);
  if (chosen.empty()) return;
  if (!ui_.Ask(chosen.size() == 1 ? "Delete selected company rater?"
                                  : "Delete selected company raters?"))
    return;
  for (const std::string& name : chosen)
    if (TRater* rater = company_.FindRater(name)) company_.Raters().Remove(rater);
  Refresh();
}

}  // namespace zelvora
