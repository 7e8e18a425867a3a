#include "UI/SkillAreaDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITSKIL.h"

namespace zelvora {
namespace {

constexpr std::array<const char*, 4> kPrefixNames = {"SelfCurCB", "SelfExpCB", "OtherCurCB",
                                                     "OtherExpCB"};

}  // namespace

TSkillAreaDialog::TSkillAreaDialog(TNewEditSkillAreaForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditSkillAreaForm");
  setWindowTitle(ToQ(form.Caption()));
  const bool read_only = form.ReadOnly();

  SkillAreaName = new QLineEdit(ToQ(form.SkillAreaName));
  SkillAreaName->setObjectName("SkillAreaName");
  SkillAreaName->setReadOnly(read_only);
  SkillAreaName->setMinimumWidth(320);
  auto* name_row = new QFormLayout;
  name_row->addRow(BuddyLabel("Skill Area &Name:", SkillAreaName), SkillAreaName);

  auto* group = new QGroupBox("Question Prefixes For:");
  auto* prefixes = new QFormLayout(group);
  for (std::size_t i = 0; i < PrefixCB.size(); ++i) {
    auto* box = new QComboBox;
    box->setObjectName(kPrefixNames[i]);
    box->setEditable(true);
    box->setEnabled(!read_only);
    for (const std::string& prefix : form.Histories()[i]) box->addItem(ToQ(prefix));
    box->setCurrentText(ToQ(form.Prefixes[i]));
    if (box->lineEdit()) box->lineEdit()->setMaxLength(255);
    PrefixCB[i] = box;
    prefixes->addRow(BuddyLabel(TNewEditSkillAreaForm::kPrefixLabels[i], box), box);
    connect(box, &QComboBox::currentTextChanged, this, [this, i](const QString& text) {
      form_.Prefixes[i] = FromQ(text);
      Update();
    });
  }

  auto* buttons = AcceptCancelButtons(this, form, AddBtn, CancelDoneBtn);
  AddBtn->setDefault(!read_only);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name_row);
  layout->addWidget(group);
  layout->addLayout(buttons);

  connect(SkillAreaName, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.SkillAreaName = FromQ(text);
    Update();
  });
  Update();
}

void TSkillAreaDialog::Update() { AddBtn->setEnabled(form_.AcceptEnabled()); }

}  // namespace zelvora
