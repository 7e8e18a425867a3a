// The ID source on disk: the origin and counter survive a reopen, reserved
// serials are never handed out again, and a missing or damaged counter file
// gives a fresh origin instead of repeating IDs.
#include <gtest/gtest.h>

#include <set>

#include "SurveyDBFixture.h"

namespace zelvora::testing {
namespace {

using SurveyDBIDSource = SurveyDBTest;

TEST_F(SurveyDBIDSource, TheCounterGoesOnAfterAReopen) {
  const std::int32_t origin = db->Origin();
  EXPECT_GT(origin, kLastBuiltInOrigin);
  const TObjectID first = db->NextID();
  const TObjectID second = db->NextID();
  EXPECT_EQ(first.Origin, origin);
  EXPECT_EQ(second.Serial, first.Serial + 1);
  Reopen();
  EXPECT_EQ(db->Origin(), origin);
  EXPECT_EQ(db->NextID().Serial, second.Serial + 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SurveyDBIDSource, ReservedSerialsAreNeverHandedOutAgain) {
  db->ReserveIDs(10);
  EXPECT_EQ(db->ReservedIDs(), 10);
  std::set<std::int32_t> seen;
  for (int i = 0; i < 3; ++i) seen.insert(db->NextID().Serial);
  // Killed here: seven reserved IDs were never used, and are never reused.
  Reopen();
  EXPECT_EQ(db->ReservedIDs(), 0);
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(seen.insert(db->NextID().Serial).second);
  EXPECT_EQ(*seen.rbegin() - *seen.begin(), 29);
}

TEST_F(SurveyDBIDSource, TheFileIsOnDiskBeforeTheIDIsHandedOut) {
  const TObjectID id = db->NextID();
  // Read the file as a second process would, while the database is open.
  TIDCounterFile reader(dir() + TIDCounterFile::kFileName);
  EXPECT_TRUE(reader.Load());
  EXPECT_EQ(reader.Origin(), id.Origin);
  EXPECT_EQ(reader.NextSerial(), id.Serial + 1);
  db->ReserveIDs(100);
  TIDCounterFile after(dir() + TIDCounterFile::kFileName);
  after.Load();
  EXPECT_EQ(after.NextSerial(), id.Serial + 101);
}

TEST_F(SurveyDBIDSource, ADamagedOrMissingFileGivesANewOriginAndSaysSo) {
  const std::int32_t origin = db->Origin();
  db->NextID();
  CloseAll();
  std::string bytes = ReadBytes(dir() + TIDCounterFile::kFileName);
  ASSERT_EQ(bytes.size(), 16u);
  bytes[9] ^= 0x40;  // the counter changed behind the checksum's back
  WriteBytes(dir() + TIDCounterFile::kFileName, bytes);
  Reopen();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("was damaged"), std::string::npos);
  EXPECT_NE(db->Origin(), origin);
  EXPECT_EQ(db->NextID().Serial, 1);

  const std::int32_t second_origin = db->Origin();
  CloseAll();
  std::filesystem::remove(dir() + TIDCounterFile::kFileName);
  Reopen();
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(db->Origin(), second_origin);

  for (const std::string& junk : {std::string(), std::string("ZID1"), std::string(40, 'x')}) {
    CloseAll();
    WriteBytes(dir() + TIDCounterFile::kFileName, junk);
    Reopen();
    EXPECT_EQ(messages.size(), 1u) << junk.size();
    EXPECT_GT(db->Origin(), kLastBuiltInOrigin);
  }
}

TEST_F(SurveyDBIDSource, AFailingWriteHandsNothingOut) {
  const TObjectID before = db->NextID();
  // The new counter cannot be renamed over a folder standing in its place.
  const std::string counter = dir() + TIDCounterFile::kFileName;
  std::filesystem::rename(counter, counter + ".saved");
  std::filesystem::create_directories(counter + "/inside");
  EXPECT_THROW(db->NextID(), ESurvObjError);
  EXPECT_THROW(db->ReserveIDs(5), ESurvObjError);
  EXPECT_EQ(db->ReservedIDs(), 0);
  std::filesystem::remove_all(counter);
  std::filesystem::rename(counter + ".saved", counter);
  EXPECT_EQ(db->NextID().Serial, before.Serial + 1);
}

TEST_F(SurveyDBIDSource, NoIDsWhileClosed) {
  CloseAll();
  TSurveyDB closed;
  EXPECT_THROW(closed.NextID(), ESurvObjError);
  EXPECT_EQ(closed.ReservedIDs(), 0);
}

}  // namespace
}  // namespace zelvora::testing
