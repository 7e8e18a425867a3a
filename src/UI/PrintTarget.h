// TPrintTarget: where the preview and the print window send recorded pages:
// print jobs of sheets, each sheet one recorded page stretched over the
// printable page. TQPrinterTarget prints through a QPrinter (the machine's
// print system); the window tests record the calls instead.
//
// Callers may rely on:
//  - a job is started with BeginJob and closed with EndJob or AbortJob;
//    BeginJob returns false (and no job is open) when the job could not
//    start;
//  - the orientation is changed only between jobs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QPrinter;

namespace zelvora {

class TMetaPageList;

class TPrintTarget {
 public:
  virtual ~TPrintTarget() = default;
  virtual std::string Name() const = 0;
  // 0 portrait, 1 landscape.
  virtual std::uint8_t Orientation() const = 0;
  virtual void SetOrientation(std::uint8_t orientation) = 0;
  virtual bool BeginJob(const std::string& title) = 0;
  virtual void NewSheet() = 0;
  virtual void DrawPage(const TMetaPageList& pages, int index) = 0;
  virtual void EndJob() = 0;
  virtual void AbortJob() = 0;
  virtual bool InJob() const = 0;
};

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
  void DrawPage(const TMetaPageList& pages, int index) override;
  void EndJob() override;
  void AbortJob() override;
  bool InJob() const override;
  QPrinter& Printer() { return *printer_; }

 private:
  struct Job;
  std::unique_ptr<QPrinter> own_;
  QPrinter* printer_;
  std::unique_ptr<Job> job_;
};

}  // namespace zelvora
