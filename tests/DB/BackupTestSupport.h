// Shared pieces of the backup and restore tests: an operator that answers
// from a script and logs what it was shown, a database with some of every
// kind of object, and a readout of every live record of a database.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DB/BackupDisk.h"
#include "SurveyDBFixture.h"

namespace zelvora::testing {

// One scripted answer to a wait at the drive: the folder to go on with, or
// Cancel (nullopt). `before` runs first (it may change the disk's files).
struct TDiskAnswer {
  std::optional<std::string> folder;
  std::function<void()> before;
};

class TScriptedOperator : public TBackupOperator {
 public:
  std::vector<std::string> Log;  // "stage: ...", "wait: ..."
  std::deque<TDiskAnswer> Answers;
  std::vector<int> Percents;
  // Cancels once this many log lines (or progress calls, below) were seen.
  std::optional<std::size_t> CancelAtLogSize;
  std::optional<std::size_t> CancelAtProgressCount;
  std::string CancelWhenStage;  // cancels at the first progress of that stage
  // Cancels after this many more progress calls.
  std::optional<int> CancelAfterProgresses;
  std::string CurrentStage;

  void Stage(const std::string& message) override {
    Log.push_back("stage: " + message);
    CurrentStage = message;
  }
  void Progress(int percent) override {
    Percents.push_back(percent);
    if (CancelAfterProgresses && *CancelAfterProgresses > 0) --*CancelAfterProgresses;
    if (percent < 0 || percent > 100) Log.push_back("bad percent " + std::to_string(percent));
  }
  bool WaitForDisk(TDiskPrompt, const std::string& message, std::string& folder) override {
    Log.push_back("wait: " + message);
    if (Answers.empty()) return false;
    TDiskAnswer answer = Answers.front();
    Answers.pop_front();
    if (answer.before) answer.before();
    if (!answer.folder) return false;
    folder = *answer.folder;
    return true;
  }
  bool Cancelled() override {
    if (CancelAtLogSize && Log.size() >= *CancelAtLogSize) return true;
    if (CancelAtProgressCount && Percents.size() >= *CancelAtProgressCount) return true;
    if (CancelAfterProgresses && *CancelAfterProgresses == 0) return true;
    return !CancelWhenStage.empty() && CurrentStage == CancelWhenStage && !Percents.empty() &&
           StageProgressSeen();
  }

 private:
  bool StageProgressSeen() {
    if (CurrentStage != LastStage) {
      LastStage = CurrentStage;
      ProgressAtStage = Percents.size();
    }
    return Percents.size() > ProgressAtStage;
  }
  std::string LastStage;
  std::size_t ProgressAtStage = 0;
};

// Every live record of an open database, by fileblock and key text.
inline std::map<std::pair<int, std::string>, std::vector<unsigned char>> AllRecords(TSurveyDB& db) {
  std::map<std::pair<int, std::string>, std::vector<unsigned char>> all;
  for (int fileblock = 0; fileblock < kFileblockCount; ++fileblock) {
    TTable& table = db.Table(fileblock);
    std::vector<unsigned char> record(static_cast<std::size_t>(table.RecordLength()));
    for (std::int32_t number = 1; number < table.RecordSlots(); ++number) {
      table.GetRecord(number, record);
      if (!RecordIsLive(record)) continue;
      all[{fileblock, RecordID(record).Key()}] = record;
    }
  }
  return all;
}

// The names of the files in a folder.
inline std::set<std::string> FileNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// A database with a company, a department, a survey of 2 areas of 3
// questions, `subjects` subjects with an experience and 3 score sheets each
// (every answer filled, the last 30 too), and a rater.
class BackupDBTest : public SurveyDBTest {
 protected:
  void Fill(int subjects) {
    std::uint64_t noise = 1;
    TDepartment* department = MakeDepartment();
    TSurvey* survey = MakeSurvey(*department, 2, 3);
    auto rater = std::make_unique<TRater>();
    rater->Name = "Pat";
    department->Company->Raters().Adopt(std::move(rater));
    for (int s = 0; s < subjects; ++s) {
      TSubject* subject = MakeSubject(*department, "Subject " + std::to_string(s));
      TExperience* experience = MakeExperience(*subject, *survey, 40000.0 + s);
      for (int k = 0; k < 3; ++k) {
        TScoreSheet* sheet = MakeSheet(*experience, "Rater " + std::to_string(k), k);
        // Answers that do not compress away, so that the archive spans a
        // few 4096-byte blocks.
        for (std::size_t b = 0; b < sheet->AnswersBuf.size(); ++b) {
          noise = noise * 6364136223846793005ULL + 1442695040888963407ULL;
          sheet->AnswersBuf[b] = static_cast<std::int8_t>(1 + (noise >> 33) % 5);
        }
        sheet->Date += 1.0;
        db->Update(*sheet);
      }
    }
  }
};

}  // namespace zelvora::testing
