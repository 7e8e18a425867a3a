#include "report/GapModel.h"

#include <algorithm>

#include "DB/Survobj.h"

namespace zelvora {

TGapCategoryList GapCategoriesOf(const TCompany& company) {
  TGapCategoryList list;
  for (const TCategory& category : company.ParseCategories()) {
    list.push_back({category.Name, category.Number});
  }
  return list;
}

TGapSurvey GapSurveyOf(TSurvey& survey) {
  TGapSurvey out;
  out.Name = survey.Name;
  out.HasCompletedSheets = survey.HasCompletedSheets != 0;
  // Building the flattened list sorts the skill areas by Order first.
  const std::vector<TSurvObject*>& questions = survey.Questions().Raw();
  const std::vector<TSurvObject*>& areas = survey.SkillAreas().Raw();
  for (TSurvObject* object : areas) {
    const auto* area = static_cast<const TSkillArea*>(object);
    TGapSkillArea gap_area;
    gap_area.Name = area->Name;
    gap_area.QuestPrefix3 = area->GetPrefix(3);
    out.SkillAreas.push_back(std::move(gap_area));
  }
  for (TSurvObject* object : questions) {
    auto* question = static_cast<TQuestion*>(object);
    TGapQuestion gap_question;
    gap_question.Text = question->QuestionText;
    const auto area = std::find(areas.begin(), areas.end(), question->SkillArea);
    gap_question.SkillArea = area == areas.end() ? -1 : static_cast<int>(area - areas.begin());
    TSuggestionList& suggestions = question->Suggestions();
    suggestions.SortByOrder();
    for (TSurvObject* suggestion : suggestions.Raw()) {
      gap_question.Suggestions.push_back(static_cast<TSuggestion*>(suggestion)->SuggestionText);
    }
    const int index = static_cast<int>(out.Questions.size());
    if (gap_question.SkillArea >= 0) {
      out.SkillAreas[static_cast<std::size_t>(gap_question.SkillArea)].Questions.push_back(index);
    }
    out.Questions.push_back(std::move(gap_question));
  }
  return out;
}

TGapExperience GapExperienceOf(TExperience& experience) {
  TGapExperience out;
  if (TSubject* subject = experience.Subject()) out.SubjectName = subject->Name;
  if (experience.Department != nullptr) out.DepartmentName = experience.Department->Name;
  out.ExperienceDate = experience.ExperienceDate;
  for (TSurvObject* object : experience.ScoreSheets().Raw()) {
    auto* sheet = static_cast<TScoreSheet*>(object);
    TGapSheet gap_sheet;
    gap_sheet.RaterCategory = sheet->RaterCategory;
    gap_sheet.Completed = sheet->Completed;
    gap_sheet.AnsPerQ = sheet->AnswersPerQuestion();
    gap_sheet.Answers.assign(sheet->AnswersBuf.begin(), sheet->AnswersBuf.end());
    out.Sheets.push_back(std::move(gap_sheet));
  }
  return out;
}

std::vector<TGapExperience> GapExperiencesOf(const std::vector<TExperience*>& experiences) {
  std::vector<TGapExperience> out;
  out.reserve(experiences.size());
  for (TExperience* experience : experiences) {
    if (experience != nullptr) out.push_back(GapExperienceOf(*experience));
  }
  return out;
}

}  // namespace zelvora
