// The survey database at a large installation's size, built once in a
// temporary folder and removed at exit: 20 companies of 5 departments, 10,000
// subjects, 20,000 experiences, 120,000 score sheets, plus one survey of 4
// skill areas and 40 questions per department and 10 raters per company.
// Shared by the benchmarks that need it.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "DB/SURVDB.h"
#include "DB/Survobj.h"

namespace zelvora::bench {

namespace fs = std::filesystem;

constexpr int kCompanies = 20;
constexpr int kDepartmentsPerCompany = 5;
constexpr int kSubjectsPerDepartment = 100;
constexpr int kExperiencesPerSubject = 2;
constexpr int kSheetsPerExperience = 6;
constexpr int kRatersPerCompany = 10;
constexpr std::int32_t kOrigin = 4711;

// The data folder, built on first use and removed at exit.
class BenchDatabase {
 public:
  BenchDatabase() {
    std::string pattern = (fs::temp_directory_path() / "zelvora-bench-db-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern + "/";
    const auto start = std::chrono::steady_clock::now();
    Build();
    build_seconds_ =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  ~BenchDatabase() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const std::string& Dir() const { return dir_; }
  double BuildSeconds() const { return build_seconds_; }
  TObjectID SheetToSave() const { return sheet_; }
  TObjectID ExperienceOfSheet() const { return experience_; }

 private:
  TObjectID Next() { return TObjectID{kOrigin, ++serial_}; }

  // Records are written straight through the database's insert operations
  // with light stand-in owners, which is how a restore would fill it.
  void Build() {
    TSurveyDB db;
    db.Open(dir_);
    TDataRoot root;
    for (int c = 0; c < kCompanies; ++c) {
      TCompany company;
      company.ID = Next();
      company.Name = "Company " + std::to_string(c);
      db.Insert(company);
      for (int r = 0; r < kRatersPerCompany; ++r) {
        TRater rater;
        rater.ID = Next();
        rater.Name = "Rater " + std::to_string(r);
        rater.Company = &company;
        db.Insert(rater);
      }
      for (int d = 0; d < kDepartmentsPerCompany; ++d) {
        TDepartment department;
        department.ID = Next();
        department.Name = "Department " + std::to_string(d);
        department.Company = &company;
        db.Insert(department);
        TSurvey survey;
        survey.ID = Next();
        survey.Name = "Survey";
        survey.FreqLabels = TSurvey::DefaultFreqLabels();
        survey.Department = &department;
        db.Insert(survey);
        for (int a = 0; a < 4; ++a) {
          TSkillArea area;
          area.ID = Next();
          area.Name = "Area " + std::to_string(a);
          area.Order = static_cast<std::int16_t>(a);
          area.Survey = &survey;
          db.Insert(area);
          for (int q = 0; q < 10; ++q) {
            TQuestion question;
            question.ID = Next();
            question.QuestionText = "Question text number " + std::to_string(q);
            question.Order = static_cast<std::int16_t>(q);
            question.SkillArea = &area;
            db.Insert(question);
          }
        }
        for (int s = 0; s < kSubjectsPerDepartment; ++s) {
          TSubject subject;
          subject.ID = Next();
          subject.Name = "Subject " + std::to_string(s);
          subject.Department = &department;
          db.Insert(subject);
          for (int e = 0; e < kExperiencesPerSubject; ++e) {
            TExperience experience;
            experience.ID = Next();
            experience.SubjectID = subject.ID;
            experience.SurveyID = survey.ID;
            experience.ExperienceDate = 45000 + 365 * e;
            experience.Department = &department;
            db.Insert(experience);
            for (int k = 0; k < kSheetsPerExperience; ++k) {
              TScoreSheet sheet;
              sheet.ID = Next();
              sheet.RaterName = "Rater " + std::to_string(k);
              sheet.RaterCategory = static_cast<std::int16_t>(k);
              for (int b = 0; b < 80; ++b)
                sheet.AnswersBuf[static_cast<std::size_t>(b)] =
                    static_cast<std::int8_t>(1 + (b + k) % 5);
              sheet.Completed = true;
              sheet.Experience = &experience;
              db.Insert(sheet);
              sheet_ = sheet.ID;
              experience_ = experience.ID;
            }
          }
        }
      }
    }
    db.Close();
  }

  std::string dir_;
  std::int32_t serial_ = 0;
  double build_seconds_ = 0;
  TObjectID sheet_;
  TObjectID experience_;
};

}  // namespace zelvora::bench
