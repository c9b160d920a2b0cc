#pragma once

#include <cstdint>
#include <string>

#include "progressbar/pixel_surface.h"

namespace klarwell::progressbar::internal {

// The background of the dark style.
constexpr std::int32_t kBlack = 0x000000;

// A pixel as a stored colour value (0x00BBGGRR, bit 31 clear).
constexpr std::int32_t AsColor(Pixel pixel) {
    return static_cast<std::int32_t>(pixel);
}
// The nearest 32-bit value: coordinates computed in 64 bits go back to the surface's range.
std::int32_t ClampToInt32(std::int64_t value);
// The colour of a stored colour value: bit 31 set names a system colour, else the low three bytes
// are the colour itself.
Pixel TranslateColor(std::int32_t color);
// Each channel k becomes k * (255 - amount) / 255 + amount, truncated and capped at 255.
Pixel LightenColor(std::int32_t color, int amount);
// amount 255 gives c1, 0 gives c2; both are translated first.
Pixel BlendColors(std::int32_t c1, std::int32_t c2, int amount);
// Nearest whole number, an exact half to the even neighbour; clamped to the 32-bit range.
std::int32_t RoundToInt(double value);
// value * max / 100 in general decimal form with a full stop; exact for every 32-bit pair.
std::string PercentNumber(std::int32_t value, std::int32_t max);

}  // namespace klarwell::progressbar::internal
