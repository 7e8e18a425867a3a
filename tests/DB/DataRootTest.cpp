#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

using DataRoot = ModelTest;

TEST_F(DataRoot, TheBuiltInSurveyIsAddedOnceWithItsOwnID) {
  {
    TDataRoot root;
    EXPECT_TRUE(root.AddBuiltInSurveys());
    TSurvey* builtin = root.LibrarySurveys().At(0);
    EXPECT_EQ(builtin->ID, kUserSkillAreasID);
    EXPECT_EQ(builtin->State, osStored);
    EXPECT_EQ(builtin->Department, db.LibraryDepartment());
  }
  EXPECT_TRUE(db.HasRecord(okSurvey, {2, 1}));
  EXPECT_EQ(db.ParentOf(okSurvey, {2, 1}), (TObjectID{0, 0}));
  TDataRoot second_start;
  EXPECT_FALSE(second_start.AddBuiltInSurveys());
  ASSERT_EQ(second_start.LibrarySurveys().Count(), 1);
  TSurvey* reloaded = second_start.LibrarySurveys().At(0);
  EXPECT_EQ(reloaded->Name, "User Skill Areas");
  EXPECT_EQ(reloaded->Author, "User");
  EXPECT_EQ(reloaded->AnsPerQ, 2);
  EXPECT_TRUE(reloaded->FreqLabels.empty());
}

TEST_F(DataRoot, LibrarySkillAreasBelongToTheLibrarySurvey) {
  TDataRoot root;
  auto area = std::make_unique<TSkillArea>();
  area->Name = "Listening";
  TSkillArea* added = root.LibrarySkillAreas().Adopt(std::move(area));
  EXPECT_EQ(added->Survey, db.LibrarySurvey());
  EXPECT_EQ(db.ParentOf(okSkillArea, added->ID), (TObjectID{0, 0}));
  added->Questions().Adopt(std::make_unique<TQuestion>());
  EXPECT_EQ(db.RecordCount(okQuestion), 1u);
  root.Reset();
  EXPECT_FALSE(root.LibrarySkillAreasLoaded());
  ASSERT_EQ(root.LibrarySkillAreas().Count(), 1);
  EXPECT_EQ(root.LibrarySkillAreas().At(0)->Questions().Count(), 1);
  EXPECT_EQ(root.ObjectCount(), 0);
  EXPECT_FALSE(root.Delete());
}

TEST_F(DataRoot, ResetReflectsTheDatabaseAtThatMoment) {
  TDataRoot root;
  EXPECT_EQ(root.Companies().Count(), 0);
  {
    TDataRoot other;  // another root over the same database, as importers use
    auto company = std::make_unique<TCompany>();
    company->Name = "Beta";
    other.Companies().Adopt(std::move(company));
  }
  EXPECT_EQ(root.Companies().Count(), 0);
  root.Reset();
  ASSERT_EQ(root.Companies().Count(), 1);
  EXPECT_EQ(root.Companies().At(0)->Name, "Beta");
}

TEST_F(DataRoot, CompaniesLoadInKeyOrder) {
  TDataRoot root;
  for (TObjectID id : {TObjectID{300, 1}, TObjectID{20, 9}, TObjectID{20, 10}}) {
    auto company = std::make_unique<TCompany>();
    company->ID = id;
    company->State = osBuiltOutside;
    root.Companies().Adopt(std::move(company));
  }
  root.Reset();
  ASSERT_EQ(root.Companies().Count(), 3);
  EXPECT_EQ(root.Companies().At(0)->ID, (TObjectID{20, 9}));
  EXPECT_EQ(root.Companies().At(1)->ID, (TObjectID{20, 10}));
  EXPECT_EQ(root.Companies().At(2)->ID, (TObjectID{300, 1}));
}

TEST_F(DataRoot, ARootBuiltOutsideTheDatabaseStartsEmpty) {
  auto company = std::make_unique<TCompany>();
  TDataRoot stored_root;
  stored_root.Companies().Adopt(std::move(company));
  TDataRoot detached;
  detached.State = osBuiltOutside;
  EXPECT_EQ(detached.Companies().Count(), 0);
}

TEST(DataRootLifecycle, LibraryOwnersLiveFromOpenToClose) {
  TMemoryDB db(4244, 1);
  EXPECT_EQ(db.LibraryDepartment(), nullptr);
  db.Open();
  EXPECT_EQ(GetSurveyDB(), &db);
  ASSERT_NE(db.LibraryDepartment(), nullptr);
  EXPECT_EQ(db.LibraryDepartment()->ID, (TObjectID{0, 0}));
  EXPECT_EQ(db.LibrarySurvey()->ID, (TObjectID{0, 0}));
  db.Close();
  EXPECT_EQ(GetSurveyDB(), nullptr);
  EXPECT_EQ(db.LibrarySurvey(), nullptr);
}

}  // namespace
}  // namespace zelvora
