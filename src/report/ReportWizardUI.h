// TReportWizardUI: what the report wizard asks of, or hands to, the program
// around it. The desktop program implements it with its dialogs, the
// preview and print windows and the survey-disk maker; the wizard's tests
// with a scripted fake.
//
// Callers may rely on:
//  - the wizard calls these only from Next, View and Print (and Open for a
//    preset wizard), never while a list is being built.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/Report.h"

namespace zelvora {

class TScoreSheet;

class TReportWizardUI {
 public:
  virtual ~TReportWizardUI() = default;

  // The Print password: true when none is set, when it was given earlier
  // in this program run, or when the user gives it now.
  virtual bool CheckPrintPassword() = 0;

  // The return-date dialog: the date entered, nothing for "A.S.A.P.".
  virtual std::optional<double> AskReturnDate(const std::string& prompt, double suggested) = 0;

  // The name dialog: the text its edit holds when it closes.
  virtual std::string AskText(const std::string& title, const std::string& prompt,
                              const std::string& text) = 0;

  // Hands a finished request to the preview (`print` false) or the printing
  // window (`print` true), which generate it.
  virtual void RunReport(const TReportRequest& request, bool print) = 0;

  // An error box with OK.
  virtual void ShowError(const std::string& text) = 0;

  // The survey-disk maker under `caption`, over the chosen score sheets.
  virtual void MakeSurveyDisks(const std::string& caption,
                               const std::vector<TScoreSheet*>& sheets) = 0;
};

}  // namespace zelvora
