#include "progressbar/internal/bar_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace klarwell::progressbar::internal {

namespace {

constexpr std::uint32_t kSystemColorBit = 0x80000000U;

}  // namespace

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

Pixel TranslateColor(std::int32_t color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if ((bits & kSystemColorBit) != 0) {
        const auto index = bits & ~kSystemColorBit;
        return index > 0xFFFFU ? Rgb(0, 0, 0) : GetSysColor(static_cast<int>(index));
    }
    return bits & 0x00FFFFFFU;
}

Pixel LightenColor(std::int32_t color, int amount) {
    const auto rgb = static_cast<Pixel>(color);
    const auto lighten = [amount](int k) {
        return std::min(k * (255 - amount) / 255 + amount, 255);
    };
    return Rgb(lighten(Red(rgb)), lighten(Green(rgb)), lighten(Blue(rgb)));
}

Pixel BlendColors(std::int32_t c1, std::int32_t c2, int amount) {
    const Pixel first = TranslateColor(c1);
    const Pixel second = TranslateColor(c2);
    const auto blend = [amount](int k1, int k2) {
        return RoundToInt(static_cast<double>(255 - amount) * k2 / 255.0 +
                          static_cast<double>(k1) * amount / 255.0);
    };
    return Rgb(blend(Red(first), Red(second)), blend(Green(first), Green(second)),
               blend(Blue(first), Blue(second)));
}

std::int32_t RoundToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::nearbyint(std::clamp(value, kLow, kHigh)));
}

std::string PercentNumber(std::int32_t value, std::int32_t max) {
    // The product is hundredths of the number: exact in 64 bits for every pair of values.
    const std::int64_t hundredths = std::int64_t{value} * std::int64_t{max};
    const std::uint64_t magnitude = hundredths < 0 ? 0U - static_cast<std::uint64_t>(hundredths)
                                                   : static_cast<std::uint64_t>(hundredths);
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(magnitude / 100U);
    const std::uint64_t fraction = magnitude % 100U;
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10U);
        if (fraction % 10U != 0) {
            text += static_cast<char>('0' + fraction % 10U);
        }
    }
    return text;
}

}  // namespace klarwell::progressbar::internal
