// Shared set-up for the object model tests: an open in-memory database with
// a fixed origin, and helpers that build small stored trees.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"

namespace zelvora::testing {

inline constexpr std::int32_t kTestOrigin = 4242;

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override { db.Open(); }

  // A stored company with one stored department.
  TDepartment* MakeDepartment(TDataRoot& root, const std::string& name = "Sales") {
    auto fresh = std::make_unique<TCompany>();
    fresh->Name = "Acme";
    auto* company = root.Companies().Adopt(std::move(fresh));
    auto department = std::make_unique<TDepartment>();
    department->Name = name;
    return company->Departments().Adopt(std::move(department));
  }

  // A department survey with `areas` skill areas of `questions` questions.
  TSurvey* MakeSurvey(TDepartment& department, int areas, int questions,
                      const std::string& name = "Leadership") {
    auto survey = std::make_unique<TSurvey>();
    survey->Name = name;
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* stored = department.Surveys().Adopt(std::move(survey));
    for (int a = 0; a < areas; ++a) {
      auto area = std::make_unique<TSkillArea>();
      area->Name = "Area " + std::to_string(a);
      TSkillArea* added = stored->SkillAreas().Adopt(std::move(area));
      for (int q = 0; q < questions; ++q) {
        auto question = std::make_unique<TQuestion>();
        question->QuestionText = "Q" + std::to_string(a) + "." + std::to_string(q);
        added->Questions().Adopt(std::move(question));
      }
    }
    return stored;
  }

  TSubject* MakeSubject(TDepartment& department, const std::string& name) {
    auto subject = std::make_unique<TSubject>();
    subject->Name = name;
    return department.Subjects().Adopt(std::move(subject));
  }

  // An experience of `subject` with `survey`, added through the subject.
  TExperience* MakeExperience(TSubject& subject, TSurvey& survey) {
    auto experience = std::make_unique<TExperience>();
    experience->SubjectID = subject.ID;
    experience->SurveyID = survey.ID;
    experience->ExperienceDate = 40000.0;
    return subject.Experiences().Adopt(std::move(experience));
  }

  TScoreSheet* MakeSheet(TExperience& experience, const std::string& rater, int category) {
    auto sheet = std::make_unique<TScoreSheet>();
    sheet->RaterName = rater;
    sheet->RaterCategory = static_cast<std::int16_t>(category);
    return experience.ScoreSheets().Adopt(std::move(sheet));
  }

  TMemoryDB db{kTestOrigin, 100};
};

// Records an observer's notifications as "code" or "code:name".
class RecordingObserver : public TObserver {
 public:
  explicit RecordingObserver(std::string tag = "") : Tag(std::move(tag)) {}
  void Update(TObservable&, TSurvObject* item, int code) override {
    std::string entry = Tag + std::to_string(code);
    if (item != nullptr) entry += ":" + item->DisplayText();
    Log->push_back(entry);
  }
  std::string Tag;
  std::shared_ptr<std::vector<std::string>> Log = std::make_shared<std::vector<std::string>>();
};

}  // namespace zelvora::testing
