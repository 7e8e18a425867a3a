#include "UI/PrWiz.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "DB/DataRoot.h"
#include "UI/Preview.h"
#include "UI/Prinform.h"
#include "UI/PrintSetup.h"
#include "UI/model/DateDlg.h"
#include "report/Report.h"
#include "report/prSystem.h"

namespace zelvora {

namespace {

// The generator with the configuration it reads kept alive beside it: the
// windows own the generator and outlive the wizard.
struct TConfigHolder {
  std::shared_ptr<const TReportConfig> config;
};
class TWizardReport : private TConfigHolder, public TReport360 {
 public:
  explicit TWizardReport(std::shared_ptr<const TReportConfig> config)
      : TConfigHolder{std::move(config)}, TReport360(*TConfigHolder::config) {}
};

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

constexpr std::array<const char*, kRptWizPages> kListNames = {
    "", "CompanyList", "DepartmentList", "SurveyList", "SubjectList", "ExperienceList",
    "", "RaterList"};
constexpr std::array<const char*, kRptWizPages> kListHeaders = {
    "", "Company", "Department", "Survey", "Subject", "Experience", "", "Rater"};
constexpr std::array<const char*, kRptWizPages> kPageTitles = {
    "Report Type", "Company",    "Department",    "Survey",
    "Subject",     "Experience", "Report Select", "SurveyOf"};

}  // namespace

TPrWiz::TPrWiz(TPrWizHost host, QWidget* parent)
    : QDialog(parent), host_(std::move(host)), ui_(this), root_(std::make_unique<TDataRoot>()) {
  setObjectName("PrWiz");
  setWindowTitle(kRptWizCaption);
  setModal(false);
  model_ = std::make_unique<TRptWiz>(*root_, *this);
  run_report = [this](const TReportRequest& request, bool print) {
    auto report = std::make_unique<TWizardReport>(host_.report_config);
    if (!report->Prepare(request)) {
      ShowError(report->GetErrorMessage());
      return;
    }
    if (print) {
      auto* window = new TPrintForm(host_.texts, TSystemPrinter::Default(), host_.caption_suffix);
      window->AttachReport(std::move(report));
      window->Run();
      return;
    }
    auto* window = new TPrPreviewScr(host_.texts, TSystemPrinter::Default());
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (const QScreen* screen = window->screen())
      window->move(screen->availableGeometry().center() - window->rect().center());
    window->AttachReport(std::move(report));
    window->show();
    // The pages are read from the keyboard: the new window takes the focus
    // from the wizard.
    window->raise();
    window->activateWindow();
    window->GenerateReport(true);
  };
  Build();
  Redraw();
}

TPrWiz::~TPrWiz() = default;

void TPrWiz::Build() {
  auto* layout = new QVBoxLayout(this);
  auto* help_panel = new QWidget(this);
  help_panel->setObjectName("HelpPanel");
  auto* help_layout = new QVBoxLayout(help_panel);
  info_label_ = new QLabel(help_panel);
  info_label_->setObjectName("InfoLabel");
  QFont bold = info_label_->font();
  bold.setBold(true);
  info_label_->setFont(bold);
  help_label_ = new QLabel(help_panel);
  help_label_->setObjectName("HelpLabel");
  help_layout->addWidget(info_label_);
  help_layout->addWidget(help_label_);
  layout->addWidget(help_panel);

  notebook_ = new QStackedWidget(this);
  notebook_->setObjectName("Notebook");
  layout->addWidget(notebook_, 1);

  // Page 0.
  auto* type_page = new QWidget;
  auto* type_layout = new QVBoxLayout(type_page);
  auto* type_group = new QGroupBox("Report Category", type_page);
  type_group->setObjectName("ReportTypeGroup");
  auto* type_buttons = new QVBoxLayout(type_group);
  category_group_ = new QButtonGroup(this);
  for (int c = 0; c < kRptWizCategories; ++c) {
    auto* radio = new QRadioButton(RptWizCategoryName(c), type_group);
    category_group_->addButton(radio, c);
    type_buttons->addWidget(radio);
  }
  type_layout->addWidget(type_group);
  type_layout->addStretch(1);
  // Toggled rather than clicked: a screen reader's toggle action checks the
  // button without clicking it.
  connect(category_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (drawing_ || !checked) return;
    model_->SetCategory(id);
    Redraw();
  });

  for (int page = 0; page < kRptWizPages; ++page) {
    QWidget* widget = nullptr;
    if (page == rwType) {
      widget = type_page;
    } else if (page == rwReportSelect) {
      widget = new QWidget;
      auto* grid = new QHBoxLayout(widget);
      auto* left = new QVBoxLayout;
      reports_group_ = new QGroupBox("Reports", widget);
      reports_group_->setObjectName("ReportsGroup");
      auto* box_layout = new QVBoxLayout(reports_group_);
      const std::array<std::pair<int, const char*>, 6> boxes = {{{1, "Category Report"},
                                                                 {2, "Individual Practices Report"},
                                                                 {3, "Overview Report"},
                                                                 {4, "Summary Report"},
                                                                 {6, "by Skill Areas"},
                                                                 {7, "by Questions"}}};
      for (const auto& [section, caption] : boxes) {
        auto* box = new QCheckBox(caption, reports_group_);
        box->setObjectName(QString("Rpt%1CB").arg(section));
        box_layout->addWidget(box);
        boxes_[static_cast<std::size_t>(section)] = box;
        connect(box, &QCheckBox::toggled, this, [this, section = section](bool on) {
          if (drawing_) return;
          model_->SetBoxChecked(section, on);
          Redraw();
        });
      }
      memo_ = new QPlainTextEdit(widget);
      memo_->setObjectName("PrintInfoMemo");
      memo_->setReadOnly(true);
      memo_->setAccessibleName("Summary");
      memo_->setTabStopDistance(24);
      left->addWidget(reports_group_);
      left->addWidget(memo_, 1);
      auto* right = new QVBoxLayout;
      copies_label_ = new QLabel("Number of copies:", widget);
      copies_spin_ = new QSpinBox(widget);
      copies_spin_->setObjectName("NumOfCopiesSpin");
      copies_spin_->setRange(1, 99);
      copies_label_->setBuddy(copies_spin_);
      connect(copies_spin_, &QSpinBox::valueChanged, this, [this](int n) {
        if (!drawing_) model_->Copies = n;
      });
      title_check_ = new QCheckBox("Title Page", widget);
      title_check_->setObjectName("TitleCheckBox");
      connect(title_check_, &QCheckBox::toggled, this, [this](bool on) {
        if (!drawing_) model_->TitlePage = on;
      });
      category_radio_ = new QGroupBox("Survey Rater Category", widget);
      category_radio_->setObjectName("CategoryRadio");
      auto* radio_layout = new QHBoxLayout(category_radio_);
      self_radio_ = new QRadioButton("SELF", category_radio_);
      other_radio_ = new QRadioButton("OTHER", category_radio_);
      radio_layout->addWidget(self_radio_);
      radio_layout->addWidget(other_radio_);
      connect(other_radio_, &QRadioButton::toggled, this, [this](bool on) {
        if (!drawing_) model_->OtherCategory = on;
      });
      auto* printer_label = new QLabel("Printer:", widget);
      printer_edit_ = new QLineEdit(widget);
      printer_edit_->setObjectName("Edit1");
      printer_edit_->setReadOnly(true);
      printer_label->setBuddy(printer_edit_);
      view_btn_ = Button("ViewBtn", "&View", widget);
      print_btn_ = Button("PrintBtn", "&Print", widget);
      setup_btn_ = Button("PtrSetupBtn", "Print &Setup", widget);
      connect(view_btn_, &QPushButton::clicked, this, [this] { model_->View(); });
      connect(print_btn_, &QPushButton::clicked, this, [this] { model_->Print(); });
      connect(setup_btn_, &QPushButton::clicked, this, [this] {
        ShowPrintSetup(this, ui_);
        printer_edit_->setText(QString::fromStdString(TSystemPrinter::Default()->Name()));
      });
      right->addWidget(copies_label_);
      right->addWidget(copies_spin_);
      right->addWidget(title_check_);
      right->addWidget(category_radio_);
      right->addWidget(printer_label);
      right->addWidget(printer_edit_);
      right->addStretch(1);
      right->addWidget(view_btn_);
      right->addWidget(print_btn_);
      right->addWidget(setup_btn_);
      grid->addLayout(left, 1);
      grid->addLayout(right);
    } else {
      widget = new QWidget;
      auto* page_layout = new QVBoxLayout(widget);
      auto* list = new QListWidget(widget);
      list->setObjectName(kListNames[static_cast<std::size_t>(page)]);
      list->setAccessibleName(kListHeaders[static_cast<std::size_t>(page)]);
      list->setSelectionMode(model_->MultiSelect(page) ? QAbstractItemView::MultiSelection
                                                       : QAbstractItemView::SingleSelection);
      lists_[static_cast<std::size_t>(page)] = list;
      page_layout->addWidget(list, 1);
      connect(list, &QListWidget::itemSelectionChanged, this, [this, page] { ListChanged(page); });
      connect(list, &QListWidget::itemDoubleClicked, this, [this] { Forward(); });
      if (page == rwDepartment) {
        auto* group = new QGroupBox("Choose from:", widget);
        group->setObjectName("SurveySubjectGroup");
        auto* row = new QHBoxLayout(group);
        surveys_radio_ = new QRadioButton("Surveys", group);
        subjects_radio_ = new QRadioButton("Subjects", group);
        row->addWidget(surveys_radio_);
        row->addWidget(subjects_radio_);
        page_layout->addWidget(group);
        connect(subjects_radio_, &QRadioButton::toggled, this, [this](bool on) {
          if (drawing_) return;
          model_->SetChooseSubjects(on);
          Redraw();
        });
      }
    }
    widget->setObjectName(QString(kPageTitles[static_cast<std::size_t>(page)]).remove(' '));
    notebook_->addWidget(widget);
  }

  auto* buttons = new QHBoxLayout;
  all_btn_ = Button("SelectAllBtn", "Select &All", this);
  none_btn_ = Button("UnselectAllBtn", "&Unselect All", this);
  close_btn_ = Button("CloseBtn", "&Close", this);
  back_btn_ = Button("BackBtn", "< &Back", this);
  next_btn_ = Button("NextBtn", "&Next >", this);
  buttons->addWidget(all_btn_);
  buttons->addWidget(none_btn_);
  buttons->addStretch(1);
  buttons->addWidget(close_btn_);
  buttons->addWidget(back_btn_);
  buttons->addWidget(next_btn_);
  layout->addLayout(buttons);
  connect(all_btn_, &QPushButton::clicked, this, [this] {
    model_->SelectAll();
    Redraw();
  });
  connect(none_btn_, &QPushButton::clicked, this, [this] {
    model_->UnselectAll();
    Redraw();
  });
  connect(close_btn_, &QPushButton::clicked, this, &QDialog::reject);
  connect(back_btn_, &QPushButton::clicked, this, [this] {
    model_->Back();
    Redraw();
  });
  connect(next_btn_, &QPushButton::clicked, this, [this] { Forward(); });
  resize(560, 420);
}

void TPrWiz::Forward() {
  if (!model_->CanNext()) return;
  model_->Next();
  Redraw();
}

QListWidget* TPrWiz::PageList(int page) const {
  if (page < 0 || page >= kRptWizPages) return nullptr;
  return lists_[static_cast<std::size_t>(page)];
}

void TPrWiz::ListChanged(int page) {
  if (drawing_ || page != model_->Page()) return;
  QListWidget* list = PageList(page);
  // A single-choice list: the newly chosen entry.
  for (int row = 0; row < list->count(); ++row)
    model_->SetSelected(row, list->item(row)->isSelected());
  Redraw();
}

void TPrWiz::Redraw() {
  drawing_ = true;
  const int page = model_->Page();
  notebook_->setCurrentIndex(page);
  info_label_->setText(QString::fromStdString(model_->InfoText()));
  info_label_->setVisible(model_->Category() != rcNone || model_->IsPreset());
  help_label_->setText(QString::fromStdString(model_->HelpText()));
  if (QAbstractButton* radio = category_group_->button(model_->Category())) radio->setChecked(true);
  surveys_radio_->setChecked(!model_->ChooseSubjects());
  subjects_radio_->setChecked(model_->ChooseSubjects());
  if (QListWidget* list = PageList(page)) {
    const auto& entries = model_->List(page);
    // The keyboard's place in the list survives the redraw that follows
    // every selection.
    const int current = list->currentRow();
    list->clear();
    for (const TRptWizEntry& entry : entries) {
      auto* item = new QListWidgetItem(QString::fromStdString(entry.Text), list);
      if (entry.Object == nullptr) item->setFlags(Qt::NoItemFlags);
      item->setSelected(entry.Selected);
    }
    if (current >= 0 && current < list->count())
      list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    list->setFocus();
  } else if (page == rwType) {
    QAbstractButton* chosen = category_group_->checkedButton();
    (chosen != nullptr ? chosen : category_group_->buttons().front())->setFocus();
  }
  for (int s : kRptWizBoxSections) {
    QCheckBox* box = boxes_[static_cast<std::size_t>(s)];
    box->setVisible(model_->BoxVisible(s));
    box->setChecked(model_->BoxChecked(s));
  }
  reports_group_->setVisible(model_->ReportBoxesVisible());
  memo_->setVisible(model_->MemoVisible());
  if (page == rwReportSelect) memo_->setPlainText(QString::fromStdString(model_->MemoText()));
  copies_label_->setVisible(model_->CopiesAndTitleVisible());
  copies_spin_->setVisible(model_->CopiesAndTitleVisible());
  copies_spin_->setValue(model_->Copies);
  title_check_->setVisible(model_->CopiesAndTitleVisible());
  title_check_->setChecked(model_->TitlePage);
  category_radio_->setVisible(model_->CategoryRadioVisible());
  self_radio_->setChecked(!model_->OtherCategory);
  other_radio_->setChecked(model_->OtherCategory);
  if (printer_edit_->text().isEmpty())
    printer_edit_->setText(QString::fromStdString(TSystemPrinter::Default()->Name()));
  view_btn_->setEnabled(model_->CanView());
  print_btn_->setEnabled(model_->CanView());
  back_btn_->setEnabled(model_->CanBack());
  next_btn_->setEnabled(model_->CanNext());
  next_btn_->setVisible(page != rwReportSelect);
  all_btn_->setVisible(model_->SelectButtonsVisible());
  none_btn_->setVisible(model_->SelectButtonsVisible());
  all_btn_->setEnabled(model_->SelectButtonsEnabled());
  none_btn_->setEnabled(model_->SelectButtonsEnabled());
  drawing_ = false;
}

bool TPrWiz::OpenPreset(int kind, std::uint16_t sections, std::vector<TReportSourceEntry> sources,
                        const std::string& name) {
  const bool open = model_->OpenPreset(kind, sections, std::move(sources), name);
  Redraw();
  if (!open) reject();
  return open;
}

void TPrWiz::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TPrWiz::CheckPrintPassword() {
  return !host_.check_print_password || host_.check_print_password();
}

std::optional<double> TPrWiz::AskReturnDate(const std::string& prompt, double suggested) {
  // The program's date dialog, its Cancel standing for "as soon as possible".
  TDateEntryDialog form("Enter Date", prompt, "&OK", "A.S.A.P.");
  form.SetDate(suggested);
  return form.Execute(ui_);
}

std::string TPrWiz::AskText(const std::string& title, const std::string& prompt,
                            const std::string& text) {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(QString::fromStdString(prompt));
  dialog.setTextValue(QString::fromStdString(text));
  dialog.exec();
  // Whatever the edit holds when the dialog closes is taken.
  return dialog.textValue().toStdString();
}

void TPrWiz::RunReport(const TReportRequest& request, bool print) { run_report(request, print); }

void TPrWiz::ShowError(const std::string& text) { ui_.ShowError(text); }

void TPrWiz::MakeSurveyDisks(const std::string& caption, const std::vector<TScoreSheet*>& sheets) {
  if (host_.make_survey_disks) {
    host_.make_survey_disks(sheets);
    return;
  }
  TMessageBoxUI(this, QString::fromStdString(caption))
      .Inform("Survey disks cannot be made from this window.");
}

}  // namespace zelvora
