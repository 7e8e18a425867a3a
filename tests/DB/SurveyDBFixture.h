// Shared set-up for the tests of the record-store survey database: a fresh
// data folder, a database opened on it that collects its messages, and raw
// access to the data files.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "APP/TempFolder.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"

namespace zelvora::testing {

class SurveyDBTest : public ::testing::Test {
 protected:
  void SetUp() override { Reopen(); }
  void TearDown() override {
    root.reset();
    db.reset();
  }

  // Closes the database (if open) and opens a new one on the same folder,
  // as the next run of the program would; the data root starts afresh.
  void Reopen() {
    root.reset();
    if (db) db->Close();
    db.reset();
    messages.clear();
    db = std::make_unique<TSurveyDB>([this](const std::string& m) { messages.push_back(m); });
    db->Open(dir());
    root = std::make_unique<TDataRoot>();
  }
  void CloseAll() {
    root.reset();
    if (db) db->Close();
    db.reset();
  }

  std::string dir() const { return folder.path().string() + "/"; }
  std::string DataPath(int fileblock) const {
    return dir() + FileblockInfo(fileblock).BaseName + ".DAT";
  }
  std::string IndexPath(int fileblock) const {
    return dir() + FileblockInfo(fileblock).BaseName + ".IX";
  }

  // The bytes of record `number` (from 1) of a fileblock, read from its
  // data file.
  std::vector<unsigned char> RawRecord(int fileblock, int number) const {
    const std::string bytes = ReadBytes(DataPath(fileblock));
    const auto length = static_cast<std::size_t>(FileblockInfo(fileblock).RecordLength);
    const std::size_t at = static_cast<std::size_t>(number) * length;
    if (bytes.size() < at + length) return {};
    return std::vector<unsigned char>(bytes.begin() + static_cast<long>(at),
                                      bytes.begin() + static_cast<long>(at + length));
  }

  // A stored company with one stored department.
  TDepartment* MakeDepartment(const std::string& company_name = "Acme",
                              const std::string& name = "Sales") {
    auto company = std::make_unique<TCompany>();
    company->Name = company_name;
    TCompany* stored = root->Companies().Adopt(std::move(company));
    auto department = std::make_unique<TDepartment>();
    department->Name = name;
    return stored->Departments().Adopt(std::move(department));
  }

  TSurvey* MakeSurvey(TDepartment& department, int areas, int questions) {
    auto survey = std::make_unique<TSurvey>();
    survey->Name = "Leadership";
    survey->FreqLabels = TSurvey::DefaultFreqLabels();
    TSurvey* stored = department.Surveys().Adopt(std::move(survey));
    for (int a = 0; a < areas; ++a) {
      auto area = std::make_unique<TSkillArea>();
      area->Name = "Area " + std::to_string(a);
      TSkillArea* added = stored->SkillAreas().Adopt(std::move(area));
      for (int q = 0; q < questions; ++q) {
        auto question = std::make_unique<TQuestion>();
        question->QuestionText = "Q" + std::to_string(a) + "." + std::to_string(q);
        added->Questions().Adopt(std::move(question));
      }
    }
    return stored;
  }

  TSubject* MakeSubject(TDepartment& department, const std::string& name) {
    auto subject = std::make_unique<TSubject>();
    subject->Name = name;
    return department.Subjects().Adopt(std::move(subject));
  }

  TExperience* MakeExperience(TSubject& subject, TSurvey& survey, double date = 40000.0) {
    auto experience = std::make_unique<TExperience>();
    experience->SubjectID = subject.ID;
    experience->SurveyID = survey.ID;
    experience->ExperienceDate = date;
    return subject.Experiences().Adopt(std::move(experience));
  }

  TScoreSheet* MakeSheet(TExperience& experience, const std::string& rater, int category) {
    auto sheet = std::make_unique<TScoreSheet>();
    sheet->RaterName = rater;
    sheet->RaterCategory = static_cast<std::int16_t>(category);
    return experience.ScoreSheets().Adopt(std::move(sheet));
  }

  TempFolder folder;
  std::vector<std::string> messages;
  std::unique_ptr<TSurveyDB> db;
  std::unique_ptr<TDataRoot> root;
};

inline double GetDoubleAt(const std::vector<unsigned char>& r, std::size_t at) {
  double value = 0;
  std::memcpy(&value, r.data() + at, sizeof value);
  return value;
}
inline std::int32_t GetInt32At(const std::vector<unsigned char>& r, std::size_t at) {
  std::int32_t value = 0;
  std::memcpy(&value, r.data() + at, sizeof value);
  return value;
}
inline std::int16_t GetInt16At(const std::vector<unsigned char>& r, std::size_t at) {
  std::int16_t value = 0;
  std::memcpy(&value, r.data() + at, sizeof value);
  return value;
}
inline std::string ShortTextAt(const std::vector<unsigned char>& r, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(r.data() + at + 1), r[at]);
}

}  // namespace zelvora::testing
