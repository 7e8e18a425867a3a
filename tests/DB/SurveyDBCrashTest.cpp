// A process saving objects is killed (SIGKILL) at random moments, many times;
// after each kill the database is opened again and every object the process
// reported saved is there, under its parent, with no ID handed out twice.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

// Writes one whole line to the pipe; a line is written by one write() so a
// kill cannot leave half of it.
void Report(int fd, const std::string& line) {
  const std::string text = line + "\n";
  if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) ::_exit(3);
}

// The child: adds subjects, experiences and score sheets, and renames
// subjects with rising version numbers, reporting each after it returned.
[[noreturn]] void SavingChild(const std::string& dir, int fd, unsigned seed) {
  try {
    TSurveyDB db;
    db.Open(dir);
    TDataRoot root;
    std::mt19937 random(seed);
    if (root.Companies().Size() == 0) {
      auto company = std::make_unique<TCompany>();
      company->Name = "Crash Co";
      root.Companies().Adopt(std::move(company));
    }
    TCompany* company = root.Companies().At(0);
    if (company->Departments().Size() == 0) {
      auto department = std::make_unique<TDepartment>();
      department->Name = "Crash Dept";
      company->Departments().Adopt(std::move(department));
    }
    TDepartment* department = company->Departments().At(0);
    if (department->Surveys().Size() == 0) {
      auto survey = std::make_unique<TSurvey>();
      survey->Name = "Crash Survey";
      department->Surveys().Adopt(std::move(survey));
    }
    TSurvey* survey = department->Surveys().At(0);
    Report(fd, "D " + department->ID.Text());
    for (int round = 0;; ++round) {
      if (random() % 4 == 0) db.ReserveIDs(static_cast<int>(random() % 20));
      auto fresh = std::make_unique<TSubject>();
      fresh->Name = "v0";
      TSubject* subject = department->Subjects().Adopt(std::move(fresh));
      Report(fd, "S " + subject->ID.Text() + " " + department->ID.Text());
      auto fresh_experience = std::make_unique<TExperience>();
      fresh_experience->SubjectID = subject->ID;
      fresh_experience->SurveyID = survey->ID;
      TExperience* experience = subject->Experiences().Adopt(std::move(fresh_experience));
      Report(fd, "X " + experience->ID.Text() + " " + department->ID.Text());
      const int sheets = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < sheets; ++i) {
        auto sheet = std::make_unique<TScoreSheet>();
        sheet->RaterName = "R" + std::to_string(i);
        sheet->AnswersBuf[static_cast<std::size_t>(i)] = 5;
        TScoreSheet* stored = experience->ScoreSheets().Adopt(std::move(sheet));
        Report(fd, "C " + stored->ID.Text() + " " + experience->ID.Text());
      }
      for (int version = 1; version <= 2; ++version) {
        subject->Name = "v" + std::to_string(version);
        subject->Date += 1.0 / 86400;
        subject->Save();
        Report(fd, "V " + subject->ID.Text() + " " + std::to_string(version));
      }
    }
  } catch (const std::exception& error) {
    Report(fd, std::string("E ") + error.what());
  }
  ::_exit(2);
}

struct Saved {
  int Fileblock = 0;
  TObjectID Parent;
};

TObjectID ParseID(const std::string& text) {
  const auto id = TObjectID::FromText(text);
  if (!id) throw std::runtime_error("bad ID in report: " + text);
  return *id;
}

TEST(SurveyDBCrash, EveryReportedSaveSurvivesAKillAtARandomMoment) {
  TempFolder folder;
  const std::string dir = folder.path().string() + "/";
  std::mt19937 random(20261208);
  std::map<std::string, Saved> saved;  // by ID key
  std::map<std::string, int> versions;
  std::string errors;
  // The test makes this many kills however long they take; the time limit
  // only stops a run that hangs.
  constexpr int kKills = 15;
  constexpr auto kHangLimit = std::chrono::minutes(5);
  const auto start = std::chrono::steady_clock::now();
  int kills = 0;
  for (int round = 0; kills < kKills; ++round) {
    ASSERT_LT(std::chrono::steady_clock::now() - start, kHangLimit)
        << "hung after " << kills << " kills";
    // A child that finishes before its kill is no crash; so many would mean
    // the test no longer tests anything.
    ASSERT_LT(round, 3 * kKills) << "only " << kills << " of " << round << " children were killed";
    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe_fds[0]);
      SavingChild(dir, pipe_fds[1], static_cast<unsigned>(round));
    }
    ::close(pipe_fds[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 250));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) ++kills;
    std::string reported;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
      reported.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe_fds[0]);

    std::istringstream lines(reported);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string tag, first, second;
      words >> tag >> first >> second;
      if (tag == "E") errors += line + "\n";
      if (tag == "S") saved[ParseID(first).Key()] = {fbSubject, ParseID(second)};
      if (tag == "X") saved[ParseID(first).Key()] = {fbExperience, ParseID(second)};
      if (tag == "C") saved[ParseID(first).Key()] = {fbScoreSheet, ParseID(second)};
      if (tag == "V") versions[ParseID(first).Key()] = std::stoi(second);
    }
    ASSERT_TRUE(errors.empty()) << errors;

    std::vector<std::string> messages;
    TSurveyDB db([&](const std::string& m) { messages.push_back(m); });
    db.Open(dir);
    for (const std::string& m : messages) {
      EXPECT_EQ(m.find("unable to reindex"), std::string::npos) << m;
    }
    std::vector<unsigned char> record;
    for (const auto& [key, entry] : saved) {
      TTable& table = db.Table(entry.Fileblock);
      std::int32_t number = 0;
      ASSERT_TRUE(table.FindKey(1, key, number)) << "round " << round << " lost " << key;
      record.resize(static_cast<std::size_t>(FileblockInfo(entry.Fileblock).RecordLength));
      table.GetRecord(number, record);
      EXPECT_TRUE(RecordIsLive(record));
      EXPECT_EQ(RecordParentID(entry.Fileblock, record), entry.Parent) << key;
      const auto version = versions.find(key);
      if (version != versions.end()) {
        auto subject = DecodeSubject(record);
        ASSERT_EQ(subject->Name[0], 'v');
        EXPECT_GE(std::stoi(subject->Name.substr(1)), version->second) << key;
      }
    }
    // A consistent tree: nothing stored lost its parent, no ID is doubled.
    EXPECT_TRUE(db.FindOrphans().empty()) << "round " << round;
    EXPECT_TRUE(db.ReindexAll()) << "round " << round;
    db.Close();
  }
  EXPECT_EQ(kills, kKills);
  EXPECT_GT(saved.size(), 50u);
}

}  // namespace
}  // namespace zelvora::testing
