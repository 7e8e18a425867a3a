// Small text helpers shared by the window models: trimming, letter case and
// the case-insensitive comparison the lists and dialogs use for names.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// The text without blanks and control characters at either end.
std::string Trimmed(std::string_view text);
// ASCII letters upper-cased; other bytes (UTF-8 sequences) kept.
std::string UpperCased(std::string_view text);
// Equal when ASCII letter case is ignored.
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive like a case-insensitive strcmp.
int CompareText(std::string_view a, std::string_view b);

}  // namespace zelvora
