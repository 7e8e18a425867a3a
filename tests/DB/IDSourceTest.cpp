#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "DB/IDSource.h"
#include "DB/SurvList.h"

namespace zelvora {
namespace {

// Counts how often the persistent counter is read and written.
class CountingStore : public TIDCounterStore {
 public:
  CountingStore(std::int32_t origin, std::int32_t next) : origin_(origin), next_(next) {}
  std::int32_t Origin() override { return origin_; }
  std::int32_t NextSerial() override {
    ++Reads;
    return next_;
  }
  void StoreNextSerial(std::int32_t next) override {
    ++Writes;
    next_ = next;
  }
  std::int32_t origin_;
  std::int32_t next_;
  int Reads = 0;
  int Writes = 0;
};

TEST(IDSource, NextIDAdvancesThePersistentCounter) {
  CountingStore store(77, 5);
  TIDSource ids(store);
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 5}));
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 6}));
  EXPECT_EQ(store.next_, 7);
  EXPECT_EQ(store.Writes, 2);
}

TEST(IDSource, ReservedIDsComeWithoutTouchingTheStore) {
  CountingStore store(77, 10);
  TIDSource ids(store);
  ids.ReserveIDs(3);
  EXPECT_EQ(store.next_, 13);
  EXPECT_EQ(ids.Reserved(), 3);
  const int writes = store.Writes;
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 10}));
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 11}));
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 12}));
  EXPECT_EQ(store.Writes, writes);
  EXPECT_EQ(ids.Reserved(), 0);
  // After the reservation the counter takes over again, with no overlap.
  EXPECT_EQ(ids.NextID(), (TObjectID{77, 13}));
}

TEST(IDSource, NeverRepeatsAndRefusesToWrap) {
  CountingStore store(77, std::numeric_limits<std::int32_t>::max() - 2);
  TIDSource ids(store);
  std::set<std::int32_t> seen;
  seen.insert(ids.NextID().Serial);
  seen.insert(ids.NextID().Serial);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_THROW(
      {
        try {
          ids.NextID();
        } catch (const ESurvObjError& e) {
          EXPECT_STREQ(e.what(), "The ID source is exhausted");
          throw;
        }
      },
      ESurvObjError);
  EXPECT_THROW(ids.ReserveIDs(5), ESurvObjError);
  EXPECT_THROW(ids.ReserveIDs(-1), ESurvObjError);
}

TEST(IDSource, RandomOriginsAreAboveTheBuiltInRange) {
  for (int i = 0; i < 50; ++i) EXPECT_GT(ChooseRandomOrigin(), kLastBuiltInOrigin);
  EXPECT_THROW(TMemoryIDCounterStore(10, 1), ESurvObjError);
}

}  // namespace
}  // namespace zelvora
