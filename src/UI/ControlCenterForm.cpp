#include "UI/ControlCenterForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "APP/SurveyDefaults.h"
#include "UI/CCListWidget.h"
#include "UI/model/CONCEN.h"
#include "UI/model/UserInterface.h"

namespace zelvora {
namespace {

constexpr std::array<const char*, kCCListCount> kListNames = {
    "CompanyLB",    "DepartmentLB",     "DepartmentSurveyLB", "SurveyLB",
    "SkillAreaLB",  "SurveyQuestionLB", "QuestSkillAreaLB",   "QuestionLB",
    "SuggestionLB", "SubjectLB",        "ExperienceLB",       "RaterLB"};

constexpr const char* kTabCaptions[] = {"Organizations", "Surveys", "Questions"};

// The first list of each splitter: the three tabs and the detail page.
constexpr std::array<int, 4> kFirstLists = {CompanyLB, SurveyLB, QuestSkillAreaLB, SubjectLB};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* HeaderLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Raised);
  label->setContentsMargins(4, 1, 4, 1);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Button);
  return label;
}

}  // namespace

TControlCenterForm::TControlCenterForm(TUserInterface& ui, TSectionedConfigFile* settings,
                                       const std::string& first_parameter,
                                       TSurveyDefaults* defaults, QWidget* parent)
    : QWidget(parent),
      ui_(ui),
      defaults_(defaults),
      model_(std::make_unique<TControlCenter>(ui, settings, first_parameter)) {
  setObjectName("ControlCenterForm");
  setWindowTitle(TControlCenter::kCaption);

  MenuBar = new QMenuBar(this);
  MenuBar->setObjectName("ControlCenterMenu");
  QMenu* edit = MenuBar->addMenu("&Edit");
  edit->setObjectName("Edit1");
  Name1 = edit->addAction("&Name");
  Name1->setObjectName("Name1");
  Delete1 = edit->addAction("&Delete");
  Delete1->setObjectName("Delete1");
  QuestionPrefixes1 = edit->addAction("&Question Prefixes");
  QuestionPrefixes1->setObjectName("QuestionPrefixes1");
  QMenu* reports = MenuBar->addMenu("&Reports");
  reports->setObjectName("Reports1");
  Wizard1 = reports->addAction("&Wizard");
  Wizard1->setObjectName("Wizard1");

  TitleLbl = new QLabel;
  TitleLbl->setObjectName("TitleLbl");
  TitleLbl->setAlignment(Qt::AlignCenter);
  TitleLbl->setFrameShape(QFrame::StyledPanel);
  TitleLbl->setFrameShadow(QFrame::Sunken);
  QFont title_font = TitleLbl->font();
  title_font.setBold(true);
  TitleLbl->setFont(title_font);
  TitleLbl->setContentsMargins(4, 4, 4, 4);

  PageControl = new QTabWidget;
  PageControl->setObjectName("PageControl");
  for (int tab = 0; tab < 3; ++tab) {
    QWidget* page = MakeColumns(kFirstLists[static_cast<std::size_t>(tab)],
                                Splitters[static_cast<std::size_t>(tab)]);
    // Without the unrestricted mode the Questions tab does not exist at all
    // (a hidden tab would still be announced); its lists stay, unseen.
    if (tab == static_cast<int>(TCCTab::Questions) && !model_->QuestionsTabShown()) {
      page->setParent(this);
      page->hide();
      continue;
    }
    PageControl->addTab(page, kTabCaptions[tab]);
  }

  auto* detail = new QWidget;
  detail->setObjectName("DetailPage");
  auto* header = new QHBoxLayout;
  header->setSpacing(0);
  for (auto& section : DetailHeader) {
    section = HeaderLabel("");
    section->setObjectName("DetailHeader");
    header->addWidget(section, 1);
  }
  DetailHeader[0]->setObjectName("CompanyHeader");
  DetailHeader[1]->setObjectName("DepartmentHeader");
  DetailHeader[2]->setObjectName("SurveyHeader");
  auto* detail_layout = new QVBoxLayout(detail);
  detail_layout->setContentsMargins(0, 0, 0, 0);
  detail_layout->addLayout(header);
  detail_layout->addWidget(MakeColumns(SubjectLB, Splitters[3]), 1);

  Pages = new QStackedWidget;
  Pages->setObjectName("Pages");
  Pages->addWidget(PageControl);
  Pages->addWidget(detail);

  DoneBtn = new QPushButton("&Done");
  EditBtn = new QPushButton("&Edit");
  PrintBtn = new QPushButton("&Print");
  CreateBtn = new QPushButton("&Create");
  ShowBtn = new QPushButton("&Show");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const std::pair<QPushButton*, const char*> named[] = {{DoneBtn, "DoneBtn"},
                                                        {EditBtn, "EditBtn"},
                                                        {PrintBtn, "PrintBtn"},
                                                        {CreateBtn, "CreateBtn"},
                                                        {ShowBtn, "ShowBtn"}};
  for (const auto& [button, name] : named) {
    button->setObjectName(name);
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(MenuBar);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->addWidget(TitleLbl);
  layout->addWidget(Pages, 1);
  layout->addLayout(buttons);

  connect(PageControl, &QTabWidget::currentChanged, this, [this](int tab) {
    if (redrawing_ || tab < 0) return;
    Forward([this, tab] { model_->ChangeTab(static_cast<TCCTab>(tab)); });
  });
  connect(DoneBtn, &QPushButton::clicked, this,
          [this] { Forward([this] { model_->DoneClick(); }); });
  connect(EditBtn, &QPushButton::clicked, this,
          [this] { Forward([this] { model_->EditClick(); }); });
  connect(PrintBtn, &QPushButton::clicked, this,
          [this] { Forward([this] { model_->PrintClick(); }); });
  connect(CreateBtn, &QPushButton::clicked, this,
          [this] { Forward([this] { model_->CreateClick(); }); });
  connect(ShowBtn, &QPushButton::clicked, this,
          [this] { Forward([this] { model_->ShowClick(); }); });
  connect(Name1, &QAction::triggered, this, [this] { Forward([this] { model_->NameClick(); }); });
  connect(Delete1, &QAction::triggered, this,
          [this] { Forward([this] { model_->DeleteClick(); }); });
  connect(QuestionPrefixes1, &QAction::triggered, this,
          [this] { Forward([this] { model_->QuestionPrefixesClick(); }); });
  connect(Wizard1, &QAction::triggered, this,
          [this] { Forward([this] { model_->WizardClick(); }); });
  Redraw();
}

TControlCenterForm::~TControlCenterForm() = default;

QWidget* TControlCenterForm::MakeColumns(int first, QSplitter*& splitter) {
  splitter = new QSplitter(Qt::Horizontal);
  splitter->setObjectName(Q(std::string(kListNames[static_cast<std::size_t>(first)])) + "Splitter");
  splitter->setChildrenCollapsible(false);
  splitter->setHandleWidth(5);
  for (int index = first; index < first + 3; ++index) {
    const TCCList& list = model_->List(index);
    auto* widget = new TCCListWidget(*this, index, list);
    lists_[static_cast<std::size_t>(index)] = widget;
    auto* column = new QWidget;
    auto* column_layout = new QVBoxLayout(column);
    column_layout->setContentsMargins(0, 0, 0, 0);
    column_layout->setSpacing(0);
    QLabel* header = HeaderLabel(Q(list.Header()));
    header->setBuddy(widget);
    column_layout->addWidget(header);
    column_layout->addWidget(widget, 1);
    splitter->addWidget(column);
    splitter->setStretchFactor(index - first, index - first == 2 ? 1 : 0);
    connect(widget, &QListWidget::itemSelectionChanged, this,
            [this, index] { ListSelectionChanged(index); });
  }
  return splitter;
}

std::string TControlCenterForm::ListName(int index) {
  return kListNames[static_cast<std::size_t>(index)];
}

template <class F>
void TControlCenterForm::Forward(F action) {
  try {
    action();
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
  }
  Redraw();
}

void TControlCenterForm::Redraw() {
  const bool was_redrawing = redrawing_;
  redrawing_ = true;
  const TControlCenter& model = *model_;
  for (int i = 0; i < kCCListCount; ++i) List(i)->ShowList(model.List(i));
  PageControl->setCurrentIndex(static_cast<int>(model.Tab()));
  Pages->setCurrentIndex(model.Page() == TCCPage::Start ? 0 : 1);
  for (std::size_t i = 0; i < DetailHeader.size(); ++i)
    DetailHeader[i]->setText(Q(model.DetailHeader()[i]));
  TitleLbl->setText(Q(model.Title()));
  setWindowTitle(Q(model.WindowCaption()));
  const TCCButtons& buttons = model.Buttons();
  DoneBtn->setEnabled(buttons.Done);
  EditBtn->setEnabled(buttons.Edit);
  PrintBtn->setEnabled(buttons.Print);
  CreateBtn->setEnabled(buttons.Create);
  ShowBtn->setEnabled(buttons.Show);
  Name1->setEnabled(buttons.Name);
  Delete1->setEnabled(buttons.Delete);
  // The keys act on the active list, so the focus follows it when it is in
  // this window.
  TCCListWidget* active = List(model.ActiveList());
  QWidget* focus = focusWidget();
  if (active->isVisibleTo(this) && focus != active &&
      (focus == nullptr || isAncestorOf(focus) || focus == this))
    active->setFocus(Qt::OtherFocusReason);
  redrawing_ = was_redrawing;
}

void TControlCenterForm::Reload() {
  Forward([this] { model_->Reload(); });
}

void TControlCenterForm::ListFocused(int index) {
  if (redrawing_) return;
  Forward([this, index] { model_->Focus(index); });
}

void TControlCenterForm::ListSelectionChanged(int index) {
  if (redrawing_) return;
  const std::vector<int> rows = List(index)->SelectedRows();
  Forward([this, index, rows] { model_->Click(index, rows); });
}

void TControlCenterForm::ListKey(int index, int key) {
  Forward([this, index, key] {
    if (model_->ActiveList() != index) model_->Focus(index);
    switch (key) {
      case Qt::Key_Delete:
        model_->KeyDelete();
        break;
      case Qt::Key_Insert:
        model_->KeyInsert();
        break;
      case Qt::Key_Right:
        model_->KeyRight();
        break;
      case Qt::Key_Left:
        model_->KeyLeft();
        break;
      case Qt::Key_PageDown:
        model_->KeyPageDown();
        break;
      case Qt::Key_PageUp:
        model_->KeyPageUp();
        break;
      default:
        break;
    }
  });
}

void TControlCenterForm::ListActivated(int index, int row) {
  Forward([this, index, row] { model_->Activate(index, row); });
}

std::unique_ptr<QMenu> TControlCenterForm::ContextMenu(int index, int row) {
  std::vector<TCCMenuEntry> entries;
  Forward([&] { entries = model_->ContextMenu(index, row); });
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName(Q(ListName(index)) + "Menu");
  for (const TCCMenuEntry& entry : entries) {
    if (entry.Command == TCCCommand::Separator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(Q(entry.Caption));
    action->setData(static_cast<int>(entry.Command));
  }
  return menu;
}

void TControlCenterForm::ListContextMenu(int index, int row, const QPoint& global_position) {
  std::unique_ptr<QMenu> menu = ContextMenu(index, row);
  if (menu->actions().isEmpty()) return;
  QAction* chosen = menu->exec(global_position);
  if (chosen == nullptr) return;
  const auto command = static_cast<TCCCommand>(chosen->data().toInt());
  Forward([this, command] { model_->RunCommand(command); });
}

bool TControlCenterForm::CanDrop(int source, int target, int index) {
  try {
    return model_->CanDrop(source, target, index);
  } catch (const std::exception&) {
    return false;
  }
}

void TControlCenterForm::Drop(int source, int target, int index) {
  Forward([this, source, target, index] { model_->Drop(source, target, index); });
}

void TControlCenterForm::closeEvent(QCloseEvent* event) {
  // The Control Center lives as long as the main window: its frame's close
  // button does not end it.
  event->ignore();
}

void TControlCenterForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  RestoreLayout();
  List(model_->ActiveList())->setFocus(Qt::OtherFocusReason);
}

void TControlCenterForm::RestoreLayout() {
  if (defaults_ == nullptr) return;
  const TSurveyDefaults& d = *defaults_;
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    const TWindowPlacement placement = d.ControlCenterPlacement();
    frame->setGeometry(placement.left, placement.top, placement.right - placement.left,
                       placement.bottom - placement.top);
    if (placement.show_state == 3) frame->setWindowState(Qt::WindowMaximized);
  }
  const std::array<std::pair<int, int>, 4> widths = {
      std::pair{d.OrgCoWidth, d.OrgDeptWidth}, std::pair{d.SurvSurvWidth, d.SurvSkillWidth},
      std::pair{d.QuestSkillWidth, d.QuestQuestWidth},
      std::pair{d.SubjectWidth, d.ExperienceWidth}};
  for (std::size_t i = 0; i < Splitters.size(); ++i) {
    if (i == 2 && !model_->UnrestrictedMode()) continue;
    const auto [first, second] = widths[i];
    Splitters[i]->setSizes({first, second, std::max(60, Splitters[i]->width() - first - second)});
  }
}

void TControlCenterForm::StoreLayout() {
  if (defaults_ == nullptr) return;
  TSurveyDefaults& d = *defaults_;
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    TWindowPlacement placement = d.ControlCenterPlacement();
    placement.show_state = frame->isMaximized() ? 3 : frame->isMinimized() ? 2 : 1;
    if (placement.show_state == 1) {
      const QRect g = frame->geometry();
      placement.left = g.left();
      placement.top = g.top();
      placement.right = g.left() + g.width();
      placement.bottom = g.top() + g.height();
    }
    d.SetControlCenterPlacement(placement);
  }
  const std::array<std::pair<int*, int*>, 4> widths = {
      std::pair{&d.OrgCoWidth, &d.OrgDeptWidth}, std::pair{&d.SurvSurvWidth, &d.SurvSkillWidth},
      std::pair{&d.QuestSkillWidth, &d.QuestQuestWidth},
      std::pair{&d.SubjectWidth, &d.ExperienceWidth}};
  for (std::size_t i = 0; i < Splitters.size(); ++i) {
    if (i == 2 && !model_->UnrestrictedMode()) continue;
    const QList<int> sizes = Splitters[i]->sizes();
    if (sizes.size() < 2 || sizes[0] <= 0) continue;
    *widths[i].first = sizes[0];
    *widths[i].second = sizes[1];
  }
}

}  // namespace zelvora
