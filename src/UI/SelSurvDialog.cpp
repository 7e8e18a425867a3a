#include "UI/SelSurvDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/Selsurv.h"

namespace zelvora {

TSelSurvDialog::TSelSurvDialog(TSelSurvForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("SelSurvForm");
  setWindowTitle(ToQ(form.Caption()));
  SurveyDLB = new QListWidget;
  SurveyDLB->setObjectName("SurveyDLB");
  SurveyDLB->setSelectionMode(QAbstractItemView::ExtendedSelection);
  SurveyDLB->setMinimumSize(280, 220);
  auto* label = BuddyLabel("&Surveys", SurveyDLB);
  for (const auto& entry : form.Entries()) SurveyDLB->addItem(ToQ(entry.Name));
  DoneBtn = NamedButton("DoneBtn", ToQ(TSelSurvForm::DoneCaption()));
  DoneBtn->setDefault(true);
  CancelButton = NamedButton("CancelButton", ToQ(TSelSurvForm::CancelCaption()));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(DoneBtn);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(SurveyDLB);
  layout->addLayout(buttons);

  connect(SurveyDLB, &QListWidget::itemSelectionChanged, this, [this] {
    if (redrawing_) return;
    std::vector<int> selected;
    for (int i = 0; i < SurveyDLB->count(); ++i)
      if (SurveyDLB->item(i)->isSelected()) selected.push_back(i);
    redrawing_ = true;  // the form's messages may come before the redraw
    form_.Click(selected);
    redrawing_ = false;
    Redraw();
  });
  connect(DoneBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  Redraw();
}

void TSelSurvDialog::Redraw() {
  redrawing_ = true;
  const auto& entries = form_.Entries();
  for (int i = 0; i < SurveyDLB->count() && i < static_cast<int>(entries.size()); ++i)
    SurveyDLB->item(i)->setSelected(entries[static_cast<std::size_t>(i)].Selected);
  redrawing_ = false;
  DoneBtn->setEnabled(form_.DoneEnabled());
}

}  // namespace zelvora
