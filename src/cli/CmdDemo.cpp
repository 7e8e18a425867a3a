// zelvora360-cli demo: fills an empty database with a realistic, fully
// deterministic demonstration: one company with the default rater
// categories and two departments, a library survey of 4 skill areas and 40
// questions (some with development suggestions), its copy in each
// department, six subjects with two experiences each a year apart, and six
// completed score sheets per experience (Self, Boss, two Peers, Staff,
// Clients). Only the IDs and modification dates differ between runs.
//
// The demonstration is built in a new folder beside the data folder and
// exchanged with it in one step when complete, so a demo that is killed
// leaves the data folder as it was (an empty database at most) or holds the
// whole demonstration; the data folder's other files are linked into the new
// one before the exchange. Throughout, the data folder's database is held
// open for writing, so nobody else starts using it.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

#include "APP/CONFIGU.h"
#include "DB/Survobj.h"
#include "base/DateTime.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

struct TDemoArea {
  const char* Name;
  std::array<const char*, 10> Questions;
};

const std::array<TDemoArea, 4> kAreas = {{
    {"Communication",
     {"Listens to others without interrupting", "Explains decisions and the reasons behind them",
      "Keeps the team informed of changes that affect them", "Writes clearly and to the point",
      "Asks for feedback on own ideas", "Speaks up when something goes wrong",
      "Adapts the message to the audience", "Runs meetings that end with clear actions",
      "Shares information readily with other departments", "Gives credit to others in public"}},
    {"Coaching and Development",
     {"Sets clear expectations for each person", "Gives timely and specific feedback",
      "Helps others learn from mistakes", "Delegates work that stretches people",
      "Recognises good work when it happens", "Discusses career goals with team members",
      "Makes time to teach new skills", "Addresses poor performance promptly",
      "Encourages people to try new approaches", "Supports training and development plans"}},
    {"Decision Making",
     {"Gathers the facts before deciding", "Involves the people affected by a decision",
      "Makes decisions in a timely way", "Weighs risks against likely benefits",
      "Sticks to decisions unless new facts appear", "Admits when a decision was wrong",
      "Sets priorities that others can follow", "Considers the long-term effects of choices",
      "Balances the needs of customers and staff", "Takes responsibility for results"}},
    {"Teamwork",
     {"Cooperates with colleagues to reach shared goals", "Treats others with respect",
      "Resolves conflicts constructively", "Keeps commitments made to others",
      "Offers help when others are overloaded", "Builds trust across the team",
      "Welcomes different points of view", "Celebrates team successes",
      "Works well with other departments", "Puts team goals ahead of personal ones"}},
}};

// Suggestions for the first questions of each skill area.
const std::array<std::array<const char*, 2>, 4> kSuggestions = {{
    {"Repeat the other person's point in your own words before you answer.",
     "Keep a notebook in meetings and write down what others say."},
    {"Book a short one-to-one with each team member every month.",
     "After each project, ask what went well and what to change."},
    {"List the options and their risks before a decision is due.",
     "Tell the team how and when a decision will be made."},
    {"Agree the team's goals together at the start of each quarter.",
     "Ask a colleague from another team to review your plans."},
}};

struct TDemoDepartment {
  const char* Name;
  std::array<const char*, 3> Subjects;
  const char* Boss;
  const char* Staff;
  const char* Client;
};

const std::array<TDemoDepartment, 2> kDepartments = {{
    {"Operations", {"Anna Berger", "David Chen", "Maria Lopez"}, "Thomas Reed", "Lucy Park",
     "Harbor Freight Ltd"},
    {"Customer Service", {"Samuel Okafor", "Julia Novak", "Peter Hansen"}, "Grace Miller",
     "Omar Haddad", "Riverside Retail"},
}};

// Category numbers of the default table.
constexpr int kSelf = 0, kBoss = 1, kPeer = 3, kStaff = 4, kClients = 6;

// A deterministic answer pair for question q of a rater; the later
// experience shows some progress.
void FillAnswers(TScoreSheet& sheet, int subject, int rater, int year, int questions) {
  for (int q = 1; q <= questions; ++q) {
    int current = 1 + (subject * 7 + rater * 3 + q * 5 + (q / 10) * 2) % 5;
    if (year > 0 && current < 5 && (q + rater) % 3 != 0) ++current;
    const int expectation = std::min(5, current + (q + subject + rater) % 3);
    sheet.SetAnswer(1, q, current);
    sheet.SetAnswer(2, q, expectation);
  }
}

// Fills the empty database `database` and tells what it made in `shown_dir`.
void FillDemo(CliContext& context, TSurveyDB& database, const std::string& shown_dir) {
  TSurveyDB* db = &database;
  {
    TDataRoot root;
    // One durable counter step for the whole demo instead of one per object.
    db->ReserveIDs(600);

    auto fresh_survey = std::make_unique<TSurvey>();
    fresh_survey->Name = "Leadership Practices";
    fresh_survey->Author = "Zelvora Demo";
    fresh_survey->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* library = root.LibrarySurveys().Adopt(std::move(fresh_survey));
    int question_count = 0;
    int suggestion_count = 0;
    for (std::size_t a = 0; a < kAreas.size(); ++a) {
      auto fresh_area = std::make_unique<TSkillArea>();
      fresh_area->Name = kAreas[a].Name;
      fresh_area->Order = static_cast<std::int16_t>(a + 1);
      TSkillArea* area = library->SkillAreas().Adopt(std::move(fresh_area));
      for (std::size_t q = 0; q < kAreas[a].Questions.size(); ++q) {
        auto fresh_question = std::make_unique<TQuestion>();
        fresh_question->QuestionText = kAreas[a].Questions[q];
        fresh_question->Order = static_cast<std::int16_t>(q + 1);
        // The first two questions of each area carry suggestions, so they
        // are certified.
        fresh_question->Locked = q < 2;
        TQuestion* question = area->Questions().Adopt(std::move(fresh_question));
        ++question_count;
        if (q < 2) {
          for (int s = 0; s <= static_cast<int>(q); ++s) {
            auto suggestion = std::make_unique<TSuggestion>();
            suggestion->SuggestionText = kSuggestions[a][static_cast<std::size_t>(s)];
            suggestion->Order = static_cast<std::int16_t>(s + 1);
            question->Suggestions().Adopt(std::move(suggestion));
            ++suggestion_count;
          }
        }
      }
    }

    auto fresh_company = std::make_unique<TCompany>();
    fresh_company->Name = "Northwind Logistics";
    TCompany* company = root.Companies().Adopt(std::move(fresh_company));

    int subject_count = 0, experience_count = 0, sheet_count = 0;
    for (std::size_t d = 0; d < kDepartments.size(); ++d) {
      const TDemoDepartment& plan = kDepartments[d];
      auto fresh_department = std::make_unique<TDepartment>();
      fresh_department->Name = plan.Name;
      TDepartment* department = company->Departments().Adopt(std::move(fresh_department));

      auto copy = library->Clone(department, true);
      copy->HasCompletedSheets = 1;  // every sheet below is completed
      TSurvey* survey = department->Surveys().Adopt(std::move(copy));
      const int questions = survey->Questions().Size();

      for (std::size_t s = 0; s < plan.Subjects.size(); ++s) {
        auto fresh_subject = std::make_unique<TSubject>();
        fresh_subject->Name = plan.Subjects[s];
        TSubject* subject = department->Subjects().Adopt(std::move(fresh_subject));
        ++subject_count;
        const int subject_number = static_cast<int>(d * 3 + s);
        for (int year = 0; year < 2; ++year) {
          auto fresh_experience = std::make_unique<TExperience>();
          fresh_experience->SubjectID = subject->ID;
          fresh_experience->SurveyID = survey->ID;
          fresh_experience->ExperienceDate =
              EncodeDate(2024 + year, 3 + static_cast<int>(d), 11 + static_cast<int>(s) * 4);
          TExperience* experience = subject->Experiences().Adopt(std::move(fresh_experience));
          ++experience_count;
          // Self, the boss, two peers (the other subjects), staff, a client.
          const std::array<std::pair<std::string, int>, 6> raters = {{
              {plan.Subjects[s], kSelf},
              {plan.Boss, kBoss},
              {plan.Subjects[(s + 1) % 3], kPeer},
              {plan.Subjects[(s + 2) % 3], kPeer},
              {plan.Staff, kStaff},
              {plan.Client, kClients},
          }};
          for (std::size_t r = 0; r < raters.size(); ++r) {
            auto sheet = std::make_unique<TScoreSheet>();
            sheet->RaterName = raters[r].first;
            sheet->RaterCategory = static_cast<std::int16_t>(raters[r].second);
            FillAnswers(*sheet, subject_number, static_cast<int>(r), year, questions);
            sheet->Completed = true;
            experience->ScoreSheets().Adopt(std::move(sheet));
            company->EnsureRater(raters[r].first);
            ++sheet_count;
          }
        }
      }
    }

    context.out << "Demo database made in " << shown_dir << ":\n"
                << "  1 library survey \"" << library->Name << "\" with " << kAreas.size()
                << " skill areas, " << question_count << " questions and " << suggestion_count
                << " suggestions\n"
                << "  1 company \"" << company->Name << "\" with the default categories and "
                << company->Raters().Size() << " raters\n"
                << "  " << kDepartments.size() << " departments, each with its copy of the survey\n"
                << "  " << subject_count << " subjects, " << experience_count << " experiences, "
                << sheet_count << " completed score sheets\n";
  }
}

namespace fs = std::filesystem;

// The files a survey database consists of; everything else in the data
// folder belongs to someone else and stays.
std::set<std::string> DatabaseFileNames() {
  std::set<std::string> names{TIDCounterFile::kFileName, TSurveyDB::kLockFileName};
  for (int i = 0; i < kFileblockCount; ++i) {
    names.insert(std::string(FileblockInfo(i).BaseName) + ".DAT");
    names.insert(std::string(FileblockInfo(i).BaseName) + ".IX");
  }
  return names;
}

// Gives `built` the data folder's other files (hard links, so the data
// folder keeps them too) and exchanges the two folders in one step.
void MoveInto(const fs::path& built, const fs::path& target) {
  const std::set<std::string> database = DatabaseFileNames();
  for (const auto& entry : fs::directory_iterator(target)) {
    const std::string name = entry.path().filename().string();
    if (database.count(name) != 0) continue;
    if (!entry.is_regular_file() || entry.is_symlink()) {
      throw std::runtime_error("The data folder " + target.string() + " holds " + name +
                               ", which is not a plain file; no demo was added.");
    }
    std::error_code ec;
    fs::create_hard_link(entry.path(), built / name, ec);
    if (ec) fs::copy_file(entry.path(), built / name, ec);
    if (ec) {
      throw std::runtime_error("Cannot keep " + entry.path().string() +
                               " in the demo: " + ec.message() + "; no demo was added.");
    }
  }
  if (::renameat2(AT_FDCWD, built.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) {
    throw std::runtime_error("Cannot move the demo into " + target.string() + ": " +
                             std::strerror(errno) + "; no demo was added.");
  }
}

int RunDemo(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (!args.positional.empty()) throw CliUsageError("demo takes no arguments");
  // The demo goes into an empty database: the built-in survey the update
  // processing adds would make it refuse.
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite, false);
  {
    TDataRoot root;
    if (root.Companies().Size() > 0 || root.LibrarySurveys().Size() > 0 ||
        root.LibrarySkillAreas().Size() > 0) {
      context.err << "The database in " << db->DataDir() << " is not empty; no demo was added.\n";
      return 1;
    }
  }
  const fs::path target = fs::path(db->DataDir()).parent_path();
  std::string pattern = target.string() + ".demo-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    context.err << "Cannot make a folder beside " << target.string() << ": " << std::strerror(errno)
                << "\n";
    return 1;
  }
  const fs::path built = pattern;
  // What was made is told only once it is in place.
  std::ostringstream report;
  try {
    {
      CliContext building{context.data_dir_option, context.args, report, context.err};
      TSurveyDB demo;
      demo.Open(built.string());
      FillDemo(building, demo, db->DataDir());
      demo.Close();
    }
    MoveInto(built, target);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(built, ignored);
    throw;
  }
  // `built` now names the old data folder, whose database was empty.
  db->Close();
  std::error_code ignored;
  fs::remove_all(built, ignored);
  context.out << report.str();
  return 0;
}

const CliRegistrar kDemo{{"demo", "Fill an empty database with a demonstration",
                          "usage: zelvora360-cli [--data DIR] demo\n"
                          "When the database in the data folder is empty, adds a company with\n"
                          "two departments, a library survey and its department copies, six\n"
                          "subjects with two experiences each and six completed score sheets\n"
                          "per experience. Exit 1 when the database already holds data.\n",
                          RunDemo}};

}  // namespace
}  // namespace zelvora::cli
