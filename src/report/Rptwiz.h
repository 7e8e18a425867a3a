// TRptWiz: the report wizard without its window. The user picks a report
// category, a company, departments, a survey, subjects and experiences (or
// raters), then the sections and options on the last page; the wizard
// builds the generator's report request from those and hands it on to be
// viewed or printed (or, for rater disks, hands the raters to the
// survey-disk maker).
//
// Pages, by index: 0 report type, 1 company, 2 departments, 3 survey,
// 4 subjects, 5 experiences, 6 report select, 7 raters. The order they come
// in depends on the category and on "Choose from:".
//
// Callers may rely on:
//  - every entry of a list carries its object (null only for the empty
//    entries that separate subjects on the Comparative experience page,
//    which cannot be selected);
//  - selections are remembered by index (0..255) while the wizard lives, so
//    going back and forth restores them; a changed selection on a page
//    clears the selections of the pages after it in the current order;
//  - Next() and Back() do nothing when not enabled;
//  - everything asked or handed on goes through TReportWizardUI.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "report/Report.h"

namespace zelvora {

class TDataRoot;
class TSurvObject;
class TReportWizardUI;

enum TRptWizPage : int {
  rwType = 0,
  rwCompany = 1,
  rwDepartment = 2,
  rwSurvey = 3,
  rwSubject = 4,
  rwExperience = 5,
  rwReportSelect = 6,
  rwSurveyOf = 7,
};
inline constexpr int kRptWizPages = 8;

enum TRptWizCategory : int {
  rcNone = -1,
  rcIndividual = 0,
  rcComparative,
  rcComposite,
  rcOrganizational,
  rcTraining,
  rcRaterSurveys,
  rcRaterDisks,
};
inline constexpr int kRptWizCategories = 7;
// "Individual", "Comparative", ... "Rater Disks".
const char* RptWizCategoryName(int category);
// The report kind of a category (8 for Rater Disks).
int RptWizCategoryKind(int category);
// What "Current Category: " names for a wizard preset with report `kind`:
// the category of that kind, or what the Control Center's entry prints
// ("Blank Surveys", "Skill Areas") for the kinds no category has.
std::string RptWizPresetName(int kind);

inline constexpr const char* kRptWizCaption = "Report Wizard";
inline constexpr const char* kRptWizDisksCaption = "Create Survey Disks";
inline constexpr const char* kRptWizReturnPrompt =
    "Enter a return date for surveys, or press 'ASAP'";
inline constexpr const char* kRptWizNameTitle = "Report Name";
inline constexpr const char* kRptWizNamePrompt = "Enter a descriptive name";
inline constexpr const char* kRptWizNameDefault = "Grouped Results";
inline constexpr std::size_t kRptWizNameMaxChars = 31;
// Indices above this are not remembered.
inline constexpr int kRptWizMaxRemembered = 255;

struct TRptWizEntry {
  std::string Text;
  TSurvObject* Object = nullptr;
  bool Selected = false;
};

// The report check boxes of page 6, by section number: 1 to 4 (Category,
// Individual Practices, Overview, Summary), 6 and 7 (by Skill Areas, by
// Questions).
inline constexpr std::array<int, 6> kRptWizBoxSections = {1, 2, 3, 4, 6, 7};

class TRptWiz {
 public:
  TRptWiz(TDataRoot& root, TReportWizardUI& ui);
  TRptWiz(const TRptWiz&) = delete;
  TRptWiz& operator=(const TRptWiz&) = delete;

  // Page 0 with no category chosen.
  void Open();
  // Page 6 over `sources` for a Control Center print command: `kind` and
  // `sections` as given (kind 1 takes its sections from the check boxes),
  // `name` shown as the category. Asks the Print password except for kinds
  // 6 to 8; false (and Closed()) when it was refused.
  bool OpenPreset(int kind, std::uint16_t sections, std::vector<TReportSourceEntry> sources,
                  const std::string& name);
  // Set when a preset wizard's password was refused: the window closes.
  bool Closed() const { return closed_; }
  bool IsPreset() const { return preset_; }

  int Page() const { return page_; }
  const std::vector<int>& PageOrder() const { return order_; }
  // "Current Category: " and the category's name.
  std::string InfoText() const;
  // The page's prompt, or its empty-result message when its list is empty.
  std::string HelpText() const;

  // Page 0.
  void SetCategory(int category);
  int Category() const { return category_; }
  // Page 2: "Choose from:" Subjects (true) or Surveys (false).
  void SetChooseSubjects(bool subjects);
  bool ChooseSubjects() const { return subjects_first_; }

  // The list of a list page (1 to 5 and 7) as last built.
  const std::vector<TRptWizEntry>& List(int page) const;
  bool MultiSelect(int page) const;
  // Selects or clears one entry of the current page's list; on a
  // single-choice page selecting an entry un-chooses the others. Separators
  // and indices outside the list are ignored.
  void SetSelected(int index, bool selected);
  int SelectedCount(int page) const;

  bool SelectButtonsVisible() const;
  bool SelectButtonsEnabled() const;
  void SelectAll();
  void UnselectAll();

  bool CanBack() const;
  bool CanNext() const;
  void Back();
  void Next();

  // Page 6.
  bool ReportBoxesVisible() const;
  bool BoxVisible(int section) const;
  bool BoxChecked(int section) const;
  void SetBoxChecked(int section, bool checked);
  bool MemoVisible() const { return !ReportBoxesVisible(); }
  bool CategoryRadioVisible() const { return kind_ == kReportBlankForms; }
  bool CopiesAndTitleVisible() const;
  bool CanView() const;
  std::string MemoText() const;
  int Copies = 1;  // 1..99
  bool TitlePage = true;
  bool OtherCategory = false;  // "OTHER" rather than "SELF"
  // 0 when A.S.A.P. (or none asked).
  double ReturnDate = 0.0;
  std::string ReportName;

  // The request for the choices made; throws std::runtime_error when the
  // chosen objects cannot be read.
  TReportRequest BuildRequest() const;
  // Build the request and hand it to the preview or the printing window;
  // errors are shown and nothing is handed on.
  void View();
  void Print();

  int Kind() const { return kind_; }

 private:
  void Enter(int page);
  void Leave(int page);
  void BuildList(int page);
  void ClearAfter(int page);
  void ResetBoxes();
  std::vector<TSurvObject*> Chosen(int page) const;
  std::vector<std::string> SourceTexts() const;
  bool Comparative() const { return category_ == rcComparative && !preset_; }
  void Hand(bool print);

  TDataRoot& root_;
  TReportWizardUI& ui_;
  int page_ = rwType;
  int category_ = rcNone;
  int kind_ = 0;
  bool subjects_first_ = false;
  bool preset_ = false;
  bool closed_ = false;
  std::string preset_name_;
  std::uint16_t preset_sections_ = 0;
  std::vector<TReportSourceEntry> preset_sources_;
  std::vector<int> order_;
  std::array<std::vector<TRptWizEntry>, kRptWizPages> lists_;
  std::array<std::set<int>, kRptWizPages> remembered_;
  std::array<bool, 8> boxes_{};
};

}  // namespace zelvora
