#include "UI/WizardForm.h"

#include <QButtonGroup>
#include <QDate>
#include <QFontDatabase>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "base/DateTime.h"

namespace zelvora {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* Title(const QString& text, int point_size) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSize(point_size);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The summary's fields, in page order.
constexpr const char* kSummaryLabels[] = {
    "&Company", "&Department", "Su&rvey", "Su&bject", "E&xperience", "Rater &#", "Rater C&ategory"};
constexpr const char* kSummaryNames[] = {"CompanyEdit",      "DepartmentEdit", "SurveyEdit",
                                         "SubjectEdit",      "ExperienceEdit", "RaterNumberEdit",
                                         "RaterCategoryEdit"};

}  // namespace

TWizardForm::TWizardForm(TUserInterface& ui, QWidget* parent) : QDialog(parent), model_(ui) {
  setObjectName("WizardForm");
  setWindowTitle(kWizardCaption);
  model_.SetDateFormatter([](double date) {
    const CivilDate d = DecodeDate(date);
    return QLocale().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat).toStdString();
  });

  notebook_ = new QStackedWidget;
  notebook_->setObjectName("Notebook");
  notebook_->addWidget(BuildStartPage());
  notebook_->addWidget(BuildSurveyPage());
  notebook_->addWidget(BuildFinishPage());
  notebook_->addWidget(BuildSummaryPage());
  notebook_->addWidget(BuildAboutPage());

  cancel_ = new QPushButton("&Cancel");
  cancel_->setObjectName("CancelBtn");
  clear_ = new QPushButton("C&lear");
  clear_->setObjectName("ClearBtn");
  back_ = new QPushButton("< &Back");
  back_->setObjectName("BackBtn");
  next_ = new QPushButton("&Next >");
  next_->setObjectName("NextBtn");
  next_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cancel_);
  buttons->addStretch();
  buttons->addWidget(clear_);
  buttons->addWidget(back_);
  buttons->addWidget(next_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notebook_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(cancel_, &QPushButton::clicked, this, [this] {
    model_.Cancel();
    QDialog::reject();
  });
  connect(clear_, &QPushButton::clicked, this, [this] {
    model_.Clear();
    AfterAction();
  });
  connect(back_, &QPushButton::clicked, this, [this] {
    model_.Back();
    AfterAction();
  });
  connect(next_, &QPushButton::clicked, this, [this] {
    model_.Next();
    AfterAction();
  });
  for (int c = 0; c < 2; ++c) {
    connect(group_[c], &QButtonGroup::idClicked, this, [this, c](int item) {
      model_.Click(c + 1, item);
      AfterAction();
    });
  }

  // Focus follows the page: the question, the two columns, then the buttons.
  setTabOrder(question_, group_[0]->button(1));
  for (int i = 1; i < kWizardSteps; ++i)
    setTabOrder(group_[0]->button(i), group_[0]->button(i + 1));
  setTabOrder(group_[0]->button(kWizardSteps), group_[1]->button(1));
  for (int i = 1; i < kWizardSteps; ++i)
    setTabOrder(group_[1]->button(i), group_[1]->button(i + 1));
  setTabOrder(group_[1]->button(kWizardSteps), cancel_);
  setTabOrder(cancel_, clear_);
  setTabOrder(clear_, back_);
  setTabOrder(back_, next_);

  // The digit keys reach the wizard wherever the focus is on this dialog.
  question_->installEventFilter(this);
  for (QAbstractButton* button : group_[0]->buttons()) button->installEventFilter(this);
  for (QAbstractButton* button : group_[1]->buttons()) button->installEventFilter(this);
  for (QPushButton* button : {cancel_, clear_, back_, next_}) button->installEventFilter(this);
}

QWidget* TWizardForm::BuildStartPage() {
  auto* page = new QWidget;
  page->setObjectName("StartPage");
  subject_ = new QLabel;
  subject_->setObjectName("SubjectLbl");
  QFont underlined = subject_->font();
  underlined.setUnderline(true);
  subject_->setFont(underlined);
  survey_ = new QLabel;
  survey_->setObjectName("SurveyLbl");
  QFont bold = survey_->font();
  bold.setBold(true);
  survey_->setFont(bold);
  survey_->setAlignment(Qt::AlignCenter);
  category_ = new QLabel;
  category_->setObjectName("CategoryLbl");
  category_->setFont(underlined);
  category_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* header = new QHBoxLayout;
  header->addWidget(subject_, 1);
  header->addWidget(survey_, 1);
  header->addWidget(category_, 1);

  auto* instructions = new QPlainTextEdit;
  instructions->setObjectName("InstructionMemo");
  instructions->setAccessibleName("Instructions");
  instructions->setReadOnly(true);
  instructions->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QStringList lines;
  for (const std::string& line : TWizard::InstructionLines()) lines << Q(line);
  instructions->setPlainText(lines.join('\n'));
  instructions->setLineWrapMode(QPlainTextEdit::NoWrap);
  instructions->setMinimumSize(660, 300);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(header);
  layout->addWidget(instructions);
  return page;
}

QFrame* TWizardForm::BuildColumn(int column, const char* panel_name, const char* group_name,
                                 const QString& title) {
  auto* panel = new QFrame;
  panel->setObjectName(panel_name);
  auto* box = new QGroupBox(title);
  box->setObjectName(group_name);
  box->setAccessibleName(title);
  auto* group = new QButtonGroup(box);
  auto* items = new QVBoxLayout(box);
  for (int i = 1; i <= kWizardSteps; ++i) {
    auto* radio = new QRadioButton;
    radio->setObjectName(QString("%1Item%2").arg(group_name).arg(i));
    group->addButton(radio, i);
    items->addWidget(radio);
  }
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(box);
  panel_[column - 1] = panel;
  group_box_[column - 1] = box;
  group_[column - 1] = group;
  return panel;
}

QWidget* TWizardForm::BuildSurveyPage() {
  auto* page = new QWidget;
  page->setObjectName("SurveyPage");
  number_ = new QLabel;
  number_->setObjectName("NumberLbl");
  for (int c = 0; c < 2; ++c) {
    prefix_[c] = new QLabel;
    prefix_[c]->setObjectName(c == 0 ? "Prefix1Lbl" : "Prefix2Lbl");
  }
  question_ = new QPlainTextEdit;
  question_->setObjectName("QuestionMemo");
  question_->setAccessibleName("Question");
  question_->setReadOnly(true);
  question_->setTabChangesFocus(true);
  question_->setFixedHeight(80);
  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildColumn(1, "CurrentPnl", "CurrentRG", "Current Performance"));
  columns->addWidget(BuildColumn(2, "ExpectedPnl", "ExpectedRG", "Your Expectation"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(number_);
  layout->addWidget(prefix_[0]);
  layout->addWidget(prefix_[1]);
  layout->addWidget(question_);
  layout->addLayout(columns);
  layout->addStretch();
  return page;
}

QWidget* TWizardForm::BuildFinishPage() {
  auto* page = new QWidget;
  page->setObjectName("FinishPage");
  auto* text = new QLabel(kWizardFinishText);
  text->setObjectName("FinishLbl");
  text->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(page);
  layout->addStretch();
  layout->addWidget(text);
  layout->addStretch();
  return page;
}

QWidget* TWizardForm::BuildSummaryPage() {
  auto* page = new QWidget;
  page->setObjectName("Summary");
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < summary_.size(); ++i) {
    auto* field = new QLineEdit;
    field->setObjectName(kSummaryNames[i]);
    field->setReadOnly(true);
    auto* label = new QLabel(kSummaryLabels[i]);
    label->setBuddy(field);
    form->addRow(label, field);
    summary_[i] = field;
  }
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Title(QString::fromUtf8("Zelvora 360\u00B0 Feedback"), 18));
  layout->addWidget(Title("Floppy Survey", 12));
  layout->addLayout(form);
  layout->addStretch();
  return page;
}

QWidget* TWizardForm::BuildAboutPage() {
  auto* page = new QWidget;
  page->setObjectName("About");
  auto* text = new QLabel(
      "This program asks you the questions of one survey.\n"
      "Your answers are saved on this survey disk.\n\n"
      "Click Next to begin.");
  text->setObjectName("AboutLbl");
  text->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(page);
  layout->addStretch();
  layout->addWidget(Title(QString::fromUtf8("Zelvora 360\u00B0 Feedback"), 22));
  layout->addWidget(Title("Rater Program", 12));
  layout->addSpacing(24);
  layout->addWidget(text);
  layout->addStretch();
  return page;
}

bool TWizardForm::Execute(TScoreSheet& sheet,
                          const std::function<bool()>& check_view_edit_password) {
  if (sheet.Completed && check_view_edit_password && !check_view_edit_password()) return false;
  OpenSheet(sheet);
  exec();
  return model_.Close();
}

bool TWizardForm::ExecuteRaterDisk(TRaterDiskHooks hooks) {
  OpenRaterDisk(std::move(hooks));
  exec();
  return model_.Close();
}

void TWizardForm::OpenSheet(TScoreSheet& sheet) {
  model_.Open(sheet);
  Refresh();
  next_->setFocus();
}

void TWizardForm::OpenRaterDisk(TRaterDiskHooks hooks) {
  model_.OpenRaterDisk(std::move(hooks));
  Refresh();
  next_->setFocus();
}

void TWizardForm::AfterAction() {
  if (model_.Done()) {
    if (model_.Result() == TWizardResult::Save)
      accept();
    else
      QDialog::reject();
    return;
  }
  const int page_before = notebook_->currentIndex();
  Refresh();
  // A new page starts with the focus where the page begins.
  if (notebook_->currentIndex() != page_before && model_.Page() == wpSurvey) question_->setFocus();
}

void TWizardForm::ShowSelection(int column) {
  QButtonGroup* group = group_[column - 1];
  const int item = model_.Selection(column);
  // An exclusive group cannot show "nothing selected" on its own.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == item);
  group->setExclusive(true);
}

void TWizardForm::Refresh() {
  notebook_->setCurrentIndex(model_.Page());
  subject_->setText(Q(model_.SubjectName()));
  survey_->setText(Q(model_.SurveyName()));
  category_->setText(Q(model_.CategoryName()));
  for (int c = 1; c <= 2; ++c) {
    for (int i = 1; i <= kWizardSteps; ++i)
      group_[c - 1]->button(i)->setText(Q(model_.ItemText(i)));
    ShowSelection(c);
    const bool active = model_.ActiveColumn() == c;
    panel_[c - 1]->setFrameStyle(active ? QFrame::Panel | QFrame::Raised : QFrame::NoFrame);
    panel_[c - 1]->setLineWidth(active ? 3 : 0);
    group_box_[c - 1]->setAccessibleDescription(active ? "Active column" : "");
    prefix_[c - 1]->setText(Q(model_.PrefixLine(c)));
  }
  number_->setText(Q(model_.NumberLine()));
  question_->setPlainText(Q(model_.QuestionText()));
  const TWizardSummary summary = model_.Summary();
  const std::string* values[] = {&summary.Company,      &summary.Department, &summary.Survey,
                                 &summary.Subject,      &summary.Experience, &summary.RaterNumber,
                                 &summary.RaterCategory};
  for (std::size_t i = 0; i < summary_.size(); ++i) summary_[i]->setText(Q(*values[i]));
  next_->setText(Q(model_.NextCaption()));
  next_->setEnabled(model_.NextEnabled());
  back_->setEnabled(model_.BackEnabled());
  clear_->setEnabled(model_.ClearEnabled());
}

bool TWizardForm::DigitKey(QKeyEvent* event) {
  if (model_.Page() != wpSurvey || (event->modifiers() & ~Qt::KeypadModifier) != 0) return false;
  if (event->key() < Qt::Key_1 || event->key() > Qt::Key_5) return false;
  model_.Key(event->key() - Qt::Key_0);
  AfterAction();
  return true;
}

void TWizardForm::keyPressEvent(QKeyEvent* event) {
  if (!DigitKey(event)) QDialog::keyPressEvent(event);
}

bool TWizardForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && DigitKey(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void TWizardForm::reject() {
  // Escape and the close box close with the Cancel result.
  model_.Cancel();
  QDialog::reject();
}

}  // namespace zelvora
