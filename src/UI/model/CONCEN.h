// TControlCenter: the administrator's workspace without a window: twelve
// linked lists over the object tree on three tabs (Organizations, Surveys,
// Questions) and a detail page, the buttons and menus over them, and every
// create, edit, show, delete, reorder and copy action with its rules.
//
// Lists by index: 0 CompanyLB, 1 DepartmentLB, 2 DepartmentSurveyLB (the
// Organizations tab); 3 SurveyLB, 4 SkillAreaLB, 5 SurveyQuestionLB
// (Surveys); 6 QuestSkillAreaLB, 7 QuestionLB, 8 SuggestionLB (Questions,
// shown in the unrestricted mode only); 9 SubjectLB, 10 ExperienceLB,
// 11 RaterLB (the detail page of one department survey). Selecting in a list
// refills the lists to its right.
//
// How a window uses it: it draws the lists (TCCList), the buttons
// (Buttons()), the tab, page, title, caption and detail header from here,
// forwards every click, key, tab change, menu choice and drag to the
// operations below, and redraws afterwards. Everything the user is asked or
// told goes through the TUserInterface given at construction; failures of the
// database during an action reach the user as an error box and end the
// action, leaving what was done before the failure.
//
// Requires: an open survey database (TMemoryDB or TSurveyDB) for the whole
// life of the Control Center.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "UI/model/CCList.h"

namespace zelvora {

class TDataRoot;
class TSectionedConfigFile;
class TSurveyDefaults;
class TSurvObject;
class TSurvey;
class TSkillArea;
class TDepartment;
class TExperience;
class TUserInterface;

enum TCCListIndex : int {
  CompanyLB = 0,
  DepartmentLB = 1,
  DepartmentSurveyLB = 2,
  SurveyLB = 3,
  SkillAreaLB = 4,
  SurveyQuestionLB = 5,
  QuestSkillAreaLB = 6,
  QuestionLB = 7,
  SuggestionLB = 8,
  SubjectLB = 9,
  ExperienceLB = 10,
  RaterLB = 11,
};
inline constexpr int kCCListCount = 12;

enum class TCCTab { Organizations = 0, Surveys = 1, Questions = 2 };
enum class TCCPage { Start, Detail };

// Enabled states of the bottom buttons and the "&Edit" menu.
struct TCCButtons {
  bool Done = false;
  bool Edit = false;
  bool Show = false;
  bool Create = false;
  bool Print = false;
  bool Delete = false;  // the "&Delete" menu entry and the Delete key
  bool Name = false;    // the "&Name" menu entry
  bool operator==(const TCCButtons&) const = default;
};

enum class TCCCommand {
  Separator,
  Create,
  Edit,
  Show,
  PrintBlankSurveys,
  PrintSkillArea,
  PrintExperienceResults,
  PrintComparative,
  PrintRaterSurveys,
  MakeSurveyDisks,
  ImportSurveyDisk,
};

struct TCCMenuEntry {
  std::string Caption;  // "-" for a separator
  TCCCommand Command = TCCCommand::Separator;
  bool operator==(const TCCMenuEntry&) const = default;
};

class TControlCenter {
 public:
  static constexpr const char* kUnrestrictedWord = "WRENFAX";
  static constexpr const char* kCaption = "Control Center";

  // Creates the data root (adding the built-in "User Skill Areas" survey to
  // an empty library) and fills CompanyLB. `first_parameter` is the
  // program's first command-line parameter; `settings` (may be null) keeps
  // the prefix histories and the deleted categories.
  TControlCenter(TUserInterface& ui, TSectionedConfigFile* settings,
                 const std::string& first_parameter);
  ~TControlCenter();
  TControlCenter(const TControlCenter&) = delete;
  TControlCenter& operator=(const TControlCenter&) = delete;

  // ---- What the window draws.
  TDataRoot& Root() { return *root_; }
  const TCCList& List(int index) const;
  int ActiveList() const { return active_; }
  bool UnrestrictedMode() const { return unrestricted_; }
  bool DepartmentSurveyMode() const { return department_survey_mode_; }
  bool UserSkillAreaMode() const { return user_skill_area_mode_; }
  bool ReadOnlySurvey() const { return read_only_survey_; }
  TCCTab Tab() const { return tab_; }
  TCCPage Page() const { return page_; }
  // Whether the "Questions" tab exists (unrestricted mode).
  bool QuestionsTabShown() const { return unrestricted_; }
  const std::string& Title() const { return title_; }
  const std::string& WindowCaption() const { return caption_; }
  // "Company: ...", "Department: ...", "Survey: ..." of the detail page.
  const std::array<std::string, 3>& DetailHeader() const { return detail_header_; }
  // The department survey the detail page shows (null on the start page).
  TSurvey* ShownSurvey() const { return shown_survey_; }
  const TCCButtons& Buttons() const { return buttons_; }
  // The field of the layout settings that keeps the width of list `index`,
  // or null when its width is not kept (lists 2, 5, 8 and 11, and the
  // Questions tab's lists outside the unrestricted mode). The window sets
  // the widths from these fields when it opens and stores them when it
  // closes.
  int* ListWidthSetting(TSurveyDefaults& defaults, int index) const;

  // ---- What the window forwards.
  // After a restore or re-index: the data root reloads and the window starts
  // over on the Organizations tab.
  void Reload();
  // A list took the focus.
  void Focus(int list);
  // A click in `list` left `selection` selected.
  void Click(int list, std::vector<int> selection);
  void ChangeTab(TCCTab tab);
  // Double-click or Enter on an entry: Create on the add entry, else Edit.
  void Activate(int list, int index);
  void KeyDelete();
  void KeyInsert();
  void KeyRight();
  void KeyLeft();
  void KeyPageDown();
  void KeyPageUp();
  void DoneClick();
  void EditClick();
  void ShowClick();
  void CreateClick();
  void PrintClick();
  void DeleteClick();  // the "&Delete" menu entry
  void NameClick();    // the "&Name" menu entry
  void QuestionPrefixesClick();
  void WizardClick();  // "&Reports" / "&Wizard"
  // The context menu of a right click on entry `index` of `list` (the entry
  // is selected first when it is not), with only the entries that may run.
  std::vector<TCCMenuEntry> ContextMenu(int list, int index);
  void RunCommand(TCCCommand command);
  // Dragging the selection of `source` onto entry `index` of `target`
  // (index == count: below the last entry).
  bool CanDrop(int source, int target, int index);
  void Drop(int source, int target, int index);

  // ---- The fills, each selecting `select` afterwards (-1: nothing) and
  // clearing or refilling the lists to the right.
  void FillCompanyLB(int select = -1);
  void FillDepartmentLB(int select = -1);
  void FillDepartmentSurveyLB(int select = -1);
  void FillSurveyLB(int select = -1);
  void FillSkillAreaLB(int select = -1);
  void FillSurveyQuestionLB(int select = -1);
  void FillQuestSkillAreaLB(int select = -1);
  void FillQuestionLB(int select = -1);
  void FillSuggestionLB(int select = -1);
  void FillSubjectLB(int select = -1);
  void FillExperienceLB(int select = -1);
  void FillRaterLB(int select = -1);

  // ---- The actions on the active list, whatever the buttons say (the
  // buttons and keys call them only when enabled).
  void Create();
  void Edit();
  void Show();
  void DeleteSelection();

  // The button states `list` would have if it were the active list.
  TCCButtons ButtonsFor(int list) const;

 private:
  // Fills and refreshes (CCFill.cpp).
  TCCList& L(int index) { return lists_[static_cast<std::size_t>(index)]; }
  const TCCList& L(int index) const { return lists_[static_cast<std::size_t>(index)]; }
  // Neither recomputes the buttons: while lists are refilled one after
  // another, a list not refilled yet may still name objects that are gone.
  void FillOnly(int list);
  void FillAndCascade(int list, int select);
  // Refills `list` and the lists after it in its group, keeping what was
  // selected (by object); `select`, when given, becomes the selection of
  // `list`.
  void Refresh(int list, const TSurvObject* select = nullptr);
  static int GroupEnd(int list);
  TSurvey* UserSkillAreasSurvey();
  bool IsLibraryEntry(int index) const;
  // The survey whose skill areas the Questions tab shows.
  TSurvey* QuestionLibrarySurvey();

  // Rules (CCButtons.cpp).
  void RecomputeButtons();
  bool IsBuiltIn(const TSurvey* survey) const;
  bool IsEditable(const TSurvey* survey) const;
  bool IsDepartmentSurvey(const TSurvey* survey) const;
  // The one survey selected on the Surveys tab, or null.
  TSurvey* SelectedSurvey() const;
  // The survey of the skill areas (list 4) or their questions (list 5).
  TSurvey* SurveyOfSelection(int list) const;
  bool AnySelectedSurveyBuiltIn() const;
  void PrintPreset(int kind, int section, int list);
  void RunGuarded(void (TControlCenter::*action)());

  // Modes and pages (CONCEN.cpp).
  void SwitchTab(TCCTab tab);
  void RefreshAll();
  // After a change: every list refilled, `select` selected again in `list`.
  void Changed(int list, const TSurvObject* select);
  static int NextList(int list);
  void EnterDepartmentSurveyMode();
  void ShowDetailPage(TSurvey& survey);
  void LeaveToStart();

  // Actions (CCCreate.cpp, CCEdit.cpp, CCDelete.cpp, CCDrag.cpp).
  void CreateCompany();
  void CreateDepartment();
  void AddDepartmentSurveys();
  void CreateSurvey();
  void CreateSkillArea(int list);
  void CreateQuestion(int list);
  void CreateSuggestion();
  void CreateSubject();
  void CreateExperience();
  void CreateRaters();
  void EditName(int list);
  void EditSurvey();
  void EditSkillArea(int list);
  void EditQuestion(int list);
  void EditSuggestion();
  void EditSubject();
  void EditExperience();
  void EditRater();
  void ShowItem();
  bool ConfirmDeletion(int list, int count);
  // Each deletes the selection of its list and returns the list whose
  // entry at the same position is to be selected afterwards (-1: none).
  int DeleteObjects(int list);
  int DeleteSurveys();
  int DeleteSkillAreas(int list);
  int DeleteQuestions(int list);
  int DeleteExperiences();
  int DeleteRaters();
  void ResetCompletedMarks();
  void ReselectAfterDeletion(int list, int position);
  bool CanReorder(int list, int index) const;
  void Reorder(int list, int index);
  bool AcceptsSurveyDrop(int index) const;
  void CopyQuestionsToSkillArea(int source, TSkillArea& target);
  void CopySkillAreasToSurvey(TSurvey& target);
  void CopyQuestionsToSurvey(TSurvey& target);

  TUserInterface& ui_;
  TSectionedConfigFile* settings_;
  std::unique_ptr<TDataRoot> root_;
  std::array<TCCList, kCCListCount> lists_;
  int active_ = CompanyLB;
  bool unrestricted_ = false;
  bool department_survey_mode_ = false;
  bool user_skill_area_mode_ = true;
  bool read_only_survey_ = false;
  TCCTab tab_ = TCCTab::Organizations;
  TCCPage page_ = TCCPage::Start;
  std::string title_;
  std::string caption_ = kCaption;
  std::array<std::string, 3> detail_header_;
  TCCButtons buttons_;
  // Entries 1.. of SurveyLB that are the two question libraries.
  int library_entries_ = 0;
  // The department whose surveys department-survey mode edits.
  TDepartment* mode_department_ = nullptr;
  TSurvey* mode_survey_ = nullptr;
  TSurvey* shown_survey_ = nullptr;
  // The entry of the last right click.
  int clicked_list_ = -1;
  int clicked_index_ = -1;
};

}  // namespace zelvora
