// The record store against SQLite on the survey database's busiest shape:
// 100,000 records of 313 bytes, key 1 a unique 16-character ID, key 2 a
// 16-character parent ID shared by 100 records. Four phases, each timed on
// its own over a store prepared up to that phase:
//   Insert    add every record with both keys
//   FindById  find every record by key 1 in random order and read it
//   Children  for every parent find key 2 and read each child in turn
//   Delete    delete every other record (record and both keys)
// SQLite: a table with the ID as primary key and an index on the parent,
// synchronous=OFF, each phase in one transaction. The record store flushes
// (and syncs) only at close, outside the timed phases.
// Run: build-<you>/bench/bench_RecordStoreVsSqlite; the ratios (record store
// time / SQLite time) are printed at the end.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/Table.h"

namespace {

using zelvora::TTable;

constexpr int kRecords = 100000;
constexpr int kChildren = 100;
constexpr int kLength = 313;

enum Phase { kInsert, kFind, kChildrenPhase, kDelete };
const char* const kPhaseNames[] = {"Insert", "FindById", "Children", "Delete"};

struct Data {
  std::vector<std::string> ids;
  std::vector<std::string> parents;
  std::vector<std::vector<unsigned char>> records;
  std::vector<int> find_order;
  std::vector<std::string> parent_ids;
};

std::string Hex16(std::uint32_t high, std::uint32_t low) {
  char text[17];
  std::snprintf(text, sizeof text, "%08X%08X", high, low);
  return text;
}

const Data& TestData() {
  static const Data data = [] {
    Data d;
    std::mt19937 random(42);
    for (int i = 0; i < kRecords; ++i) {
      // An odd multiplier permutes the numbers: unique, in no particular order.
      d.ids.push_back(Hex16(11, static_cast<std::uint32_t>(i) * 2654435761u));
      d.parents.push_back(Hex16(12, static_cast<std::uint32_t>(i / kChildren) * 7919u));
      std::vector<unsigned char> record(kLength);
      for (auto& byte : record) byte = static_cast<unsigned char>(random());
      std::memset(record.data(), 0, 4);
      std::memcpy(record.data() + 4, d.ids.back().data(), 16);
      d.records.push_back(std::move(record));
    }
    for (int p = 0; p < kRecords / kChildren; ++p) d.parent_ids.push_back(d.parents[p * kChildren]);
    std::shuffle(d.parent_ids.begin(), d.parent_ids.end(), random);
    d.find_order.resize(kRecords);
    for (int i = 0; i < kRecords; ++i) d.find_order[i] = i;
    std::shuffle(d.find_order.begin(), d.find_order.end(), random);
    return d;
  }();
  return data;
}

std::filesystem::path FreshDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelvora-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

// Seconds of wall-clock and processor time per phase and engine, summed over
// the runs, for the ratios printed at the end. On a shared machine the
// processor times are the steadier figure.
struct Timing {
  double wall = 0;
  double cpu = 0;
  int runs = 0;
};
std::map<std::string, Timing>& Timings() {
  static std::map<std::string, Timing> timings;
  return timings;
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times one phase run and adds it to the engine's figures.
template <typename Work>
void Timed(const std::string& key, Work work) {
  const double cpu_start = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  Timing& timing = Timings()[key];
  timing.wall += took.count();
  timing.cpu += CpuSeconds() - cpu_start;
  ++timing.runs;
}

// ---- record store ----

void StoreRun(Phase phase, TTable& table) {
  const Data& d = TestData();
  std::vector<unsigned char> buffer(kLength);
  std::int32_t n = 0;
  std::string text;
  switch (phase) {
    case kInsert:
      for (int i = 0; i < kRecords; ++i) {
        table.Lock();
        n = table.AddRecord(d.records[i]);
        table.AddKey(1, n, d.ids[i]);
        table.AddKey(2, n, d.parents[i]);
        table.Unlock();
      }
      break;
    case kFind:
      for (const int i : d.find_order) {
        if (!table.FindKey(1, d.ids[i], n)) throw std::runtime_error("lost record");
        table.GetRecord(n, buffer);
      }
      break;
    case kChildrenPhase: {
      int seen = 0;
      for (const std::string& parent : d.parent_ids) {
        bool more = table.FindKey(2, parent, n);
        while (more) {
          table.GetRecord(n, buffer);
          ++seen;
          more = table.NextKey(2, n, text) && text == parent;
        }
      }
      if (seen != kRecords) throw std::runtime_error("children missing");
      break;
    }
    case kDelete:
      for (int i = 0; i < kRecords; i += 2) {
        if (!table.FindKey(1, d.ids[i], n)) throw std::runtime_error("lost record");
        table.Lock();
        table.DeleteRecord(n);
        table.DeleteKey(1, n, d.ids[i]);
        table.DeleteKey(2, n, d.parents[i]);
        table.Unlock();
      }
      break;
  }
}

void BM_RecordStore(benchmark::State& state) {
  const auto phase = static_cast<Phase>(state.range(0));
  if (!zelvora::EngineInitialised()) zelvora::InitEngine(zelvora::TNetworkMode::SingleUser, 10);
  for (auto _ : state) {
    state.PauseTiming();
    const auto dir = FreshDir();
    const std::string name = (dir / "ss360b").string();
    {
      TTable table;
      table.CreateFileblock(name, kLength, {{16, false}, {16, true}});
      table.OpenFileblock(name);
      if (phase != kInsert) StoreRun(kInsert, table);
      if (phase == kDelete) StoreRun(kFind, table);  // warm as after the earlier phases
      state.ResumeTiming();
      Timed(std::string("store/") + kPhaseNames[phase], [&] { StoreRun(phase, table); });
      state.PauseTiming();
      table.CloseFileblock();
    }
    std::filesystem::remove_all(dir);
    state.ResumeTiming();
  }
}

// ---- SQLite ----

class Sqlite {
 public:
  explicit Sqlite(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("sqlite open");
    Exec("PRAGMA synchronous=OFF");
    Exec("CREATE TABLE ss(id TEXT PRIMARY KEY, parent TEXT, data BLOB)");
    Exec("CREATE INDEX ss_parent ON ss(parent)");
    insert_ = Prepare("INSERT INTO ss(id, parent, data) VALUES(?, ?, ?)");
    find_ = Prepare("SELECT data FROM ss WHERE id = ?");
    children_ = Prepare("SELECT data FROM ss WHERE parent = ? ORDER BY parent");
    delete_ = Prepare("DELETE FROM ss WHERE id = ?");
  }
  ~Sqlite() {
    for (sqlite3_stmt* s : {insert_, find_, children_, delete_}) sqlite3_finalize(s);
    sqlite3_close(db_);
  }
  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }
  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
    return statement;
  }

  void Run(Phase phase) {
    const Data& d = TestData();
    std::vector<unsigned char> buffer(kLength);
    Exec("BEGIN");
    switch (phase) {
      case kInsert:
        for (int i = 0; i < kRecords; ++i) {
          sqlite3_bind_text(insert_, 1, d.ids[i].data(), 16, SQLITE_STATIC);
          sqlite3_bind_text(insert_, 2, d.parents[i].data(), 16, SQLITE_STATIC);
          sqlite3_bind_blob(insert_, 3, d.records[i].data(), kLength, SQLITE_STATIC);
          if (sqlite3_step(insert_) != SQLITE_DONE) throw std::runtime_error("insert");
          sqlite3_reset(insert_);
        }
        break;
      case kFind:
        for (const int i : d.find_order) {
          sqlite3_bind_text(find_, 1, d.ids[i].data(), 16, SQLITE_STATIC);
          if (sqlite3_step(find_) != SQLITE_ROW) throw std::runtime_error("lost record");
          std::memcpy(buffer.data(), sqlite3_column_blob(find_, 0), kLength);
          sqlite3_reset(find_);
        }
        break;
      case kChildrenPhase: {
        int seen = 0;
        for (const std::string& parent : d.parent_ids) {
          sqlite3_bind_text(children_, 1, parent.data(), 16, SQLITE_STATIC);
          while (sqlite3_step(children_) == SQLITE_ROW) {
            std::memcpy(buffer.data(), sqlite3_column_blob(children_, 0), kLength);
            ++seen;
          }
          sqlite3_reset(children_);
        }
        if (seen != kRecords) throw std::runtime_error("children missing");
        break;
      }
      case kDelete:
        for (int i = 0; i < kRecords; i += 2) {
          sqlite3_bind_text(delete_, 1, d.ids[i].data(), 16, SQLITE_STATIC);
          if (sqlite3_step(delete_) != SQLITE_DONE) throw std::runtime_error("delete");
          sqlite3_reset(delete_);
        }
        break;
    }
    Exec("COMMIT");
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
  sqlite3_stmt* children_ = nullptr;
  sqlite3_stmt* delete_ = nullptr;
};

void BM_Sqlite(benchmark::State& state) {
  const auto phase = static_cast<Phase>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    const auto dir = FreshDir();
    {
      Sqlite db((dir / "ss.db").string());
      if (phase != kInsert) db.Run(kInsert);
      if (phase == kDelete) db.Run(kFind);
      state.ResumeTiming();
      Timed(std::string("sqlite/") + kPhaseNames[phase], [&] { db.Run(phase); });
      state.PauseTiming();
    }
    std::filesystem::remove_all(dir);
    state.ResumeTiming();
  }
}

void Register() {
  for (int phase = kInsert; phase <= kDelete; ++phase) {
    benchmark::RegisterBenchmark((std::string("RecordStore/") + kPhaseNames[phase]).c_str(),
                                 BM_RecordStore)
        ->Arg(phase)
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("Sqlite/") + kPhaseNames[phase]).c_str(), BM_Sqlite)
        ->Arg(phase)
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\nRecord store / SQLite, mean per run (below 1: the record store is faster)\n");
  std::printf("  %-9s %10s %10s %6s   %10s %10s %6s\n", "phase", "store ms", "sqlite ms", "ratio",
              "store cpu", "sqlite cpu", "ratio");
  for (const char* phase : kPhaseNames) {
    const auto store = Timings().find(std::string("store/") + phase);
    const auto sqlite = Timings().find(std::string("sqlite/") + phase);
    if (store == Timings().end() || sqlite == Timings().end()) continue;
    const Timing& a = store->second;
    const Timing& b = sqlite->second;
    std::printf("  %-9s %10.1f %10.1f %6.2f   %10.1f %10.1f %6.2f\n", phase, a.wall / a.runs * 1e3,
                b.wall / b.runs * 1e3, (a.wall / a.runs) / (b.wall / b.runs), a.cpu / a.runs * 1e3,
                b.cpu / b.runs * 1e3, (a.cpu / a.runs) / (b.cpu / b.runs));
  }
  return 0;
}
