// TPrintForm ("Printing Reports"): generates a report and prints its pages
// straight away, every copy, showing the report's progress in its panels
// and gauge, with a Cancel button noticed at every page.
//
// Callers may rely on:
//  - the window owns the report it is given; Run() returns when printing is
//    over and the window has been scheduled for deletion;
//  - a failed generation's message goes through AskContinue (OK goes on with
//    the next report, Cancel ends the run), which tests replace.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelvora {

class TReportBase;
class TDelphiScreen;
class TPrintTarget;
class TSystemPrinter;
class TLanguageTable;

class TPrintForm : public QWidget {
 public:
  // `suffix` follows the title texts (the program's caption suffix).
  TPrintForm(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
             std::string suffix, QWidget* parent = nullptr);
  ~TPrintForm() override;

  void AttachReport(std::unique_ptr<TReportBase> report);
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);
  void Run();
  void CancelPrinting();

  bool Cancelled() const { return cancelled_; }
  const std::string& JobTitle() const { return job_title_; }
  QString Title() const;
  QString PageText() const;
  QProgressBar* Gauge() const { return gauge_; }

  std::function<bool(const std::string&)> AskContinue;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void InstallCallbacks();
  void NewRecorder();
  void PrintRecorded();
  void LetEventsRun();
  void SetTitle(const std::string& text);
  void SetPage(const std::string& text);
  void StartGauge(int min, int max, int position);

  const TLanguageTable& texts_;
  std::shared_ptr<TSystemPrinter> system_printer_;
  std::string suffix_;
  std::unique_ptr<TReportBase> report_;
  std::unique_ptr<TDelphiScreen> recorder_;
  std::unique_ptr<TPrintTarget> target_;
  bool cancelled_ = false;
  bool running_ = false;
  std::string job_title_;

  QLabel* title_panel_;
  QLabel* page_panel_;
  QWidget* gauge_panel_;
  QProgressBar* gauge_;
  QPushButton* cancel_btn_;
};

}  // namespace zelvora
