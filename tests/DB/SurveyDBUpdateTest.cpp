// Changing stored records: updates only when newer, records moving with
// their owner (or keeping their stored parent), cascades removing records
// from disk, refused duplicates, and an update whose new keys fail keeping
// the record findable.
#include <gtest/gtest.h>

#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

using SurveyDBUpdate = SurveyDBTest;

TEST_F(SurveyDBUpdate, WritesOnlyWhenTheObjectIsNewer) {
  TDepartment* department = MakeDepartment();
  TSubject* subject = MakeSubject(*department, "First");
  const double stored = subject->Date;

  subject->Name = "Same date";
  subject->Save();  // Date equal to the stored one: nothing written
  EXPECT_EQ(ShortTextAt(RawRecord(fbSubject, 1), 12), "First");

  subject->Name = "Older";
  subject->Date = stored - 1;
  subject->Save();
  EXPECT_EQ(ShortTextAt(RawRecord(fbSubject, 1), 12), "First");

  subject->Name = "Newer";
  subject->Date = stored + 0.5;
  subject->State = osNew;
  subject->Save();
  EXPECT_EQ(ShortTextAt(RawRecord(fbSubject, 1), 12), "Newer");
  EXPECT_EQ(subject->State, osStored);
  EXPECT_EQ(GetDoubleAt(RawRecord(fbSubject, 1), 56), stored + 0.5);
}

TEST_F(SurveyDBUpdate, EditsInQuickSuccessionAreAllWritten) {
  TDepartment* department = MakeDepartment();
  TSubject* subject = MakeSubject(*department, "First");
  for (const char* name : {"Second", "Third", "Fourth"}) {
    SCOPED_TRACE(name);
    subject->Name = name;
    subject->Touch();
    subject->Save();
    EXPECT_EQ(ShortTextAt(RawRecord(fbSubject, 1), 12), name);
  }
}

TEST_F(SurveyDBUpdate, SavingAnObjectWithoutARecordInsertsIt) {
  TDepartment* department = MakeDepartment();
  TSubject subject;
  subject.ID = TObjectID{77, 1};
  subject.Name = "Loose";
  subject.Department = department;
  db->Update(subject);
  EXPECT_EQ(subject.State, osStored);
  Reopen();
  auto& subjects = root->Companies().At(0)->Departments().At(0)->Subjects();
  ASSERT_EQ(subjects.Size(), 1);
  EXPECT_EQ(subjects.At(0)->Name, "Loose");
}

TEST_F(SurveyDBUpdate, MovedObjectsFollowTheirOwnerButDepartmentsSurveysAndAreasStay) {
  TDepartment* sales = MakeDepartment("Acme", "Sales");
  TCompany* acme = sales->Company;
  auto fresh = std::make_unique<TDepartment>();
  fresh->Name = "Support";
  TDepartment* support = acme->Departments().Adopt(std::move(fresh));
  TSurvey* survey = MakeSurvey(*sales, 2, 1);
  TSubject* subject = MakeSubject(*sales, "Mover");
  TExperience* experience = MakeExperience(*subject, *survey);
  TScoreSheet* sheet = MakeSheet(*experience, "Rater", 1);
  TExperience* other = MakeExperience(*subject, *survey, 41000);
  const TObjectID subject_id = subject->ID;
  const TObjectID sheet_id = sheet->ID;
  const TObjectID survey_id = survey->ID;
  const TObjectID area_id = survey->SkillAreas().At(1)->ID;
  const TObjectID question_id = survey->SkillAreas().At(1)->Questions().At(0)->ID;

  // A subject saved under another department moves there.
  subject->Department = support;
  subject->Date += 1;
  subject->Save();
  // A score sheet saved under another experience moves there.
  sheet->Experience = other;
  sheet->Date += 1;
  sheet->Save();
  // A question saved under another skill area moves there.
  TQuestion* question = survey->SkillAreas().At(1)->Questions().At(0);
  question->SkillArea = survey->SkillAreas().At(0);
  question->Date += 1;
  question->Save();
  // A survey and a skill area keep the parent stored in their record.
  survey->Department = support;
  survey->Name = "Renamed";
  survey->Date += 1;
  survey->Save();
  TSkillArea* area = survey->SkillAreas().At(1);
  area->Survey = nullptr;
  area->Name = "Area renamed";
  area->Date += 1;
  area->Save();
  // Put the survey back in memory so the tree can be freed normally.
  survey->Department = sales;
  area->Survey = survey;
  question->SkillArea = area;
  sheet->Experience = experience;
  subject->Department = sales;
  const TObjectID other_id = other->ID;
  Reopen();

  TCompany* company = root->Companies().At(0);
  TDepartment* d_sales = company->Departments().At(0);
  TDepartment* d_support = company->Departments().At(1);
  ASSERT_EQ(d_sales->Name, "Sales");
  EXPECT_EQ(d_sales->Subjects().Size(), 0);
  ASSERT_EQ(d_support->Subjects().Size(), 1);
  EXPECT_EQ(d_support->Subjects().At(0)->ID, subject_id);
  ASSERT_EQ(d_sales->Surveys().Size(), 1);
  EXPECT_EQ(d_sales->Surveys().At(0)->ID, survey_id);
  EXPECT_EQ(d_sales->Surveys().At(0)->Name, "Renamed");
  EXPECT_EQ(d_support->Surveys().Size(), 0);
  TSurvey* s = d_sales->Surveys().At(0);
  ASSERT_EQ(s->SkillAreas().Size(), 2);
  TSkillArea* a1 = s->SkillAreas().FindByID(area_id);
  ASSERT_NE(a1, nullptr);
  EXPECT_EQ(a1->Name, "Area renamed");
  EXPECT_EQ(a1->Questions().Size(), 0);
  EXPECT_NE(s->SkillAreas().At(0)->Questions().FindByID(question_id), nullptr);
  TExperience* e_other = d_sales->Experiences().FindByID(other_id);
  ASSERT_NE(e_other, nullptr);
  ASSERT_EQ(e_other->ScoreSheets().Size(), 1);
  EXPECT_EQ(e_other->ScoreSheets().At(0)->ID, sheet_id);
}

TEST_F(SurveyDBUpdate, AnObjectWithoutOwnerIsSavedWhereItIsFiled) {
  TDepartment* department = MakeDepartment();
  TSubject* subject = MakeSubject(*department, "Kept");
  TSubject detached;
  detached.ID = subject->ID;
  detached.Name = "Renamed";
  detached.Date = subject->Date + 1;
  db->Update(detached);
  Reopen();
  auto& subjects = root->Companies().At(0)->Departments().At(0)->Subjects();
  ASSERT_EQ(subjects.Size(), 1);
  EXPECT_EQ(subjects.At(0)->Name, "Renamed");
}

TEST_F(SurveyDBUpdate, DeletingASubtreeRemovesEveryRecordFromDisk) {
  TDepartment* department = MakeDepartment();
  TSurvey* survey = MakeSurvey(*department, 2, 3);
  TSubject* subject = MakeSubject(*department, "Gone");
  TExperience* experience = MakeExperience(*subject, *survey);
  MakeSheet(*experience, "R1", 1);
  MakeSheet(*experience, "R2", 3);
  department->Company->EnsureRater("R1");
  EXPECT_EQ(db->LiveRecordCount(fbQuestion), 6);
  EXPECT_EQ(db->LiveRecordCount(fbScoreSheet), 2);

  root->Companies().Delete(0);
  for (int i = 0; i < kFileblockCount; ++i) {
    EXPECT_EQ(db->LiveRecordCount(i), 0) << FileblockInfo(i).BaseName;
  }
  Reopen();
  EXPECT_EQ(root->Companies().Size(), 0);
  // The slots are free: their live marks are no longer zero.
  EXPECT_NE(GetInt32At(RawRecord(fbScoreSheet, 1), 0), 0);
  EXPECT_NE(GetInt32At(RawRecord(fbCompany, 1), 0), 0);
  // Rebuilding from the data files finds nothing either.
  ASSERT_TRUE(db->ReindexAll());
  for (int i = 0; i < kFileblockCount; ++i) EXPECT_EQ(db->LiveRecordCount(i), 0);
}

TEST_F(SurveyDBUpdate, DeletingOneSheetLeavesItsSiblings) {
  TDepartment* department = MakeDepartment();
  TSurvey* survey = MakeSurvey(*department, 1, 1);
  TSubject* subject = MakeSubject(*department, "Keep");
  TExperience* experience = MakeExperience(*subject, *survey);
  MakeSheet(*experience, "A", 1);
  MakeSheet(*experience, "B", 1);
  MakeSheet(*experience, "C", 1);
  experience->ScoreSheets().Delete(1);
  // Deleting what is not stored does nothing.
  TScoreSheet loose;
  loose.ID = TObjectID{99, 99};
  db->Delete(loose);
  Reopen();
  auto& sheets = root->Companies().At(0)->Departments().At(0)->Experiences().At(0)->ScoreSheets();
  ASSERT_EQ(sheets.Size(), 2);
  EXPECT_EQ(sheets.At(0)->RaterName, "A");
  EXPECT_EQ(sheets.At(1)->RaterName, "C");
}

TEST_F(SurveyDBUpdate, ADuplicateIDIsRefusedAndNotKept) {
  TDepartment* department = MakeDepartment();
  TSubject* subject = MakeSubject(*department, "Original");
  TSubject twin;
  twin.ID = subject->ID;
  twin.Name = "Twin";
  twin.Department = department;
  EXPECT_FALSE(db->Insert(twin));
  EXPECT_EQ(db->LiveRecordCount(fbSubject), 1);
  ASSERT_TRUE(db->ReindexAll());
  EXPECT_EQ(db->LiveRecordCount(fbSubject), 1);
  Reopen();
  auto& subjects = root->Companies().At(0)->Departments().At(0)->Subjects();
  ASSERT_EQ(subjects.Size(), 1);
  EXPECT_EQ(subjects.At(0)->Name, "Original");
}

// Frees the objects of a list that has no owner.
void FreeItems(TSurvList& list) {
  while (list.Size() > 0) {
    TSurvObject* item = list.Raw().front();
    list.Forget(item);
    delete item;
  }
}

// A database whose key additions fail on demand.
class FailingKeysDB : public TSurveyDB {
 public:
  using TSurveyDB::TSurveyDB;
  bool FailNext = false;

 protected:
  void AddRecordKeys(TTable& table, int fileblock, std::int32_t record, const std::string& key1,
                     const std::string& key2) override {
    if (FailNext) {
      FailNext = false;
      RaiseTableError(kErrFileWrite);
    }
    TSurveyDB::AddRecordKeys(table, fileblock, record, key1, key2);
  }
};

TEST_F(SurveyDBUpdate, AnUpdateWhoseNewKeysFailKeepsTheRecordFindableUnderItsOldKeys) {
  TDepartment* sales = MakeDepartment("Acme", "Sales");
  auto fresh = std::make_unique<TDepartment>();
  fresh->Name = "Support";
  TDepartment* support = sales->Company->Departments().Adopt(std::move(fresh));
  TSubject* subject = MakeSubject(*sales, "Stays");
  const TObjectID sales_id = sales->ID;
  const TObjectID support_id = support->ID;
  const TObjectID subject_id = subject->ID;
  CloseAll();

  FailingKeysDB failing;
  failing.Open(dir());
  TSubject moved;
  moved.ID = subject_id;
  moved.Name = "Moved";
  moved.Date = 1e6;  // far newer (as a day count from 0001 it is still later)
  TDepartment target;
  target.ID = support_id;
  moved.Department = &target;
  failing.FailNext = true;
  EXPECT_THROW(failing.Update(moved), ETableException);

  // Still found by its ID and under its old parent, with its old contents.
  TSubjectList in_sales;
  failing.LoadSubjects(sales_id, in_sales);
  ASSERT_EQ(in_sales.Size(), 1);
  EXPECT_EQ(in_sales.At(0)->Name, "Stays");
  TSubjectList in_support;
  failing.LoadSubjects(support_id, in_support);
  EXPECT_EQ(in_support.Size(), 0);
  std::int32_t number = 0;
  EXPECT_TRUE(failing.Table(fbSubject).FindKey(1, subject_id.Key(), number));
  FreeItems(in_sales);

  // A failing insert keeps nothing.
  TSubject extra;
  extra.ID = TObjectID{500, 1};
  extra.Department = &target;
  failing.FailNext = true;
  EXPECT_THROW(failing.Insert(extra), ETableException);
  EXPECT_EQ(failing.LiveRecordCount(fbSubject), 1);
  failing.Close();
}

}  // namespace
}  // namespace zelvora::testing
