#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace klarwell::engine {

// The decimal number a text begins with: blanks are skipped, reading stops at the first character
// that cannot continue the number, and a text without a number is 0.
[[nodiscard]] double NumericValue(std::string_view text);

// Nearest whole number, an exact half to the even neighbour (2.5 gives 2, 3.5 gives 4).
[[nodiscard]] double RoundHalfEven(double value);

// The rounded value, or nothing when it does not fit 32 bits (or is not a number).
[[nodiscard]] std::optional<std::int32_t> RoundToInt32(double value);

// Plain decimal text: no grouping, no leading zeros, "-" only for a negative number.
[[nodiscard]] std::string DecimalText(std::int64_t value);

}  // namespace klarwell::engine
