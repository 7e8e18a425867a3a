// A small stored organisation for the wizard and survey-disk tests, kept in
// an in-memory database: Acme / Sales with a survey of two skill areas, a
// subject and one experience, to which the tests add score sheets.
#pragma once

#include <memory>
#include <string>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"

namespace zelvora::testing {

struct TAnswersWorld {
  TMemoryDB db{41, 1};
  std::unique_ptr<TDataRoot> root;
  TCompany* company = nullptr;
  TDepartment* department = nullptr;
  TSurvey* survey = nullptr;
  TSubject* subject = nullptr;
  TExperience* experience = nullptr;

  // Every object is stored with this Date, well before now, so that saving
  // a change (which stamps the Date with now) always writes.
  static constexpr double kStoredDate = 45000.0;

  template <class T>
  static std::unique_ptr<T> Fresh() {
    auto object = std::make_unique<T>();
    object->Date = kStoredDate;
    return object;
  }

  // `questions` questions, split over two skill areas (the first holds the
  // first half). The second area has its own prefixes.
  explicit TAnswersWorld(int questions = 4) {
    db.Open();
    root = std::make_unique<TDataRoot>();
    auto c = Fresh<TCompany>();
    c->Name = "Acme";
    company = root->Companies().Adopt(std::move(c));
    auto d = Fresh<TDepartment>();
    d->Name = "Sales";
    department = company->Departments().Adopt(std::move(d));
    auto s = Fresh<TSurvey>();
    s->Name = "Leadership";
    s->FreqLabels = TSurvey::DefaultFreqLabels();
    survey = department->Surveys().Adopt(std::move(s));
    for (int a = 0; a < 2; ++a) {
      auto area = Fresh<TSkillArea>();
      area->Name = "Area " + std::to_string(a + 1);
      area->Order = static_cast<std::int16_t>(a + 1);
      if (a == 1) {
        for (int p = 1; p <= 4; ++p) area->SetPrefix(p, "Stem " + std::to_string(p));
      }
      TSkillArea* added = survey->SkillAreas().Adopt(std::move(area));
      const int first = a == 0 ? 1 : questions / 2 + 1;
      const int last = a == 0 ? questions / 2 : questions;
      for (int q = first; q <= last; ++q) {
        auto question = Fresh<TQuestion>();
        question->QuestionText = "Question text " + std::to_string(q);
        question->Order = static_cast<std::int16_t>(q);
        added->Questions().Adopt(std::move(question));
      }
    }
    auto p = Fresh<TSubject>();
    p->Name = "Pat Example";
    subject = department->Subjects().Adopt(std::move(p));
    auto e = Fresh<TExperience>();
    e->SubjectID = subject->ID;
    e->SurveyID = survey->ID;
    e->ExperienceDate = 45990.0;
    experience = subject->Experiences().Adopt(std::move(e));
  }

  // Category numbers of the default table: 0 Self, 1 Boss, ...
  TScoreSheet* AddSheet(const std::string& rater, int category, bool completed = false) {
    auto sheet = Fresh<TScoreSheet>();
    sheet->RaterName = rater;
    sheet->RaterCategory = static_cast<std::int16_t>(category);
    sheet->Completed = completed;
    return experience->ScoreSheets().Adopt(std::move(sheet));
  }

  // Fills every answer of a sheet with (current, expected) and stores it.
  void Answer(TScoreSheet& sheet, int current, int expected) {
    for (int q = 1; q <= survey->Questions().Size(); ++q) {
      sheet.SetAnswer(1, q, current);
      sheet.SetAnswer(2, q, expected);
    }
    // Later than stored, yet before any save the tests make.
    sheet.Date += 1.0 / 86400;
    sheet.Save();
  }

  // The sheet as the database holds it, through a fresh data root.
  struct TStored {
    std::unique_ptr<TDataRoot> root;
    TScoreSheet* sheet = nullptr;
    TSurvey* survey = nullptr;
  };
  TStored Reload(const TObjectID& sheet_id) const {
    TStored stored;
    stored.root = std::make_unique<TDataRoot>();
    TDepartment* d =
        stored.root->Companies().FindByID(company->ID)->Departments().FindByID(department->ID);
    stored.survey = d->Surveys().FindByID(survey->ID);
    stored.sheet = d->Experiences().FindByID(experience->ID)->ScoreSheets().FindByID(sheet_id);
    return stored;
  }
};

}  // namespace zelvora::testing
