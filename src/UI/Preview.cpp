#include "UI/Preview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "UI/PrintTarget.h"
#include "UI/ReportTexts.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"
#include "report/rptBase.h"

namespace zelvora {

// The page drawing surface: the shown page rendered at the surface's width,
// kept until the page or the width changes so that scrolling and repaints
// only copy it.
class TPreviewSurface : public QWidget {
 public:
  explicit TPreviewSurface(TPrPreviewScr& owner) : QWidget(nullptr), owner_(owner) {
    setObjectName("PaintBox1");
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void Forget() {
    image_ = QImage();
    page_ = -1;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const TMetaPageList* pages = owner_.Pages();
    if (owner_.busy_ || pages == nullptr || owner_.first_page_ >= pages->Count()) return;
    const int index = owner_.first_page_;
    if (page_ != index || image_.width() != width()) {
      const QRect source = pages->Get(index).Picture().boundingRect();
      const double dpi = source.width() > 0 ? double(width()) * pages->DpiX() / source.width() : 72;
      image_ = pages->Render(index, std::max(1, int(std::lround(dpi))));
      page_ = index;
    }
    painter.drawImage(rect(), image_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && owner_.prev_btn_->isEnabled())
      owner_.ShowPage(owner_.first_page_ - 1);
    else if (event->button() == Qt::RightButton && owner_.next_btn_->isEnabled())
      owner_.ShowPage(owner_.first_page_ + 1);
  }
  void wheelEvent(QWheelEvent* event) override {
    owner_.ScrollBy(event->angleDelta().y() > 0 ? -1 : 1, false);
    event->accept();
  }

 private:
  TPrPreviewScr& owner_;
  QImage image_;
  int page_ = -1;
};

namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TPrPreviewScr::TPrPreviewScr(const TLanguageTable& texts,
                             std::shared_ptr<TSystemPrinter> system_printer, QWidget* parent)
    : QWidget(parent, Qt::Window),
      texts_(texts),
      system_printer_(system_printer ? std::move(system_printer) : TSystemPrinter::Default()) {
  setObjectName("PrPreviewScr");
  setWindowTitle("Viewing Reports");
  setAttribute(Qt::WA_DeleteOnClose);
  setMinimumWidth(500);
  const int screen_width = screen() != nullptr ? screen()->geometry().width() : 1024;
  if (screen_width == 640)
    resize(600, 400);
  else if (screen_width == 800)
    resize(780, 500);
  else
    resize(850, 680);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("ScrollBox");
  scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setWidgetResizable(false);
  scroll_->verticalScrollBar()->setSingleStep(50);
  scroll_->setFocusPolicy(Qt::NoFocus);
  surface_ = new TPreviewSurface(*this);
  surface_->setAccessibleName("Page");
  scroll_->setWidget(surface_);
  surface_->hide();
  layout->addWidget(scroll_, 1);

  report_panel_ = new QWidget(this);
  report_panel_->setObjectName("ReportPanel");
  report_panel_->setFixedHeight(35);
  auto* report_row = new QHBoxLayout(report_panel_);
  report_row->setContentsMargins(6, 2, 6, 2);
  prev_rpt_btn_ = Button("PrevRptBtn", "<< Report", report_panel_);
  rpt_no_lbl_ = new QLabel("Subject, Report", report_panel_);
  rpt_no_lbl_->setObjectName("RptNoLbl");
  QFont bold = rpt_no_lbl_->font();
  bold.setBold(true);
  rpt_no_lbl_->setFont(bold);
  rpt_no_lbl_->setAlignment(Qt::AlignCenter);
  next_rpt_btn_ = Button("NextRptBtn", "Report >>", report_panel_);
  report_row->addWidget(prev_rpt_btn_);
  report_row->addWidget(rpt_no_lbl_, 1);
  report_row->addWidget(next_rpt_btn_);
  layout->addWidget(report_panel_);

  page_panel_ = new QWidget(this);
  page_panel_->setObjectName("PagePanel");
  page_panel_->setFixedHeight(35);
  auto* page_row = new QHBoxLayout(page_panel_);
  page_row->setContentsMargins(6, 2, 6, 2);
  prev_btn_ = Button("PrevBtn", "<< Page", page_panel_);
  page_no_lbl_ = new QLabel("Page 99 of 999", page_panel_);
  page_no_lbl_->setObjectName("PageNoLbl");
  page_no_lbl_->setAlignment(Qt::AlignCenter);
  page_no_lbl_->setMinimumWidth(100);
  next_btn_ = Button("NextBtn", "Page >>", page_panel_);
  print_page_btn_ = Button("PrintPageBtn", "&Print Page", page_panel_);
  print_all_btn_ = Button("PrintAllBtn", "Print &Report", page_panel_);
  save_pdf_btn_ = Button("SavePdfBtn", "Save as &PDF...", page_panel_);
  cancel_btn_ = Button("CancelBtn", QString::fromStdString(CommonText(texts_, 24)), page_panel_);
  page_row->addWidget(prev_btn_);
  page_row->addWidget(page_no_lbl_);
  page_row->addWidget(next_btn_);
  page_row->addStretch(1);
  page_row->addWidget(print_page_btn_);
  page_row->addWidget(print_all_btn_);
  page_row->addWidget(save_pdf_btn_);
  page_row->addWidget(cancel_btn_);
  layout->addWidget(page_panel_);

  status_ = new QStatusBar(this);
  status_->setObjectName("StatusHeader");
  status_->setSizeGripEnabled(false);
  status_->setFixedHeight(33);
  status_subject_ = new QLabel(status_);
  status_subject_->setObjectName("StatusSubject");
  status_subject_->setMinimumWidth(221);
  status_page_ = new QLabel(status_);
  status_page_->setObjectName("StatusPage");
  status_page_->setMinimumWidth(41);
  status_->addWidget(status_subject_, 1);
  status_->addPermanentWidget(status_page_);
  status_->hide();
  layout->addWidget(status_);

  connect(prev_btn_, &QPushButton::clicked, this, [this] { ShowPage(first_page_ - 1); });
  connect(next_btn_, &QPushButton::clicked, this, [this] { ShowPage(first_page_ + 1); });
  connect(prev_rpt_btn_, &QPushButton::clicked, this, [this] { GenerateReport(false); });
  connect(next_rpt_btn_, &QPushButton::clicked, this, [this] { GenerateReport(true); });
  connect(cancel_btn_, &QPushButton::clicked, this, [this] { CancelClicked(); });
  connect(print_page_btn_, &QPushButton::clicked, this, [this] {
    cancel_btn_->setEnabled(false);
    PrintPages(first_page_, first_page_);
    cancel_btn_->setEnabled(true);
    Refresh();
  });
  connect(print_all_btn_, &QPushButton::clicked, this, [this] {
    cancel_btn_->setText(QString::fromStdString(CommonText(texts_, 1)));
    PrintPages(-1, -1);
    cancel_btn_->setText(QString::fromStdString(CommonText(texts_, 24)));
    Refresh();
  });
  connect(save_pdf_btn_, &QPushButton::clicked, this, [this] {
    const std::string path = AskPdfFile ? AskPdfFile() : std::string();
    if (!path.empty()) SaveAsPdf(path);
  });

  ShowError = [this](const std::string& text) {
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(text), QMessageBox::Ok);
  };
  AskPdfFile = [this]() {
    return QFileDialog::getSaveFileName(this, "Save as PDF", QString(), "PDF files (*.pdf)")
        .toStdString();
  };

  SetPanelMode(1);
  page_no_lbl_->setText(QString::fromStdString(ReportText(texts_, 6)));
  Refresh();
}

TPrPreviewScr::~TPrPreviewScr() {
  if (report_ != nullptr) report_->SetPrinter(nullptr);
}

void TPrPreviewScr::SetPanelMode(int mode) {
  page_panel_->setVisible(mode >= 1);
  report_panel_->setVisible(mode >= 2);
}

void TPrPreviewScr::AttachReport(std::unique_ptr<TReportBase> report) {
  report_ = std::move(report);
  Refresh();
}

void TPrPreviewScr::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  target_ = std::move(target);
}

const TMetaPageList* TPrPreviewScr::Pages() const {
  return recorder_ != nullptr ? &recorder_->Pages() : nullptr;
}

int TPrPreviewScr::PageCount() const { return Pages() != nullptr ? Pages()->Count() : 0; }

void TPrPreviewScr::LetEventsRun() { QApplication::processEvents(); }

void TPrPreviewScr::SetStatus(const std::string& first, const std::string& second) {
  status_->show();
  status_subject_->setText(QString::fromStdString(first));
  status_page_->setText(QString::fromStdString(second));
}

void TPrPreviewScr::InstallCallbacks() {
  const auto padded = [](const std::string& text) { return text.empty() ? text : text + "     "; };
  report_->SetNotifications(
      [this, padded](const std::string& title, const std::string& subtitle, int, int, int) {
        if (title.empty() && subtitle.empty()) return;
        SetStatus(padded(title), padded(subtitle));
        rpt_no_lbl_->setText(QString::fromStdString(title + " - " + subtitle));
        page_no_lbl_->clear();
        LetEventsRun();
      },
      [this, padded](const std::string& title, const std::string& subtitle, int) {
        if (!title.empty() || !subtitle.empty()) SetStatus(padded(title), padded(subtitle));
        page_no_lbl_->clear();
        LetEventsRun();
      },
      [this](const std::string&, const std::string&, int n) {
        if (n > 0) status_page_->setText(QString::fromStdString(ReportText(texts_, 3, {n})));
        LetEventsRun();
      },
      [this](const std::string&, const std::string&, int n) {
        if (n > 0) {
          status_->show();
          status_page_->setText(QString::fromStdString(ReportText(texts_, 3, {n})));
        }
        // The Cancel button is noticed here, between pages.
        LetEventsRun();
      });
}

void TPrPreviewScr::DetachRecorder() {
  if (recorder_ == nullptr) return;
  report_->Cancel();
  report_->SetPrinter(nullptr);
  surface_->Forget();
  recorder_.reset();
}

void TPrPreviewScr::GenerateReport(bool forward) {
  if (report_ == nullptr || generating_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  busy_ = true;
  surface_->hide();
  DetachRecorder();
  InstallCallbacks();
  recorder_ = std::make_unique<TDelphiScreen>(system_printer_);
  report_->SetPrinter(recorder_.get());
  generating_ = true;
  cancel_btn_->setText(QString::fromStdString(CommonText(texts_, 1)));
  Refresh();
  LetEventsRun();
  bool ok = false;
  try {
    ok = forward ? report_->NextReport() : report_->PrevReport();
  } catch (const std::exception&) {
    ok = false;
  }
  generating_ = false;
  cancel_btn_->setText(QString::fromStdString(CommonText(texts_, 24)));
  QApplication::restoreOverrideCursor();
  status_->hide();
  if (ok && PageCount() > 0) {
    first_page_ = 0;
    busy_ = false;
    Refresh();
    Layout();
    surface_->show();
    surface_->update();
  } else {
    Refresh();
    const std::string message = report_->GetErrorMessage();
    if (!message.empty()) {
      // The box must not open behind a window kept on top.
      if (windowFlags() & Qt::WindowStaysOnTopHint) {
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        show();
      }
      ShowError(message);
    }
  }
  if (close_requested_) close();
}

void TPrPreviewScr::ShowPage(int index) {
  if (busy_ || index < 0 || index >= PageCount()) return;
  first_page_ = index;
  Layout();
  surface_->update();
  Refresh();
}

void TPrPreviewScr::Refresh() {
  scroll_->verticalScrollBar()->setValue(0);
  scroll_->horizontalScrollBar()->setValue(0);
  const int count = busy_ ? 0 : PageCount();
  prev_btn_->setEnabled(first_page_ > 0 && count > 0);
  next_btn_->setEnabled(first_page_ < count - 1);
  prev_rpt_btn_->setEnabled(report_ != nullptr && report_->HasPrevReport && !generating_);
  next_rpt_btn_->setEnabled(report_ != nullptr && report_->HasNextReport && !generating_);
  const bool can_print =
      report_ != nullptr && report_->CanPrint && count > 0 && !generating_ && !printing_;
  print_page_btn_->setEnabled(can_print);
  print_all_btn_->setEnabled(can_print);
  save_pdf_btn_->setEnabled(count > 0 && !generating_ && !printing_);
  if (count > 0)
    page_no_lbl_->setText(QString::fromStdString(ReportText(texts_, 4, {first_page_ + 1, count})));
}

void TPrPreviewScr::Layout() {
  const TMetaPageList* pages = Pages();
  if (pages == nullptr || PageCount() == 0) return;
  const int width = std::max(1, scroll_->viewport()->width() - 1);
  // The shown page's own shape: a landscape page gets a landscape surface.
  const QRect source = pages->Get(std::min(first_page_, PageCount() - 1)).Picture().boundingRect();
  const double aspect = source.width() > 0 ? double(source.height()) / source.width() : 11.0 / 8.5;
  surface_->setFixedSize(width, static_cast<int>(std::lround(width * aspect)));
}

void TPrPreviewScr::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TPrPreviewScr::ScrollBy(int tenths, bool to_end) {
  QScrollBar* bar = scroll_->verticalScrollBar();
  if (to_end) {
    bar->setValue(tenths < 0 ? bar->minimum() : bar->maximum());
    return;
  }
  const int step = std::max(1, (bar->maximum() - bar->minimum()) / 10);
  bar->setValue(std::clamp(bar->value() + tenths * step, bar->minimum(), bar->maximum()));
}

void TPrPreviewScr::keyReleaseEvent(QKeyEvent* event) {
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  switch (event->key()) {
    case Qt::Key_Home:
      ShowPage(0);
      break;
    case Qt::Key_End:
      ShowPage(PageCount() - 1);
      break;
    case Qt::Key_Escape:
      cancel_btn_->click();
      break;
    case Qt::Key_PageDown:
    case Qt::Key_Right:
      if (next_btn_->isEnabled()) ShowPage(ctrl ? PageCount() - 1 : first_page_ + 1);
      break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
      if (prev_btn_->isEnabled()) ShowPage(ctrl ? 0 : first_page_ - 1);
      break;
    case Qt::Key_Up:
      ScrollBy(-1, ctrl);
      break;
    case Qt::Key_Down:
      ScrollBy(1, ctrl);
      break;
    default:
      QWidget::keyReleaseEvent(event);
      return;
  }
  event->accept();
}

void TPrPreviewScr::CancelClicked() {
  if (generating_ || printing_) {
    // Noticed by the generation (or the print loop) at the next page.
    close_requested_ = true;
    if (generating_ && report_ != nullptr) report_->Cancel();
    return;
  }
  close();
}

void TPrPreviewScr::closeEvent(QCloseEvent* event) {
  if (generating_ || printing_) {
    // The run is on the stack below this event: it is cancelled and the
    // window closes when it returns.
    CancelClicked();
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void TPrPreviewScr::PrintPages(int from, int to) {
  const TMetaPageList* pages = Pages();
  if (pages == nullptr || PageCount() == 0 || printing_) return;
  if (from < 0) from = 0;
  if (to < 0 || to >= PageCount()) to = PageCount() - 1;
  if (target_ == nullptr) target_ = std::make_unique<TQPrinterTarget>();
  printing_ = true;
  Refresh();
  SetStatus("", ReportText(texts_, 7) + "...");
  LetEventsRun();
  const std::uint8_t saved = target_->Orientation();
  if (from <= to) target_->SetOrientation(pages->Get(from).Orientation());
  if (target_->BeginJob(windowTitle().toStdString())) {
    int in_job = 0;
    for (int i = from; i <= to; ++i) {
      if (close_requested_) {
        target_->AbortJob();
        break;
      }
      status_subject_->setText(QString::fromStdString(ReportText(texts_, 3, {i + 1})));
      const std::uint8_t orientation = pages->Get(i).Orientation();
      if (orientation != target_->Orientation()) {
        // Mixed orientations print as consecutive jobs.
        target_->EndJob();
        target_->SetOrientation(orientation);
        if (!target_->BeginJob(windowTitle().toStdString())) break;
        in_job = 0;
      }
      if (in_job > 0) target_->NewSheet();
      target_->DrawPage(*pages, i);
      ++in_job;
      LetEventsRun();
    }
  }
  try {
    target_->EndJob();
  } catch (...) {
  }
  target_->SetOrientation(saved);
  status_->hide();
  printing_ = false;
  Refresh();
  if (close_requested_) close();
}

void TPrPreviewScr::SaveAsPdf(const std::string& path) {
  if (Pages() == nullptr) return;
  try {
    Pages()->SaveAsPdf(path);
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

}  // namespace zelvora
