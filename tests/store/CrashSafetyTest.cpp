// A writer process is killed (SIGKILL) at random moments, again and again.
// After each kill the fileblock is opened, rebuilt when it says so, and every
// change the writer had reported finished must be there: added records
// present and intact, rewritten ones carrying their new contents, deleted
// ones gone; the one change in flight may have happened or not, but never
// half. No record may exist twice.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "StoreTestSupport.h"

namespace zelvora::testing {
namespace {

constexpr std::int32_t kLength = 64;
constexpr int kParents = 37;
constexpr std::size_t kMaxLive = 1500;

enum Op : std::uint8_t { kAdd = 1, kPut = 2, kDelete = 3, kFlush = 4 };

// One message of the writer: an intent before a change, a done after it.
struct Message {
  std::uint8_t done;
  std::uint8_t op;
  std::uint32_t id;
  std::uint32_t version;
};

std::string Hex(std::uint32_t n) {
  char text[17];
  std::snprintf(text, sizeof text, "%016X", n);
  return text;
}

std::string ParentOf(std::uint32_t id) { return Hex(100000 + id % kParents); }

// A record whose every byte depends on its ID and version, so a record made
// of two writes is caught.
std::vector<unsigned char> Content(std::uint32_t id, std::uint32_t version) {
  std::vector<unsigned char> record(kLength, 0);
  const std::string key = Hex(id);
  const std::string parent = ParentOf(id);
  std::memcpy(record.data() + 4, key.data(), 16);
  std::memcpy(record.data() + 20, parent.data(), 16);
  std::memcpy(record.data() + 36, &version, 4);
  for (std::size_t i = 40; i < record.size(); ++i) {
    record[i] = static_cast<unsigned char>(id * 31 + version * 7 + i);
  }
  return record;
}

// The ID and version of an intact live record; nothing for anything else.
std::optional<std::pair<std::uint32_t, std::uint32_t>> Parse(const std::vector<unsigned char>& r) {
  const std::string key(r.begin() + 4, r.begin() + 20);
  std::uint32_t id = 0;
  if (std::sscanf(key.c_str(), "%8X%8X", &id, &id) != 2) return std::nullopt;
  id = static_cast<std::uint32_t>(std::stoul(key, nullptr, 16));
  std::uint32_t version = 0;
  std::memcpy(&version, r.data() + 36, 4);
  if (Content(id, version) != r) return std::nullopt;
  return std::make_pair(id, version);
}

class CrashSafetyTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    name_ = Name("crash");
    TTable table;
    table.CreateFileblock(name_, kLength, TwoKeys());
  }

  // The writer: random adds, rewrites, deletes and now and then a flush,
  // each announced before and reported after, until it is killed.
  [[noreturn]] void Writer(int pipe_out, std::uint32_t seed) {
    auto send = [&](std::uint8_t done, std::uint8_t op, std::uint32_t id, std::uint32_t version) {
      const Message message{done, op, id, version};
      if (::write(pipe_out, &message, sizeof message) != sizeof message) ::_exit(5);
    };
    try {
      TTable& table = *new TTable;  // never closed: the process dies with it open
      if (table.OpenFileblock(name_) != 0) ::_exit(4);
      std::mt19937 random(seed);
      std::map<std::uint32_t, std::uint32_t> live = live_;
      std::uint32_t next_id = next_id_;
      for (;;) {
        const unsigned roll = random() % 100;
        if (roll < 2) {
          send(0, kFlush, 0, 0);
          table.Flush();
          send(1, kFlush, 0, 0);
        } else if (live.empty() || (roll < 55 && live.size() < kMaxLive)) {
          const std::uint32_t id = next_id++;
          send(0, kAdd, id, 1);
          table.Lock();
          const std::int32_t n = table.AddRecord(Content(id, 1));
          table.AddKey(1, n, Hex(id));
          table.AddKey(2, n, ParentOf(id));
          table.Unlock();
          live[id] = 1;
          send(1, kAdd, id, 1);
        } else {
          auto it = live.begin();
          std::advance(it, static_cast<long>(random() % live.size()));
          const std::uint32_t id = it->first;
          std::int32_t n = 0;
          if (!table.FindKey(1, Hex(id), n)) ::_exit(6);
          table.Lock();
          if (roll < 75) {
            const std::uint32_t version = it->second + 1;
            send(0, kPut, id, version);
            table.PutRecord(n, Content(id, version));
            it->second = version;
            send(1, kPut, id, version);
          } else {
            send(0, kDelete, id, 0);
            table.DeleteRecord(n);
            table.DeleteKey(1, n, Hex(id));
            table.DeleteKey(2, n, ParentOf(id));
            live.erase(it);
            send(1, kDelete, id, 0);
          }
          table.Unlock();
        }
      }
    } catch (...) {
      ::_exit(3);
    }
  }

  // Takes in one message of the writer: a finished change goes into the
  // model, an intent becomes the change in flight until its done arrives.
  void Apply(const Message& message, std::optional<Message>& in_flight) {
    if (message.done == 0) {
      in_flight = message;
      if (message.op == kAdd) next_id_ = std::max(next_id_, message.id + 1);
      return;
    }
    in_flight.reset();
    if (message.op == kAdd || message.op == kPut) live_[message.id] = message.version;
    if (message.op == kDelete) live_.erase(message.id);
    if (message.op == kAdd) next_id_ = std::max(next_id_, message.id + 1);
  }

  // Reads messages until `finished` changes were reported done, the writer
  // is gone or `deadline` passed; returns how many were.
  int ReadFinished(int pipe_in, int finished, std::optional<Message>& in_flight,
                   std::chrono::steady_clock::time_point deadline) {
    int seen = 0;
    Message message{};
    while (seen < finished) {
      pollfd ready{pipe_in, POLLIN, 0};
      if (::poll(&ready, 1, 100) <= 0) {  // nothing yet, or a signal
        if (std::chrono::steady_clock::now() > deadline) break;
        continue;
      }
      if (::read(pipe_in, &message, sizeof message) != sizeof message) break;
      Apply(message, in_flight);
      if (message.done != 0) ++seen;
    }
    return seen;
  }

  // Opens the fileblock as the survey database does, rebuilding the index
  // and re-adding the keys of the live records when the open asks for it.
  void Recover(TTable& table, bool& rebuilt) {
    const int error = table.OpenFileblock(name_);
    rebuilt = error != 0;
    if (!rebuilt) return;
    ASSERT_EQ(error, kErrNotClosed);
    ASSERT_EQ(table.RebuildIndex(name_, kLength, TwoKeys()), 0);
    std::vector<unsigned char> record(kLength);
    for (std::int32_t n = 1; n < table.RecordSlots(); ++n) {
      table.GetRecord(n, record);
      if ((record[0] | record[1] | record[2] | record[3]) != 0) continue;
      const std::string id(record.begin() + 4, record.begin() + 20);
      const std::string parent(record.begin() + 20, record.begin() + 36);
      ASSERT_EQ(ErrorOf([&] { table.AddKey(1, n, id); }), 0) << "record " << id << " exists twice";
      table.AddKey(2, n, parent);
    }
  }

  // Compares the fileblock with the model; the change in flight may have
  // happened or not. The model takes on what is found.
  void Verify(TTable& table, const std::optional<Message>& in_flight) {
    std::map<std::uint32_t, std::pair<std::uint32_t, std::int32_t>> found;  // id: version, record
    std::vector<unsigned char> record(kLength);
    for (std::int32_t n = 1; n < table.RecordSlots(); ++n) {
      table.GetRecord(n, record);
      if ((record[0] | record[1] | record[2] | record[3]) != 0) continue;
      const auto parsed = Parse(record);
      ASSERT_TRUE(parsed.has_value()) << "record " << n << " is torn";
      ASSERT_EQ(found.count(parsed->first), 0u) << "ID " << parsed->first << " twice";
      found[parsed->first] = {parsed->second, n};
    }
    std::map<std::uint32_t, std::uint32_t> expected = live_;
    if (in_flight) {
      const std::uint32_t id = in_flight->id;
      const auto now = found.find(id);
      switch (in_flight->op) {
        case kAdd:
        case kPut:
          if (now != found.end() && now->second.first == in_flight->version) {
            expected[id] = in_flight->version;
          }
          break;
        case kDelete:
          if (now == found.end()) expected.erase(id);
          break;
        default:
          break;
      }
    }
    ASSERT_EQ(found.size(), expected.size());
    std::map<std::string, int> children;
    for (const auto& [id, version] : expected) {
      const auto it = found.find(id);
      ASSERT_NE(it, found.end()) << "ID " << id << " was lost";
      ASSERT_EQ(it->second.first, version) << "ID " << id << " has the wrong contents";
      std::int32_t n = 0;
      ASSERT_TRUE(table.FindKey(1, Hex(id), n)) << "ID " << id << " is not keyed";
      ASSERT_EQ(n, it->second.second);
      ++children[ParentOf(id)];
    }
    for (const auto& [parent, count] : children) {
      std::int32_t n = 0;
      std::string text;
      int seen = 0;
      for (bool more = table.FindKey(2, parent, n); more && text != "~"; ++seen) {
        if (!table.NextKey(2, n, text) || text != parent) text = "~";
      }
      ASSERT_EQ(seen, count) << "children of " << parent;
    }
    live_ = expected;
  }

  std::string name_;
  std::map<std::uint32_t, std::uint32_t> live_;  // ID: version
  std::uint32_t next_id_ = 1;
};

TEST_F(CrashSafetyTest, KilledWritersNeverLoseOrTearReportedChanges) {
  // Every round lets the writer finish a number of changes before the kill,
  // so the work done does not depend on how fast the machine is; the time
  // limit only catches a hang.
  constexpr int kKills = 60;
  constexpr auto kHangLimit = std::chrono::minutes(5);
  std::mt19937 random(20261208);
  int rebuilds = 0;
  int clean_opens = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kKills; ++round) {
    int pipe_ends[2];
    ASSERT_EQ(::pipe(pipe_ends), 0);
    const std::uint32_t seed = random();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe_ends[0]);
      Writer(pipe_ends[1], seed);
    }
    ::close(pipe_ends[1]);
    std::optional<Message> in_flight;
    const int finished = 20 + static_cast<int>(random() % 40);
    ReadFinished(pipe_ends[0], finished, in_flight, start + kHangLimit);
    // Then a kill at a random moment of what follows.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_LT(std::chrono::steady_clock::now() - start, kHangLimit)
        << "the writer hung in round " << round;
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with status "
                                     << WEXITSTATUS(status) << " in round " << round;
    ReadFinished(pipe_ends[0], std::numeric_limits<int>::max(), in_flight, start + kHangLimit);
    ::close(pipe_ends[0]);

    TTable table;
    bool rebuilt = false;
    Recover(table, rebuilt);
    ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    (rebuilt ? rebuilds : clean_opens)++;
    Verify(table, in_flight);
    ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    table.CloseFileblock();
  }
  // Most kills hit a fileblock with changes pending.
  EXPECT_GT(rebuilds, 30);
  EXPECT_GT(live_.size(), 100u);
  std::printf("%d rebuilds, %d clean opens, %zu live records\n", rebuilds, clean_opens,
              live_.size());
}

}  // namespace
}  // namespace zelvora::testing
