// Reading object elements: kinds, defaults, the "ID" and "AnswersBuf"
// encodings, labels, and refused list entries.
#include <gtest/gtest.h>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "interchange/SurvMap.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

std::unique_ptr<TSurvObject> ReadText(std::string_view xml, std::uint16_t exclusions = 0) {
  auto doc = TDocument::FromText(xml);
  return TSurveyMapper(exclusions).ReadObject(doc->FirstElement());
}

template <class T>
std::unique_ptr<T> ReadAs(std::string_view xml, std::uint16_t exclusions = 0) {
  std::unique_ptr<TSurvObject> object = ReadText(xml, exclusions);
  T* typed = dynamic_cast<T*>(object.get());
  if (typed == nullptr) return nullptr;
  object.release();
  return std::unique_ptr<T>(typed);
}

TEST(SurvMapRead, IDForms) {
  EXPECT_EQ(TSurveyMapper::ParseID("12.40"), (TObjectID{12, 40}));
  EXPECT_EQ(TSurveyMapper::ParseID("7"), (TObjectID{0, 7}));
  EXPECT_EQ(TSurveyMapper::ParseID(""), (TObjectID{0, 0}));
  EXPECT_EQ(TSurveyMapper::ParseID("-1.3"), (TObjectID{-1, 3}));
  EXPECT_EQ(TSurveyMapper::ParseID("12.x"), (TObjectID{12, 0}));
  EXPECT_EQ(TSurveyMapper::ParseID("a.5"), (TObjectID{0, 5}));
  EXPECT_EQ(TSurveyMapper::ParseID("3.12345678901"), (TObjectID{3, 1234567890}));
  EXPECT_EQ(TSurveyMapper::ParseID("12345678901"), (TObjectID{0, 1234567890}));
  EXPECT_EQ(TSurveyMapper::ParseID("99999999999.1"), (TObjectID{0, 1}));  // too large: 0
  EXPECT_EQ(TSurveyMapper::ParseID("1.2.3"), (TObjectID{1, 0}));

  EXPECT_EQ(ReadText("<TRater><ID>12.40</ID></TRater>")->ID, (TObjectID{12, 40}));
  EXPECT_EQ(ReadText("<TRater><ID>7</ID></TRater>")->ID, (TObjectID{0, 7}));
  EXPECT_EQ(ReadText("<TRater><ID></ID></TRater>")->ID, (TObjectID{0, 0}));
  EXPECT_EQ(ReadText("<TRater/>")->ID, (TObjectID{0, 0}));
}

TEST(SurvMapRead, KindsAreMatchedIgnoringCaseAndUnknownKindsFail) {
  auto rater = ReadText("<trater><Name>Kim</Name></trater>");
  ASSERT_EQ(rater->Kind(), okRater);
  EXPECT_EQ(static_cast<TRater&>(*rater).Name, "Kim");
  EXPECT_EQ(rater->State, osBuiltOutside);
  for (const char* bad : {"<TDataRoot/>", "<TFoo/>", "<TCompanyList/>", "<ID>1</ID>"}) {
    try {
      ReadText(bad);
      ADD_FAILURE() << bad;
    } catch (const ESurvObjError& e) {
      EXPECT_STREQ(e.what(), "NewType: Unknown type") << bad;
    }
  }
}

TEST(SurvMapRead, DateAndDefaults) {
  auto sheet = ReadAs<TScoreSheet>("<TScoreSheet><Date>45000.5</Date></TScoreSheet>");
  ASSERT_TRUE(sheet);
  EXPECT_DOUBLE_EQ(sheet->Date, 45000.5);
  EXPECT_FALSE(sheet->Completed);
  EXPECT_EQ(sheet->AnswersEdited, 0);
  EXPECT_EQ(sheet->RaterCategory, 0);
  for (std::int8_t b : sheet->AnswersBuf) EXPECT_EQ(b, 0);

  // A missing or malformed date leaves the creation time (now).
  auto undated = ReadAs<TScoreSheet>("<TScoreSheet><Date>yesterday</Date></TScoreSheet>");
  EXPECT_GT(undated->Date, 40000.0);

  auto experience = ReadAs<TExperience>("<TExperience/>");
  EXPECT_DOUBLE_EQ(experience->ExperienceDate, 0.0);
  EXPECT_EQ(experience->ScoreSheetsDeleted, 0);
  auto question = ReadAs<TQuestion>("<TQuestion><Order>x</Order><Locked>yes</Locked></TQuestion>");
  EXPECT_EQ(question->Order, 0);
  EXPECT_FALSE(question->Locked);
  auto area = ReadAs<TSkillArea>("<TSkillArea><Order>70000</Order></TSkillArea>");
  EXPECT_EQ(area->Order, 0);  // does not fit the field
  EXPECT_EQ(area->GetPrefix(1), "");
}

TEST(SurvMapRead, BooleansOnlyOneIsTrue) {
  EXPECT_FALSE(
      ReadAs<TScoreSheet>("<TScoreSheet><Completed>true</Completed></TScoreSheet>")->Completed);
  EXPECT_TRUE(
      ReadAs<TScoreSheet>("<TScoreSheet><Completed>1</Completed></TScoreSheet>")->Completed);
  EXPECT_FALSE(
      ReadAs<TScoreSheet>("<TScoreSheet><Completed>0</Completed></TScoreSheet>")->Completed);
}

TEST(SurvMapRead, AnswersBufFewerMoreAndOddValues) {
  auto few =
      ReadAs<TScoreSheet>("<TScoreSheet><AnswersBuf>1,2,-3,x,300,,5</AnswersBuf></TScoreSheet>");
  const std::int8_t expected[] = {1, 2, -3, 0, 44, 0, 5};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(few->AnswersBuf[static_cast<std::size_t>(i)], expected[i]) << i;
  for (std::size_t i = 7; i < 230; ++i) EXPECT_EQ(few->AnswersBuf[i], 0) << i;

  std::string many;
  for (int i = 0; i < 240; ++i) many += (i ? "," : "") + std::to_string(i % 5 + 1);
  auto more =
      ReadAs<TScoreSheet>("<TScoreSheet><AnswersBuf>" + many + "</AnswersBuf></TScoreSheet>");
  for (std::size_t i = 0; i < 230; ++i)
    EXPECT_EQ(more->AnswersBuf[i], static_cast<int>(i % 5 + 1)) << i;

  auto empty = ReadAs<TScoreSheet>("<TScoreSheet><AnswersBuf></AnswersBuf></TScoreSheet>");
  for (std::int8_t b : empty->AnswersBuf) EXPECT_EQ(b, 0);
}

TEST(SurvMapRead, FrequencyLabelsStopAtTheFirstGap) {
  auto none = ReadAs<TSurvey>("<TSurvey><Name>S</Name></TSurvey>");
  EXPECT_TRUE(none->FreqLabels.empty());
  EXPECT_EQ(none->AnsPerQ, 0);
  auto gap = ReadAs<TSurvey>(
      "<TSurvey><AnsPerQ>2</AnsPerQ><FreqLbl1>Rarely</FreqLbl1><FreqLbl3>Often</FreqLbl3></"
      "TSurvey>");
  EXPECT_EQ(gap->FreqLabels, std::vector<std::string>{"Rarely"});
  EXPECT_EQ(gap->AnsPerQ, 2);
}

TEST(SurvMapRead, ListsAreReadInOrderUnlessExcluded) {
  const char* xml =
      "<TSkillArea><Name>A</Name><TQuestionList>"
      "<TQuestion><ID>1.1</ID><QuestionText>one</QuestionText><TSuggestionList>"
      "<TSuggestion><SuggestionText>s</SuggestionText></TSuggestion></TSuggestionList></TQuestion>"
      "<TQuestion><ID>1.2</ID><QuestionText>two</QuestionText></TQuestion>"
      "</TQuestionList></TSkillArea>";
  auto area = ReadAs<TSkillArea>(xml);
  ASSERT_EQ(area->Questions().Size(), 2);
  EXPECT_EQ(area->Questions().At(0)->QuestionText, "one");
  EXPECT_EQ(area->Questions().At(0)->SkillArea, area.get());
  EXPECT_EQ(area->Questions().At(1)->ID, (TObjectID{1, 2}));
  EXPECT_EQ(area->Questions().At(0)->State, osBuiltOutside);
  ASSERT_EQ(area->Questions().At(0)->Suggestions().Size(), 1);
  EXPECT_EQ(area->Questions().At(0)->Suggestions().At(0)->SuggestionText, "s");

  EXPECT_EQ(ReadAs<TSkillArea>(xml, kExcludeQuestions)->Questions().Size(), 0);
  auto no_suggestions = ReadAs<TSkillArea>(xml, kExcludeSuggestions);
  EXPECT_EQ(no_suggestions->Questions().At(0)->Suggestions().Size(), 0);
}

TEST(SurvMapRead, ListEntryOfTheWrongKindIsRefusedWithoutLeaking) {
  auto doc = TDocument::FromText(
      "<TSkillAreaList><TSkillArea><Name>ok</Name></TSkillArea>"
      "<TQuestion><QuestionText>stray</QuestionText></TQuestion></TSkillAreaList>");
  TSurvey owner;
  owner.State = osBuiltOutside;
  TSurveyMapper mapper;
  EXPECT_THROW(mapper.ReadList(&doc->FirstElement(), owner.SkillAreas()), ESurvObjError);
  ASSERT_EQ(owner.SkillAreas().Size(), 1);
  EXPECT_EQ(owner.SkillAreas().At(0)->Name, "ok");
  // A missing list element reads nothing.
  mapper.ReadList(nullptr, owner.SkillAreas());
  EXPECT_EQ(owner.SkillAreas().Size(), 1);
  // An unknown kind inside a list fails the same way as at the top.
  auto bad = TDocument::FromText("<L><TWidget/></L>");
  try {
    mapper.ReadList(&bad->FirstElement(), owner.SkillAreas());
    FAIL();
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "NewType: Unknown type");
  }
}

TEST(SurvMapRead, CompanyTreeReadsWithoutTouchingTheDatabase) {
  TMemoryDB db(77, 1);
  db.Open();
  auto company = ReadAs<TCompany>(
      "<TCompany><ID>5.1</ID><Name>Acme</Name><TDepartmentList><TDepartment><ID>5.2</ID>"
      "<Name>Sales</Name><TSurveyList><TSurvey><ID>5.3</ID><Name>S</Name>"
      "<TSubjectList><TSubject><Name>ignored</Name></TSubject></TSubjectList>"
      "</TSurvey></TSurveyList></TDepartment></TDepartmentList></TCompany>");
  ASSERT_EQ(company->Departments().Size(), 1);
  TDepartment* department = company->Departments().At(0);
  EXPECT_EQ(department->Company, company.get());
  ASSERT_EQ(department->Surveys().Size(), 1);
  EXPECT_EQ(department->Surveys().At(0)->ID, (TObjectID{5, 3}));
  EXPECT_EQ(department->Subjects().Size(), 0);
  for (int kind = okCompany; kind <= okRater; ++kind) EXPECT_EQ(db.RecordCount(kind), 0u) << kind;
}

}  // namespace
}  // namespace zelvora
