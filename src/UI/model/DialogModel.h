// What every edit dialog model shares: the mode it was opened in and its
// window title. A dialog model holds the fields the user sees; the window
// shows them and writes the user's input back, and the Control Center reads
// the result once the window reports that its accept button closed it.
#pragma once

#include <string>

namespace zelvora {

// New: empty fields and an add button; Edit: fields filled and an OK button;
// View: fields read-only and only a Done button.
enum class TEditMode { New, Edit, View };

// The text of `mode` among three.
inline const char* ByMode(TEditMode mode, const char* new_text, const char* edit_text,
                          const char* view_text) {
  switch (mode) {
    case TEditMode::New:
      return new_text;
    case TEditMode::Edit:
      return edit_text;
    case TEditMode::View:
      break;
  }
  return view_text;
}

class TDialogModel {
 public:
  virtual ~TDialogModel() = default;
  // The window title.
  virtual std::string Caption() const = 0;
};

}  // namespace zelvora
