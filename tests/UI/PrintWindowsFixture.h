// What the preview and print window tests share: the report, page and
// print target fakes of the models' tests, and a small, fast printer for the
// windows' recording printers.
#pragma once

#include <memory>

#include "report/PrintWindowFakes.h"
#include "report/prSystem.h"

namespace zelvora::testing {

inline std::shared_ptr<TSystemPrinter> TestSystemPrinter() {
  static auto printer = std::make_shared<TSystemPrinter>(72);
  return printer;
}

}  // namespace zelvora::testing
