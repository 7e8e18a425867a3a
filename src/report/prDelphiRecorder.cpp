#include "report/prDelphiRecorder.h"

namespace zelvora {

TDelphiRecorder::TDelphiRecorder(std::shared_ptr<TSystemPrinter> system_printer)
    : screen_(std::make_unique<TDelphiScreen>(std::move(system_printer))) {}

TDelphiRecorder::~TDelphiRecorder() = default;

TPageRecorderFactory TDelphiRecorder::Factory(std::shared_ptr<TSystemPrinter> system_printer) {
  return [system_printer]() -> std::unique_ptr<TPageRecorder> {
    return std::make_unique<TDelphiRecorder>(system_printer);
  };
}

}  // namespace zelvora
