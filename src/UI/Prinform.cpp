#include "UI/Prinform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "UI/DialogParts.h"
#include "UI/MessageBoxUI.h"
#include "UI/QPrinterTarget.h"
#include "report/PrintRunView.h"
#include "report/ReportTexts.h"
#include "report/prDelphiRecorder.h"
#include "report/prSystem.h"
#include "report/rptBase.h"

namespace zelvora {

// What the run tells or asks the window.
class TPrintForm::View : public TPrintRunView {
 public:
  explicit View(TPrintForm& window) : window_(window) {}
  void Changed() override { window_.Redraw(); }
  void LetEventsRun() override { QApplication::processEvents(); }
  bool AskContinue(const std::string& text) override {
    return window_.AskContinue ? window_.AskContinue(text) : true;
  }
  void ShowError(const std::string& text) override {
    if (window_.ShowError) window_.ShowError(text);
  }
  void RunStarted() override { window_.show(); }
  void RunFinished() override {
    window_.hide();
    window_.deleteLater();
  }

 private:
  TPrintForm& window_;
};

TPrintForm::TPrintForm(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
                       std::string suffix, QWidget* parent)
    : QDialog(parent),
      view_(std::make_unique<View>(*this)),
      run_(std::make_unique<TPrintRun>(
          texts, *view_,
          TDelphiRecorder::Factory(system_printer ? std::move(system_printer)
                                                  : TSystemPrinter::Default()),
          TQPrinterTarget::DefaultFactory(), std::move(suffix))) {
  setObjectName("PrintForm");
  setWindowTitle(TPrintRun::kCaption);
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(360, 170);
  auto* layout = new QVBoxLayout(this);
  title_panel_ = new QLabel(TPrintRun::kTitle, this);
  title_panel_->setObjectName("TitlePanel");
  title_panel_->setAlignment(Qt::AlignCenter);
  page_panel_ = new QLabel(this);
  page_panel_->setObjectName("PagePanel");
  page_panel_->setAlignment(Qt::AlignCenter);
  gauge_panel_ = new QWidget(this);
  gauge_panel_->setObjectName("GaugePanel");
  auto* gauge_row = new QHBoxLayout(gauge_panel_);
  gauge_ = new QProgressBar(gauge_panel_);
  gauge_->setObjectName("Gauge1");
  gauge_->setTextVisible(false);
  gauge_->setAccessibleName("Progress");
  gauge_row->addWidget(gauge_);
  auto* button_panel = new QWidget(this);
  button_panel->setObjectName("ButtonPanel");
  auto* button_row = new QHBoxLayout(button_panel);
  cancel_btn_ = new QPushButton(ToQ(CommonText(texts, 1)), button_panel);
  cancel_btn_->setObjectName("CancelBtn");
  cancel_btn_->setAutoDefault(false);
  button_row->addStretch(1);
  button_row->addWidget(cancel_btn_);
  button_row->addStretch(1);
  layout->addWidget(title_panel_);
  layout->addWidget(page_panel_);
  layout->addWidget(gauge_panel_);
  layout->addWidget(button_panel);
  gauge_panel_->hide();
  TPrintRun* run = run_.get();
  connect(cancel_btn_, &QPushButton::clicked, this, [run] { run->CancelPrinting(); });
  ShowError = [this](const std::string& text) { TMessageBoxUI(this).ShowError(text); };
  AskContinue = [this](const std::string& text) {
    return QMessageBox::critical(this, windowTitle(), ToQ(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  Redraw();
}

TPrintForm::~TPrintForm() = default;

QString TPrintForm::Title() const { return title_panel_->text(); }
QString TPrintForm::PageText() const { return page_panel_->text(); }

void TPrintForm::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  run_->SetPrintTarget(std::move(target));
}

void TPrintForm::Redraw() {
  title_panel_->setText(ToQ(run_->Title()));
  page_panel_->setText(ToQ(run_->PageText()));
  if (!run_->GaugeVisible()) {
    gauge_panel_->hide();
    return;
  }
  // The gauge takes a fifth of the window.
  gauge_panel_->setFixedHeight(std::max(20, height() / 5));
  gauge_panel_->show();
  gauge_->setRange(run_->GaugeMin(), run_->GaugeMax());
  gauge_->setValue(run_->GaugePosition());
}

void TPrintForm::closeEvent(QCloseEvent* event) {
  if (!run_->MayClose()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TPrintForm::reject() {
  if (run_->MayClose()) QDialog::reject();
}

}  // namespace zelvora
