// Fileblocks left behind by a dead process or damaged on disk: detection at
// open, rebuilding the index from the data file, and damage reported as
// errors instead of crashes.
#include <sys/wait.h>

#include <fstream>
#include <functional>

#include "StoreTestSupport.h"

namespace zelvora::testing {
namespace {

class TableRecoveryTest : public StoreTest {
 protected:
  // Runs `work` in a child process that ends without closing anything (the
  // fileblocks it opens are allocated and never destroyed).
  void InDyingChild(const std::function<void()>& work) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        work();
      } catch (...) {
        ::_exit(3);
      }
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
  }

  // Adds the keys of every live record again, as the survey database does
  // after a rebuild; the key texts are the record's bytes 4 to 19.
  static int Rekey(TTable& table) {
    std::vector<unsigned char> buffer(static_cast<std::size_t>(table.RecordLength()));
    int live = 0;
    for (std::int32_t n = 1; n < table.RecordSlots(); ++n) {
      table.GetRecord(n, buffer);
      if ((buffer[0] | buffer[1] | buffer[2] | buffer[3]) != 0) continue;
      table.AddKey(1, n, std::string(buffer.begin() + 4, buffer.begin() + 20));
      ++live;
    }
    return live;
  }

  static std::string Id(int n) {
    char text[17];
    std::snprintf(text, sizeof text, "%016X", n);
    return text;
  }

  void Patch(const std::string& path, std::int64_t offset, const std::string& bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

TEST_F(TableRecoveryTest, ProcessDeathIsDetectedAndTheRebuildKeepsEveryRecord) {
  const std::vector<TKeyDesc> keys = {{16, false}};
  {
    TTable table;
    table.CreateFileblock(Name("dead"), 40, keys);
  }
  InDyingChild([&] {
    TTable& table = *new TTable;  // never closed: the process dies with it open
    if (table.OpenFileblock(Name("dead")) != 0) ::_exit(4);
    for (int i = 1; i <= 300; ++i) {
      const std::int32_t n = table.AddRecord(Record(40, Id(i)));
      table.AddKey(1, n, Id(i));
    }
    for (int i = 2; i <= 300; i += 3) table.DeleteRecord(i);
  });

  TTable table;
  EXPECT_EQ(table.OpenFileblock(Name("dead")), kErrNotClosed);
  EXPECT_FALSE(table.IsOpen());
  ASSERT_EQ(table.RebuildIndex(Name("dead"), 40, keys), 0);
  ASSERT_TRUE(table.IsOpen());
  EXPECT_EQ(table.RecordSlots(), 301);
  EXPECT_EQ(Rekey(table), 200);
  std::int32_t record = 0;
  for (int i = 1; i <= 300; ++i) {
    EXPECT_EQ(table.FindKey(1, Id(i), record), i % 3 != 2) << i;
  }
  // The rebuilt free chain hands out the deleted slots, lowest first.
  EXPECT_EQ(table.AddRecord(Record(40, Id(1000))), 2);
  EXPECT_EQ(table.AddRecord(Record(40, Id(1001))), 5);
  table.CloseFileblock();
  EXPECT_EQ(table.OpenFileblock(Name("dead")), 0);
}

TEST_F(TableRecoveryTest, ReadingDoesNotMarkAFileblockInUse) {
  TTable table;
  CreateOpen(table, "reader");
  table.AddKey(1, table.AddRecord(Record(64, "a")), "A");
  table.CloseFileblock();
  InDyingChild([&] {
    TTable& reader = *new TTable;
    if (reader.OpenFileblock(Name("reader")) != 0) ::_exit(4);
    std::int32_t record = 0;
    std::vector<unsigned char> buffer(64);
    if (!reader.FindKey(1, "A", record)) ::_exit(5);
    reader.GetRecord(record, buffer);
  });
  EXPECT_EQ(table.OpenFileblock(Name("reader")), 0);
}

TEST_F(TableRecoveryTest, FlushMakesTheFileblockCleanAgain) {
  TTable table;
  CreateOpen(table, "flushed");
  InDyingChild([&] {
    TTable& writer = *new TTable;
    if (writer.OpenFileblock(Name("flushed")) != 0) ::_exit(4);
    writer.AddKey(1, writer.AddRecord(Record(64, "a")), "A");
    writer.Flush();
  });
  table.CloseFileblock();
  ASSERT_EQ(table.OpenFileblock(Name("flushed")), 0);
  std::int32_t record = 0;
  EXPECT_TRUE(table.FindKey(1, "A", record));
}

TEST_F(TableRecoveryTest, AnInterruptedRebuildIsDetectedAgain) {
  TTable table;
  CreateOpen(table, "again");
  table.AddRecord(Record(64, "0000000000000001"));
  table.CloseFileblock();
  InDyingChild([&] {
    TTable& rebuilder = *new TTable;
    if (rebuilder.RebuildIndex(Name("again"), 64, TwoKeys()) != 0) ::_exit(4);
    // Dies before re-adding the keys: the empty index must not look valid.
  });
  EXPECT_EQ(table.OpenFileblock(Name("again")), kErrNotClosed);
}

TEST_F(TableRecoveryTest, RebuildRepairsTheDataFileOrRefusesIt) {
  TTable table;
  CreateOpen(table, "repair", 40);
  table.AddRecord(Record(40, "0000000000000001"));
  table.AddRecord(Record(40, "0000000000000002"));
  table.CloseFileblock();
  const std::string data = Name("repair") + ".DAT";

  // A record cut short by a crash is dropped; the others stay.
  std::filesystem::resize_file(data, 40 * 3 + 17);
  ASSERT_EQ(table.RebuildIndex(Name("repair"), 40, {{16, false}}), 0);
  EXPECT_EQ(table.RecordSlots(), 3);
  EXPECT_EQ(Rekey(table), 2);
  table.CloseFileblock();
  EXPECT_EQ(std::filesystem::file_size(data), 120u);

  // A damaged data header makes the open fail with 10010; the rebuild
  // writes a new one.
  Patch(data, 0, "XXXX");
  EXPECT_EQ(table.OpenFileblock(Name("repair")), kErrFileDefect);
  ASSERT_EQ(table.RebuildIndex(Name("repair"), 40, {{16, false}}), 0);
  EXPECT_EQ(Rekey(table), 2);
  table.CloseFileblock();
  EXPECT_EQ(table.OpenFileblock(Name("repair")), 0);
  table.CloseFileblock();

  // Records of another length are not ours to re-key.
  EXPECT_EQ(table.RebuildIndex(Name("repair"), 41, {{16, false}}), kErrReindexFailed);
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.OpenFileblock(Name("repair")), 0) << "the refused rebuild changed nothing";
  table.CloseFileblock();
  EXPECT_EQ(table.RebuildIndex(Name("nothing"), 40, {{16, false}}), kErrSystemOpen);
  EXPECT_FALSE(std::filesystem::exists(Name("nothing") + ".IX"));
}

TEST_F(TableRecoveryTest, DamagedIndexHeadersAreFileDefects) {
  struct Damage {
    const char* what;
    std::int64_t offset;
    std::string bytes;
  };
  const std::vector<Damage> damages = {
      {"magic", 0, "ZZZZ"},
      {"version", 4, std::string("\x09\x00", 2)},
      {"page size", 6, std::string("\x00\x02", 2)},
      {"closed flag", 8, "\x07"},
      {"no keys", 9, std::string(1, '\0')},
      {"too many keys", 9, "\x40"},
      {"page count beyond the file", 12, std::string("\xFF\x00\x00\x00", 4)},
      {"free page beyond the file", 16, std::string("\x09\x00\x00\x00", 4)},
      {"record length", 20, std::string("\x05\x00\x00\x00", 4)},
      {"root page 0", 24, std::string(4, '\0')},
      {"height 0", 28, std::string(1, '\0')},
      {"height 200", 28, "\xC8"},
      {"key length 0", 29, std::string(1, '\0')},
      {"key length 250", 29, "\xFA"},
  };
  for (const Damage& damage : damages) {
    TTable table;
    CreateOpen(table, "hdr");
    table.CloseFileblock();
    Patch(Name("hdr") + ".IX", damage.offset, damage.bytes);
    EXPECT_EQ(table.OpenFileblock(Name("hdr")), kErrFileDefect) << damage.what;
    EXPECT_FALSE(table.IsOpen());
  }
  TTable table;
  CreateOpen(table, "short");
  table.CloseFileblock();
  std::filesystem::resize_file(Name("short") + ".IX", 100);
  EXPECT_EQ(table.OpenFileblock(Name("short")), kErrFileDefect);
}

TEST_F(TableRecoveryTest, DamagedIndexPagesRaiseFileDefectsWhenReached) {
  struct Damage {
    const char* what;
    std::size_t offset;  // within the first leaf page of key 1
    std::string bytes;
  };
  const std::vector<Damage> damages = {
      {"kind", 0, "\x09"},
      {"key number", 1, "\x05"},
      {"leaf level", 2, "\x01"},
      {"count over capacity", 4, std::string("\xFF\x00", 2)},
      {"next leaf beyond the file", 8, std::string("\xFF\xFF\x00\x00", 4)},
      {"key text too long", 12, "\x30"},
      {"record number 0", 12 + 17, std::string(4, '\0')},
      {"entries out of order", 12 + 21 + 1, "\x01"},
  };
  for (const Damage& damage : damages) {
    TTable table;
    CreateOpen(table, "page");
    for (int i = 1; i <= 5; ++i) {
      table.AddKey(1, table.AddRecord(Record(64, "r")), "KEY" + std::to_string(i));
    }
    table.CloseFileblock();
    Patch(Name("page") + ".IX", 4096 + static_cast<std::int64_t>(damage.offset), damage.bytes);
    ASSERT_EQ(table.OpenFileblock(Name("page")), 0) << damage.what;
    std::int32_t record = 0;
    try {
      table.FindKey(1, "KEY3", record);
      ADD_FAILURE() << damage.what << " went unnoticed";
    } catch (const EHardError& error) {
      EXPECT_EQ(error.Error(), kErrFileDefect) << damage.what;
    }
    // The other key's tree is untouched and still works.
    table.AddKey(2, 1, "P");
    EXPECT_TRUE(table.FindKey(2, "P", record));
  }
}

TEST_F(TableRecoveryTest, ALoopingLeafChainEndsTheWalkWithAFileDefect) {
  TTable table;
  CreateOpen(table, "loop");
  // Enough entries for several leaves of key 1.
  for (int i = 1; i <= 600; ++i) table.AddKey(1, table.AddRecord(Record(64, Id(i))), Id(i));
  table.CloseFileblock();
  // Point the first leaf's next link back at itself... found by walking the
  // pages: the leftmost leaf is the page holding Id(1).
  const std::string path = Name("loop") + ".IX";
  const auto pages = std::filesystem::file_size(path) / 4096;
  std::int64_t leftmost = -1;
  for (std::uint64_t p = 1; p < pages && leftmost < 0; ++p) {
    std::ifstream file(path, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(p * 4096));
    std::string page(4096, '\0');
    file.read(page.data(), 4096);
    if (page[0] == 1 && page[1] == 1 && page.compare(13, 16, Id(1)) == 0) {
      leftmost = static_cast<std::int64_t>(p);
    }
  }
  ASSERT_GT(leftmost, 0);
  const std::string self = {static_cast<char>(leftmost & 0xFF), static_cast<char>(leftmost >> 8),
                            '\0', '\0'};
  Patch(path, leftmost * 4096 + 8, self);
  ASSERT_EQ(table.OpenFileblock(Name("loop")), 0);
  table.ClearKey(1);
  std::int32_t record = 0;
  std::string text;
  int steps = 0;
  EXPECT_EQ(ErrorOf([&] {
              while (table.NextKey(1, record, text)) ++steps;
            }),
            kErrFileDefect);
  EXPECT_LT(steps, 600);
}

TEST_F(TableRecoveryTest, IndexAndDataOfDifferentLengthsDoNotOpen) {
  TTable table;
  table.CreateFileblock(Name("a"), 40, TwoKeys());
  table.CreateFileblock(Name("b"), 48, TwoKeys());
  std::filesystem::copy_file(Name("b") + ".IX", Name("a") + ".IX",
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(table.OpenFileblock(Name("a")), kErrFileDefect);
}

}  // namespace
}  // namespace zelvora::testing
