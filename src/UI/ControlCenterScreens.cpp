#include "UI/ControlCenterScreens.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <functional>
#include <memory>

#include "APP/CONFIGU.h"
#include "DB/Survobj.h"
#include "UI/CategoryDialog.h"
#include "UI/ControlCenterForm.h"
#include "UI/DateDialog.h"
#include "UI/MainForm.h"
#include "UI/NameDialog.h"
#include "UI/PrefixesDialog.h"
#include "UI/QuestionDialog.h"
#include "UI/RaterDialog.h"
#include "UI/Screenshots.h"
#include "UI/SelSurvDialog.h"
#include "UI/SkillAreaDialog.h"
#include "UI/SuggestionDialog.h"
#include "UI/SurveyDialog.h"
#include "UI/WidgetUserInterface.h"
#include "UI/model/CONCEN.h"
#include "UI/model/DateDlg.h"
#include "UI/model/EDITCATS.h"
#include "UI/model/EDITPREF.h"
#include "UI/model/EDITQUES.h"
#include "UI/model/EDITRATR.h"
#include "UI/model/EDITSKIL.h"
#include "UI/model/EDITSUGG.h"
#include "UI/model/EDITSURV.h"
#include "UI/model/MainFormModel.h"
#include "UI/model/NameForm.h"
#include "UI/model/Selsurv.h"

namespace zelvora {
namespace {

TControlCenterForm* Form(TScreenshotContext& context) {
  QMdiSubWindow* frame = context.main_form.ControlCenterWindow();
  return frame ? dynamic_cast<TControlCenterForm*>(frame->widget()) : nullptr;
}

// Clicks the first object of `list` (nothing when it has none).
TSurvObject* PickFirst(TControlCenter& model, int list) {
  const TCCList& entries = model.List(list);
  const int first = entries.FirstReal();
  if (first >= entries.Count()) return nullptr;
  model.Focus(list);
  model.Click(list, {first});
  return entries.ObjectAt(first);
}

// The window at a size that shows its lists; it is grabbed on its own, so the
// frame window keeps its placement.
QPixmap ShootWindow(TControlCenterForm& form) {
  form.Redraw();
  QWidget* frame = form.parentWidget() ? form.parentWidget() : &form;
  const QRect placed = frame->geometry();
  frame->setGeometry(placed.left(), placed.top(), 820, 500);
  QPixmap picture = Grab(*frame);
  frame->setGeometry(placed);
  return picture;
}

// The Organizations tab with the first company, department and survey
// chosen.
void PickFirstOrganization(TControlCenter& model) {
  model.ChangeTab(TCCTab::Organizations);
  PickFirst(model, CompanyLB);
  PickFirst(model, DepartmentLB);
  PickFirst(model, DepartmentSurveyLB);
}

QPixmap ShootOrganizations(TScreenshotContext& context) {
  TControlCenterForm* form = Form(context);
  if (!form) return {};
  TControlCenter& model = form->Model();
  PickFirstOrganization(model);
  return ShootWindow(*form);
}

QPixmap ShootSurveys(TScreenshotContext& context) {
  TControlCenterForm* form = Form(context);
  if (!form) return {};
  TControlCenter& model = form->Model();
  model.ChangeTab(TCCTab::Surveys);
  const TCCList& surveys = model.List(SurveyLB);
  // The first survey after the two question libraries, when there is one.
  for (int i = 1; i < surveys.Count(); ++i) {
    auto* survey = static_cast<TSurvey*>(surveys.ObjectAt(i));
    if (survey && survey->Name != kStandardSkillAreasName && survey->Name != kUserSkillAreasName) {
      model.Focus(SurveyLB);
      model.Click(SurveyLB, {i});
      break;
    }
  }
  PickFirst(model, SkillAreaLB);
  PickFirst(model, SurveyQuestionLB);
  return ShootWindow(*form);
}

QPixmap ShootQuestions(TScreenshotContext& context) {
  // The Questions tab exists in the unrestricted mode only: a second window
  // in that mode shows it.
  TControlCenterForm form(context.ui, &context.model.Config().Settings(),
                          TControlCenter::kUnrestrictedWord, nullptr);
  form.resize(820, 500);
  TControlCenter& model = form.Model();
  model.ChangeTab(TCCTab::Questions);
  PickFirst(model, QuestSkillAreaLB);
  PickFirst(model, QuestionLB);
  form.Redraw();
  return Grab(form);
}

QPixmap ShootDetail(TScreenshotContext& context) {
  TControlCenterForm* form = Form(context);
  if (!form) return {};
  TControlCenter& model = form->Model();
  PickFirstOrganization(model);
  model.ShowClick();
  PickFirst(model, SubjectLB);
  PickFirst(model, ExperienceLB);
  PickFirst(model, RaterLB);
  QPixmap picture = ShootWindow(*form);
  model.DoneClick();
  form->Redraw();
  return picture;
}

// The objects the dialogs are shown over: the first of each kind in the
// database (any may be missing in a fresh one).
struct TSamples {
  TCompany* company = nullptr;
  TSurvey* survey = nullptr;
  TSkillArea* area = nullptr;
  TQuestion* question = nullptr;
  TSuggestion* suggestion = nullptr;
  TExperience* experience = nullptr;
  TScoreSheet* sheet = nullptr;
  // Stand-ins, outside the database, for what a fresh database lacks.
  std::shared_ptr<TCompany> own_company;
  std::shared_ptr<TExperience> own_experience;
  std::shared_ptr<TScoreSheet> own_sheet;
};

TSamples Samples(TDataRoot& root) {
  TSamples s;
  if (root.Companies().Count() > 0) s.company = root.Companies().Items(0);
  if (s.company && s.company->Departments().Count() > 0) {
    TDepartment* department = s.company->Departments().Items(0);
    if (department->Surveys().Count() > 0) s.survey = department->Surveys().Items(0);
    if (department->Subjects().Count() > 0) {
      TSubject* subject = department->Subjects().Items(0);
      if (subject->Experiences().Count() > 0) {
        s.experience = subject->Experiences().Items(0);
        if (s.experience->ScoreSheets().Count() > 1) s.sheet = s.experience->ScoreSheets().Items(1);
      }
    }
  }
  if (s.survey && s.survey->SkillAreas().Count() > 0) {
    s.area = s.survey->SkillAreas().Items(0);
    if (s.area->Questions().Count() > 0) {
      s.question = s.area->Questions().Items(0);
      if (s.question->Suggestions().Count() > 0) s.suggestion = s.question->Suggestions().Items(0);
    }
  }
  if (!s.company) {
    s.own_company = std::make_shared<TCompany>();
    s.company = s.own_company.get();
  }
  if (!s.experience) {
    s.own_experience = std::make_shared<TExperience>();
    s.experience = s.own_experience.get();
  }
  if (!s.sheet) {
    s.own_sheet = std::make_shared<TScoreSheet>();
    s.own_sheet->RaterCategory = 1;
    s.sheet = s.own_sheet.get();
  }
  return s;
}

template <class Dialog, class Model>
QPixmap ShootDialog(Model& model, TScreenshotContext& context) {
  Dialog dialog(model, &context.main_form);
  QPixmap picture = Grab(dialog);
  dialog.hide();
  return picture;
}

using TScreen = std::function<QPixmap(TScreenshotContext&, TControlCenterForm&, TSamples&)>;

void AddDialog(TScreenshotRegistry& registry, const char* name, TScreen screen) {
  registry.Add(name, [screen](TScreenshotContext& context) -> QPixmap {
    TControlCenterForm* form = Form(context);
    if (!form) return {};
    TSamples samples = Samples(form->Model().Root());
    return screen(context, *form, samples);
  });
}

TSectionedConfigFile* Settings(TScreenshotContext& context) {
  return &context.model.Config().Settings();
}

}  // namespace

void RegisterControlCenterScreens(TScreenshotRegistry& registry) {
  registry.Add("control-center-organizations", ShootOrganizations);
  registry.Add("control-center-surveys", ShootSurveys);
  registry.Add("control-center-questions", ShootQuestions);
  registry.Add("control-center-detail", ShootDetail);

  AddDialog(registry, "name-new", [](auto& c, auto&, auto&) {
    TNameForm form("New Company...", "Company Name:", TEditMode::New);
    return ShootDialog<TNameDialog>(form, c);
  });
  AddDialog(registry, "name-edit", [](auto& c, auto&, TSamples& s) {
    TNameForm form("Edit Company...", "Company Name:", TEditMode::Edit,
                   s.company ? s.company->Name : "");
    return ShootDialog<TNameDialog>(form, c);
  });
  AddDialog(registry, "skill-area-new", [](auto& c, auto&, auto&) {
    TNewEditSkillAreaForm form(TEditMode::New, Settings(c));
    return ShootDialog<TSkillAreaDialog>(form, c);
  });
  AddDialog(registry, "skill-area-edit", [](auto& c, auto&, TSamples& s) {
    TNewEditSkillAreaForm form(TEditMode::Edit, Settings(c), s.area);
    return ShootDialog<TSkillAreaDialog>(form, c);
  });
  AddDialog(registry, "question-new", [](auto& c, auto&, TSamples& s) {
    TNewEditQuestionForm form(TEditMode::New, s.area);
    return ShootDialog<TQuestionDialog>(form, c);
  });
  AddDialog(registry, "question-edit", [](auto& c, auto&, TSamples& s) {
    TNewEditQuestionForm form(TEditMode::Edit, s.area, s.question ? s.question->QuestionText : "");
    return ShootDialog<TQuestionDialog>(form, c);
  });
  AddDialog(registry, "suggestion-new", [](auto& c, auto&, auto&) {
    TNewEditSuggestionForm form(TEditMode::New);
    return ShootDialog<TSuggestionDialog>(form, c);
  });
  AddDialog(registry, "suggestion-edit", [](auto& c, auto&, TSamples& s) {
    TNewEditSuggestionForm form(TEditMode::Edit, s.suggestion ? s.suggestion->SuggestionText : "");
    return ShootDialog<TSuggestionDialog>(form, c);
  });
  AddDialog(registry, "survey-new", [](auto& c, auto&, auto&) {
    TNewEditSurveyForm form(TEditMode::New);
    return ShootDialog<TSurveyDialog>(form, c);
  });
  AddDialog(registry, "survey-edit", [](auto& c, auto&, TSamples& s) {
    TNewEditSurveyForm form(TEditMode::Edit, s.survey);
    return ShootDialog<TSurveyDialog>(form, c);
  });
  AddDialog(registry, "categories", [](auto& c, auto&, TSamples& s) -> QPixmap {
    if (!s.company) return {};
    TNewEditCategoryForm form(*s.company, Settings(c), c.ui);
    return ShootDialog<TCategoryDialog>(form, c);
  });
  AddDialog(registry, "rater-new", [](auto& c, auto&, TSamples& s) -> QPixmap {
    if (!s.company || !s.experience) return {};
    TNewEditRaterForm form(*s.experience, *s.company, Settings(c), c.ui);
    return ShootDialog<TRaterDialog>(form, c);
  });
  AddDialog(registry, "rater-edit", [](auto& c, auto&, TSamples& s) -> QPixmap {
    if (!s.company || !s.sheet) return {};
    TNewEditRaterForm form(*s.sheet, *s.company, Settings(c), c.ui);
    return ShootDialog<TRaterDialog>(form, c);
  });
  AddDialog(registry, "question-prefixes", [](auto& c, auto&, auto&) {
    TEditPrefixesForm form(Settings(c));
    return ShootDialog<TPrefixesDialog>(form, c);
  });
  AddDialog(registry, "date-new", [](auto& c, auto&, auto&) {
    TDateEntryDialog form("Add Experience...", "\nEnter the experience date:", "&Add");
    form.SetDate(std::nullopt);
    TDateDialog dialog(form, c.ui, &c.main_form);
    return Grab(dialog);
  });
  AddDialog(registry, "date-edit", [](auto& c, auto&, TSamples& s) {
    TDateEntryDialog form("Edit Experience...", "\nEnter the experience date:", "&Ok");
    form.SetDate(s.experience ? s.experience->ExperienceDate : 45366.0);
    TDateDialog dialog(form, c.ui, &c.main_form);
    return Grab(dialog);
  });
  AddDialog(registry, "survey-selection", [](auto& c, TControlCenterForm& f, auto&) {
    std::vector<TSurvey*> surveys;
    for (TSurvObject* item : f.Model().Root().LibrarySurveys().Raw()) {
      auto* survey = static_cast<TSurvey*>(item);
      if (survey->Name != kStandardSkillAreasName && survey->Name != kUserSkillAreasName)
        surveys.push_back(survey);
    }
    // The list as SelectSurveys fills it, without showing the dialog modally.
    struct TFill : TWidgetUserInterface {
      bool SelectSurveys(TSelSurvForm&) override { return false; }
    } fill;
    TSelSurvForm filled(fill);
    filled.SelectSurveys(surveys);
    return ShootDialog<TSelSurvDialog>(filled, c);
  });
}

}  // namespace zelvora
