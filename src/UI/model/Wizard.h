// TWizard: the score-entry wizard without its window. One rater's answers to
// one experience's survey are entered question by question, two answers a
// question (current performance, expectation) on a five-step scale, into the
// score sheet's answer buffer in memory.
//
// Two modes:
//  - administration: Open(sheet) on a stored sheet; Close() afterwards puts
//    the opening answers back on Cancel, or completes the sheet and saves
//    the sheet, its experience and its survey on Save;
//  - rater disk: OpenRaterDisk(hooks) starts on the About page without a
//    sheet; Next there loads the disk's sheet through the hooks, and Save on
//    the finish page writes it back through them (no database is involved).
//
// Callers may rely on:
//  - everything the wizard asks or tells goes through TUserInterface, with
//    the messages as the constants below;
//  - Click, Key and Clear are the only ways answers change, and they follow
//    the read-only flag, the edit limit of three questions on a completed
//    sheet and the "Do Less" warning;
//  - calls that arrive while the wizard itself is showing stored answers
//    (a view echoing its own redraw) change nothing and show nothing.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "DB/ScoreSheet.h"

namespace zelvora {

class TUserInterface;
class TSurvey;
class TQuestion;
struct TSurveyDiskObjects;

enum TWizardPage : int {
  wpStart = 0,
  wpSurvey = 1,
  wpFinish = 2,
  wpSummary = 3,
  wpAbout = 4,
};

enum class TWizardResult { Open, Save, Cancel };

inline constexpr const char* kWizardCaption = "Zelvora 360 Feedback Wizard";
inline constexpr const char* kWizardReadOnly = "Survey is Read-Only";
inline constexpr const char* kWizardEditLimit = "You may only edit up to 3 frames.";
inline constexpr const char* kWizardDoLess =
    "Your response indicated you want the person to \"Do Less\" \nof the behavior.  If the "
    "person \"Exceeds your expectations,\" \nchange your response to both be at the same level.";
inline constexpr const char* kWizardUnanswered =
    "One of the questions has not been answered.\nDo you want to continue without answering it?";
inline constexpr const char* kWizardDiskError =
    "Error loading survey disk program data.\nPlease execute this program from a valid survey "
    "disk.\nThis program will now close.";
inline constexpr const char* kWizardFinishText = "Click on save to complete the survey.";
inline constexpr int kWizardSteps = 5;
// Questions of a completed sheet that may be changed in one sitting.
inline constexpr int kWizardMaxEditedQuestions = 3;

// What the rater program supplies in rater-disk mode.
struct TRaterDiskHooks {
  // The disk's objects, owned by the caller and kept alive until the wizard
  // is done; null or an exception when there is no readable document.
  std::function<TSurveyDiskObjects*()> Load;
  // Writes the sheet's answers and completed flag back to the disk; an
  // exception keeps the wizard on the finish page with the message shown.
  std::function<void(const TScoreSheet&)> Save;
};

// The read-only fields of the Summary page.
struct TWizardSummary {
  std::string Company, Department, Survey, Subject, Experience, RaterNumber, RaterCategory;
};

class TWizard {
 public:
  explicit TWizard(TUserInterface& ui);
  TWizard(const TWizard&) = delete;
  TWizard& operator=(const TWizard&) = delete;

  // Administration mode, over a sheet with an experience and a survey (an
  // ESurvObjError otherwise). Shows the start page.
  void Open(TScoreSheet& sheet);
  // Rater-disk mode: the About page, no sheet yet.
  void OpenRaterDisk(TRaterDiskHooks hooks);
  // After the dialog closed: Cancel (or any close but Save) on an editable
  // sheet restores the opening answers and sets AnswersEdited to 0; Save
  // completes the sheet and, in administration mode, saves the sheet, its
  // experience and its survey (a database failure propagates, the sheet then
  // keeps its answers but not the completed flag). True when saved.
  bool Close();

  // The short date of the Summary page's experience (ISO by default).
  void SetDateFormatter(std::function<std::string(double)> format) {
    format_date_ = std::move(format);
  }

  // --- What the window shows ---
  TWizardPage Page() const { return page_; }
  TWizardResult Result() const { return result_; }
  // True once the window is to close (Save, Cancel, or a rater disk that
  // could not be loaded).
  bool Done() const { return result_ != TWizardResult::Open; }
  bool RaterDiskMode() const { return rater_disk_; }
  bool HasSheet() const { return sheet_ != nullptr; }
  bool ReadOnly() const { return read_only_; }
  bool UserAction() const { return user_action_; }
  int QuestionNumber() const { return question_; }
  int QuestionCount() const { return question_count_; }
  // 1 = current performance, 2 = expectation.
  int ActiveColumn() const { return active_; }
  // The item selected in a column (1 to 5), 0 for none.
  int Selection(int column) const;

  std::string SubjectName() const;
  std::string SurveyName() const;
  std::string CategoryName() const { return category_name_; }
  // Item i (1 to 5) of both columns: "1. Almost Never"; a survey with fewer
  // labels gives just the number ("4.") for the missing ones.
  std::string ItemText(int item) const;
  // "Question 3 of 40."
  std::string NumberLine() const;
  std::string PrefixLine(int column) const;
  std::string QuestionText() const;
  TWizardSummary Summary() const;
  static const std::vector<std::string>& InstructionLines();

  std::string NextCaption() const { return page_ == wpFinish ? "&Save" : "&Next >"; }
  bool NextEnabled() const { return page_ != wpFinish || !read_only_; }
  bool BackEnabled() const { return page_ == wpSurvey || page_ == wpFinish || page_ == wpSummary; }
  bool ClearEnabled() const { return page_ == wpSurvey; }

  // --- What the user does ---
  void Next();
  void Back();
  void Cancel() { result_ = TWizardResult::Cancel; }
  void Clear();
  // A click on item (1 to 5) of a column (1 or 2) on the survey page.
  void Click(int column, int item);
  // Digit key 1 to 5 on the survey page: a click in the active column, then
  // the other column becomes active.
  void Key(int digit);

  // Called whenever the wizard set the selections itself (a view redraws).
  std::function<void()> OnShowAnswers;

 private:
  TSurvey* Survey() const;
  TQuestion* Question(int number) const;
  int Stored(int column, int question) const;
  void Store(int column, int question, int value);
  bool Differs(int question) const;
  int EditedCount() const;
  int FirstUnanswered() const;
  void StartSheet(TScoreSheet& sheet, bool self, const std::string& category_name);
  void ShowQuestion(int number);
  void ShowStoredAnswers();
  void ShowPage(TWizardPage page);

  TUserInterface& ui_;
  TScoreSheet* sheet_ = nullptr;
  TSurveyDiskObjects* disk_ = nullptr;
  TRaterDiskHooks hooks_;
  bool rater_disk_ = false;
  bool self_ = false;
  std::string category_name_;
  TWizardPage page_ = wpStart;
  TWizardResult result_ = TWizardResult::Open;
  int question_ = 1;
  int question_count_ = 0;
  int active_ = 1;
  std::array<int, 2> selection_{};
  std::array<bool, 2> in_click_{};
  bool read_only_ = false;
  bool user_action_ = true;
  std::array<std::int8_t, kAnswersBufSize> opening_{};
  std::function<std::string(double)> format_date_;
};

}  // namespace zelvora
