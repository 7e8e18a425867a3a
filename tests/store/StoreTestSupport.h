// Shared fixture of the record store tests: a fresh temporary folder and an
// initialised engine.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "store/Table.h"

namespace zelvora::testing {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!EngineInitialised()) InitEngine(TNetworkMode::SingleUser, 10);
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zelvora-store-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Name(const std::string& base) const { return (dir_ / base).string(); }

  static std::vector<TKeyDesc> TwoKeys() { return {{16, false}, {16, true}}; }

  // A record of `length` bytes, live mark 0, carrying `text` after it.
  static std::vector<unsigned char> Record(std::size_t length, const std::string& text) {
    std::vector<unsigned char> record(length, 0);
    std::memcpy(record.data() + 4, text.data(), std::min(text.size(), length - 4));
    return record;
  }

  // Creates and opens a fileblock with the survey database's two keys.
  void CreateOpen(TTable& table, const std::string& base, std::int32_t length = 64) {
    table.CreateFileblock(Name(base), length, TwoKeys());
    ASSERT_EQ(table.OpenFileblock(Name(base)), 0);
  }

  std::filesystem::path dir_;
};

// The error number an operation raised, 0 when it did not raise.
template <typename Operation>
int ErrorOf(Operation operation) {
  try {
    operation();
  } catch (const ETableException& error) {
    return error.Error();
  }
  return 0;
}

}  // namespace zelvora::testing
