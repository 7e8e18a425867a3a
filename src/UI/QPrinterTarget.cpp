#include "UI/QPrinterTarget.h"

#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <stdexcept>

#include "report/prDelphi.h"
#include "report/prSystem.h"

namespace zelvora {

struct TQPrinterTarget::Job {
  QPainter painter;
};

TQPrinterTarget::TQPrinterTarget(QPrinter* printer) : printer_(printer) {
  if (printer_ == nullptr) {
    own_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_ = own_.get();
    // The queue and paper chosen in Print Setup; a printer of its own, so
    // that a job's resolution and orientation never change the system
    // printer that reports are laid out for.
    if (const QPrinter* chosen = TSystemPrinter::Default()->Device()) {
      own_->setPrinterName(chosen->printerName());
      own_->setPageLayout(chosen->pageLayout());
    }
  }
}

TQPrinterTarget::~TQPrinterTarget() {
  if (job_ != nullptr) AbortJob();
}

std::string TQPrinterTarget::Name() const { return printer_->printerName().toStdString(); }

std::uint8_t TQPrinterTarget::Orientation() const {
  return printer_->pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void TQPrinterTarget::SetOrientation(std::uint8_t orientation) {
  printer_->setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool TQPrinterTarget::BeginJob(const std::string& title) {
  if (job_ != nullptr) return true;
  printer_->setDocName(QString::fromStdString(title));
  // Recorded pages resolve their fonts against the device's resolution: the
  // job runs at the resolution they replay correctly at.
  printer_->setResolution(TMetaPageList::ReplayDpi());
  auto job = std::make_unique<Job>();
  if (!job->painter.begin(printer_)) return false;
  job_ = std::move(job);
  return true;
}

void TQPrinterTarget::NewSheet() {
  if (job_ != nullptr) printer_->newPage();
}

void TQPrinterTarget::DrawPage(const TRecordedPages& pages, int index) {
  if (job_ == nullptr) return;
  const auto* recorded = dynamic_cast<const TMetaPageList*>(&pages);
  if (recorded == nullptr) throw std::logic_error("The pages were not recorded for printing.");
  const TMetaPage& page = recorded->Get(index);
  const QRect source = page.Picture().boundingRect();
  const QRect target = printer_->pageLayout().paintRectPixels(printer_->resolution());
  if (source.width() <= 0 || source.height() <= 0) return;
  QPainter& painter = job_->painter;
  painter.save();
  // Stretched over the printable page, whatever the printer's margins; the
  // page's level text is drawn over its picture, as on screen.
  painter.scale(double(target.width()) / source.width(), double(target.height()) / source.height());
  painter.translate(-source.left(), -source.top());
  page.Play(painter);
  painter.restore();
}

void TQPrinterTarget::EndJob() {
  if (job_ == nullptr) return;
  job_->painter.end();
  job_.reset();
}

void TQPrinterTarget::AbortJob() {
  if (job_ == nullptr) return;
  printer_->abort();
  job_->painter.end();
  job_.reset();
}

bool TQPrinterTarget::InJob() const { return job_ != nullptr; }

TPrintTargetFactory TQPrinterTarget::DefaultFactory() {
  return []() -> std::unique_ptr<TPrintTarget> { return std::make_unique<TQPrinterTarget>(); };
}

}  // namespace zelvora
