#include "UI/model/EDITCATS.h"

#include <algorithm>
#include <utility>

#include "APP/SectionedConfigFile.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
namespace {

std::string CategoryName(const std::string& text) {
  std::string name = std::string(Trim(text));
  if (name.size() > TNewEditCategoryForm::kNameMaxChars)
    name = std::string(Trim(name.substr(0, TNewEditCategoryForm::kNameMaxChars)));
  return name;
}

}  // namespace

TNewEditCategoryForm::TNewEditCategoryForm(TCompany& company, TSectionedConfigFile* settings,
                                           TUserInterface& ui)
    : company_(company), settings_(settings), ui_(ui) {
  TCategoryList all;
  company_.GetCategories(all);
  for (auto& category : all)
    if (category.Number != 0) categories_.push_back(std::move(category));
  if (settings_ != nullptr) deleted_ = TDeletedCategories::Read(*settings_, company_.ID.Key());
  // The next number lies above every number in use or remembered, also when
  // LastCategoryNumber was damaged.
  last_number_ = company_.LastCategoryNumber;
  for (const auto& category : categories_) last_number_ = std::max(last_number_, category.Number);
  for (const auto& category : deleted_) last_number_ = std::max(last_number_, category.number);
}

void TNewEditCategoryForm::Select(int index) {
  selected_ = (index >= 0 && index < static_cast<int>(categories_.size())) ? index : -1;
}

int TNewEditCategoryForm::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < categories_.size(); ++i)
    if (SameText(categories_[i].Name, name)) return static_cast<int>(i);
  return -1;
}

void TNewEditCategoryForm::TypeName(const std::string& text) {
  typed_ = text;
  const int found = IndexOf(CategoryName(text));
  if (found >= 0) selected_ = found;
}

bool TNewEditCategoryForm::AddEnabled() const {
  const std::string name = CategoryName(typed_);
  return !name.empty() && !SameText(name, "Self") && IndexOf(name) < 0;
}

void TNewEditCategoryForm::Add() {
  if (!AddEnabled()) return;
  const std::string name = CategoryName(typed_);
  TCategory category{name, 0};
  if (auto remembered = TDeletedCategories::Take(deleted_, name)) {
    category.Number = remembered->number;
  } else {
    category.Number = ++last_number_;
  }
  categories_.push_back(category);
  selected_ = static_cast<int>(categories_.size()) - 1;
  typed_.clear();
  changed_ = true;
}

void TNewEditCategoryForm::EditSelected() {
  if (!EditEnabled()) return;
  std::string value = categories_[static_cast<std::size_t>(selected_)].Name;
  if (!ui_.InputBox("Edit Category Name", "Type the new category name.", value)) return;
  const std::string name = CategoryName(value);
  const int other = IndexOf(name);
  // An empty name or the name of another entry would make two categories
  // indistinguishable; the entry keeps its name then.
  if (name.empty() || SameText(name, "Self") || (other >= 0 && other != selected_)) return;
  if (categories_[static_cast<std::size_t>(selected_)].Name == name) return;
  categories_[static_cast<std::size_t>(selected_)].Name = name;
  changed_ = true;
}

void TNewEditCategoryForm::DeleteSelected() {
  if (!DeleteEnabled()) return;
  const TCategory category = categories_[static_cast<std::size_t>(selected_)];
  if (!ui_.Ask("Are you sure you want to delete the \"" + category.Name + "\" category?")) return;
  deleted_.push_back({category.Number, category.Name});
  categories_.erase(categories_.begin() + selected_);
  if (selected_ >= static_cast<int>(categories_.size()))
    selected_ = static_cast<int>(categories_.size()) - 1;
  changed_ = true;
}

bool TNewEditCategoryForm::MoveDownEnabled() const {
  return selected_ >= 0 && selected_ + 1 < static_cast<int>(categories_.size());
}

void TNewEditCategoryForm::MoveUp() {
  if (!MoveUpEnabled()) return;
  std::swap(categories_[static_cast<std::size_t>(selected_)],
            categories_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  changed_ = true;
}

void TNewEditCategoryForm::MoveDown() {
  if (!MoveDownEnabled()) return;
  std::swap(categories_[static_cast<std::size_t>(selected_)],
            categories_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  changed_ = true;
}

bool TNewEditCategoryForm::Execute() {
  if (!ui_.ShowCategoryForm(*this) || !changed_) return false;
  Commit();
  return true;
}

void TNewEditCategoryForm::Commit() {
  if (settings_ != nullptr) TDeletedCategories::Write(*settings_, company_.ID.Key(), deleted_);
  company_.LastCategoryNumber = std::max(company_.LastCategoryNumber, last_number_);
  company_.SetCategories(categories_);
}

}  // namespace zelvora
