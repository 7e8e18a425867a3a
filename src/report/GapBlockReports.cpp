#include "report/GapBlockReports.h"

#include "report/GapCatGapKey.h"
#include "report/GapError.h"

namespace zelvora {

namespace {

std::vector<TGapRow> RowsOf(const TCatGapKey& tally) {
  std::vector<TGapRow> rows;
  rows.reserve(static_cast<std::size_t>(tally.CategoryCount()));
  for (int row = 0; row < tally.CategoryCount(); ++row) rows.push_back(MakeGapRow(tally, row));
  return rows;
}

bool ValidQuestion(const TGapSurvey& survey, int question_index) {
  return question_index >= 0 && question_index < survey.QuestionCount();
}

}  // namespace

std::vector<TGapAreaBlock> ComputeSkillAreaBlocks(const TGapSurvey& survey,
                                                  std::span<const TGapExperience> experiences,
                                                  const TGapCategoryList& categories,
                                                  TGapMarks marks) {
  if (!survey.HasCompletedSheets) throw EGapError(kGapNoScores);
  std::vector<TGapAreaBlock> blocks;
  TCatGapKey tally(categories);
  for (std::size_t area = 0; area < survey.SkillAreas.size(); ++area) {
    tally.Reset();
    for (const int question : survey.SkillAreas[area].Questions) {
      if (!ValidQuestion(survey, question)) continue;
      tally.CountQuestion();
      TallyPractice(tally, experiences, question);
    }
    if (tally.IsEmpty()) continue;
    tally.ComputeForReport(marks.Under, marks.Over);
    blocks.push_back({static_cast<int>(area), survey.SkillAreas[area].Name, RowsOf(tally)});
  }
  return blocks;
}

std::vector<TGapPracticeBlock> ComputePracticeBlocks(const TGapSurvey& survey,
                                                     std::span<const TGapExperience> experiences,
                                                     const TGapCategoryList& categories,
                                                     TGapMarks marks) {
  if (!survey.HasCompletedSheets) throw EGapError(kGapNoScores);
  std::vector<TGapPracticeBlock> blocks;
  TCatGapKey tally(categories);
  int last_area = -1;
  for (int question = 0; question < survey.QuestionCount(); ++question) {
    tally.Reset();
    TallyPractice(tally, experiences, question);
    if (tally.IsEmpty()) continue;
    tally.ComputeForReport(marks.Under, marks.Over);
    TGapPracticeBlock block;
    block.QuestionIndex = question;
    block.SkillArea = survey.Questions[static_cast<std::size_t>(question)].SkillArea;
    block.StartsSkillArea = block.SkillArea != last_area;
    last_area = block.SkillArea;
    if (block.SkillArea >= 0 && block.SkillArea < static_cast<int>(survey.SkillAreas.size())) {
      block.AreaHeading =
          survey.SkillAreas[static_cast<std::size_t>(block.SkillArea)].QuestPrefix3 + "...";
    }
    block.Rows = RowsOf(tally);
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace zelvora
