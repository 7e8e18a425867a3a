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
#include "UI/Preview.h"
#include "report/Report.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"

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
