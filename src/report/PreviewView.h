// TPreviewView: what the preview model tells or asks the window it runs in.
// The preview window implements it with its widgets and message boxes; the
// model's tests with a scripted fake.
//
// Callers may rely on:
//  - the model calls Changed() after every change of what it shows (texts,
//    button states, status bar, page, scroll position) and reads nothing
//    back from the view;
//  - LetEventsRun() is called between pages of a generation or a print,
//    and is where a click on Cancel (or a key) reaches the model again.
#pragma once

#include <string>

namespace zelvora {

class TPreviewView {
 public:
  virtual ~TPreviewView() = default;

  // Redraw everything from the model.
  virtual void Changed() = 0;
  // The hourglass cursor on (a generation runs) or off.
  virtual void SetBusyCursor(bool busy) = 0;
  // Let pending user input and repaints through.
  virtual void LetEventsRun() = 0;
  // An error box with OK (the window first stops staying on top).
  virtual void ShowError(const std::string& text) = 0;
  // The PDF file to save the pages to, offering `suggested_name`; empty
  // when the user cancelled.
  virtual std::string AskPdfFile(const std::string& suggested_name) = 0;
  // The window closes and frees itself (and the model) once control is
  // back in the event loop.
  virtual void Close() = 0;
};

}  // namespace zelvora
