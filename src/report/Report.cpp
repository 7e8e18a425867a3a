#include "report/Report.h"

#include <algorithm>
#include <cmath>

#include "base/Cp1252.h"
#include "base/DateTime.h"
#include "report/GapCategories.h"
#include "report/GapError.h"
#include "report/PrintFonts.h"
#include "report/ReportPage.h"

namespace zelvora {
namespace {

// The return date below which forms ask for return as soon as possible.
const double kReturnDateFloor = EncodeDate(1980, 1, 1);

}  // namespace

const char* ReportFooterNotice(int kind) {
  switch (kind) {
    case kReportComposite:
    case kReportOrganizational:
    case kReportTraining:
      return kReportFooterGroupNotice;
    case kReportRaterForms:
    case kReportBlankForms:
      return kReportFooterFormNotice;
    case kReportSkillArea:
      return kReportFooterListingNotice;
    default:
      return kReportFooterNotice;
  }
}

TReport360::TReport360(const TReportConfig& config)
    : TReportBase(0), TodayDate(Today()), config_(config), return_date_(kReturnDateFloor) {
  ErrorMessage = kReportNoOutput;
  SurvDoesTag = config.Text(TReportText::SurveyDoesTag);
  SurvShouldTag = config.Text(TReportText::SurveyShouldTag);
}

TReport360::~TReport360() = default;

bool TReport360::Prepare(const void* params) {
  if (params == nullptr) return !Cancelled;
  return Prepare(*static_cast<const TReportRequest*>(params));
}

bool TReport360::Prepare(const TReportRequest& request) {
  if (Cancelled) return false;
  request_ = request;
  request_.Options &= static_cast<std::uint16_t>(
      ~(kOptHeaderFooterBar | kOptGraphOver | kOptGraphUnder | kOptUseColor));
  if (config_.HeaderFooterBar()) request_.Options |= kOptHeaderFooterBar;
  if (config_.GraphOver()) request_.Options |= kOptGraphOver;
  if (config_.GraphUnder()) request_.Options |= kOptGraphUnder;
  if (config_.UseColor()) request_.Options |= kOptUseColor;
  return_date_ = request.ReturnDate > kReturnDateFloor ? request.ReturnDate : kReturnDateFloor;
  request_.ReturnDate = return_date_;
  request_.ReportName = CutToChars(request.ReportName, 31);
  Copies = std::max(1, request.Copies);
  return true;
}

void TReport360::ResetFonts() {
  if (Printer == nullptr) return;
  LoadReportFonts(*Printer, config_);
  ShadeColor = static_cast<std::int32_t>(config_.ShadeColorValue().value & 0xFFFFFF);
  BoxColor = (request_.Options & kOptUseColor) != 0
                 ? static_cast<std::int32_t>(config_.BoxColorValue().value & 0xFFFFFF)
                 : 0;
}

void TReport360::Cancel() {
  TReportBase::Cancel();
  ErrorMessage = kReportCancelled;
}

bool TReport360::Generate() {
  if (Printer == nullptr || Cancelled) return false;
  ResetFonts();
  if (!Printer->Open((request_.Options & kOptUseColor) != 0, 0, 0, " ", false)) {
    ErrorMessage = kReportNoPrinter;
    return false;
  }
  ErrorMessage = kReportNoValidData;
  TReportPage run(*this, *Printer);
  produced_ = false;
  page_ = 0;
  switch (request_.Kind) {
    case kReportIndividual:
      RunEntries(run);
      break;
    case kReportComposite:
      RunAveraged(run);
      break;
    case kReportComparative:
      RunComparative(run);
      break;
    case kReportTraining:
    case kReportOrganizational:
      RunAveraged(run);
      break;
    case kReportSkillArea:
      RunSkillAreas(run);
      break;
    case kReportRaterForms:
    case kReportBlankForms:
      RunForms(run);
      break;
    default:
      break;
  }
  if (run.page_open) Printer->EndPage();
  Printer->Close();
  return produced_ && !Cancelled;
}

void TReport360::RunEntries(TReportPage& run) {
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.Data == nullptr || entry.Data->Survey == nullptr) continue;
    const TReportExperience& data = *entry.Data;
    const bool title = (request_.Options & kOptTitlePage) != 0;
    page_ = title ? -1 : 0;
    run.subject = request_.ReportName.empty() ? data.Experience.SubjectName : request_.ReportName;
    run.company = data.CompanyName;
    run.survey = data.Survey;
    run.experiences = {data.Experience};
    run.company_categories = data.CompanyCategories;
    NotifyStart("Individual Feedback", data.Experience.SubjectName, 0, 0, 0);
    try {
      run.categories = IndividualCategories(data.CompanyCategories, data.Experience);
    } catch (const EGapError& error) {
      ErrorMessage = error.what();
      continue;
    }
    if (title) run.TitlePage(data.Experience.SubjectName);
    for (int section = 1; section < 16; ++section) {
      if ((request_.Sections & (1u << section)) == 0) continue;
      if (Cancelled || Printer->Aborted) break;
      if (RunSection(run, section)) produced_ = true;
      NotifyEnd("", "", section);
    }
  }
}

void TReport360::RunAveraged(TReportPage& run) {
  std::vector<const TReportExperience*> selected;
  for (const TReportSourceEntry& entry : request_.Sources)
    if (entry.Selected && entry.Data != nullptr && entry.Data->Survey != nullptr)
      selected.push_back(entry.Data.get());
  const bool training = request_.Kind == kReportTraining;
  const bool organizational = request_.Kind == kReportOrganizational;
  if (!training && selected.size() < 2) {
    ErrorMessage = kReportTwoToAverage;
    return;
  }
  if (organizational && std::none_of(request_.Departments.begin(), request_.Departments.end(),
                                     [](const TReportDepartment& d) { return d.Selected; })) {
    ErrorMessage = kReportOneDepartment;
    return;
  }
  if (selected.empty()) return;
  // The sections read every experience's answers against the first one's
  // questions: experiences of another instrument would be read wrongly.
  // Departments' copies of one library survey are the same instrument.
  for (const TReportExperience* e : selected) {
    if (!e->Survey->SameInstrument(*selected.front()->Survey)) {
      ErrorMessage = kReportMixedSurveys;
      return;
    }
  }
  const char* const title_text = training         ? "Training Report"
                                 : organizational ? "Organizational Report"
                                                  : "Composite Report";
  const TReportExperience& first = *selected.front();
  run.subject = request_.ReportName.empty() ? title_text : request_.ReportName;
  run.company = first.CompanyName;
  run.survey = first.Survey;
  run.company_categories = first.CompanyCategories;
  run.experiences.clear();
  for (const TReportExperience* e : selected) run.experiences.push_back(e->Experience);
  // The notification titles are kept as the preview shows them.
  NotifyStart(organizational ? "Organizataional Report" : title_text, "", 0, 0, 0);
  if (!training) {
    try {
      run.categories = CommonCategories(first.CompanyCategories, run.experiences);
    } catch (const EGapError& error) {
      ErrorMessage = error.what();
      return;
    }
  }
  // The trainer's table is laid out across the page.
  Printer->SetOrientation(training ? 1 : 0);
  const bool title = (request_.Options & kOptTitlePage) != 0;
  page_ = title ? -1 : 0;
  if (title) {
    run.TitlePage(title_text);
    if (!training && !organizational) {
      run.header_bar = config_.Text(TReportText::TitleHeaderBar);
      run.CompositeList(selected);
    }
  }
  for (int section = 1; section < 16; ++section) {
    if ((request_.Sections & (1u << section)) == 0) continue;
    if (Cancelled || Printer->Aborted) break;
    if (RunSection(run, section)) produced_ = true;
    NotifyEnd("", "", section);
  }
  Printer->SetOrientation(0);
}

void TReport360::RunComparative(TReportPage& run) {
  // The selected experiences of each subject; the list separates subjects by
  // an empty entry.
  std::vector<std::vector<const TReportExperience*>> subjects(1);
  std::size_t total = 0;
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (entry.Data == nullptr) {
      if (!subjects.back().empty()) subjects.emplace_back();
      continue;
    }
    if (!entry.Selected || entry.Data->Survey == nullptr) continue;
    subjects.back().push_back(entry.Data.get());
    ++total;
  }
  ErrorMessage = kReportSelectionError;
  bool failed = false;
  if (total % 2 != 0) {
    ErrorMessage = kReportNotTwoEach;
    failed = true;
  }
  bool single = false;
  for (const auto& s : subjects) single = single || s.size() == 1;
  if (total < 2 || single) {
    ErrorMessage = kReportTwoForEach;
    failed = true;
  }
  // Taking the experiences two at a time across subjects would compare two
  // different people; every subject must have exactly two.
  for (const auto& s : subjects) {
    if (!failed && !s.empty() && s.size() != 2) {
      ErrorMessage = kReportNotTwoEach;
      failed = true;
    }
  }
  if (failed) return;
  const bool title = (request_.Options & kOptTitlePage) != 0;
  for (const auto& pair : subjects) {
    if (pair.empty()) continue;
    if (Cancelled || Printer->Aborted) break;
    std::vector<const TReportExperience*> sorted = pair;
    // Older first; the date key orders by calendar day, the list order breaks ties.
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
      return std::floor(a->Experience.ExperienceDate) < std::floor(b->Experience.ExperienceDate);
    });
    if (!sorted[0]->Survey->SameInstrument(*sorted[1]->Survey)) {
      ErrorMessage = kReportMixedSurveys;
      continue;
    }
    const TReportExperience& newer = *sorted[1];
    page_ = title ? -1 : 0;
    run.subject = request_.ReportName.empty() ? newer.Experience.SubjectName : request_.ReportName;
    run.company = newer.CompanyName;
    run.survey = newer.Survey;
    run.company_categories = newer.CompanyCategories;
    run.experiences = {sorted[0]->Experience, sorted[1]->Experience};
    NotifyStart("Comparative", newer.Experience.SubjectName, 0, 0, 0);
    if (title) run.TitlePage(newer.Experience.SubjectName);
    if ((request_.Sections & (1u << 5)) != 0 && RunSection(run, 5)) produced_ = true;
    NotifyEnd("", "", 5);
  }
}

void TReport360::RunForms(TReportPage& run) {
  const bool blank = request_.Kind == kReportBlankForms;
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.Form == nullptr) continue;
    TReportForm form = *entry.Form;
    if (blank) {
      // A fresh empty score sheet: no rater; the category from the options.
      form.HasSheet = true;
      form.RaterName.clear();
      form.CategoryNumber = kSelfCategory;
      form.CategoryName = (request_.Options & kOptBlankSelf) != 0    ? "Self"
                          : (request_.Options & kOptBlankOther) != 0 ? "Other"
                                                                     : "";
      std::size_t questions = 0;
      for (const TReportFormArea& area : form.Areas) questions += area.Questions.size();
      if (questions == 0) {
        ErrorMessage = kReportNoQuestions;
        continue;
      }
    }
    page_ = 0;
    run.survey = nullptr;
    NotifyStart("Rater Survey", form.SubjectName, 0, 0, 0);
    if ((request_.Sections & (1u << 11)) != 0 && run.FormSection(form)) produced_ = true;
    NotifyEnd("", "", 11);
  }
}

void TReport360::RunSkillAreas(TReportPage& run) {
  for (const TReportSourceEntry& entry : request_.Sources) {
    if (Cancelled || Printer->Aborted) break;
    if (!entry.Selected || entry.SkillArea == nullptr) continue;
    page_ = 0;
    run.survey = nullptr;
    NotifyStart(entry.SkillArea->Name, "", 0, 0, 0);
    if ((request_.Sections & (1u << 9)) != 0 &&
        run.SkillAreaSection(*entry.SkillArea, request_.Unrestricted))
      produced_ = true;
    NotifyEnd("", "", 9);
  }
}

bool TReport360::RunSection(TReportPage& run, int section) {
  try {
    switch (section) {
      case 1:
        return run.CategorySection();
      case 2:
        return run.PracticesSection();
      case 3:
        return run.OverviewSection();
      case 4:
        return run.SummarySection();
      case 5:
        return run.ComparativeSection();
      case 6:
      case 7: {
        std::vector<std::string> departments;
        for (const TReportDepartment& d : request_.Departments)
          if (d.Selected) departments.push_back(d.Name);
        return run.OrganizationalSection(
            section == 6 ? TGapOrgVariant::SkillAreas : TGapOrgVariant::Items, departments);
      }
      case 8:
        return run.TrainingSection();
      default:
        return false;
    }
  } catch (const EGapError& error) {
    ErrorMessage = error.what();
    return false;
  }
}

}  // namespace zelvora
