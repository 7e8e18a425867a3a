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

#include "ReportBenchData.h"
#include "report/Report.h"
#include "report/prDelphi.h"

namespace {

using namespace zelvora;

using bench::Entry;
using bench::kQuestions;
using bench::MakeExperience;
using bench::MakeSurvey;

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
