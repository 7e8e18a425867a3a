#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "UI/model/DateDlg.h"
#include "UI/model/DialogModel.h"
#include "UI/model/EDITCATS.h"
#include "UI/model/EDITPREF.h"
#include "UI/model/EDITQUES.h"
#include "UI/model/EDITRATR.h"
#include "UI/model/EDITSKIL.h"
#include "UI/model/EDITSUGG.h"
#include "UI/model/EDITSURV.h"
#include "UI/model/NameForm.h"
#include "UI/model/Selsurv.h"
#include "UI/model/UserInterface.h"

namespace zelvora {

// A user who answers from a script: every call is logged as "kind: text" and
// questions take the next scripted answer. A question asked with no answer
// left is a test failure, reported as an exception the model does not expect.
class TFakeUserInterface : public TUserInterface {
 public:
  std::vector<std::string> Log;
  std::deque<bool> Answers;

  void Inform(const std::string& text) override { Log.push_back("info: " + text); }
  void ShowError(const std::string& text) override { Log.push_back("error: " + text); }
  bool Ask(const std::string& text, bool warning) override {
    Log.push_back(std::string(warning ? "warning question: " : "question: ") + text);
    if (Answers.empty()) throw std::logic_error("unscripted question: " + text);
    bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  // ---- The main window, start-up and the access passwords ----
  // Passwords typed in answer to prompts, in order; nullopt is Cancel.
  std::deque<std::optional<std::string>> Passwords;
  // What the About box showed last; how deep the busy cursor is now.
  TAboutInfo About;
  int Busy = 0;
  bool WasBusy = false;

  void ShowFlashMessage(const std::string& text) override { Log.push_back("flash: " + text); }
  void HideFlashMessage() override { Log.push_back("flash hidden"); }
  // Whether the busy cursor's changes are logged ("busy", "not busy"), for
  // tests that check when it is on against what is shown.
  bool LogBusy = false;
  void SetBusy(bool busy) override {
    Busy += busy ? 1 : -1;
    if (busy) WasBusy = true;
    if (LogBusy) Log.push_back(busy ? "busy" : "not busy");
  }
  void ShowAbout(const TAboutInfo& info) override {
    About = info;
    Log.push_back("about");
  }
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override {
    Log.push_back(std::string(masked ? "password: " : "text: ") + prompt);
    if (Passwords.empty()) throw std::logic_error("unscripted password prompt: " + prompt);
    std::optional<std::string> answer = Passwords.front();
    Passwords.pop_front();
    return answer;
  }

  // ---- Backup and restore ----
  // Each wait at the drive is logged as "disk wait: text" and takes the
  // next answer: the folder to go on with, or nullopt for Cancel. A wait
  // with no answer left cancels. `BeforeDiskAnswer` runs first, if set.
  std::deque<std::optional<std::string>> DiskAnswers;
  std::function<void()> BeforeDiskAnswer;
  // Every progress call, in order (not logged: there are many).
  std::vector<std::pair<std::string, int>> Progress;
  // Called at every progress call (a test may press Cancel from here).
  std::function<void(int percent)> OnProgress;

  bool AwaitBackupDisk(const std::string& text, std::string& folder) override {
    Log.push_back("disk wait: " + text);
    if (BeforeDiskAnswer) BeforeDiskAnswer();
    if (DiskAnswers.empty()) return false;
    std::optional<std::string> answer = DiskAnswers.front();
    DiskAnswers.pop_front();
    if (!answer) return false;
    folder = *answer;
    return true;
  }
  void ShowBackupProgress(const std::string& stage, int percent) override {
    Progress.emplace_back(stage, percent);
    if (OnProgress) OnProgress(percent);
  }

  // ---- Control Center.
  // Each dialog takes the next scripted user: it fills the dialog's fields
  // and returns true for the accept button. Script<T> checks the dialog is of
  // the kind the test expects. Dialogs are logged as "dialog: <caption>".
  using DialogScript = std::function<bool(TDialogModel&)>;
  std::deque<DialogScript> Dialogs;
  template <class T, class F>
  void Script(F user) {
    Dialogs.push_back([user](TDialogModel& dialog) -> bool {
      auto* typed = dynamic_cast<T*>(&dialog);
      if (typed == nullptr) throw std::logic_error("unexpected dialog: " + dialog.Caption());
      return user(*typed);
    });
  }
  // A user who cancels the next dialog.
  void Cancel() {
    Dialogs.push_back([](TDialogModel&) { return false; });
  }

  std::deque<std::pair<bool, std::string>> Inputs;
  std::vector<TReportPreset> Presets;
  std::vector<std::vector<TScoreSheet*>> DiskRuns;
  std::vector<TScoreSheet*> Imports;
  std::vector<TScoreSheet*> ScoreEntries;
  bool ScoreEntrySaves = false;

  bool ShowNameForm(TNameForm& form) override { return Run(form); }
  bool ShowSkillAreaForm(TNewEditSkillAreaForm& form) override { return Run(form); }
  bool ShowQuestionForm(TNewEditQuestionForm& form) override { return Run(form); }
  bool ShowSuggestionForm(TNewEditSuggestionForm& form) override { return Run(form); }
  bool ShowSurveyForm(TNewEditSurveyForm& form) override { return Run(form); }
  bool ShowCategoryForm(TNewEditCategoryForm& form) override { return Run(form); }
  bool ShowRaterForm(TNewEditRaterForm& form) override { return Run(form); }
  bool ShowPrefixesForm(TEditPrefixesForm& form) override { return Run(form); }
  bool ShowDateDialog(TDateEntryDialog& dialog) override { return Run(dialog); }
  bool SelectSurveys(TSelSurvForm& form) override { return Run(form); }
  bool InputBox(const std::string& caption, const std::string& prompt,
                std::string& value) override {
    Log.push_back("input: " + caption + " | " + prompt);
    if (Inputs.empty()) throw std::logic_error("unscripted input box: " + caption);
    auto [ok, text] = Inputs.front();
    Inputs.pop_front();
    if (ok) value = text;
    return ok;
  }
  void OpenReportWizard(const TReportPreset& preset) override {
    Log.push_back("report: kind " + std::to_string(preset.Kind) + " section " +
                  std::to_string(preset.Section) + " list " + std::to_string(preset.SourceList));
    Presets.push_back(preset);
  }
  void MakeSurveyDisks(const std::vector<TScoreSheet*>& sheets) override {
    Log.push_back("disks: " + std::to_string(sheets.size()));
    DiskRuns.push_back(sheets);
  }
  void ImportSurveyDisk(TScoreSheet& sheet) override {
    Log.push_back("import disk");
    Imports.push_back(&sheet);
  }
  bool EnterScores(TScoreSheet& sheet) override {
    Log.push_back("score entry");
    ScoreEntries.push_back(&sheet);
    return ScoreEntrySaves;
  }

 private:
  bool Run(TDialogModel& dialog) {
    Log.push_back("dialog: " + dialog.Caption());
    if (Dialogs.empty()) throw std::logic_error("unscripted dialog: " + dialog.Caption());
    DialogScript script = std::move(Dialogs.front());
    Dialogs.pop_front();
    return script(dialog);
  }
};

}  // namespace zelvora
