// Little-endian fixed-width integers and IEEE doubles in byte buffers: the
// byte order of every binary file the program reads or writes.
//
// Callers may rely on:
//  - the pointer forms read or write exactly the field's bytes and check
//    nothing: the caller has made sure the field lies inside its buffer;
//  - the span forms check that the field lies inside the span and throw
//    std::out_of_range otherwise, so outside bytes can be decoded with them
//    without a length check of one's own;
//  - signed values are stored in two's complement; a double is its 8-byte
//    IEEE 754 pattern.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelvora::le {

inline std::uint16_t Get16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t Get32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t Get64(const unsigned char* p) {
  return static_cast<std::uint64_t>(Get32(p)) | (static_cast<std::uint64_t>(Get32(p + 4)) << 32);
}
inline double GetDouble(const unsigned char* p) { return std::bit_cast<double>(Get64(p)); }

inline void Put16(unsigned char* p, std::uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
inline void Put32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void Put64(unsigned char* p, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void PutDouble(unsigned char* p, double v) { Put64(p, std::bit_cast<std::uint64_t>(v)); }

// Throws std::out_of_range unless `size` bytes at `offset` lie inside a
// buffer of `buffer_size` bytes.
void CheckField(std::size_t buffer_size, std::size_t offset, std::size_t size);

// Bounds-checked forms over a buffer and an offset into it.
inline std::uint8_t Get8(std::span<const unsigned char> b, std::size_t at) {
  CheckField(b.size(), at, 1);
  return b[at];
}
inline std::uint16_t Get16(std::span<const unsigned char> b, std::size_t at) {
  CheckField(b.size(), at, 2);
  return Get16(b.data() + at);
}
inline std::uint32_t Get32(std::span<const unsigned char> b, std::size_t at) {
  CheckField(b.size(), at, 4);
  return Get32(b.data() + at);
}
inline std::uint64_t Get64(std::span<const unsigned char> b, std::size_t at) {
  CheckField(b.size(), at, 8);
  return Get64(b.data() + at);
}
inline double GetDouble(std::span<const unsigned char> b, std::size_t at) {
  CheckField(b.size(), at, 8);
  return GetDouble(b.data() + at);
}
inline void Put8(std::span<unsigned char> b, std::size_t at, std::uint8_t v) {
  CheckField(b.size(), at, 1);
  b[at] = v;
}
inline void Put16(std::span<unsigned char> b, std::size_t at, std::uint16_t v) {
  CheckField(b.size(), at, 2);
  Put16(b.data() + at, v);
}
inline void Put32(std::span<unsigned char> b, std::size_t at, std::uint32_t v) {
  CheckField(b.size(), at, 4);
  Put32(b.data() + at, v);
}
inline void Put64(std::span<unsigned char> b, std::size_t at, std::uint64_t v) {
  CheckField(b.size(), at, 8);
  Put64(b.data() + at, v);
}
inline void PutDouble(std::span<unsigned char> b, std::size_t at, double v) {
  CheckField(b.size(), at, 8);
  PutDouble(b.data() + at, v);
}

}  // namespace zelvora::le
