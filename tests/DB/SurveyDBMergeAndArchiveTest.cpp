// Restore's record merge (new records, later dates, overwrite, built-in
// origins and dead records never merged) and backup's archive of the data
// files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "SurveyDBFixture.h"
#include "store/Compress.h"

namespace zelvora::testing {
namespace {

using SurveyDBMerge = SurveyDBTest;

// A raw subject record.
std::vector<unsigned char> SubjectRecord(TObjectID id, TObjectID department,
                                         const std::string& name, double date) {
  TSubject subject;
  subject.ID = id;
  subject.Name = name;
  subject.Date = date;
  std::vector<unsigned char> record(80);
  EncodeRecord(subject, department, record);
  return record;
}

class SurveyDBMergeTree : public SurveyDBTest {
 protected:
  void SetUp() override {
    SurveyDBTest::SetUp();
    TDepartment* department = MakeDepartment();
    department_id = department->ID;
    TSubject* subject = MakeSubject(*department, "Stored");
    subject_id = subject->ID;
    // Give the stored record a known date.
    CloseAll();
    std::string bytes = ReadBytes(DataPath(fbSubject));
    const double date = 45000.0;
    std::memcpy(bytes.data() + 80 + 56, &date, 8);
    WriteBytes(DataPath(fbSubject), bytes);
    Reopen();
  }
  std::string StoredName() {
    TSubjectList list;
    db->LoadSubjects(department_id, list);
    std::string name =
        list.Size() == 1 ? list.At(0)->Name : "<" + std::to_string(list.Size()) + ">";
    while (list.Size() > 0) {
      TSurvObject* item = list.Raw().front();
      list.Forget(item);
      delete item;
    }
    return name;
  }
  TObjectID department_id;
  TObjectID subject_id;
};

TEST_F(SurveyDBMergeTree, ALaterRecordReplacesAnEarlierOrEqualOneDoesNot) {
  EXPECT_FALSE(db->MergeRecord(fbSubject, false,
                               SubjectRecord(subject_id, department_id, "Older", 44999.0)));
  EXPECT_FALSE(
      db->MergeRecord(fbSubject, false, SubjectRecord(subject_id, department_id, "Same", 45000.0)));
  EXPECT_EQ(StoredName(), "Stored");
  EXPECT_TRUE(db->MergeRecord(fbSubject, false,
                              SubjectRecord(subject_id, department_id, "Later", 45001.0)));
  EXPECT_EQ(StoredName(), "Later");
  // Compared converted: 738596 is day 45002 counted from 0001-01-01.
  EXPECT_TRUE(db->MergeRecord(fbSubject, false,
                              SubjectRecord(subject_id, department_id, "Old style", 738596.0)));
  EXPECT_EQ(StoredName(), "Old style");
  EXPECT_FALSE(db->MergeRecord(fbSubject, false,
                               SubjectRecord(subject_id, department_id, "Older", 45001.5)));
  EXPECT_EQ(db->LiveRecordCount(fbSubject), 1);
}

TEST_F(SurveyDBMergeTree, OverwriteTakesAnOlderRecord) {
  EXPECT_TRUE(
      db->MergeRecord(fbSubject, true, SubjectRecord(subject_id, department_id, "Backup", 1.0)));
  EXPECT_EQ(StoredName(), "Backup");
}

TEST_F(SurveyDBMergeTree, NewRecordsAreAddedWithTheirKeys) {
  const TObjectID fresh{subject_id.Origin, subject_id.Serial + 1000};
  // Shorter records are zero-padded: the reserved tail may be missing.
  auto record = SubjectRecord(fresh, department_id, "Restored", 45000.0);
  record.resize(64);
  EXPECT_TRUE(db->MergeRecord(fbSubject, false, record));
  EXPECT_EQ(db->LiveRecordCount(fbSubject), 2);
  Reopen();
  auto& subjects = root->Companies().At(0)->Departments().At(0)->Subjects();
  ASSERT_EQ(subjects.Size(), 2);
  EXPECT_EQ(subjects.At(1)->ID, fresh);
  EXPECT_EQ(subjects.At(1)->Name, "Restored");
}

TEST_F(SurveyDBMergeTree, BuiltInOriginsAndDeadRecordsAreNeverMerged) {
  for (int origin : {0, 1, 7, 10}) {
    EXPECT_FALSE(db->MergeRecord(fbSubject, true,
                                 SubjectRecord({origin, 5}, department_id, "Built-in", 99999.0)));
  }
  auto dead = SubjectRecord(subject_id, department_id, "Dead", 99999.0);
  dead[0] = 1;
  EXPECT_FALSE(db->MergeRecord(fbSubject, true, dead));
  auto dead_new = SubjectRecord({50, 50}, department_id, "Dead new", 99999.0);
  dead_new[3] = 0x80;
  EXPECT_FALSE(db->MergeRecord(fbSubject, true, dead_new));
  EXPECT_EQ(db->LiveRecordCount(fbSubject), 1);
  EXPECT_EQ(StoredName(), "Stored");
}

TEST_F(SurveyDBMergeTree, AMergedRecordMovesToItsNewParent) {
  const TObjectID elsewhere{department_id.Origin, department_id.Serial + 77};
  EXPECT_TRUE(
      db->MergeRecord(fbSubject, false, SubjectRecord(subject_id, elsewhere, "Moved", 46000.0)));
  EXPECT_EQ(StoredName(), "<0>");
  TSubjectList list;
  db->LoadSubjects(elsewhere, list);
  ASSERT_EQ(list.Size(), 1);
  TSurvObject* item = list.Raw().front();
  EXPECT_EQ(item->ID, subject_id);
  list.Forget(item);
  delete item;
}

TEST_F(SurveyDBMerge, BadMergeInputFailsClearly) {
  EXPECT_THROW(db->MergeRecord(fbSubject, false, std::vector<unsigned char>(81)), ESurvObjError);
  EXPECT_THROW(db->MergeRecord(10, false, std::vector<unsigned char>(80)), ESurvObjError);
  EXPECT_FALSE(db->MergeRecord(fbSubject, false, std::vector<unsigned char>(4)));
}

TEST_F(SurveyDBMerge, ArchiveHoldsTheTenDataFilesAndTheDatabaseStaysOpen) {
  TDepartment* department = MakeDepartment();
  MakeSurvey(*department, 2, 2);
  std::vector<int> progress;
  EXPECT_TRUE(db->ArchiveData([&](int& percent) { progress.push_back(percent); }));
  const std::string archive = dir() + TSurveyDB::kArchiveName;
  ASSERT_TRUE(std::filesystem::exists(archive));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  const auto entries = TCompress().ListEntries(archive);
  ASSERT_EQ(entries.size(), 10u);
  for (int i = 0; i < kFileblockCount; ++i) {
    EXPECT_EQ(entries[static_cast<std::size_t>(i)].name,
              std::string(FileblockInfo(i).BaseName) + ".DAT");
  }
  std::ostringstream questions;
  TCompress().ExtractToMemory(archive, "qt360b.DAT", questions);
  EXPECT_EQ(questions.str(), ReadBytes(DataPath(fbQuestion)));
  // Still open and writable.
  MakeSubject(*department, "After backup");
  Reopen();
  EXPECT_EQ(root->Companies().At(0)->Departments().At(0)->Subjects().Size(), 1);
  EXPECT_EQ(root->Companies().At(0)->Departments().At(0)->Surveys().At(0)->Questions().Size(), 4);
}

TEST_F(SurveyDBMerge, ACancelledArchiveLeavesNoFileAndAnOpenDatabase) {
  EXPECT_FALSE(db->ArchiveData([](int& percent) { percent = -1; }));
  EXPECT_FALSE(std::filesystem::exists(dir() + TSurveyDB::kArchiveName));
  MakeDepartment();
  EXPECT_EQ(db->LiveRecordCount(fbDepartment), 1);
}

}  // namespace
}  // namespace zelvora::testing
