#include "UI/AboutForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "APP/ShippedFiles.h"

namespace zelvora {
namespace {

QLabel* Value(const QString& text, const char* name) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TAboutForm::TAboutForm(const TAboutInfo& info, QWidget* parent) : QDialog(parent) {
  setObjectName("AboutForm");
  setWindowTitle(kTitle);

  auto* icon = new QLabel;
  icon->setObjectName("ProgramIcon");
  const QPixmap pixmap(QString::fromStdString(FindShippedFile("zelvora360.png")));
  if (!pixmap.isNull())
    icon->setPixmap(pixmap.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  icon->setAccessibleName("Program icon");

  auto* product = new QLabel(QString::fromStdString(info.Product));
  product->setObjectName("ProductName");
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  product->setFont(big);
  auto* version = new QLabel("Version " + QString::fromStdString(info.Version));
  version->setObjectName("Version");

  auto* facts = new QFormLayout;
  facts->addRow("Data folder:", Value(QString::fromStdString(info.DataFolder), "DataFolder"));
  facts->addRow("Companies:", Value(QString::number(info.Companies), "Companies"));
  facts->addRow("Subjects:", Value(QString::number(info.Subjects), "Subjects"));
  facts->addRow("Score sheets:", Value(QString::number(info.ScoreSheets), "ScoreSheets"));
  QStringList libraries;
  for (const auto& [name, library_version] : info.Libraries)
    libraries << QString::fromStdString(name) + " " + QString::fromStdString(library_version);
  facts->addRow("Libraries:", Value(libraries.join(", "), "Libraries"));
  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(version);
  text->addSpacing(8);
  text->addLayout(facts);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  buttons->button(QDialogButtonBox::Ok)->setFocus();
}

}  // namespace zelvora
