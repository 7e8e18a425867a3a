// The demo organisation the survey-mapping tests write and read.
#pragma once

#include <memory>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"

namespace zelvora {

// A demo organisation held in memory: Acme / Sales with its own copy of the
// leadership survey (one skill area, two questions, one suggestion), a
// subject, an experience and a Boss rater's score sheet.
struct DemoChain {
  TMemoryDB db{41, 1000};
  std::unique_ptr<TCompany> company = std::make_unique<TCompany>();
  TDepartment* department = nullptr;
  TSurvey* survey = nullptr;
  TSubject* subject = nullptr;
  TExperience* experience = nullptr;
  TScoreSheet* sheet = nullptr;

  template <class T>
  static std::unique_ptr<T> Make(std::int32_t serial, double date) {
    auto object = std::make_unique<T>();
    object->State = osBuiltOutside;
    object->ID = TObjectID{41, serial};
    object->Date = date;
    return object;
  }

  DemoChain() {
    db.Open();
    company->State = osBuiltOutside;
    company->ID = TObjectID{41, 10};
    company->Date = 45990.5;
    company->Name = "Acme";
    auto d = Make<TDepartment>(20, 45990.75);
    d->Name = "Sales";
    department = company->Departments().Adopt(std::move(d));

    auto s = Make<TSurvey>(100, 45997.4375);
    s->Name = "Leadership Practices 360";
    s->Author = "Zelvora Consulting";
    s->AnsPerQ = 2;
    s->FreqLabels = TSurvey::DefaultFreqLabels();
    survey = department->Surveys().Adopt(std::move(s));
    auto area = Make<TSkillArea>(101, 45997.4375);
    area->Order = 0;
    area->Name = "Communication";
    TSkillArea* a = survey->SkillAreas().Adopt(std::move(area));
    auto q1 = Make<TQuestion>(102, 45997.4375);
    q1->Order = 0;
    q1->QuestionText = "Listens to others";
    TQuestion* first = a->Questions().Adopt(std::move(q1));
    auto suggestion = Make<TSuggestion>(104, 45997.4375);
    suggestion->SuggestionText = "Summarise before answering";
    first->Suggestions().Adopt(std::move(suggestion));
    auto q2 = Make<TQuestion>(103, 45997.4375);
    q2->Order = 1;
    q2->QuestionText = "Explains decisions & <reasons>";
    q2->Locked = true;
    a->Questions().Adopt(std::move(q2));

    auto p = Make<TSubject>(150, 45991.0);
    p->Name = "Pat Example";
    subject = department->Subjects().Adopt(std::move(p));
    auto e = Make<TExperience>(200, 45998.25);
    e->ExperienceDate = 45990.0;
    experience = department->Experiences().Adopt(std::move(e));
    experience->SetSurvey(survey);
    experience->SetSubject(subject);
    auto sh = Make<TScoreSheet>(300, 45998.5);
    sh->RaterName = "Robin Boss";
    sh->RaterCategory = 1;
    sh->AnswersBuf[0] = 3;
    sh->AnswersBuf[1] = 4;
    sh->AnswersBuf[2] = 2;
    sh->AnswersBuf[3] = 5;
    sheet = experience->ScoreSheets().Adopt(std::move(sh));
  }
};

}  // namespace zelvora
