#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>

namespace klarwell::engine {

// The extension is the last four characters of the trimmed name: a dot and three letters.
inline constexpr std::size_t kExtensionLength = 4;

// The extensions the engine cleans; the file list shows the first kListedExtensionCount of them.
inline constexpr std::array<std::string_view, 5> kAudioExtensions = {".WAV", ".MP3", ".KRT", ".MP2",
                                                                     ".TMC"};
inline constexpr std::size_t kListedExtensionCount = 4;

// The window keeps the digit count in 16 bits; a wider count could only exhaust memory.
inline constexpr int kWidestIndex = 32767;

// Whether `extension` is one of `known` (written in upper case), ASCII letter case ignored.
[[nodiscard]] bool IsExtensionIn(std::string_view extension,
                                 std::span<const std::string_view> known);

// The folder and name joined by "/" even when the folder already ends with one; the system treats
// the doubled separator of a root folder as one.
[[nodiscard]] std::filesystem::path FullPath(const std::filesystem::path& folder,
                                             std::string_view name);

// How many zeros a digit count pads to: none for a count below 1, at most kWidestIndex.
[[nodiscard]] std::size_t PaddingWidth(int digitCount);

}  // namespace klarwell::engine
