#include "UI/Prinform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "UI/PrintTarget.h"
#include "UI/ReportTexts.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"
#include "report/rptBase.h"

namespace zelvora {

namespace {
constexpr std::size_t kJobTitleMaxChars = 127;
}

TPrintForm::TPrintForm(const TLanguageTable& texts, std::shared_ptr<TSystemPrinter> system_printer,
                       std::string suffix, QWidget* parent)
    : QWidget(parent, Qt::Window),
      texts_(texts),
      system_printer_(system_printer ? std::move(system_printer) : TSystemPrinter::Default()),
      suffix_(std::move(suffix)) {
  setObjectName("PrintForm");
  setWindowTitle("Printing Reports");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(360, 170);
  auto* layout = new QVBoxLayout(this);
  title_panel_ = new QLabel("Printing Something or Other", this);
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
  cancel_btn_ = new QPushButton(QString::fromStdString(CommonText(texts_, 1)), button_panel);
  cancel_btn_->setObjectName("CancelBtn");
  button_row->addStretch(1);
  button_row->addWidget(cancel_btn_);
  button_row->addStretch(1);
  layout->addWidget(title_panel_);
  layout->addWidget(page_panel_);
  layout->addWidget(gauge_panel_);
  layout->addWidget(button_panel);
  gauge_panel_->hide();
  connect(cancel_btn_, &QPushButton::clicked, this, [this] { CancelPrinting(); });
  SetTitle(ReportText(texts_, 0) + suffix_);
  AskContinue = [this](const std::string& text) {
    return QMessageBox::critical(this, windowTitle(), QString::fromStdString(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
}

TPrintForm::~TPrintForm() {
  if (report_ != nullptr) report_->SetPrinter(nullptr);
}

QString TPrintForm::Title() const { return title_panel_->text(); }
QString TPrintForm::PageText() const { return page_panel_->text(); }

void TPrintForm::SetTitle(const std::string& text) {
  title_panel_->setText(QString::fromStdString(text));
}
void TPrintForm::SetPage(const std::string& text) {
  page_panel_->setText(QString::fromStdString(text));
}

void TPrintForm::LetEventsRun() { QApplication::processEvents(); }

void TPrintForm::AttachReport(std::unique_ptr<TReportBase> report) {
  report_ = std::move(report);
  NewRecorder();
}

void TPrintForm::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  target_ = std::move(target);
}

void TPrintForm::StartGauge(int min, int max, int position) {
  if (max <= 0) {
    gauge_panel_->hide();
    return;
  }
  gauge_panel_->setFixedHeight(std::max(20, height() / 5));
  gauge_panel_->show();
  gauge_->setRange(min, max);
  gauge_->setValue(position);
}

void TPrintForm::InstallCallbacks() {
  const auto texts = [this](const std::string& title, const std::string& subtitle) {
    if (!title.empty()) SetTitle(title);
    if (!subtitle.empty()) SetPage(subtitle);
  };
  const auto moved = [this, texts](const std::string& title, const std::string& subtitle, int n) {
    texts(title, subtitle);
    if (gauge_panel_->isVisible() && n > 0) gauge_->setValue(n);
    LetEventsRun();
  };
  report_->SetNotifications(
      [this](const std::string& title, const std::string& subtitle, int min, int max,
             int position) {
        if (!title.empty()) {
          SetTitle(title);
          job_title_ = (title + ": ").substr(0, kJobTitleMaxChars);
        }
        if (!subtitle.empty()) {
          SetPage(subtitle);
          job_title_ = (job_title_ + subtitle).substr(0, kJobTitleMaxChars);
        }
        StartGauge(min, max, position);
        LetEventsRun();
      },
      [this, texts](const std::string& title, const std::string& subtitle, int) {
        texts(title, subtitle);
        if (gauge_panel_->isVisible()) gauge_->setValue(gauge_->maximum());
        LetEventsRun();
      },
      moved, moved);
}

void TPrintForm::NewRecorder() {
  if (report_ == nullptr) return;
  if (recorder_ != nullptr) {
    report_->Cancel();
    report_->SetPrinter(nullptr);
    recorder_.reset();
  }
  InstallCallbacks();
  recorder_ = std::make_unique<TDelphiScreen>(system_printer_);
  report_->SetPrinter(recorder_.get());
}

void TPrintForm::PrintRecorded() {
  const TMetaPageList& pages = recorder_->Pages();
  const std::uint8_t saved = target_->Orientation();
  if (pages.Count() > 0) target_->SetOrientation(pages.Get(0).Orientation());
  if (!target_->BeginJob(job_title_)) {
    CancelPrinting();
    target_->SetOrientation(saved);
    return;
  }
  int in_job = 0;
  for (int copy = 1; copy <= std::max(1, report_->Copies) && !cancelled_; ++copy) {
    SetTitle(ReportText(texts_, 2, {copy}));
    for (int i = 0; i < pages.Count(); ++i) {
      if (cancelled_) break;
      SetPage(ReportText(texts_, 4, {i + 1, pages.Count()}));
      const std::uint8_t orientation = pages.Get(i).Orientation();
      if (orientation != target_->Orientation()) {
        target_->EndJob();
        target_->SetOrientation(orientation);
        if (!target_->BeginJob(job_title_)) {
          CancelPrinting();
          break;
        }
        in_job = 0;
      }
      if (in_job > 0) target_->NewSheet();
      target_->DrawPage(pages, i);
      ++in_job;
      LetEventsRun();
    }
  }
  if (target_->InJob()) {
    if (cancelled_)
      target_->AbortJob();
    else
      target_->EndJob();
  }
  target_->SetOrientation(saved);
}

void TPrintForm::Run() {
  if (report_ == nullptr) return;
  if (target_ == nullptr) target_ = std::make_unique<TQPrinterTarget>();
  running_ = true;
  show();
  while (!cancelled_) {
    SetTitle(ReportText(texts_, 1) + suffix_);
    LetEventsRun();
    NewRecorder();
    bool ok = false;
    try {
      if (report_->SingleRun) {
        ok = report_->NextReport();
      } else {
        do {
          ok = report_->NextReport();
        } while (ok && report_->HasNextReport && !cancelled_);
      }
    } catch (const std::exception&) {
      ok = false;
    }
    if (ok && !cancelled_) {
      PrintRecorded();
    } else if (!cancelled_) {
      const std::string message = report_->GetErrorMessage();
      if (!message.empty() && !AskContinue(message)) CancelPrinting();
    }
    if (!report_->HasNextReport || cancelled_) break;
  }
  if (target_->InJob()) {
    if (cancelled_)
      target_->AbortJob();
    else
      target_->EndJob();
  }
  running_ = false;
  hide();
  deleteLater();
}

void TPrintForm::CancelPrinting() {
  if (report_ != nullptr) report_->Cancel();
  cancelled_ = true;
  SetPage(ReportText(texts_, 5));
  SetTitle(ReportText(texts_, 6) + suffix_);
}

void TPrintForm::closeEvent(QCloseEvent* event) {
  if (running_) {
    CancelPrinting();
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace zelvora
