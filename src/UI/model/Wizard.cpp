#include "UI/model/Wizard.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "DB/Survobj.h"
#include "UI/model/UserInterface.h"
#include "base/DateTime.h"
#include "interchange/SurvMap.h"

namespace zelvora {
namespace {

// Answer a of question q for the two columns: 1 current, 2 expectation.
constexpr int kColumns = 2;

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A stored byte as the item it selects; out-of-scale values select nothing.
int AsItem(int value) { return value >= 1 && value <= kWizardSteps ? value : 0; }

// Clears a flag for the lifetime of the guard.
class TFlagCleared {
 public:
  explicit TFlagCleared(bool& flag) : flag_(flag), was_(flag) { flag_ = false; }
  ~TFlagCleared() { flag_ = was_; }
  TFlagCleared(const TFlagCleared&) = delete;
  TFlagCleared& operator=(const TFlagCleared&) = delete;

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

TWizard::TWizard(TUserInterface& ui) : ui_(ui), format_date_(FormatIsoDate) {}

const std::vector<std::string>& TWizard::InstructionLines() {
  // Lines 7 to 11 are indented by five blanks; the continuation lines sit
  // under the explanation after "-- ".
  static const std::vector<std::string> lines = [] {
    const std::string indent(5, ' ');
    const std::string occur = indent + "\"How often does it occur?\"    -- ";
    const std::string should = indent + "\"How often should it occur?\" -- ";
    return std::vector<std::string>{
        "Please take a few minutes to complete this CONFIDENTIAL SURVEY about the ",
        "day-to-day practices of the person whose name is listed above.",
        "",
        "Unless you are the immediate supervisor of this person, your responses will be ",
        "combined with the responses of others and not individually identified.",
        "",
        indent + "As you complete this survey, please remember:",
        occur + "Indicates how often you believe",
        std::string(occur.size(), ' ') + "the practice occurs NOW.",
        should + "Indicates how often you EXPECT ",
        std::string(should.size(), ' ') + "or believe the practice should occur.",
        "",
        "Be sure to answer BOTH QUESTIONS for each practice.",
        "There are not \"Right\" or \"Wrong\" answers.  Just try to be fair and honest.",
        "SKIP ANY PRACTICE you have not observed or about which you can't make a judgement.",
    };
  }();
  return lines;
}

void TWizard::StartSheet(TScoreSheet& sheet, bool self, const std::string& category_name) {
  sheet_ = &sheet;
  self_ = self;
  category_name_ = category_name;
  TSurvey* survey = Survey();
  if (survey == nullptr) throw ESurvObjError("The score sheet has no survey");
  // Questions whose two answers lie inside the answer buffer.
  int fitting = 0;
  while (TScoreSheet::AnswerIndex(kColumns, fitting + 1, survey->AnsPerQ) >= 0) ++fitting;
  question_count_ = std::min<int>(survey->Questions().Size(), fitting);
  question_ = 1;
  active_ = 1;
  selection_ = {0, 0};
  opening_ = sheet.AnswersBuf;
}

void TWizard::Open(TScoreSheet& sheet) {
  if (sheet.Experience == nullptr) throw ESurvObjError("The score sheet has no experience");
  rater_disk_ = false;
  disk_ = nullptr;
  hooks_ = {};
  result_ = TWizardResult::Open;
  StartSheet(sheet, sheet.IsSelfRater(), sheet.CategoryName());
  read_only_ = sheet.AnswersEdited > 0 || (sheet.Completed && sheet.RaterCategory != 0);
  ShowPage(wpStart);
  user_action_ = true;
}

void TWizard::OpenRaterDisk(TRaterDiskHooks hooks) {
  rater_disk_ = true;
  hooks_ = std::move(hooks);
  sheet_ = nullptr;
  disk_ = nullptr;
  category_name_.clear();
  question_count_ = 0;
  read_only_ = false;
  result_ = TWizardResult::Open;
  ShowPage(wpAbout);
  user_action_ = true;
}

bool TWizard::Close() {
  if (sheet_ == nullptr || read_only_) return false;
  if (result_ != TWizardResult::Save) {
    sheet_->AnswersBuf = opening_;
    sheet_->AnswersEdited = 0;
    return false;
  }
  // A rater disk was written when Save was pressed.
  if (rater_disk_) return true;
  TScoreSheet& sheet = *sheet_;
  const bool was_completed = sheet.Completed;
  const double was_date = sheet.Date;
  sheet.Completed = true;
  sheet.Touch();
  try {
    sheet.Save();
  } catch (...) {
    sheet.Completed = was_completed;
    sheet.Date = was_date;
    throw;
  }
  TExperience& experience = *sheet.Experience;
  experience.Touch();
  experience.Save();
  TSurvey& survey = *Survey();
  survey.HasCompletedSheets = 1;
  survey.Touch();
  survey.Save();
  return true;
}

TSurvey* TWizard::Survey() const {
  if (sheet_ == nullptr) return nullptr;
  if (disk_ != nullptr) return disk_->Survey.get();
  return sheet_->Experience != nullptr ? sheet_->Experience->Survey() : nullptr;
}

TQuestion* TWizard::Question(int number) const {
  TSurvey* survey = Survey();
  if (survey == nullptr || number < 1 || number > question_count_) return nullptr;
  return survey->Questions().At(number - 1);
}

int TWizard::Stored(int column, int question) const {
  const int index = TScoreSheet::AnswerIndex(column, question, Survey()->AnsPerQ);
  return index < 0 ? 0 : sheet_->AnswersBuf[static_cast<std::size_t>(index)];
}

void TWizard::Store(int column, int question, int value) {
  const int index = TScoreSheet::AnswerIndex(column, question, Survey()->AnsPerQ);
  if (index >= 0)
    sheet_->AnswersBuf[static_cast<std::size_t>(index)] = static_cast<std::int8_t>(value);
}

bool TWizard::Differs(int question) const {
  for (int column = 1; column <= kColumns; ++column) {
    const auto index =
        static_cast<std::size_t>(TScoreSheet::AnswerIndex(column, question, Survey()->AnsPerQ));
    if (sheet_->AnswersBuf[index] != opening_[index]) return true;
  }
  return false;
}

int TWizard::EditedCount() const {
  int count = 0;
  for (int q = 1; q <= question_count_; ++q)
    if (Differs(q)) ++count;
  return count;
}

int TWizard::FirstUnanswered() const {
  for (int q = 1; q <= question_count_; ++q)
    if (AsItem(Stored(1, q)) == 0 || AsItem(Stored(2, q)) == 0) return q;
  return 0;
}

int TWizard::Selection(int column) const {
  return column == 1 || column == 2 ? selection_[static_cast<std::size_t>(column - 1)] : 0;
}

std::string TWizard::SubjectName() const {
  if (disk_ != nullptr) return disk_->Subject->Name;
  if (sheet_ == nullptr || sheet_->Experience == nullptr) return {};
  TSubject* subject = sheet_->Experience->Subject();
  return subject != nullptr ? subject->Name : std::string();
}

std::string TWizard::SurveyName() const {
  TSurvey* survey = Survey();
  return survey != nullptr ? survey->Name : std::string();
}

std::string TWizard::ItemText(int item) const {
  TSurvey* survey = Survey();
  const std::string label = survey != nullptr ? survey->GetFreqLabel(item) : std::string();
  return std::to_string(item) + (label.empty() ? "." : ". " + label);
}

std::string TWizard::NumberLine() const {
  return "Question " + std::to_string(question_) + " of " + std::to_string(question_count_) + ".";
}

std::string TWizard::PrefixLine(int column) const {
  TQuestion* question = Question(question_);
  if (question == nullptr || question->SkillArea == nullptr) return {};
  const int index = (self_ ? 0 : 2) + (column == 2 ? 2 : 1);
  return question->SkillArea->GetPrefix(index) + "...";
}

std::string TWizard::QuestionText() const {
  TQuestion* question = Question(question_);
  return question != nullptr ? question->QuestionText : std::string();
}

TWizardSummary TWizard::Summary() const {
  TWizardSummary summary;
  if (disk_ == nullptr) return summary;
  summary.Company = disk_->Company->Name;
  summary.Department = disk_->Department->Name;
  summary.Survey = disk_->Survey->Name;
  summary.Subject = disk_->Subject->Name;
  summary.Experience = format_date_(disk_->Experience->ExperienceDate);
  summary.RaterNumber = std::to_string(disk_->ScoreSheet->ID.Serial);
  summary.RaterCategory = disk_->CategoryName;
  return summary;
}

void TWizard::ShowPage(TWizardPage page) {
  page_ = page;
  if (page == wpSurvey) {
    active_ = 1;
    ShowQuestion(question_);
  }
}

void TWizard::ShowQuestion(int number) {
  question_ = number;
  page_ = wpSurvey;
  ShowStoredAnswers();
}

void TWizard::ShowStoredAnswers() {
  TFlagCleared quiet(user_action_);
  selection_ = {AsItem(Stored(1, question_)), AsItem(Stored(2, question_))};
  if (OnShowAnswers) OnShowAnswers();
}

void TWizard::Next() {
  if (Done() || !NextEnabled()) return;
  switch (page_) {
    case wpAbout: {
      TSurveyDiskObjects* disk = nullptr;
      try {
        if (hooks_.Load) disk = hooks_.Load();
      } catch (const std::exception&) {
        disk = nullptr;
      }
      if (disk == nullptr || disk->ScoreSheet == nullptr || disk->Survey == nullptr) {
        ui_.ShowError(kWizardDiskError);
        result_ = TWizardResult::Cancel;
        return;
      }
      disk_ = disk;
      TScoreSheet& sheet = *disk->ScoreSheet;
      // Only the category's name travels on a disk, so Self is told by it.
      const bool self = UpperCase(disk->CategoryName) == "SELF";
      StartSheet(sheet, self, disk->CategoryName);
      read_only_ = sheet.AnswersEdited > 0 || (sheet.Completed && !self);
      ShowPage(wpSummary);
      return;
    }
    case wpSummary:
      ShowPage(wpStart);
      return;
    case wpStart:
      if (question_count_ == 0) {
        ShowPage(wpFinish);
      } else {
        question_ = 1;
        ShowPage(wpSurvey);
      }
      return;
    case wpSurvey: {
      if (question_ < question_count_) {
        ShowQuestion(question_ + 1);
        return;
      }
      const int unanswered = FirstUnanswered();
      if (unanswered != 0 && !ui_.Ask(kWizardUnanswered)) {
        ShowQuestion(unanswered);
        return;
      }
      ShowPage(wpFinish);
      return;
    }
    case wpFinish:
      if (rater_disk_) {
        const bool was_completed = sheet_->Completed;
        const double was_date = sheet_->Date;
        sheet_->Completed = true;
        sheet_->Touch();
        try {
          if (hooks_.Save) hooks_.Save(*sheet_);
        } catch (const std::exception& e) {
          sheet_->Completed = was_completed;
          sheet_->Date = was_date;
          ui_.ShowError(e.what());
          return;
        }
      }
      result_ = TWizardResult::Save;
      return;
  }
}

void TWizard::Back() {
  if (Done() || !BackEnabled()) return;
  switch (page_) {
    case wpSurvey:
      if (question_ > 1)
        ShowQuestion(question_ - 1);
      else
        ShowPage(wpStart);
      return;
    case wpFinish:
      if (question_count_ == 0)
        ShowPage(wpStart);
      else
        ShowPage(wpSurvey);
      return;
    case wpSummary:
      ShowPage(wpAbout);
      return;
    default:
      return;
  }
}

void TWizard::Clear() {
  if (Done() || page_ != wpSurvey) return;
  if (read_only_) {
    if (user_action_) ui_.Inform(kWizardReadOnly);
    return;
  }
  Store(1, question_, 0);
  Store(2, question_, 0);
  ShowQuestion(question_);
  active_ = 1;
}

void TWizard::Click(int column, int item) {
  if (Done() || page_ != wpSurvey || (column != 1 && column != 2) || item < 1 ||
      item > kWizardSteps)
    return;
  const auto c = static_cast<std::size_t>(column - 1);
  // A view echoing the wizard's own redraw, or a click arriving while the
  // same column's click is still being handled.
  if (!user_action_ || in_click_[c]) return;
  in_click_[c] = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{in_click_[c]};

  selection_[c] = item;
  if (read_only_) {
    ui_.Inform(kWizardReadOnly);
    ShowStoredAnswers();
    return;
  }
  if (sheet_->Completed) {
    // Counted before this click's answer is stored.
    const int edited = EditedCount();
    if (edited >= kWizardMaxEditedQuestions && !Differs(question_)) {
      ui_.Inform(kWizardEditLimit);
      ShowStoredAnswers();
      return;
    }
    sheet_->AnswersEdited = static_cast<std::uint8_t>(edited);
  }
  if (selection_[1] != 0 && selection_[0] != 0 && selection_[1] < selection_[0])
    ui_.Inform(kWizardDoLess);
  Store(column, question_, item);
  active_ = column == 1 ? 2 : 1;
}

void TWizard::Key(int digit) {
  if (Done() || page_ != wpSurvey || digit < 1 || digit > kWizardSteps) return;
  const int column = active_;
  Click(column, digit);
  active_ = column == 1 ? 2 : 1;
}

}  // namespace zelvora
