#include "engine/clean_settings.h"

#include <limits>

namespace klarwell::engine {

bool PrefixInForce(const CleanSettings& settings) {
    return settings.AddPrefix && !settings.Prefix.empty();
}

bool SuffixInForce(const CleanSettings& settings) {
    return settings.AddSuffix && !settings.Suffix.empty();
}

bool PairInForce(const ReplacementPair& pair) {
    return pair.Enabled && !pair.Keyword.empty();
}

std::int32_t FileIndexCountOffset(const CleanSettings& settings) {
    // The lowest first index has no offset below it: it stays there rather than wrap. The window
    // keeps the first index to digits and the harness refuses that value.
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    return settings.FirstIndex == kLowest ? kLowest : settings.FirstIndex - 1;
}

}  // namespace klarwell::engine
