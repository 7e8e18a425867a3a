// The Control Center's changes over the record-store database: what the
// actions save is there after the database is opened again.
#include <gtest/gtest.h>

#include "APP/SectionedConfigFile.h"
#include "APP/TempFolder.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "UI/model/CONCEN.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {
namespace {

using Strings = std::vector<std::string>;

class ControlCenterRecordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Reopen(); }
  void TearDown() override {
    cc.reset();
    db.reset();
  }
  // Closes everything and starts again as the next run of the program would.
  void Reopen() {
    cc.reset();
    if (db) db->Close();
    db = std::make_unique<TSurveyDB>();
    db->Open(folder.path().string() + "/");
    cc = std::make_unique<TControlCenter>(ui, &settings, "");
  }
  int At(int list, const std::string& text) const {
    const auto& entries = cc->List(list).Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (entries[i].Text == text) return static_cast<int>(i);
    return -1;
  }
  Strings Texts(int list) const {
    Strings texts;
    for (const auto& entry : cc->List(list).Entries()) texts.push_back(entry.Text);
    return texts;
  }
  void Name(const std::string& name) {
    ui.Script<TNameForm>([name](TNameForm& form) {
      form.Name = name;
      return true;
    });
  }
  void NewSkillArea(const std::string& name) {
    ui.Script<TNewEditSkillAreaForm>([name](TNewEditSkillAreaForm& form) {
      form.SkillAreaName = name;
      return true;
    });
  }
  void NewQuestion(const std::string& text) {
    ui.Script<TNewEditQuestionForm>([text](TNewEditQuestionForm& form) {
      form.QuestionText = text;
      return true;
    });
  }

  TempFolder folder;
  TFakeUserInterface ui;
  TSectionedConfigFile settings;
  std::unique_ptr<TSurveyDB> db;
  std::unique_ptr<TControlCenter> cc;
};

TEST_F(ControlCenterRecordStoreTest, AnOrganizationAndASurveyBuiltThroughTheLists) {
  // A library survey of two skill areas with five questions each.
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {0});
  ui.Script<TNewEditSurveyForm>([](TNewEditSurveyForm& form) {
    form.SetSurveyName("Leadership");
    form.SetSurveyAuthor("Me");
    return true;
  });
  cc->CreateClick();
  for (const char* area : {"Listening", "Coaching"}) {
    cc->Focus(SkillAreaLB);
    NewSkillArea(area);
    cc->CreateClick();
    for (int q = 0; q < 5; ++q) {
      cc->Focus(SurveyQuestionLB);
      NewQuestion(std::string(area) + " " + std::to_string(q));
      cc->CreateClick();
    }
  }
  // Coaching moves above Listening.
  cc->Click(SkillAreaLB, {2});
  cc->Drop(SkillAreaLB, SkillAreaLB, 1);
  ASSERT_EQ(Texts(SkillAreaLB), (Strings{"Add New Skill Area...", "Coaching", "Listening"}));

  // Acme / Sales with a copy of the survey.
  cc->ChangeTab(TCCTab::Organizations);
  cc->Click(CompanyLB, {0});
  Name("Acme");
  cc->CreateClick();
  cc->Focus(DepartmentLB);
  Name("Sales");
  cc->CreateClick();
  cc->Click(DepartmentSurveyLB, {0});
  ui.Script<TSelSurvForm>([](TSelSurvForm& form) {
    form.Click({0});
    return true;
  });
  cc->CreateClick();
  ASSERT_EQ(Texts(DepartmentSurveyLB), (Strings{"Add Department Survey...", "Leadership"}));

  // Ann with one experience rated by herself and two others.
  cc->Click(DepartmentSurveyLB, {1});
  cc->ShowClick();
  ASSERT_EQ(cc->Page(), TCCPage::Detail);
  Name("Ann");
  cc->CreateClick();
  cc->Focus(ExperienceLB);
  ui.Script<TDateEntryDialog>([](TDateEntryDialog& dialog) {
    dialog.DateText = "3/15/2024";
    return true;
  });
  cc->CreateClick();
  cc->Focus(RaterLB);
  ui.Script<TNewEditRaterForm>([](TNewEditRaterForm& form) {
    form.SelectedCategory = 0;
    form.RaterName = "Bob";
    form.Add();
    form.SelectedCategory = 0;
    form.RaterName = "Cy";
    form.Add();
    return false;
  });
  cc->CreateClick();
  ASSERT_EQ(cc->List(RaterLB).Count(), 4);
  // Bob's sheet is completed and deleted.
  auto* experience = static_cast<TExperience*>(cc->List(ExperienceLB).ObjectAt(1));
  for (TSurvObject* object : experience->ScoreSheets().Raw()) {
    auto* sheet = static_cast<TScoreSheet*>(object);
    if (sheet->RaterName != "Bob") continue;
    sheet->Completed = true;
    sheet->Touch();
    sheet->Save();
  }
  ASSERT_EQ(cc->List(RaterLB).Entries()[2].Text.substr(0, 5), "Bob (");
  cc->Click(RaterLB, {2});
  ui.Answers = {true};
  cc->KeyDelete();

  Reopen();
  EXPECT_EQ(Texts(CompanyLB), (Strings{"Add New Company...", "Acme"}));
  cc->Click(CompanyLB, {1});
  cc->Click(DepartmentLB, {1});
  cc->Click(DepartmentSurveyLB, {1});
  auto* copy = static_cast<TSurvey*>(cc->List(DepartmentSurveyLB).ObjectAt(1));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Questions().Size(), 10);
  EXPECT_EQ(copy->Questions().At(0)->QuestionText, "Coaching 0");
  cc->ShowClick();
  ASSERT_EQ(Texts(SubjectLB), (Strings{"Add New Subject...", "Ann"}));
  cc->Click(SubjectLB, {1});
  ASSERT_EQ(Texts(ExperienceLB), (Strings{"Add New Experience...", "2024-03-15"}));
  cc->Click(ExperienceLB, {1});
  experience = static_cast<TExperience*>(cc->List(ExperienceLB).ObjectAt(1));
  EXPECT_EQ(experience->ScoreSheetsDeleted, 1);
  ASSERT_EQ(cc->List(RaterLB).Count(), 3);
  EXPECT_EQ(cc->List(RaterLB).Entries()[1].Text.substr(0, 5), "Ann (");
  EXPECT_EQ(cc->List(RaterLB).Entries()[2].Text.substr(0, 4), "Cy (");
  auto* company = static_cast<TCompany*>(cc->List(CompanyLB).ObjectAt(1));
  EXPECT_NE(company->FindRater("Ann"), nullptr);
  EXPECT_NE(company->FindRater("Bob"), nullptr);

  cc->DoneClick();
  cc->ChangeTab(TCCTab::Surveys);
  cc->Click(SurveyLB, {At(SurveyLB, "Leadership")});
  EXPECT_EQ(Texts(SkillAreaLB), (Strings{"Add New Skill Area...", "Coaching", "Listening"}));
}

TEST_F(ControlCenterRecordStoreTest, RenamesAndCategoriesSurviveAReopen) {
  cc->Click(CompanyLB, {0});
  Name("Acme");
  cc->CreateClick();
  ui.Script<TNewEditCategoryForm>([](TNewEditCategoryForm& form) {
    form.TypeName("Peer");
    form.DeleteSelected();
    form.TypeName("Mentor");
    form.Add();
    return true;
  });
  ui.Answers = {true};
  cc->ShowClick();
  Name("Acme Ltd");
  cc->EditClick();

  Reopen();
  ASSERT_EQ(Texts(CompanyLB), (Strings{"Add New Company...", "Acme Ltd"}));
  auto* company = static_cast<TCompany*>(cc->List(CompanyLB).ObjectAt(1));
  EXPECT_EQ(company->LastCategoryNumber, 8);
  EXPECT_EQ(company->CategoryName(8), "Mentor");
  EXPECT_EQ(company->CategoryName(3), "");
  EXPECT_EQ(settings.ReadSection(company->ID.Key()), Strings{"3=Peer"});
}

}  // namespace
}  // namespace zelvora::testing
