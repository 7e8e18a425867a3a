// The screenshot run (zelvora360 --screenshots OUT): every window and dialog
// of the program is opened in turn over the database of the data folder,
// saved as OUT/NN-name.png and closed. Each screen is one function that
// makes its window ready and returns the picture; a window added to the
// program adds its screens to RegisterScreens().
#pragma once

#include <QPixmap>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace zelvora {

class TMainForm;
class TMainFormModel;
class TWidgetUserInterface;

struct TScreenshotContext {
  TMainForm& main_form;
  TMainFormModel& model;
  TWidgetUserInterface& ui;
};

class TScreenshotRegistry {
 public:
  using TScreen = std::function<QPixmap(TScreenshotContext&)>;

  void Add(std::string name, TScreen screen);
  // Saves every screen in order; false (with the reason on standard error)
  // when one could not be made or saved.
  bool Run(TScreenshotContext& context, const QString& folder) const;

  const std::vector<std::pair<std::string, TScreen>>& Screens() const { return screens_; }

 private:
  std::vector<std::pair<std::string, TScreen>> screens_;
};

// Shows `widget`, lets it lay itself out and paint, and takes its picture.
QPixmap Grab(QWidget& widget);

// Every screen of the program, in the order shown.
void RegisterScreens(TScreenshotRegistry& registry);

}  // namespace zelvora
