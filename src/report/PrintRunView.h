// TPrintRunView: what the print model tells or asks the print window it
// runs in. The print window implements it with its panels, gauge and
// message box; the model's tests with a scripted fake.
//
// Callers may rely on:
//  - the model calls Changed() after every change of the title, the page
//    text or the gauge, and reads nothing back from the view;
//  - LetEventsRun() is called at every notification of the report and
//    after every printed page, and is where a click on Cancel reaches the
//    model again.
#pragma once

#include <string>

namespace zelvora {

class TPrintRunView {
 public:
  virtual ~TPrintRunView() = default;

  // Redraw the title, the page text and the gauge from the model.
  virtual void Changed() = 0;
  // Let pending user input and repaints through.
  virtual void LetEventsRun() = 0;
  // An error box with OK and Cancel: true for OK.
  virtual bool AskContinue(const std::string& text) = 0;
  // An error box with OK.
  virtual void ShowError(const std::string& text) = 0;
  // The run begins: the window shows.
  virtual void RunStarted() = 0;
  // The run is over: the window hides and frees itself (and the model)
  // once control is back in the event loop.
  virtual void RunFinished() = 0;
};

}  // namespace zelvora
