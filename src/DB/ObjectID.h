// The identity of every survey object: two 32-bit signed halves, Origin (the
// installation or built-in source that made the object) and Serial.
//
// Callers may rely on:
//  - two IDs are equal only when both halves are equal ((5,7) != (7,5));
//  - Text() is "Origin.Serial" in decimal ("12.40", "-1.3");
//  - Key() is 16 uppercase hexadecimal digits, eight of Origin then eight of
//    Serial, negative halves in two's complement ((2,1) gives
//    "0000000200000001"); keys of IDs sort like the database's key index;
//  - FromText and FromKey accept exactly what Text and Key write and nothing
//    else (no blanks, no signs on keys, no overflow).
// This is the one place where the text and key forms are made.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

struct TObjectID {
  std::int32_t Origin = 0;
  std::int32_t Serial = 0;

  friend bool operator==(const TObjectID&, const TObjectID&) = default;

  bool IsNull() const { return Origin == 0 && Serial == 0; }
  std::string Text() const;
  std::string Key() const;

  static std::optional<TObjectID> FromText(std::string_view text);
  static std::optional<TObjectID> FromKey(std::string_view key);
};

// Length of the key form.
inline constexpr std::size_t kIDKeyLength = 16;
// Origins 0 to this value belong to built-in objects; the ID source never
// hands them out.
inline constexpr std::int32_t kLastBuiltInOrigin = 10;

}  // namespace zelvora
