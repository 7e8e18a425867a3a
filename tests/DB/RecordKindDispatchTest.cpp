// Both databases find an object's record layout by its kind: every kind is
// written with its own layout and filed under its owner's ID, and comes back
// as an object of the same kind. The in-memory database keeps what the
// record store keeps, so the two load the same texts.
#include <gtest/gtest.h>

#include "DB/MemoryDB.h"
#include "DB/RecordLayouts.h"
#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

constexpr std::int32_t kMemoryOrigin = 7001;

struct KindRow {
  const char* name;
  std::unique_ptr<TSurvObject> object;
  TObjectID owner;
};

// A fresh object whose owner reference points at `owner`.
template <class T, class O>
std::unique_ptr<TSurvObject> OwnedBy(O* T::*reference, O& owner) {
  auto object = std::make_unique<T>();
  (*object).*reference = &owner;
  return object;
}

// One object of every kind, each with an owner of a distinct ID.
std::vector<KindRow> OneOfEveryKind(TCompany& company, TDepartment& department, TSurvey& survey,
                                    TSkillArea& area, TQuestion& question,
                                    TExperience& experience) {
  std::vector<KindRow> rows;
  auto add = [&](const char* name, std::unique_ptr<TSurvObject> object, TObjectID owner) {
    object->ID = TObjectID{7000, static_cast<std::int32_t>(rows.size() + 1)};
    rows.push_back(KindRow{name, std::move(object), owner});
  };
  add("company", std::make_unique<TCompany>(), TObjectID{});
  add("department", OwnedBy(&TDepartment::Company, company), company.ID);
  add("rater", OwnedBy(&TRater::Company, company), company.ID);
  add("subject", OwnedBy(&TSubject::Department, department), department.ID);
  add("survey", OwnedBy(&TSurvey::Department, department), department.ID);
  add("experience", OwnedBy(&TExperience::Department, department), department.ID);
  add("skill area", OwnedBy(&TSkillArea::Survey, survey), survey.ID);
  add("question", OwnedBy(&TQuestion::SkillArea, area), area.ID);
  add("suggestion", OwnedBy(&TSuggestion::Question, question), question.ID);
  add("score sheet", OwnedBy(&TScoreSheet::Experience, experience), experience.ID);
  return rows;
}

TEST(RecordKindDispatch, EveryKindIsWrittenWithItsLayoutUnderItsOwner) {
  TCompany company;
  TDepartment department;
  TSurvey survey;
  TSkillArea area;
  TQuestion question;
  TExperience experience;
  company.ID = {6000, 1};
  department.ID = {6000, 2};
  survey.ID = {6000, 3};
  area.ID = {6000, 4};
  question.ID = {6000, 5};
  experience.ID = {6000, 6};
  auto rows = OneOfEveryKind(company, department, survey, area, question, experience);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kFileblockCount));
  std::vector<bool> fileblock_used(kFileblockCount, false);
  for (const KindRow& row : rows) {
    SCOPED_TRACE(row.name);
    const TSurvObject& object = *row.object;
    const int fileblock = FileblockOf(object);
    ASSERT_EQ(FileblockInfo(fileblock).Kind, object.Kind());
    EXPECT_FALSE(fileblock_used[static_cast<std::size_t>(fileblock)]);
    fileblock_used[static_cast<std::size_t>(fileblock)] = true;
    EXPECT_EQ(OwnerID(object), row.owner);

    std::vector<unsigned char> record(
        static_cast<std::size_t>(FileblockInfo(fileblock).RecordLength), 0xEE);
    EncodeObject(object, record);
    EXPECT_TRUE(RecordIsLive(record));
    EXPECT_EQ(RecordID(record), object.ID);
    EXPECT_EQ(RecordParentID(fileblock, record), row.owner);

    const auto decoded = DecodeObject(fileblock, record);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->Kind(), object.Kind());
    EXPECT_EQ(decoded->ID, object.ID);
    EXPECT_EQ(decoded->State, osStored);
  }
}

TEST(RecordKindDispatch, ABufferOfAnotherKindsLengthIsRefused) {
  TQuestion question;
  std::vector<unsigned char> record(
      static_cast<std::size_t>(FileblockInfo(fbSuggestion).RecordLength));
  EXPECT_THROW(EncodeObject(question, record), ESurvObjError);
  EXPECT_THROW(DecodeObject(kFileblockCount, record), ESurvObjError);
}

using RecordKindDispatchStores = SurveyDBTest;

TEST_F(RecordKindDispatchStores, TheMemoryDatabaseKeepsWhatTheRecordStoreKeeps) {
  // Too long for the field, with characters Windows-1252 has and one
  // ("\xCE\xA9", a capital omega) it has not.
  const std::string name = "Caf\xC3\xA9 \xE2\x82\xAC \xCE\xA9 " + std::string(40, 'n');
  const std::string text = "Why\xE2\x80\x99s \xCE\xA9?";
  auto fill = [&](TDataRoot& in) {
    auto company = std::make_unique<TCompany>();
    company->Name = name;
    TCompany* stored = in.Companies().Adopt(std::move(company));
    TDepartment* department = stored->Departments().Adopt(std::make_unique<TDepartment>());
    TSurvey* survey = department->Surveys().Adopt(std::make_unique<TSurvey>());
    TSkillArea* area = survey->SkillAreas().Adopt(std::make_unique<TSkillArea>());
    auto question = std::make_unique<TQuestion>();
    question->QuestionText = text;
    area->Questions().Adopt(std::move(question));
  };
  auto read_back = [](TDataRoot& out) {
    TCompany* company = out.Companies().At(0);
    TQuestion* question =
        company->Departments().At(0)->Surveys().At(0)->SkillAreas().At(0)->Questions().At(0);
    return std::make_pair(company->Name, question->QuestionText);
  };

  fill(*root);
  Reopen();
  const auto from_store = read_back(*root);
  CloseAll();

  TMemoryDB memory(kMemoryOrigin, 1);
  memory.Open();
  {
    TDataRoot in;
    fill(in);
  }
  TDataRoot out;
  const auto from_memory = read_back(out);
  EXPECT_EQ(from_memory, from_store);
  EXPECT_EQ(from_store.first.size(), 35u + 1u + 2u);  // "é" and "€" take two and three bytes
  EXPECT_NE(from_store.first, name);
}

}  // namespace
}  // namespace zelvora::testing
