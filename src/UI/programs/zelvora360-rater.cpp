// zelvora360-rater [DOCUMENT]: the rater program a survey disk carries. It
// runs the score-entry wizard in its rater-disk mode over the disk's
// "dtf.xml" (beside the program, or the DOCUMENT given) and writes the
// rater's answers back into it. It needs neither the survey database nor
// anything of the administration program.
#include <QApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "UI/MessageBoxUI.h"
#include "UI/WizardForm.h"
#include "UI/model/RaterDisk.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("zelvora360-rater");
  QApplication::setApplicationDisplayName("Zelvora 360 Feedback");
  std::vector<std::string> args;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());

  zelvora::TRaterDisk disk(
      zelvora::TRaterDisk::DocumentPath(QApplication::applicationDirPath().toStdString(), args));
  zelvora::TMessageBoxUI ui;
  zelvora::TWizardForm form(ui);
  ui.SetParent(&form);
  if (form.ExecuteRaterDisk(disk.Hooks()))
    ui.Inform("Thank you. Your answers are saved on the survey disk.");
  return 0;
}
