// TReportBase: the base of the report generators. It links a report to the
// printer it draws on and keeps what the preview reads: page navigation
// counters and flags, the cancel flag, the error message and the four
// notification callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "report/prBase.h"

namespace zelvora {

class TReportBase {
 public:
  // OnReportStart(title, subtitle, min, max, position): a report or a phase
  // of it begins; an empty title or subtitle keeps the one shown, max <= 0
  // means no progress range is known.
  using StartCallback = std::function<void(const std::string&, const std::string&, int, int, int)>;
  // OnReportEnd, OnProgress, OnPageProgress(title, subtitle, value).
  using ValueCallback = std::function<void(const std::string&, const std::string&, int)>;

  static constexpr std::int32_t kUnknownLastPage = std::numeric_limits<std::int32_t>::max();

  explicit TReportBase(int report_kind);
  virtual ~TReportBase();
  TReportBase(const TReportBase&) = delete;
  TReportBase& operator=(const TReportBase&) = delete;

  // Links the printer (not owned) and clears Cancelled.
  virtual void SetPrinter(TBasePrinter* printer);
  virtual void SetNotifications(StartCallback on_start, ValueCallback on_end,
                                ValueCallback on_progress, ValueCallback on_page_progress);
  // Sets Cancelled and the printer's Aborted and drops the callbacks.
  virtual void Cancel();
  // Takes the selection made by the report wizard; the base has none.
  virtual bool Prepare(const void* params);
  virtual bool Generate();
  virtual bool NextReport();
  virtual bool PrevReport();
  // The printer's font table to face "System", 12 points, regular, black.
  virtual void ResetFonts();
  virtual void SelectFont(int index);
  virtual void RenderPage() {}
  virtual void AfterRender() {}
  virtual void NextPage();
  virtual void PrevPage();
  virtual void RedrawPage();
  virtual std::string GetErrorMessage() const;

  void UpdateNavigation();

  // Calls the callbacks when set.
  void NotifyStart(const std::string& title, const std::string& subtitle, int min, int max,
                   int position) const;
  void NotifyEnd(const std::string& title, const std::string& subtitle, int value) const;
  void NotifyProgress(const std::string& title, const std::string& subtitle, int value) const;
  void NotifyPageProgress(const std::string& title, const std::string& subtitle, int value) const;

  TBasePrinter* Printer = nullptr;
  std::int32_t CurrentPage = 0;
  std::int32_t LastPage = kUnknownLastPage;
  std::int32_t ReportKind = 0;
  bool HasNextPage = true;
  bool HasPrevPage = false;
  bool HasNextReport = false;
  bool HasPrevReport = false;
  bool CanPrint = true;
  std::int32_t Copies = 1;
  bool SingleRun = true;
  bool Cancelled = false;
  StartCallback OnReportStart;
  ValueCallback OnReportEnd;
  ValueCallback OnProgress;
  ValueCallback OnPageProgress;
  std::string ErrorMessage = "Error creating report!";
};

}  // namespace zelvora
