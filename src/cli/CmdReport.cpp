// zelvora360-cli report: generates a report over the database in the data
// folder and writes it as a PDF or as one PNG a page.
#ifdef ZELVORA_HAVE_QT
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "APP/CONFIGU.h"
#include "DB/Survobj.h"
#include "base/DateTime.h"
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "report/Report.h"
#include "report/ReportSource.h"
#include "report/prDelphi.h"

namespace zelvora::cli {
namespace {

std::unique_ptr<QGuiApplication> MakeReportApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "zelvora360-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, ','))
    if (!part.empty()) parts.push_back(part);
  return parts;
}

struct TKindInfo {
  int kind;
  std::uint16_t sections;
};

const std::map<std::string, TKindInfo>& Kinds() {
  static const std::map<std::string, TKindInfo> kinds{
      {"individual", {kReportIndividual, 0x1E}},
      {"composite", {kReportComposite, 0x1E}},
      {"comparative", {kReportComparative, 0x20}},
      {"training", {kReportTraining, 0x100}},
      {"organizational", {kReportOrganizational, 0xC0}},
      {"skill-area", {kReportSkillArea, 0x200}},
      {"rater-forms", {kReportRaterForms, 0x800}},
      {"blank-forms", {kReportBlankForms, 0x800}},
  };
  return kinds;
}

int RunReport(CliContext& context) {
  const ParsedArgs args = ParseArgs(
      context.args,
      {"--kind", "--sections", "--select", "--name", "--copies", "--pdf", "--png-dir",
       "--return-date", "--departments"},
      {"--title-page", "--self", "--other", "--suggestions", "--reference", "--subject-prefix"});
  if (!args.positional.empty()) throw CliUsageError("report takes only options");
  const std::string kind_name = args.Value("--kind").value_or("individual");
  const auto kind = Kinds().find(kind_name);
  if (kind == Kinds().end())
    throw CliUsageError(
        "--kind must be individual, composite, comparative, organizational, training, "
        "rater-forms, blank-forms or skill-area");
  TReportRequest request;
  request.Kind = kind->second.kind;
  request.Sections = kind->second.sections;
  if (const auto sections = args.Value("--sections")) {
    request.Sections = 0;
    for (const std::string& word : SplitCommas(*sections)) {
      int n = -1;
      try {
        n = std::stoi(word);
      } catch (const std::exception&) {
      }
      if (n < 1 || n > 15) throw CliUsageError("--sections takes numbers from 1 to 15");
      request.Sections |= static_cast<std::uint16_t>(1u << n);
    }
  }
  std::vector<TObjectID> ids;
  for (const std::string& word : SplitCommas(args.Value("--select").value_or(""))) {
    const auto id = TObjectID::FromText(word);
    if (!id) throw CliUsageError("--select takes IDs written as n.n, not \"" + word + "\"");
    ids.push_back(*id);
  }
  if (ids.empty()) throw CliUsageError("report needs --select with at least one ID");
  const auto pdf = args.Value("--pdf");
  const auto png_dir = args.Value("--png-dir");
  if (!pdf && !png_dir) throw CliUsageError("report needs --pdf OUT.pdf or --png-dir DIR");
  if (args.Has("--title-page")) request.Options |= kOptTitlePage;
  request.Unrestricted = args.Has("--suggestions");
  if (args.Has("--reference")) request.Options |= kOptReferenceNumber;
  if (args.Has("--subject-prefix")) request.Options |= kOptSubjectPrefix;
  if (const auto date = args.Value("--return-date")) {
    int y = 0, m = 0, d = 0;
    char dash1 = 0, dash2 = 0;
    std::istringstream in(*date);
    in >> y >> dash1 >> m >> dash2 >> d;
    if (!in || dash1 != '-' || dash2 != '-' || m < 1 || m > 12 || d < 1 || d > 31 || y < 1900 ||
        y > 9999)
      throw CliUsageError("--return-date takes a date written YYYY-MM-DD");
    request.ReturnDate = EncodeDate(y, m, d);
  }
  if (args.Has("--self")) request.Options |= kOptBlankSelf;
  if (args.Has("--other")) request.Options |= kOptBlankOther;
  request.ReportName = args.Value("--name").value_or("");
  if (const auto copies = args.Value("--copies")) {
    try {
      request.Copies = std::stoi(*copies);
    } catch (const std::exception&) {
      request.Copies = 0;
    }
    if (request.Copies < 1 || request.Copies > 999)
      throw CliUsageError("--copies needs a number from 1 to 999");
  }

  const auto app = MakeReportApplication();
  auto db = OpenCliDatabase(context);
  TDelphiScreen printer;
  // The report configuration of the data folder's settings file, as the
  // desktop program reads it; the command only reads it.
  TReportConfig config;
  {
    std::optional<std::string> data_dir;
    if (!context.data_dir_option.empty()) data_dir = context.data_dir_option;
    const TConfig settings(data_dir);
    config.Read(settings.Settings());
  }
  TReport360 report(config);
  {
    TDataRoot root;
    try {
      switch (request.Kind) {
        case kReportSkillArea:
          request.Sources = SkillAreaEntries(root, ids);
          break;
        case kReportRaterForms:
          request.Sources = SheetFormEntries(root, ids);
          break;
        case kReportBlankForms:
          request.Sources = BlankFormEntries(root, ids);
          break;
        default:
          request.Sources = ExperienceEntries(root, ids);
          break;
      }
      // The department list: every department, those named selected.
      std::vector<TObjectID> chosen;
      for (const std::string& word : SplitCommas(args.Value("--departments").value_or(""))) {
        const auto id = TObjectID::FromText(word);
        if (!id) throw CliUsageError("--departments takes IDs written as n.n");
        chosen.push_back(*id);
      }
      request.Departments = DepartmentEntries(root, chosen);
      if (request.Kind == kReportComparative) {
        // Subjects are separated by an empty entry, as the wizard's list has them.
        std::vector<TReportSourceEntry> grouped;
        for (auto& entry : request.Sources) {
          if (!grouped.empty() &&
              grouped.back().Data->Experience.SubjectName != entry.Data->Experience.SubjectName)
            grouped.push_back(TReportSourceEntry{});
          grouped.push_back(std::move(entry));
        }
        request.Sources = std::move(grouped);
      }
    } catch (const CliUsageError&) {
      throw;
    } catch (const std::exception& error) {
      context.err << error.what() << "\n";
      return 1;
    }
  }
  report.SetPrinter(&printer);
  report.Prepare(request);
  const bool produced = report.Generate();
  db->Close();
  if (!produced || printer.Pages().Count() == 0) {
    context.err << report.GetErrorMessage() << "\n";
    return 1;
  }
  if (pdf) {
    // Copies are written into the document one after the other, as a
    // printer would print them.
    const int copies = std::max(1, request.Copies);
    printer.Pages().SaveAsPdf(*pdf, copies);
    context.out << "Wrote " << printer.Pages().Count() * copies << " pages to " << *pdf << "\n";
  }
  if (png_dir) {
    std::filesystem::create_directories(*png_dir);
    for (int i = 0; i < printer.Pages().Count(); ++i) {
      const std::string png = *png_dir + "/page-" + std::to_string(i + 1) + ".png";
      printer.Pages().SavePng(i, 100, png);
      context.out << "Wrote " << png << "\n";
    }
  }
  return 0;
}

const CliRegistrar kReport{
    {"report", "Generate a report as a PDF or PNG pages",
     "usage: zelvora360-cli [--data DIR] report --select ID,... (--pdf OUT.pdf | --png-dir DIR)\n"
     "       [--kind individual|composite|comparative|training|rater-forms|\n"
     "               blank-forms|skill-area|organizational] [--sections 1,2,3,4]\n"
     "       [--departments ID,...]\n"
     "       [--title-page] [--suggestions] [--return-date YYYY-MM-DD] [--self|--other]\n"
     "       [--reference] [--subject-prefix]\n"
     "       [--name TEXT] [--copies N]\n"
     "Individual: one report per selected experience; Composite: the selected\n"
     "experiences (at least two) averaged. Sections: 1 Category, 2 Individual\n"
     "Practices, 3 Overview, 4 Summary. Comparative: two experiences of each\n"
     "subject, given one after the other (section 5). Training: one row per\n"
     "experience. Skill-area: the questions of the selected skill areas, with\n"
     "--suggestions each followed by its suggestions. Rater-forms: score sheet\n"
     "IDs; blank-forms: survey IDs. Organizational: the experiences by the\n"
     "departments named with --departments (sections 6 and 7).\n"
     "The fonts, colours and options are those of Korrin2.INI in the data folder\n"
     "(see the config command). --copies N writes the pages N times into the PDF.\n"
     "Prints the generator's message and exits 1 when nothing was produced.\n",
     RunReport}};

}  // namespace
}  // namespace zelvora::cli
#endif
