// Every kind written, the database closed and opened again, and every field
// compared; the byte offsets of each layout checked in the data files; text
// cuts, the Windows-1252 encoding, the split answer buffer and the old-date
// conversion.
#include <gtest/gtest.h>

#include "SurveyDBFixture.h"
#include "base/DateTime.h"

namespace zelvora::testing {
namespace {

using RecordLayout = SurveyDBTest;

TEST_F(RecordLayout, EveryKindRoundTripsThroughANewOpen) {
  auto fresh_company = std::make_unique<TCompany>();
  fresh_company->Name = "Caf\xC3\xA9 Noir";  // "Café Noir"
  fresh_company->Categories =
      "0=Self\x1E"
      "1=Boss\x1E"
      "9=Mentor\x1E";
  fresh_company->LastCategoryNumber = 9;
  TCompany* company = root->Companies().Adopt(std::move(fresh_company));
  auto fresh_department = std::make_unique<TDepartment>();
  fresh_department->Name = "Finance";
  TDepartment* department = company->Departments().Adopt(std::move(fresh_department));
  auto fresh_rater = std::make_unique<TRater>();
  fresh_rater->Name = "Rita Rater";
  TRater* rater = company->Raters().Adopt(std::move(fresh_rater));

  auto fresh_survey = std::make_unique<TSurvey>();
  fresh_survey->Name = "Survey S";
  fresh_survey->Author = "Author A";
  fresh_survey->AnsPerQ = 2;
  fresh_survey->FreqLabels = {"Never", "", "Often"};
  fresh_survey->HasCompletedSheets = 1;
  TSurvey* survey = department->Surveys().Adopt(std::move(fresh_survey));
  auto fresh_area = std::make_unique<TSkillArea>();
  fresh_area->Name = std::string(40, 'k');
  fresh_area->QuestPrefix = {"p1", "p2", std::string(255, 'z'), ""};
  TSkillArea* area = survey->SkillAreas().Adopt(std::move(fresh_area));
  auto fresh_question = std::make_unique<TQuestion>();
  fresh_question->QuestionText = "Does it work?";
  fresh_question->CRC = -123456;
  fresh_question->Locked = true;
  TQuestion* question = area->Questions().Adopt(std::move(fresh_question));
  auto fresh_suggestion = std::make_unique<TSuggestion>();
  fresh_suggestion->SuggestionText = "Try harder.";
  fresh_suggestion->CRC = 77;
  TSuggestion* suggestion = question->Suggestions().Adopt(std::move(fresh_suggestion));

  TSubject* subject = MakeSubject(*department, "Sam Subject");
  TExperience* experience = MakeExperience(*subject, *survey, 45000.25);
  experience->ScoreSheetsDeleted = 3;
  experience->Touch();
  experience->Date += 0.001;
  experience->Save();
  auto fresh_sheet = std::make_unique<TScoreSheet>();
  fresh_sheet->RaterName = "Rita Rater";
  fresh_sheet->RaterCategory = 9;
  for (int i = 0; i < kAnswersBufSize; ++i)
    fresh_sheet->AnswersBuf[i] = static_cast<std::int8_t>((i % 7) - 1);
  fresh_sheet->Completed = true;
  fresh_sheet->AnswersEdited = 2;
  TScoreSheet* sheet = experience->ScoreSheets().Adopt(std::move(fresh_sheet));

  // What was written, to compare after the reopen.
  const TObjectID ids[] = {company->ID,  department->ID, rater->ID,   survey->ID,     area->ID,
                           question->ID, suggestion->ID, subject->ID, experience->ID, sheet->ID};
  const double dates[] = {company->Date,    department->Date, rater->Date,      survey->Date,
                          area->Date,       question->Date,   suggestion->Date, subject->Date,
                          experience->Date, sheet->Date};
  const auto answers = sheet->AnswersBuf;
  const TObjectID department_id = department->ID;
  Reopen();

  ASSERT_EQ(root->Companies().Size(), 1);
  TCompany* c = root->Companies().At(0);
  EXPECT_EQ(c->ID, ids[0]);
  EXPECT_EQ(c->Date, dates[0]);
  EXPECT_EQ(c->State, osStored);
  EXPECT_EQ(c->Name, "Caf\xC3\xA9 Noir");
  EXPECT_EQ(c->Categories,
            "0=Self\x1E"
            "1=Boss\x1E"
            "9=Mentor\x1E");
  EXPECT_EQ(c->LastCategoryNumber, 9);
  ASSERT_EQ(c->Departments().Size(), 1);
  TDepartment* d = c->Departments().At(0);
  EXPECT_EQ(d->ID, ids[1]);
  EXPECT_EQ(d->Date, dates[1]);
  EXPECT_EQ(d->Name, "Finance");
  ASSERT_EQ(c->Raters().Size(), 1);
  EXPECT_EQ(c->Raters().At(0)->ID, ids[2]);
  EXPECT_EQ(c->Raters().At(0)->Date, dates[2]);
  EXPECT_EQ(c->Raters().At(0)->Name, "Rita Rater");

  ASSERT_EQ(d->Surveys().Size(), 1);
  TSurvey* s = d->Surveys().At(0);
  EXPECT_EQ(s->ID, ids[3]);
  EXPECT_EQ(s->Date, dates[3]);
  EXPECT_EQ(s->Name, "Survey S");
  EXPECT_EQ(s->Author, "Author A");
  EXPECT_EQ(s->AnsPerQ, 2);
  EXPECT_EQ(s->FreqLabels, (std::vector<std::string>{"Never", "", "Often"}));
  EXPECT_EQ(s->HasCompletedSheets, 1);
  ASSERT_EQ(s->SkillAreas().Size(), 1);
  TSkillArea* a = s->SkillAreas().At(0);
  EXPECT_EQ(a->ID, ids[4]);
  EXPECT_EQ(a->Date, dates[4]);
  EXPECT_EQ(a->Name, std::string(40, 'k'));
  EXPECT_EQ(a->QuestPrefix[0], "p1");
  EXPECT_EQ(a->QuestPrefix[1], "p2");
  EXPECT_EQ(a->QuestPrefix[2], std::string(255, 'z'));
  EXPECT_EQ(a->QuestPrefix[3], "");
  ASSERT_EQ(a->Questions().Size(), 1);
  TQuestion* q = a->Questions().At(0);
  EXPECT_EQ(q->ID, ids[5]);
  EXPECT_EQ(q->Date, dates[5]);
  EXPECT_EQ(q->QuestionText, "Does it work?");
  EXPECT_EQ(q->CRC, -123456);
  EXPECT_TRUE(q->Locked);
  ASSERT_EQ(q->Suggestions().Size(), 1);
  EXPECT_EQ(q->Suggestions().At(0)->ID, ids[6]);
  EXPECT_EQ(q->Suggestions().At(0)->Date, dates[6]);
  EXPECT_EQ(q->Suggestions().At(0)->SuggestionText, "Try harder.");
  EXPECT_EQ(q->Suggestions().At(0)->CRC, 77);

  ASSERT_EQ(d->Subjects().Size(), 1);
  EXPECT_EQ(d->Subjects().At(0)->ID, ids[7]);
  EXPECT_EQ(d->Subjects().At(0)->Date, dates[7]);
  EXPECT_EQ(d->Subjects().At(0)->Name, "Sam Subject");
  ASSERT_EQ(d->Experiences().Size(), 1);
  TExperience* e = d->Experiences().At(0);
  EXPECT_EQ(e->ID, ids[8]);
  EXPECT_EQ(e->Date, dates[8]);
  EXPECT_EQ(e->SubjectID, ids[7]);
  EXPECT_EQ(e->SurveyID, ids[3]);
  EXPECT_EQ(e->ExperienceDate, 45000.25);
  EXPECT_EQ(e->ScoreSheetsDeleted, 3);
  EXPECT_EQ(e->Subject(), d->Subjects().At(0));
  ASSERT_EQ(e->ScoreSheets().Size(), 1);
  TScoreSheet* sh = e->ScoreSheets().At(0);
  EXPECT_EQ(sh->ID, ids[9]);
  EXPECT_EQ(sh->Date, dates[9]);
  EXPECT_EQ(sh->RaterName, "Rita Rater");
  EXPECT_EQ(sh->RaterCategory, 9);
  EXPECT_EQ(sh->AnswersBuf, answers);
  EXPECT_TRUE(sh->Completed);
  EXPECT_EQ(sh->AnswersEdited, 2);
  EXPECT_EQ(d->ID, department_id);
}

TEST_F(RecordLayout, FieldsLieAtTheirOffsetsInTheDataFiles) {
  TDepartment* department = MakeDepartment("Acme", "Sales");
  TCompany* company = department->Company;
  TSurvey* survey = MakeSurvey(*department, 1, 1);
  survey->Author = "Ann";
  survey->AnsPerQ = 2;
  survey->Date += 1;
  survey->Save();
  TSkillArea* area = survey->SkillAreas().At(0);
  TQuestion* question = area->Questions().At(0);
  question->CRC = 0x01020304;
  question->Locked = true;
  question->Date += 1;
  question->Save();
  auto fresh_suggestion = std::make_unique<TSuggestion>();
  fresh_suggestion->SuggestionText = "Hint";
  fresh_suggestion->CRC = 5;
  TSuggestion* suggestion = question->Suggestions().Adopt(std::move(fresh_suggestion));
  TSubject* subject = MakeSubject(*department, "Sue");
  TExperience* experience = MakeExperience(*subject, *survey, 44000.5);
  TScoreSheet* sheet = MakeSheet(*experience, "Bob", 3);
  sheet->AnswersBuf[0] = 4;
  sheet->AnswersBuf[199] = 5;
  sheet->AnswersBuf[200] = 1;
  sheet->AnswersBuf[205] = 3;
  sheet->AnswersBuf[229] = -1;
  sheet->Completed = true;
  sheet->AnswersEdited = 1;
  sheet->Date += 1;
  sheet->Save();
  TRater* rater = company->EnsureRater("Bob");
  // Every stored record is in the data file when the call returns.

  auto ct = RawRecord(fbCompany, 1);
  ASSERT_EQ(ct.size(), 588u);
  EXPECT_EQ(GetInt32At(ct, 0), 0);
  EXPECT_EQ(GetInt32At(ct, 4), company->ID.Origin);
  EXPECT_EQ(GetInt32At(ct, 8), company->ID.Serial);
  EXPECT_EQ(ShortTextAt(ct, 12), "Acme");
  EXPECT_EQ(GetDoubleAt(ct, 48), company->Date);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ct.data() + 56)),
            TCompany::DefaultCategories());
  EXPECT_EQ(GetInt32At(ct, 568), 6);
  for (std::size_t i = 572; i < 588; ++i) EXPECT_EQ(ct[i], 0) << i;

  auto dt = RawRecord(fbDepartment, 1);
  ASSERT_EQ(dt.size(), 80u);
  EXPECT_EQ(GetInt32At(dt, 4), department->ID.Origin);
  EXPECT_EQ(ShortTextAt(dt, 12), "Sales");
  EXPECT_EQ(GetDoubleAt(dt, 48), department->Date);
  EXPECT_EQ(GetInt32At(dt, 56), company->ID.Origin);
  EXPECT_EQ(GetInt32At(dt, 60), company->ID.Serial);

  auto sj = RawRecord(fbSubject, 1);
  EXPECT_EQ(ShortTextAt(sj, 12), "Sue");
  EXPECT_EQ(GetInt32At(sj, 52), department->ID.Serial);
  EXPECT_EQ(GetDoubleAt(sj, 56), subject->Date);

  auto rt = RawRecord(fbRater, 1);
  EXPECT_EQ(GetInt32At(rt, 8), rater->ID.Serial);
  EXPECT_EQ(ShortTextAt(rt, 12), "Bob");
  EXPECT_EQ(GetInt32At(rt, 52), company->ID.Serial);

  auto sv = RawRecord(fbSurvey, 1);
  ASSERT_EQ(sv.size(), 387u);
  EXPECT_EQ(GetInt32At(sv, 16), department->ID.Serial);
  EXPECT_EQ(ShortTextAt(sv, 20), "Leadership");
  EXPECT_EQ(ShortTextAt(sv, 56), "Ann");
  EXPECT_EQ(GetDoubleAt(sv, 92), survey->Date);
  EXPECT_EQ(ShortTextAt(sv, 100),
            "Almost Never\x1ESometimes\x1EGenerally\x1E"
            "Almost Always\x1E"
            "Always");
  EXPECT_EQ(GetInt16At(sv, 369), 2);

  auto sk = RawRecord(fbSkillArea, 1);
  ASSERT_EQ(sk.size(), 1111u);
  EXPECT_EQ(ShortTextAt(sk, 12), "Area 0");
  EXPECT_EQ(GetInt32At(sk, 57), survey->ID.Serial);
  EXPECT_EQ(ShortTextAt(sk, 61), "How often do you");
  EXPECT_EQ(ShortTextAt(sk, 61 + 3 * 256), "How often should this person");
  EXPECT_EQ(GetDoubleAt(sk, 1085), area->Date);
  EXPECT_EQ(GetInt16At(sk, 1093), area->Order);

  auto qt = RawRecord(fbQuestion, 1);
  ASSERT_EQ(qt.size(), 351u);
  EXPECT_EQ(GetInt32At(qt, 12), 0x01020304);
  EXPECT_EQ(GetInt32At(qt, 20), area->ID.Serial);
  EXPECT_EQ(GetDoubleAt(qt, 24), question->Date);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(qt.data() + 32)), "Q0.0");
  EXPECT_EQ(qt[335], 1);

  auto sg = RawRecord(fbSuggestion, 1);
  ASSERT_EQ(sg.size(), 551u);
  EXPECT_EQ(GetInt32At(sg, 16), question->ID.Serial);
  EXPECT_EQ(GetInt32At(sg, 20), 5);
  EXPECT_EQ(GetDoubleAt(sg, 24), suggestion->Date);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sg.data() + 32)), "Hint");

  auto xp = RawRecord(fbExperience, 1);
  ASSERT_EQ(xp.size(), 68u);
  EXPECT_EQ(GetInt32At(xp, 16), department->ID.Serial);
  EXPECT_EQ(GetInt32At(xp, 24), subject->ID.Serial);
  EXPECT_EQ(GetDoubleAt(xp, 28), experience->Date);
  EXPECT_EQ(GetInt32At(xp, 40), survey->ID.Serial);
  EXPECT_EQ(GetDoubleAt(xp, 44), 44000.5);
  EXPECT_EQ(xp[52], 0);

  auto ss = RawRecord(fbScoreSheet, 1);
  ASSERT_EQ(ss.size(), 313u);
  EXPECT_EQ(ShortTextAt(ss, 12), "Bob");
  EXPECT_EQ(GetInt32At(ss, 52), experience->ID.Serial);
  EXPECT_EQ(GetInt16At(ss, 56), 3);
  EXPECT_EQ(GetDoubleAt(ss, 58), sheet->Date);
  EXPECT_EQ(ss[66], 4);
  EXPECT_EQ(ss[66 + 199], 5);
  EXPECT_EQ(ss[266], 1);
  EXPECT_EQ(ss[267], 1);
  for (std::size_t i = 268; i < 283; ++i) EXPECT_EQ(ss[i], 0) << i;
  EXPECT_EQ(ss[283], 1);
  EXPECT_EQ(ss[288], 3);  // answer byte 205
  EXPECT_EQ(ss[312], 0xFF);
}

TEST_F(RecordLayout, LongTextsAreCutToTheirFieldsAndEncodedAsSingleBytes) {
  TDepartment* department = MakeDepartment(std::string(40, 'c'), "Caf\xC3\xA9");
  TSurvey* survey = MakeSurvey(*department, 1, 1);
  TQuestion* question = survey->SkillAreas().At(0)->Questions().At(0);
  question->QuestionText = std::string(400, 'q');
  question->Date += 1;
  question->Save();
  auto fresh_suggestion = std::make_unique<TSuggestion>();
  fresh_suggestion->SuggestionText = std::string(600, 's');
  question->Suggestions().Adopt(std::move(fresh_suggestion));
  TSkillArea* area = survey->SkillAreas().At(0);
  area->Name = std::string(45, 'a');
  area->Date += 1;
  area->Save();
  Reopen();

  TCompany* company = root->Companies().At(0);
  EXPECT_EQ(company->Name, std::string(35, 'c'));
  TDepartment* d = company->Departments().At(0);
  EXPECT_EQ(d->Name, "Caf\xC3\xA9");
  TSkillArea* a = d->Surveys().At(0)->SkillAreas().At(0);
  EXPECT_EQ(a->Name, std::string(40, 'a'));
  TQuestion* q = a->Questions().At(0);
  EXPECT_EQ(q->QuestionText, std::string(300, 'q'));
  EXPECT_EQ(q->Suggestions().At(0)->SuggestionText, std::string(500, 's'));
  CloseAll();
  auto dt = RawRecord(fbDepartment, 1);
  EXPECT_EQ(dt[12], 4);
  EXPECT_EQ(dt[16], 0xE9);
}

TEST_F(RecordLayout, OldDayCountsAreConvertedWhenRead) {
  EXPECT_EQ(ConvertStoredDate(730000.0), 36406.0);
  EXPECT_EQ(FormatIsoDate(ConvertStoredDate(730000.0)), "1999-09-03");
  EXPECT_EQ(ConvertStoredDate(693594.0), 693594.0);
  EXPECT_EQ(ConvertStoredDate(36406.5), 36406.5);

  TDepartment* department = MakeDepartment();
  TSurvey* survey = MakeSurvey(*department, 1, 1);
  TSubject* subject = MakeSubject(*department, "Old");
  TExperience* experience = MakeExperience(*subject, *survey);
  const TObjectID id = experience->ID;
  CloseAll();
  // Write old-style day counts straight into the stored record.
  std::string bytes = ReadBytes(DataPath(fbExperience));
  const double old_date = 730000.0;
  const double old_experience_date = 730000.5;
  std::memcpy(bytes.data() + 68 + 28, &old_date, 8);
  std::memcpy(bytes.data() + 68 + 44, &old_experience_date, 8);
  WriteBytes(DataPath(fbExperience), bytes);
  std::filesystem::remove(IndexPath(fbExperience));
  Reopen();
  TExperience* e = root->Companies().At(0)->Departments().At(0)->Experiences().FindByID(id);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Date, 36406.0);
  EXPECT_EQ(e->ExperienceDate, 36406.5);
  // Compared converted: an edit dated 36406.0 is not newer than 730000.
  e->ExperienceDate = 1.0;
  e->Save();
  EXPECT_EQ(GetDoubleAt(RawRecord(fbExperience, 1), 44), 730000.5);
  e->Date = 36407.0;
  e->Save();
  EXPECT_EQ(GetDoubleAt(RawRecord(fbExperience, 1), 44), 1.0);
}

}  // namespace
}  // namespace zelvora::testing
