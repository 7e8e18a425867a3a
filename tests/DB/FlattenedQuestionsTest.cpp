#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

using FlattenedQuestions = ModelTest;

std::vector<std::string> Texts(TQuestionList& list) {
  std::vector<std::string> texts;
  for (TSurvObject* question : list.Raw()) texts.push_back(question->DisplayText());
  return texts;
}

TEST_F(FlattenedQuestions, AreasByOrderThenQuestionsByOrder) {
  TDataRoot root;
  TSurvey* survey = MakeSurvey(*MakeDepartment(root), 2, 2);
  survey->SkillAreas().At(0)->Order = 2;
  survey->SkillAreas().At(1)->Order = 0;
  survey->SkillAreas().At(1)->Questions().At(0)->Order = 5;
  survey->InvalidateQuestions();
  EXPECT_EQ(Texts(survey->Questions()), (std::vector<std::string>{"Q1.1", "Q1.0", "Q0.0", "Q0.1"}));
  EXPECT_TRUE(survey->QuestionsValid());
}

TEST_F(FlattenedQuestions, AddingOrRemovingAQuestionInvalidatesIt) {
  TDataRoot root;
  TSurvey* survey = MakeSurvey(*MakeDepartment(root), 2, 1);
  ASSERT_EQ(survey->Questions().Count(), 2);
  TSkillArea* area = survey->SkillAreas().At(0);
  auto question = std::make_unique<TQuestion>();
  question->QuestionText = "late";
  area->Questions().Adopt(std::move(question));
  EXPECT_FALSE(survey->QuestionsValid());
  EXPECT_EQ(Texts(survey->Questions()), (std::vector<std::string>{"Q0.0", "late", "Q1.0"}));
  area->Questions().Delete(0);
  EXPECT_FALSE(survey->QuestionsValid());
  EXPECT_EQ(survey->Questions().Count(), 2);
  survey->SkillAreas().Delete(1);
  EXPECT_EQ(Texts(survey->Questions()), std::vector<std::string>{"late"});
}

TEST_F(FlattenedQuestions, AreasLoadedLaterStillInvalidateTheirSurvey) {
  TObjectID survey_id;
  {
    TDataRoot root;
    survey_id = MakeSurvey(*MakeDepartment(root), 1, 2)->ID;
  }
  TDataRoot root;
  TSurvey* survey = root.Companies().At(0)->Departments().At(0)->Surveys().FindByID(survey_id);
  ASSERT_NE(survey, nullptr);
  EXPECT_EQ(survey->Questions().Count(), 2);
  survey->SkillAreas().At(0)->Questions().Adopt(std::make_unique<TQuestion>());
  EXPECT_EQ(survey->Questions().Count(), 3);
}

TEST(FlattenedQuestionsOfImports, AnImportedSurveyFlattensWithoutADatabase) {
  ASSERT_EQ(GetSurveyDB(), nullptr);
  TSurvey survey;
  survey.State = osBuiltOutside;
  for (int a = 0; a < 2; ++a) {
    auto area = std::make_unique<TSkillArea>();
    area->State = osBuiltOutside;
    TSkillArea* added = survey.SkillAreas().Adopt(std::move(area));
    EXPECT_EQ(added->Order, a);
    for (int q = 0; q < 3; ++q) {
      auto question = std::make_unique<TQuestion>();
      question->State = osBuiltOutside;
      added->Questions().Adopt(std::move(question));
    }
  }
  EXPECT_EQ(survey.Questions().Count(), 6);
  EXPECT_EQ(survey.ObjectCount(), 9);
  // Deleting an import never stored needs no database either.
  EXPECT_TRUE(survey.SkillAreas().At(0)->Delete());
}

}  // namespace
}  // namespace zelvora
