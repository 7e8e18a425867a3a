// Commands that only read (tree, export, disk-write) write nothing into the
// data folder: no folder or database is made, no update package applied, no
// index rebuilt on disk; they work on a read-only folder; and damage they
// find makes them exit 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "DB/SURVDB.h"
#include "cli/CliProcess.h"

namespace zelvora::testing {
namespace {

namespace fs = std::filesystem;

// Names and bytes of every file in a folder.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = SlurpFile(entry.path());
  }
  return files;
}

class ReadOnlyCommandsCli : public ::testing::Test {
 protected:
  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", data});
    return RunCliIn(scratch, args);
  }
  ScratchFolder scratch;
  std::string data = scratch / "data";
};

TEST_F(ReadOnlyCommandsCli, NoDatabaseIsMadeWhereThereIsNone) {
  const std::vector<std::vector<std::string>> commands = {
      {"tree"}, {"export", "ALL.XML"}, {"disk-write", "12.3", scratch / "dtf.xml"}};
  for (const auto& command : commands) {
    SCOPED_TRACE(command.front());
    fs::remove_all(data);
    CliResult run = Run(command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("There is no survey database in"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(data));
    fs::create_directory(data);
    run = Run(command);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("There is no survey database in"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(data));
  }
}

TEST_F(ReadOnlyCommandsCli, PendingPackagesAreMentionedNotApplied) {
  fs::create_directory(data);
  {
    TSurveyDB db;
    db.Open(data);  // an empty database, as a writer leaves it
  }
  const std::string control = "[SURVEYS]\r\n[IMPORTS]\r\nnew.xml\r\n";
  { std::ofstream(data + "/Update2.INI", std::ios::binary) << control; }
  const auto before = Snapshot(data);
  const CliResult tree = Run({"tree"});
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_NE(tree.err.find("Update2.INI in " + data +
                          "/ names updates that have not been applied; "
                          "\"zelvora360-cli update\" applies them."),
            std::string::npos)
      << tree.err;
  // No built-in survey was added, and no file changed.
  EXPECT_EQ(tree.out, "Library surveys\nLibrary skill areas\n");
  EXPECT_EQ(Snapshot(data), before);
  // A writer applies them (and fails here, the package being missing).
  const CliResult update = Run({"update"});
  EXPECT_EQ(update.status, 1);
  EXPECT_NE(update.err.find("new.xml"), std::string::npos) << update.err;
}

// As root, permission bits do not stop a write; the folder is then made
// read-only for real with a read-only bind mount in a mount namespace of the
// command's own.
CliResult RunOnReadOnlyFolder(ScratchFolder& scratch, const std::string& data,
                              const std::vector<std::string>& args, bool* skipped) {
  *skipped = false;
  if (::geteuid() != 0) {
    fs::permissions(data, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::vector<std::string> full = {"--data", data};
    full.insert(full.end(), args.begin(), args.end());
    CliResult run = RunCliIn(scratch, full);
    fs::permissions(data, fs::perms::owner_write, fs::perm_options::add);
    return run;
  }
  std::string line =
      "unshare -m sh -c 'mount --bind -o ro \"$0\" \"$0\" && touch \"$0/probe\" "
      "2>/dev/null && exit 99; exec \"$@\"' '" +
      data + "' '" + ZELVORA_CLI + "' --data '" + data + "'";
  for (const std::string& arg : args) line += " '" + arg + "'";
  line += " >'" + scratch / "ro.out" + "' 2>'" + scratch / "ro.err" + "'";
  const int raw = std::system(line.c_str());
  CliResult run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = SlurpFile(scratch / "ro.out");
  run.err = SlurpFile(scratch / "ro.err");
  if (run.status == 99 || run.err.find("unshare:") != std::string::npos ||
      run.err.find("mount:") != std::string::npos) {
    *skipped = true;
  }
  return run;
}

TEST_F(ReadOnlyCommandsCli, ReadersWorkOnAReadOnlyFolderAndWritersSaySo) {
  ASSERT_EQ(Run({"demo"}).status, 0);
  // Two indexes gone: a reader rebuilds them in memory, as it cannot write.
  fs::remove(data + "/ss360b.IX");
  fs::remove(data + "/sk360b.IX");
  const auto before = Snapshot(data);
  bool skipped = false;
  const CliResult tree = RunOnReadOnlyFolder(scratch, data, {"tree"}, &skipped);
  if (skipped) GTEST_SKIP() << "no read-only bind mount here: " << tree.err;
  EXPECT_EQ(tree.status, 0) << tree.err;
  EXPECT_EQ(Count(tree.out, "Score sheet "), 72u);
  // The demo survey's 4 skill areas and the starter library's 14.
  EXPECT_EQ(Count(tree.out, "Skill area "), 18u);
  const std::string sheet = tree.out.substr(tree.out.find("Score sheet ") + 12, 20);
  const CliResult disk = RunOnReadOnlyFolder(
      scratch, data, {"disk-write", sheet.substr(0, sheet.find(' ')), scratch / "dtf.xml"},
      &skipped);
  EXPECT_EQ(disk.status, 0) << disk.err;
  EXPECT_TRUE(fs::exists(scratch / "dtf.xml"));
  const CliResult reindex = RunOnReadOnlyFolder(scratch, data, {"reindex"}, &skipped);
  EXPECT_EQ(reindex.status, 1);
  EXPECT_NE(reindex.err.find("Read-only file system"), std::string::npos) << reindex.err;
  EXPECT_EQ(Snapshot(data), before);
}

TEST_F(ReadOnlyCommandsCli, ReadersChangeNoFileOfTheDataFolder) {
  ASSERT_EQ(Run({"demo"}).status, 0);
  fs::remove(data + "/qt360b.IX");
  const auto before = Snapshot(data);
  const CliResult tree = Run({"tree"});
  ASSERT_EQ(tree.status, 0) << tree.err;
  // The demo survey's 40 questions and the starter library's 129.
  EXPECT_EQ(Count(tree.out, "Question "), 169u);
  EXPECT_EQ(Snapshot(data), before);
  // A writer rebuilds the index in place.
  ASSERT_EQ(Run({"reindex"}).status, 0);
  EXPECT_TRUE(fs::exists(data + "/qt360b.IX"));
}

TEST_F(ReadOnlyCommandsCli, ADataFileCutMidRecordFailsTheCommandThatFindsIt) {
  ASSERT_EQ(Run({"demo"}).status, 0);
  const std::string areas = data + "/sk360b.DAT";
  const std::string whole = SlurpFile(areas);
  const std::string cut = whole.substr(0, whole.size() - 547);
  { std::ofstream(areas, std::ios::binary | std::ios::trunc) << cut; }

  const CliResult tree = Run({"tree"});
  EXPECT_EQ(tree.status, 1);
  EXPECT_NE(tree.err.find("sk360b.DAT is damaged: its last 564 bytes are not a whole record; they "
                          "were left in place"),
            std::string::npos)
      << tree.err;
  EXPECT_EQ(SlurpFile(areas), cut);

  const CliResult reindex = Run({"reindex"});
  EXPECT_EQ(reindex.status, 1);
  EXPECT_NE(reindex.err.find("they were moved to " + data + "/sk360b.DAT.damaged-"),
            std::string::npos)
      << reindex.err;
  // Whole records stay as they were (the header record holds the engine's
  // own bookkeeping).
  const std::string kept = SlurpFile(areas);
  ASSERT_EQ(kept.size(), cut.size() - 564);
  EXPECT_EQ(kept.substr(1111), cut.substr(1111, cut.size() - 564 - 1111));
  std::string side;
  for (const auto& entry : fs::directory_iterator(data)) {
    if (entry.path().filename().string().rfind("sk360b.DAT.damaged-", 0) == 0) {
      side = SlurpFile(entry.path());
    }
  }
  EXPECT_EQ(side, cut.substr(cut.size() - 564));
  // Repaired, the next command is quiet again.
  const CliResult again = Run({"tree"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_TRUE(again.err.empty()) << again.err;
}

TEST_F(ReadOnlyCommandsCli, AnErrorOnStandardErrorMeansExitOne) {
  ASSERT_EQ(Run({"demo"}).status, 0);
  // Subject records where skill area records belong: the rebuild must fail.
  fs::copy_file(data + "/sj360b.DAT", data + "/sk360b.DAT", fs::copy_options::overwrite_existing);
  const CliResult tree = Run({"tree"});
  EXPECT_EQ(tree.status, 1);
  EXPECT_NE(tree.err.find("Error #10215: Reindex failed"), std::string::npos) << tree.err;
}

}  // namespace
}  // namespace zelvora::testing
