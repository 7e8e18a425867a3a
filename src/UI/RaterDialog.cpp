#include "UI/RaterDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <algorithm>

#include "UI/DialogParts.h"
#include "UI/model/EDITRATR.h"

namespace zelvora {

TRaterDialog::TRaterDialog(TNewEditRaterForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditRaterForm");
  setWindowTitle(ToQ(form.Caption()));
  const bool adding = form.Mode() == TEditMode::New;

  RaterNameEdit = new QLineEdit(ToQ(form.RaterName));
  RaterNameEdit->setObjectName("RaterNameEdit");
  auto* name_label = BuddyLabel("&Rater Name:", RaterNameEdit);
  RaterNameLB = new QListWidget;
  RaterNameLB->setObjectName("RaterNameLB");
  RaterNameLB->setAccessibleName(ToQ(TNewEditRaterForm::NameHeader()));
  RaterNameLB->setSelectionMode(adding ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
  RaterNameLB->setContextMenuPolicy(Qt::CustomContextMenu);
  RaterNameLB->setMinimumSize(200, 200);
  auto* directory_label = BuddyLabel(ToQ(TNewEditRaterForm::NameHeader()), RaterNameLB);
  RaterCategoryLB = new QListWidget;
  RaterCategoryLB->setObjectName("RaterCategoryLB");
  RaterCategoryLB->setMinimumSize(160, 200);
  auto* category_label = BuddyLabel(ToQ(TNewEditRaterForm::CategoryHeader()), RaterCategoryLB);

  AddBtn = NamedButton(adding ? "AddBtn" : "OkBtn", ToQ(form.AcceptCaption()));
  AddBtn->setDefault(true);
  DoneBtn = NamedButton(adding ? "DoneBtn" : "CancelBtn", ToQ(form.CancelCaption()));
  EditCategoriesBtn = NamedButton("EditCategoriesBtn", "&Edit Categories");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(EditCategoriesBtn);
  buttons->addStretch();
  buttons->addWidget(AddBtn);
  buttons->addWidget(DoneBtn);

  auto* grid = new QGridLayout(this);
  grid->addWidget(name_label, 0, 0);
  grid->addWidget(RaterNameEdit, 1, 0);
  grid->addWidget(directory_label, 2, 0);
  grid->addWidget(RaterNameLB, 3, 0);
  grid->addWidget(category_label, 2, 1);
  grid->addWidget(RaterCategoryLB, 3, 1);
  grid->addLayout(buttons, 4, 0, 1, 2);

  connect(RaterNameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.RaterName = FromQ(text);
    Redraw();
  });
  connect(RaterNameLB, &QListWidget::itemSelectionChanged, this, [this] {
    if (redrawing_) return;
    ReadSelection();
    // Picking a name in the Edit form takes it into the name field.
    if (form_.Mode() == TEditMode::Edit && !form_.SelectedNames.empty())
      form_.RaterName = form_.DirectoryNames()[static_cast<std::size_t>(form_.SelectedNames[0])];
    Redraw();
  });
  connect(RaterCategoryLB, &QListWidget::itemSelectionChanged, this, [this] {
    if (redrawing_) return;
    ReadSelection();
    Redraw();
  });
  connect(RaterNameLB, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { DirectoryMenu(position); });
  connect(EditCategoriesBtn, &QPushButton::clicked, this, [this] {
    form_.EditCategories();
    Redraw();
  });
  connect(AddBtn, &QPushButton::clicked, this, [this] {
    if (form_.Mode() == TEditMode::Edit) {
      accept();
      return;
    }
    form_.Add();
    Redraw();
    RaterNameEdit->setFocus();
  });
  connect(DoneBtn, &QPushButton::clicked, this,
          [this] { form_.Mode() == TEditMode::New ? accept() : reject(); });
  Redraw();
}

void TRaterDialog::ReadSelection() {
  form_.SelectedNames.clear();
  for (int i = 0; i < RaterNameLB->count(); ++i)
    if (RaterNameLB->item(i)->isSelected()) form_.SelectedNames.push_back(i);
  form_.SelectedCategory =
      RaterCategoryLB->currentItem() != nullptr && RaterCategoryLB->currentItem()->isSelected()
          ? RaterCategoryLB->currentRow()
          : -1;
}

void TRaterDialog::Redraw() {
  redrawing_ = true;
  if (RaterNameEdit->text() != ToQ(form_.RaterName)) RaterNameEdit->setText(ToQ(form_.RaterName));
  QStringList names;
  for (const std::string& name : form_.DirectoryNames()) names << ToQ(name);
  QStringList shown;
  for (int i = 0; i < RaterNameLB->count(); ++i) shown << RaterNameLB->item(i)->text();
  if (names != shown) {
    RaterNameLB->clear();
    RaterNameLB->addItems(names);
  }
  for (int i = 0; i < RaterNameLB->count(); ++i) {
    const bool selected = std::find(form_.SelectedNames.begin(), form_.SelectedNames.end(), i) !=
                          form_.SelectedNames.end();
    RaterNameLB->item(i)->setSelected(selected);
  }
  QStringList categories;
  for (const auto& category : form_.RaterCategories()) categories << ToQ(category.Name);
  QStringList shown_categories;
  for (int i = 0; i < RaterCategoryLB->count(); ++i)
    shown_categories << RaterCategoryLB->item(i)->text();
  if (categories != shown_categories) {
    RaterCategoryLB->clear();
    RaterCategoryLB->addItems(categories);
  }
  if (form_.SelectedCategory >= 0)
    RaterCategoryLB->setCurrentRow(form_.SelectedCategory);
  else
    RaterCategoryLB->clearSelection();
  redrawing_ = false;
  AddBtn->setEnabled(form_.Mode() == TEditMode::New ? form_.AddEnabled() : form_.OkEnabled());
}

void TRaterDialog::DirectoryMenu(const QPoint& position) {
  if (RaterNameLB->selectedItems().isEmpty()) return;
  QMenu menu(this);
  QAction* remove = menu.addAction("&Delete");
  if (menu.exec(RaterNameLB->viewport()->mapToGlobal(position)) != remove) return;
  form_.DeleteDirectoryNames();
  Redraw();
}

}  // namespace zelvora
