// TWidgetUserInterface: the user interface of the desktop program: message
// boxes captioned with the program's name, the flash message, the busy
// cursor, the About box and the password prompt. The flash message and the
// password prompt are created once and reused for the whole run.
#pragma once

#include <functional>
#include <memory>

#include "UI/MessageBoxUI.h"

class QWidget;

namespace zelvora {

class TDataRoot;
class TFlashMessageForm;
class TEnterPasswordForm;

class TWidgetUserInterface : public TMessageBoxUI {
 public:
  TWidgetUserInterface();
  ~TWidgetUserInterface() override;

  // The Control Center's dialogs (ControlCenterDialogs.cpp).
  bool ShowNameForm(TNameForm& form) override;
  bool ShowSkillAreaForm(TNewEditSkillAreaForm& form) override;
  bool ShowQuestionForm(TNewEditQuestionForm& form) override;
  bool ShowSuggestionForm(TNewEditSuggestionForm& form) override;
  bool ShowSurveyForm(TNewEditSurveyForm& form) override;
  bool ShowCategoryForm(TNewEditCategoryForm& form) override;
  bool ShowRaterForm(TNewEditRaterForm& form) override;
  bool ShowPrefixesForm(TEditPrefixesForm& form) override;
  bool SelectSurveys(TSelSurvForm& form) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  void OpenReportWizard(const TReportPreset& preset) override;
  void MakeSurveyDisks(const std::vector<TScoreSheet*>& sheets) override;
  void ImportSurveyDisk(TScoreSheet& sheet) override;
  bool EnterScores(TScoreSheet& sheet) override;

  void ShowFlashMessage(const std::string& text) override;
  void HideFlashMessage() override;
  void ShowAbout(const TAboutInfo& info) override;
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override;

  // What the hand-offs of the Control Center need from the running program:
  // the data root the Control Center shows (null before it exists) and the
  // View/Edit password check asked before a completed sheet opens.
  void SetDataRoot(std::function<TDataRoot*()> data_root) { data_root_ = std::move(data_root); }
  void SetViewPasswordCheck(std::function<bool()> check) { view_password_ = std::move(check); }
  // Opens the report wizard, preset or not.
  void SetReportWizard(std::function<void(const TReportPreset&)> open) {
    report_wizard_ = std::move(open);
  }

  TFlashMessageForm& FlashMessageForm() { return *flash_; }
  TEnterPasswordForm& EnterPasswordForm() { return *enter_password_; }

 private:
  std::unique_ptr<TFlashMessageForm> flash_;
  std::unique_ptr<TEnterPasswordForm> enter_password_;
  std::function<TDataRoot*()> data_root_;
  std::function<bool()> view_password_;
  std::function<void(const TReportPreset&)> report_wizard_;
};

}  // namespace zelvora
