#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace klarwell::engine {

// A name is bytes: these helpers look at ASCII only and leave every other byte as it is.

// "0" to "9" and no other digit.
[[nodiscard]] bool IsAsciiDigit(char c);
[[nodiscard]] char AsciiUpper(char c);
[[nodiscard]] char AsciiLower(char c);

// Length of the well-formed UTF-8 sequence that starts `bytes`, or 0 when none does (a stray
// continuation byte, an overlong form, an encoded surrogate, beyond U+10FFFF, cut short).
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view bytes);

enum class HexLetters { Upper, Lower };

// Appends `prefix` and the byte as two hex digits: "\x" and 0x1B give "\x1B".
void AppendHexEscape(std::string& out, std::string_view prefix, unsigned char byte,
                     HexLetters letters = HexLetters::Upper);

// A folder without its trailing separators; the root stays "/".
[[nodiscard]] std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder);

}  // namespace klarwell::engine
