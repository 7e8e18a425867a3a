// zelvora360-cli disk-read FILE: prints what a survey-disk document holds:
//   Company: Acme
//   Department: Sales
//   Survey: Leadership Practices 360
//   Subject: Pat Example
//   Experience date: 2025-12-01
//   Reference #: 300
//   Category: Boss
//   Completed: No
//   Answers:
//     1) 3 4  Listens to others
// Each answer line is the question number, its AnsPerQ answers (0 or less
// for not answered) and the question text; a survey without questions shows
// the answer bytes up to the last one set.
#include <ostream>
#include <string>

#include "DB/Survobj.h"
#include "base/DateTime.h"
#include "cli/CliCommand.h"
#include "interchange/SurvMap.h"

namespace zelvora::cli {
namespace {

void PrintAnswers(std::ostream& out, TSurveyDiskObjects& disk) {
  TScoreSheet& sheet = *disk.ScoreSheet;
  TQuestionList& questions = disk.Survey->Questions();
  const int ans_per_q = disk.Survey->AnsPerQ;
  if (questions.Size() == 0 || ans_per_q < 1) {
    int last = kAnswersBufSize;
    while (last > 0 && sheet.AnswersBuf[static_cast<std::size_t>(last - 1)] == 0) --last;
    out << "Answers:";
    for (int i = 0; i < last; ++i)
      out << (i == 0 ? " " : ",")
          << static_cast<int>(sheet.AnswersBuf[static_cast<std::size_t>(i)]);
    out << "\n";
    return;
  }
  out << "Answers:\n";
  for (int q = 1; q <= questions.Size(); ++q) {
    out << "  " << q << ")";
    for (int a = 1; a <= ans_per_q; ++a) {
      const int index = TScoreSheet::AnswerIndex(a, q, ans_per_q);
      if (index < 0)
        out << " -";  // beyond the answer buffer
      else
        out << ' ' << static_cast<int>(sheet.AnswersBuf[static_cast<std::size_t>(index)]);
    }
    out << "  " << questions.At(q - 1)->QuestionText << "\n";
  }
}

int RunDiskRead(CliContext& context) {
  const ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() != 1) throw CliUsageError("expected one FILE");
  try {
    TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(args.positional.front());
    std::ostream& out = context.out;
    out << "Company: " << disk.Company->Name << "\n"
        << "Department: " << disk.Department->Name << "\n"
        << "Survey: " << disk.Survey->Name << "\n"
        << "Subject: " << disk.Subject->Name << "\n"
        << "Experience date: " << FormatIsoDate(disk.Experience->ExperienceDate) << "\n"
        << "Reference #: " << disk.ScoreSheet->ID.Serial << "\n"
        << "Category: " << disk.CategoryName << "\n"
        << "Completed: " << (disk.ScoreSheet->Completed ? "Yes" : "No") << "\n";
    PrintAnswers(out, disk);
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kDiskRead{{"disk-read", "Print what a survey-disk document holds",
                              "usage: zelvora360-cli disk-read FILE\n"
                              "Reads a survey-disk document (dtf.xml) and prints its company,\n"
                              "department, survey, subject, experience date, reference number,\n"
                              "category, whether it is completed, and its answers.\n",
                              RunDiskRead}};

}  // namespace
}  // namespace zelvora::cli
