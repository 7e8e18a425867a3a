// The Control Center over the performance database (PerformanceDatabase.h):
// the time from a click to repainted lists, for each step of the way down to
// a department survey's raters:
//   company      a click on a company (fills its departments)
//   department   a click on a department (fills its surveys)
//   survey       a click on the department survey
//   show         Show on it: the detail page with its 100 subjects
//   subject      a click on a subject (fills its experiences)
//   experience   a click on an experience (fills its 6 raters)
// Each step is timed on 10 companies, every one for the first time after the
// database was opened (so the objects are read from the files), from the
// mouse click until the window has painted again; printed are the median and
// the slowest. Goal: under 100 ms each.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_ControlCenterClicks
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "APP/SectionedConfigFile.h"
#include "PerformanceDatabase.h"
#include "UI/CCListWidget.h"
#include "UI/ControlCenterForm.h"
#include "UI/WidgetUserInterface.h"
#include "UI/model/CONCEN.h"

namespace {

using namespace zelvora;
using Clock = std::chrono::steady_clock;

// Messages would stop the run: they go to standard error.
class TQuietUserInterface : public TWidgetUserInterface {
 public:
  void Inform(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

double Milliseconds(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Clicks `row` of `list` and waits until the window has painted again.
double TimeClick(TControlCenterForm& form, int list, int row) {
  TCCListWidget* widget = form.List(list);
  const QPoint at = widget->visualItemRect(widget->item(row)).center();
  const auto start = Clock::now();
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
  form.repaint();
  QApplication::processEvents();
  return Milliseconds(start);
}

double TimeButton(TControlCenterForm& form, QPushButton* button) {
  const auto start = Clock::now();
  QTest::mouseClick(button, Qt::LeftButton);
  form.repaint();
  QApplication::processEvents();
  return Milliseconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const auto build_start = Clock::now();
  bench::BenchDatabase& database = *new bench::BenchDatabase;
  std::printf("database built in %.1f s\n", Milliseconds(build_start) / 1000);

  TSurveyDB db;
  const auto open_start = Clock::now();
  db.Open(database.Dir());
  TSectionedConfigFile settings;
  TQuietUserInterface ui;
  auto form = std::make_unique<TControlCenterForm>(ui, &settings, "", nullptr);
  form->resize(900, 600);
  form->show();
  form->repaint();
  QApplication::processEvents();
  std::printf("open and show the Control Center: %.1f ms\n", Milliseconds(open_start));

  std::map<std::string, std::vector<double>> times;
  const char* steps[] = {"company", "department", "survey", "show", "subject", "experience"};
  for (int c = 1; c <= 10; ++c) {
    times["company"].push_back(TimeClick(*form, CompanyLB, c));
    times["department"].push_back(TimeClick(*form, DepartmentLB, 1 + c % 5));
    times["survey"].push_back(TimeClick(*form, DepartmentSurveyLB, 1));
    times["show"].push_back(TimeButton(*form, form->ShowBtn));
    if (form->List(SubjectLB)->count() != 101) {
      std::fprintf(stderr, "the detail page shows %d entries\n", form->List(SubjectLB)->count());
      return 1;
    }
    times["subject"].push_back(TimeClick(*form, SubjectLB, 1 + c));
    times["experience"].push_back(TimeClick(*form, ExperienceLB, 1));
    if (form->List(RaterLB)->count() != 7) {
      std::fprintf(stderr, "the rater list shows %d entries\n", form->List(RaterLB)->count());
      return 1;
    }
    QTest::mouseClick(form->DoneBtn, Qt::LeftButton);
  }
  std::printf("%-12s %10s %10s\n", "click", "median ms", "max ms");
  for (const char* step : steps) {
    std::vector<double>& t = times[step];
    std::sort(t.begin(), t.end());
    std::printf("%-12s %10.2f %10.2f\n", step, t[t.size() / 2], t.back());
  }
  form.reset();
  db.Close();
  delete &database;
  return 0;
}
