// One writer per data folder, with real processes: a process holding the
// database (another program) and zelvora360-cli runs started beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "DB/SURVDB.h"
#include "cli/CliProcess.h"

namespace zelvora::testing {
namespace {

// A child process that opens the database in `folder` and holds it until
// told to close (Finish) or killed (Kill).
class Holder {
 public:
  Holder(const std::string& folder, TDBAccess access) {
    int ready[2];
    int hold[2];
    if (::pipe(ready) != 0 || ::pipe(hold) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(hold[1]);
      char answer = 'y';
      try {
        TSurveyDB db;
        db.Open(folder, access);
        if (::write(ready[1], &answer, 1) != 1) ::_exit(3);
        char wait = 0;
        while (::read(hold[0], &wait, 1) < 0 && errno == EINTR) {
        }
        db.Close();
      } catch (...) {
        answer = 'n';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(3);
        ::_exit(2);
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(hold[0]);
    hold_ = hold[1];
    char answer = 0;
    if (::read(ready[0], &answer, 1) != 1 || answer != 'y') {
      ::close(ready[0]);
      throw std::runtime_error("the holder could not open the database");
    }
    ::close(ready[0]);
  }
  ~Holder() {
    if (pid_ > 0) Finish();
  }
  pid_t Pid() const { return pid_; }
  // Lets the holder close the database and end normally.
  void Finish() {
    ::close(hold_);
    Reap();
  }
  void Kill() {
    ::kill(pid_, SIGKILL);
    ::close(hold_);
    Reap();
  }

 private:
  void Reap() {
    int raw = 0;
    while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
  pid_t pid_ = -1;
  int hold_ = -1;
};

class DatabaseLockCli : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"demo"}).status, 0); }
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", data});
    return RunCliIn(scratch, args);
  }
  ScratchFolder scratch;
  std::string data = scratch / "data";
};

TEST_F(DatabaseLockCli, AWriterHoldingTheDatabaseTurnsEveryoneAwayAndIsNamed) {
  Holder holder(data, TDBAccess::ReadWrite);
  const std::string named = "is in use by process " + std::to_string(holder.Pid());
  for (const char* command : {"reindex", "tree", "update"}) {
    SCOPED_TRACE(command);
    const CliResult run = Run({command});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  holder.Finish();
  EXPECT_EQ(Run({"reindex"}).status, 0);
}

TEST_F(DatabaseLockCli, ReadersShareButKeepWritersOut) {
  Holder reader(data, TDBAccess::ReadOnly);
  const CliResult tree = Run({"tree"});
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_NE(tree.out.find("Score sheet "), std::string::npos);
  const CliResult reindex = Run({"reindex"});
  EXPECT_EQ(reindex.status, 1);
  EXPECT_NE(reindex.err.find("is in use by another process"), std::string::npos) << reindex.err;
  reader.Finish();
  EXPECT_EQ(Run({"reindex"}).status, 0);
}

TEST_F(DatabaseLockCli, AKilledHolderBlocksNobody) {
  Holder holder(data, TDBAccess::ReadWrite);
  ASSERT_EQ(Run({"tree"}).status, 1);
  holder.Kill();
  // Its number is still in the lock file, but the lock went with it.
  const CliResult reindex = Run({"reindex"});
  EXPECT_EQ(reindex.status, 0) << reindex.err;
  EXPECT_EQ(Run({"tree"}).status, 0);
}

// Two imports of one package started together: each either does all its
// work or is turned away, and the library keeps every question.
TEST_F(DatabaseLockCli, TwoImportsStartedTogetherNeverLoseQuestions) {
  ASSERT_EQ(Run({"export", "SURVEYS.XML"}).status, 0);
  const std::string package = data + "/SURVEYS.XML";
  const std::string target = scratch / "target";
  int turned_away = 0;
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    CliChild first({"--data", target, "import", package}, scratch.path() / "first");
    CliChild second({"--data", target, "import", package}, scratch.path() / "second");
    for (CliResult run : {first.Wait(), second.Wait()}) {
      if (run.status != 0) {
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("is in use by"), std::string::npos) << run.err;
        ++turned_away;
      }
    }
    const CliResult tree = RunCliIn(scratch, {"--data", target, "tree"});
    ASSERT_EQ(tree.status, 0) << tree.err;
    std::size_t questions = 0;
    for (std::size_t at = tree.out.find("Question "); at != std::string::npos;
         at = tree.out.find("Question ", at + 1)) {
      ++questions;
    }
    // The demo survey's 40 questions and the starter library's 129.
    EXPECT_EQ(questions, 169u);
  }
  std::cout << turned_away << " of 8 imports were turned away\n";
}

}  // namespace
}  // namespace zelvora::testing
