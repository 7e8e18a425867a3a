#include "report/rptBase.h"

namespace zelvora {

TReportBase::TReportBase(int report_kind) : ReportKind(report_kind) {}

TReportBase::~TReportBase() = default;

void TReportBase::SetPrinter(TBasePrinter* printer) {
  Printer = printer;
  Cancelled = false;
}

void TReportBase::SetNotifications(StartCallback on_start, ValueCallback on_end,
                                   ValueCallback on_progress, ValueCallback on_page_progress) {
  OnReportStart = std::move(on_start);
  OnReportEnd = std::move(on_end);
  OnProgress = std::move(on_progress);
  OnPageProgress = std::move(on_page_progress);
}

void TReportBase::Cancel() {
  Cancelled = true;
  if (Printer != nullptr) Printer->Aborted = true;
  OnReportStart = nullptr;
  OnReportEnd = nullptr;
  OnProgress = nullptr;
  OnPageProgress = nullptr;
}

bool TReportBase::Prepare(const void* /*params*/) { return false; }
bool TReportBase::Generate() { return true; }
bool TReportBase::NextReport() { return false; }
bool TReportBase::PrevReport() { return false; }

void TReportBase::ResetFonts() {
  if (Printer == nullptr) return;
  for (auto& f : Printer->Fonts) f = TPrinterFontSpec{"System", 12, "", kColorBlack, 0};
}

void TReportBase::SelectFont(int index) {
  if (Printer != nullptr) Printer->SelectFontSlot(index);
}

void TReportBase::NextPage() {
  if (LastPage == kUnknownLastPage || CurrentPage < LastPage) {
    ++CurrentPage;
    RenderPage();
  }
  UpdateNavigation();
}

void TReportBase::PrevPage() {
  if (CurrentPage > 1) {
    --CurrentPage;
    RenderPage();
  }
  UpdateNavigation();
}

void TReportBase::RedrawPage() { RenderPage(); }

std::string TReportBase::GetErrorMessage() const { return ErrorMessage; }

void TReportBase::UpdateNavigation() {
  HasPrevPage = CurrentPage > 1;
  HasNextPage = CurrentPage < LastPage;
  HasNextReport = false;
  HasPrevReport = false;
}

void TReportBase::NotifyStart(const std::string& title, const std::string& subtitle, int min,
                              int max, int position) const {
  if (OnReportStart) OnReportStart(title, subtitle, min, max, position);
}
void TReportBase::NotifyEnd(const std::string& title, const std::string& subtitle,
                            int value) const {
  if (OnReportEnd) OnReportEnd(title, subtitle, value);
}
void TReportBase::NotifyProgress(const std::string& title, const std::string& subtitle,
                                 int value) const {
  if (OnProgress) OnProgress(title, subtitle, value);
}
void TReportBase::NotifyPageProgress(const std::string& title, const std::string& subtitle,
                                     int value) const {
  if (OnPageProgress) OnPageProgress(title, subtitle, value);
}

}  // namespace zelvora
