#pragma once

#include <optional>
#include <string>
#include <vector>

#include "UI/model/AboutInfo.h"

namespace zelvora {

class TNameForm;
class TNewEditSkillAreaForm;
class TNewEditQuestionForm;
class TNewEditSuggestionForm;
class TNewEditSurveyForm;
class TNewEditCategoryForm;
class TNewEditRaterForm;
class TEditPrefixesForm;
class TDateEntryDialog;
class TSelSurvForm;
class TSurvObject;
class TScoreSheet;

// A report the Control Center asks the report wizard to open with: the
// report kind, the section and the list whose selection is the source
// (with the objects selected there, in list order).
struct TReportPreset {
  int Kind = 0;
  int Section = 0;
  int SourceList = -1;  // -1: no preset, the wizard opens as it is
  std::vector<TSurvObject*> Sources;
};

// What the program's windows ask or tell the user. The models never show
// anything themselves: the desktop program answers these calls with message
// boxes and dialogs, the tests with a scripted fake. Texts are passed exactly
// as they are shown, line breaks included.
class TUserInterface {
 public:
  virtual ~TUserInterface() = default;

  // An information box with an OK button: a refusal of an editing rule, or a
  // notice such as "Survey Saved Successfully.".
  virtual void Inform(const std::string& text) = 0;

  // An error box with an OK button: the message of a failure.
  virtual void ShowError(const std::string& text) = 0;

  // A Yes/No question, in warning style when `warning`; true for Yes.
  virtual bool Ask(const std::string& text, bool warning = false) = 0;

  // The busy (hourglass) cursor. Calls nest: every true is matched by a
  // false (use TBusyCursor).
  virtual void SetBusy(bool busy) = 0;

  // ---- The main window, start-up and the access passwords ----
  // A user interface without these windows (the rater program) shows no
  // flash message and no About box, and answers a password prompt as a
  // cancel.

  // The flash message: a borderless one-line window centred on the screen,
  // visible as soon as the call returns and kept up during the long work
  // that follows. Showing a message hides the one shown before.
  virtual void ShowFlashMessage(const std::string& text) { (void)text; }
  virtual void HideFlashMessage() {}

  // The About box, modal: returns when the user closed it.
  virtual void ShowAbout(const TAboutInfo& info) { (void)info; }

  // The password prompt: `prompt` with the typed text shown as "*" when
  // `masked`. The text typed when the user confirmed, nothing when the user
  // cancelled.
  virtual std::optional<std::string> AskPassword(const std::string& prompt, bool masked) {
    (void)prompt;
    (void)masked;
    return std::nullopt;
  }

  // ---- Control Center: its dialogs, the survey selection and the work it
  // hands to other windows. Each Show* call shows the dialog modally over the
  // model given (its mode, captions and fields), lets the user change the
  // model's fields through its operations, and returns true when the dialog
  // was closed with its accept button, false for a cancel. The models check
  // what they are given back; the window need not. A user interface without
  // these windows (the rater program) cancels every dialog and hands nothing
  // on.

  virtual bool ShowNameForm(TNameForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowSkillAreaForm(TNewEditSkillAreaForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowQuestionForm(TNewEditQuestionForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowSuggestionForm(TNewEditSuggestionForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowSurveyForm(TNewEditSurveyForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowCategoryForm(TNewEditCategoryForm& form) {
    (void)form;
    return false;
  }
  // New form: stays open while the user adds raters (each "&Add" calls the
  // form's Add), returns when "&Done" closes it. Edit form: modal as above.
  virtual bool ShowRaterForm(TNewEditRaterForm& form) {
    (void)form;
    return false;
  }
  virtual bool ShowPrefixesForm(TEditPrefixesForm& form) {
    (void)form;
    return false;
  }
  // The window calls the dialog's Leave when the date field loses the focus
  // and keeps the focus there while Leave refuses.
  virtual bool ShowDateDialog(TDateEntryDialog& dialog) {
    (void)dialog;
    return false;
  }
  // "Survey Selection": the window forwards every click in the list to the
  // form's Click.
  virtual bool SelectSurveys(TSelSurvForm& form) {
    (void)form;
    return false;
  }
  // A one-line input box; returns false when cancelled, else the text typed
  // into `value`.
  virtual bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) {
    (void)caption;
    (void)prompt;
    (void)value;
    return false;
  }

  // Opens the report wizard (closing one already open) with the preset.
  virtual void OpenReportWizard(const TReportPreset& preset) { (void)preset; }
  // Writes a survey disk for each of these score sheets.
  virtual void MakeSurveyDisks(const std::vector<TScoreSheet*>& sheets) { (void)sheets; }
  // Reads an answered survey disk into this score sheet.
  virtual void ImportSurveyDisk(TScoreSheet& sheet) { (void)sheet; }
  // Opens the score-entry wizard on the sheet (asking the View/Edit password
  // first for a completed sheet); true when the user saved.
  virtual bool EnterScores(TScoreSheet& sheet) {
    (void)sheet;
    return false;
  }
  // ---- end of the Control Center's section.

  // ---- Backup and restore (UI/model/Bkuprest.h) ----
  // The backup window shows `text` on its message page with the disk's
  // folder and waits: true for OK, with the folder the user left there
  // (the same drive, or another folder standing for the next disk); false
  // for Cancel. Without a window of its own this is a Yes/No question.
  virtual bool AwaitBackupDisk(const std::string& text, std::string& folder);
  // The backup window's progress page shows `stage` and the bar at
  // `percent` (0 to 100). The window redraws and lets the user's clicks
  // through, so that Cancel is noticed while the work runs.
  virtual void ShowBackupProgress(const std::string& stage, int percent);
};

// Shows the busy cursor for its lifetime.
class TBusyCursor {
 public:
  explicit TBusyCursor(TUserInterface& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~TBusyCursor() { ui_.SetBusy(false); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TUserInterface& ui_;
};

// Keeps a flash message up for its lifetime.
class TFlashMessage {
 public:
  TFlashMessage(TUserInterface& ui, const std::string& text) : ui_(ui) {
    ui_.ShowFlashMessage(text);
  }
  ~TFlashMessage() { ui_.HideFlashMessage(); }
  TFlashMessage(const TFlashMessage&) = delete;
  TFlashMessage& operator=(const TFlashMessage&) = delete;

 private:
  TUserInterface& ui_;
};

}  // namespace zelvora
