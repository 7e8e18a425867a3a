#include "report/prSystem.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace zelvora {
namespace {

// US Letter in thousandths of an inch.
constexpr int kLetterWidthMils = 8500;
constexpr int kLetterHeightMils = 11000;

}  // namespace

TSystemPrinter::TSystemPrinter(int dpi) : dpi_(dpi > 0 ? dpi : 600) {}

TSystemPrinter::~TSystemPrinter() = default;

std::shared_ptr<TSystemPrinter> TSystemPrinter::Default() {
  static std::shared_ptr<TSystemPrinter> instance = [] {
    auto p = std::make_shared<TSystemPrinter>(600);
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
      p->printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
      if (!p->printer_->isValid()) p->printer_.reset();
    }
    return p;
  }();
  return instance;
}

void TSystemPrinter::Adopt(std::unique_ptr<QPrinter> printer) {
  if (printer == nullptr || !printer->isValid()) return;
  printer_ = std::move(printer);
  printer_->setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::string TSystemPrinter::Name() const {
  if (printer_) return printer_->printerName().toStdString();
  return "PDF";
}

int TSystemPrinter::DpiX() const { return printer_ ? printer_->logicalDpiX() : dpi_; }
int TSystemPrinter::DpiY() const { return printer_ ? printer_->logicalDpiY() : dpi_; }

void TSystemPrinter::SetOrientation(std::uint8_t orientation) {
  orientation_ = orientation == 1 ? 1 : 0;
  if (printer_)
    printer_->setPageOrientation(orientation_ == 1 ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
}

int TSystemPrinter::PageWidthPx() const {
  if (printer_) return printer_->width();
  const int mils = orientation_ == 1 ? kLetterHeightMils : kLetterWidthMils;
  return mils * dpi_ / 1000;
}

int TSystemPrinter::PageHeightPx() const {
  if (printer_) return printer_->height();
  const int mils = orientation_ == 1 ? kLetterWidthMils : kLetterHeightMils;
  return mils * dpi_ / 1000;
}

}  // namespace zelvora
