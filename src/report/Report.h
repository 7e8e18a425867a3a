// TReport360: the report generator. It takes a report request (the kind, the
// sections, the selected experiences and the options), runs the gap
// arithmetic on the selected data and lays every page out with the printable
// objects on the printer linked to it.
//
// Callers may rely on:
//  - The request carries plain copies of the data (TReportExperience), read
//    from the object model before the run (see ReportSource.h); the run never
//    touches the database.
//  - Generate() returns true when at least one section produced output and
//    the run was not cancelled; otherwise ErrorMessage says why, the last of
//    the failure messages that was set.
//  - The title page is page 0 and carries no page number; the first report
//    page of each subject is "Page 1" with or without a title page.
//  - Implemented kinds: 1 (Individual) and 2 (Composite) with sections 1 to
//    4, 3 (Comparative, section 5), 5 (Training, section 8) and 9 (Skill area
//    listing, section 9), 6 and 7 (rater survey forms, section 11) and 4
//    (Organizational, sections 6 and 7). Any other kind leaves "No valid
//    data found to process".
//  - A Comparative run needs exactly two selected experiences per subject.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/GapInput.h"
#include "report/Rptdflt.h"
#include "report/rptBase.h"

namespace zelvora {

class TReportPage;

// One experience as the generator needs it: the experience with its sheets,
// its survey (shared between the experiences of one survey) and its
// company's name and category table.
struct TReportExperience {
  std::string CompanyName;
  TGapCategoryList CompanyCategories;
  std::shared_ptr<const TGapSurvey> Survey;
  TGapExperience Experience;
};

// A skill area for its listing: the questions in order, each with its
// suggestions.
struct TReportSkillArea {
  std::string Name;
  std::vector<TGapQuestion> Questions;
};

// A rater survey form: the survey's questions by skill area with the four
// question prefixes, and the sheet it is printed for (none on blank forms).
struct TReportFormArea {
  std::string Name;
  // "How often do you", "How often should you", "How often does this
  // person", "How often should this person" by default.
  std::array<std::string, 4> Prefix;
  std::vector<std::string> Questions;
};
struct TReportForm {
  std::string SurveyName;
  std::vector<std::string> FreqLabels;
  std::vector<TReportFormArea> Areas;
  std::string SubjectName;
  bool HasSheet = true;
  std::string RaterName;     // empty on blank forms
  std::string CategoryName;  // the sheet's rater category
  int CategoryNumber = 0;
  std::string ReferenceNumber;
};

// An entry of the source list: the text shown for it, whether the user
// selected it and its data (null for the empty entries that separate
// subjects).
struct TReportSourceEntry {
  std::string Text;
  bool Selected = false;
  std::shared_ptr<const TReportExperience> Data;
  std::shared_ptr<const TReportSkillArea> SkillArea;  // skill area listings
  std::shared_ptr<const TReportForm> Form;            // rater survey forms
};

// Report kinds.
inline constexpr int kReportIndividual = 1;
inline constexpr int kReportComposite = 2;
inline constexpr int kReportComparative = 3;
inline constexpr int kReportOrganizational = 4;
inline constexpr int kReportTraining = 5;
inline constexpr int kReportRaterForms = 6;
inline constexpr int kReportBlankForms = 7;
inline constexpr int kReportSkillArea = 9;

// Options bits.
inline constexpr std::uint16_t kOptTitlePage = 0x0001;
inline constexpr std::uint16_t kOptReferenceNumber = 0x0002;
inline constexpr std::uint16_t kOptSubjectPrefix = 0x0004;
inline constexpr std::uint16_t kOptGraphOver = 0x0008;
inline constexpr std::uint16_t kOptGraphUnder = 0x0010;
inline constexpr std::uint16_t kOptUseColor = 0x0020;
inline constexpr std::uint16_t kOptHeaderFooterBar = 0x0040;
inline constexpr std::uint16_t kOptBlankSelf = 0x0400;
inline constexpr std::uint16_t kOptBlankOther = 0x0800;

// An entry of the department list (Organizational reports).
struct TReportDepartment {
  std::string Name;
  bool Selected = false;
};

struct TReportRequest {
  std::uint16_t Sections = 0;  // bit n: section n runs
  int Kind = kReportIndividual;
  std::vector<TReportSourceEntry> Sources;
  std::vector<TReportDepartment> Departments;  // Organizational only
  std::uint16_t Options = 0;
  int Copies = 1;
  double ReturnDate = 0.0;
  std::string ReportName;  // up to 31 characters
  // The Control Center's unrestricted mode: skill area listings show the
  // suggestions.
  bool Unrestricted = false;
};

// The messages the generator leaves in ErrorMessage.
inline constexpr const char* kReportNoOutput = "No Output Generated";
inline constexpr const char* kReportNoPrinter = "Could not open the printer.";
inline constexpr const char* kReportNoValidData = "No valid data found to process";
inline constexpr const char* kReportCancelled = "Cancelled";
inline constexpr const char* kReportSelectionError = "Selection Error";
inline constexpr const char* kReportNotTwoEach =
    "Some subjects did not have two experiences selected";
inline constexpr const char* kReportTwoForEach = "You must have two experiences for each subject";
inline constexpr const char* kReportOneDepartment =
    "You must have at least one department to average";
inline constexpr const char* kReportNoQuestions = "No questions to print.";
inline constexpr const char* kReportMixedSurveys =
    "The selected experiences do not share one survey";
inline constexpr const char* kReportTwoToAverage =
    "You must have at least two experiences to average";

// The notice printed above the footer band of every page, by what the pages
// are: a person's report, a report over several people, a survey form or a
// skill area's listing.
inline constexpr const char* kReportFooterNotice =
    "Confidential: prepared for the person named in this report.";
inline constexpr const char* kReportFooterGroupNotice =
    "Confidential: combined results; no rater is identified.";
inline constexpr const char* kReportFooterFormNotice =
    "Confidential survey: please return it as instructed.";
inline constexpr const char* kReportFooterListingNotice =
    "The practices of the skill area named above.";
// The notice of a report kind.
const char* ReportFooterNotice(int kind);

class TReport360 : public TReportBase {
 public:
  // `config` must outlive the generator.
  explicit TReport360(const TReportConfig& config);
  ~TReport360() override;

  // `params` points to a TReportRequest.
  bool Prepare(const void* params) override;
  bool Prepare(const TReportRequest& request);
  bool Generate() override;
  bool NextReport() override { return Generate(); }
  bool PrevReport() override { return Generate(); }
  void ResetFonts() override;
  void Cancel() override;
  std::string GetErrorMessage() const override { return ErrorMessage; }

  const TReportRequest& Request() const { return request_; }
  // The date the run prints as today (days since 1899-12-30); tests fix it.
  double TodayDate;
  std::string SurvDoesTag;
  std::string SurvShouldTag;
  std::int32_t ShadeColor = 12632256;
  std::int32_t BoxColor = 0;
  // The page counter of the current subject (0 on a title page).
  int PageCounter() const { return page_; }

 private:
  // The pages are laid out by TReportPage, which reads the request, the
  // configuration and the page counter.
  friend class TReportPage;
  void RunEntries(TReportPage& run);
  void RunAveraged(TReportPage& run);
  void RunComparative(TReportPage& run);
  void RunSkillAreas(TReportPage& run);
  void RunForms(TReportPage& run);
  bool RunSection(TReportPage& run, int section);

  const TReportConfig& config_;
  TReportRequest request_;
  double return_date_;
  int page_ = 0;
  bool produced_ = false;
};

}  // namespace zelvora
