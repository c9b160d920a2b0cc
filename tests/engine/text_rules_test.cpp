#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/file_list.h"
#include "engine/name_bytes.h"
#include "engine/numeric_text.h"
#include "engine/posix_file_system.h"
#include "tests/support/temp_folder.h"

namespace klarwell::engine {
namespace {

TEST(AsciiCase, LettersOnly) {
    std::string upper;
    std::string lower;
    for (const char c : std::string_view("`az{@AZ[\xe9")) {
        upper += AsciiUpper(c);
        lower += AsciiLower(c);
    }
    EXPECT_EQ(upper, "`AZ{@AZ[\xe9");
    EXPECT_EQ(lower, "`az{@az[\xe9");
}

TEST(Utf8SequenceLength, WellFormedSequencesOnly) {
    struct Row {
        const char* why;
        std::string_view bytes;
        std::size_t expected;
    };
    const Row rows[] = {
        {"ASCII", "a", 1},
        {"two bytes: e acute", "\xc3\xa9x", 2},
        {"three bytes: the euro sign", "\xe2\x82\xac", 3},
        {"four bytes: U+1F600", "\xf0\x9f\x98\x80", 4},
        {"the largest code point U+10FFFF", "\xf4\x8f\xbf\xbf", 4},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", 0},
        {"a stray continuation byte", "\x80", 0},
        {"an overlong two-byte form", "\xc1\xbf", 0},
        {"an overlong three-byte form", "\xe0\x9f\xbf", 0},
        {"an overlong four-byte form", "\xf0\x8f\xbf\xbf", 0},
        {"an encoded surrogate", "\xed\xa0\x80", 0},
        {"the last code point before the surrogates", "\xed\x9f\xbf", 3},
        {"a third byte just above the continuation range", "\xe2\x82\xc0", 0},
        {"cut short", "\xe2\x82", 0},
        {"nothing", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(Utf8SequenceLength(row.bytes), row.expected);
    }
}

TEST(WithoutTrailingSeparator, RootStays) {
    struct Row {
        const char* why;
        std::string folder;
        std::string expected;
    };
    const Row rows[] = {
        {"several separators", "/music///", "/music"},
        {"the root stays the root", "/", "/"},
        {"a doubled root is the root", "//", "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(WithoutTrailingSeparator(row.folder).native(), row.expected);
    }
}

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
        {"leading blanks are skipped", "   42", 42.0},
        {"blanks inside the number are skipped", "1 2", 12.0},
        {"a tab is no blank: it ends the reading", "  \t42", 0.0},
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
        {"a byte that is not text stops reading", "\3775", 0.0},
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

TEST(MatchesListPattern, FourExtensionsAnyCase) {
    struct Row {
        const char* why;
        std::string_view name;
        bool expected;
    };
    const Row rows[] = {
        {".Mp3", "a.Mp3", true},
        {".krt", "b.krt", true},
        {".Wav", "C.Wav", true},
        {".MP2", "D.MP2", true},
        {"the list does not show .TMC", "TAKE.TMC", false},
        {"an audio extension in the middle", "song.mp3.bak", false},
        {"one letter long", "song.mp33", false},
        {"shorter than an extension", "mp3", false},
        // A view that ends before its text does: the bytes after it are not part of the name.
        {"a view cut before its extension", std::string_view("song.mp3").substr(0, 7), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(MatchesListPattern(row.name), row.expected);
    }
}

TEST(NaturalLess, NumbersByValueLettersWithoutCase) {
    struct Row {
        const char* why;
        std::string_view a;
        std::string_view b;
        bool aBeforeB;
        bool bBeforeA;
    };
    const Row rows[] = {
        {"Track 2 before Track 10", "Track 2", "Track 10", true, false},
        {"a later number run decides", "a2b10", "a2b9", false, true},
        {"letter case is ignored", "apple", "Banana", true, false},
        {"a name is not before itself", "a", "a", false, false},
        {"names equal but for case fall back to the bytes", "Song", "song", true, false},
        {"leading zeros do not change the value", "Track 007", "Track 10", true, false},
        {"a larger value with leading zeros comes later", "Track 02", "Track 1", false, true},
        {"equal values fall back to the bytes", "Track 01", "Track 1", true, false},
        {"digits come before letters", "9", "a", true, false},
        {"a shorter name that begins the other comes first", "Track", "Track 1", true, false},
        {"2^64 does not wrap to 0", "x18446744073709551616", "x18446744073709551615", false, true},
        {"bytes that are not UTF-8 compare as unsigned bytes", "a", "\xff", true, false},
        {"a view's number ends with the view", std::string_view("Track 19").substr(0, 7), "Track 2",
         true, false},
        {"a view ends the name: the shorter comes first", std::string_view("Songs").substr(0, 4),
         "Song!", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NaturalLess(row.a, row.b), row.aBeforeB);
        EXPECT_EQ(NaturalLess(row.b, row.a), row.bBeforeA);
    }
}

TEST(ListAudioFiles, FilesOfTheListPatternInNaturalOrder) {
    testing::TempFolder folder;
    folder.Create(
        {"Track 10.mp3: ", "Track 2.MP3: ", "notes.txt: ", "take.tmc: ", "b.krt: ", "Folder.mp3/"});
    const PosixFileSystem fs{};
    const FolderListing listing = ListAudioFiles(fs, folder.Path());
    EXPECT_FALSE(listing.Error) << listing.Error.message();
    EXPECT_EQ(listing.Names, (std::vector<std::string>{"b.krt", "Track 2.MP3", "Track 10.mp3"}));

    const FolderListing missing = ListAudioFiles(fs, folder.Path() / "gone");
    EXPECT_TRUE(missing.Error) << "a folder that is not there is reported";
    EXPECT_TRUE(missing.Names.empty());
}

}  // namespace
}  // namespace klarwell::engine
