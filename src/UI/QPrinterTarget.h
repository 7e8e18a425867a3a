// TQPrinterTarget: the print target of the preview and print windows: print
// jobs on a QPrinter (the machine's print system), each sheet one page
// recorded by the drawing layer (a TMetaPageList) stretched over the
// printable page.
//
// Callers may rely on:
//  - everything TPrintTarget promises;
//  - a job left open when the target is freed is aborted.
#pragma once

#include <memory>

#include "report/PrintTarget.h"

class QPrinter;

namespace zelvora {

class TQPrinterTarget : public TPrintTarget {
 public:
  // Prints on `printer` (not owned; it must outlive the target), or on a
  // printer of its own for the machine's default print queue when null.
  explicit TQPrinterTarget(QPrinter* printer = nullptr);
  ~TQPrinterTarget() override;
  std::string Name() const override;
  std::uint8_t Orientation() const override;
  void SetOrientation(std::uint8_t orientation) override;
  bool BeginJob(const std::string& title) override;
  void NewSheet() override;
  // Throws std::logic_error when `pages` are not the drawing layer's.
  void DrawPage(const TRecordedPages& pages, int index) override;
  void EndJob() override;
  void AbortJob() override;
  bool InJob() const override;
  QPrinter& Printer() { return *printer_; }

  // A factory of targets for the machine's default print queue.
  static TPrintTargetFactory DefaultFactory();

 private:
  struct Job;
  std::unique_ptr<QPrinter> own_;
  QPrinter* printer_;
  std::unique_ptr<Job> job_;
};

}  // namespace zelvora
