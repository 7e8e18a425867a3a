// TNewEditCategoryForm: the rater-category dialog ("Categories...") of one
// company: the categories in table order without Self, edited in the dialog
// and written to the company only on "&Ok".
//
// The company's deleted categories are remembered in the settings file
// (TDeletedCategories, a section named by the company's key): a category
// deleted here goes there, and adding a name that matches a remembered one
// (letter case ignored) brings it back with its old number. New names get a
// number above every number the company ever handed out, so the score sheets
// of a deleted category never fall under a new name.
#pragma once

#include <string>
#include <vector>

#include "APP/DeletedCategories.h"
#include "DB/Company.h"
#include "UI/model/DialogModel.h"

namespace zelvora {

class TSectionedConfigFile;
class TUserInterface;

class TNewEditCategoryForm : public TDialogModel {
 public:
  static constexpr std::size_t kNameMaxChars = 15;

  // Reads the company's categories (which raises LastCategoryNumber to the
  // number of entries when smaller) and its deleted-category memory.
  TNewEditCategoryForm(TCompany& company, TSectionedConfigFile* settings, TUserInterface& ui);

  std::string Caption() const override { return "Categories..."; }

  // CategoryLB, without Self.
  const TCategoryList& Categories() const { return categories_; }
  int Selected() const { return selected_; }
  void Select(int index);
  // CategoryEdit: typing selects the matching entry (letter case ignored).
  const std::string& TypedName() const { return typed_; }
  void TypeName(const std::string& text);

  bool AddEnabled() const;
  void Add();
  bool EditEnabled() const { return selected_ >= 0; }
  // Asks for the new name in an input box; the number stays.
  void EditSelected();
  bool DeleteEnabled() const { return selected_ >= 0; }
  // Asks first; the category goes into the deleted-category memory.
  void DeleteSelected();
  bool MoveUpEnabled() const { return selected_ > 0; }
  bool MoveDownEnabled() const;
  void MoveUp();
  void MoveDown();
  bool OkEnabled() const { return changed_; }

  const std::vector<TDeletedCategory>& DeletedMemory() const { return deleted_; }

  // Shows the dialog and commits when it was closed with "&Ok".
  bool Execute();
  // Rewrites the memory section, sets LastCategoryNumber to the highest
  // number handed out and stores the categories in the company (saved).
  void Commit();

 private:
  int IndexOf(const std::string& name) const;

  TCompany& company_;
  TSectionedConfigFile* settings_;
  TUserInterface& ui_;
  TCategoryList categories_;
  std::vector<TDeletedCategory> deleted_;
  std::string typed_;
  int selected_ = -1;
  int last_number_ = 0;
  bool changed_ = false;
};

}  // namespace zelvora
