// Bit streams written and read most significant bit first, as the LZHUF and
// lh5 codecs store them.
//
// Callers may rely on:
//  - TBitWriter pads the last byte with zero bits on Finish.
//  - TBitReader never reads past its buffer: bits beyond the end read as zero
//    and Overrun() tells that more bits were consumed than the buffer holds,
//    so a decoder can reject a truncated stream instead of inventing data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zelvora {

class TBitWriter {
 public:
  // Appends the low `count` bits of `value` (count <= 32).
  void Put(unsigned count, std::uint32_t value) {
    acc_ = (acc_ << count) | (value & Mask(count));
    pending_ += count;
    while (pending_ >= 8) {
      pending_ -= 8;
      bytes_.push_back(static_cast<std::uint8_t>(acc_ >> pending_));
    }
  }
  // Writes the pending bits padded with zeros; the writer can go on after.
  void Finish();
  // Bytes written so far, not counting a partial last byte.
  std::size_t ByteCount() const { return bytes_.size(); }
  std::vector<std::uint8_t> TakeBytes();

 private:
  static std::uint64_t Mask(unsigned count) {
    return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
  }
  std::vector<std::uint8_t> bytes_;
  std::uint64_t acc_ = 0;
  unsigned pending_ = 0;
};

class TBitReader {
 public:
  explicit TBitReader(std::span<const std::uint8_t> data) : data_(data) {}

  // The next `count` bits (count <= 32) without consuming them.
  std::uint32_t Peek(unsigned count) {
    if (count == 0) return 0;
    Fill();
    return static_cast<std::uint32_t>(buffer_ >> (64 - count));
  }
  void Skip(unsigned count) {
    Fill();
    buffer_ <<= count;
    buffered_ -= count;
    consumed_ += count;
  }
  std::uint32_t Get(unsigned count) {
    std::uint32_t value = Peek(count);
    Skip(count);
    return value;
  }
  // True when more bits were consumed than the buffer holds.
  bool Overrun() const { return consumed_ > 8 * static_cast<std::uint64_t>(data_.size()); }

 private:
  // Keeps at least 32 bits in the buffer, zeros past the end of the data.
  void Fill() {
    while (buffered_ <= 56) {
      std::uint64_t byte = next_ < data_.size() ? data_[next_] : 0;
      ++next_;
      buffer_ |= byte << (56 - buffered_);
      buffered_ += 8;
    }
  }
  std::span<const std::uint8_t> data_;
  std::size_t next_ = 0;
  std::uint64_t buffer_ = 0;  // left-aligned
  unsigned buffered_ = 0;
  std::uint64_t consumed_ = 0;
};

}  // namespace zelvora
