// TPrintForm ("Printing Reports"): the print window. Its behaviour lives in
// TPrintRun; the window shows the run's title, page text and gauge, and
// forwards its Cancel button (and Esc, and closing the window) to it.
//
// Callers may rely on:
//  - the window owns the report it is given; Run() returns when printing is
//    over and the window has been scheduled for deletion;
//  - a failed generation's message goes through AskContinue (OK goes on with
//    the next report, Cancel ends the run), and a print job that cannot
//    start is told through ShowError; tests replace both.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "report/PrintRun.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelvora {

class TReportBase;
class TPrintTarget;
class TSystemPrinter;
class TLanguageTable;

class TPrintForm : public QDialog {
 public:
  // `suffix` follows the title texts (the program's caption suffix).
  TPrintForm(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
             std::string suffix, QWidget* parent = nullptr);
  ~TPrintForm() override;

  void AttachReport(std::unique_ptr<TReportBase> report) { run_->AttachReport(std::move(report)); }
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);
  void Run() { run_->Run(); }
  void CancelPrinting() { run_->CancelPrinting(); }

  TPrintRun& Model() { return *run_; }
  bool Cancelled() const { return run_->Cancelled(); }
  const std::string& JobTitle() const { return run_->JobTitle(); }
  QString Title() const;
  QString PageText() const;
  QProgressBar* Gauge() const { return gauge_; }

  std::function<bool(const std::string&)> AskContinue;
  std::function<void(const std::string&)> ShowError;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Esc: the Cancel button while a run is on.
  void reject() override;

 private:
  class View;
  void Redraw();

  std::unique_ptr<View> view_;
  std::unique_ptr<TPrintRun> run_;

  QLabel* title_panel_;
  QLabel* page_panel_;
  QWidget* gauge_panel_;
  QProgressBar* gauge_;
  QPushButton* cancel_btn_;
};

}  // namespace zelvora
