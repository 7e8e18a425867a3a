#include "report/ReportSource.h"

#include <map>
#include <stdexcept>

#include "DB/Survobj.h"
#include "report/GapModel.h"

namespace zelvora {

std::vector<TExperience*> AllExperiences(TDataRoot& root) {
  std::vector<TExperience*> all;
  auto& companies = root.Companies();
  for (int c = 0; c < companies.Size(); ++c) {
    auto& departments = companies.At(c)->Departments();
    for (int d = 0; d < departments.Size(); ++d) {
      auto& experiences = departments.At(d)->Experiences();
      for (int e = 0; e < experiences.Size(); ++e) all.push_back(experiences.At(e));
    }
  }
  return all;
}

std::vector<TReportSourceEntry> ExperienceEntries(TDataRoot& root,
                                                  const std::vector<TObjectID>& ids) {
  const std::vector<TExperience*> all = AllExperiences(root);
  std::map<const TSurvey*, std::shared_ptr<const TGapSurvey>> surveys;
  std::vector<TReportSourceEntry> entries;
  for (const TObjectID& id : ids) {
    TExperience* found = nullptr;
    for (TExperience* e : all)
      if (e->ID == id) found = e;
    if (found == nullptr) throw std::runtime_error("No experience " + id.Text());
    TSurvey* survey = found->Survey();
    if (survey == nullptr) throw std::runtime_error("Experience " + id.Text() + " has no survey");
    auto data = std::make_shared<TReportExperience>();
    auto& shared = surveys[survey];
    if (shared == nullptr) shared = std::make_shared<TGapSurvey>(GapSurveyOf(*survey));
    data->Survey = shared;
    data->Experience = GapExperienceOf(*found);
    if (found->Department != nullptr && found->Department->Company != nullptr) {
      data->CompanyName = found->Department->Company->Name;
      data->CompanyCategories = GapCategoriesOf(*found->Department->Company);
    }
    TReportSourceEntry entry;
    entry.Text = found->DisplayText() + " " + data->Experience.SubjectName;
    entry.Selected = true;
    entry.Data = std::move(data);
    entries.push_back(std::move(entry));
  }
  return entries;
}

namespace {

TSkillArea* FindIn(TSkillAreaList& list, const TObjectID& id) {
  for (int i = 0; i < list.Size(); ++i)
    if (list.At(i)->ID == id) return list.At(i);
  return nullptr;
}

}  // namespace

std::vector<TReportSourceEntry> SkillAreaEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids) {
  std::vector<TReportSourceEntry> entries;
  for (const TObjectID& id : ids) {
    TSkillArea* found = FindIn(root.LibrarySkillAreas(), id);
    auto& library = root.LibrarySurveys();
    for (int s = 0; s < library.Size() && found == nullptr; ++s)
      found = FindIn(library.At(s)->SkillAreas(), id);
    auto& companies = root.Companies();
    for (int c = 0; c < companies.Size() && found == nullptr; ++c) {
      auto& departments = companies.At(c)->Departments();
      for (int d = 0; d < departments.Size() && found == nullptr; ++d) {
        auto& surveys = departments.At(d)->Surveys();
        for (int s = 0; s < surveys.Size() && found == nullptr; ++s)
          found = FindIn(surveys.At(s)->SkillAreas(), id);
      }
    }
    if (found == nullptr) throw std::runtime_error("No skill area " + id.Text());
    auto area = std::make_shared<TReportSkillArea>();
    area->Name = found->Name;
    auto& questions = found->Questions();
    questions.SortByOrder();
    for (int q = 0; q < questions.Size(); ++q) {
      TGapQuestion question;
      question.Text = questions.At(q)->QuestionText;
      auto& suggestions = questions.At(q)->Suggestions();
      suggestions.SortByOrder();
      for (int i = 0; i < suggestions.Size(); ++i)
        question.Suggestions.push_back(suggestions.At(i)->SuggestionText);
      area->Questions.push_back(std::move(question));
    }
    TReportSourceEntry entry;
    entry.Text = area->Name;
    entry.Selected = true;
    entry.SkillArea = std::move(area);
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace zelvora
