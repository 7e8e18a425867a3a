// The screens of answer entry for the desktop program's --screenshots: the
// wizard's start, question and finish pages, the rater program's About and
// Summary pages, and both pages of the survey-disk dialog. Each is built
// over sample data of its own (a company, a survey of two skill areas and
// raters of one experience, none of it in the database) and returned shown
// on its page, ready to grab; the widget owns its data.
#pragma once

#include <QWidget>
#include <memory>

namespace zelvora {

enum class TAnswerScreen {
  WizardStart,
  WizardQuestion,
  WizardFinish,
  RaterAbout,
  RaterSummary,
  DisksCreate,
  DisksRead,
};

inline constexpr TAnswerScreen kAnswerScreens[] = {
    TAnswerScreen::WizardStart, TAnswerScreen::WizardQuestion, TAnswerScreen::WizardFinish,
    TAnswerScreen::RaterAbout,  TAnswerScreen::RaterSummary,   TAnswerScreen::DisksCreate,
    TAnswerScreen::DisksRead};

// "wizard-start", "wizard-question", "wizard-finish", "rater-about",
// "rater-summary", "survey-disks-create", "survey-disks-read".
const char* AnswerScreenName(TAnswerScreen screen);
std::unique_ptr<QWidget> MakeAnswerScreen(TAnswerScreen screen);

}  // namespace zelvora
