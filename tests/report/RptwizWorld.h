// A stored organisation for the report wizard's tests, in an in-memory
// database:
//   Zeta Corp / Ops               (survey Leadership, no subjects)
//   Acme / Sales                  surveys Leadership, Teamwork
//          Ann: Leadership x3 (2026-01-05, 2026-03-10, 2026-06-01), Teamwork x1
//          Bob: Leadership x1 (2026-02-02)
//   Acme / Support                surveys Leadership, Service
//          Cy:  Leadership x2 (2026-04-04, 2026-05-05), Service x1
//   Acme / Empty                  nothing
// Every experience has two score sheets, "<subject> Self" and "<subject> Boss".
// Plus the fake the wizard talks to.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DB/MemoryDB.h"
#include "DB/Survobj.h"
#include "base/DateTime.h"
#include "report/ReportWizardUI.h"
#include "report/Rptwiz.h"

namespace zelvora::testing {

struct TRptwizWorld {
  TMemoryDB db{52, 1};
  std::unique_ptr<TDataRoot> root;
  TCompany* acme = nullptr;
  TDepartment* sales = nullptr;
  TDepartment* support = nullptr;

  template <class T>
  static std::unique_ptr<T> Fresh() {
    auto object = std::make_unique<T>();
    object->Date = 45000.0;
    return object;
  }

  TSurvey* AddSurvey(TDepartment* d, const std::string& name) {
    auto s = Fresh<TSurvey>();
    s->Name = name;
    s->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* survey = d->Surveys().Adopt(std::move(s));
    auto area = Fresh<TSkillArea>();
    area->Name = "Listening";
    area->Order = 1;
    TSkillArea* added = survey->SkillAreas().Adopt(std::move(area));
    for (int q = 1; q <= 2; ++q) {
      auto question = Fresh<TQuestion>();
      question->QuestionText = "Question " + std::to_string(q);
      question->Order = static_cast<std::int16_t>(q);
      added->Questions().Adopt(std::move(question));
    }
    return survey;
  }

  TSubject* AddSubject(TDepartment* d, const std::string& name) {
    auto p = Fresh<TSubject>();
    p->Name = name;
    return d->Subjects().Adopt(std::move(p));
  }

  TExperience* AddExperience(TSubject* subject, TSurvey* survey, int y, int m, int day,
                             bool sheets = true) {
    auto e = Fresh<TExperience>();
    e->SubjectID = subject->ID;
    e->SurveyID = survey->ID;
    e->ExperienceDate = EncodeDate(y, m, day);
    TExperience* experience = subject->Experiences().Adopt(std::move(e));
    if (!sheets) return experience;
    for (const char* rater : {" Self", " Boss"}) {
      auto sheet = Fresh<TScoreSheet>();
      sheet->RaterName = subject->Name + rater;
      sheet->RaterCategory = rater[1] == 'S' ? 0 : 1;
      experience->ScoreSheets().Adopt(std::move(sheet));
    }
    return experience;
  }

  TRptwizWorld() {
    db.Open();
    root = std::make_unique<TDataRoot>();
    auto z = Fresh<TCompany>();
    z->Name = "Zeta Corp";
    TCompany* zeta = root->Companies().Adopt(std::move(z));
    auto ops = Fresh<TDepartment>();
    ops->Name = "Ops";
    AddSurvey(zeta->Departments().Adopt(std::move(ops)), "Leadership");
    auto c = Fresh<TCompany>();
    c->Name = "Acme";
    acme = root->Companies().Adopt(std::move(c));
    for (const char* name : {"Sales", "Support", "Empty"}) {
      auto d = Fresh<TDepartment>();
      d->Name = name;
      acme->Departments().Adopt(std::move(d));
    }
    sales = acme->Departments().At(0);
    support = acme->Departments().At(1);
    TSurvey* lead = AddSurvey(sales, "Leadership");
    TSurvey* team = AddSurvey(sales, "Teamwork");
    TSurvey* lead2 = AddSurvey(support, "Leadership");
    TSurvey* service = AddSurvey(support, "Service");
    TSubject* ann = AddSubject(sales, "Ann");
    TSubject* bob = AddSubject(sales, "Bob");
    TSubject* cy = AddSubject(support, "Cy");
    AddExperience(ann, lead, 2026, 1, 5);
    AddExperience(ann, lead, 2026, 3, 10);
    AddExperience(ann, lead, 2026, 6, 1);
    AddExperience(ann, team, 2026, 7, 7);
    AddExperience(bob, lead, 2026, 2, 2);
    AddExperience(cy, lead2, 2026, 4, 4);
    AddExperience(cy, lead2, 2026, 5, 5);
    AddExperience(cy, service, 2026, 8, 8);
  }
};

// Answers scripted by the test; records what the wizard handed on.
class TFakeReportWizardUI : public TReportWizardUI {
 public:
  bool password_ok = true;
  int password_asked = 0;
  std::optional<double> return_date;
  std::string name_typed = "Grouped Results";
  std::vector<std::string> asked;  // prompts of the date and name dialogs
  std::vector<std::string> errors;
  std::vector<TReportRequest> requests;
  std::vector<bool> printed;
  std::string disks_caption;
  std::vector<TScoreSheet*> disk_sheets;

  bool CheckPrintPassword() override {
    ++password_asked;
    return password_ok;
  }
  std::optional<double> AskReturnDate(const std::string& prompt, double) override {
    asked.push_back(prompt);
    return return_date;
  }
  std::string AskText(const std::string& title, const std::string& prompt,
                      const std::string& text) override {
    asked.push_back(title + "|" + prompt + "|" + text);
    return name_typed;
  }
  void RunReport(const TReportRequest& request, bool print) override {
    requests.push_back(request);
    printed.push_back(print);
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void MakeSurveyDisks(const std::string& caption,
                       const std::vector<TScoreSheet*>& sheets) override {
    disks_caption = caption;
    disk_sheets = sheets;
  }
};

// Selects the entries whose text is one of `texts` on the wizard's page.
inline void SelectTexts(TRptWiz& wiz, const std::vector<std::string>& texts) {
  const auto& list = wiz.List(wiz.Page());
  for (std::size_t i = 0; i < list.size(); ++i)
    for (const std::string& t : texts)
      if (list[i].Text == t) wiz.SetSelected(static_cast<int>(i), true);
}

inline std::vector<std::string> Texts(const TRptWiz& wiz, int page) {
  std::vector<std::string> out;
  for (const TRptWizEntry& e : wiz.List(page)) out.push_back(e.Text);
  return out;
}

inline std::vector<std::string> SelectedTexts(const TRptWiz& wiz, int page) {
  std::vector<std::string> out;
  for (const TRptWizEntry& e : wiz.List(page))
    if (e.Selected) out.push_back(e.Text);
  return out;
}

// Category, company Acme, `departments`, in the wizard's current order up
// to the page after the departments.
inline void ToDepartments(TRptWiz& wiz, int category, const std::vector<std::string>& departments) {
  wiz.SetCategory(category);
  wiz.Next();
  SelectTexts(wiz, {"Acme"});
  wiz.Next();
  SelectTexts(wiz, departments);
}

}  // namespace zelvora::testing
