#include "UI/AnswerScreens.h"

#include <QDir>

#include "DB/Survobj.h"
#include "UI/MessageBoxUI.h"
#include "UI/SurveyDisksForm.h"
#include "UI/WizardForm.h"
#include "base/DateTime.h"
#include "interchange/SurvMap.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

// Sample objects held in memory only, and what the screens need beside them;
// freed with the screen.
class TSample : public QObject {
 public:
  TSample() {
    root.State = osBuiltOutside;  // never loads from a database
    company = Make<TCompany>(10);
    company->Name = "Northwind Logistics";
    TDepartment* department = company->Departments().Adopt(Make<TDepartment>(20));
    department->Name = "Operations";
    survey = department->Surveys().Adopt(Make<TSurvey>(30));
    survey->Name = "Leadership Practices";
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    const char* areas[2][3] = {
        {"Listens to others without interrupting", "Explains decisions and the reasons behind them",
         "Keeps the team informed of changes that affect them"},
        {"Sets clear expectations for each person", "Gives timely and specific feedback",
         "Helps others learn from mistakes"}};
    const char* names[2] = {"Communication", "Coaching and Development"};
    for (int a = 0; a < 2; ++a) {
      TSkillArea* area = survey->SkillAreas().Adopt(Make<TSkillArea>(40 + a * 10));
      area->Name = names[a];
      area->Order = static_cast<std::int16_t>(a + 1);
      for (int q = 0; q < 3; ++q) {
        TQuestion* question = area->Questions().Adopt(Make<TQuestion>(41 + a * 10 + q));
        question->QuestionText = areas[a][q];
        question->Order = static_cast<std::int16_t>(q + 1);
      }
    }
    TSubject* subject = department->Subjects().Adopt(Make<TSubject>(60));
    subject->Name = "Anna Berger";
    auto fresh = Make<TExperience>(70);
    fresh->ExperienceDate = EncodeDate(2025, 3, 11);
    TExperience* experience = department->Experiences().Adopt(std::move(fresh));
    experience->SetSurvey(survey);
    experience->SetSubject(subject);
    const std::pair<const char*, int> raters[] = {
        {"Thomas Reed", 1}, {"David Chen", 3}, {"Lucy Park", 4}, {"Harbor Freight Ltd", 6}};
    for (std::size_t r = 0; r < std::size(raters); ++r) {
      TScoreSheet* sheet =
          experience->ScoreSheets().Adopt(Make<TScoreSheet>(121 + 2 * static_cast<int>(r)));
      sheet->RaterName = raters[r].first;
      sheet->RaterCategory = static_cast<std::int16_t>(raters[r].second);
      sheets.push_back(sheet);
    }
    // The first rater has answered the first two questions.
    sheets[0]->SetAnswer(1, 1, 4);
    sheets[0]->SetAnswer(2, 1, 5);
    sheets[0]->SetAnswer(1, 2, 3);
    sheets[0]->SetAnswer(2, 2, 3);
  }

  // The first rater's disk as the rater program reads it, answered.
  TSurveyDiskObjects* Disk(bool answered) {
    TDocument document;
    TElement& top = document.AddElement("DOCUMENT");
    const TSurveyMapper mapper(kSurveyDiskWriteExclusions);
    TScoreSheet& sheet = *sheets[0];
    TExperience& experience = *sheet.Experience;
    for (TSurvObject* object : std::initializer_list<TSurvObject*>{
             &sheet, &experience, experience.Survey(), experience.Subject(), experience.Department,
             experience.Department->Company})
      mapper.WriteObject(*object, top);
    disk = TSurveyMapper::ReadSurveyDisk(document);
    if (answered) {
      for (int q = 1; q <= 6; ++q) {
        disk.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 2)] = 3;
        disk.ScoreSheet->AnswersBuf[static_cast<std::size_t>(2 * q - 1)] = 4;
      }
      disk.ScoreSheet->Completed = true;
    }
    return &disk;
  }

  template <class T>
  static std::unique_ptr<T> Make(int serial) {
    auto object = std::make_unique<T>();
    object->State = osBuiltOutside;
    object->ID = TObjectID{41, serial};
    object->Date = EncodeDate(2025, 3, 11);
    return object;
  }

  TMessageBoxUI ui;
  TFileSystemSpace space;
  TDataRoot root;
  std::unique_ptr<TCompany> company;
  TSurvey* survey = nullptr;
  std::vector<TScoreSheet*> sheets;
  TSurveyDiskObjects disk;
};

}  // namespace

const char* AnswerScreenName(TAnswerScreen screen) {
  switch (screen) {
    case TAnswerScreen::WizardStart:
      return "wizard-start";
    case TAnswerScreen::WizardQuestion:
      return "wizard-question";
    case TAnswerScreen::WizardFinish:
      return "wizard-finish";
    case TAnswerScreen::RaterAbout:
      return "rater-about";
    case TAnswerScreen::RaterSummary:
      return "rater-summary";
    case TAnswerScreen::DisksCreate:
      return "survey-disks-create";
    case TAnswerScreen::DisksRead:
      return "survey-disks-read";
  }
  return "";
}

std::unique_ptr<QWidget> MakeAnswerScreen(TAnswerScreen screen) {
  auto* sample = new TSample;
  if (screen == TAnswerScreen::DisksCreate || screen == TAnswerScreen::DisksRead) {
    auto form = std::make_unique<TSurveyDisksForm>(sample->ui, sample->space,
                                                   TSurveyDisksForm::DefaultRaterProgram());
    sample->setParent(form.get());
    sample->ui.SetParent(form.get());
    if (screen == TAnswerScreen::DisksCreate) {
      form->PrepareCreate(sample->sheets);
      form->SetDiskFolder(QDir::tempPath());
    } else {
      form->SetDiskFolder(QDir::tempPath());
      form->Model().ImportDisks(sample->root);
      form->Model().ShowDisk(std::move(*sample->Disk(true)));
      form->setWindowTitle(QString::fromStdString(form->Model().Caption()));
      form->Refresh();
    }
    return form;
  }
  auto form = std::make_unique<TWizardForm>(sample->ui);
  sample->setParent(form.get());
  sample->ui.SetParent(form.get());
  TWizard& wizard = form->Model();
  if (screen == TAnswerScreen::RaterAbout || screen == TAnswerScreen::RaterSummary) {
    form->OpenRaterDisk({[sample] { return sample->Disk(false); }, {}});
    if (screen == TAnswerScreen::RaterSummary) wizard.Next();
  } else {
    form->OpenSheet(*sample->sheets[0]);
    if (screen != TAnswerScreen::WizardStart) {
      wizard.Next();
      wizard.Click(1, 4);  // question 1 answered again: expectation active
    }
    if (screen == TAnswerScreen::WizardFinish) {
      for (int q = 1; q <= 6; ++q) {
        wizard.Click(1, 3);
        wizard.Click(2, 4);
        wizard.Next();
      }
    }
  }
  form->Refresh();
  return form;
}

}  // namespace zelvora
