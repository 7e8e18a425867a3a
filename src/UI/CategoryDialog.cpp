#include "UI/CategoryDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITCATS.h"

namespace zelvora {

TCategoryDialog::TCategoryDialog(TNewEditCategoryForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditCategoryForm");
  setWindowTitle(ToQ(form.Caption()));

  CategoryEdit = new QLineEdit;
  CategoryEdit->setObjectName("CategoryEdit");
  CategoryEdit->setMaxLength(static_cast<int>(TNewEditCategoryForm::kNameMaxChars));
  auto* edit_label = BuddyLabel("Category &Name:", CategoryEdit);
  CategoryLB = new QListWidget;
  CategoryLB->setObjectName("CategoryLB");
  CategoryLB->setAccessibleName("Categories");
  CategoryLB->setMinimumSize(200, 180);

  AddBtn = NamedButton("AddBtn", "&Add");
  EditBtn = NamedButton("EditBtn", "&Edit");
  DeleteBtn = NamedButton("DeleteBtn", "&Delete");
  MoveUpBtn = NamedButton("MoveUpBtn", "Move &Up");
  MoveDownBtn = NamedButton("MoveDownBtn", "Move Dow&n");
  OkBtn = NamedButton("OkBtn", "&Ok");
  CancelBtn = NamedButton("CancelBtn", "&Cancel");

  auto* side = new QVBoxLayout;
  for (QPushButton* button : {AddBtn, EditBtn, DeleteBtn, MoveUpBtn, MoveDownBtn})
    side->addWidget(button);
  side->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(OkBtn);
  bottom->addWidget(CancelBtn);

  auto* grid = new QGridLayout(this);
  grid->addWidget(edit_label, 0, 0);
  grid->addWidget(CategoryEdit, 1, 0);
  grid->addWidget(CategoryLB, 2, 0);
  grid->addLayout(side, 1, 1, 2, 1);
  grid->addLayout(bottom, 3, 0, 1, 2);

  connect(CategoryEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.TypeName(FromQ(text));
    Redraw();
  });
  connect(CategoryLB, &QListWidget::currentRowChanged, this, [this](int row) {
    if (redrawing_ || row < 0) return;
    form_.Select(row);
    Redraw();
  });
  connect(AddBtn, &QPushButton::clicked, this, [this] {
    form_.Add();
    Redraw();
  });
  connect(EditBtn, &QPushButton::clicked, this, [this] {
    form_.EditSelected();
    Redraw();
  });
  connect(DeleteBtn, &QPushButton::clicked, this, [this] {
    form_.DeleteSelected();
    Redraw();
  });
  connect(MoveUpBtn, &QPushButton::clicked, this, [this] {
    form_.MoveUp();
    Redraw();
  });
  connect(MoveDownBtn, &QPushButton::clicked, this, [this] {
    form_.MoveDown();
    Redraw();
  });
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  Redraw();
}

void TCategoryDialog::Redraw() {
  redrawing_ = true;
  const auto& categories = form_.Categories();
  if (CategoryLB->count() != static_cast<int>(categories.size())) {
    CategoryLB->clear();
    for (const auto& category : categories) CategoryLB->addItem(ToQ(category.Name));
  } else {
    for (int i = 0; i < CategoryLB->count(); ++i)
      CategoryLB->item(i)->setText(ToQ(categories[static_cast<std::size_t>(i)].Name));
  }
  CategoryLB->setCurrentRow(form_.Selected());
  redrawing_ = false;
  AddBtn->setEnabled(form_.AddEnabled());
  EditBtn->setEnabled(form_.EditEnabled());
  DeleteBtn->setEnabled(form_.DeleteEnabled());
  MoveUpBtn->setEnabled(form_.MoveUpEnabled());
  MoveDownBtn->setEnabled(form_.MoveDownEnabled());
  OkBtn->setEnabled(form_.OkEnabled());
}

}  // namespace zelvora
