// The archive's codecs against zlib at level 6 on a realistic set of record
// files (about 20 MB in ten files of fixed-length records like the survey
// database's: IDs as hexadecimal text, texts padded with zeros, dates and
// answer bytes). Each file is compressed by itself, as the archive does.
// After the runs the sizes and CPU times are printed as ratios to zlib's.
//
//   build-<dir>/bench/bench_ArchiveVsZlib
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "store/Lh5.h"
#include "store/Lzhuf.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kWords[] = {
    "the",      "team",     "listens",   "to",     "others",    "and",      "gives",  "clear",
    "feedback", "on",       "goals",     "plans",  "work",      "shares",   "credit", "with",
    "people",   "who",      "support",   "change", "keeps",     "promises", "makes",  "time",
    "for",      "coaching", "decisions", "are",    "explained", "openly"};
const char* const kNames[] = {"Anderson", "Baker",  "Chen", "Dubois", "Evans",    "Fischer",
                              "Garcia",   "Hansen", "Ito",  "Jensen", "Kowalski", "Lopez"};

// One record file: `count` records of `length` bytes; the record number
// decides IDs, the generator texts, dates and answers.
Bytes RecordFile(std::size_t length, std::size_t count, int kind, std::mt19937& rng) {
  Bytes file(length * (count + 1), 0);  // record 0 is the header record
  std::snprintf(reinterpret_cast<char*>(file.data()) + 4, length - 4, "ZELVORA-%d", kind);
  for (std::size_t n = 1; n <= count; ++n) {
    std::uint8_t* r = file.data() + n * length;
    char text[256];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", 11u, static_cast<unsigned>(n * 3 + kind),
                  11u, static_cast<unsigned>(n / 100 + 500));
    std::memcpy(r + 4, text, 32);
    double date = 44000.0 + static_cast<double>(n % 900) + (rng() % 86400) / 86400.0;
    std::memcpy(r + 36, &date, sizeof date);
    std::size_t at = 44;
    if (kind == 4 || kind == 10) {  // people: names
      int len = std::snprintf(text, sizeof text, "%s, %s", kNames[rng() % 12], kNames[rng() % 12]);
      std::memcpy(r + at, text, static_cast<std::size_t>(len));
      at += 40;
    }
    if (kind == 9) {  // score sheets: two answers per question
      std::size_t questions = 30 + rng() % 60;
      for (std::size_t q = 0; q < questions && at + 1 < length; ++q, at += 2) {
        r[at] = static_cast<std::uint8_t>(1 + rng() % 5);
        r[at + 1] = static_cast<std::uint8_t>(std::min<unsigned>(5, r[at] + rng() % 3));
      }
    } else {  // texts: questions, suggestions, descriptions
      std::size_t words = 3 + rng() % 12;
      for (std::size_t w = 0; w < words; ++w) {
        const char* word = kWords[rng() % 30];
        std::size_t len = std::strlen(word);
        if (at + len + 1 >= length) break;
        std::memcpy(r + at, word, len);
        at += len;
        r[at++] = ' ';
      }
    }
  }
  return file;
}

const std::vector<Bytes>& Files() {
  static const std::vector<Bytes> files = [] {
    std::mt19937 rng(360);
    std::vector<Bytes> out;
    const std::size_t lengths[] = {200, 120, 160, 300, 180, 240, 220, 260, 313, 140};
    const std::size_t counts[] = {50, 500, 800, 8000, 1500, 12000, 15000, 3000, 35000, 6000};
    for (int kind = 1; kind <= 10; ++kind)
      out.push_back(RecordFile(lengths[kind - 1], counts[kind - 1], kind, rng));
    return out;
  }();
  return files;
}

std::size_t TotalSize() {
  std::size_t total = 0;
  for (const Bytes& f : Files()) total += f.size();
  return total;
}

std::map<std::string, double> g_sizes;

template <class Encode>
void Run(benchmark::State& state, const char* name, Encode encode) {
  std::size_t out = 0;
  for (auto _ : state) {
    out = 0;
    for (const Bytes& f : Files()) out += encode(f);
  }
  g_sizes[name] = static_cast<double>(out);
  state.counters["compressed_bytes"] = static_cast<double>(out);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TotalSize()));
}

std::size_t Zlib6(const Bytes& f) {
  uLongf size = compressBound(f.size());
  Bytes out(size);
  compress2(out.data(), &size, f.data(), f.size(), 6);
  return size;
}

void BM_Zlib6(benchmark::State& state) { Run(state, "zlib6", Zlib6); }
void BM_Lzh(benchmark::State& state) {
  Run(state, "LZH", [](const Bytes& f) { return zelvora::LzhufEncode(f)->size(); });
}
void BM_Lh5(benchmark::State& state) {
  Run(state, "LH5", [](const Bytes& f) { return zelvora::Lh5Encode(f)->size(); });
}

}  // namespace

namespace {

template <class Decode>
void RunDecode(benchmark::State& state, Decode decode) {
  std::vector<Bytes> packed;
  for (const Bytes& f : Files()) packed.push_back(decode.encode(f));
  for (auto _ : state) {
    for (std::size_t i = 0; i < packed.size(); ++i)
      benchmark::DoNotOptimize(decode.decode(packed[i], Files()[i].size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TotalSize()));
}

struct ZlibCodec {
  Bytes encode(const Bytes& f) const {
    uLongf size = compressBound(f.size());
    Bytes out(size);
    compress2(out.data(), &size, f.data(), f.size(), 6);
    out.resize(size);
    return out;
  }
  Bytes decode(const Bytes& p, std::size_t size) const {
    Bytes out(size);
    uLongf n = size;
    uncompress(out.data(), &n, p.data(), p.size());
    return out;
  }
};
struct LzhCodec {
  Bytes encode(const Bytes& f) const { return *zelvora::LzhufEncode(f); }
  Bytes decode(const Bytes& p, std::size_t size) const { return zelvora::LzhufDecode(p, size); }
};
struct Lh5Codec {
  Bytes encode(const Bytes& f) const { return *zelvora::Lh5Encode(f); }
  Bytes decode(const Bytes& p, std::size_t size) const { return zelvora::Lh5Decode(p, size); }
};

void BM_Zlib6Expand(benchmark::State& state) { RunDecode(state, ZlibCodec{}); }
void BM_LzhExpand(benchmark::State& state) { RunDecode(state, LzhCodec{}); }
void BM_Lh5Expand(benchmark::State& state) { RunDecode(state, Lh5Codec{}); }

BENCHMARK(BM_Zlib6)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Lzh)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Lh5)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Zlib6Expand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhExpand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lh5Expand)->Unit(benchmark::kMillisecond);

// Keeps each run's CPU time so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // CPU time: the machine is shared, wall time would measure the neighbours.
      std::string name = run.benchmark_name();
      name = name.substr(0, name.find('/'));
      if (run.run_type == Run::RT_Iteration) times[name] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& t = reporter.times;
  std::printf("\ninput: %zu bytes in %zu files\n", TotalSize(), Files().size());
  for (const char* name : {"LZH", "LH5"}) {
    if (!g_sizes.count(name) || !g_sizes.count("zlib6")) continue;
    std::string bm = std::string("BM_") + (name[1] == 'Z' ? "Lzh" : "Lh5");
    std::printf("%s: size %.0f bytes = %.3f x zlib-6 (%.0f)", name, g_sizes[name],
                g_sizes[name] / g_sizes["zlib6"], g_sizes["zlib6"]);
    if (t.count(bm) && t.count("BM_Zlib6")) {
      std::printf(", compress time %.3f x zlib-6", t[bm] / t["BM_Zlib6"]);
    }
    if (t.count(bm + "Expand") && t.count("BM_Zlib6Expand")) {
      std::printf(", expand time %.3f x zlib-6", t[bm + "Expand"] / t["BM_Zlib6Expand"]);
    }
    std::printf("\n");
  }
  benchmark::Shutdown();
  return 0;
}
