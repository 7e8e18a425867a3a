// TDelphiRecorder: the recording printer of the preview and print windows:
// a TDelphiScreen whose pages (a TMetaPageList) the windows' models count
// and print, and the preview window paints.
#pragma once

#include <memory>

#include "report/PageRecorder.h"
#include "report/prDelphi.h"

namespace zelvora {

class TDelphiRecorder : public TPageRecorder {
 public:
  // Measures on `system_printer` (the machine's default when null).
  explicit TDelphiRecorder(std::shared_ptr<TSystemPrinter> system_printer);
  ~TDelphiRecorder() override;

  TBasePrinter& Printer() override { return *screen_; }
  const TRecordedPages& Pages() const override { return screen_->Pages(); }

  // A factory of recorders over `system_printer`.
  static TPageRecorderFactory Factory(std::shared_ptr<TSystemPrinter> system_printer);

 private:
  std::unique_ptr<TDelphiScreen> screen_;
};

}  // namespace zelvora
