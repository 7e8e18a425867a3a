// Print Setup: the platform's printer set-up dialog over the printer reports
// are laid out for and printed on. The queue, paper and orientation chosen
// there hold for every later preview and print job of the run.
#pragma once

class QWidget;

namespace zelvora {

class TUserInterface;

// Shows the dialog, or tells the user through `ui` that the machine has no
// printer to set up.
void ShowPrintSetup(QWidget* parent, TUserInterface& ui);

}  // namespace zelvora
