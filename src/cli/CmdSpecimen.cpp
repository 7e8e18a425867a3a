// zelvora360-cli specimen OUT.pdf: the print engine's two specimen pages as a
// PDF, for a person to look at.
#ifdef ZELVORA_HAVE_QT
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "report/PrSpecimen.h"

namespace zelvora::cli {
namespace {

// Qt needs an application object for fonts and drawing; without a display the
// offscreen platform serves.
std::unique_ptr<QGuiApplication> MakeApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "zelvora360-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

int RunSpecimen(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {"--png-dpi"});
  if (args.positional.size() != 1) throw CliUsageError("specimen needs one output file");
  int png_dpi = 0;
  if (const auto dpi = args.Value("--png-dpi")) {
    try {
      png_dpi = std::stoi(*dpi);
    } catch (const std::exception&) {
      throw CliUsageError("--png-dpi needs a number");
    }
    if (png_dpi < 10 || png_dpi > 600) throw CliUsageError("--png-dpi must be 10 to 600");
  }
  const std::string out = args.positional[0];
  const auto app = MakeApplication();
  const TReportConfig config;
  TDelphiScreen printer;
  DrawSpecimen(printer, config);
  printer.Pages().SaveAsPdf(out);
  context.out << "Wrote " << printer.Pages().Count() << " pages to " << out << " (printer "
              << printer.SystemPrinter().Name() << ", " << printer.PixelsPerInchX << " dpi)\n";
  if (png_dpi > 0) {
    for (int i = 0; i < printer.Pages().Count(); ++i) {
      const std::string png = out + "-" + std::to_string(i + 1) + ".png";
      printer.Pages().SavePng(i, png_dpi, png);
      context.out << "Wrote " << png << "\n";
    }
  }
  return 0;
}

const CliRegistrar kSpecimen{
    {"specimen", "Write the print engine's specimen pages as a PDF",
     "usage: zelvora360-cli specimen OUT.pdf [--png-dpi N]\n"
     "Draws every printable object on one portrait and one landscape page with the\n"
     "default report fonts and writes them to OUT.pdf; with --png-dpi also writes\n"
     "OUT.pdf-1.png and OUT.pdf-2.png at N dots per inch.\n",
     RunSpecimen}};

}  // namespace
}  // namespace zelvora::cli
#endif
