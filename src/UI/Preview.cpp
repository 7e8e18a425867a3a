#include "UI/Preview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "UI/DialogParts.h"
#include "UI/MessageBoxUI.h"
#include "UI/QPrinterTarget.h"
#include "report/PreviewView.h"
#include "report/ReportTexts.h"
#include "report/prDelphi.h"
#include "report/prDelphiRecorder.h"
#include "report/prSystem.h"
#include "report/rptBase.h"

namespace zelvora {

// What the model tells or asks the window.
class TPrPreviewScr::View : public TPreviewView {
 public:
  explicit View(TPrPreviewScr& window) : window_(window), boxes_(&window) {}

  void Changed() override { window_.Redraw(); }
  void SetBusyCursor(bool busy) override { boxes_.SetBusy(busy); }
  void LetEventsRun() override { QApplication::processEvents(); }
  void ShowError(const std::string& text) override {
    // The box must not open behind a window kept on top.
    if (window_.windowFlags() & Qt::WindowStaysOnTopHint) {
      window_.setWindowFlag(Qt::WindowStaysOnTopHint, false);
      window_.show();
    }
    if (window_.ShowError) window_.ShowError(text);
  }
  std::string AskPdfFile(const std::string& suggested_name) override {
    return window_.AskPdfFile ? window_.AskPdfFile(suggested_name) : std::string();
  }
  void Close() override { window_.close(); }

 private:
  TPrPreviewScr& window_;
  // The busy cursor, restored when the window goes.
  TMessageBoxUI boxes_;
};

// The page drawing surface: the shown page rendered at the surface's width,
// kept until the page, the generation or the width changes so that
// scrolling and repaints only copy it. Mouse buttons and the wheel go to the
// model.
class TPreviewSurface : public QWidget {
 public:
  explicit TPreviewSurface(TPrPreviewScr& owner) : QWidget(nullptr), owner_(owner) {
    setObjectName("PaintBox1");
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const TPreviewModel& model = *owner_.model_;
    const TMetaPageList* pages = owner_.Pages();
    if (model.Busy() || pages == nullptr || model.FirstPage() >= pages->Count()) return;
    const int index = model.FirstPage();
    if (page_ != index || generation_ != model.Generation() || image_.width() != width()) {
      const QRect source = pages->Get(index).Picture().boundingRect();
      const double dpi = source.width() > 0 ? double(width()) * pages->DpiX() / source.width() : 72;
      image_ = pages->Render(index, std::max(1, int(std::lround(dpi))));
      page_ = index;
      generation_ = model.Generation();
    }
    painter.drawImage(rect(), image_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton)
      owner_.model_->MouseReleased(TPreviewMouseButton::kLeft);
    else if (event->button() == Qt::RightButton)
      owner_.model_->MouseReleased(TPreviewMouseButton::kRight);
  }
  void wheelEvent(QWheelEvent* event) override {
    if (event->angleDelta().y() != 0) owner_.model_->Wheel(event->angleDelta().y() < 0);
    event->accept();
  }

 private:
  TPrPreviewScr& owner_;
  QImage image_;
  int page_ = -1;
  int generation_ = -1;
};

TPrPreviewScr::TPrPreviewScr(const TLanguageTable& texts,
                             std::shared_ptr<TSystemPrinter> system_printer, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      view_(std::make_unique<View>(*this)),
      model_(std::make_unique<TPreviewModel>(
          texts, *view_,
          TDelphiRecorder::Factory(system_printer ? std::move(system_printer)
                                                  : TSystemPrinter::Default()),
          TQPrinterTarget::DefaultFactory())) {
  setObjectName("PrPreviewScr");
  setWindowTitle(TPreviewModel::kCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  setMinimumWidth(500);
  const int screen_width = screen() != nullptr ? screen()->geometry().width() : 1024;
  if (screen_width == 640)
    resize(600, 400);
  else if (screen_width == 800)
    resize(780, 500);
  else
    resize(850, 680);

  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  scroll_ = new QScrollArea(central);
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

  report_panel_ = new QWidget(central);
  report_panel_->setObjectName("ReportPanel");
  report_panel_->setFixedHeight(35);
  auto* report_row = new QHBoxLayout(report_panel_);
  report_row->setContentsMargins(6, 2, 6, 2);
  prev_rpt_btn_ = NamedButton("PrevRptBtn", "<< Report", report_panel_);
  rpt_no_lbl_ = new QLabel(TPreviewModel::kReportLabel, report_panel_);
  rpt_no_lbl_->setObjectName("RptNoLbl");
  QFont bold = rpt_no_lbl_->font();
  bold.setBold(true);
  rpt_no_lbl_->setFont(bold);
  rpt_no_lbl_->setAlignment(Qt::AlignCenter);
  next_rpt_btn_ = NamedButton("NextRptBtn", "Report >>", report_panel_);
  report_row->addWidget(prev_rpt_btn_);
  report_row->addWidget(rpt_no_lbl_, 1);
  report_row->addWidget(next_rpt_btn_);
  layout->addWidget(report_panel_);

  page_panel_ = new QWidget(central);
  page_panel_->setObjectName("PagePanel");
  page_panel_->setFixedHeight(35);
  auto* page_row = new QHBoxLayout(page_panel_);
  page_row->setContentsMargins(6, 2, 6, 2);
  prev_btn_ = NamedButton("PrevBtn", "<< Page", page_panel_);
  page_no_lbl_ = new QLabel("Page 99 of 999", page_panel_);
  page_no_lbl_->setObjectName("PageNoLbl");
  page_no_lbl_->setAlignment(Qt::AlignCenter);
  page_no_lbl_->setMinimumWidth(100);
  next_btn_ = NamedButton("NextBtn", "Page >>", page_panel_);
  print_page_btn_ = NamedButton("PrintPageBtn", "&Print Page", page_panel_);
  print_all_btn_ = NamedButton("PrintAllBtn", "Print &Report", page_panel_);
  save_pdf_btn_ = NamedButton("SavePdfBtn", "Save as &PDF...", page_panel_);
  cancel_btn_ = NamedButton("CancelBtn", ToQ(model_->CancelCaption()), page_panel_);
  page_row->addWidget(prev_btn_);
  page_row->addWidget(page_no_lbl_);
  page_row->addWidget(next_btn_);
  page_row->addStretch(1);
  page_row->addWidget(print_page_btn_);
  page_row->addWidget(print_all_btn_);
  page_row->addWidget(save_pdf_btn_);
  page_row->addWidget(cancel_btn_);
  layout->addWidget(page_panel_);
  setCentralWidget(central);

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
  setStatusBar(status_);
  status_->hide();

  TPreviewModel* model = model_.get();
  connect(prev_btn_, &QPushButton::clicked, this, [model] { model->PrevPageClicked(); });
  connect(next_btn_, &QPushButton::clicked, this, [model] { model->NextPageClicked(); });
  connect(prev_rpt_btn_, &QPushButton::clicked, this, [model] { model->PrevReportClicked(); });
  connect(next_rpt_btn_, &QPushButton::clicked, this, [model] { model->NextReportClicked(); });
  connect(cancel_btn_, &QPushButton::clicked, this, [model] { model->CancelClicked(); });
  connect(print_page_btn_, &QPushButton::clicked, this, [model] { model->PrintPageClicked(); });
  connect(print_all_btn_, &QPushButton::clicked, this, [model] { model->PrintAllClicked(); });
  connect(save_pdf_btn_, &QPushButton::clicked, this, [model] { model->SavePdfClicked(); });
  QScrollBar* bar = scroll_->verticalScrollBar();
  connect(bar, &QScrollBar::rangeChanged, this,
          [model](int, int maximum) { model->SetScrollRange(maximum); });
  connect(bar, &QScrollBar::valueChanged, this,
          [model](int value) { model->SetScrollPosition(value); });

  ShowError = [this](const std::string& text) { TMessageBoxUI(this).ShowError(text); };
  AskPdfFile = [this](const std::string& suggested_name) {
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists()) folder = QDir::home();
    return QFileDialog::getSaveFileName(this, "Save as PDF",
                                        folder.filePath(QString::fromStdString(suggested_name)),
                                        "PDF files (*.pdf)")
        .toStdString();
  };

  SetPanelMode(1);
  Redraw();
}

TPrPreviewScr::~TPrPreviewScr() {
  // The scroll bar outlives the model (children go with the base class).
  scroll_->verticalScrollBar()->disconnect(this);
}

void TPrPreviewScr::SetPanelMode(int mode) {
  page_panel_->setVisible(mode >= 1);
  report_panel_->setVisible(mode >= 2);
}

void TPrPreviewScr::AttachReport(std::unique_ptr<TReportBase> report) {
  model_->AttachReport(std::move(report));
}

void TPrPreviewScr::SetPrintTarget(std::unique_ptr<TPrintTarget> target) {
  model_->SetPrintTarget(std::move(target));
}

const TMetaPageList* TPrPreviewScr::Pages() const {
  // The recorders come from this window's own factory: their pages are the
  // drawing layer's.
  return dynamic_cast<const TMetaPageList*>(model_->Pages());
}

void TPrPreviewScr::Redraw() {
  const TPreviewModel& model = *model_;
  page_no_lbl_->setText(ToQ(model.PageLabel()));
  rpt_no_lbl_->setText(ToQ(model.ReportLabel()));
  prev_btn_->setEnabled(model.PrevEnabled());
  next_btn_->setEnabled(model.NextEnabled());
  prev_rpt_btn_->setEnabled(model.PrevReportEnabled());
  next_rpt_btn_->setEnabled(model.NextReportEnabled());
  print_page_btn_->setEnabled(model.PrintEnabled());
  print_all_btn_->setEnabled(model.PrintEnabled());
  save_pdf_btn_->setEnabled(model.SavePdfEnabled());
  cancel_btn_->setText(ToQ(model.CancelCaption()));
  cancel_btn_->setEnabled(model.CancelEnabled());
  status_subject_->setText(ToQ(model.StatusSubject()));
  status_page_->setText(ToQ(model.StatusPage()));
  status_->setVisible(model.StatusVisible());
  const bool shown = !model.Busy() && model.PageCount() > 0;
  if (shown) Layout();
  surface_->setVisible(shown);
  if (shown) surface_->update();
  scroll_->verticalScrollBar()->setValue(model.ScrollPosition());
}

void TPrPreviewScr::Layout() {
  const TMetaPageList* pages = Pages();
  if (pages == nullptr || pages->Count() == 0) return;
  const int width = std::max(1, scroll_->viewport()->width() - 1);
  // The shown page's own shape: a landscape page gets a landscape surface.
  const QRect source =
      pages->Get(std::min(model_->FirstPage(), pages->Count() - 1)).Picture().boundingRect();
  const double aspect = source.width() > 0 ? double(source.height()) / source.width() : 11.0 / 8.5;
  surface_->setFixedSize(width, static_cast<int>(std::lround(width * aspect)));
}

void TPrPreviewScr::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!model_->Busy()) Layout();
}

void TPrPreviewScr::keyReleaseEvent(QKeyEvent* event) {
  static constexpr std::pair<int, TPreviewKey> kKeys[] = {
      {Qt::Key_Home, TPreviewKey::kHome},         {Qt::Key_End, TPreviewKey::kEnd},
      {Qt::Key_Escape, TPreviewKey::kEscape},     {Qt::Key_PageUp, TPreviewKey::kPageUp},
      {Qt::Key_PageDown, TPreviewKey::kPageDown}, {Qt::Key_Left, TPreviewKey::kLeft},
      {Qt::Key_Right, TPreviewKey::kRight},       {Qt::Key_Up, TPreviewKey::kUp},
      {Qt::Key_Down, TPreviewKey::kDown},
  };
  for (const auto& [qt_key, key] : kKeys) {
    if (event->key() != qt_key) continue;
    model_->KeyReleased(key, (event->modifiers() & Qt::ControlModifier) != 0);
    event->accept();
    return;
  }
  QMainWindow::keyReleaseEvent(event);
}

void TPrPreviewScr::closeEvent(QCloseEvent* event) {
  if (!model_->MayClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace zelvora
