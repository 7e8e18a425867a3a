#include "UI/SurveyDisksForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "DB/Survobj.h"
#include "base/DateTime.h"

namespace zelvora {
namespace {

constexpr const char* kOtherFolder = "Other folder...";
constexpr const char* kFieldLabels[] = {"Co&mpany",    "&Department",  "S&urvey",  "Su&bject",
                                        "&Experience", "Re&ference #", "Ca&tegory"};
constexpr const char* kFieldNames[] = {"CompanyEdit", "DepartmentEdit", "SurveyEdit",
                                       "SubjectEdit", "ExperienceEdit", "ReferenceEdit",
                                       "CategoryEdit"};

QLabel* PageTitle(const QString& text) {
  auto* title = new QLabel(text);
  QFont font = title->font();
  font.setBold(true);
  font.setPointSize(font.pointSize() + 4);
  title->setFont(font);
  return title;
}

// A list with its caption above it; the caption names the list.
QWidget* CaptionedList(QListWidget* list, const QString& caption) {
  auto* box = new QWidget;
  auto* label = new QLabel(caption);
  label->setBuddy(list);
  list->setAccessibleName(QString(caption).remove('&'));
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(list);
  return box;
}

}  // namespace

TSurveyDisksForm::TSurveyDisksForm(TUserInterface& ui, TDiskSpace& space,
                                   const QString& rater_program, QWidget* parent)
    : QDialog(parent), model_(ui, space, rater_program.toStdString()) {
  setObjectName("SurveyDisksForm");
  model_.SetDateFormatter([](double date) {
    const CivilDate d = DecodeDate(date);
    return QLocale().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat).toStdString();
  });
  notebook_ = new QStackedWidget;
  notebook_->setObjectName("Notebook");
  notebook_->addWidget(BuildCreatePage());
  notebook_->addWidget(BuildReadPage());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notebook_);
  FillDriveSelectors();
}

QString TSurveyDisksForm::DefaultRaterProgram() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(kRaterProgramName);
}

QStringList TSurveyDisksForm::RemovableFolders() {
  QStringList folders;
  const QStringList roots = {"/media/", "/run/media/", "/mnt/"};
  auto under_roots = [&](const QString& path) {
    for (const QString& root : roots)
      if (path.startsWith(root)) return true;
    return false;
  };
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && under_roots(volume.rootPath() + "/"))
      folders << volume.rootPath();
  }
  // Media mounted per user sit one level deeper (/media/USER/LABEL).
  for (const QString& root : roots) {
    const QDir dir(root);
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
      const QString path = dir.filePath(entry);
      QStorageInfo info(path);
      if (info.rootPath() == path && !folders.contains(path)) folders << path;
      for (const QString& inner : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString deeper = QDir(path).filePath(inner);
        if (QStorageInfo(deeper).rootPath() == deeper && !folders.contains(deeper))
          folders << deeper;
      }
    }
  }
  folders.sort();
  return folders;
}

QComboBox* TSurveyDisksForm::BuildDriveSelector(const char* name) {
  auto* selector = new QComboBox;
  selector->setObjectName(name);
  selector->setAccessibleName("Drive");
  connect(selector, &QComboBox::activated, this,
          [this, selector](int index) { DriveChosen(selector, index); });
  return selector;
}

QWidget* TSurveyDisksForm::BuildCreatePage() {
  auto* page = new QWidget;
  page->setObjectName("CreateDisks");
  create_drive_ = BuildDriveSelector("CreateDriveCB");
  auto* place = new QLabel("Place a <i>blank</i> formatted disk in d&rive");
  place->setTextFormat(Qt::RichText);
  place->setBuddy(create_drive_);
  auto* drive_row = new QHBoxLayout;
  drive_row->addWidget(place);
  drive_row->addWidget(create_drive_, 1);

  to_make_ = new QListWidget;
  to_make_->setObjectName("DisksToMakeLB");
  made_ = new QListWidget;
  made_->setObjectName("CompletedDisksLB");
  made_->setSelectionMode(QAbstractItemView::NoSelection);
  auto* lists = new QHBoxLayout;
  lists->addWidget(CaptionedList(to_make_, "Disks to &Make"));
  lists->addWidget(CaptionedList(made_, "C&ompleted Disks"));
  connect(to_make_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) model_.Select(row);
  });

  make_ = new QPushButton("Make &Disk");
  make_->setObjectName("MakeDiskBtn");
  create_close_ = new QPushButton("&Close");
  create_close_->setObjectName("CreateCloseBtn");
  connect(make_, &QPushButton::clicked, this, [this] {
    model_.MakeDisk();
    Refresh();
  });
  connect(create_close_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(make_);
  buttons->addWidget(create_close_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PageTitle("Create Survey Disks"));
  layout->addLayout(drive_row);
  layout->addLayout(lists);
  layout->addLayout(buttons);
  return page;
}

QWidget* TSurveyDisksForm::BuildReadPage() {
  auto* page = new QWidget;
  page->setObjectName("ReadDisks");
  read_drive_ = BuildDriveSelector("ReadDriveCB");
  auto* place = new QLabel("    Place Survey disk in d&rive");
  place->setBuddy(read_drive_);
  auto* drive_row = new QHBoxLayout;
  drive_row->addWidget(place);
  drive_row->addWidget(read_drive_, 1);

  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    auto* field = new QLineEdit;
    field->setObjectName(kFieldNames[i]);
    field->setReadOnly(true);
    auto* label = new QLabel(kFieldLabels[i]);
    label->setBuddy(field);
    form->addRow(label, field);
    fields_[i] = field;
  }
  status_ = new QLabel(kDiskReady);
  status_->setObjectName("StatusLbl");
  status_->setAccessibleName("Status");
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  read_ = new QPushButton("&Read Disk");
  read_->setObjectName("ReadDiskBtn");
  save_ = new QPushButton("&Save Survey");
  save_->setObjectName("SaveSurveyBtn");
  read_close_ = new QPushButton("&Close");
  read_close_->setObjectName("ReadCloseBtn");
  connect(read_, &QPushButton::clicked, this, [this] {
    model_.ReadDisk();
    Refresh();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    model_.SaveSurvey();
    Refresh();
  });
  connect(read_close_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(read_);
  buttons->addWidget(save_);
  buttons->addWidget(read_close_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PageTitle("Import Survey Disks"));
  layout->addLayout(drive_row);
  layout->addLayout(form);
  layout->addWidget(status_);
  layout->addLayout(buttons);
  return page;
}

void TSurveyDisksForm::FillDriveSelectors() {
  filling_ = true;
  for (QComboBox* selector : {create_drive_, read_drive_}) {
    selector->clear();
    for (const QString& folder : RemovableFolders()) selector->addItem(folder, folder);
    selector->addItem(kOtherFolder);
    // The first drive, as a fresh dialog starts on drive A.
    selector->setCurrentIndex(0);
  }
  filling_ = false;
  const QString first = create_drive_->itemData(0).toString();
  model_.SetDiskFolder(first.toStdString());
}

void TSurveyDisksForm::SetDiskFolder(const QString& folder) {
  filling_ = true;
  for (QComboBox* selector : {create_drive_, read_drive_}) {
    int index = selector->findData(folder);
    if (index < 0) {
      selector->insertItem(selector->count() - 1, folder, folder);
      index = selector->findData(folder);
    }
    selector->setCurrentIndex(index);
  }
  filling_ = false;
  model_.SetDiskFolder(folder.toStdString());
  Refresh();
}

void TSurveyDisksForm::DriveChosen(QComboBox* selector, int index) {
  if (filling_) return;
  QString folder = selector->itemData(index).toString();
  if (folder.isEmpty()) {
    folder = QFileDialog::getExistingDirectory(this, kOtherFolder);
    if (folder.isEmpty()) {
      // Nothing picked: back to the folder chosen before.
      SetDiskFolder(QString::fromStdString(model_.DiskFolder()));
      return;
    }
  }
  SetDiskFolder(folder);
}

bool TSurveyDisksForm::PrepareCreate(const std::vector<TScoreSheet*>& sheets) {
  FillDriveSelectors();
  if (!model_.CreateDisks(sheets)) return false;
  setWindowTitle(QString::fromStdString(model_.Caption()));
  Refresh();
  to_make_->setFocus();
  return true;
}

void TSurveyDisksForm::PrepareImport(TDataRoot& root, TScoreSheet* target) {
  FillDriveSelectors();
  if (target != nullptr)
    model_.ImportDisk(root, *target);
  else
    model_.ImportDisks(root);
  setWindowTitle(QString::fromStdString(model_.Caption()));
  Refresh();
  read_->setFocus();
}

void TSurveyDisksForm::CreateDisks(const std::vector<TScoreSheet*>& sheets) {
  if (PrepareCreate(sheets)) RunModal();
}

void TSurveyDisksForm::ImportDisks(TDataRoot& root) {
  PrepareImport(root, nullptr);
  RunModal();
}

void TSurveyDisksForm::ImportDisk(TDataRoot& root, TScoreSheet& target) {
  PrepareImport(root, &target);
  RunModal();
}

void TSurveyDisksForm::RunModal() { exec(); }

void TSurveyDisksForm::done(int result) {
  // Closing frees the disk read last.
  model_.Close();
  QDialog::done(result);
}

void TSurveyDisksForm::Refresh() {
  notebook_->setCurrentIndex(model_.Page());
  filling_ = true;
  to_make_->clear();
  for (TScoreSheet* sheet : model_.DisksToMake())
    to_make_->addItem(QString::fromStdString(TSurveyDisks::EntryText(*sheet)));
  to_make_->setCurrentRow(model_.Selected());
  made_->clear();
  for (TScoreSheet* sheet : model_.CompletedDisks())
    made_->addItem(QString::fromStdString(TSurveyDisks::EntryText(*sheet)));
  filling_ = false;
  const bool has_folder = !model_.DiskFolder().empty();
  make_->setEnabled(model_.MakeDiskEnabled() && has_folder);
  make_->setDefault(model_.MakeDiskIsDefault());
  create_close_->setDefault(!model_.MakeDiskIsDefault());

  const TSurveyDisks::TFields& f = model_.Fields();
  const std::string* values[] = {&f.Company,    &f.Department, &f.Survey,  &f.Subject,
                                 &f.Experience, &f.Reference,  &f.Category};
  for (std::size_t i = 0; i < fields_.size(); ++i)
    fields_[i]->setText(QString::fromStdString(*values[i]));
  status_->setText(QString::fromStdString(model_.Status()));
  read_->setEnabled(has_folder);
  save_->setEnabled(model_.SaveEnabled());
}

}  // namespace zelvora
