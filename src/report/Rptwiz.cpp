#include "report/Rptwiz.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "DB/Company.h"
#include "DB/DataRoot.h"
#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/ScoreSheet.h"
#include "DB/Subject.h"
#include "DB/Survey.h"
#include "base/DateTime.h"
#include "report/ReportSource.h"
#include "report/ReportWizardUI.h"

namespace zelvora {

namespace {

constexpr std::array<const char*, kRptWizCategories> kCategoryNames = {
    "Individual", "Comparative",   "Composite",  "Organizational",
    "Training",   "Rater Surveys", "Rater Disks"};
constexpr std::array<int, kRptWizCategories> kCategoryKinds = {1, 3, 2, 4, 5, 6, 8};
constexpr int kKindRaterDisks = 8;

// The first `max_chars` characters of UTF-8 text.
std::string CutChars(const std::string& text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars == max_chars) return text.substr(0, i);
    ++chars;
  }
  return text;
}

// "Tue Dec 22, 2026".
std::string ReturnDateText(double date) {
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const CivilDate civil = DecodeDate(date);
  // Day 0 (1899-12-30) was a Saturday.
  const long long day = static_cast<long long>(std::floor(date));
  const int weekday = static_cast<int>(((day + 6) % 7 + 7) % 7);
  return std::string(kDays[static_cast<std::size_t>(weekday)]) + " " +
         kMonths[static_cast<std::size_t>(civil.month - 1)] + " " + std::to_string(civil.day) +
         ", " + std::to_string(civil.year);
}

bool HasSurveyNamed(TSubject& subject, const std::string& name) {
  TSurveyList& surveys = subject.Surveys();
  for (int i = 0; i < surveys.Size(); ++i)
    if (surveys.At(i)->Name == name) return true;
  return false;
}

}  // namespace

const char* RptWizCategoryName(int category) {
  if (category < 0 || category >= kRptWizCategories) return "";
  return kCategoryNames[static_cast<std::size_t>(category)];
}

int RptWizCategoryKind(int category) {
  if (category < 0 || category >= kRptWizCategories) return 0;
  return kCategoryKinds[static_cast<std::size_t>(category)];
}

std::string RptWizPresetName(int kind) {
  for (int category = 0; category < kRptWizCategories; ++category)
    if (RptWizCategoryKind(category) == kind) return RptWizCategoryName(category);
  if (kind == kReportBlankForms) return "Blank Surveys";
  if (kind == kReportSkillArea) return "Skill Areas";
  return "";
}

TRptWiz::TRptWiz(TDataRoot& root, TReportWizardUI& ui) : root_(root), ui_(ui) { Open(); }

void TRptWiz::Open() {
  preset_ = false;
  closed_ = false;
  preset_sources_.clear();
  page_ = rwType;
  order_ = {rwType};
  if (category_ != rcNone) SetCategory(category_);
}

bool TRptWiz::OpenPreset(int kind, std::uint16_t sections, std::vector<TReportSourceEntry> sources,
                         const std::string& name) {
  preset_ = true;
  closed_ = false;
  category_ = rcNone;
  kind_ = kind;
  preset_sections_ = sections;
  preset_sources_ = std::move(sources);
  preset_name_ = name;
  ReturnDate = 0.0;
  ReportName.clear();
  ResetBoxes();
  order_ = {rwReportSelect};
  page_ = rwReportSelect;
  if (!(kind >= kReportRaterForms && kind <= kKindRaterDisks) && !ui_.CheckPrintPassword()) {
    closed_ = true;
    return false;
  }
  Enter(rwReportSelect);
  return true;
}

std::string TRptWiz::InfoText() const {
  return std::string("Current Category: ") +
         (preset_ ? preset_name_ : std::string(RptWizCategoryName(category_)));
}

std::string TRptWiz::HelpText() const {
  const bool empty = page_ != rwType && page_ != rwReportSelect && List(page_).empty();
  const int subjects = SelectedCount(rwSubject);
  switch (page_) {
    case rwType:
      return "Choose one category of report to print";
    case rwCompany:
      return empty ? "No Companies Found" : "Choose one company to report";
    case rwDepartment:
      return empty ? "Selected company has no departments" : "Choose the department(s) to report";
    case rwSurvey:
      if (!empty) return "Choose one survey to report";
      if (subjects_first_)
        return subjects == 1 ? "No surveys found for selected subject"
                             : "No surveys common to selected subjects";
      return SelectedCount(rwDepartment) == 1 ? "No surveys found in selected department"
                                              : "No surveys common to selected departments";
    case rwSubject:
      if (!empty) return "Choose the subject(s) to report";
      return subjects_first_ ? "No subjects in selected department(s)"
                             : "No subjects found for selected survey";
    case rwExperience:
      if (empty) return "No experiences exist for selected subject(s)";
      return Comparative() ? "Choose TWO experiences to compare for each subject"
                           : "Choose the experience(s) to report";
    case rwReportSelect:
      return ReportBoxesVisible() ? "Choose Report Type(s) and View or Print"
                                  : "You have selected the following report(s)";
    case rwSurveyOf:
      if (empty) return "No raters exist for selected subject(s)";
      return category_ == rcRaterDisks ? "Select raters to make disks for"
                                       : "Select raters to print surveys for";
  }
  return "";
}

void TRptWiz::SetCategory(int category) {
  if (category < 0 || category >= kRptWizCategories) return;
  if (category != category_) {
    // The experience list of a Comparative report has separators: the
    // remembered indices would name other entries.
    remembered_[rwExperience].clear();
    remembered_[rwSurveyOf].clear();
  }
  category_ = category;
  kind_ = RptWizCategoryKind(category);
  ReturnDate = 0.0;
  ReportName.clear();
  ResetBoxes();
  if (category == rcRaterSurveys || category == rcRaterDisks)
    order_ = {rwType,    rwCompany,    rwDepartment, rwSurvey,
              rwSubject, rwExperience, rwSurveyOf,   rwReportSelect};
  else if (subjects_first_)
    order_ = {rwType, rwCompany, rwDepartment, rwSubject, rwSurvey, rwExperience, rwReportSelect};
  else
    order_ = {rwType, rwCompany, rwDepartment, rwSurvey, rwSubject, rwExperience, rwReportSelect};
  if (category == rcRaterDisks) order_.pop_back();
}

void TRptWiz::SetChooseSubjects(bool subjects) {
  if (subjects == subjects_first_) return;
  subjects_first_ = subjects;
  // The survey and subject pages swap: what was chosen on them no longer
  // follows from the pages before.
  for (int page : {rwSurvey, rwSubject, rwExperience, rwSurveyOf}) remembered_[page].clear();
  if (category_ != rcNone) {
    const int keep = category_;
    const double date = ReturnDate;
    const std::string name = ReportName;
    const auto boxes = boxes_;
    SetCategory(keep);
    ReturnDate = date;
    ReportName = name;
    boxes_ = boxes;
  }
}

const std::vector<TRptWizEntry>& TRptWiz::List(int page) const {
  static const std::vector<TRptWizEntry> kNone;
  if (page < 0 || page >= kRptWizPages) return kNone;
  return lists_[static_cast<std::size_t>(page)];
}

bool TRptWiz::MultiSelect(int page) const {
  return page == rwDepartment || page == rwSubject || page == rwExperience || page == rwSurveyOf;
}

void TRptWiz::SetSelected(int index, bool selected) {
  if (page_ < 0 || page_ >= kRptWizPages) return;
  auto& list = lists_[static_cast<std::size_t>(page_)];
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  TRptWizEntry& entry = list[static_cast<std::size_t>(index)];
  if (entry.Object == nullptr) return;
  if (!MultiSelect(page_) && selected)
    for (TRptWizEntry& other : list) other.Selected = false;
  entry.Selected = selected;
}

int TRptWiz::SelectedCount(int page) const {
  const auto& list = List(page);
  return static_cast<int>(
      std::count_if(list.begin(), list.end(), [](const TRptWizEntry& e) { return e.Selected; }));
}

bool TRptWiz::SelectButtonsVisible() const { return page_ != rwType && page_ != rwReportSelect; }

bool TRptWiz::SelectButtonsEnabled() const {
  return SelectButtonsVisible() && !List(page_).empty();
}

void TRptWiz::SelectAll() {
  if (!SelectButtonsEnabled()) return;
  auto& list = lists_[static_cast<std::size_t>(page_)];
  if (!MultiSelect(page_)) {
    if (list.size() == 1) list.front().Selected = true;
    return;
  }
  if (page_ == rwExperience && Comparative()) {
    // The first two of each subject; a subject with one experience cannot be
    // compared and stays unselected.
    std::size_t start = 0;
    while (start < list.size()) {
      std::size_t end = start;
      while (end < list.size() && list[end].Object != nullptr) ++end;
      for (std::size_t i = start; i < end; ++i)
        list[i].Selected = end - start >= 2 && i < start + 2;
      start = end + 1;
    }
    return;
  }
  for (TRptWizEntry& entry : list) entry.Selected = entry.Object != nullptr;
}

void TRptWiz::UnselectAll() {
  if (!SelectButtonsEnabled()) return;
  for (TRptWizEntry& entry : lists_[static_cast<std::size_t>(page_)]) entry.Selected = false;
}

bool TRptWiz::CanBack() const {
  if (preset_) return true;
  return page_ != order_.front();
}

bool TRptWiz::CanNext() const {
  const int selected = page_ == rwType ? 0 : SelectedCount(page_);
  switch (page_) {
    case rwType:
      return category_ != rcNone;
    case rwCompany:
    case rwSurvey:
      return selected == 1;
    case rwDepartment:
    case rwSubject:
    case rwSurveyOf:
      return selected >= 1;
    case rwExperience:
      if (Comparative()) return selected >= 2 && selected % 2 == 0;
      return selected >= 1;
    default:
      return false;
  }
}

void TRptWiz::Back() {
  if (!CanBack()) return;
  if (preset_) {
    preset_ = false;
    preset_sources_.clear();
    category_ = rcNone;
    kind_ = 0;
    order_ = {rwType};
    page_ = rwType;
    return;
  }
  const auto at = std::find(order_.begin(), order_.end(), page_);
  Leave(page_);
  page_ = *(at - 1);
  Enter(page_);
}

void TRptWiz::Next() {
  if (!CanNext()) return;
  if (page_ == rwSurveyOf && category_ == rcRaterDisks) {
    Leave(page_);
    std::vector<TScoreSheet*> sheets;
    for (TSurvObject* object : Chosen(rwSurveyOf))
      sheets.push_back(static_cast<TScoreSheet*>(object));
    ui_.MakeSurveyDisks(kRptWizDisksCaption, sheets);
    return;
  }
  if (page_ == rwType && !(kind_ >= kReportRaterForms && kind_ <= kKindRaterDisks) &&
      !ui_.CheckPrintPassword())
    return;
  const auto at = std::find(order_.begin(), order_.end(), page_);
  if (at == order_.end() || at + 1 == order_.end()) return;
  Leave(page_);
  page_ = *(at + 1);
  Enter(page_);
}

void TRptWiz::Leave(int page) {
  if (page == rwType || page == rwReportSelect) return;
  std::set<int> now;
  const auto& list = List(page);
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].Selected && i <= static_cast<std::size_t>(kRptWizMaxRemembered))
      now.insert(static_cast<int>(i));
  auto& kept = remembered_[static_cast<std::size_t>(page)];
  if (now != kept) {
    kept = std::move(now);
    ClearAfter(page);
  }
}

void TRptWiz::ClearAfter(int page) {
  const auto at = std::find(order_.begin(), order_.end(), page);
  if (at == order_.end()) return;
  for (auto later = at + 1; later != order_.end(); ++later)
    remembered_[static_cast<std::size_t>(*later)].clear();
}

void TRptWiz::Enter(int page) {
  if (page == rwReportSelect) {
    if (kind_ == kReportRaterForms || kind_ == kReportBlankForms) {
      const std::optional<double> date = ui_.AskReturnDate(kRptWizReturnPrompt, Today() + 14);
      ReturnDate = date.has_value() ? *date : 0.0;
    } else if (category_ == rcComposite && !preset_) {
      ReportName = CutChars(ui_.AskText(kRptWizNameTitle, kRptWizNamePrompt, kRptWizNameDefault),
                            kRptWizNameMaxChars);
    }
    return;
  }
  if (page == rwType) return;
  BuildList(page);
  auto& list = lists_[static_cast<std::size_t>(page)];
  for (int index : remembered_[static_cast<std::size_t>(page)])
    if (index < static_cast<int>(list.size()) && list[static_cast<std::size_t>(index)].Object)
      list[static_cast<std::size_t>(index)].Selected = true;
  if (page == rwSurvey && list.size() == 1) list.front().Selected = true;
}

std::vector<TSurvObject*> TRptWiz::Chosen(int page) const {
  std::vector<TSurvObject*> out;
  for (const TRptWizEntry& entry : List(page))
    if (entry.Selected && entry.Object != nullptr) out.push_back(entry.Object);
  return out;
}

void TRptWiz::BuildList(int page) {
  std::vector<TRptWizEntry> list;
  const std::vector<TSurvObject*> departments = Chosen(rwDepartment);
  const std::vector<TSurvObject*> chosen_survey = Chosen(rwSurvey);
  const std::string survey_name =
      chosen_survey.empty() ? std::string() : static_cast<TSurvey*>(chosen_survey.front())->Name;
  switch (page) {
    case rwCompany: {
      TCompanyList& companies = root_.Companies();
      for (int i = 0; i < companies.Size(); ++i)
        list.push_back({companies.At(i)->Name, companies.At(i), false});
      std::stable_sort(list.begin(), list.end(), [](const TRptWizEntry& a, const TRptWizEntry& b) {
        return a.Text < b.Text;
      });
      break;
    }
    case rwDepartment: {
      const std::vector<TSurvObject*> company = Chosen(rwCompany);
      if (company.empty()) break;
      TDepartmentList& list_of = static_cast<TCompany*>(company.front())->Departments();
      for (int i = 0; i < list_of.Size(); ++i)
        list.push_back({list_of.At(i)->Name, list_of.At(i), false});
      break;
    }
    case rwSurvey: {
      // Departments' (or subjects') copies of one survey share its name: the
      // list holds the first one's copies that every other one also has.
      std::vector<std::vector<TSurvey*>> sets;
      if (subjects_first_) {
        for (TSurvObject* object : Chosen(rwSubject)) {
          TSurveyList& surveys = static_cast<TSubject*>(object)->Surveys();
          sets.emplace_back(surveys.Raw().size());
          for (int i = 0; i < surveys.Size(); ++i)
            sets.back()[static_cast<std::size_t>(i)] = surveys.At(i);
        }
      } else {
        for (TSurvObject* object : departments) {
          TSurveyList& surveys = static_cast<TDepartment*>(object)->Surveys();
          sets.emplace_back(surveys.Raw().size());
          for (int i = 0; i < surveys.Size(); ++i)
            sets.back()[static_cast<std::size_t>(i)] = surveys.At(i);
        }
      }
      if (sets.empty()) break;
      for (TSurvey* survey : sets.front()) {
        const bool common = std::all_of(sets.begin() + 1, sets.end(), [&](const auto& set) {
          return std::any_of(set.begin(), set.end(),
                             [&](const TSurvey* other) { return other->Name == survey->Name; });
        });
        if (common) list.push_back({survey->Name, survey, false});
      }
      break;
    }
    case rwSubject: {
      for (TSurvObject* object : departments) {
        auto* department = static_cast<TDepartment*>(object);
        TSubjectList& subjects = department->Subjects();
        for (int i = 0; i < subjects.Size(); ++i) {
          TSubject* subject = subjects.At(i);
          if (!subjects_first_ && !HasSurveyNamed(*subject, survey_name)) continue;
          list.push_back({department->Name + ": " + subject->Name, subject, false});
        }
      }
      break;
    }
    case rwExperience: {
      for (TSurvObject* object : Chosen(rwSubject)) {
        auto* subject = static_cast<TSubject*>(object);
        TExperienceList& experiences = subject->Experiences();
        bool any = false;
        for (int i = 0; i < experiences.Size(); ++i) {
          TExperience* experience = experiences.At(i);
          if (experience->Survey() == nullptr || experience->Survey()->Name != survey_name)
            continue;
          const std::string date = subjects_first_ ? FormatShortDate(experience->ExperienceDate)
                                                   : FormatIsoDate(experience->ExperienceDate);
          list.push_back({subject->Name + ": " + date, experience, false});
          any = true;
        }
        if (any && Comparative()) list.push_back({"", nullptr, false});
      }
      break;
    }
    case rwSurveyOf: {
      for (TSurvObject* object : Chosen(rwExperience)) {
        auto* experience = static_cast<TExperience*>(object);
        const std::string subject =
            experience->Subject() != nullptr ? experience->Subject()->Name : std::string();
        TScoreSheetList& sheets = experience->ScoreSheets();
        for (int i = 0; i < sheets.Size(); ++i)
          list.push_back({subject + ": " + sheets.At(i)->RaterName, sheets.At(i), false});
      }
      break;
    }
    default:
      break;
  }
  lists_[static_cast<std::size_t>(page)] = std::move(list);
}

void TRptWiz::ResetBoxes() {
  boxes_.fill(true);
  Copies = 1;
  TitlePage = true;
  OtherCategory = false;
}

bool TRptWiz::ReportBoxesVisible() const {
  if (preset_) return kind_ == kReportIndividual;
  return category_ == rcIndividual || category_ == rcComposite || category_ == rcOrganizational;
}

bool TRptWiz::BoxVisible(int section) const {
  if (!ReportBoxesVisible()) return false;
  if (kind_ == kReportOrganizational) return section == 6 || section == 7;
  return section >= 1 && section <= 4;
}

bool TRptWiz::BoxChecked(int section) const {
  return section >= 0 && section < static_cast<int>(boxes_.size()) &&
         boxes_[static_cast<std::size_t>(section)];
}

void TRptWiz::SetBoxChecked(int section, bool checked) {
  if (section >= 0 && section < static_cast<int>(boxes_.size()))
    boxes_[static_cast<std::size_t>(section)] = checked;
}

bool TRptWiz::CopiesAndTitleVisible() const {
  return kind_ != kReportRaterForms && kind_ != kReportBlankForms;
}

bool TRptWiz::CanView() const {
  if (page_ != rwReportSelect) return false;
  if (!ReportBoxesVisible()) return true;
  return std::any_of(kRptWizBoxSections.begin(), kRptWizBoxSections.end(),
                     [&](int s) { return BoxVisible(s) && BoxChecked(s); });
}

std::vector<std::string> TRptWiz::SourceTexts() const {
  std::vector<std::string> texts;
  if (preset_) {
    for (const TReportSourceEntry& entry : preset_sources_)
      if (entry.Selected) texts.push_back(entry.Text);
    return texts;
  }
  const int page = kind_ == kReportRaterForms ? rwSurveyOf : rwExperience;
  for (const TRptWizEntry& entry : List(page))
    if (entry.Selected && entry.Object != nullptr) texts.push_back(entry.Text);
  return texts;
}

std::string TRptWiz::MemoText() const {
  const char* subject = "Report(s)";
  switch (kind_) {
    case kReportIndividual:
    case kReportComposite:
      subject = "Selected Reports";
      break;
    case kReportComparative:
      subject = "Comparative Report";
      break;
    case kReportOrganizational:
      subject = "Organization by Skills";
      break;
    case kReportTraining:
      subject = "Training Report";
      break;
    case kReportRaterForms:
    case kReportBlankForms:
      subject = "Survey(s)";
      break;
    default:
      break;
  }
  std::string text = std::string("\n\tPrinting ") + subject + "\n";
  if (kind_ == kReportComparative) text += "\tfor experiences:\n";
  if (kind_ == kReportRaterForms || kind_ == kReportBlankForms)
    text += ReturnDate > EncodeDate(1980, 1, 1) ? "\tReturn by " + ReturnDateText(ReturnDate) + "\n"
                                                : std::string("\tReturn ASAP\n");
  text += "\n";
  for (const std::string& line : SourceTexts()) text += "    " + line + "\n";
  if (kind_ == kReportOrganizational && !preset_) {
    text += "\n";
    for (const TRptWizEntry& entry : List(rwDepartment))
      if (entry.Selected) text += "    " + entry.Text + "\n";
  }
  return text;
}

TReportRequest TRptWiz::BuildRequest() const {
  TReportRequest request;
  request.Kind = kind_;
  if (ReportBoxesVisible()) {
    for (int section : kRptWizBoxSections)
      if (BoxVisible(section) && BoxChecked(section))
        request.Sections |= static_cast<std::uint16_t>(1u << section);
  } else if (preset_) {
    request.Sections = preset_sections_;
  } else if (kind_ == kReportComparative) {
    request.Sections = 1u << 5;
  } else if (kind_ == kReportTraining) {
    request.Sections = 1u << 8;
  } else if (kind_ == kReportRaterForms) {
    request.Sections = 1u << 11;
  }

  if (preset_) {
    request.Sources = preset_sources_;
  } else if (kind_ == kReportRaterForms) {
    std::vector<TObjectID> ids;
    for (TSurvObject* object : Chosen(rwSurveyOf)) ids.push_back(object->ID);
    request.Sources = SheetFormEntries(root_, ids);
  } else {
    std::vector<TObjectID> ids;
    for (TSurvObject* object : Chosen(rwExperience)) ids.push_back(object->ID);
    std::vector<TReportSourceEntry> read = ExperienceEntries(root_, ids);
    // The generator reads Comparative pairs between the empty entries.
    std::size_t next = 0;
    for (const TRptWizEntry& entry : List(rwExperience)) {
      if (entry.Object == nullptr) {
        request.Sources.emplace_back();
      } else if (entry.Selected && next < read.size()) {
        read[next].Text = entry.Text;
        request.Sources.push_back(std::move(read[next++]));
      }
    }
  }
  if (kind_ == kReportOrganizational) {
    std::vector<TObjectID> ids;
    for (TSurvObject* object : Chosen(rwDepartment)) ids.push_back(object->ID);
    request.Departments = DepartmentEntries(root_, ids);
  }

  if (TitlePage) request.Options |= kOptTitlePage;
  request.Options |= OtherCategory ? kOptBlankOther : kOptBlankSelf;
  if (kind_ == kReportRaterForms || kind_ == kReportBlankForms) {
    request.Options &= static_cast<std::uint16_t>(~kOptTitlePage);
    request.Options |= kOptReferenceNumber | kOptSubjectPrefix;
  }
  request.Copies = std::clamp(Copies, 1, 99);
  request.ReturnDate = ReturnDate;
  request.ReportName = CutChars(ReportName, kRptWizNameMaxChars);
  return request;
}

void TRptWiz::Hand(bool print) {
  if (!CanView()) return;
  TReportRequest request;
  try {
    request = BuildRequest();
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return;
  }
  ui_.RunReport(request, print);
}

void TRptWiz::View() { Hand(false); }
void TRptWiz::Print() { Hand(true); }

}  // namespace zelvora
