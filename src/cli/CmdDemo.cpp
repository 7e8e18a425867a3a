// zelvora360-cli demo: fills an empty database with a realistic, fully
// deterministic demonstration. It starts as the program's first start does
// (the update processing adds "User Skill Areas" and the starter library
// "Standard Skill Areas"), then adds one company with the default rater
// categories and two departments, a library survey of 4 skill areas and 40
// questions (some with development suggestions), its copy in each
// department, six subjects with two experiences each a year apart, and six
// completed score sheets per experience (Self, Boss, two Peers, Staff,
// Clients). Only the IDs and modification dates differ between runs.
//
// The answers are chosen so that every report has something to show: mostly
// gaps of 0 to 2, a Staff rater who sees gaps of 3 and 4 throughout
// "Teamwork" (averages above 2, "Check" tags), a Boss with a gap of 4 on
// some questions, Clients who rate "Decision Making" above what they expect
// (every pair negative: the "N/A" rows) and Peers with a scattering of
// negative gaps; the later experience of each subject shows progress.
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
#include "APP/UpdProcess.h"
#include "DB/Survobj.h"
#include "base/DateTime.h"
#include "cli/CliDatabase.h"

namespace zelvora::cli {
namespace {

struct TDemoArea {
  const char* Name;
  std::array<const char*, 10> Questions;
};

// Questions follow the skill areas' default prefixes ("How often do you",
// "How often does this person", ...).
const std::array<TDemoArea, 4> kAreas = {{
    {"Communication",
     {"listen to others without interrupting?", "explain decisions and the reasons behind them?",
      "keep the team informed of changes that affect them?", "write clearly and to the point?",
      "ask for feedback on new ideas?", "speak up when something goes wrong?",
      "adapt the message to the audience?", "run meetings that end with clear actions?",
      "share information readily with other departments?", "give credit to others in public?"}},
    {"Coaching and Development",
     {"set clear expectations for each person?", "give timely and specific feedback?",
      "help others learn from mistakes?", "delegate work that stretches people?",
      "recognise good work when it happens?", "discuss career goals with team members?",
      "make time to teach new skills?", "address poor performance promptly?",
      "encourage people to try new approaches?", "support training and development plans?"}},
    {"Decision Making",
     {"gather the facts before deciding?", "involve the people affected by a decision?",
      "make decisions in a timely way?", "weigh risks against likely benefits?",
      "stick to decisions unless new facts appear?", "admit when a decision was wrong?",
      "set priorities that others can follow?", "consider the long-term effects of choices?",
      "balance the needs of customers and staff?", "take responsibility for results?"}},
    {"Teamwork",
     {"cooperate with colleagues to reach shared goals?", "treat others with respect?",
      "resolve conflicts constructively?", "keep commitments made to others?",
      "offer help when others are overloaded?", "build trust across the team?",
      "welcome different points of view?", "celebrate team successes?",
      "work well with other departments?", "put team goals ahead of personal ones?"}},
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
    {"Operations",
     {"Anna Berger", "David Chen", "Maria Lopez"},
     "Thomas Reed",
     "Lucy Park",
     "Harbor Freight Ltd"},
    {"Customer Service",
     {"Samuel Okafor", "Julia Novak", "Peter Hansen"},
     "Grace Miller",
     "Omar Haddad",
     "Riverside Retail"},
}};

// Category numbers of the default table.
constexpr int kSelf = 0, kBoss = 1, kPeer = 3, kStaff = 4, kClients = 6;

// Rater positions on each experience (see the rater table in RunDemo) and
// the skill areas the answers single out.
constexpr int kBossRater = 1, kFirstPeerRater = 2, kSecondPeerRater = 3, kStaffRater = 4,
              kClientRater = 5;
constexpr int kDecisionMakingArea = 2, kTeamworkArea = 3;

// A deterministic answer pair for each question of a rater; the later
// experience (year 1) shows some progress.
void FillAnswers(TScoreSheet& sheet, int subject, int rater, int year, int questions) {
  for (int q = 1; q <= questions; ++q) {
    const int area = (q - 1) / 10;
    int current = 1 + (subject * 7 + rater * 3 + q * 5 + (q / 10) * 2) % 5;
    if (year > 0 && current < 5 && (q + rater) % 3 != 0) ++current;
    int expectation = std::min(5, current + (q + subject + rater) % 3);
    if (rater == kStaffRater && area == kTeamworkArea) {
      // Gaps of 3 and 4, one smaller a year later.
      current = 1 + year;
      expectation = q % 3 == 0 ? 5 : 4;
    } else if (rater == kBossRater && q % 8 == 3 && (subject % 2 == 0 || year == 0)) {
      current = 1;
      expectation = 5;
    } else if (rater == kClientRater && area == kDecisionMakingArea) {
      // Clients see more than they ask for: every pair negative.
      current = std::max(current, 3);
      expectation = current - 1 - (q + subject) % 2;
    } else if ((rater == kFirstPeerRater || rater == kSecondPeerRater) && (q + subject) % 7 == 0 &&
               current > 1) {
      expectation = current - 1;
    }
    sheet.SetAnswer(1, q, current);
    sheet.SetAnswer(2, q, expectation);
  }
}

bool HoldsOnlyBuiltInSurveys() {
  TDataRoot root;
  if (root.Companies().Size() > 0 || root.LibrarySkillAreas().Size() > 0) return false;
  TSurveyList& library = root.LibrarySurveys();
  for (int i = 0; i < library.Size(); ++i) {
    if (library.At(i)->ID.Origin > kLastBuiltInOrigin) return false;
  }
  return true;
}

// Fills the empty database `database` as a first start of the program would
// (the update processing adds the built-in library surveys), then with the
// demonstration, and tells what it made in `shown_dir`.
void FillDemo(CliContext& context, TSurveyDB& database, const std::string& shown_dir) {
  TSurveyDB* db = &database;
  std::ostream* err = &context.err;
  TUpdateProcessor(db->DataDir(), [err](const std::string& notice) {
    *err << notice << "\n";
  }).ProcessUpdates();
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

    context.out << "Demo database made in " << shown_dir << ":\n";
    for (int i = 0; i < root.LibrarySurveys().Size(); ++i) {
      TSurvey* built_in = root.LibrarySurveys().At(i);
      if (built_in == library) continue;
      context.out << "  built-in library survey \"" << built_in->Name << "\" ("
                  << built_in->SkillAreas().Size() << " skill areas, "
                  << built_in->Questions().Size() << " questions)\n";
    }
    context.out << "  1 library survey \"" << library->Name << "\" with " << kAreas.size()
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
  // The demo goes into an empty database, seen as stored: one that holds
  // no more than the built-in surveys a start adds.
  auto db = OpenCliDatabase(context, TDBAccess::ReadWrite, false);
  if (!HoldsOnlyBuiltInSurveys()) {
    context.err << "The database in " << db->DataDir() << " is not empty; no demo was added.\n";
    return 1;
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

const CliRegistrar kDemo{
    {"demo", "Fill an empty database with a demonstration",
     "usage: zelvora360-cli [--data DIR] demo\n"
     "When the database in the data folder is empty (or holds only the\n"
     "built-in library surveys), processes it as the program's start does,\n"
     "which adds \"User Skill Areas\" and \"Standard Skill Areas\", then adds\n"
     "a company with two departments, a library survey and its department\n"
     "copies, six subjects with two experiences each and six completed\n"
     "score sheets per experience. Exit 1 when the database already holds\n"
     "data.\n",
     RunDemo}};

}  // namespace
}  // namespace zelvora::cli
