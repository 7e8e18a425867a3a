// TSystemPrinter: the printer reports are laid out for. It is the default
// printer of the machine's print system, measured at its resolution; when the
// machine has no printer a built-in PDF printer stands in (US Letter, 600
// dots per inch) so that reports can always be generated, previewed and
// saved.
//
// Callers may rely on: Installed() is true for the built-in PDF printer;
// PageWidthPx/PageHeightPx follow the orientation last set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QPrinter;

namespace zelvora {

class TSystemPrinter {
 public:
  // The built-in PDF printer at `dpi` dots per inch (US Letter).
  explicit TSystemPrinter(int dpi = 600);
  ~TSystemPrinter();
  TSystemPrinter(const TSystemPrinter&) = delete;
  TSystemPrinter& operator=(const TSystemPrinter&) = delete;

  // The machine's default printer, or the built-in PDF printer when there is
  // none. Shared for the life of the program.
  static std::shared_ptr<TSystemPrinter> Default();

  bool Installed() const { return true; }
  bool IsBuiltInPdf() const { return printer_ == nullptr; }
  std::string Name() const;
  int DpiX() const;
  int DpiY() const;
  // 0 portrait, 1 landscape.
  void SetOrientation(std::uint8_t orientation);
  std::uint8_t Orientation() const { return orientation_; }
  // The printable page in printer pixels for the current orientation.
  int PageWidthPx() const;
  int PageHeightPx() const;
  // The real printer, or null for the built-in PDF printer.
  QPrinter* Device() const { return printer_.get(); }
  // Makes `printer` the real printer: the queue the user set up when the
  // machine has none by default. Only the user's set-up adopts a queue that
  // is not the default, so that unattended runs lay out reports alike.
  void Adopt(std::unique_ptr<QPrinter> printer);

 private:
  std::unique_ptr<QPrinter> printer_;
  int dpi_ = 600;
  std::uint8_t orientation_ = 0;
};

}  // namespace zelvora
