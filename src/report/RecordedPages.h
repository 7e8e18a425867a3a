// TRecordedPages: the pages a recording printer has kept, as the preview
// and print models see them: how many there are, each page's orientation,
// and the whole set written as one PDF. The drawing layer's page list
// implements it; the models' tests use a list of orientations.
//
// Callers may rely on:
//  - pages are only ever added, at the end, while a report draws on the
//    recording printer; a page once counted keeps its index.
#pragma once

#include <cstdint>
#include <string>

namespace zelvora {

class TRecordedPages {
 public:
  virtual ~TRecordedPages() = default;

  virtual int Count() const = 0;
  // 0 portrait, 1 landscape. Requires: 0 <= index < Count().
  virtual std::uint8_t Orientation(int index) const = 0;
  // Writes every page, the whole set `copies` times, into one PDF. Throws
  // std::runtime_error with the message to show when it cannot; no partial
  // file is left behind.
  virtual void SaveAsPdf(const std::string& path, int copies) const = 0;
};

}  // namespace zelvora
