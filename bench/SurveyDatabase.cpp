// The survey database at a large installation's size: 20 companies of 5
// departments, 10,000 subjects, 20,000 experiences, 120,000 score sheets
// (plus one survey of 4 skill areas and 40 questions per department and 10
// raters per company), built once in a temporary folder.
//
// Measured:
//   Open                  open the database (closing is outside the timing)
//   OpenAndListCompanies  open and load all companies (goal under 50 ms)
//   DepartmentSubtree     one department's subjects, experiences and score
//                         sheets, loaded right after an open (under 100 ms)
//   ReindexAll            rebuild every index (under 10 s)
//   SaveScoreSheet        save one changed score sheet
// and, printed at the end, the resident memory of a fresh process that has
// the database open with nothing loaded (goal under 20 MB).
// Run: build-<you>/bench/bench_SurveyDatabase
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "PerformanceDatabase.h"

namespace {

using namespace zelvora;
namespace fs = std::filesystem;

using namespace zelvora::bench;

BenchDatabase& Database() {
  static BenchDatabase database;
  return database;
}

void BM_Open(benchmark::State& state) {
  const std::string& dir = Database().Dir();
  for (auto _ : state) {
    TSurveyDB db;
    db.Open(dir);
    state.PauseTiming();
    db.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_OpenAndListCompanies(benchmark::State& state) {
  const std::string& dir = Database().Dir();
  for (auto _ : state) {
    TSurveyDB db;
    db.Open(dir);
    {
      TDataRoot root;
      if (root.Companies().Size() != kCompanies) state.SkipWithError("wrong company count");
      state.PauseTiming();
    }
    db.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAndListCompanies)->Unit(benchmark::kMillisecond);

void BM_DepartmentSubtree(benchmark::State& state) {
  const std::string& dir = Database().Dir();
  std::int64_t sheets = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      TSurveyDB db;
      db.Open(dir);
      {
        TDataRoot root;
        TCompany* company = root.Companies().At(kCompanies / 2);
        TDepartment* department = company->Departments().At(kDepartmentsPerCompany / 2);
        state.ResumeTiming();
        department->Subjects();
        auto& experiences = department->Experiences();
        for (int i = 0; i < experiences.Size(); ++i)
          sheets += experiences.At(i)->ScoreSheets().Size();
        state.PauseTiming();
      }
      db.Close();
    }
    state.ResumeTiming();
  }
  state.counters["sheets_per_load"] =
      static_cast<double>(sheets) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DepartmentSubtree)->Unit(benchmark::kMillisecond);

void BM_ReindexAll(benchmark::State& state) {
  const std::string& dir = Database().Dir();
  TSurveyDB db;
  db.Open(dir);
  for (auto _ : state) {
    if (!db.ReindexAll()) state.SkipWithError("reindex failed");
  }
  db.Close();
}
BENCHMARK(BM_ReindexAll)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SaveScoreSheet(benchmark::State& state) {
  const std::string& dir = Database().Dir();
  TSurveyDB db;
  db.Open(dir);
  TExperience owner;
  owner.ID = Database().ExperienceOfSheet();
  TScoreSheet sheet;
  sheet.ID = Database().SheetToSave();
  sheet.RaterName = "Rater 5";
  sheet.Experience = &owner;
  sheet.Completed = true;
  int step = 0;
  for (auto _ : state) {
    sheet.AnswersBuf[0] = static_cast<std::int8_t>(1 + step % 5);
    sheet.Date += 1.0 / 86400;  // each save is newer than the last
    db.Update(sheet);
    ++step;
  }
  db.Close();
}
BENCHMARK(BM_SaveScoreSheet)->Unit(benchmark::kMicrosecond);

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Run as "--rss-probe DIR": a fresh process opens the database and prints
// its resident memory in KiB before and after.
int RssProbe(const std::string& dir) {
  const long before = ResidentKiB();
  TSurveyDB db;
  db.Open(dir);
  const long after = ResidentKiB();
  std::printf("%ld %ld\n", before, after);
  db.Close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--rss-probe") return RssProbe(argv[2]);
  benchmark::Initialize(&argc, argv);
  std::printf(
      "Building the database (%d companies, %d subjects, %d experiences, %d score sheets)...\n",
      kCompanies, kCompanies * kDepartmentsPerCompany * kSubjectsPerDepartment,
      kCompanies * kDepartmentsPerCompany * kSubjectsPerDepartment * kExperiencesPerSubject,
      kCompanies * kDepartmentsPerCompany * kSubjectsPerDepartment * kExperiencesPerSubject *
          kSheetsPerExperience);
  std::printf("Built in %.1f s\n", Database().BuildSeconds());
  benchmark::RunSpecifiedBenchmarks();
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  FILE* probe = ::popen(("'" + self + "' --rss-probe '" + Database().Dir() + "'").c_str(), "r");
  long before = -1, after = -1;
  if (probe != nullptr) {
    if (std::fscanf(probe, "%ld %ld", &before, &after) != 2) before = after = -1;
    ::pclose(probe);
  }
  std::printf(
      "Resident memory of a process with the database open, nothing loaded: %.1f MB "
      "(%.1f MB before opening)\n",
      static_cast<double>(after) / 1024.0, static_cast<double>(before) / 1024.0);
  benchmark::Shutdown();
  return 0;
}
