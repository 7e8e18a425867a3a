// Report generation speed: an Individual report with all four sections and a
// title page for an experience with 60 completed score sheets over 7 rater
// categories on a 115-question survey, generated and written as a PDF; and a
// Composite report over 100 such experiences (10 sheets each); a Training
// report over 200 participants (7 sheets each, one per category).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "report/Report.h"
#include "report/prDelphi.h"

namespace {

using namespace zelvora;

constexpr int kQuestions = 115;
constexpr int kAreas = 10;

std::shared_ptr<TGapSurvey> MakeSurvey() {
  auto survey = std::make_shared<TGapSurvey>();
  survey->Name = "Leadership Practices";
  survey->HasCompletedSheets = true;
  for (int a = 0; a < kAreas; ++a) {
    TGapSkillArea area;
    area.Name = "Skill area " + std::to_string(a + 1);
    survey->SkillAreas.push_back(area);
  }
  for (int q = 0; q < kQuestions; ++q) {
    TGapQuestion question;
    question.Text = "Practice number " + std::to_string(q + 1) +
                    ": explains decisions to the team and follows up on commitments made?";
    question.SkillArea = q * kAreas / kQuestions;
    question.Suggestions = {"Ask the team what could be clearer.", "Keep a list of promises."};
    survey->SkillAreas[static_cast<std::size_t>(question.SkillArea)].Questions.push_back(q);
    survey->Questions.push_back(question);
  }
  return survey;
}

std::shared_ptr<TReportExperience> MakeExperience(const std::shared_ptr<TGapSurvey>& survey,
                                                  int sheets, unsigned seed) {
  std::mt19937 random(seed);
  auto e = std::make_shared<TReportExperience>();
  e->CompanyName = "Northwind Logistics";
  e->CompanyCategories = {{"Self", 0},  {"Boss", 1}, {"Others", 2}, {"Peer", 3},
                          {"Staff", 4}, {"Team", 5}, {"Clients", 6}};
  e->Survey = survey;
  e->Experience.SubjectName = "Subject " + std::to_string(seed);
  e->Experience.ExperienceDate = 45000 + seed;
  for (int s = 0; s < sheets; ++s) {
    TGapSheet sheet;
    sheet.RaterCategory = s % 7;
    sheet.Completed = true;
    for (int q = 0; q < kQuestions; ++q)
      sheet.SetPair(q, 1 + static_cast<int>(random() % 5), 1 + static_cast<int>(random() % 5));
    e->Experience.Sheets.push_back(sheet);
  }
  return e;
}

TReportSourceEntry Entry(std::shared_ptr<TReportExperience> data) {
  TReportSourceEntry entry;
  entry.Text = data->Experience.SubjectName;
  entry.Selected = true;
  entry.Data = std::move(data);
  return entry;
}

void RunReport(benchmark::State& state, int kind, const std::vector<TReportSourceEntry>& sources,
               bool write_pdf = true) {
  const TReportConfig config;
  const std::string pdf =
      (std::filesystem::temp_directory_path() / "zelvora-bench-report.pdf").string();
  for (auto _ : state) {
    TDelphiScreen printer;
    TReport360 report(config);
    report.SetPrinter(&printer);
    TReportRequest request;
    request.Kind = kind;
    request.Sections = kind == kReportTraining ? 0x100 : 0x1E;
    request.Options = kOptTitlePage;
    request.Sources = sources;
    report.Prepare(request);
    if (!report.Generate()) state.SkipWithError(report.GetErrorMessage().c_str());
    if (write_pdf) printer.Pages().SaveAsPdf(pdf);
    state.counters["pages"] = printer.Pages().Count();
  }
  std::filesystem::remove(pdf);
}

void BM_IndividualToPdf(benchmark::State& state) {
  const auto survey = MakeSurvey();
  const TReportSourceEntry entry = Entry(MakeExperience(survey, 60, 1));
  RunReport(state, kReportIndividual, {entry});
}
BENCHMARK(BM_IndividualToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the PDF: the layout and recording alone.
void BM_IndividualRecordOnly(benchmark::State& state) {
  const auto survey = MakeSurvey();
  const TReportSourceEntry entry = Entry(MakeExperience(survey, 60, 1));
  RunReport(state, kReportIndividual, {entry}, false);
}
BENCHMARK(BM_IndividualRecordOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CompositeOf100ToPdf(benchmark::State& state) {
  const auto survey = MakeSurvey();
  std::vector<TReportSourceEntry> entries;
  for (unsigned i = 0; i < 100; ++i) entries.push_back(Entry(MakeExperience(survey, 10, i)));
  RunReport(state, kReportComposite, entries);
}
BENCHMARK(BM_CompositeOf100ToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrainingOf200ToPdf(benchmark::State& state) {
  const auto survey = MakeSurvey();
  std::vector<TReportSourceEntry> entries;
  for (unsigned i = 0; i < 200; ++i) entries.push_back(Entry(MakeExperience(survey, 7, i)));
  RunReport(state, kReportTraining, entries);
}
BENCHMARK(BM_TrainingOf200ToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
