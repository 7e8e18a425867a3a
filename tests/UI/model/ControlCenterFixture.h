// Shared set-up for the Control Center tests: an open in-memory database, a
// scripted user, a settings file in memory and helpers that build small
// trees under the Control Center's own data root.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "APP/SectionedConfigFile.h"
#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {

class ControlCenterTest : public ::testing::Test {
 protected:
  void SetUp() override { db.Open(); }

  TControlCenter& Open(const std::string& parameter = "") {
    cc = std::make_unique<TControlCenter>(ui, &settings, parameter);
    return *cc;
  }
  TDataRoot& Root() { return cc->Root(); }

  TCompany* AddCompany(const std::string& name) {
    auto company = std::make_unique<TCompany>();
    company->Name = name;
    return Root().Companies().Adopt(std::move(company));
  }
  TDepartment* AddDepartment(TCompany& company, const std::string& name) {
    auto department = std::make_unique<TDepartment>();
    department->Name = name;
    return company.Departments().Adopt(std::move(department));
  }
  // Skill areas "<name> A<i>" with questions "<name> Q<i>.<j>".
  static void FillSurvey(TSurvey& survey, const std::vector<int>& questions_per_area) {
    for (std::size_t a = 0; a < questions_per_area.size(); ++a) {
      auto area = std::make_unique<TSkillArea>();
      area->Name = survey.Name + " A" + std::to_string(a);
      TSkillArea* added = survey.SkillAreas().Adopt(std::move(area));
      for (int q = 0; q < questions_per_area[a]; ++q) {
        auto question = std::make_unique<TQuestion>();
        question->QuestionText = survey.Name + " Q" + std::to_string(a) + "." + std::to_string(q);
        added->Questions().Adopt(std::move(question));
      }
    }
  }
  TSurvey* AddLibrarySurvey(const std::string& name, const std::vector<int>& questions_per_area) {
    auto survey = std::make_unique<TSurvey>();
    survey->Name = name;
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* added = Root().LibrarySurveys().Adopt(std::move(survey));
    FillSurvey(*added, questions_per_area);
    return added;
  }
  // The built-in "Standard Skill Areas", stored with origin 1.
  TSurvey* AddStandardSkillAreas() {
    auto survey = std::make_unique<TSurvey>();
    survey->Name = kStandardSkillAreasName;
    survey->ID = {1, 1};
    survey->State = osBuiltOutside;
    TSurvey* added = Root().LibrarySurveys().Adopt(std::move(survey));
    auto area = std::make_unique<TSkillArea>();
    area->Name = "Listening";
    area->ID = {1, 2};
    area->State = osBuiltOutside;
    added->SkillAreas().Adopt(std::move(area));
    return added;
  }
  TSurvey* AddDepartmentSurvey(TDepartment& department, const std::string& name,
                               const std::vector<int>& questions_per_area) {
    auto survey = std::make_unique<TSurvey>();
    survey->Name = name;
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* added = department.Surveys().Adopt(std::move(survey));
    FillSurvey(*added, questions_per_area);
    return added;
  }
  TSubject* AddSubject(TDepartment& department, const std::string& name) {
    auto subject = std::make_unique<TSubject>();
    subject->Name = name;
    return department.Subjects().Adopt(std::move(subject));
  }
  TExperience* AddExperience(TSubject& subject, TSurvey& survey, double date = 45000.0) {
    auto experience = std::make_unique<TExperience>();
    experience->SubjectID = subject.ID;
    experience->SurveyID = survey.ID;
    experience->ExperienceDate = date;
    return subject.Experiences().Adopt(std::move(experience));
  }
  TScoreSheet* AddSheet(TExperience& experience, const std::string& rater, int category,
                        bool completed = false) {
    auto sheet = std::make_unique<TScoreSheet>();
    sheet->RaterName = rater;
    sheet->RaterCategory = static_cast<std::int16_t>(category);
    sheet->Completed = completed;
    return experience.ScoreSheets().Adopt(std::move(sheet));
  }

  // The index of the first entry of `list` with this text (-1 when none).
  int At(int list, const std::string& text) const {
    const auto& entries = cc->List(list).Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (entries[i].Text == text) return static_cast<int>(i);
    return -1;
  }
  std::vector<std::string> Texts(int list) const {
    std::vector<std::string> texts;
    for (const auto& entry : cc->List(list).Entries()) texts.push_back(entry.Text);
    return texts;
  }
  // Clicks the entry with this text alone.
  void Pick(int list, const std::string& text) {
    const int at = At(list, text);
    ASSERT_GE(at, 0) << text;
    cc->Click(list, {at});
  }
  // Organizations tab down to the department survey, then its detail page.
  void OpenDetail(const std::string& company, const std::string& department,
                  const std::string& survey) {
    cc->FillCompanyLB(At(CompanyLB, company));
    Pick(CompanyLB, company);
    Pick(DepartmentLB, department);
    Pick(DepartmentSurveyLB, survey);
    cc->ShowClick();
  }
  std::string LastLog() const { return ui.Log.empty() ? std::string() : ui.Log.back(); }

  TMemoryDB db{4242, 100};
  TFakeUserInterface ui;
  TSectionedConfigFile settings;
  std::unique_ptr<TControlCenter> cc;
};

}  // namespace zelvora::testing
