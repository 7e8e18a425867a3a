#include "UI/SurveyDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "UI/DialogParts.h"
#include "UI/model/EDITSURV.h"

namespace zelvora {

TSurveyDialog::TSurveyDialog(TNewEditSurveyForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName("NewEditSurveyForm");
  setWindowTitle(ToQ(form.Caption()));
  const bool read_only = form.ReadOnly();
  const auto edit = [read_only](const char* name, const std::string& text) {
    auto* field = new QLineEdit(ToQ(text));
    field->setObjectName(name);
    field->setEnabled(!read_only);
    return field;
  };

  SurveyName = edit("SurveyName", form.SurveyName());
  SurveyName->setMinimumWidth(300);
  SurveyAuthor = edit("SurveyAuthor", form.SurveyAuthor());
  auto* fields = new QFormLayout;
  fields->addRow(BuddyLabel("Survey &Name:", SurveyName), SurveyName);
  fields->addRow(BuddyLabel("Survey &Author:", SurveyAuthor), SurveyAuthor);

  auto* group = new QGroupBox("Frequency Labels");
  auto* labels = new QFormLayout(group);
  for (int i = 0; i < 5; ++i) {
    const std::string name = "label" + std::to_string(i + 1) + "Edit";
    QLineEdit* field = edit(name.c_str(), form.Label(i + 1));
    field->setMaxLength(static_cast<int>(TNewEditSurveyForm::kLabelMaxChars));
    LabelEdits[static_cast<std::size_t>(i)] = field;
    labels->addRow(BuddyLabel(QString("Label &%1:").arg(i + 1), field), field);
    connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      form_.SetLabel(i + 1, FromQ(text));
      Update();
    });
  }

  auto* buttons = AcceptCancelButtons(this, form, AddBtn, CancelDoneBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(group);
  layout->addLayout(buttons);

  connect(SurveyName, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.SetSurveyName(FromQ(text));
    Update();
  });
  connect(SurveyAuthor, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.SetSurveyAuthor(FromQ(text));
    Update();
  });
  Update();
}

void TSurveyDialog::Update() { AddBtn->setEnabled(form_.AcceptEnabled()); }

}  // namespace zelvora
