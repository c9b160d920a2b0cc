#pragma once

#include <filesystem>
#include <string_view>

#include "engine/file_system.h"

namespace klarwell::engine {

inline constexpr std::string_view kListPattern = "*.mp3;*.krt;*.wav;*.mp2";

// Whether the file list shows the name: one of the pattern's extensions, letter case ignored.
[[nodiscard]] bool MatchesListPattern(std::string_view name);

// Order as a file manager shows names: runs of digits compare by value ("Track 2" before
// "Track 10"), letters without regard to case; ties fall back to the bytes.
[[nodiscard]] bool NaturalLess(std::string_view a, std::string_view b);

// The folder's files that match the pattern, in natural order.
[[nodiscard]] FolderListing ListAudioFiles(const FileSystem& fs,
                                           const std::filesystem::path& folder);

}  // namespace klarwell::engine
