#include "engine/numeric_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"

namespace klarwell::engine {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

TEST(NumericValue, LeadingDecimalNumber) {
    struct Row {
        const char* why;
        std::string text;
        double expected;
    };
    const Row rows[] = {
        {"a text without a number is 0", "abc", 0.0},
        {"blanks only", "  ", 0.0},
        {"leading blanks are skipped", "   42", 42.0},
        {"blanks inside the number are skipped", "1 2", 12.0},
        {"a tab is no blank: it ends the reading before the digits", "  \t42", 0.0},
        {"a tab ends the number", "4\t2", 4.0},
        {"reading stops at a letter", "42abc", 42.0},
        {"a minus sign", "- 7", -7.0},
        {"a plus sign", "+7", 7.0},
        {"a second point cannot continue it", "12.5.3", 12.5},
        {"no digit grouping", "4,000", 4.0},
        {"an exponent continues the number", "15e2x", 1500.0},
        {"a negative exponent", "25E-1", 2.5},
        {"an exponent without digits is not read", "3e+", 3.0},
        {"an exponent mark that ends the text is not read", "5e", 5.0},
        {"a point alone is no number", ".e5", 0.0},
        {"too large for a double", "1" + std::string(400, '0'), kInfinity},
        {"an exponent too large for a double", "1e400", kInfinity},
        {"too small for a double is 0", "0." + std::string(400, '0') + "1", 0.0},
        {"a byte that is not text stops reading",
         "\xff"
         "5",
         0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        // An exact-size copy without a terminator: the sanitized tests catch a read past the end.
        const std::unique_ptr<char[]> bytes(new char[row.text.size()]);
        std::copy(row.text.begin(), row.text.end(), bytes.get());
        EXPECT_DOUBLE_EQ(NumericValue({bytes.get(), row.text.size()}), row.expected);
    }
}

// Halves go to the even neighbour; a value beyond 32 bits gives nothing.
TEST(RoundToInt32, RoundedValueOrNothing) {
    struct Row {
        const char* why;
        double value;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"2.5 goes down to 2", 2.5, 2},
        {"3.5 goes up to 4", 3.5, 4},
        {"a negative half goes to the even neighbour", -1.5, -2},
        {"just below a half goes down", 2.4999, 2},
        {"just above a half goes up", 2.5001, 3},
        {"just above the largest rounds back into range", 2147483647.4, kInt32Max},
        {"a half above the largest rounds to even, out of range", 2147483647.5, std::nullopt},
        {"a half below the smallest rounds to the even smallest", -2147483648.5, kInt32Min},
        {"one below the smallest", -2147483649.0, std::nullopt},
        {"infinity", kInfinity, std::nullopt},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(RoundToInt32(row.value), row.expected);
    }
}

TEST(FileIndexCountOffset, FirstIndexMinusOneWithoutWrapping) {
    // First index, offset: the lowest first index has no offset below it and stays.
    const std::pair<std::int32_t, std::int32_t> rows[] = {
        {0, -1}, {kInt32Max, 2147483646}, {kInt32Min, kInt32Min}};
    for (const auto& [first, offset] : rows) {
        CleanSettings settings;
        settings.FirstIndex = first;
        EXPECT_EQ(FileIndexCountOffset(settings), offset);
    }
}

}  // namespace
}  // namespace klarwell::engine
