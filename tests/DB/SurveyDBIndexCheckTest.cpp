// Indexes that do not belong to their data file are noticed at open and
// rebuilt; a data file cut in the middle of a record is reported and the
// bytes that are not a whole record are kept beside it; a reader changes
// nothing in the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

class SurveyDBIndexCheck : public SurveyDBTest {
 protected:
  // Every file of the folder with its bytes, the lock file aside.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      const std::string name = entry.path().filename().string();
      if (name != TSurveyDB::kLockFileName) files[name] = ReadBytes(entry.path().string());
    }
    return files;
  }
  int Departments() {
    return root->Companies().Size() == 0 ? 0 : root->Companies().At(0)->Departments().Size();
  }
  int Subjects() {
    int count = 0;
    auto& departments = root->Companies().At(0)->Departments();
    for (int i = 0; i < departments.Size(); ++i) count += departments.At(i)->Subjects().Size();
    return count;
  }
  bool Said(const std::string& text) const {
    for (const std::string& message : messages) {
      if (message.find(text) != std::string::npos) return true;
    }
    return false;
  }
  // A database whose errors are kept apart from its other messages.
  void ReopenKeepingErrors(TDBAccess access) {
    CloseAll();
    messages.clear();
    errors.clear();
    db = std::make_unique<TSurveyDB>([this](const std::string& m) { messages.push_back(m); },
                                     [this](const std::string& m) { errors.push_back(m); });
    db->Open(dir(), access);
    root = std::make_unique<TDataRoot>();
  }
  std::vector<std::string> errors;
};

TEST_F(SurveyDBIndexCheck, AnOlderIndexPutBackIsRebuiltAndHidesNothing) {
  MakeDepartment();
  CloseAll();
  const std::string old_index = ReadBytes(IndexPath(fbDepartment));
  Reopen();
  auto department = std::make_unique<TDepartment>();
  department->Name = "Added later";
  root->Companies().At(0)->Departments().Adopt(std::move(department));
  CloseAll();
  WriteBytes(IndexPath(fbDepartment), old_index);

  ReopenKeepingErrors(TDBAccess::ReadWrite);
  EXPECT_EQ(Departments(), 2);
  EXPECT_TRUE(Said("Error #10011: Index does not match its data file"))
      << ::testing::PrintToString(messages);
  EXPECT_TRUE(Said("dt360b reindexed"));
  EXPECT_TRUE(errors.empty()) << errors.front();
  // Rebuilt in place: the next open is quiet.
  Reopen();
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(Departments(), 2);
}

TEST_F(SurveyDBIndexCheck, SwappedIndexesOfEqualLayoutAreBothRebuilt) {
  // Departments and subjects have records of the same length and two keys.
  TDepartment* first = MakeDepartment();
  auto second = std::make_unique<TDepartment>();
  second->Name = "Second";
  TDepartment* other = root->Companies().At(0)->Departments().Adopt(std::move(second));
  for (int i = 0; i < 3; ++i) MakeSubject(i == 0 ? *first : *other, "Subject " + std::to_string(i));
  CloseAll();
  const std::string departments = ReadBytes(IndexPath(fbDepartment));
  WriteBytes(IndexPath(fbDepartment), ReadBytes(IndexPath(fbSubject)));
  WriteBytes(IndexPath(fbSubject), departments);

  for (TDBAccess access : {TDBAccess::ReadOnly, TDBAccess::ReadWrite}) {
    SCOPED_TRACE(access == TDBAccess::ReadOnly ? "reader" : "writer");
    ReopenKeepingErrors(access);
    EXPECT_EQ(Departments(), 2);
    EXPECT_EQ(Subjects(), 3);
    EXPECT_TRUE(Said("dt360b reindexed"));
    EXPECT_TRUE(Said("sj360b reindexed"));
  }
  // The writer rebuilt them in place.
  Reopen();
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(SurveyDBIndexCheck, AnIndexOfAnotherKeyLayoutIsRebuilt) {
  MakeDepartment();
  CloseAll();
  // Raters have records as long as departments but their index is put in
  // place of the company index, which has one key only: lengths differ.
  WriteBytes(IndexPath(fbCompany), ReadBytes(IndexPath(fbRater)));
  ReopenKeepingErrors(TDBAccess::ReadWrite);
  EXPECT_EQ(root->Companies().Size(), 1);
  EXPECT_TRUE(Said("ct360b reindexed"));
}

TEST_F(SurveyDBIndexCheck, ADataFileCutMidRecordKeepsItsTailBeside) {
  TDepartment* department = MakeDepartment();
  for (int i = 0; i < 4; ++i) MakeSubject(*department, "Subject " + std::to_string(i));
  CloseAll();
  const std::string path = DataPath(fbSubject);
  const std::string whole = ReadBytes(path);
  const std::size_t length = static_cast<std::size_t>(FileblockInfo(fbSubject).RecordLength);
  ASSERT_EQ(whole.size(), 5 * length);
  const std::string cut = whole.substr(0, whole.size() - 30);
  WriteBytes(path, cut);

  // A reader reports it and leaves every byte where it is.
  const auto before = Snapshot();
  ReopenKeepingErrors(TDBAccess::ReadOnly);
  EXPECT_EQ(Subjects(), 3);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("sj360b.DAT is damaged: its last 50 bytes are not a whole record; they "
                           "were left in place"),
            std::string::npos)
      << errors[0];
  CloseAll();
  EXPECT_EQ(Snapshot(), before);

  // A writer moves them into a side file and cuts the data file to whole
  // records.
  ReopenKeepingErrors(TDBAccess::ReadWrite);
  EXPECT_EQ(Subjects(), 3);
  ASSERT_EQ(errors.size(), 1u);
  const std::string moved = "they were moved to " + path + ".damaged-";
  EXPECT_NE(errors[0].find(moved), std::string::npos) << errors[0];
  CloseAll();
  EXPECT_EQ(ReadBytes(path).size(), 4 * length);
  int side_files = 0;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("sj360b.DAT.damaged-", 0) != 0) continue;
    ++side_files;
    EXPECT_EQ(name.size(), std::string("sj360b.DAT.damaged-YYYYMMDD-HHMMSS").size()) << name;
    EXPECT_EQ(ReadBytes(entry.path().string()), cut.substr(4 * length));
  }
  EXPECT_EQ(side_files, 1);
  // Repaired: the next open says nothing.
  ReopenKeepingErrors(TDBAccess::ReadWrite);
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(SurveyDBIndexCheck, AReaderRebuildsInMemoryAndRefusesChanges) {
  MakeDepartment();
  CloseAll();
  for (int i = 0; i < kFileblockCount; ++i) fs::remove(IndexPath(i));
  const auto before = Snapshot();
  ReopenKeepingErrors(TDBAccess::ReadOnly);
  EXPECT_EQ(Departments(), 1);
  EXPECT_TRUE(messages.empty());  // missing indexes are rebuilt silently
  EXPECT_THROW(db->NextID(), ESurvObjError);
  TDepartment& department = *root->Companies().At(0)->Departments().At(0);
  department.Name = "Renamed";
  department.Date += 1;
  EXPECT_THROW(db->Update(department), ETableException);
  EXPECT_THROW(db->Delete(department), ETableException);
  CloseAll();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SurveyDBIndexCheck, AReaderFindsNoDatabaseInAnEmptyFolder) {
  CloseAll();
  TempFolder empty;
  TSurveyDB reader;
  try {
    reader.Open(empty.path().string(), TDBAccess::ReadOnly);
    ADD_FAILURE() << "opened";
  } catch (const ESurvObjError& error) {
    EXPECT_NE(std::string(error.what()).find("There is no survey database in"), std::string::npos);
  }
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(empty.path())) ++entries;
  EXPECT_EQ(entries, 0u);
}

}  // namespace
}  // namespace zelvora::testing
