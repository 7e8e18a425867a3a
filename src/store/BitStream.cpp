#include "store/BitStream.h"

#include <utility>

namespace zelvora {

void TBitWriter::Finish() {
  if (pending_ > 0) {
    bytes_.push_back(static_cast<std::uint8_t>(acc_ << (8 - pending_)));
    pending_ = 0;
  }
  acc_ = 0;
}

std::vector<std::uint8_t> TBitWriter::TakeBytes() {
  Finish();
  return std::exchange(bytes_, {});
}

}  // namespace zelvora
