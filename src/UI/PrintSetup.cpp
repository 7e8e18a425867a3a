#include "UI/PrintSetup.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <memory>

#include "UI/model/UserInterface.h"
#include "report/prSystem.h"

namespace zelvora {

void ShowPrintSetup(QWidget* parent, TUserInterface& ui) {
  const std::shared_ptr<TSystemPrinter> system = TSystemPrinter::Default();
  QPrinter* device = system->Device();
  // Queues without a default: the first one is offered, and becomes the
  // printer only when the user confirms the set-up.
  std::unique_ptr<QPrinter> offered;
  if (device == nullptr) {
    const QList<QPrinterInfo> queues = QPrinterInfo::availablePrinters();
    if (queues.isEmpty()) {
      ui.Inform(
          "No printer is installed on this computer.\n"
          "Reports are printed to PDF files until one is.");
      return;
    }
    offered = std::make_unique<QPrinter>(queues.front(), QPrinter::HighResolution);
    device = offered.get();
  }
  QPrintDialog dialog(device, parent);
  dialog.setWindowTitle("Print Setup");
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  // The dialog sets the printer up; it prints nothing.
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
    if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) accept->setText("&OK");
  if (dialog.exec() == QDialog::Accepted && offered != nullptr) system->Adopt(std::move(offered));
}

}  // namespace zelvora
