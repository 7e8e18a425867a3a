#include "DB/IDSource.h"

#include <limits>
#include <random>

#include "DB/SurvList.h"

namespace zelvora {
namespace {

constexpr std::int32_t kMaxSerial = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void Exhausted() { throw ESurvObjError("The ID source is exhausted"); }

}  // namespace

std::int32_t ChooseRandomOrigin() {
  std::random_device device;
  std::uniform_int_distribution<std::int32_t> pick(kLastBuiltInOrigin + 1, kMaxSerial);
  return pick(device);
}

TObjectID TIDSource::NextID() {
  if (FRemaining > 0) {
    const TObjectID id{FOrigin, FNext};
    --FRemaining;
    ++FNext;
    return id;
  }
  const std::int32_t origin = FStore.Origin();
  const std::int32_t next = FStore.NextSerial();
  // The last serial is never handed out, so the counter never wraps.
  if (next >= kMaxSerial) Exhausted();
  FStore.StoreNextSerial(next + 1);
  return TObjectID{origin, next};
}

void TIDSource::ReserveIDs(int count) {
  if (count < 0) throw ESurvObjError("ReserveIDs: Invalid count");
  const std::int32_t origin = FStore.Origin();
  const std::int32_t next = FStore.NextSerial();
  if (static_cast<long long>(next) + count >= kMaxSerial) Exhausted();
  FStore.StoreNextSerial(next + count);
  FOrigin = origin;
  FNext = next;
  FRemaining = count;
}

TMemoryIDCounterStore::TMemoryIDCounterStore(std::int32_t origin, std::int32_t next_serial)
    : FOrigin(origin), FNext(next_serial) {
  if (origin <= kLastBuiltInOrigin) throw ESurvObjError("The ID origin must be above 10");
}

}  // namespace zelvora
