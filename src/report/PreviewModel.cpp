#include "report/PreviewModel.h"

#include <algorithm>
#include <string_view>

#include "base/Cp1252.h"
#include "base/Text.h"
#include "report/PreviewView.h"
#include "report/PrintRun.h"
#include "report/RecordedPages.h"
#include "report/ReportTexts.h"
#include "report/rptBase.h"

namespace zelvora {

namespace {

// The status bar's sections keep a little room after their texts.
std::string Padded(const std::string& text) { return text.empty() ? text : text + "     "; }

bool EndsWithPdf(std::string_view path) {
  return path.size() > 4 && SameText(path.substr(path.size() - 4), ".pdf");
}

}  // namespace

TPreviewModel::TPreviewModel(const TLanguageTable& texts, TPreviewView& view,
                             TPageRecorderFactory new_recorder, TPrintTargetFactory new_target)
    : texts_(texts),
      view_(view),
      new_recorder_(std::move(new_recorder)),
      new_target_(std::move(new_target)),
      page_label_(ReportText(texts, 6)),
      cancel_caption_(CommonText(texts, 24)) {}

TPreviewModel::~TPreviewModel() {
  // The report keeps a pointer to the recorder's printer.
  if (report_ != nullptr) report_->SetPrinter(nullptr);
}

void TPreviewModel::AttachReport(std::unique_ptr<TReportBase> report) {
  if (generating_ || printing_) return;
  if (report_ != nullptr) report_->SetPrinter(nullptr);
  recorder_.reset();
  busy_ = true;
  report_ = std::move(report);
  Refresh();
}

void TPreviewModel::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  if (printing_) return;
  target_ = std::move(target);
}

const TRecordedPages* TPreviewModel::Pages() const {
  return recorder_ != nullptr ? &recorder_->Pages() : nullptr;
}

int TPreviewModel::PageCount() const { return recorder_ != nullptr ? Pages()->Count() : 0; }

int TPreviewModel::ShownCount() const { return busy_ ? 0 : PageCount(); }

bool TPreviewModel::PrevEnabled() const { return first_page_ > 0 && ShownCount() > 0; }

bool TPreviewModel::NextEnabled() const { return first_page_ < ShownCount() - 1; }

bool TPreviewModel::PrevReportEnabled() const {
  return report_ != nullptr && report_->HasPrevReport && !generating_ && !printing_;
}

bool TPreviewModel::NextReportEnabled() const {
  return report_ != nullptr && report_->HasNextReport && !generating_ && !printing_;
}

bool TPreviewModel::PrintEnabled() const {
  return report_ != nullptr && report_->CanPrint && ShownCount() > 0 && !generating_ && !printing_;
}

bool TPreviewModel::SavePdfEnabled() const {
  return ShownCount() > 0 && !generating_ && !printing_;
}

void TPreviewModel::SetStatus(const std::string& subject, const std::string& page) {
  status_visible_ = true;
  status_subject_ = subject;
  status_page_ = page;
}

void TPreviewModel::InstallCallbacks() {
  report_->SetNotifications(
      [this](const std::string& title, const std::string& subtitle, int, int, int) {
        if (title.empty() && subtitle.empty()) return;
        SetStatus(Padded(title), Padded(subtitle));
        report_label_ = title + " - " + subtitle;
        // The print job is named as the print window names its jobs.
        if (job_title_.empty())
          job_title_ = CutToChars(title.empty()      ? subtitle
                                  : subtitle.empty() ? title
                                                     : title + ": " + subtitle,
                                  TPrintRun::kJobTitleMaxChars);
        page_label_.clear();
        view_.Changed();
        view_.LetEventsRun();
      },
      [this](const std::string& title, const std::string& subtitle, int) {
        if (!title.empty() || !subtitle.empty()) SetStatus(Padded(title), Padded(subtitle));
        page_label_.clear();
        view_.Changed();
        view_.LetEventsRun();
      },
      [this](const std::string&, const std::string&, int n) {
        if (n > 0) {
          status_page_ = ReportText(texts_, 3, {n});
          view_.Changed();
        }
        view_.LetEventsRun();
      },
      [this](const std::string&, const std::string&, int n) {
        if (n > 0) {
          status_visible_ = true;
          status_page_ = ReportText(texts_, 3, {n});
          view_.Changed();
        }
        // The Cancel button is noticed here, between pages.
        view_.LetEventsRun();
      });
}

void TPreviewModel::DetachRecorder() {
  if (recorder_ == nullptr) return;
  report_->Cancel();
  report_->SetPrinter(nullptr);
  recorder_.reset();
}

void TPreviewModel::GenerateReport(bool forward) {
  // While printing, the print loop walks the recorder's pages: they must
  // stay.
  if (report_ == nullptr || generating_ || printing_) return;
  view_.SetBusyCursor(true);
  busy_ = true;
  DetachRecorder();
  InstallCallbacks();
  recorder_ = new_recorder_();
  ++generation_;
  job_title_.clear();
  report_->SetPrinter(&recorder_->Printer());
  generating_ = true;
  cancel_caption_ = CommonText(texts_, 1);
  Refresh();
  view_.LetEventsRun();
  bool ok = false;
  try {
    ok = forward ? report_->NextReport() : report_->PrevReport();
  } catch (...) {
    ok = false;
  }
  generating_ = false;
  cancel_caption_ = CommonText(texts_, 24);
  view_.SetBusyCursor(false);
  status_visible_ = false;
  if (ok && PageCount() > 0) {
    first_page_ = 0;
    busy_ = false;
    Refresh();
  } else {
    Refresh();
    const std::string message = report_->GetErrorMessage();
    if (!message.empty()) view_.ShowError(message);
  }
  CloseIfRequested();
}

void TPreviewModel::CloseIfRequested() {
  if (close_requested_) view_.Close();
}

void TPreviewModel::Refresh() {
  scroll_position_ = 0;
  const int count = ShownCount();
  if (count > 0) page_label_ = ReportText(texts_, 4, {first_page_ + 1, count});
  view_.Changed();
}

void TPreviewModel::ShowPage(int index) {
  if (index < 0 || index >= ShownCount()) return;
  first_page_ = index;
  Refresh();
}

void TPreviewModel::PrevPageClicked() {
  if (PrevEnabled()) ShowPage(first_page_ - 1);
}

void TPreviewModel::NextPageClicked() {
  if (NextEnabled()) ShowPage(first_page_ + 1);
}

void TPreviewModel::PrevReportClicked() {
  if (PrevReportEnabled()) GenerateReport(false);
}

void TPreviewModel::NextReportClicked() {
  if (NextReportEnabled()) GenerateReport(true);
}

void TPreviewModel::KeyReleased(TPreviewKey key, bool ctrl) {
  switch (key) {
    case TPreviewKey::kHome:
      ShowPage(0);
      break;
    case TPreviewKey::kEnd:
      ShowPage(ShownCount() - 1);
      break;
    case TPreviewKey::kEscape:
      if (cancel_enabled_) CancelClicked();
      break;
    case TPreviewKey::kPageDown:
    case TPreviewKey::kRight:
      if (NextEnabled()) ShowPage(ctrl ? ShownCount() - 1 : first_page_ + 1);
      break;
    case TPreviewKey::kPageUp:
    case TPreviewKey::kLeft:
      if (PrevEnabled()) ShowPage(ctrl ? 0 : first_page_ - 1);
      break;
    case TPreviewKey::kUp:
      ScrollBy(-1, ctrl);
      break;
    case TPreviewKey::kDown:
      ScrollBy(1, ctrl);
      break;
  }
}

void TPreviewModel::MouseReleased(TPreviewMouseButton button) {
  if (button == TPreviewMouseButton::kLeft)
    PrevPageClicked();
  else
    NextPageClicked();
}

void TPreviewModel::Wheel(bool down) { ScrollBy(down ? 1 : -1, false); }

void TPreviewModel::SetScrollRange(int maximum) {
  scroll_range_ = std::max(0, maximum);
  scroll_position_ = std::clamp(scroll_position_, 0, scroll_range_);
}

void TPreviewModel::SetScrollPosition(int position) {
  scroll_position_ = std::clamp(position, 0, scroll_range_);
}

void TPreviewModel::ScrollBy(int tenths, bool to_end) {
  if (to_end) {
    scroll_position_ = tenths < 0 ? 0 : scroll_range_;
  } else {
    const int step = std::max(1, scroll_range_ / 10);
    scroll_position_ = std::clamp(scroll_position_ + tenths * step, 0, scroll_range_);
  }
  view_.Changed();
}

void TPreviewModel::CancelClicked() {
  if (generating_ || printing_) {
    // Noticed by the generation (or the print loop) at the next page.
    close_requested_ = true;
    if (generating_) report_->Cancel();
    return;
  }
  view_.Close();
}

bool TPreviewModel::MayClose() {
  if (!generating_ && !printing_) return true;
  // The run is on the stack below this request: it is cancelled and the
  // window closes when it returns.
  CancelClicked();
  return false;
}

void TPreviewModel::PrintPageClicked() {
  if (!PrintEnabled()) return;
  cancel_enabled_ = false;
  PrintRange(first_page_, first_page_);
  cancel_enabled_ = true;
  Refresh();
  CloseIfRequested();
}

void TPreviewModel::PrintAllClicked() {
  if (!PrintEnabled()) return;
  cancel_caption_ = CommonText(texts_, 1);
  PrintRange(-1, -1);
  cancel_caption_ = CommonText(texts_, 24);
  Refresh();
  CloseIfRequested();
}

void TPreviewModel::PrintPages(int from, int to) {
  PrintRange(from, to);
  CloseIfRequested();
}

void TPreviewModel::PrintRange(int from, int to) {
  const int count = ShownCount();
  if (count == 0 || generating_ || printing_) return;
  if (from < 0) from = 0;
  if (to < 0 || to >= count) to = count - 1;
  if (target_ == nullptr) target_ = new_target_();
  const TRecordedPages& pages = *Pages();
  printing_ = true;
  Refresh();
  SetStatus("", ReportText(texts_, 7) + "...");
  view_.Changed();
  view_.LetEventsRun();
  const std::uint8_t saved = target_->Orientation();
  if (from <= to) target_->SetOrientation(pages.Orientation(from));
  bool started = target_->BeginJob(JobTitle());
  if (started) {
    int in_job = 0;
    for (int i = from; i <= to; ++i) {
      if (close_requested_) {
        target_->AbortJob();
        break;
      }
      status_subject_ = ReportText(texts_, 3, {i + 1});
      view_.Changed();
      const std::uint8_t orientation = pages.Orientation(i);
      if (orientation != target_->Orientation()) {
        // Mixed orientations print as consecutive jobs.
        target_->EndJob();
        target_->SetOrientation(orientation);
        started = target_->BeginJob(JobTitle());
        if (!started) break;
        in_job = 0;
      }
      if (in_job > 0) target_->NewSheet();
      target_->DrawPage(pages, i);
      ++in_job;
      view_.LetEventsRun();
    }
  }
  try {
    target_->EndJob();
  } catch (...) {
    // A job that fails to end has nothing left to save.
  }
  target_->SetOrientation(saved);
  status_visible_ = false;
  printing_ = false;
  Refresh();
  if (!started) view_.ShowError(JobNotStartedMessage(*target_));
}

std::string TPreviewModel::JobTitle() const { return job_title_.empty() ? kCaption : job_title_; }

std::string TPreviewModel::SuggestedPdfName() const {
  std::string name = JobTitle();
  // "Individual Feedback: Anna Berger" reads as "Individual Feedback - Anna
  // Berger"; other characters that file systems or mail programs refuse in
  // a name become "_".
  for (std::size_t at = name.find(": "); at != std::string::npos; at = name.find(": ", at))
    name.replace(at, 2, " - ");
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20)
      c = '_';
  return name + ".pdf";
}

void TPreviewModel::SavePdfClicked() {
  if (!SavePdfEnabled()) return;
  std::string path = view_.AskPdfFile(SuggestedPdfName());
  if (path.empty()) return;
  if (!EndsWithPdf(path)) path += ".pdf";
  SaveAsPdf(path);
}

void TPreviewModel::SaveAsPdf(const std::string& path) {
  if (ShownCount() == 0) return;
  try {
    Pages()->SaveAsPdf(path, 1);
  } catch (const std::exception& e) {
    view_.ShowError(e.what());
  }
}

}  // namespace zelvora
