#pragma once
// Windows-1250 (code page 1250), the single-byte encoding of the game's texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace kr::text {

// The Unicode character of a byte; the five bytes the code page leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) give U+FFFD.
char32_t Cp1250ToUnicode(std::uint8_t byte);

std::string Cp1250ToUtf8(std::string_view cp1250);

// Throws kr::Error naming the character (and its byte offset) when the UTF-8
// is malformed or a character has no Windows-1250 byte.
std::string Utf8ToCp1250(std::string_view utf8);

// Upper case in the code page: ASCII and its accented letters.
std::string UpperCaseCp1250(std::string_view cp1250);

}  // namespace kr::text
