#include "engine/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/name_bytes.h"

namespace klarwell::engine {

namespace {

// Skips the blanks the reader ignores anywhere inside a number. A blank is the space only: a tab
// cannot continue a number, so it ends the reading.
std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    return at;
}

// The power of ten of the first significant digit plus one: positive for a number of 1 or more.
long long DecimalExponent(std::string_view number) {
    const std::size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::from_chars(number.data() + e + 1 + (number[e + 1] == '+' ? 1 : 0),
                        number.data() + number.size(), exponent);
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return std::numeric_limits<long long>::min();
    }
    const long long position = first < point ? static_cast<long long>(point - first)
                                             : -static_cast<long long>(first - point - 1);
    return position + exponent;
}

}  // namespace

double NumericValue(std::string_view text) {
    std::size_t at = SkipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        at = SkipBlanks(text, at + 1);
    }
    std::string digits;  // the number without its blanks and sign
    bool any = false;
    bool point = false;
    while (at < text.size()) {
        const char c = text[at];
        if (IsAsciiDigit(c)) {
            digits += c;
            any = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else if (c != ' ') {
            break;
        }
        ++at;
    }
    if (!any) {
        return 0.0;
    }
    // An exponent continues the number only when digits follow it.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        std::string exponent = "e";
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) {
            exponent += text[e++];
        }
        const std::size_t firstDigit = exponent.size();
        while (e < text.size() && IsAsciiDigit(text[e])) {
            exponent += text[e++];
        }
        if (exponent.size() > firstDigit) {
            digits += exponent;
        }
    }
    // from_chars, unlike strtod, ignores the locale the window sets.
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    static_cast<void>(end);
    if (ec == std::errc::result_out_of_range) {
        value = DecimalExponent(digits) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) {
        return floor;
    }
    if (diff > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::string DecimalText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace klarwell::engine
