#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/name_list.h"

namespace klarwell::engine {

// The values are the indexes of the window's space option buttons.
enum class SpaceUnderscoreMode {
    SpacesToUnderscores = 0,
    UnderscoresToSpaces = 1,
    RemoveSpacesAndUnderscores = 2,
    KeepSpacesAndUnderscores = 3,
};

struct ReplacementPair {
    bool Enabled = false;
    std::string Keyword;
    std::string With;  // may be empty: the keyword is then deleted

    bool operator==(const ReplacementPair&) const = default;
};

inline constexpr int kReplacementCount = 6;

// Every option the engine reads, taken from the window once when Clean is pressed.
// Texts that hold names are the file system's bytes.
struct CleanSettings {
    bool FolderChosen = false;
    std::filesystem::path FolderPath;
    NameList FileNames;
    bool RemoveLeadingDigits = false;
    bool RemoveTrailingDigits = false;
    bool AddPrefix = false;
    std::string Prefix;  // every "#" stands for the index number
    bool AddSuffix = false;
    std::string Suffix;
    bool DiscardOriginalNames = false;
    std::array<ReplacementPair, kReplacementCount> Replacements{};
    SpaceUnderscoreMode SpaceMode = SpaceUnderscoreMode::SpacesToUnderscores;
    bool IndexNumbering = false;
    int FileCountChars = 1;  // the least number of digits of an index number
    std::int32_t FirstIndex = 1;

    bool operator==(const CleanSettings&) const = default;
};

// The derived values, computed here and nowhere else.
[[nodiscard]] bool PrefixInForce(const CleanSettings& settings);
[[nodiscard]] bool SuffixInForce(const CleanSettings& settings);
[[nodiscard]] bool PairInForce(const ReplacementPair& pair);
[[nodiscard]] std::int32_t FileIndexCountOffset(const CleanSettings& settings);

}  // namespace klarwell::engine
