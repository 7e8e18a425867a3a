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

namespace {

std::shared_ptr<TReportForm> FormOf(TSurvey& survey) {
  auto form = std::make_shared<TReportForm>();
  form->SurveyName = survey.Name;
  form->FreqLabels = survey.FreqLabels.empty() ? TSurvey::DefaultFreqLabels() : survey.FreqLabels;
  auto& areas = survey.SkillAreas();
  areas.SortByOrder();
  for (int a = 0; a < areas.Size(); ++a) {
    TReportFormArea area;
    area.Name = areas.At(a)->Name;
    area.Prefix = areas.At(a)->QuestPrefix;
    auto& questions = areas.At(a)->Questions();
    questions.SortByOrder();
    for (int q = 0; q < questions.Size(); ++q)
      area.Questions.push_back(questions.At(q)->QuestionText);
    form->Areas.push_back(std::move(area));
  }
  return form;
}

}  // namespace

std::vector<TReportSourceEntry> SheetFormEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids) {
  const std::vector<TExperience*> all = AllExperiences(root);
  std::vector<TReportSourceEntry> entries;
  for (const TObjectID& id : ids) {
    TScoreSheet* sheet = nullptr;
    for (TExperience* e : all) {
      auto& sheets = e->ScoreSheets();
      for (int i = 0; i < sheets.Size() && sheet == nullptr; ++i)
        if (sheets.At(i)->ID == id) sheet = sheets.At(i);
      if (sheet != nullptr) break;
    }
    if (sheet == nullptr || sheet->Experience == nullptr || sheet->Experience->Survey() == nullptr)
      throw std::runtime_error("No score sheet " + id.Text());
    TExperience& experience = *sheet->Experience;
    auto form = FormOf(*experience.Survey());
    form->SubjectName = experience.Subject() != nullptr ? experience.Subject()->Name : "";
    form->RaterName = sheet->RaterName;
    form->CategoryNumber = sheet->RaterCategory;
    if (experience.Department != nullptr && experience.Department->Company != nullptr) {
      for (const TCategory& category : experience.Department->Company->ParseCategories())
        if (category.Number == sheet->RaterCategory) form->CategoryName = category.Name;
    }
    form->ReferenceNumber = sheet->ID.Text();
    TReportSourceEntry entry;
    entry.Text = sheet->RaterName;
    entry.Selected = true;
    entry.Form = std::move(form);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<TReportSourceEntry> BlankFormEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids) {
  std::vector<TReportSourceEntry> entries;
  for (const TObjectID& id : ids) {
    TSurvey* found = nullptr;
    auto& library = root.LibrarySurveys();
    for (int s = 0; s < library.Size() && found == nullptr; ++s)
      if (library.At(s)->ID == id) found = library.At(s);
    auto& companies = root.Companies();
    for (int c = 0; c < companies.Size() && found == nullptr; ++c) {
      auto& departments = companies.At(c)->Departments();
      for (int d = 0; d < departments.Size() && found == nullptr; ++d) {
        auto& surveys = departments.At(d)->Surveys();
        for (int s = 0; s < surveys.Size() && found == nullptr; ++s)
          if (surveys.At(s)->ID == id) found = surveys.At(s);
      }
    }
    if (found == nullptr) throw std::runtime_error("No survey " + id.Text());
    TReportSourceEntry entry;
    entry.Text = found->Name;
    entry.Selected = true;
    entry.Form = FormOf(*found);
    entries.push_back(std::move(entry));
  }
  return entries;
}

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

std::vector<TReportDepartment> DepartmentEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& selected) {
  std::vector<TReportDepartment> out;
  std::vector<bool> found(selected.size(), false);
  auto& companies = root.Companies();
  for (int c = 0; c < companies.Size(); ++c) {
    auto& departments = companies.At(c)->Departments();
    for (int d = 0; d < departments.Size(); ++d) {
      const TDepartment& department = *departments.At(d);
      bool chosen = false;
      for (std::size_t i = 0; i < selected.size(); ++i) {
        if (selected[i] == department.ID) {
          found[i] = true;
          chosen = true;
        }
      }
      out.push_back({department.Name, chosen});
    }
  }
  for (std::size_t i = 0; i < selected.size(); ++i)
    if (!found[i]) throw std::runtime_error("No department " + selected[i].Text());
  return out;
}

}  // namespace zelvora
