// TPageRecorder: a recording printer as the preview and print models use
// it: the printer a report draws on, and the pages it has recorded so far.
// The preview and print windows make a fresh one for every generation
// through a TPageRecorderFactory (the drawing layer's TDelphiRecorder in the
// program, a printer that keeps orientations in the models' tests).
//
// Callers may rely on:
//  - Pages() is the same object for the recorder's whole life and grows as
//    the report ends its pages.
#pragma once

#include <functional>
#include <memory>

#include "report/RecordedPages.h"
#include "report/prBase.h"

namespace zelvora {

class TPageRecorder {
 public:
  virtual ~TPageRecorder() = default;
  virtual TBasePrinter& Printer() = 0;
  virtual const TRecordedPages& Pages() const = 0;
};

using TPageRecorderFactory = std::function<std::unique_ptr<TPageRecorder>()>;

}  // namespace zelvora
