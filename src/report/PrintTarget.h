// TPrintTarget: where the preview and the print window send recorded pages:
// print jobs of sheets, each sheet one recorded page stretched over the
// printable page. The windows print through a QPrinter (TQPrinterTarget);
// the models' tests record the calls instead.
//
// Callers may rely on:
//  - a job is started with BeginJob and closed with EndJob or AbortJob;
//    BeginJob returns false (and no job is open) when the job could not
//    start; EndJob and AbortJob without an open job do nothing;
//  - the orientation is changed only between jobs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zelvora {

class TRecordedPages;

class TPrintTarget {
 public:
  virtual ~TPrintTarget() = default;
  virtual std::string Name() const = 0;
  // 0 portrait, 1 landscape.
  virtual std::uint8_t Orientation() const = 0;
  virtual void SetOrientation(std::uint8_t orientation) = 0;
  virtual bool BeginJob(const std::string& title) = 0;
  virtual void NewSheet() = 0;
  // Requires: 0 <= index < pages.Count(), and `pages` come from a recorder
  // of the kind this target prints (the drawing layer's pages for a
  // QPrinter).
  virtual void DrawPage(const TRecordedPages& pages, int index) = 0;
  virtual void EndJob() = 0;
  virtual void AbortJob() = 0;
  virtual bool InJob() const = 0;
};

// What the user is told when a print job cannot start on `target`.
inline std::string JobNotStartedMessage(const TPrintTarget& target) {
  if (target.Name().empty())
    return "No printer is set up on this computer.\nSave the report as PDF instead.";
  return "Printing could not start on " + target.Name() + ".";
}

// Makes the printer a window prints on when it was given none (made at the
// first print, so that a window that never prints never opens a printer).
using TPrintTargetFactory = std::function<std::unique_ptr<TPrintTarget>()>;

}  // namespace zelvora
