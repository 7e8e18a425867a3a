// The scrambling of package files: the key of each call, the stored bytes of
// 4,096-byte writes from position 0, and reading back in matching calls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DB/Survobj.h"
#include "interchange/Parser.h"
#include "interchange/ScrmStrm.h"

namespace zelvora {
namespace {

class ScrmStrmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("scrmstrm-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::string SampleText(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text += static_cast<char>((i * 7 + i / 300) % 256);
    return text;
  }
  std::filesystem::path dir_;
};

TEST_F(ScrmStrmTest, BlocksFromZeroStoreEachByteXor254) {
  const std::string text = SampleText(3 * kScrambleBlock + 123);
  const std::string file = Path("SURV1.DAT");
  {
    TScrambledStream out(file, TScrambledStream::Mode::kCreate);
    for (std::size_t at = 0; at < text.size(); at += kScrambleBlock)
      out.Write(text.data() + at, std::min(kScrambleBlock, text.size() - at));
    EXPECT_EQ(out.Size(), static_cast<std::int64_t>(text.size()));
  }
  const std::string stored = Slurp(file);
  ASSERT_EQ(stored.size(), text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    ASSERT_EQ(static_cast<unsigned char>(stored[i]), static_cast<unsigned char>(text[i]) ^ 254u)
        << "byte " << i;

  TScrambledStream in(file, TScrambledStream::Mode::kOpenRead);
  std::string back;
  char block[kScrambleBlock];
  std::size_t got;
  while ((got = in.Read(block, sizeof block)) > 0) back.append(block, got);
  EXPECT_EQ(back, text);
}

TEST_F(ScrmStrmTest, KeyDependsOnTheCallsStartPosition) {
  EXPECT_EQ(TScrambledStream::KeyAt(0), 1);
  EXPECT_EQ(TScrambledStream::KeyAt(254), 255);
  EXPECT_EQ(TScrambledStream::KeyAt(255), 0);
  EXPECT_EQ(TScrambledStream::KeyAt(256 + 9), 10);

  const std::string file = Path("calls.bin");
  const std::string text = "ABCDEFGHIJ";
  {
    TScrambledStream out(file, TScrambledStream::Mode::kCreate);
    out.Write(text.data(), 3);      // key 1
    out.Write(text.data() + 3, 7);  // key 4
  }
  const std::string stored = Slurp(file);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(static_cast<unsigned char>(stored[i]), static_cast<unsigned char>(text[i] ^ 1 ^ 255));
  for (std::size_t i = 3; i < 10; ++i)
    EXPECT_EQ(static_cast<unsigned char>(stored[i]), static_cast<unsigned char>(text[i] ^ 4 ^ 255));

  // Reading in one call from 0 uses key 1 for every byte: the tail differs.
  TScrambledStream in(file, TScrambledStream::Mode::kOpenRead);
  char buf[10];
  ASSERT_EQ(in.Read(buf, 10), 10u);
  EXPECT_EQ(std::string(buf, 3), "ABC");
  EXPECT_NE(std::string(buf + 3, 7), "DEFGHIJ");
  // Reading in the calls it was written in gives the text back.
  EXPECT_EQ(in.Seek(0, TScrambledStream::Origin::kBeginning), 0);
  ASSERT_EQ(in.Read(buf, 3), 3u);
  ASSERT_EQ(in.Read(buf + 3, 7), 7u);
  EXPECT_EQ(std::string(buf, 10), text);
  EXPECT_EQ(in.Read(buf, 10), 0u);
  EXPECT_EQ(in.Position(), 10);
}

TEST_F(ScrmStrmTest, WriteLeavesCallersBufferUnchanged) {
  const std::string file = Path("w.bin");
  TScrambledStream out(file, TScrambledStream::Mode::kCreate);
  std::string data = "keep me";
  out.Write(data.data(), data.size());
  EXPECT_EQ(data, "keep me");
}

TEST_F(ScrmStrmTest, ReadWriteModeAndFailures) {
  const std::string file = Path("rw.bin");
  { TScrambledStream(file, TScrambledStream::Mode::kCreate).Write("xxxxxxxx", 8); }
  {
    TScrambledStream rw(file, TScrambledStream::Mode::kOpenReadWrite);
    char buf[4];
    ASSERT_EQ(rw.Read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "xxxx");
    rw.Write("abcd", 4);  // key 5
    EXPECT_EQ(rw.Size(), 8);
    rw.Seek(4, TScrambledStream::Origin::kBeginning);
    ASSERT_EQ(rw.Read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "abcd");
  }
  try {
    TScrambledStream missing(Path("missing.dat"), TScrambledStream::Mode::kOpenRead);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.dat"), std::string::npos);
  }
  TScrambledStream ro(file, TScrambledStream::Mode::kOpenRead);
  EXPECT_THROW(ro.Write("z", 1), std::runtime_error);
  EXPECT_THROW(ro.Seek(-5, TScrambledStream::Origin::kBeginning), std::runtime_error);
}

}  // namespace
}  // namespace zelvora

namespace zelvora {
namespace {

// A text package scrambled in 4,096-byte blocks from position 0 (as the
// scramble command makes them) parses through the stream like the plain file.
TEST_F(ScrmStrmTest, ScrambledPackageParsesLikeThePlainOne) {
  const std::string plain_name = ZELVORA_TESTDATA "/textformat/leadership.dat";
  const std::string text = Slurp(plain_name);
  ASSERT_GT(text.size(), 2 * kScrambleBlock);  // crosses block boundaries
  const std::string file = Path("SURV1.DAT");
  {
    TScrambledStream out(file, TScrambledStream::Mode::kCreate);
    for (std::size_t at = 0; at < text.size(); at += kScrambleBlock)
      out.Write(text.data() + at, std::min(kScrambleBlock, text.size() - at));
  }
  std::ifstream plain_in(plain_name, std::ios::binary);
  TParser plain(plain_in);
  plain.DoParse();
  TScrambledStream in(file, TScrambledStream::Mode::kOpenRead);
  TParser scrambled(in);
  scrambled.DoParse();
  ASSERT_EQ(plain.Count(), 1);
  ASSERT_EQ(scrambled.Count(), 1);
  auto* a = dynamic_cast<TSurvey*>(plain.Items(0));
  auto* b = dynamic_cast<TSurvey*>(scrambled.Items(0));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->ID, b->ID);
  EXPECT_EQ(a->Name, b->Name);
  ASSERT_EQ(a->SkillAreas().Size(), b->SkillAreas().Size());
  for (int i = 0; i < a->SkillAreas().Size(); ++i) {
    TSkillArea* x = a->SkillAreas().At(i);
    TSkillArea* y = b->SkillAreas().At(i);
    EXPECT_EQ(x->Name, y->Name);
    ASSERT_EQ(x->Questions().Size(), y->Questions().Size());
    for (int j = 0; j < x->Questions().Size(); ++j)
      EXPECT_EQ(x->Questions().At(j)->QuestionText, y->Questions().At(j)->QuestionText);
  }
  // Read as if it were plain text, the same file holds no objects.
  std::ifstream raw(file, std::ios::binary);
  TParser wrong(raw);
  try {
    wrong.DoParse();
  } catch (const EParseError&) {
  }
  EXPECT_EQ(wrong.Count(), 0);
}

}  // namespace
}  // namespace zelvora
