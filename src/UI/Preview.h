// TPrPreviewScr ("Viewing Reports"): generates a report into recorded pages
// and shows them one page at a time at the window's width, scrolled
// vertically, with page and report navigation, printing of the shown page
// or of the whole report, and saving the pages as one PDF.
//
// Callers may rely on:
//  - the window owns the report it is given and frees it, with its recorded
//    pages, when it closes (it deletes itself on close);
//  - while a generation runs, Cancel (and closing the window) cancels it at
//    the next page and the window closes when the generation returns;
//  - messages go through ShowError, and the PDF file name through
//    AskPdfFile, which tests replace.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;

namespace zelvora {

class TReportBase;
class TDelphiScreen;
class TMetaPageList;
class TPrintTarget;
class TSystemPrinter;
class TLanguageTable;
class TPreviewSurface;

class TPrPreviewScr : public QWidget {
 public:
  TPrPreviewScr(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
                QWidget* parent = nullptr);
  ~TPrPreviewScr() override;

  // 0: no bottom panels; 1: the page panel; 2: the page and report panels.
  void SetPanelMode(int mode);
  void AttachReport(std::unique_ptr<TReportBase> report);
  TReportBase* Report() const { return report_.get(); }
  // The printer Print Page and Print Report use (a QPrinter for the
  // machine's default queue until set).
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);

  // Generates into a fresh recording printer: the report's next (or
  // previous) report.
  void GenerateReport(bool forward);
  // Prints recorded pages from..to (-1: the first, -1: the last).
  void PrintPages(int from, int to);
  void Refresh();

  int FirstPage() const { return first_page_; }
  int PageCount() const;
  bool Busy() const { return busy_; }
  const TMetaPageList* Pages() const;
  void ShowPage(int index);
  void SaveAsPdf(const std::string& path);

  std::function<void(const std::string&)> ShowError;
  // The file to save to; empty when the user cancelled.
  std::function<std::string()> AskPdfFile;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class TPreviewSurface;
  void InstallCallbacks();
  void DetachRecorder();
  void Layout();
  void CancelClicked();
  void ScrollBy(int tenths, bool to_end);
  void SetStatus(const std::string& first, const std::string& second);
  void LetEventsRun();

  const TLanguageTable& texts_;
  std::shared_ptr<TSystemPrinter> system_printer_;
  std::unique_ptr<TReportBase> report_;
  std::unique_ptr<TDelphiScreen> recorder_;
  std::unique_ptr<TPrintTarget> target_;
  int first_page_ = 0;
  bool busy_ = true;
  bool close_requested_ = false;
  bool generating_ = false;
  bool printing_ = false;

  QWidget* page_panel_;
  QWidget* report_panel_;
  QLabel* page_no_lbl_;
  QPushButton* prev_btn_;
  QPushButton* next_btn_;
  QPushButton* cancel_btn_;
  QPushButton* print_page_btn_;
  QPushButton* print_all_btn_;
  QPushButton* save_pdf_btn_;
  QPushButton* prev_rpt_btn_;
  QPushButton* next_rpt_btn_;
  QLabel* rpt_no_lbl_;
  QStatusBar* status_;
  QLabel* status_subject_;
  QLabel* status_page_;
  QScrollArea* scroll_;
  TPreviewSurface* surface_;
};

}  // namespace zelvora
