#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

class DeletionCascades : public ModelTest {
 protected:
  // Two department surveys; Ann took A, Bob took A and B, Cy took B, Dee
  // took none. Every experience has two score sheets.
  void SetUp() override {
    ModelTest::SetUp();
    department = MakeDepartment(root);
    survey_a = MakeSurvey(*department, 1, 2, "A");
    survey_b = MakeSurvey(*department, 1, 2, "B");
    ann = MakeSubject(*department, "Ann");
    bob = MakeSubject(*department, "Bob");
    cy = MakeSubject(*department, "Cy");
    dee = MakeSubject(*department, "Dee");
    for (auto [subject, survey] : {std::pair{ann, survey_a}, std::pair{bob, survey_a},
                                   std::pair{bob, survey_b}, std::pair{cy, survey_b}}) {
      TExperience* experience = MakeExperience(*subject, *survey);
      MakeSheet(*experience, "Rater 1", 1);
      MakeSheet(*experience, "Rater 2", 2);
    }
  }

  std::size_t Records(int kind) const { return db.RecordCount(kind); }

  TDataRoot root;
  TDepartment* department = nullptr;
  TSurvey* survey_a = nullptr;
  TSurvey* survey_b = nullptr;
  TSubject *ann = nullptr, *bob = nullptr, *cy = nullptr, *dee = nullptr;
};

TEST_F(DeletionCascades, DerivedListsMirrorTheDepartment) {
  EXPECT_EQ(department->Experiences().Count(), 4);
  EXPECT_EQ(bob->Experiences().Count(), 2);
  EXPECT_EQ(bob->Surveys().Count(), 2);
  EXPECT_EQ(survey_a->Subjects().Count(), 2);
  EXPECT_EQ(survey_a->Experiences().Count(), 2);
  EXPECT_EQ(dee->Surveys().Count(), 0);
  TExperience* first = bob->Experiences().At(0);
  EXPECT_EQ(first->Subject(), bob);
  EXPECT_EQ(first->Survey(), survey_a);
  EXPECT_EQ(db.ParentOf(okExperience, first->ID), department->ID);
  // A new experience reaches every derived list that was already built.
  TExperience* late = MakeExperience(*dee, *survey_a);
  EXPECT_TRUE(survey_a->Experiences().Contains(late));
  EXPECT_TRUE(survey_a->Subjects().Contains(dee));
  EXPECT_TRUE(dee->Surveys().Contains(survey_a));
  EXPECT_EQ(department->Experiences().Count(), 5);
}

TEST_F(DeletionCascades, DeletingADepartmentSurveyTakesItsSubjectsWithAllTheirExperiences) {
  department->Surveys().Remove(survey_a);
  // Ann and Bob took A: gone, with Bob's experience of B too.
  EXPECT_EQ(department->Subjects().Count(), 2);
  EXPECT_EQ(department->Subjects().FindByID(cy->ID), cy);
  EXPECT_EQ(department->Experiences().Count(), 1);
  EXPECT_EQ(Records(okSubject), 2u);
  EXPECT_EQ(Records(okExperience), 1u);
  EXPECT_EQ(Records(okScoreSheet), 2u);
  EXPECT_EQ(Records(okSurvey), 1u);
  EXPECT_EQ(Records(okSkillArea), 1u);
  EXPECT_EQ(Records(okQuestion), 2u);
  // Survey B's derived lists no longer hold the freed experience or Bob.
  EXPECT_EQ(survey_b->Experiences().Count(), 1);
  EXPECT_EQ(survey_b->Subjects().Count(), 1);
  EXPECT_EQ(survey_b->Subjects().At(0), cy);
}

TEST_F(DeletionCascades, DeletingADepartmentLeavesNoRecordsBehind) {
  // Dee took no survey of the department and has an orphan experience
  // whose survey is gone; both must go with the department.
  auto orphan = std::make_unique<TExperience>();
  orphan->SubjectID = dee->ID;
  orphan->SurveyID = {999, 999};
  TExperience* stray = department->Experiences().Adopt(std::move(orphan));
  MakeSheet(*stray, "Rater 3", 3);
  TCompany* company = department->Company;
  company->Departments().Remove(department);
  for (int kind :
       {okDepartment, okSurvey, okSubject, okSkillArea, okQuestion, okExperience, okScoreSheet}) {
    EXPECT_EQ(Records(kind), 0u) << KindClassName(kind);
  }
  EXPECT_EQ(Records(okCompany), 1u);
}

TEST_F(DeletionCascades, DeletingADepartmentFromAFreshRootLoadsWhatItDeletes) {
  root.Reset();
  TCompany* company = root.Companies().At(0);
  company->Departments().Delete(0);
  for (int kind :
       {okDepartment, okSurvey, okSubject, okSkillArea, okQuestion, okExperience, okScoreSheet}) {
    EXPECT_EQ(Records(kind), 0u) << KindClassName(kind);
  }
}

TEST_F(DeletionCascades, DeletingASubjectDeletesAllItsExperiencesAndSheets) {
  department->Subjects().Remove(bob);
  EXPECT_EQ(department->Experiences().Count(), 2);
  EXPECT_EQ(Records(okExperience), 2u);
  EXPECT_EQ(Records(okScoreSheet), 4u);
  EXPECT_EQ(survey_b->Subjects().Count(), 1);
  EXPECT_EQ(survey_a->Experiences().Count(), 1);
  // Deleting through a derived list deletes in the department.
  survey_a->Subjects().Remove(ann);
  EXPECT_EQ(department->Subjects().Count(), 2);
  EXPECT_EQ(Records(okSubject), 2u);
}

TEST_F(DeletionCascades, RemovingAnExperienceThroughASubjectDeletesItEverywhere) {
  TExperience* gone = bob->Experiences().At(1);
  const TObjectID id = gone->ID;
  bob->Experiences().Remove(gone);
  EXPECT_FALSE(db.HasRecord(okExperience, id));
  EXPECT_EQ(department->Experiences().FindByID(id), nullptr);
  EXPECT_EQ(survey_b->Experiences().FindByID(id), nullptr);
  EXPECT_EQ(bob->Experiences().Count(), 1);
}

TEST_F(DeletionCascades, ASubjectRemovingItsSurveyIsDeletedSafelyByTheCascade) {
  // Removing survey B through Bob's own list deletes B, and with it every
  // subject who took B: Bob and Cy. Bob's list is still notifying while
  // that happens.
  bob->Surveys().Remove(survey_b);
  EXPECT_EQ(department->Surveys().Count(), 1);
  EXPECT_EQ(department->Subjects().Count(), 2);  // Ann and Dee
  EXPECT_EQ(department->Subjects().FindByID(ann->ID), ann);
  EXPECT_EQ(Records(okSubject), 2u);
  EXPECT_EQ(Records(okExperience), 1u);  // Ann's of A
  EXPECT_EQ(survey_a->Subjects().Count(), 1);
}

TEST_F(DeletionCascades, RemovingTheLastLinkingExperienceUnlinksSubjectAndSurvey) {
  ASSERT_TRUE(bob->Surveys().Contains(survey_b));
  ASSERT_TRUE(survey_b->Subjects().Contains(bob));
  TExperience* link = survey_b->Experiences().At(0);
  ASSERT_EQ(link->Subject(), bob);
  survey_b->Experiences().Remove(link);
  EXPECT_FALSE(bob->Surveys().Contains(survey_b));
  EXPECT_FALSE(survey_b->Subjects().Contains(bob));
  EXPECT_TRUE(bob->Surveys().Contains(survey_a));
}

TEST_F(DeletionCascades, DeletingACompanyDeletesEverything) {
  TCompany* company = department->Company;
  auto rater = std::make_unique<TRater>();
  rater->Name = "Rater 1";
  company->Raters().Adopt(std::move(rater));
  EXPECT_EQ(Records(okRater), 1u);
  root.Companies().Remove(company);
  for (int kind = okCompany; kind <= okRater; ++kind) {
    EXPECT_EQ(Records(kind), 0u) << KindClassName(kind);
  }
}

TEST_F(DeletionCascades, ASecondDeleteDoesNothing) {
  TQuestion* question = survey_a->Questions().At(0);
  EXPECT_TRUE(question->Delete());
  EXPECT_EQ(question->State, osDeleted);
  EXPECT_FALSE(question->Delete());
  TSuggestion leaf;
  EXPECT_TRUE(leaf.Delete());
  EXPECT_FALSE(leaf.Delete());
}

TEST_F(DeletionCascades, RemovingASheetKeepsRaterNamesInStep) {
  TExperience* experience = ann->Experiences().At(0);
  EXPECT_EQ(experience->RaterNames, (std::vector<std::string>{"Rater 1", "Rater 2"}));
  EXPECT_TRUE(experience->HasRaterName("RATER 2"));
  TScoreSheet* sheet = experience->ScoreSheets().At(0);
  sheet->RaterName = "Renamed";  // no longer in RaterNames: still deleted
  experience->ScoreSheets().Remove(sheet);
  EXPECT_EQ(experience->ScoreSheets().Count(), 1);
  EXPECT_EQ(experience->RaterNames.size(), 2u);
  TScoreSheet* other = experience->ScoreSheets().At(0);
  experience->ScoreSheets().Remove(other);
  EXPECT_EQ(experience->RaterNames, std::vector<std::string>{"Rater 1"});
  EXPECT_EQ(Records(okScoreSheet), 6u);
}

// A database that fails the first time it is asked to delete a question.
class FailingDeleteDB : public TMemoryDB {
 public:
  FailingDeleteDB() : TMemoryDB(7000, 1) {}
  void Delete(TQuestion& question) override {
    if (Fail) {
      Fail = false;
      throw ESurvObjError("write error");
    }
    TMemoryDB::Delete(question);
  }
  using TMemoryDB::Delete;
  bool Fail = false;
};

TEST(DeletionCascadeFailures, ARetryAfterAFailedDeleteCompletesIt) {
  FailingDeleteDB db;
  db.Open();
  TDataRoot root;
  TSurvey* survey = root.LibrarySurveys().Adopt(std::make_unique<TSurvey>());
  TSkillArea* area = survey->SkillAreas().Adopt(std::make_unique<TSkillArea>());
  for (int q = 0; q < 3; ++q) area->Questions().Adopt(std::make_unique<TQuestion>());
  db.Fail = true;
  EXPECT_THROW(root.LibrarySurveys().Delete(0), ESurvObjError);
  EXPECT_EQ(survey->State, osDeleted);
  EXPECT_EQ(root.LibrarySurveys().Size(), 1);  // still held, nothing lost
  root.LibrarySurveys().Delete(0);             // the retry runs the rest of the cascade
  EXPECT_EQ(root.LibrarySurveys().Size(), 0);
  for (int kind : {okSurvey, okSkillArea, okQuestion}) EXPECT_EQ(db.RecordCount(kind), 0u);
}

}  // namespace
}  // namespace zelvora
