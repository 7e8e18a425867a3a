// TPrWiz ("Report Wizard"): the report wizard's dialog. Every click, key and
// selection goes to the TRptWiz model and the dialog redraws from it; what
// the model asks or hands on is answered here with the program's dialogs,
// the preview window and the print window.
//
// Callers may rely on:
//  - the dialog owns its own data root for its lists;
//  - the generator handed to the preview or print window keeps the report
//    configuration given here alive for as long as it lives.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "UI/MessageBoxUI.h"
#include "report/ReportWizardUI.h"
#include "report/Rptdflt.h"
#include "report/Rptwiz.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace zelvora {

class TDataRoot;
class TLanguageTable;
class TSystemPrinter;

struct TPrWizHost {
  const TLanguageTable& texts;
  std::shared_ptr<const TReportConfig> report_config;
  // The Print password check (true when given or not set).
  std::function<bool()> check_print_password;
  // The survey-disk maker, over the chosen sheets.
  std::function<void(const std::vector<TScoreSheet*>&)> make_survey_disks;
  // The print window's title suffix.
  std::string caption_suffix;
};

class TPrWiz : public QDialog, public TReportWizardUI {
 public:
  TPrWiz(TPrWizHost host, QWidget* parent = nullptr);
  ~TPrWiz() override;

  TRptWiz& Model() { return *model_; }
  // Opens preset on the last page (see TRptWiz::OpenPreset); false when the
  // Print password was refused.
  bool OpenPreset(int kind, std::uint16_t sections, std::vector<TReportSourceEntry> sources,
                  const std::string& name);
  // Redraws every control from the model.
  void Redraw();
  QListWidget* PageList(int page) const;

  // TReportWizardUI
  bool CheckPrintPassword() override;
  std::optional<double> AskReturnDate(const std::string& prompt, double suggested) override;
  std::string AskText(const std::string& title, const std::string& prompt,
                      const std::string& text) override;
  void RunReport(const TReportRequest& request, bool print) override;
  void ShowError(const std::string& text) override;
  void MakeSurveyDisks(const std::string& caption,
                       const std::vector<TScoreSheet*>& sheets) override;

  // Where RunReport sends its windows; the screenshot run and tests replace
  // it.
  std::function<void(const TReportRequest&, bool)> run_report;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  void ListChanged(int page);
  void Forward();

  TPrWizHost host_;
  TMessageBoxUI ui_;
  std::unique_ptr<TDataRoot> root_;
  std::unique_ptr<TRptWiz> model_;
  bool drawing_ = false;

  QStackedWidget* notebook_;
  QLabel* info_label_;
  QLabel* help_label_;
  QButtonGroup* category_group_;
  QRadioButton* surveys_radio_;
  QRadioButton* subjects_radio_;
  std::array<QListWidget*, kRptWizPages> lists_{};
  std::array<QCheckBox*, 8> boxes_{};
  QGroupBox* reports_group_;
  QSpinBox* copies_spin_;
  QLabel* copies_label_;
  QCheckBox* title_check_;
  QGroupBox* category_radio_;
  QRadioButton* self_radio_;
  QRadioButton* other_radio_;
  QPlainTextEdit* memo_;
  QLineEdit* printer_edit_;
  QPushButton* view_btn_;
  QPushButton* print_btn_;
  QPushButton* setup_btn_;
  QPushButton* close_btn_;
  QPushButton* back_btn_;
  QPushButton* next_btn_;
  QPushButton* all_btn_;
  QPushButton* none_btn_;
};

}  // namespace zelvora
