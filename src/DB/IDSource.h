// TIDSource: hands out new object IDs: the installation's origin (a number
// above 10 chosen once, at random, so that two installations do not collide)
// with the next serial of a persistent counter.
//
// Where the origin and the counter are kept is the job of a TIDCounterStore
// (in memory for TMemoryDB; a file of the database elsewhere). Serials never
// repeat: when the counter would pass the largest 32-bit value NextID and
// ReserveIDs fail with "The ID source is exhausted" and hand out nothing.
#pragma once

#include <cstdint>

#include "DB/ObjectID.h"

namespace zelvora {

class TIDCounterStore {
 public:
  virtual ~TIDCounterStore() = default;
  // The installation's origin (above 10).
  virtual std::int32_t Origin() = 0;
  // The next serial not yet handed out.
  virtual std::int32_t NextSerial() = 0;
  virtual void StoreNextSerial(std::int32_t next) = 0;
};

// An origin drawn at random from 11 to the largest 32-bit value.
std::int32_t ChooseRandomOrigin();

class TIDSource {
 public:
  explicit TIDSource(TIDCounterStore& store) : store_(store) {}

  TObjectID NextID();
  // Fetches the origin and counter once, advances the stored counter by
  // `count` and keeps those serials for the next NextID calls. A negative
  // count fails with "ReserveIDs: Invalid count".
  void ReserveIDs(int count);
  int Reserved() const { return remaining_; }

 private:
  TIDCounterStore& store_;
  std::int32_t origin_ = 0;
  std::int32_t next_ = 0;
  int remaining_ = 0;
};

// A counter store kept in memory only.
class TMemoryIDCounterStore : public TIDCounterStore {
 public:
  TMemoryIDCounterStore(std::int32_t origin, std::int32_t next_serial);
  std::int32_t Origin() override { return origin_; }
  std::int32_t OriginValue() const { return origin_; }
  std::int32_t NextSerial() override { return next_; }
  void StoreNextSerial(std::int32_t next) override { next_ = next; }

 private:
  std::int32_t origin_;
  std::int32_t next_;
};

}  // namespace zelvora
