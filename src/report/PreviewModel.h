// TPreviewModel: the behaviour of the preview window ("Viewing Reports"): it
// generates a report into a fresh recording printer, shows the recorded
// pages one at a time with page and report navigation by buttons, keys,
// mouse and wheel, prints the shown page or the whole report (mixed
// orientations as consecutive jobs), saves the pages as one PDF, and runs
// the Cancel/Close button: Cancel while a generation or a print runs, Close
// otherwise.
//
// Callers may rely on:
//  - the model owns the report, its recorder and its print target; the
//    report is unlinked from the recorder before either is freed;
//  - the button states are computed from the model's state whenever they
//    are read; the texts are those of the last Refresh or notification;
//  - while a generation or a print runs, Cancel and a close request are
//    noted and acted on at the next page; the window is closed through the
//    view when the run returns;
//  - a report is never regenerated while its pages are being printed.
#pragma once

#include <memory>
#include <string>

#include "report/PageRecorder.h"
#include "report/PrintTarget.h"

namespace zelvora {

class TLanguageTable;
class TPreviewView;
class TRecordedPages;
class TReportBase;

// The keys the preview acts on (on release).
enum class TPreviewKey { kHome, kEnd, kEscape, kPageUp, kPageDown, kLeft, kRight, kUp, kDown };
enum class TPreviewMouseButton { kLeft, kRight };

class TPreviewModel {
 public:
  static constexpr const char* kCaption = "Viewing Reports";
  // The report panel's text until a report starts.
  static constexpr const char* kReportLabel = "Subject, Report";

  TPreviewModel(const TLanguageTable& texts, TPreviewView& view, TPageRecorderFactory new_recorder,
                TPrintTargetFactory new_target);
  ~TPreviewModel();
  TPreviewModel(const TPreviewModel&) = delete;
  TPreviewModel& operator=(const TPreviewModel&) = delete;

  void AttachReport(std::unique_ptr<TReportBase> report);
  TReportBase* Report() const { return report_.get(); }
  // The printer Print Page and Print Report use (made by the factory at
  // the first print until set).
  void SetPrintTarget(std::unique_ptr<TPrintTarget> target);

  // Generates into a fresh recording printer: the report's next (forward)
  // or previous report. Errors count as failure and show the report's
  // message.
  void GenerateReport(bool forward);
  // Prints recorded pages from..to (-1: the first, -1: the last); closes
  // the window afterwards when Cancel was clicked meanwhile.
  void PrintPages(int from, int to);
  // Scrolls to the top, updates the page counter and redraws.
  void Refresh();
  // Shows page `index` when pages are shown and it exists.
  void ShowPage(int index);

  // The user's actions.
  void PrevPageClicked();
  void NextPageClicked();
  void PrevReportClicked();
  void NextReportClicked();
  void PrintPageClicked();
  void PrintAllClicked();
  void SavePdfClicked();
  void CancelClicked();
  void KeyReleased(TPreviewKey key, bool ctrl);
  void MouseReleased(TPreviewMouseButton button);
  // One wheel step, down (towards the page's end) or up.
  void Wheel(bool down);
  // Whether the window may close now; while a run is on the close request
  // cancels it instead and the window closes when the run returns.
  bool MayClose();
  // Writes the recorded pages as one PDF; a failure shows its message.
  void SaveAsPdf(const std::string& path);

  // Vertical scrolling: the view gives the range its layout yields and the
  // position the user dragged the bar to; keys and the wheel move it.
  void SetScrollRange(int maximum);
  void SetScrollPosition(int position);
  int ScrollPosition() const { return scroll_position_; }
  int ScrollRange() const { return scroll_range_; }

  // What the window shows.
  int FirstPage() const { return first_page_; }
  // Pages recorded so far (0 without a recorder).
  int PageCount() const;
  // The recorded pages; null before the first generation.
  const TRecordedPages* Pages() const;
  // Changes with every fresh recorder, so that a view can tell page 1 of
  // one generation from page 1 of the next.
  int Generation() const { return generation_; }
  // True while no pages are ready to show.
  bool Busy() const { return busy_; }
  bool Generating() const { return generating_; }
  bool Printing() const { return printing_; }
  bool CloseRequested() const { return close_requested_; }
  const std::string& PageLabel() const { return page_label_; }
  const std::string& ReportLabel() const { return report_label_; }
  bool StatusVisible() const { return status_visible_; }
  const std::string& StatusSubject() const { return status_subject_; }
  const std::string& StatusPage() const { return status_page_; }
  const std::string& CancelCaption() const { return cancel_caption_; }
  bool CancelEnabled() const { return cancel_enabled_; }
  bool PrevEnabled() const;
  bool NextEnabled() const;
  bool PrevReportEnabled() const;
  bool NextReportEnabled() const;
  bool PrintEnabled() const;
  bool SavePdfEnabled() const;

 private:
  // Pages that may be shown: none while busy.
  int ShownCount() const;
  void InstallCallbacks();
  void DetachRecorder();
  void PrintRange(int from, int to);
  void ScrollBy(int tenths, bool to_end);
  void SetStatus(const std::string& subject, const std::string& page);
  // The print job's name: the first report of the generation ("Individual
  // Feedback: Anna Berger"), else the window's caption.
  std::string JobTitle() const;
  // The file name Save as PDF offers: the job's name, fit for a file.
  std::string SuggestedPdfName() const;
  void CloseIfRequested();

  const TLanguageTable& texts_;
  TPreviewView& view_;
  TPageRecorderFactory new_recorder_;
  TPrintTargetFactory new_target_;
  std::unique_ptr<TReportBase> report_;
  std::unique_ptr<TPageRecorder> recorder_;
  std::unique_ptr<TPrintTarget> target_;
  int generation_ = 0;
  int first_page_ = 0;
  bool busy_ = true;
  bool close_requested_ = false;
  bool generating_ = false;
  bool printing_ = false;
  int scroll_position_ = 0;
  int scroll_range_ = 0;

  std::string page_label_;
  std::string report_label_ = kReportLabel;
  std::string job_title_;
  bool status_visible_ = false;
  std::string status_subject_;
  std::string status_page_;
  std::string cancel_caption_;
  bool cancel_enabled_ = true;
};

}  // namespace zelvora
