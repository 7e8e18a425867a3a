// TNewEditRaterForm: the rater dialog.
//
// New ("New Rater...", for an experience, stays open until "&Done"): the
// company's rater directory without the names that already rate the
// experience (several may be selected), a typed name, and the categories
// without Self. "&Add" makes one score sheet per selected name plus one for
// the typed name, all in the chosen category, and puts every name that is
// not yet in the directory there.
//
// Edit ("Edit Rater...", for one score sheet): the name and category; "&Ok"
// when the name rates the experience not yet, or is this rater with another
// category. A changed name asks whether the old name leaves the directory;
// the new one joins it. The caller stores name and category in the sheet.
#pragma once

#include <string>
#include <vector>

#include "DB/Company.h"
#include "UI/model/DialogModel.h"

namespace zelvora {

class TExperience;
class TScoreSheet;
class TSectionedConfigFile;
class TUserInterface;

class TNewEditRaterForm : public TDialogModel {
 public:
  // New form for `experience`.
  TNewEditRaterForm(TExperience& experience, TCompany& company, TSectionedConfigFile* settings,
                    TUserInterface& ui);
  // Edit form for `sheet` (of an experience).
  TNewEditRaterForm(TScoreSheet& sheet, TCompany& company, TSectionedConfigFile* settings,
                    TUserInterface& ui);

  std::string Caption() const override { return editing_ ? "Edit Rater..." : "New Rater..."; }
  TEditMode Mode() const { return editing_ ? TEditMode::Edit : TEditMode::New; }
  std::string AcceptCaption() const { return editing_ ? "&Ok" : "&Add"; }
  std::string CancelCaption() const { return editing_ ? "&Cancel" : "&Done"; }
  static std::string NameHeader() { return "Rater Name"; }
  static std::string CategoryHeader() { return "Rater Category"; }

  // RaterNameEdit.
  std::string RaterName;
  // RaterNameLB, sorted; and its selection (indexes).
  const std::vector<std::string>& DirectoryNames() const { return names_; }
  std::vector<int> SelectedNames;
  // RaterCategoryLB (without Self) and its selection (-1 none).
  const TCategoryList& RaterCategories() const { return categories_; }
  int SelectedCategory = -1;
  // The category number selected, or -1.
  int SelectedCategoryNumber() const;

  // New form.
  bool AddEnabled() const;
  // Creates the score sheets and refreshes the lists; the form stays open.
  void Add();
  // Score sheets made by Add since the form opened.
  const std::vector<TScoreSheet*>& AddedSheets() const { return added_; }

  // Edit form.
  bool OkEnabled() const;

  // Shows the dialog. New: true when at least one sheet was added. Edit:
  // true when accepted; the directory question has then been asked.
  bool Execute();

  // "&Edit Categories": the category dialog, then the categories reloaded.
  void EditCategories();
  // The context menu "&Delete" on the directory: asks, then removes the
  // selected names from the company's directory.
  void DeleteDirectoryNames();

 private:
  void Refresh();
  void ApplyEditToDirectory();

  TExperience* experience_ = nullptr;
  TScoreSheet* sheet_ = nullptr;
  TCompany& company_;
  TSectionedConfigFile* settings_;
  TUserInterface& ui_;
  bool editing_ = false;
  std::vector<std::string> names_;
  TCategoryList categories_;
  std::vector<TScoreSheet*> added_;
};

}  // namespace zelvora
