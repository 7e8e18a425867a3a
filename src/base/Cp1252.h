// The one codec between the UTF-8 strings the program keeps in memory and the
// single-byte Windows-1252 text of every file it reads or writes.
//
// Callers may rely on:
//  - Cp1252ToUtf8 never fails: every byte has a character (the five bytes
//    Windows-1252 leaves undefined map to the C1 controls of the same code).
//  - Utf8ToCp1252 replaces characters the code page cannot hold, and bytes
//    that are not valid UTF-8, by '?'.
//  - Lengths and cuts count characters of the file encoding, so a text that
//    fits "up to N characters" in a file is N characters here too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvora {

std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

// The character with this Windows-1252 code as UTF-8.
std::string Cp1252CharToUtf8(unsigned char byte);

// Number of characters the UTF-8 text has in the file encoding.
std::size_t Cp1252Length(std::string_view utf8);

// The UTF-8 text cut to at most `max_chars` characters (never inside a
// character).
std::string CutToChars(std::string_view utf8, std::size_t max_chars);

}  // namespace zelvora
