// The gap arithmetic over score sheets kept in the in-memory database, read
// through the object model.
#include <gtest/gtest.h>

#include <memory>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "report/GapBlockReports.h"
#include "report/GapCategories.h"
#include "report/GapModel.h"
#include "report/GapOverview.h"

namespace zelvora {
namespace {

struct Pair {
  int current;
  int expected;
};

class GapModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Open();
    auto fresh = std::make_unique<TCompany>();
    fresh->Name = "Acme";
    company = root.Companies().Adopt(std::move(fresh));
    auto department = std::make_unique<TDepartment>();
    department->Name = "Sales";
    TDepartment* sales = company->Departments().Adopt(std::move(department));

    auto new_survey = std::make_unique<TSurvey>();
    new_survey->Name = "Leadership";
    survey = sales->Surveys().Adopt(std::move(new_survey));
    TSkillArea* listening = AddArea("Listening", {"Hears others out", "Asks for views"});
    AddArea("Planning", {"Sets goals"});
    TQuestion* asks = listening->Questions().At(1);
    for (const char* text : {"Listen more", "Ask questions"}) {
      auto suggestion = std::make_unique<TSuggestion>();
      suggestion->SuggestionText = text;
      asks->Suggestions().Adopt(std::move(suggestion));
    }

    auto new_subject = std::make_unique<TSubject>();
    new_subject->Name = "Ann Lee";
    TSubject* subject = sales->Subjects().Adopt(std::move(new_subject));
    auto new_experience = std::make_unique<TExperience>();
    new_experience->SubjectID = subject->ID;
    new_experience->SurveyID = survey->ID;
    new_experience->ExperienceDate = 45000.0;
    experience = subject->Experiences().Adopt(std::move(new_experience));

    // Gaps per question: Self 1, 2, 0; Boss 3, -1, 2; Peer 0, 1 and a half
    // answered pair; an unfinished Staff sheet.
    AddSheet("Ann Lee", 0, {{3, 4}, {2, 4}, {3, 3}}, true);
    AddSheet("Bob", 1, {{2, 5}, {4, 3}, {1, 3}}, true);
    AddSheet("Cy", 3, {{3, 3}, {1, 2}, {3, 0}}, true);
    AddSheet("Di", 4, {{1, 5}, {1, 5}, {1, 5}}, false);
    survey->HasCompletedSheets = 1;
  }

  TSkillArea* AddArea(const std::string& name, const std::vector<std::string>& texts) {
    auto area = std::make_unique<TSkillArea>();
    area->Name = name;
    TSkillArea* added = survey->SkillAreas().Adopt(std::move(area));
    for (const std::string& text : texts) {
      auto question = std::make_unique<TQuestion>();
      question->QuestionText = text;
      added->Questions().Adopt(std::move(question));
    }
    return added;
  }

  void AddSheet(const std::string& rater, int category, const std::vector<Pair>& pairs,
                bool completed) {
    auto sheet = std::make_unique<TScoreSheet>();
    sheet->RaterName = rater;
    sheet->RaterCategory = static_cast<std::int16_t>(category);
    TScoreSheet* added = experience->ScoreSheets().Adopt(std::move(sheet));
    for (std::size_t q = 0; q < pairs.size(); ++q) {
      added->SetAnswer(1, static_cast<int>(q) + 1, pairs[q].current);
      added->SetAnswer(2, static_cast<int>(q) + 1, pairs[q].expected);
    }
    added->Completed = completed;
  }

  std::vector<std::string> Column(const std::vector<TGapRow>& rows, std::string TGapRow::*field) {
    std::vector<std::string> out;
    for (const TGapRow& row : rows) out.push_back(row.*field);
    return out;
  }

  TMemoryDB db{4343, 100};
  TDataRoot root;
  TCompany* company = nullptr;
  TSurvey* survey = nullptr;
  TExperience* experience = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(GapModelTest, ReadsTheSurveyAndTheSheets) {
  const TGapSurvey gap_survey = GapSurveyOf(*survey);
  ASSERT_EQ(gap_survey.QuestionCount(), 3);
  ASSERT_EQ(gap_survey.SkillAreas.size(), 2u);
  EXPECT_EQ(gap_survey.SkillAreas[0].Questions, (std::vector<int>{0, 1}));
  EXPECT_EQ(gap_survey.SkillAreas[1].Questions, (std::vector<int>{2}));
  EXPECT_EQ(gap_survey.SkillAreas[0].QuestPrefix3, "How often does this person");
  EXPECT_EQ(gap_survey.Questions[2].Text, "Sets goals");
  EXPECT_EQ(gap_survey.Questions[1].Suggestions, (Texts{"Listen more", "Ask questions"}));
  EXPECT_TRUE(gap_survey.HasCompletedSheets);

  const TGapExperience gap_experience = GapExperienceOf(*experience);
  EXPECT_EQ(gap_experience.SubjectName, "Ann Lee");
  EXPECT_EQ(gap_experience.DepartmentName, "Sales");
  ASSERT_EQ(gap_experience.Sheets.size(), 4u);
  EXPECT_EQ(gap_experience.Sheets[1].Gap(1), -1);
  EXPECT_FALSE(gap_experience.Sheets[2].Gap(2).has_value());
  EXPECT_FALSE(gap_experience.Sheets[3].Completed);
}

TEST_F(GapModelTest, IndividualCategoryReport) {
  const TGapExperience gap_experience = GapExperienceOf(*experience);
  const TGapCategoryList categories =
      IndividualCategories(GapCategoriesOf(*company), gap_experience);
  const auto blocks =
      ComputeSkillAreaBlocks(GapSurveyOf(*survey), std::span(&gap_experience, 1), categories, {});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(Column(blocks[0].Rows, &TGapRow::CategoryName), (Texts{"Self", "Boss", "Peer"}));
  EXPECT_EQ(Column(blocks[0].Rows, &TGapRow::NText), (Texts{"1", "1", "1"}));
  EXPECT_EQ(Column(blocks[0].Rows, &TGapRow::AverageText), (Texts{" 1.50", " 3.00", " 0.50"}));
  EXPECT_EQ(blocks[0].Rows[1].Bar, 201);
  EXPECT_EQ(blocks[0].Rows[1].BoxTexts[0], "1");
  EXPECT_EQ(Column(blocks[1].Rows, &TGapRow::NText), (Texts{"1", "1", "0"}));
  EXPECT_EQ(Column(blocks[1].Rows, &TGapRow::AverageText), (Texts{" 0.00", " 2.00", " 0.00"}));
}

TEST_F(GapModelTest, IndividualOverview) {
  const TGapExperience gap_experience = GapExperienceOf(*experience);
  const TGapCategoryList categories =
      IndividualCategories(GapCategoriesOf(*company), gap_experience);
  const auto groups =
      ComputeOverview(GapSurveyOf(*survey), std::span(&gap_experience, 1), categories);
  ASSERT_EQ(groups.size(), 3u);  // Organization, Boss, Peer
  const TGapOverviewGroup& organization = groups[0];
  ASSERT_EQ(organization.Needs.size(), 3u);
  EXPECT_EQ(organization.Needs[0].Entry.Text, " 2.00   2      ");
  EXPECT_EQ(organization.Needs[1].Entry.Text, " 1.50   0 Check");
  EXPECT_EQ(organization.Needs[2].Entry.Text, " 1.00   1      ");
  ASSERT_EQ(organization.Needs[2].Suggestions.size(), 2u);
  EXPECT_EQ(organization.Needs[2].Suggestions[0].Letter, "a)");
  EXPECT_EQ(organization.Needs[2].Suggestions[0].Text, "Listen more");
  EXPECT_EQ(organization.Needs[2].Suggestions[1].Letter, "b)");
  EXPECT_TRUE(organization.HasSuggestions);
}

TEST_F(GapModelTest, CategoriesMissingFromTheCompanyTableAreIgnored) {
  // Peer has left the table: its sheet adds no row and no gap.
  company->SetCategories({{"Boss", 1}});
  const TGapExperience gap_experience = GapExperienceOf(*experience);
  const TGapCategoryList categories =
      IndividualCategories(GapCategoriesOf(*company), gap_experience);
  const TGapSurvey gap_survey = GapSurveyOf(*survey);
  const auto blocks =
      ComputeSkillAreaBlocks(gap_survey, std::span(&gap_experience, 1), categories, {});
  EXPECT_EQ(Column(blocks[0].Rows, &TGapRow::CategoryName), (Texts{"Self", "Boss"}));
  const auto groups = ComputeOverview(gap_survey, std::span(&gap_experience, 1), categories);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].Strengths[0].Text, " 0.00   1      ") << "Boss's only pair is negative";
  EXPECT_EQ(groups[0].Needs[0].Entry.Text, " 3.00   0 Check");
}

TEST_F(GapModelTest, RowsFollowTheTableOrder) {
  company->SetCategories({{"Peer", 3}, {"Boss", 1}});
  const TGapExperience gap_experience = GapExperienceOf(*experience);
  const TGapCategoryList categories =
      IndividualCategories(GapCategoriesOf(*company), gap_experience);
  ASSERT_EQ(categories.size(), 3u);
  EXPECT_EQ(categories[1].Name, "Peer");
  EXPECT_EQ(categories[2].Name, "Boss");
}

}  // namespace
}  // namespace zelvora
