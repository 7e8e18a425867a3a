// TPrPreviewScr ("Viewing Reports"): the preview window. Its behaviour
// lives in TPreviewModel; the window builds the widgets, forwards clicks,
// keys (on release), mouse buttons, the wheel and the scroll bar to the
// model and redraws from it, painting the shown page at the window's width.
//
// Callers may rely on:
//  - the window owns the report it is given and frees it, with its recorded
//    pages, when it closes (it deletes itself on close);
//  - while a generation runs, Cancel (and closing the window) cancels it at
//    the next page and the window closes when the generation returns;
//  - messages go through ShowError, and the PDF file name through
//    AskPdfFile, which tests replace.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "report/PreviewModel.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;

namespace zelvora {

class TReportBase;
class TMetaPageList;
class TPrintTarget;
class TSystemPrinter;
class TLanguageTable;
class TPreviewSurface;

class TPrPreviewScr : public QMainWindow {
 public:
  TPrPreviewScr(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
                QWidget* parent = nullptr);
  ~TPrPreviewScr() override;

  // 0: no bottom panels; 1: the page panel; 2: the page and report panels.
  void SetPanelMode(int mode);
  void AttachReport(std::unique_ptr<TReportBase> report);
  TReportBase* Report() const { return model_->Report(); }
  // The printer Print Page and Print Report use (a QPrinter for the
  // machine's default queue until set).
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);

  // Generates into a fresh recording printer: the report's next (or
  // previous) report.
  void GenerateReport(bool forward) { model_->GenerateReport(forward); }
  // Prints recorded pages from..to (-1: the first, -1: the last).
  void PrintPages(int from, int to) { model_->PrintPages(from, to); }
  void Refresh() { model_->Refresh(); }

  TPreviewModel& Model() { return *model_; }
  int FirstPage() const { return model_->FirstPage(); }
  int PageCount() const { return model_->PageCount(); }
  bool Busy() const { return model_->Busy(); }
  // The recorded pages; null before the first generation.
  const TMetaPageList* Pages() const;
  void ShowPage(int index) { model_->ShowPage(index); }
  void SaveAsPdf(const std::string& path) { model_->SaveAsPdf(path); }

  std::function<void(const std::string&)> ShowError;
  // The file to save to; empty when the user cancelled.
  std::function<std::string(const std::string& suggested_name)> AskPdfFile;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class View;
  friend class TPreviewSurface;
  void Redraw();
  void Layout();

  std::unique_ptr<View> view_;
  std::unique_ptr<TPreviewModel> model_;

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
