#include <gtest/gtest.h>

#include "DB/ObjectID.h"

namespace zelvora {
namespace {

TEST(ObjectID, EqualityNeedsBothHalves) {
  EXPECT_NE((TObjectID{5, 7}), (TObjectID{7, 5}));
  EXPECT_EQ((TObjectID{5, 7}), (TObjectID{5, 7}));
  EXPECT_TRUE(TObjectID{}.IsNull());
  EXPECT_FALSE((TObjectID{0, 1}).IsNull());
}

TEST(ObjectID, TextAndKeyForms) {
  EXPECT_EQ((TObjectID{12, 40}).Text(), "12.40");
  EXPECT_EQ((TObjectID{-1, 3}).Text(), "-1.3");
  EXPECT_EQ((TObjectID{2, 1}).Key(), "0000000200000001");
  EXPECT_EQ((TObjectID{-1, 255}).Key(), "FFFFFFFF000000FF");
  EXPECT_EQ((TObjectID{INT32_MIN, INT32_MAX}).Key(), "800000007FFFFFFF");
  EXPECT_EQ((TObjectID{0x1A2B3C4D, 0}).Key(), "1A2B3C4D00000000");
}

TEST(ObjectID, KeysSortLikeTheIndex) {
  // The key compares the origin first: (1, 99) sorts before (2, 0).
  EXPECT_LT((TObjectID{1, 99}).Key(), (TObjectID{2, 0}).Key());
  EXPECT_LT((TObjectID{2, 9}).Key(), (TObjectID{2, 10}).Key());
}

TEST(ObjectID, ParsingRoundTripsAndRejectsJunk) {
  for (const TObjectID id :
       {TObjectID{0, 0}, TObjectID{2, 1}, TObjectID{-5, -7}, TObjectID{INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(TObjectID::FromText(id.Text()), id) << id.Text();
    EXPECT_EQ(TObjectID::FromKey(id.Key()), id) << id.Key();
  }
  for (const char* bad :
       {"", "12", "12.", ".4", "1.2.3", " 1.2", "1.2 ", "+1.2", "a.b", "99999999999.1", "1.-"}) {
    EXPECT_FALSE(TObjectID::FromText(bad).has_value()) << bad;
  }
  for (const char* bad :
       {"", "000000020000001", "00000002000000011", "0000000G00000001", "-0000002000000001"}) {
    EXPECT_FALSE(TObjectID::FromKey(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zelvora
