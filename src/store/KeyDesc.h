// The description of one key of a fileblock.
#pragma once

namespace zelvora {

struct TKeyDesc {
  int MaxLength = 16;       // characters of the file encoding, 1 to kMaxKeyLength
  bool Duplicates = false;  // whether equal key texts may be added

  friend bool operator==(const TKeyDesc&, const TKeyDesc&) = default;
};

inline constexpr int kMaxKeyLength = 240;
inline constexpr int kMaxKeys = 24;

}  // namespace zelvora
