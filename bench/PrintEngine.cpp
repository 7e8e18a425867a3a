// Records 100 pages of wrapped bulleted paragraphs and bar graphs on the
// recording printer and writes them as one PDF. The pages_per_second counter
// is the figure to watch.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>

#include "report/PrintFonts.h"
#include "report/Prtobjs.h"
#include "report/Rptdflt.h"
#include "report/prDelphi.h"

namespace {

using namespace zelvora;

constexpr int kPages = 100;

const char* const kPractice =
    "Encourages open discussion of problems and listens carefully to the views of others "
    "before deciding. Gives clear direction, explains the reasons for decisions and follows "
    "up on the commitments made to the team and to clients.";

void DrawPages(TDelphiScreen& p) {
  const TReportConfig config;
  LoadReportFonts(p, config);
  p.Open(false, 0, 0, " ", false);
  p.SetLeftMargin(750, 0);
  p.SetRightMargin(7750, 0);
  p.SetTopMargin(750, 0);
  p.SetBottomMargin(10250, 0);
  for (int page = 1; page <= kPages; ++page) {
    p.StartPage();
    TFooter footer(&p);
    footer.SetHeight(300);
    footer.PartFonts = {2, 17, 16, -1, -1};
    footer.SetText(0, "Page " + std::to_string(page));
    footer.Draw();
    p.MoveTo(p.LeftMargin, p.TopMargin);
    TBulletList bullets(&p);
    bullets.PartFonts = {11, 11, -1, -1, -1};
    bullets.BulletOffset = -250;
    bullets.Left = p.LeftMargin + 500;
    bullets.SetText(1, "\xE2\x80\xA2");
    for (int i = 0; i < 6; ++i) {
      bullets.SetText(0, kPractice);
      bullets.Draw();
    }
    TBarGraph graph(&p);
    graph.SetX(p.LeftMargin + 2500);
    graph.SetY(p.CurY + 200);
    graph.SetWidth(4000);
    graph.SetHeight(250);
    for (int b = 0; b < 8; ++b) graph.AddBar("bar", 13158600, 1, 3, b % 6 - 1, 4, 0, 1);
    graph.Draw();
    p.EndPage();
  }
}

void BM_RecordAndWritePdf(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("bench.pdf").toStdString();
  for (auto _ : state) {
    TDelphiScreen printer(std::make_shared<TSystemPrinter>(600));
    DrawPages(printer);
    printer.Pages().SaveAsPdf(pdf);
    benchmark::DoNotOptimize(printer.Pages().Count());
  }
  state.counters["pages_per_second"] =
      benchmark::Counter(double(kPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordAndWritePdf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecordOnly(benchmark::State& state) {
  for (auto _ : state) {
    TDelphiScreen printer(std::make_shared<TSystemPrinter>(600));
    DrawPages(printer);
    benchmark::DoNotOptimize(printer.Pages().Count());
  }
  state.counters["pages_per_second"] =
      benchmark::Counter(double(kPages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

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
