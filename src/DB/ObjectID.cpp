#include "DB/ObjectID.h"

#include <charconv>
#include <cstdio>

namespace zelvora {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex8(std::string& out, std::int32_t value) {
  // Two's complement for negative halves.
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 28; shift >= 0; shift -= 4) out.push_back(kHexDigits[(bits >> shift) & 0xF]);
}

std::optional<std::uint32_t> ParseHex8(std::string_view text) {
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::string TObjectID::Text() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d.%d", static_cast<int>(Origin), static_cast<int>(Serial));
  return buf;
}

std::string TObjectID::Key() const {
  std::string key;
  key.reserve(kIDKeyLength);
  AppendHex8(key, Origin);
  AppendHex8(key, Serial);
  return key;
}

std::optional<TObjectID> TObjectID::FromText(std::string_view text) {
  const auto dot = text.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const auto origin = ParseDecimal(text.substr(0, dot));
  const auto serial = ParseDecimal(text.substr(dot + 1));
  if (!origin || !serial) return std::nullopt;
  return TObjectID{*origin, *serial};
}

std::optional<TObjectID> TObjectID::FromKey(std::string_view key) {
  if (key.size() != kIDKeyLength) return std::nullopt;
  const auto origin = ParseHex8(key.substr(0, 8));
  const auto serial = ParseHex8(key.substr(8, 8));
  if (!origin || !serial) return std::nullopt;
  return TObjectID{static_cast<std::int32_t>(*origin), static_cast<std::int32_t>(*serial)};
}

}  // namespace zelvora
