// The fileblock operations as the survey database uses them.
#include <functional>
#include <map>
#include <set>

#include "StoreTestSupport.h"

namespace zelvora::testing {
namespace {

using TableOperationsTest = StoreTest;

TEST_F(TableOperationsTest, FreshFileblockHasOnlyTheHeaderSlotAndNoKeys) {
  TTable table;
  CreateOpen(table, "fresh");
  EXPECT_TRUE(table.IsOpen());
  EXPECT_EQ(table.RecordLength(), 64);
  EXPECT_EQ(table.KeyCount(), 2);
  EXPECT_EQ(table.RecordSlots(), 1);
  std::int32_t record = -1;
  EXPECT_FALSE(table.FindKey(1, "0000000100000001", record));
  EXPECT_EQ(EngineStatus().error, kErrNoMatch);
  EXPECT_FALSE(EngineStatus().success);
  table.ClearKey(2);
  std::string text;
  EXPECT_FALSE(table.NextKey(2, record, text));
  EXPECT_EQ(EngineStatus().error, kErrNoLargerKey);
  // The data file is header record 0 only, and that never reads as live.
  EXPECT_EQ(std::filesystem::file_size(Name("fresh") + ".DAT"), 64u);
}

TEST_F(TableOperationsTest, RecordsSurviveCloseAndReopen) {
  std::map<std::int32_t, std::string> stored;
  {
    TTable table;
    CreateOpen(table, "persist", 313);
    for (int i = 0; i < 50; ++i) {
      const std::string text = "record " + std::to_string(i);
      table.Lock();
      const std::int32_t number = table.AddRecord(Record(313, text));
      table.AddKey(1, number, "K" + std::to_string(1000 + i));
      table.AddKey(2, number, "P" + std::to_string(i % 5));
      table.Unlock();
      stored[number] = text;
    }
    table.CloseFileblock();
    EXPECT_FALSE(table.IsOpen());
    table.CloseFileblock();  // closing twice is harmless
  }
  TTable table;
  ASSERT_EQ(table.OpenFileblock(Name("persist")), 0);
  EXPECT_EQ(table.RecordSlots(), 51);
  std::vector<unsigned char> buffer(313);
  for (const auto& [number, text] : stored) {
    table.GetRecord(number, buffer);
    EXPECT_EQ(buffer, Record(313, text));
  }
  std::int32_t record = 0;
  ASSERT_TRUE(table.FindKey(1, "K1007", record));
  table.GetRecord(record, buffer);
  EXPECT_EQ(buffer, Record(313, "record 7"));
}

TEST_F(TableOperationsTest, PutRecordOverwritesOnlyThatRecordAndForcesTheLiveMark) {
  TTable table;
  CreateOpen(table, "put");
  const std::int32_t a = table.AddRecord(Record(64, "first"));
  const std::int32_t b = table.AddRecord(Record(64, "second"));
  auto changed = Record(64, "changed");
  changed[0] = 0x55;  // the live mark belongs to the engine
  table.PutRecord(a, changed);
  std::vector<unsigned char> buffer(64);
  table.GetRecord(a, buffer);
  EXPECT_EQ(buffer, Record(64, "changed"));
  table.GetRecord(b, buffer);
  EXPECT_EQ(buffer, Record(64, "second"));
}

TEST_F(TableOperationsTest, DeletedSlotsAreMarkedAndReusedBeforeTheFileGrows) {
  TTable table;
  CreateOpen(table, "reuse");
  std::vector<std::int32_t> numbers;
  for (int i = 0; i < 6; ++i)
    numbers.push_back(table.AddRecord(Record(64, "r" + std::to_string(i))));
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
  table.DeleteRecord(2);
  table.DeleteRecord(5);
  std::vector<unsigned char> buffer(64);
  table.GetRecord(2, buffer);
  EXPECT_NE(buffer[0] | buffer[1] | buffer[2] | buffer[3], 0) << "a deleted record is marked";
  table.GetRecord(3, buffer);
  EXPECT_EQ(buffer[0] | buffer[1] | buffer[2] | buffer[3], 0) << "its neighbour stays live";
  EXPECT_EQ(table.RecordSlots(), 7);

  std::set<std::int32_t> reused{table.AddRecord(Record(64, "x")), table.AddRecord(Record(64, "y"))};
  EXPECT_EQ(reused, (std::set<std::int32_t>{2, 5}));
  EXPECT_EQ(table.RecordSlots(), 7);
  EXPECT_EQ(table.AddRecord(Record(64, "z")), 7);

  // The free chain survives closing.
  table.DeleteRecord(3);
  table.CloseFileblock();
  ASSERT_EQ(table.OpenFileblock(Name("reuse")), 0);
  EXPECT_EQ(table.AddRecord(Record(64, "again")), 3);
  table.GetRecord(3, buffer);
  EXPECT_EQ(buffer, Record(64, "again"));
}

TEST_F(TableOperationsTest, DeletedRecordsCannotBeRewrittenOrDeletedTwice) {
  // Either would put a slot that the free chain still holds back into use, and
  // a later AddRecord would then overwrite a live record.
  TTable table;
  CreateOpen(table, "twice");
  const std::int32_t a = table.AddRecord(Record(64, "a"));
  const std::int32_t b = table.AddRecord(Record(64, "b"));
  table.DeleteRecord(a);
  EXPECT_EQ(ErrorOf([&] { table.DeleteRecord(a); }), kErrRecordDeleted);
  EXPECT_EQ(ErrorOf([&] { table.PutRecord(a, Record(64, "ghost")); }), kErrRecordDeleted);
  EXPECT_EQ(table.AddRecord(Record(64, "c")), a);
  EXPECT_EQ(table.AddRecord(Record(64, "d")), 3);
  std::vector<unsigned char> buffer(64);
  table.GetRecord(b, buffer);
  EXPECT_EQ(buffer, Record(64, "b"));
}

TEST_F(TableOperationsTest, RecordNumbersAndBuffersAreChecked) {
  TTable table;
  CreateOpen(table, "numbers");
  table.AddRecord(Record(64, "one"));
  std::vector<unsigned char> buffer(64);
  std::vector<unsigned char> short_buffer(63);
  EXPECT_EQ(ErrorOf([&] { table.GetRecord(0, buffer); }), kErrRecordZero);
  EXPECT_EQ(ErrorOf([&] { table.PutRecord(0, buffer); }), kErrRecordZero);
  EXPECT_EQ(ErrorOf([&] { table.DeleteRecord(0); }), kErrRecordZero);
  EXPECT_EQ(ErrorOf([&] { table.GetRecord(2, buffer); }), kErrRecordNumber);
  EXPECT_EQ(ErrorOf([&] { table.GetRecord(-1, buffer); }), kErrRecordNumber);
  EXPECT_EQ(ErrorOf([&] { table.PutRecord(9, buffer); }), kErrRecordNumber);
  EXPECT_EQ(ErrorOf([&] { table.GetRecord(1, short_buffer); }), kErrRecordBuffer);
  EXPECT_EQ(ErrorOf([&] { table.AddRecord(short_buffer); }), kErrRecordBuffer);
  EXPECT_EQ(ErrorOf([&] { table.AddKey(1, 0, "A"); }), kErrRecordZero);
  EXPECT_EQ(table.RecordSlots(), 2);
}

TEST_F(TableOperationsTest, ClosedFileblockRefusesEveryOperationWith10080) {
  TTable table;
  std::vector<unsigned char> buffer(64);
  std::int32_t record = 0;
  std::string text;
  const std::vector<std::function<void()>> operations = {
      [&] { table.RecordSlots(); },
      [&] { table.GetRecord(1, buffer); },
      [&] { table.PutRecord(1, buffer); },
      [&] { table.AddRecord(buffer); },
      [&] { table.DeleteRecord(1); },
      [&] { table.AddKey(1, 1, "A"); },
      [&] { table.DeleteKey(1, 1, "A"); },
      [&] { table.FindKey(1, "A", record); },
      [&] { table.ClearKey(1); },
      [&] { table.NextKey(1, record, text); },
      [&] { table.Lock(); },
      [&] { table.Unlock(); },
      [&] { table.Flush(); },
  };
  for (std::size_t i = 0; i < operations.size(); ++i) {
    try {
      operations[i]();
      ADD_FAILURE() << "operation " << i << " did not raise";
    } catch (const EUserError& error) {
      EXPECT_EQ(error.Error(), kErrNotOpen) << "operation " << i;
      EXPECT_STREQ(error.what(), "Error #10080: Fileblock not open");
    }
  }
}

TEST_F(TableOperationsTest, FileblockDescriptionsAreChecked) {
  TTable table;
  EXPECT_EQ(ErrorOf([&] { table.CreateFileblock(Name("short"), 21, TwoKeys()); }),
            kErrRecordLength);
  EXPECT_EQ(ErrorOf([&] { table.CreateFileblock(Name("nokeys"), 22, {}); }), kErrKeyCount);
  EXPECT_EQ(ErrorOf([&] {
              table.CreateFileblock(Name("many"), 22, std::vector<TKeyDesc>(kMaxKeys + 1));
            }),
            kErrKeyCount);
  EXPECT_EQ(ErrorOf([&] {
              table.CreateFileblock(Name("zero"), 22, {{0, false}});
            }),
            kErrMaxKeyLenTooSmall);
  EXPECT_EQ(ErrorOf([&] {
              table.CreateFileblock(Name("long"), 22, {{kMaxKeyLength + 1, false}});
            }),
            kErrKeyDescTooLong);
  EXPECT_EQ(ErrorOf([&] { table.CreateFileblock(std::string(193, 'n'), 22, TwoKeys()); }),
            kErrSystemOpen);
  // Nothing was left behind by the refusals.
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
  // The shortest record the engine accepts.
  table.CreateFileblock(Name("least"), 22, TwoKeys());
  ASSERT_EQ(table.OpenFileblock(Name("least")), 0);
  EXPECT_EQ(table.AddRecord(std::vector<unsigned char>(22, 0)), 1);
}

TEST_F(TableOperationsTest, OpenAnswersErrorNumbersInsteadOfRaising) {
  TTable table;
  const int missing = table.OpenFileblock(Name("missing"));
  EXPECT_EQ(missing, kErrSystemOpen);
  EXPECT_EQ(EngineStatus().error, kErrSystemOpen);
  EXPECT_EQ(EngineStatus().dos_function, kSysOpen);
  EXPECT_EQ(EngineStatus().dos_error, ENOENT);
  EXPECT_FALSE(table.IsOpen());
  // A data file without its index file.
  table.CreateFileblock(Name("noindex"), 40, TwoKeys());
  std::filesystem::remove(Name("noindex") + ".IX");
  EXPECT_EQ(table.OpenFileblock(Name("noindex")), kErrSystemOpen);
  EXPECT_FALSE(table.IsOpen());
}

TEST_F(TableOperationsTest, KeysAreCheckedForNumberLengthAndUniqueness) {
  TTable table;
  CreateOpen(table, "keys");
  const std::int32_t a = table.AddRecord(Record(64, "a"));
  const std::int32_t b = table.AddRecord(Record(64, "b"));
  std::int32_t record = 0;
  std::string text;
  EXPECT_EQ(ErrorOf([&] { table.AddKey(3, a, "X"); }), kErrKeyNumber);
  EXPECT_EQ(ErrorOf([&] { table.AddKey(0, a, "X"); }), kErrKeyNumber);
  EXPECT_EQ(ErrorOf([&] { table.FindKey(3, "X", record); }), kErrKeyNumber);
  EXPECT_EQ(ErrorOf([&] { table.NextKey(-1, record, text); }), kErrKeyNumber);
  EXPECT_EQ(ErrorOf([&] { table.AddKey(1, a, std::string(17, 'L')); }), kErrKeyTooLong);
  EXPECT_EQ(ErrorOf([&] { table.FindKey(1, std::string(17, 'L'), record); }), kErrKeyTooLong);
  table.AddKey(1, a, std::string(16, 'L'));  // exactly the key length

  table.AddKey(1, b, "UNIQUE");
  try {
    table.AddKey(1, a, "UNIQUE");
    ADD_FAILURE() << "a duplicate was added to a unique key";
  } catch (const ENoSuccess& error) {
    EXPECT_EQ(error.Error(), kErrDuplicateKey);
    EXPECT_STREQ(error.what(), "Error #10230: Cannot add duplicate key");
  }
  // The same pair twice is refused even where duplicates are allowed.
  table.AddKey(2, a, "PARENT");
  EXPECT_EQ(ErrorOf([&] { table.AddKey(2, a, "PARENT"); }), kErrDuplicateKey);
  table.AddKey(2, b, "PARENT");

  EXPECT_EQ(ErrorOf([&] { table.DeleteKey(1, a, "UNIQUE"); }), kErrKeyToDelete);
  table.DeleteKey(1, b, "UNIQUE");
  EXPECT_FALSE(table.FindKey(1, "UNIQUE", record));
  table.AddKey(1, a, "UNIQUE");  // free again after its removal
  ASSERT_TRUE(table.FindKey(1, "UNIQUE", record));
  EXPECT_EQ(record, a);
}

TEST_F(TableOperationsTest, KeyCharactersAreFileCharacters) {
  TTable table;
  CreateOpen(table, "chars");
  const std::int32_t a = table.AddRecord(Record(64, "a"));
  // Sixteen characters of which some take two bytes in UTF-8 still fit.
  const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC" + std::string(13, 'x');
  table.AddKey(1, a, umlauts);
  table.ClearKey(1);
  std::int32_t record = 0;
  std::string text;
  ASSERT_TRUE(table.NextKey(1, record, text));
  EXPECT_EQ(text, umlauts);
  // Byte order of the file encoding: 'z' (0x7A) before 'ä' (0xE4).
  const std::int32_t b = table.AddRecord(Record(64, "b"));
  table.AddKey(1, b, "z");
  table.ClearKey(1);
  ASSERT_TRUE(table.NextKey(1, record, text));
  EXPECT_EQ(text, "z");
}

TEST_F(TableOperationsTest, WalkingReturnsKeysInByteOrderAndEqualKeysByRecordNumber) {
  TTable table;
  CreateOpen(table, "walk");
  std::vector<std::int32_t> numbers;
  for (int i = 0; i < 8; ++i) numbers.push_back(table.AddRecord(Record(64, std::to_string(i))));
  // Added out of order; "B" comes before "BA", "a" after "Z".
  const std::vector<std::pair<std::string, std::int32_t>> added = {
      {"BA", 1}, {"a", 2}, {"B", 7}, {"Z", 3}, {"B", 4}, {"B", 2}, {"", 8}, {"BA", 5}};
  for (const auto& [text, number] : added) table.AddKey(2, number, text);

  const std::vector<std::pair<std::string, std::int32_t>> expected = {
      {"", 8}, {"B", 2}, {"B", 4}, {"B", 7}, {"BA", 1}, {"BA", 5}, {"Z", 3}, {"a", 2}};
  table.ClearKey(2);
  std::vector<std::pair<std::string, std::int32_t>> walked;
  std::int32_t record = 0;
  std::string text;
  while (table.NextKey(2, record, text)) walked.emplace_back(text, record);
  EXPECT_EQ(walked, expected);
  EXPECT_FALSE(table.NextKey(2, record, text)) << "stays at the end";

  // FindKey gives the first equal entry and the walk continues after it.
  ASSERT_TRUE(table.FindKey(2, "B", record));
  EXPECT_EQ(record, 2);
  ASSERT_TRUE(table.NextKey(2, record, text));
  EXPECT_EQ(std::make_pair(text, record), std::make_pair(std::string("B"), 4));
  // A failed FindKey leaves the walk before the first larger entry.
  EXPECT_FALSE(table.FindKey(2, "C", record));
  ASSERT_TRUE(table.NextKey(2, record, text));
  EXPECT_EQ(std::make_pair(text, record), std::make_pair(std::string("Z"), 3));

  // Changes between steps do not derail a walk: it goes on after the entry
  // it returned last.
  ASSERT_TRUE(table.FindKey(2, "B", record));
  table.DeleteKey(2, 4, "B");
  table.AddKey(2, 6, "B");
  ASSERT_TRUE(table.NextKey(2, record, text));
  EXPECT_EQ(std::make_pair(text, record), std::make_pair(std::string("B"), 6));
  ASSERT_TRUE(table.NextKey(2, record, text));
  EXPECT_EQ(std::make_pair(text, record), std::make_pair(std::string("B"), 7));
  // Each key walks on its own.
  table.AddKey(1, 1, "ONLY");
  table.ClearKey(1);
  ASSERT_TRUE(table.NextKey(1, record, text));
  EXPECT_EQ(text, "ONLY");
  ASSERT_TRUE(table.NextKey(2, record, text));
  EXPECT_EQ(std::make_pair(text, record), std::make_pair(std::string("BA"), 1));
}

TEST_F(TableOperationsTest, LockAndUnlockNestAndNeedAnOpenFileblock) {
  TTable table;
  CreateOpen(table, "lock");
  table.Lock();
  table.Lock();
  const std::int32_t a = table.AddRecord(Record(64, "a"));
  table.Unlock();
  table.Unlock();
  table.Unlock();  // an extra unlock is harmless
  EXPECT_EQ(a, 1);
}

TEST_F(TableOperationsTest, EngineInitialisationRules) {
  ExitEngine();
  TTable table;
  EXPECT_EQ(ErrorOf([&] { table.CreateFileblock(Name("x"), 40, TwoKeys()); }), kErrNotInitialised);
  EXPECT_EQ(table.OpenFileblock(Name("x")), kErrNotInitialised);
  EXPECT_EQ(ErrorOf([] { InitEngine(TNetworkMode::SingleUser, 7); }), kErrPageBuffer);
  EXPECT_EQ(ErrorOf([] { InitEngine(TNetworkMode::Network, 10); }), kErrNetworkInit);
  InitEngine(TNetworkMode::SingleUser, 8);
  try {
    InitEngine(TNetworkMode::SingleUser, 10);
    ADD_FAILURE() << "a second initialisation succeeded";
  } catch (const ETableException& error) {
    EXPECT_EQ(error.Error(), kErrAlreadyInitialised);
    EXPECT_EQ(EngineStatus().error, kErrAlreadyInitialised);
  }
  EXPECT_TRUE(EngineInitialised());
  table.CreateFileblock(Name("x"), 40, TwoKeys());
  EXPECT_EQ(table.OpenFileblock(Name("x")), 0);
  EXPECT_TRUE(EngineStatus().success);
}

}  // namespace
}  // namespace zelvora::testing
