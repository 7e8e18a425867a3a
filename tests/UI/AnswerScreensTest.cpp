// Every answer-entry screen builds over its sample data and shows the page
// it is named for.
#include <gtest/gtest.h>

#include <QPixmap>
#include <QStackedWidget>
#include <QString>
#include <cstdlib>

#include "UI/AnswerScreens.h"
#include "UI/QtTestApp.h"

namespace zelvora::testing {
namespace {

TEST(AnswerScreens, EachScreenShowsItsPage) {
  TestApp();
  struct Row {
    TAnswerScreen screen;
    const char* title;
    const char* page;
  } rows[] = {
      {TAnswerScreen::WizardStart, "Zelvora 360 Feedback Wizard", "StartPage"},
      {TAnswerScreen::WizardQuestion, "Zelvora 360 Feedback Wizard", "SurveyPage"},
      {TAnswerScreen::WizardFinish, "Zelvora 360 Feedback Wizard", "FinishPage"},
      {TAnswerScreen::RaterAbout, "Zelvora 360 Feedback Wizard", "About"},
      {TAnswerScreen::RaterSummary, "Zelvora 360 Feedback Wizard", "Summary"},
      {TAnswerScreen::DisksCreate, "Create Survey Disks", "CreateDisks"},
      {TAnswerScreen::DisksRead, "Import Survey Disks", "ReadDisks"},
  };
  ASSERT_EQ(std::size(rows), std::size(kAnswerScreens));
  for (const Row& row : rows) {
    SCOPED_TRACE(AnswerScreenName(row.screen));
    std::unique_ptr<QWidget> screen = MakeAnswerScreen(row.screen);
    EXPECT_EQ(screen->windowTitle(), row.title);
    auto* notebook = screen->findChild<QStackedWidget*>("Notebook");
    ASSERT_NE(notebook, nullptr);
    EXPECT_EQ(notebook->currentWidget()->objectName(), row.page);
    screen->show();
    const QPixmap shot = screen->grab();
    EXPECT_FALSE(shot.isNull());
    // For a look at the screens: ZELVORA_SCREEN_DIR=folder keeps them as PNGs.
    if (const char* folder = std::getenv("ZELVORA_SCREEN_DIR"))
      shot.save(QString(folder) + "/" + AnswerScreenName(row.screen) + ".png");
  }
}

}  // namespace
}  // namespace zelvora::testing
