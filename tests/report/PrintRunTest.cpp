// The print model's run: every copy of every recorded page sent to the
// printer in its orientation, report after report when the report is not a
// single run, the title, page text and gauge from the report's
// notifications, the job title, Cancel at any notification or page, and
// the error box's OK and Cancel.
#include <gtest/gtest.h>

#include "report/PrintRun.h"
#include "report/PrintRunView.h"
#include "report/PrintWindowFakes.h"

namespace zelvora::testing {
namespace {

using Log = std::vector<std::string>;

class TFakePrintRunView : public TPrintRunView {
 public:
  // "started", "finished", "ask <text>", "error <text>".
  Log log;
  int changes = 0;
  // The user's input noticed while events run.
  std::function<void()> on_events;
  // The answers of the error box, in turn (OK when they run out).
  std::vector<bool> answers;

  void Changed() override { ++changes; }
  void LetEventsRun() override {
    if (on_events) on_events();
  }
  bool AskContinue(const std::string& text) override {
    log.push_back("ask " + text);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void ShowError(const std::string& text) override { log.push_back("error " + text); }
  void RunStarted() override { log.push_back("started"); }
  void RunFinished() override { log.push_back("finished"); }
};

struct TPrintWorld {
  TFakePrintRunView view;
  std::vector<TFakeRecorder*> recorders;
  TPagesReport* report = nullptr;
  TRecordingTarget* target = nullptr;
  TPrintRun run;

  explicit TPrintWorld(std::vector<std::uint8_t> orientations, int copies = 1)
      : run(
            ShippedTexts(), view, TFakeRecorder::Factory(&recorders),
            [this] {
              auto made = std::make_unique<TRecordingTarget>();
              target = made.get();
              return made;
            },
            " - Test") {
    auto owned = std::make_unique<TPagesReport>();
    owned->orientations = std::move(orientations);
    owned->Copies = copies;
    report = owned.get();
    run.AttachReport(std::move(owned));
  }
};

TEST(PrintRunTest, TwoCopiesPrintThePagesTwiceInOneJob) {
  TPrintWorld world({0, 0}, 2);
  EXPECT_EQ(world.run.Title(), "Printing Reports - Test");
  std::vector<std::string> titles;
  world.view.on_events = [&] {
    if (world.target != nullptr && world.target->in_job)
      titles.push_back(world.run.Title() + " / " + world.run.PageText());
  };
  world.run.Run();
  EXPECT_EQ(world.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet",
                                    "page 2", "sheet", "page 1", "sheet", "page 2", "end"}));
  EXPECT_EQ(titles, (Log{"Printing Copy 1 / Page 1 of 2", "Printing Copy 1 / Page 2 of 2",
                         "Printing Copy 2 / Page 1 of 2", "Printing Copy 2 / Page 2 of 2"}));
  EXPECT_EQ(world.report->runs, 1);
  EXPECT_EQ(world.view.log, (Log{"started", "finished"}));
  EXPECT_FALSE(world.run.Running());
}

TEST(PrintRunTest, MixedOrientationsAreSeparateJobsAndTheOrientationComesBack) {
  TPrintWorld world({1, 0, 0, 1}, 2);
  world.run.Run();
  const std::string begin = "begin Individual Feedback: Pat Example";
  // The second copy goes on in the job the first one ended in.
  EXPECT_EQ(world.target->log,
            (Log{"landscape", begin,       "page 1",   "end",       "portrait", begin,     "page 2",
                 "sheet",     "page 3",    "end",      "landscape", begin,      "page 4",  "sheet",
                 "page 1",    "end",       "portrait", begin,       "page 2",   "sheet",   "page 3",
                 "end",       "landscape", begin,      "page 4",    "end",      "portrait"}));
  EXPECT_EQ(world.target->orientation, 0);
}

TEST(PrintRunTest, ANonSingleRunGeneratesWhileThereIsANextReport) {
  TPrintWorld world({0});
  world.report->SingleRun = false;
  world.report->HasNextReport = true;
  world.report->after_page = [&](int) {
    // The third report is the last.
    if (world.report->runs == 3) world.report->HasNextReport = false;
  };
  world.run.Run();
  EXPECT_EQ(world.report->runs, 3);
  EXPECT_EQ(world.recorders.size(), 2u) << "one at attaching, one for the run";
  EXPECT_EQ(world.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "sheet",
                                    "page 2", "sheet", "page 3", "end"}));
}

TEST(PrintRunTest, ASingleRunPrintsReportAfterReport) {
  TPrintWorld world({0});
  world.report->HasNextReport = true;
  world.report->after_page = [&](int) {
    world.report->subject = "Subject " + std::to_string(world.report->runs);
    if (world.report->runs == 2) world.report->HasNextReport = false;
  };
  world.run.Run();
  EXPECT_EQ(world.report->runs, 2);
  EXPECT_EQ(world.target->log, (Log{"begin Individual Feedback: Pat Example", "page 1", "end",
                                    "begin Individual Feedback: Subject 1", "page 1", "end"}));
}

TEST(PrintRunTest, CancelNoticedAtEveryPageAbortsTheJob) {
  // Cancel at the n-th printed page (of two copies of three pages).
  for (int at = 1; at <= 6; ++at) {
    SCOPED_TRACE("cancel at printed page " + std::to_string(at));
    TPrintWorld world({0, 0, 0}, 2);
    int drawn = 0;
    world.view.on_events = [&] {
      if (world.target != nullptr && world.target->in_job && ++drawn == at)
        world.run.CancelPrinting();
    };
    world.run.Run();
    int pages = 0;
    for (const std::string& entry : world.target->log) pages += entry.rfind("page ", 0) == 0;
    EXPECT_EQ(pages, at);
    EXPECT_EQ(world.target->log.back(), "abort");
    EXPECT_TRUE(world.run.Cancelled());
    EXPECT_EQ(world.run.PageText(), "Printing Cancelled");
    EXPECT_EQ(world.run.Title(), "No Report - Test");
    EXPECT_EQ(world.view.log, (Log{"started", "finished"}));
  }
}

TEST(PrintRunTest, CancelWhileGeneratingPrintsNothing) {
  for (int at = 1; at <= 3; ++at) {
    SCOPED_TRACE("cancel after generated page " + std::to_string(at));
    TPrintWorld world({0, 0, 0});
    world.report->HasNextReport = true;
    world.report->after_page = [&](int n) {
      if (n == at) world.run.CancelPrinting();
    };
    world.run.Run();
    EXPECT_EQ(world.target->log, Log{});
    EXPECT_EQ(world.report->runs, 1);
  }
}

TEST(PrintRunTest, CloseWhileRunningCancels) {
  TPrintWorld world({0, 0});
  EXPECT_TRUE(world.run.MayClose());
  world.report->after_page = [&](int) { EXPECT_FALSE(world.run.MayClose()); };
  world.run.Run();
  EXPECT_TRUE(world.run.Cancelled());
  EXPECT_EQ(world.target->log, Log{});
}

TEST(PrintRunTest, ErrorBoxOkGoesOnCancelEndsTheRun) {
  struct Row {
    const char* name;
    std::vector<bool> answers;
    int runs;
    bool cancelled;
  };
  // The report fails twice, then has no next report.
  const Row rows[] = {
      {"OK, OK", {true, true}, 3, false},
      {"Cancel", {false}, 1, true},
      {"OK, Cancel", {true, false}, 2, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintWorld world({0});
    world.report->fail = true;
    world.report->HasNextReport = true;
    world.view.answers = row.answers;
    world.report->after_page = nullptr;
    // The third generation succeeds, and is the last.
    world.view.on_events = [&] {
      if (world.report->runs == 3) {
        world.report->fail = false;
        world.report->HasNextReport = false;
      }
    };
    world.run.Run();
    EXPECT_EQ(world.report->runs, row.runs);
    EXPECT_EQ(world.run.Cancelled(), row.cancelled);
    EXPECT_EQ(world.view.log.front(), "started");
    EXPECT_EQ(world.view.log[1], "ask No valid data found to process");
    EXPECT_EQ(world.view.log.back(), "finished");
  }
}

TEST(PrintRunTest, AJobThatCannotStartCountsAsCancel) {
  TPrintWorld world({0});
  auto owned = std::make_unique<TRecordingTarget>();
  owned->refuse = true;
  owned->orientation = 1;
  TRecordingTarget* printer = owned.get();
  world.run.SetPrintTarget(std::move(owned));
  world.report->HasNextReport = true;
  world.run.Run();
  EXPECT_TRUE(world.run.Cancelled());
  EXPECT_EQ(world.report->runs, 1);
  EXPECT_EQ(printer->log, (Log{"portrait", "landscape"}));
  EXPECT_EQ(world.view.log,
            (Log{"started", "error Printing could not start on Test Printer.", "finished"}));
}

TEST(PrintRunTest, JobTitleIsCutTo127Characters) {
  struct Row {
    const char* name;
    std::string title;
    std::string subject;
    std::string expected;
  };
  const std::string long_title(130, 'T');
  const std::string accented = std::string(121, 'a') + "\xC3\xA9\xC3\xA9";  // ...éé
  const Row rows[] = {
      {"short", "Individual Feedback", "Pat", "Individual Feedback: Pat"},
      {"long title", long_title, "Pat", std::string(127, 'T')},
      {"long subject", "Report", std::string(200, 'S'), "Report: " + std::string(119, 'S')},
      {"no subject", "Report", "", "Report: "},
      {"accented, cut between characters", accented, "Pat", accented + ": Pa"},
      {"accented, cut at a character", std::string(124, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9", "X",
       std::string(124, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintWorld world({0});
    world.report->title = row.title;
    world.report->subject = row.subject;
    world.run.Run();
    EXPECT_EQ(world.run.JobTitle(), row.expected);
    EXPECT_EQ(world.target->log.at(0), "begin " + row.expected);
  }
}

TEST(PrintRunTest, GaugeShownOnlyWhenTheReportGivesARange) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> pages;
    std::vector<std::string> seen;
  };
  const Row rows[] = {
      {"three pages", {0, 0, 0}, {"0..3 at 0", "0..3 at 1", "0..3 at 2"}},
      {"no pages", {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TPrintWorld world(row.pages);
    std::vector<std::string> seen;
    world.report->after_page = [&](int) {
      seen.push_back(world.run.GaugeVisible() ? std::to_string(world.run.GaugeMin()) + ".." +
                                                    std::to_string(world.run.GaugeMax()) + " at " +
                                                    std::to_string(world.run.GaugePosition())
                                              : "hidden");
    };
    world.run.Run();
    EXPECT_EQ(seen, row.seen);
    EXPECT_EQ(world.run.GaugeVisible(), !row.pages.empty());
    if (!row.pages.empty()) {
      EXPECT_EQ(world.run.GaugePosition(), 3);
    }
  }
}

}  // namespace
}  // namespace zelvora::testing
