#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

TEST(AnswerBuffer, ANewSheetAnswersNothing) {
  TScoreSheet sheet;
  for (std::int8_t byte : sheet.AnswersBuf) ASSERT_EQ(byte, 0);
  EXPECT_EQ(sheet.GetAnswer(1, 1), 0);
  EXPECT_EQ(sheet.GetAnswer(2, 1), 0);
}

TEST(AnswerBuffer, LayoutIsTwoAnswersPerQuestion) {
  TScoreSheet sheet;  // no experience yet: two answers per question
  sheet.SetAnswer(2, 3, 4);
  EXPECT_EQ(sheet.AnswersBuf[5], 4);
  sheet.SetAnswer(1, 3, 2);
  EXPECT_EQ(sheet.AnswersBuf[4], 2);
  sheet.SetAnswer(2, 115, 5);  // the last byte of the buffer
  EXPECT_EQ(sheet.AnswersBuf[229], 5);
  EXPECT_EQ(sheet.GetAnswer(2, 115), 5);
}

TEST(AnswerBuffer, ValuesAreTheLowEightBitsSigned) {
  TScoreSheet sheet;
  sheet.SetAnswer(1, 1, 300);
  EXPECT_EQ(sheet.AnswersBuf[0], 44);
  sheet.SetAnswer(1, 2, 200);
  EXPECT_EQ(sheet.GetAnswer(1, 2), -56);
  sheet.SetAnswer(2, 2, -1);
  EXPECT_EQ(sheet.GetAnswer(2, 2), -1);
  sheet.AnswersBuf[7] = static_cast<std::int8_t>(-128);
  EXPECT_EQ(sheet.GetAnswer(2, 4), -128);
}

TEST(AnswerBuffer, IndexesOutsideTheBufferFailInsteadOfReadingPastIt) {
  TScoreSheet sheet;
  for (auto [a, q] : {std::pair{1, 116}, std::pair{0, 1}, std::pair{3, 1}, std::pair{1, 0},
                      std::pair{1, -5}, std::pair{-1, 1}, std::pair{1, 2000000000}}) {
    try {
      sheet.GetAnswer(a, q);
      FAIL() << a << "," << q;
    } catch (const ESurvObjError& e) {
      EXPECT_STREQ(e.what(), "Answer index out of range");
    }
    EXPECT_THROW(sheet.SetAnswer(a, q, 1), ESurvObjError);
  }
  EXPECT_EQ(TScoreSheet::AnswerIndex(1, 1, 0), -1);
  EXPECT_EQ(TScoreSheet::AnswerIndex(3, 2, 3), 5);
}

class AnswerBufferInSurvey : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    department = MakeDepartment(root);
    survey = MakeSurvey(*department, 1, 3);
    subject = MakeSubject(*department, "Ann");
    experience = MakeExperience(*subject, *survey);
  }
  TDataRoot root;
  TDepartment* department = nullptr;
  TSurvey* survey = nullptr;
  TSubject* subject = nullptr;
  TExperience* experience = nullptr;
};

TEST_F(AnswerBufferInSurvey, TheSurveysAnswersPerQuestionPlaceTheBytes) {
  survey->AnsPerQ = 3;
  TScoreSheet* sheet = MakeSheet(*experience, "Pat", 1);
  sheet->SetAnswer(3, 2, 5);
  EXPECT_EQ(sheet->AnswersBuf[5], 5);
  EXPECT_EQ(sheet->AnswersPerQuestion(), 3);
}

TEST_F(AnswerBufferInSurvey, AnswersSurviveStoringInBothPiecesOfTheBuffer) {
  TScoreSheet* sheet = MakeSheet(*experience, "Pat", 1);
  sheet->SetAnswer(1, 1, 3);
  sheet->SetAnswer(2, 103, 4);  // byte 205
  sheet->Completed = true;
  sheet->AnswersEdited = 2;
  sheet->Date += 1;
  sheet->Save();
  const TObjectID id = sheet->ID;
  root.Reset();
  TDepartment* again = root.Companies().At(0)->Departments().At(0);
  TScoreSheet* reloaded = again->Experiences().At(0)->ScoreSheets().FindByID(id);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->AnswersBuf[0], 3);
  EXPECT_EQ(reloaded->AnswersBuf[205], 4);
  EXPECT_TRUE(reloaded->Completed);
  EXPECT_EQ(reloaded->AnswersEdited, 2);
  EXPECT_EQ(reloaded->Experience, again->Experiences().At(0));
}

TEST_F(AnswerBufferInSurvey, CategoryNamesAndSelfRaters) {
  TCompany* company = department->Company;
  company->Categories = std::string("0=self") + kCategorySeparator +
                        "1=Supervisor of the whole team" + kCategorySeparator + "2=Peer" +
                        kCategorySeparator;
  TScoreSheet* self = MakeSheet(*experience, "Ann", 0);
  TScoreSheet* boss = MakeSheet(*experience, "Bea", 1);
  TScoreSheet* removed = MakeSheet(*experience, "Cal", 5);
  EXPECT_TRUE(self->IsSelfRater());
  EXPECT_EQ(boss->CategoryName(), "Supervisor of t");  // at most 15 characters
  EXPECT_FALSE(boss->IsSelfRater());
  EXPECT_EQ(removed->CategoryName(), "");
  EXPECT_FALSE(removed->IsSelfRater());
  TScoreSheet loose;
  EXPECT_EQ(loose.CategoryName(), "");
}

}  // namespace
}  // namespace zelvora
