#include "UI/ReportScreens.h"

#include <QApplication>
#include <QListWidget>
#include <QPixmap>

#include "APP/CONFIGU.h"
#include "UI/MainForm.h"
#include "UI/PrWiz.h"
#include "UI/Preview.h"
#include "UI/Prinform.h"
#include "UI/Screenshots.h"
#include "UI/model/MainFormModel.h"
#include "report/PrintTarget.h"
#include "report/Report.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"

namespace zelvora {
namespace {

TPrWizHost HostOf(TScreenshotContext& context) {
  auto config = std::make_shared<TReportConfig>();
  config->Read(context.model.Config().Settings());
  return TPrWizHost{context.model.LanguageTable(), std::move(config), [] { return true; }, nullptr,
                    " - Zelvora 360 Feedback"};
}

// Individual over the first company, department, survey and subject and
// their first experience, up to `page` (0, 2, 5 or 6).
void Walk(TPrWiz& wizard, int page) {
  TRptWiz& model = wizard.Model();
  model.SetCategory(rcIndividual);
  while (model.Page() != page && model.Page() != rwReportSelect) {
    if (model.Page() != rwType && model.SelectedCount(model.Page()) == 0)
      model.SetSelected(0, true);
    if (!model.CanNext()) break;
    model.Next();
  }
  if (model.Page() != rwType && model.Page() != rwReportSelect &&
      model.SelectedCount(model.Page()) == 0)
    model.SetSelected(0, true);
  wizard.Redraw();
}

QPixmap ShootWizard(TScreenshotContext& context, int page) {
  TPrWiz wizard(HostOf(context), &context.main_form);
  Walk(wizard, page);
  return Grab(wizard);
}

// The generator over the wizard's request, prepared.
std::unique_ptr<TReport360> PreparedReport(TScreenshotContext& context,
                                           std::shared_ptr<TReportConfig>& config) {
  TPrWiz wizard(HostOf(context), &context.main_form);
  Walk(wizard, rwReportSelect);
  if (wizard.Model().Page() != rwReportSelect) return nullptr;
  config = std::make_shared<TReportConfig>();
  config->Read(context.model.Config().Settings());
  auto report = std::make_unique<TReport360>(*config);
  if (!report->Prepare(wizard.Model().BuildRequest())) return nullptr;
  return report;
}

QPixmap ShootPreview(TScreenshotContext& context) {
  std::shared_ptr<TReportConfig> config;
  auto report = PreparedReport(context, config);
  auto* preview = new TPrPreviewScr(context.model.LanguageTable(), TSystemPrinter::Default());
  preview->setAttribute(Qt::WA_DeleteOnClose, false);
  // Without data to report the window is shown as it opens.
  if (report != nullptr) {
    preview->AttachReport(std::move(report));
    preview->show();
    preview->GenerateReport(true);
  }
  QPixmap picture = Grab(*preview);
  delete preview;
  return picture;
}

// A printer that keeps nothing: the print window is photographed at its
// second page.
class TPictureTarget : public TPrintTarget {
 public:
  explicit TPictureTarget(QPixmap& picture) : picture_(picture) {}
  QWidget* window = nullptr;
  std::string Name() const override { return "Screenshot"; }
  std::uint8_t Orientation() const override { return orientation_; }
  void SetOrientation(std::uint8_t o) override { orientation_ = o; }
  bool BeginJob(const std::string&) override { return in_job_ = true; }
  void NewSheet() override {}
  void DrawPage(const TRecordedPages&, int index) override {
    if (index == 1 && window != nullptr && picture_.isNull()) picture_ = Grab(*window);
  }
  void EndJob() override { in_job_ = false; }
  void AbortJob() override { in_job_ = false; }
  bool InJob() const override { return in_job_; }

 private:
  QPixmap& picture_;
  std::uint8_t orientation_ = 0;
  bool in_job_ = false;
};

QPixmap ShootPrintWindow(TScreenshotContext& context) {
  std::shared_ptr<TReportConfig> config;
  auto report = PreparedReport(context, config);
  QPixmap picture;
  auto* window = new TPrintForm(context.model.LanguageTable(), TSystemPrinter::Default(),
                                " - Zelvora 360 Feedback");
  if (report == nullptr) {
    // Without data to report the window is shown as it opens.
    picture = Grab(*window);
    delete window;
    return picture;
  }
  auto target = std::make_unique<TPictureTarget>(picture);
  target->window = window;
  window->SetPrintTarget(std::move(target));
  window->AttachReport(std::move(report));
  window->Run();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return picture;
}

}  // namespace

void RegisterReportScreens(TScreenshotRegistry& registry) {
  registry.Add("report-wizard-type", [](TScreenshotContext& c) { return ShootWizard(c, rwType); });
  registry.Add("report-wizard-departments",
               [](TScreenshotContext& c) { return ShootWizard(c, rwDepartment); });
  registry.Add("report-wizard-experiences",
               [](TScreenshotContext& c) { return ShootWizard(c, rwExperience); });
  registry.Add("report-wizard-report-select",
               [](TScreenshotContext& c) { return ShootWizard(c, rwReportSelect); });
  registry.Add("preview-individual", ShootPreview);
  registry.Add("print-window", ShootPrintWindow);
}

}  // namespace zelvora
