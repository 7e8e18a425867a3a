#include <gtest/gtest.h>

#include <memory>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::kTestOrigin;
using testing::ModelTest;

using LazyLoadingAndAdding = ModelTest;

TEST_F(LazyLoadingAndAdding, AddingToALoadedListGivesANewIDAndARecord) {
  TDataRoot root;
  TDepartment* department = MakeDepartment(root);
  EXPECT_EQ(department->State, osStored);
  EXPECT_EQ(department->ID.Origin, kTestOrigin);
  EXPECT_TRUE(db.HasRecord(okDepartment, department->ID));
  EXPECT_EQ(db.ParentOf(okDepartment, department->ID), department->Company->ID);
  EXPECT_NE(department->ID, department->Company->ID);
}

TEST_F(LazyLoadingAndAdding, ChildrenAreLoadedOnFirstAccessInStoredOrder) {
  TObjectID survey_id;
  {
    TDataRoot root;
    TDepartment* department = MakeDepartment(root);
    TSurvey* survey = MakeSurvey(*department, 2, 3);
    survey_id = survey->ID;
    // Reverse the areas' Order and save, so loading must sort them.
    survey->SkillAreas().At(0)->Order = 9;
    survey->SkillAreas().At(0)->Touch();
    survey->SkillAreas().At(0)->Date += 1;
    survey->SkillAreas().At(0)->Save();
  }
  TDataRoot root;
  ASSERT_EQ(root.Companies().Count(), 1);
  TCompany* company = root.Companies().Items(0);
  EXPECT_FALSE(company->DepartmentsLoaded());
  TDepartment* department = company->Departments().Items(0);
  EXPECT_TRUE(company->DepartmentsLoaded());
  EXPECT_EQ(department->Company, company);
  TSurvey* survey = department->Surveys().FindByID(survey_id);
  ASSERT_NE(survey, nullptr);
  ASSERT_EQ(survey->SkillAreas().Count(), 2);
  EXPECT_EQ(survey->SkillAreas().At(0)->Name, "Area 1");
  EXPECT_EQ(survey->SkillAreas().At(1)->Name, "Area 0");
  EXPECT_EQ(survey->SkillAreas().At(1)->Survey, survey);
  EXPECT_EQ(survey->SkillAreas().At(1)->Questions().Count(), 3);
  EXPECT_EQ(survey->ObjectCount(), 1 + 2 + 6);
}

TEST_F(LazyLoadingAndAdding, OrderIsTheCountForNewChildrenOnly) {
  TDataRoot root;
  TSurvey* survey = MakeSurvey(*MakeDepartment(root), 1, 0);
  TSkillArea* area = survey->SkillAreas().At(0);
  auto fresh = std::make_unique<TQuestion>();
  fresh->Order = 40;
  TQuestion* first = area->Questions().Adopt(std::move(fresh));
  EXPECT_EQ(first->Order, 0);
  auto stored = std::make_unique<TQuestion>();
  stored->Order = 40;
  stored->State = osStored;  // an object that already has a record keeps its Order
  TQuestion* kept = area->Questions().Adopt(std::move(stored));
  EXPECT_EQ(kept->Order, 40);
  auto area_copy = std::make_unique<TSkillArea>();
  area_copy->State = osCopySameIDs;
  area_copy->Order = 7;
  EXPECT_EQ(survey->SkillAreas().Adopt(std::move(area_copy))->Order, 7);
  auto imported = std::make_unique<TSkillArea>();
  imported->State = osBuiltOutside;
  imported->Order = 7;
  EXPECT_EQ(survey->SkillAreas().Adopt(std::move(imported))->Order, 2);
}

TEST_F(LazyLoadingAndAdding, ATreeBuiltOutsideTheDatabaseWritesNothingUntilStored) {
  auto company = std::make_unique<TCompany>();
  company->State = osBuiltOutside;
  company->ID = {77, 1};
  auto department = std::make_unique<TDepartment>();
  department->State = osBuiltOutside;
  department->ID = {77, 2};
  TDepartment* dept = company->Departments().Adopt(std::move(department));
  auto survey = std::make_unique<TSurvey>();
  survey->State = osBuiltOutside;
  survey->ID = {77, 3};
  TSurvey* surv = dept->Surveys().Adopt(std::move(survey));
  EXPECT_EQ(dept->Company, company.get());
  EXPECT_FALSE(company->DepartmentsLoaded());
  EXPECT_EQ(db.RecordCount(okCompany) + db.RecordCount(okDepartment) + db.RecordCount(okSurvey),
            0u);

  TDataRoot root;
  TCompany* added = root.Companies().Adopt(std::move(company));
  EXPECT_TRUE(db.HasRecord(okCompany, {77, 1}));
  EXPECT_TRUE(db.HasRecord(okDepartment, {77, 2}));
  EXPECT_TRUE(db.HasRecord(okSurvey, {77, 3}));
  EXPECT_EQ(db.ParentOf(okSurvey, {77, 3}), (TObjectID{77, 2}));
  EXPECT_EQ(surv->State, osStored);
  EXPECT_TRUE(added->DepartmentsLoaded());
  EXPECT_TRUE(dept->SurveysLoaded());
  // From now on the stored tree behaves like any loaded one.
  TSubject* subject = MakeSubject(*dept, "Robin");
  EXPECT_EQ(subject->ID.Origin, kTestOrigin);
  EXPECT_TRUE(db.HasRecord(okSubject, subject->ID));
}

TEST_F(LazyLoadingAndAdding, AnEditorMadeCompanyGetsANewID) {
  TDataRoot root;
  auto company = std::make_unique<TCompany>();
  company->ID = {77, 1};  // whatever it carried, State 0 means a new ID
  TCompany* added = root.Companies().Adopt(std::move(company));
  EXPECT_NE(added->ID, (TObjectID{77, 1}));
  EXPECT_TRUE(db.HasRecord(okCompany, added->ID));
}

TEST_F(LazyLoadingAndAdding, AnUnstoredParentDoesNotFetchTheLibrary) {
  TDataRoot root;
  ASSERT_TRUE(root.AddBuiltInSurveys());
  // A new department has ID (0,0), the library owner's: its lists must not
  // show the library surveys.
  TDepartment fresh;
  EXPECT_EQ(fresh.Surveys().Count(), 0);
  EXPECT_FALSE(fresh.SurveysLoaded());
}

TEST_F(LazyLoadingAndAdding, AListLookedAtBeforeStoringLoadsOnceStored) {
  TDataRoot root;
  TDepartment* home = MakeDepartment(root);
  auto fresh = std::make_unique<TDepartment>();
  EXPECT_EQ(fresh->Surveys().Count(), 0);  // looked at while unstored
  TDepartment* department = home->Company->Departments().Adopt(std::move(fresh));
  EXPECT_EQ(department->State, osStored);
  department->Surveys();
  EXPECT_TRUE(department->SurveysLoaded());
  TSurvey* survey = department->Surveys().Adopt(std::make_unique<TSurvey>());
  EXPECT_TRUE(db.HasRecord(okSurvey, survey->ID));
  EXPECT_EQ(db.ParentOf(okSurvey, survey->ID), department->ID);
}

// A database that fails when asked to write a question.
class FailingDB : public TMemoryDB {
 public:
  FailingDB() : TMemoryDB(5000, 1) {}
  bool Insert(TQuestion&) override { throw ESurvObjError("disk full"); }
  using TMemoryDB::Insert;
};

TEST(LazyLoadingAndAddingFailures, AFailedInsertPropagatesAndAppendsNothing) {
  FailingDB db;
  db.Open();
  TDataRoot root;
  auto* company = root.Companies().Adopt(std::make_unique<TCompany>());
  auto* department = company->Departments().Adopt(std::make_unique<TDepartment>());
  auto* survey = department->Surveys().Adopt(std::make_unique<TSurvey>());
  auto* area = survey->SkillAreas().Adopt(std::make_unique<TSkillArea>());
  const auto questions_before = survey->Questions().Size();
  auto question = std::make_unique<TQuestion>();
  try {
    area->Questions().Add(question.get());
    FAIL() << "the write failure must reach the caller";
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "disk full");
  }
  EXPECT_EQ(area->Questions().Size(), 0);
  EXPECT_EQ(survey->Questions().Size(), questions_before);
  // The caller still holds the question (freed by unique_ptr here).
}

// A database whose first load of questions fails half-way.
class FlakyLoadDB : public TMemoryDB {
 public:
  FlakyLoadDB() : TMemoryDB(5001, 1) {}
  void LoadQuestions(const TObjectID& skill_area, TQuestionList& list) override {
    TMemoryDB::LoadQuestions(skill_area, list);
    if (Fail) {
      Fail = false;
      throw ESurvObjError("read error");
    }
  }
  bool Fail = false;
};

TEST(LazyLoadingAndAddingFailures, AFailedLoadLeavesNoHalfList) {
  FlakyLoadDB db;
  db.Open();
  TObjectID area_id;
  {
    TDataRoot root;
    TSkillArea* area = root.LibrarySkillAreas().Adopt(std::make_unique<TSkillArea>());
    area_id = area->ID;
    area->Questions().Adopt(std::make_unique<TQuestion>());
    area->Questions().Adopt(std::make_unique<TQuestion>());
  }
  TDataRoot root;
  TSkillArea* area = root.LibrarySkillAreas().FindByID(area_id);
  ASSERT_NE(area, nullptr);
  db.Fail = true;
  EXPECT_THROW(area->Questions(), ESurvObjError);
  EXPECT_FALSE(area->QuestionsLoaded());
  EXPECT_EQ(area->Questions().Count(), 2);  // the retry loads everything once
  EXPECT_TRUE(area->QuestionsLoaded());
}

TEST(LazyLoadingAndAddingFailures, NoDatabaseIsAClearFailure) {
  ASSERT_EQ(GetSurveyDB(), nullptr);
  TDataRoot root;
  try {
    root.Companies();
    FAIL();
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "No survey database is open");
  }
}

TEST_F(LazyLoadingAndAdding, SavingWritesOnlyALaterDate) {
  TDataRoot root;
  TDepartment* department = MakeDepartment(root);
  TCompany* company = department->Company;
  const double stored = db.StoredDate(okCompany, company->ID);
  company->Name = "Renamed";
  company->Save();  // same Date: nothing is written
  root.Reset();
  EXPECT_EQ(root.Companies().At(0)->Name, "Acme");
  TCompany* again = root.Companies().At(0);
  again->Name = "Renamed";
  again->Date = stored + 1.0;
  again->Save();
  root.Reset();
  EXPECT_EQ(root.Companies().At(0)->Name, "Renamed");
}

TEST_F(LazyLoadingAndAdding, StoredTextsAreCutToTheRecordWidths) {
  TDataRoot root;
  TSurvey* survey = MakeSurvey(*MakeDepartment(root), 1, 1);
  const TObjectID question_id = survey->Questions().At(0)->ID;
  TQuestion* question = survey->Questions().At(0);
  question->QuestionText = std::string(400, 'q');
  question->Date += 1;
  question->Save();
  root.Reset();
  TDepartment* department = root.Companies().At(0)->Departments().At(0);
  TQuestion* reloaded = department->Surveys().At(0)->Questions().FindByID(question_id);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->QuestionText, std::string(300, 'q'));
}

}  // namespace
}  // namespace zelvora
