// TAboutForm: the About box, also the title screen shown at every start:
// the product and its version, the data folder in use, how many companies,
// subjects and score sheets the database holds, and the libraries used.
#pragma once

#include <QDialog>

#include "UI/model/AboutInfo.h"

namespace zelvora {

class TAboutForm : public QDialog {
 public:
  static constexpr const char* kTitle = "About Zelvora 360\u00B0 Feedback";

  TAboutForm(const TAboutInfo& info, QWidget* parent = nullptr);
};

}  // namespace zelvora
