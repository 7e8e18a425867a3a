#include "UI/PrintSetup.h"

#include <QPrintDialog>
#include <QPrinter>

#include "UI/model/UserInterface.h"
#include "report/prSystem.h"

namespace zelvora {

void ShowPrintSetup(QWidget* parent, TUserInterface& ui) {
  QPrinter* device = TSystemPrinter::Default()->DeviceForSetup();
  if (device == nullptr) {
    ui.Inform(
        "No printer is installed on this computer.\n"
        "Reports are printed to PDF files until one is.");
    return;
  }
  QPrintDialog dialog(device, parent);
  dialog.setWindowTitle("Print Setup");
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.exec();
}

}  // namespace zelvora
