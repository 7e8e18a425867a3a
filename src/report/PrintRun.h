// TPrintRun: the behaviour of the print window ("Printing Reports"): it
// generates a report (once, or report after report while the report has a
// next one and is not a single run) into a fresh recording printer, prints
// every copy of the recorded pages (mixed orientations as consecutive jobs,
// the printer's orientation restored afterwards), shows the report's
// progress as a title, a page text and a gauge, and notices Cancel at every
// notification and every printed page.
//
// Callers may rely on:
//  - the model owns the report, its recorder and its print target; the
//    report is unlinked from the recorder before either is freed;
//  - Run() returns when generating and printing are over, after telling
//    the view RunFinished(); a job left open is aborted when the run was
//    cancelled and ended otherwise;
//  - a failed generation's message goes to AskContinue: OK goes on with the
//    next report, Cancel ends the run; a job that cannot start counts as
//    Cancel;
//  - the job title is at most 127 characters, never cut inside one.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "report/PageRecorder.h"
#include "report/PrintTarget.h"

namespace zelvora {

class TLanguageTable;
class TPrintRunView;
class TReportBase;

class TPrintRun {
 public:
  static constexpr const char* kCaption = "Printing Reports";
  // The title panel's text until the first title is set.
  static constexpr const char* kTitle = "Printing Something or Other";
  static constexpr std::size_t kJobTitleMaxChars = 127;

  // `suffix` follows the title texts (the program's caption suffix).
  TPrintRun(const TLanguageTable& texts, TPrintRunView& view, TPageRecorderFactory new_recorder,
            TPrintTargetFactory new_target, std::string suffix);
  ~TPrintRun();
  TPrintRun(const TPrintRun&) = delete;
  TPrintRun& operator=(const TPrintRun&) = delete;

  // Installs the notifications and links a fresh recorder to `report`.
  void AttachReport(std::unique_ptr<TReportBase> report);
  TReportBase* Report() const { return report_.get(); }
  // The printer (made by the factory when Run starts until set).
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);
  void Run();
  // The Cancel button: cancels the report and the run.
  void CancelPrinting();
  // Whether the window may close now; while running the close request
  // cancels the run instead.
  bool MayClose();

  bool Cancelled() const { return cancelled_; }
  bool Running() const { return running_; }
  const std::string& JobTitle() const { return job_title_; }
  const std::string& Title() const { return title_; }
  const std::string& PageText() const { return page_text_; }
  // The gauge shows only while the report gave a range (max > 0).
  bool GaugeVisible() const { return gauge_visible_; }
  int GaugeMin() const { return gauge_min_; }
  int GaugeMax() const { return gauge_max_; }
  int GaugePosition() const { return gauge_position_; }

 private:
  void InstallCallbacks();
  void NewRecorder();
  void PrintRecorded();
  void ShowTexts(const std::string& title, const std::string& subtitle);
  void CloseOpenJob();

  const TLanguageTable& texts_;
  TPrintRunView& view_;
  TPageRecorderFactory new_recorder_;
  TPrintTargetFactory new_target_;
  std::string suffix_;
  std::unique_ptr<TReportBase> report_;
  std::unique_ptr<TPageRecorder> recorder_;
  std::unique_ptr<TPrintTarget> target_;
  bool cancelled_ = false;
  bool running_ = false;
  std::string job_title_;
  std::string title_;
  std::string page_text_;
  bool gauge_visible_ = false;
  int gauge_min_ = 0;
  int gauge_max_ = 0;
  int gauge_position_ = 0;
};

}  // namespace zelvora
