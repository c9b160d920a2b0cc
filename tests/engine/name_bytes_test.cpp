#include "engine/name_bytes.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/internal/name_parts.h"

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
        {"Latin-1 e acute alone", "\xe9", 0},
        {"nothing", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(Utf8SequenceLength(row.bytes), row.expected);
    }
}

TEST(AppendHexEscape, TwoDigitsInTheAskedCase) {
    std::string out = "a";
    AppendHexEscape(out, "\\x", 0x0A);
    AppendHexEscape(out, "\\udc", 0xE9, HexLetters::Lower);
    AppendHexEscape(out, "", 0xF0);
    EXPECT_EQ(out, "a\\x0A\\udce9F0");
}

TEST(WithoutTrailingSeparator, RootStays) {
    struct Row {
        const char* why;
        std::string folder;
        std::string expected;
    };
    const Row rows[] = {
        {"one separator", "/music/", "/music"},
        {"several separators", "/music///", "/music"},
        {"none", "/music", "/music"},
        {"the root stays the root", "/", "/"},
        {"a doubled root is the root", "//", "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(WithoutTrailingSeparator(row.folder).native(), row.expected);
    }
}

TEST(FullPath, OneSeparatorAddedEvenAfterTheRoot) {
    EXPECT_EQ(FullPath("/music", "a b.mp3").native(), "/music/a b.mp3");
    EXPECT_EQ(FullPath("/", "a.mp3").native(), "//a.mp3");
}

}  // namespace
}  // namespace klarwell::engine
