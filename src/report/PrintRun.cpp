#include "report/PrintRun.h"

#include <algorithm>

#include "base/Cp1252.h"
#include "report/PrintRunView.h"
#include "report/RecordedPages.h"
#include "report/ReportTexts.h"
#include "report/rptBase.h"

namespace zelvora {

TPrintRun::TPrintRun(const TLanguageTable& texts, TPrintRunView& view,
                     TPageRecorderFactory new_recorder, TPrintTargetFactory new_target,
                     std::string suffix)
    : texts_(texts),
      view_(view),
      new_recorder_(std::move(new_recorder)),
      new_target_(std::move(new_target)),
      suffix_(std::move(suffix)),
      title_(ReportText(texts, 0) + suffix_) {}

TPrintRun::~TPrintRun() {
  // The report keeps a pointer to the recorder's printer.
  if (report_ != nullptr) report_->SetPrinter(nullptr);
}

void TPrintRun::AttachReport(std::unique_ptr<TReportBase> report) {
  if (running_) return;
  if (report_ != nullptr) report_->SetPrinter(nullptr);
  recorder_.reset();
  report_ = std::move(report);
  NewRecorder();
}

void TPrintRun::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  if (running_) return;
  target_ = std::move(target);
}

void TPrintRun::ShowTexts(const std::string& title, const std::string& subtitle) {
  if (!title.empty()) title_ = title;
  if (!subtitle.empty()) page_text_ = subtitle;
}

void TPrintRun::InstallCallbacks() {
  const auto moved = [this](const std::string& title, const std::string& subtitle, int n) {
    ShowTexts(title, subtitle);
    if (gauge_visible_ && n > 0) gauge_position_ = n;
    view_.Changed();
    view_.LetEventsRun();
  };
  report_->SetNotifications(
      [this](const std::string& title, const std::string& subtitle, int min, int max,
             int position) {
        if (!title.empty()) job_title_ = CutToChars(title + ": ", kJobTitleMaxChars);
        if (!subtitle.empty()) job_title_ = CutToChars(job_title_ + subtitle, kJobTitleMaxChars);
        ShowTexts(title, subtitle);
        gauge_visible_ = max > 0;
        if (gauge_visible_) {
          gauge_min_ = min;
          gauge_max_ = max;
          gauge_position_ = position;
        }
        view_.Changed();
        view_.LetEventsRun();
      },
      [this](const std::string& title, const std::string& subtitle, int) {
        ShowTexts(title, subtitle);
        if (gauge_visible_) gauge_position_ = gauge_max_;
        view_.Changed();
        view_.LetEventsRun();
      },
      moved, moved);
}

void TPrintRun::NewRecorder() {
  if (report_ == nullptr) return;
  if (recorder_ != nullptr) {
    report_->Cancel();
    report_->SetPrinter(nullptr);
    recorder_.reset();
  }
  InstallCallbacks();
  recorder_ = new_recorder_();
  report_->SetPrinter(&recorder_->Printer());
}

void TPrintRun::CloseOpenJob() {
  if (!target_->InJob()) return;
  if (cancelled_)
    target_->AbortJob();
  else
    target_->EndJob();
}

void TPrintRun::PrintRecorded() {
  const TRecordedPages& pages = recorder_->Pages();
  const std::uint8_t saved = target_->Orientation();
  if (pages.Count() > 0) target_->SetOrientation(pages.Orientation(0));
  if (!target_->BeginJob(job_title_)) {
    CancelPrinting();
    target_->SetOrientation(saved);
    view_.ShowError(JobNotStartedMessage(*target_));
    return;
  }
  int in_job = 0;
  for (int copy = 1; copy <= std::max(1, report_->Copies) && !cancelled_; ++copy) {
    title_ = ReportText(texts_, 2, {copy});
    for (int i = 0; i < pages.Count(); ++i) {
      if (cancelled_) break;
      page_text_ = ReportText(texts_, 4, {i + 1, pages.Count()});
      view_.Changed();
      const std::uint8_t orientation = pages.Orientation(i);
      if (orientation != target_->Orientation()) {
        // Mixed orientations print as consecutive jobs.
        target_->EndJob();
        target_->SetOrientation(orientation);
        if (!target_->BeginJob(job_title_)) {
          CancelPrinting();
          view_.ShowError(JobNotStartedMessage(*target_));
          break;
        }
        in_job = 0;
      }
      if (in_job > 0) target_->NewSheet();
      target_->DrawPage(pages, i);
      ++in_job;
      // Cancel is noticed here, between pages.
      view_.LetEventsRun();
    }
  }
  CloseOpenJob();
  target_->SetOrientation(saved);
}

void TPrintRun::Run() {
  if (report_ == nullptr || running_) return;
  if (target_ == nullptr) target_ = new_target_();
  running_ = true;
  view_.RunStarted();
  while (!cancelled_) {
    title_ = ReportText(texts_, 1) + suffix_;
    view_.Changed();
    view_.LetEventsRun();
    if (cancelled_) break;
    NewRecorder();
    bool ok = false;
    try {
      if (report_->SingleRun) {
        ok = report_->NextReport();
      } else {
        do {
          ok = report_->NextReport();
        } while (ok && report_->HasNextReport && !cancelled_);
      }
    } catch (...) {
      ok = false;
    }
    if (ok && !cancelled_) {
      PrintRecorded();
    } else if (!cancelled_) {
      const std::string message = report_->GetErrorMessage();
      if (!message.empty() && !view_.AskContinue(message)) CancelPrinting();
    }
    if (!report_->HasNextReport || cancelled_) break;
  }
  CloseOpenJob();
  running_ = false;
  view_.RunFinished();
}

void TPrintRun::CancelPrinting() {
  if (report_ != nullptr) report_->Cancel();
  cancelled_ = true;
  page_text_ = ReportText(texts_, 5);
  title_ = ReportText(texts_, 6) + suffix_;
  view_.Changed();
}

bool TPrintRun::MayClose() {
  if (!running_) return true;
  CancelPrinting();
  return false;
}

}  // namespace zelvora
