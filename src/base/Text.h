// Text helpers over the program's UTF-8 strings, in the terms of the
// Windows-1252 files they come from.
//
// Callers may rely on:
//  - Trim removes leading and trailing characters of code 32 or below
//    (blanks, line breaks, controls); UTF-8 bytes of other characters are
//    all above 127, so a character is never cut;
//  - UpperCase upper-cases the letters Windows-1252 has in both cases
//    (a-z, the accented Latin-1 letters, š œ ž ÿ) and leaves every other
//    character, and bytes that are not valid UTF-8, as they are; the result
//    has the same length in bytes;
//  - SameText and CompareText compare texts as their UpperCase forms, so
//    "é" and "É" are the same name; CompareText orders by code point.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

std::string_view Trim(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string UpperCase(std::string_view utf8);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareText(std::string_view a, std::string_view b);

}  // namespace zelvora
