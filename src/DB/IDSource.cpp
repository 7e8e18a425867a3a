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
  if (remaining_ > 0) {
    const TObjectID id{origin_, next_};
    --remaining_;
    ++next_;
    return id;
  }
  const std::int32_t origin = store_.Origin();
  const std::int32_t next = store_.NextSerial();
  // The last serial is never handed out, so the counter never wraps.
  if (next >= kMaxSerial) Exhausted();
  store_.StoreNextSerial(next + 1);
  return TObjectID{origin, next};
}

void TIDSource::ReserveIDs(int count) {
  if (count < 0) throw ESurvObjError("ReserveIDs: Invalid count");
  const std::int32_t origin = store_.Origin();
  const std::int32_t next = store_.NextSerial();
  if (static_cast<long long>(next) + count >= kMaxSerial) Exhausted();
  store_.StoreNextSerial(next + count);
  origin_ = origin;
  next_ = next;
  remaining_ = count;
}

TMemoryIDCounterStore::TMemoryIDCounterStore(std::int32_t origin, std::int32_t next_serial)
    : origin_(origin), next_(next_serial) {
  if (origin <= kLastBuiltInOrigin) throw ESurvObjError("The ID origin must be above 10");
}

}  // namespace zelvora
