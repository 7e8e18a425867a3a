// Writing objects: element order and values, empty lists, the exclusion flags,
// and reading whatever was written back to equal objects.
#include <gtest/gtest.h>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "interchange/SurvMap.h"
#include "interchange/SurvMapTestDemo.h"
#include "interchange/XML.h"

namespace zelvora {
namespace {

TEST(SurvMapWrite, QuestionWithSuggestionGivesExactText) {
  TMemoryDB db(41, 1);
  db.Open();
  TQuestion question;
  question.State = osBuiltOutside;
  question.ID = TObjectID{12, 40};
  question.Date = 45000.5;
  question.Order = 3;
  question.QuestionText = "Listens & learns";
  question.Locked = true;
  auto suggestion = std::make_unique<TSuggestion>();
  suggestion->State = osBuiltOutside;
  suggestion->ID = TObjectID{-1, 7};
  suggestion->Date = 45000.25;
  suggestion->SuggestionText = "Read \"Listening\"";
  question.Suggestions().Adopt(std::move(suggestion));
  TDocument doc;
  TSurveyMapper().WriteObject(question, doc);
  EXPECT_EQ(doc.ToText(),
            "<TQuestion>\r\n"
            "  <ID>12.40</ID>\r\n"
            "  <Date>45000.5</Date>\r\n"
            "  <Order>3</Order>\r\n"
            "  <QuestionText>Listens &amp; learns</QuestionText>\r\n"
            "  <Locked>1</Locked>\r\n"
            "  <TSuggestionList>\r\n"
            "    <TSuggestion>\r\n"
            "      <ID>-1.7</ID>\r\n"
            "      <Date>45000.25</Date>\r\n"
            "      <Order>0</Order>\r\n"
            "      <SuggestionText>Read \"Listening\"</SuggestionText>\r\n"
            "    </TSuggestion>\r\n"
            "  </TSuggestionList>\r\n"
            "</TQuestion>\r\n");
}

TEST(SurvMapWrite, EmptyListsAreWrittenAndLabelsNumberedFromOne) {
  TMemoryDB db(41, 1);
  db.Open();
  TSurvey survey;
  survey.State = osBuiltOutside;
  survey.ID = TObjectID{3, 9};
  survey.Date = 2.5;
  survey.Name = "S";
  survey.AnsPerQ = 2;
  survey.FreqLabels = {"Low", "High"};
  TDocument doc;
  TSurveyMapper(kExcludeSubjects).WriteObject(survey, doc);
  EXPECT_EQ(doc.ToText(),
            "<TSurvey>\r\n"
            "  <ID>3.9</ID>\r\n"
            "  <Date>2.5</Date>\r\n"
            "  <Name>S</Name>\r\n"
            "  <Author/>\r\n"
            "  <AnsPerQ>2</AnsPerQ>\r\n"
            "  <FreqLbl1>Low</FreqLbl1>\r\n"
            "  <FreqLbl2>High</FreqLbl2>\r\n"
            "  <TSkillAreaList/>\r\n"
            "</TSurvey>\r\n");
}

TEST(SurvMapWrite, WriteListAndForeignObjects) {
  TMemoryDB db(41, 1);
  db.Open();
  TSkillArea area;
  area.State = osBuiltOutside;
  TDocument doc;
  TSurveyMapper mapper;
  mapper.WriteList(area.Questions(), doc);
  EXPECT_EQ(doc.ToText(), "<TQuestionList/>\r\n");
}

// Each exclusion bit removes its list elements from the demo company's tree
// and leaves every other list.
TEST(SurvMapWrite, ExclusionFlagsLeaveOutTheirLists) {
  struct Case {
    std::uint16_t flag;
    const char* path;  // from the TCompany element
  };
  const Case cases[] = {
      {kExcludeDepartments, "TDepartmentList"},
      {kExcludeSurveys, "TDepartmentList/TDepartment/TSurveyList"},
      {kExcludeSubjects, "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSubjectList"},
      {kExcludeSkillAreas, "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSkillAreaList"},
      {kExcludeQuestions,
       "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSkillAreaList/TSkillArea/TQuestionList"},
      {kExcludeExperiences,
       "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSubjectList/TSubject/TExperienceList"},
      {kExcludeSuggestions,
       "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSkillAreaList/TSkillArea/TQuestionList/"
       "TQuestion/TSuggestionList"},
      {kExcludeScoreSheets,
       "TDepartmentList/TDepartment/TSurveyList/TSurvey/TSubjectList/TSubject/TExperienceList/"
       "TExperience/TScoreSheetList"},
  };
  DemoChain demo;
  TDocument full;
  TSurveyMapper().WriteObject(*demo.company, full);
  const TElement& all = full.FirstElement();
  for (const Case& c : cases) ASSERT_NE(all.FindElement(c.path), nullptr) << c.path;
  EXPECT_EQ(all.GetText(std::string(cases[7].path) + "/TScoreSheet/RaterCategory"), "Boss");

  for (const Case& c : cases) {
    TDocument doc;
    TSurveyMapper(c.flag).WriteObject(*demo.company, doc);
    const TElement& top = doc.FirstElement();
    EXPECT_EQ(top.FindElement(c.path), nullptr) << c.flag;
    for (const Case& other : cases) {
      bool nested = std::string_view(other.path).starts_with(c.path);
      if (!nested) {
        EXPECT_NE(top.FindElement(other.path), nullptr) << c.flag << " " << other.path;
      }
    }
  }
}

TEST(SurvMapWrite, DataRootListsAndTheirFlags) {
  TMemoryDB db(41, 1);
  db.Open();
  TDataRoot root;
  auto survey = std::make_unique<TSurvey>();
  survey->State = osBuiltOutside;
  survey->ID = TObjectID{41, 500};
  survey->Name = "Library survey";
  root.LibrarySurveys().Adopt(std::move(survey));
  auto company = std::make_unique<TCompany>();
  company->State = osBuiltOutside;
  company->ID = TObjectID{41, 501};
  company->Name = "Acme";
  root.Companies().Adopt(std::move(company));

  TDocument doc;
  TSurveyMapper().WriteObject(root, doc);
  const TElement& top = doc.FirstElement();
  EXPECT_EQ(top.Name(), "TDataRoot");
  ASSERT_EQ(top.Elements().Count(), 5u);
  EXPECT_EQ(top.Elements()[0]->Name(), "ID");
  EXPECT_EQ(top.Elements()[1]->Name(), "Date");
  EXPECT_EQ(top.Elements()[2]->Name(), "TCompanyList");
  EXPECT_EQ(top.Elements()[3]->Name(), "TSurveyList");
  EXPECT_EQ(top.Elements()[4]->Name(), "TSkillAreaList");
  EXPECT_EQ(top.GetText("TCompanyList/TCompany/Name"), "Acme");
  EXPECT_EQ(top.GetText("TSurveyList/TSurvey/Name"), "Library survey");

  TDocument without;
  TSurveyMapper(kExcludeCompanies | kExcludeSurveys | kExcludeSkillAreas)
      .WriteObject(root, without);
  EXPECT_EQ(without.FirstElement().Elements().Count(), 2u);
}

void ExpectSameSurvey(TSurvey& a, TSurvey& b) {
  EXPECT_EQ(a.ID, b.ID);
  EXPECT_DOUBLE_EQ(a.Date, b.Date);
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.Author, b.Author);
  EXPECT_EQ(a.AnsPerQ, b.AnsPerQ);
  EXPECT_EQ(a.FreqLabels, b.FreqLabels);
  ASSERT_EQ(a.SkillAreas().Size(), b.SkillAreas().Size());
  for (int i = 0; i < a.SkillAreas().Size(); ++i) {
    TSkillArea& x = *a.SkillAreas().At(i);
    TSkillArea& y = *b.SkillAreas().At(i);
    EXPECT_EQ(x.ID, y.ID);
    EXPECT_EQ(x.Order, y.Order);
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.QuestPrefix, y.QuestPrefix);
    ASSERT_EQ(x.Questions().Size(), y.Questions().Size());
    for (int j = 0; j < x.Questions().Size(); ++j) {
      TQuestion& q = *x.Questions().At(j);
      TQuestion& r = *y.Questions().At(j);
      EXPECT_EQ(q.ID, r.ID);
      EXPECT_DOUBLE_EQ(q.Date, r.Date);
      EXPECT_EQ(q.Order, r.Order);
      EXPECT_EQ(q.QuestionText, r.QuestionText);
      EXPECT_EQ(q.Locked, r.Locked);
      ASSERT_EQ(q.Suggestions().Size(), r.Suggestions().Size());
      for (int k = 0; k < q.Suggestions().Size(); ++k) {
        EXPECT_EQ(q.Suggestions().At(k)->ID, r.Suggestions().At(k)->ID);
        EXPECT_EQ(q.Suggestions().At(k)->Order, r.Suggestions().At(k)->Order);
        EXPECT_EQ(q.Suggestions().At(k)->SuggestionText, r.Suggestions().At(k)->SuggestionText);
      }
    }
  }
}

TEST(SurvMapWrite, CompanyTreeReadsBackEqual) {
  DemoChain demo;
  demo.survey->Name = "Caf\xC3\xA9 & <Co> \"quoted\"";
  demo.survey->FreqLabels.push_back("Sixth label");
  TDocument doc;
  TSurveyMapper().WriteObject(*demo.company, doc);
  auto back = TDocument::FromBytes(doc.ToBytes());
  std::unique_ptr<TSurvObject> object = TSurveyMapper().ReadObject(back->FirstElement());
  ASSERT_EQ(object->Kind(), okCompany);
  auto& company = static_cast<TCompany&>(*object);
  EXPECT_EQ(company.ID, demo.company->ID);
  EXPECT_DOUBLE_EQ(company.Date, demo.company->Date);
  EXPECT_EQ(company.Name, "Acme");
  ASSERT_EQ(company.Departments().Size(), 1);
  TDepartment& department = *company.Departments().At(0);
  EXPECT_EQ(department.ID, demo.department->ID);
  EXPECT_EQ(department.Name, "Sales");
  ASSERT_EQ(department.Surveys().Size(), 1);
  ExpectSameSurvey(*demo.survey, *department.Surveys().At(0));
  EXPECT_EQ(department.Surveys().At(0)->Department, &department);
}

TEST(SurvMapWrite, ScoreSheetAndExperienceReadBackEqual) {
  DemoChain demo;
  demo.sheet->Completed = true;
  demo.sheet->AnswersEdited = 2;
  demo.sheet->AnswersBuf[229] = -128;
  demo.sheet->AnswersBuf[100] = 127;
  demo.experience->ScoreSheetsDeleted = 3;
  demo.experience->ExperienceDate = 45990.123456789;
  TDocument doc;
  TSurveyMapper().WriteObject(*demo.experience, doc);
  auto back = TDocument::FromText(doc.ToText());
  auto object = TSurveyMapper().ReadObject(back->FirstElement());
  auto& experience = static_cast<TExperience&>(*object);
  EXPECT_EQ(experience.ID, demo.experience->ID);
  EXPECT_DOUBLE_EQ(experience.ExperienceDate, 45990.123456789);
  EXPECT_EQ(experience.ScoreSheetsDeleted, 3);
  ASSERT_EQ(experience.ScoreSheets().Size(), 1);
  TScoreSheet& sheet = *experience.ScoreSheets().At(0);
  EXPECT_EQ(sheet.ID, demo.sheet->ID);
  EXPECT_DOUBLE_EQ(sheet.Date, demo.sheet->Date);
  EXPECT_EQ(sheet.AnswersBuf, demo.sheet->AnswersBuf);
  EXPECT_TRUE(sheet.Completed);
  EXPECT_EQ(sheet.AnswersEdited, 2);
  EXPECT_EQ(sheet.Experience, &experience);
}

}  // namespace
}  // namespace zelvora

namespace zelvora {
namespace {

TEST(SurvMapWrite, ExclusionFlagsAlsoApplyWhenReading) {
  DemoChain demo;
  TDocument doc;
  TSurveyMapper().WriteObject(*demo.company, doc);
  TSurveyMapper().WriteObject(*demo.experience, doc);
  const TElement& company_element = *doc.Elements()[0];
  const TElement& experience_element = *doc.Elements()[1];

  // Sizes along the company's first branch: departments, surveys, skill
  // areas, questions, suggestions of the first question.
  auto branch = [&](std::uint16_t flags) {
    std::vector<int> sizes;
    auto object = TSurveyMapper(flags).ReadObject(company_element);
    auto& company = static_cast<TCompany&>(*object);
    sizes.push_back(company.Departments().Size());
    if (sizes.back() == 0) return sizes;
    TDepartment& department = *company.Departments().At(0);
    sizes.push_back(department.Surveys().Size());
    if (sizes.back() == 0) return sizes;
    TSurvey& survey = *department.Surveys().At(0);
    sizes.push_back(survey.SkillAreas().Size());
    if (sizes.back() == 0) return sizes;
    TSkillArea& area = *survey.SkillAreas().At(0);
    sizes.push_back(area.Questions().Size());
    if (sizes.back() == 0) return sizes;
    sizes.push_back(area.Questions().At(0)->Suggestions().Size());
    return sizes;
  };
  EXPECT_EQ(branch(0), (std::vector<int>{1, 1, 1, 2, 1}));
  EXPECT_EQ(branch(kExcludeDepartments), (std::vector<int>{0}));
  EXPECT_EQ(branch(kExcludeSurveys), (std::vector<int>{1, 0}));
  EXPECT_EQ(branch(kExcludeSkillAreas), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(branch(kExcludeQuestions), (std::vector<int>{1, 1, 1, 0}));
  EXPECT_EQ(branch(kExcludeSuggestions), (std::vector<int>{1, 1, 1, 2, 0}));
  EXPECT_EQ(branch(kExcludeSubjects | kExcludeExperiences), (std::vector<int>{1, 1, 1, 2, 1}));

  auto with_sheets = TSurveyMapper().ReadObject(experience_element);
  EXPECT_EQ(static_cast<TExperience&>(*with_sheets).ScoreSheets().Size(), 1);
  auto without = TSurveyMapper(kExcludeScoreSheets).ReadObject(experience_element);
  EXPECT_EQ(static_cast<TExperience&>(*without).ScoreSheets().Size(), 0);
}

}  // namespace
}  // namespace zelvora
