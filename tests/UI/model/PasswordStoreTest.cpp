// The password store keeps only hashes, in a file only its owner can read,
// and never takes a damaged file for "no password".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "APP/TempFolder.h"
#include "UI/model/PasswordStore.h"

namespace zelvora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TPasswordStore FastStore(const std::string& path) {
  TPasswordStore store(path, TPasswordCost::Fastest());
  store.Load();
  return store;
}

TEST(PasswordStoreTest, MissingFileMeansNoPasswords) {
  TempFolder folder;
  TPasswordStore store = FastStore(folder.File("Passwords.INI"));
  for (TPasswordItem item : {TPasswordItem::Start, TPasswordItem::Print, TPasswordItem::View}) {
    EXPECT_FALSE(store.IsSet(item));
    EXPECT_TRUE(store.Matches(item, ""));
    EXPECT_FALSE(store.Matches(item, "x"));
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("Passwords.INI")));
}

TEST(PasswordStoreTest, KeepsOnlyHashesInAnOwnerOnlyFile) {
  TempFolder folder;
  const std::string path = folder.File("Passwords.INI");
  TPasswordStore store = FastStore(path);
  store.Set(TPasswordItem::Start, "Open Sesame");

  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.find("Open Sesame"), std::string::npos);
  EXPECT_NE(bytes.find("1=$argon2id$"), std::string::npos);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);

  TPasswordStore again = FastStore(path);
  EXPECT_TRUE(again.Matches(TPasswordItem::Start, "Open Sesame"));
  EXPECT_FALSE(again.Matches(TPasswordItem::Start, "open sesame"));
  EXPECT_FALSE(again.Matches(TPasswordItem::Start, ""));
  EXPECT_FALSE(again.IsSet(TPasswordItem::Print));
}

TEST(PasswordStoreTest, AWiderFileModeIsNarrowedOnWrite) {
  TempFolder folder;
  const std::string path = folder.File("Passwords.INI");
  WriteBytes(path, "[Passwords]\r\n1=\r\n");
  ::chmod(path.c_str(), 0644);
  TPasswordStore store = FastStore(path);
  store.Set(TPasswordItem::View, "v");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(PasswordStoreTest, SettingOneItemKeepsTheOthersAndEmptyRemoves) {
  TempFolder folder;
  const std::string path = folder.File("Passwords.INI");
  TPasswordStore store = FastStore(path);
  store.Set(TPasswordItem::Start, "s");
  store.Set(TPasswordItem::View, "v");
  const std::string start_hash = store.Hash(TPasswordItem::Start);
  const std::string view_hash = store.Hash(TPasswordItem::View);

  store.Set(TPasswordItem::Print, "p");
  TPasswordStore reread = FastStore(path);
  EXPECT_EQ(reread.Hash(TPasswordItem::Start), start_hash);
  EXPECT_EQ(reread.Hash(TPasswordItem::View), view_hash);
  EXPECT_TRUE(reread.Matches(TPasswordItem::Print, "p"));

  store.Set(TPasswordItem::Start, "");
  reread = FastStore(path);
  EXPECT_FALSE(reread.IsSet(TPasswordItem::Start));
  EXPECT_EQ(reread.Hash(TPasswordItem::View), view_hash);
}

TEST(PasswordStoreTest, SamePasswordTwiceGivesDifferentSaltedHashes) {
  TempFolder folder;
  TPasswordStore store = FastStore(folder.File("Passwords.INI"));
  store.Set(TPasswordItem::Start, "same");
  store.Set(TPasswordItem::Print, "same");
  EXPECT_NE(store.Hash(TPasswordItem::Start), store.Hash(TPasswordItem::Print));
}

TEST(PasswordStoreTest, InteractiveCostIsTheDefault) {
  TempFolder folder;
  TPasswordStore store(folder.File("Passwords.INI"));
  store.Load();
  store.Set(TPasswordItem::Start, "x");
  // libsodium's interactive limit: 64 MiB, two passes.
  EXPECT_NE(store.Hash(TPasswordItem::Start).find("$m=65536,t=2,p=1$"), std::string::npos);
}

TEST(PasswordStoreTest, DamagedFilesAreErrorsNotMissingPasswords) {
  struct Row {
    const char* name;
    std::string bytes;
  };
  const Row rows[] = {
      {"empty file", ""},
      {"no section", "1=$argon2id$v=19$m=8,t=1,p=1$abc$def\r\n"},
      {"other section", "[Other]\r\n1=\r\n"},
      {"plain text password", "[Passwords]\r\n1=secret\r\n"},
      {"other hash kind", "[Passwords]\r\n2=$2y$10$abcdefghijklmnopqrstuv\r\n"},
      {"over-long hash", "[Passwords]\r\n3=$argon2id$" + std::string(200, 'a') + "\r\n"},
      {"huge file", "[Passwords]\r\n" + std::string(100000, ';')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    const std::string path = folder.File("Passwords.INI");
    WriteBytes(path, row.bytes);
    TPasswordStore store(path, TPasswordCost::Fastest());
    EXPECT_THROW(store.Load(), EPasswordStore);
  }
}

TEST(PasswordStoreTest, AFolderInPlaceOfTheFileIsAnError) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("Passwords.INI"));
  TPasswordStore store(folder.File("Passwords.INI"), TPasswordCost::Fastest());
  EXPECT_THROW(store.Load(), EPasswordStore);
}

TEST(PasswordStoreTest, AFailedWriteChangesNothing) {
  TempFolder folder;
  const std::string path = folder.File("gone/Passwords.INI");
  TPasswordStore store(path, TPasswordCost::Fastest());
  store.Load();
  EXPECT_THROW(store.Set(TPasswordItem::Start, "s"), EPasswordStore);
  EXPECT_FALSE(store.IsSet(TPasswordItem::Start));
}

}  // namespace
}  // namespace zelvora
