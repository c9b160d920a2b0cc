#include "engine/numeric_text.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"

namespace klarwell::engine {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
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
        {"the digit count at program start", "1", 1.0},
        {"an empty text is 0", "", 0.0},
        {"a text without a number is 0", "abc", 0.0},
        {"leading blanks are skipped", "   42", 42.0},
        {"reading stops at a letter", "42abc", 42.0},
        {"leading zeros are read as a number", "007", 7.0},
        {"a decimal point continues the number", "12.5", 12.5},
        {"a second point cannot continue it", "12.5.3", 12.5},
        {"no digit grouping", "4,000", 4.0},
        {"beyond 32 bits without wrapping", "99999999999", 99999999999.0},
        {"too large for a double", "1" + std::string(400, '0'), kInfinity},
        {"too small for a double is 0", "0." + std::string(400, '0') + "1", 0.0},
        {"a byte that is not text stops reading",
         "\xff"
         "5",
         0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_DOUBLE_EQ(NumericValue(row.text), row.expected);
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    struct Row {
        const char* why;
        double value;
        double expected;
    };
    const Row rows[] = {
        {"2.5 goes down to 2", 2.5, 2.0},
        {"3.5 goes up to 4", 3.5, 4.0},
        {"negative half to the even neighbour", -2.5, -2.0},
        {"negative half up in size", -1.5, -2.0},
        {"just below a half goes down", 2.4999, 2.0},
        {"just above a half goes up", 2.5001, 3.0},
        {"a large half goes to even", 4194304.5, 4194304.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_DOUBLE_EQ(RoundHalfEven(row.value), row.expected);
    }
}

TEST(RoundToInt32, RoundedValueOrNothing) {
    struct Row {
        const char* why;
        double value;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"a half rounds to even", 2.5, 2},
        {"a negative number", -7.0, -7},
        {"the largest 32-bit value", 2147483647.0, kInt32Max},
        {"just above the largest rounds back into range", 2147483647.4, kInt32Max},
        {"a half above the largest rounds to even, out of range", 2147483647.5, std::nullopt},
        {"the smallest 32-bit value", -2147483648.0, kInt32Min},
        {"a half below the smallest rounds to the even smallest", -2147483648.5, kInt32Min},
        {"one below the smallest", -2147483649.0, std::nullopt},
        {"infinity", kInfinity, std::nullopt},
        {"not a number", kNan, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(RoundToInt32(row.value), row.expected);
    }
}

TEST(DecimalText, PlainDigits) {
    struct Row {
        const char* why;
        std::int64_t value;
        std::string expected;
    };
    const Row rows[] = {
        {"zero", 0, "0"},
        {"no grouping", 1000000, "1000000"},
        {"a minus sign only for a negative number", -4, "-4"},
        {"largest 64-bit value", std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {"the smallest 64-bit value", std::numeric_limits<std::int64_t>::min(),
         "-9223372036854775808"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(DecimalText(row.value), row.expected);
    }
}

TEST(CleanSettingsDerived, PrefixAndSuffixInForce) {
    struct Row {
        const char* why;
        bool ticked;
        std::string text;
        bool expected;
    };
    const Row rows[] = {
        {"unticked and empty", false, "", false},       {"ticked with empty text", true, "", false},
        {"unticked with text", false, "Track#", false}, {"ticked with text", true, "Track#", true},
        {"a single space is text", true, " ", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        CleanSettings prefixOnly;
        prefixOnly.AddPrefix = row.ticked;
        prefixOnly.Prefix = row.text;
        EXPECT_EQ(PrefixInForce(prefixOnly), row.expected);
        EXPECT_FALSE(SuffixInForce(prefixOnly)) << "the prefix does not count for the suffix";

        CleanSettings suffixOnly;
        suffixOnly.AddSuffix = row.ticked;
        suffixOnly.Suffix = row.text;
        EXPECT_EQ(SuffixInForce(suffixOnly), row.expected);
        EXPECT_FALSE(PrefixInForce(suffixOnly)) << "the suffix does not count for the prefix";
    }
}

TEST(CleanSettingsDerived, FileIndexCountOffsetIsFirstIndexMinusOne) {
    struct Row {
        const char* why;
        std::int32_t firstIndex;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"first index 0 gives -1", 0, -1},
        {"a negative first index", -5, -6},
        {"the largest first index", kInt32Max, kInt32Max - 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        CleanSettings settings;
        settings.FirstIndex = row.firstIndex;
        EXPECT_EQ(FileIndexCountOffset(settings), row.expected);
    }
}

TEST(CleanSettingsDerived, ProgramStartValues) {
    const CleanSettings settings;
    EXPECT_FALSE(PrefixInForce(settings));
    EXPECT_FALSE(SuffixInForce(settings));
    EXPECT_EQ(FileIndexCountOffset(settings), 0);
    EXPECT_EQ(settings.FileCountChars, 1);
    EXPECT_EQ(settings.SpaceMode, SpaceUnderscoreMode::SpacesToUnderscores);
    for (const ReplacementPair& pair : settings.Replacements) {
        EXPECT_FALSE(PairInForce(pair));
    }
}

}  // namespace
}  // namespace klarwell::engine
