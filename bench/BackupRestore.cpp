// The full backup and the restore of the performance database (20 companies
// of 5 departments, 10,000 subjects, 20,000 experiences, 120,000 score
// sheets, built by PerformanceDatabase.h) through 1.44 MB disks
// (1,457,664 bytes each), one folder per disk.
//
// Measured, once each (a round trip takes seconds):
//   Backup          archive the data files and write the disks
//   Restore         join, unpack and merge into an empty database
//   RestoreAgain    the same set into the database it just filled (every
//                   record is found and older or equal: nothing is written)
// and printed at the end: the number of disks, the archive's size against
// the data files' size, and whether the restored database holds every
// record.
// Run: build/bench/bench_BackupRestore
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "DB/Backup.h"
#include "DB/Restore.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "PerformanceDatabase.h"

namespace {

using namespace zelvora;
namespace fs = std::filesystem;

constexpr std::uint64_t kDiskSize = 1457664;

std::string MakeTempFolder(const char* stem) {
  std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern + "/";
}

// Each wait for a disk is answered with a new empty folder.
class TDiskStack : public TBackupOperator {
 public:
  explicit TDiskStack(std::string root) : root_(std::move(root)) {}
  std::string Disk(int n) const { return root_ + "disk" + std::to_string(n); }
  void Stage(const std::string&) override {}
  void Progress(int) override {}
  bool WaitForDisk(TDiskPrompt why, const std::string&, std::string& folder) override {
    if (why != TDiskPrompt::kNextBackupDisk && why != TDiskPrompt::kRestoreDisk) return false;
    folder = Disk(++asked_);
    fs::create_directories(folder);
    return true;
  }
  bool Cancelled() override { return false; }
  void Rewind() { asked_ = 1; }

 private:
  std::string root_;
  int asked_ = 1;
};

// The source database, built once by the shared builder.
const bench::BenchDatabase& Database() {
  static const bench::BenchDatabase database;
  return database;
}

struct TRoundTrip {
  std::string source;
  std::string target;
  std::string disks;
  std::uint64_t data_bytes = 0;
  std::uint64_t archive_bytes = 0;
  int disk_count = 0;
  std::int64_t restored = 0;
  std::int64_t restored_again = -1;
  bool same_counts = false;

  TRoundTrip()
      : source(Database().Dir()),
        target(MakeTempFolder("zelvora-bench-bk-dst")),
        disks(MakeTempFolder("zelvora-bench-bk-disks")) {
    Build();
  }
  ~TRoundTrip() {
    std::error_code ec;
    for (const std::string& folder : {target, disks}) fs::remove_all(folder, ec);
  }

  void Build() {
    for (int i = 0; i < kFileblockCount; ++i) {
      data_bytes += fs::file_size(source + FileblockInfo(i).BaseName + ".DAT");
    }
  }
};

TRoundTrip& Trip() {
  static TRoundTrip trip;
  return trip;
}

void BM_Backup(benchmark::State& state) {
  TRoundTrip& trip = Trip();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(trip.disks);
    fs::create_directories(trip.disks);
    TDiskStack user(trip.disks);
    fs::create_directories(user.Disk(1));
    TSurveyDB db;
    db.Open(trip.source);
    TFolderFreeSpace space(kDiskSize);
    TBackup backup(db, space, user);
    state.ResumeTiming();
    if (backup.Run(user.Disk(1)) != TBackupOutcome::kDone) state.SkipWithError("backup cancelled");
    state.PauseTiming();
    trip.disk_count = backup.DisksWritten();
    trip.archive_bytes = backup.ArchiveSize();
    db.Close();
    state.ResumeTiming();
  }
  state.counters["disks"] = trip.disk_count;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kSecond)->Iterations(1);

// Restores the backup set into the target database, timing only the
// restore; `after` runs untimed with the restore and the database at hand.
template <typename After>
void TimedRestore(benchmark::State& state, After after) {
  TRoundTrip& trip = Trip();
  for (auto _ : state) {
    state.PauseTiming();
    TDiskStack user(trip.disks);
    TSurveyDB db;
    db.Open(trip.target);
    TFolderFreeSpace space;
    TRestore restore(db, space, user);
    state.ResumeTiming();
    if (restore.Run(user.Disk(1)) != TRestoreOutcome::kDone)
      state.SkipWithError("restore cancelled");
    state.PauseTiming();
    after(trip, restore, db);
    db.Close();
    state.ResumeTiming();
  }
}

void BM_Restore(benchmark::State& state) {
  TimedRestore(state, [](TRoundTrip& trip, const TRestore& restore, TSurveyDB& db) {
    trip.restored = restore.RecordsMerged();
    TSurveyDB source;
    source.Open(trip.source);
    trip.same_counts = true;
    for (int i = 0; i < kFileblockCount; ++i) {
      if (source.LiveRecordCount(i) != db.LiveRecordCount(i)) trip.same_counts = false;
    }
    source.Close();
  });
}
BENCHMARK(BM_Restore)->Unit(benchmark::kSecond)->Iterations(1);

void BM_RestoreAgain(benchmark::State& state) {
  TimedRestore(state, [](TRoundTrip& trip, const TRestore& restore, TSurveyDB&) {
    trip.restored_again = restore.RecordsMerged();
  });
}
BENCHMARK(BM_RestoreAgain)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const TRoundTrip& trip = Trip();
  std::printf("\nData files: %llu bytes; archive: %llu bytes (%.1f%%); disks of %llu bytes: %d\n",
              static_cast<unsigned long long>(trip.data_bytes),
              static_cast<unsigned long long>(trip.archive_bytes),
              trip.data_bytes ? 100.0 * static_cast<double>(trip.archive_bytes) /
                                    static_cast<double>(trip.data_bytes)
                              : 0.0,
              static_cast<unsigned long long>(kDiskSize), trip.disk_count);
  std::printf("Records restored: %lld; again: %lld; every fileblock's live count equal: %s\n",
              static_cast<long long>(trip.restored), static_cast<long long>(trip.restored_again),
              trip.same_counts ? "yes" : "NO");
  return trip.same_counts && trip.restored_again == 0 ? 0 : 1;
}
