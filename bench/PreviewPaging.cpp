// Preview speed: from View to the first page of the Individual report of
// the report generation benchmark (60 completed sheets, 115 questions) shown
// in the preview window, and the repaint after paging to the next page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <cstdlib>
#include <memory>
#include <random>

#include "APP/LanguageTable.h"
#include "ReportBenchData.h"
#include "UI/Preview.h"
#include "report/Report.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"

namespace {

using namespace zelvora;

using bench::Entry;
using bench::MakeExperience;
using bench::MakeSurvey;

// A preview over the Individual report, generated and its first page
// painted.
struct TShownPreview {
  TReportConfig config;
  TLanguageTable texts;
  std::unique_ptr<TPrPreviewScr> window;
  QWidget* surface = nullptr;

  explicit TShownPreview(const TReportSourceEntry& entry) {
    texts.Load(std::string(ZELVORA_SOURCE_DIR) + "/dist/LocU.ini");
    window = std::make_unique<TPrPreviewScr>(texts, TSystemPrinter::Default());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto report = std::make_unique<TReport360>(config);
    TReportRequest request;
    request.Kind = kReportIndividual;
    request.Sections = 0x1E;
    request.Options = kOptTitlePage;
    request.Sources = {entry};
    report->Prepare(request);
    window->AttachReport(std::move(report));
    window->show();
    window->GenerateReport(true);
    surface = window->findChild<QWidget*>("PaintBox1");
    surface->repaint();
  }
};

void BM_PreviewFirstPage(benchmark::State& state) {
  const auto survey = MakeSurvey();
  const TReportSourceEntry entry = Entry(MakeExperience(survey, 60, 1));
  for (auto _ : state) {
    TShownPreview shown(entry);
    state.counters["pages"] = shown.window->PageCount();
  }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreviewNextPage(benchmark::State& state) {
  const auto survey = MakeSurvey();
  TShownPreview shown(Entry(MakeExperience(survey, 60, 1)));
  auto* next = shown.window->findChild<QPushButton*>("NextBtn");
  for (auto _ : state) {
    if (!next->isEnabled()) shown.window->ShowPage(0);
    next->click();
    shown.surface->repaint();
  }
}
BENCHMARK(BM_PreviewNextPage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
