// zelvora360-cli config: shows the effective report configuration and window
// settings of a data folder, then closes the configuration the way the
// program does at exit (so missing report keys are written out in full).
#include <exception>
#include <optional>
#include <ostream>

#include "APP/CONFIGU.h"
#include "APP/SurveyDefaults.h"
#include "cli/CliCommand.h"
#include "report/Rptdflt.h"

namespace zelvora::cli {
namespace {

constexpr const char* kOptionsSection = "REPORT OPTIONS";

void PrintEntry(std::ostream& out, std::string_view section, std::string_view key,
                std::string_view value) {
  out << "[" << section << "] " << key << "=" << value << "\n";
}

int RunConfig(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (!args.positional.empty()) throw CliUsageError("config takes no arguments");

  std::optional<std::string> data_dir;
  if (!context.data_dir_option.empty()) data_dir = context.data_dir_option;
  TConfig config(data_dir);
  context.out << "Settings file: " << config.SettingsFilePath() << "\n";
  {
    TSurveyDefaults defaults(config.Settings());
    TReportConfig report(config.Settings());

    for (int i = 0; i < report.FontCount(); ++i) {
      const std::string key = "FONT" + std::to_string(i);
      const std::string spec = report.FontSpec(i);
      PrintEntry(context.out, kOptionsSection, key, spec);
      try {
        if (!spec.empty()) TFontSpec::Parse(spec);
      } catch (const EFontSpecError& e) {
        context.err << "warning: " << key << ": " << e.what() << "\n";
      }
    }
    PrintEntry(context.out, kOptionsSection, "BOXCOLOR", report.BoxColor());
    PrintEntry(context.out, kOptionsSection, "SHADECOLOR", report.ShadeColor());
    PrintEntry(context.out, kOptionsSection, "HEADERFOOTERBAR",
               report.HeaderFooterBar() ? "1" : "0");
    PrintEntry(context.out, kOptionsSection, "GRAPHOVER", report.GraphOver() ? "1" : "0");
    PrintEntry(context.out, kOptionsSection, "GRAPHUNDER", report.GraphUnder() ? "1" : "0");
    PrintEntry(context.out, kOptionsSection, "UseColor", report.UseColor() ? "1" : "0");
    PrintEntry(context.out, kOptionsSection, "UseReportTextDefaults",
               report.UseReportTextDefaults() ? "1" : "0");
    for (int i = 0; i < TReportConfig::kTextCount; ++i) {
      const auto slot = static_cast<TReportText>(i);
      const auto& info = TReportConfig::TextInfo(slot);
      PrintEntry(context.out, info.section, info.key, report.Text(slot));
    }
    for (const auto& [key, value] : defaults.Entries())
      PrintEntry(context.out, TSurveyDefaults::kSection, key, value);

    // As at the end of a run: the window settings are stored, the report
    // configuration writes itself back when a font key was missing.
    report.Close();
    defaults.Store();
  }
  config.Close();
  return 0;
}

const CliRegistrar kConfig{
    {"config", "Print the report configuration and window settings",
     "usage: zelvora360-cli [--data DIR] config\n"
     "Prints every report font, colour, option and text, and the SETTINGS values,\n"
     "as \"[SECTION] KEY=VALUE\" lines, read from Korrin2.INI in the data folder\n"
     "(a missing file gives the defaults). Then closes the configuration as the\n"
     "program does at exit: a file missing report font keys gets the complete\n"
     "REPORT OPTIONS section written.\n",
     RunConfig}};

}  // namespace
}  // namespace zelvora::cli
