#include <gtest/gtest.h>

#include <set>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::kTestOrigin;
using testing::ModelTest;

class SurveyCloning : public ModelTest {
 protected:
  // A library survey: two areas (Order 4 and 1) of three questions, the
  // first question with two suggestions whose Orders have gaps.
  void SetUp() override {
    ModelTest::SetUp();
    auto survey = std::make_unique<TSurvey>();
    survey->Name = "Library survey";
    survey->Author = "Vexo";
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    survey->HasCompletedSheets = 1;
    source = root.LibrarySurveys().Adopt(std::move(survey));
    for (int a = 0; a < 2; ++a) {
      TSkillArea* area = source->SkillAreas().Adopt(std::make_unique<TSkillArea>());
      area->Name = "Area " + std::to_string(a);
      area->Order = static_cast<std::int16_t>(a == 0 ? 4 : 1);
      area->Date += 1;
      area->Save();
      for (int q = 0; q < 3; ++q) {
        auto question = std::make_unique<TQuestion>();
        question->QuestionText = area->Name + " question " + std::to_string(q);
        question->CRC = 1000 + q;
        question->Locked = q == 2;
        area->Questions().Adopt(std::move(question));
      }
    }
    TQuestion* first = source->SkillAreas().At(0)->Questions().At(0);
    for (int s = 0; s < 2; ++s) {
      auto suggestion = std::make_unique<TSuggestion>();
      suggestion->SuggestionText = "Try " + std::to_string(s);
      TSuggestion* added = first->Suggestions().Adopt(std::move(suggestion));
      added->Order = static_cast<std::int16_t>(10 * (s + 1));
    }
    records_before = TotalRecords();
  }

  std::size_t TotalRecords() const {
    std::size_t total = 0;
    for (int kind = okCompany; kind <= okRater; ++kind) total += db.RecordCount(kind);
    return total;
  }

  TDataRoot root;
  TSurvey* source = nullptr;
  std::size_t records_before = 0;
};

void CollectIDs(TSurvey& survey, std::vector<TSurvObject*>& out) {
  out.push_back(&survey);
  for (TSurvObject* area : survey.SkillAreas().Raw()) {
    out.push_back(area);
    for (TSurvObject* question : static_cast<TSkillArea*>(area)->Questions().Raw()) {
      out.push_back(question);
      for (TSurvObject* suggestion : static_cast<TQuestion*>(question)->Suggestions().Raw()) {
        out.push_back(suggestion);
      }
    }
  }
}

TEST_F(SurveyCloning, NewIDsGiveFreshIDsAndState2AndWriteNothing) {
  TDepartment* department = MakeDepartment(root);
  records_before = TotalRecords();
  auto copy = source->Clone(department, true);
  EXPECT_EQ(TotalRecords(), records_before);
  std::vector<TSurvObject*> originals, copies;
  CollectIDs(*source, originals);
  CollectIDs(*copy, copies);
  ASSERT_EQ(copies.size(), originals.size());
  ASSERT_EQ(copies.size(), 1u + 2u + 6u + 2u);
  std::set<std::string> ids;
  for (TSurvObject* original : originals) ids.insert(original->ID.Key());
  for (TSurvObject* each : copies) {
    EXPECT_EQ(each->State, osCopyNewIDs);
    EXPECT_EQ(each->ID.Origin, kTestOrigin);
    EXPECT_TRUE(ids.insert(each->ID.Key()).second) << "ID handed out twice: " << each->ID.Text();
  }
  EXPECT_EQ(copy->Department, department);
  EXPECT_EQ(copy->HasCompletedSheets, 0);
  EXPECT_EQ(copy->Author, "Vexo");
  EXPECT_EQ(copy->FreqLabels, TSurvey::DefaultFreqLabels());
  EXPECT_FALSE(copy->SkillAreasLoaded());
  EXPECT_EQ(db.ReservedIDs(), 0);  // exactly ObjectCount IDs were reserved and used
}

TEST_F(SurveyCloning, CopiesCarryTheirFieldsAndRenumberQuestionsAndSuggestions) {
  auto copy = source->Clone(nullptr, true);
  TSkillArea* area = copy->SkillAreas().At(0);
  EXPECT_EQ(area->Order, 4);  // skill area copies keep their Order
  EXPECT_EQ(area->Name, "Area 0");
  EXPECT_EQ(area->Survey, copy.get());
  EXPECT_EQ(area->QuestPrefix[2], "How often does this person");
  TQuestion* question = area->Questions().At(2);
  EXPECT_EQ(question->Order, 2);
  EXPECT_EQ(question->CRC, 1002);
  EXPECT_TRUE(question->Locked);
  EXPECT_EQ(question->SkillArea, area);
  TSuggestion* suggestion = area->Questions().At(0)->Suggestions().At(1);
  EXPECT_EQ(suggestion->Order, 1);  // 10, 20 become 0, 1
  EXPECT_EQ(suggestion->SuggestionText, "Try 1");
  EXPECT_EQ(suggestion->Question, area->Questions().At(0));
}

TEST_F(SurveyCloning, AddingTheCopyToADepartmentStoresItWhole) {
  TDepartment* department = MakeDepartment(root);
  records_before = TotalRecords();
  TSurvey* stored = department->Surveys().Adopt(source->Clone(department, true));
  EXPECT_EQ(TotalRecords(), records_before + 11);
  EXPECT_EQ(stored->State, osStored);
  EXPECT_TRUE(stored->SkillAreasLoaded());
  EXPECT_EQ(db.ParentOf(okSurvey, stored->ID), department->ID);
  TSkillArea* area = stored->SkillAreas().At(1);
  EXPECT_EQ(db.ParentOf(okSkillArea, area->ID), stored->ID);
  EXPECT_EQ(db.ParentOf(okQuestion, area->Questions().At(0)->ID), area->ID);
  // The stored copy reloads with the same shape; the flattened list puts
  // the Order 1 area first.
  root.Reset();
  TSurvey* reloaded = root.Companies().At(0)->Departments().At(0)->Surveys().At(0);
  ASSERT_EQ(reloaded->Questions().Count(), 6);
  EXPECT_EQ(reloaded->Questions().At(0)->QuestionText, "Area 1 question 0");
  EXPECT_EQ(reloaded->Questions().At(3)->Suggestions().Count(), 2);
}

TEST_F(SurveyCloning, WithoutNewIDsTheCopyIsASecondImage) {
  auto copy = source->Clone(nullptr, false);
  std::vector<TSurvObject*> originals, copies;
  CollectIDs(*source, originals);
  CollectIDs(*copy, copies);
  ASSERT_EQ(copies.size(), originals.size());
  for (std::size_t i = 0; i < copies.size(); ++i) {
    EXPECT_EQ(copies[i]->ID, originals[i]->ID);
    EXPECT_EQ(copies[i]->Date, originals[i]->Date);
    EXPECT_EQ(copies[i]->State, osCopySameIDs);
    EXPECT_EQ(copies[i]->SortOrder(), originals[i]->SortOrder());
  }
  EXPECT_EQ(TotalRecords(), records_before);
}

// An ID source that runs dry after a number of IDs.
class DryingDB : public TMemoryDB {
 public:
  DryingDB() : TMemoryDB(6000, 1) {}
  TObjectID NextID() override {
    if (Left-- <= 0) throw ESurvObjError("out of IDs");
    return TMemoryDB::NextID();
  }
  int Left = 1000;
};

TEST(SurveyCloningFailures, AFailingIDSourceLeavesNothingBehind) {
  DryingDB db;
  db.Open();
  TDataRoot root;
  TSurvey* source = root.LibrarySurveys().Adopt(std::make_unique<TSurvey>());
  TSkillArea* area = source->SkillAreas().Adopt(std::make_unique<TSkillArea>());
  for (int q = 0; q < 4; ++q) area->Questions().Adopt(std::make_unique<TQuestion>());
  db.Left = 3;                                                // the copy needs 6
  EXPECT_THROW(source->Clone(nullptr, true), ESurvObjError);  // LeakSanitizer checks the rest
}

}  // namespace
}  // namespace zelvora
