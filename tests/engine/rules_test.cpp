#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/batch_run.h"
#include "engine/clean_settings.h"
#include "engine/cleanup_log.h"
#include "engine/file_list.h"
#include "engine/name_bytes.h"
#include "engine/name_rules.h"
#include "engine/numeric_text.h"
#include "engine/posix_file_system.h"
#include "engine/run_state.h"
#include "engine/taken_entries.h"
#include "engine/task_confirmation.h"
#include "tests/engine/engine_fixture.h"

// The rules that compute a name, a number or a text, each on its own.
namespace klarwell::engine {
namespace {

using namespace testing;

TEST(IsAudioFileName, ExtensionOfTheTrimmedName) {
    struct Row {
        const char* why;
        std::string name;
        bool expected;
    };
    const Row rows[] = {
        {"mixed-case .mP2", "song.mP2", true},
        {"the engine accepts .TMC", "TAKE.TMC", true},
        {"upper-case .WAV and .KRT", "A.WAV.KRT", true},
        {"exactly four characters", ".mp3", true},
        {"leading and trailing spaces are trimmed", "  song.wav  ", true},
        {".flac is not audio here", "song.flac", false},
        {"a tab is not trimmed", "song.mp3\t", false},
        {"too short once trimmed", " mp3 ", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(IsAudioFileName(row.name), row.expected);
    }
}

TEST(NeedsCleaning, EachConditionOnItsOwn) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        bool expected;
    };
    const Row rows[] = {
        {"a plain name with nothing in force", "Song-(1)!.mp3", Options(), false},
        {"an underscore even when kept", "My_Song.mp3", Options().Mode(kKeep), true},
        {"an ampersand alone", "R&B.mp3", Options(), true},
        {"a trailing space of the listed name counts", "Song.mp3 ", Options(), true},
        {"the space mode alone hands nothing on", "Song.mp3", Options().Mode(kToSpaces), false},
        {"discard mode alone hands nothing on", "Song.mp3", Options().Discard(), false},
        {"a leading digit with the option", "1Song.mp3", Options().Leading(), true},
        {"a leading digit without the option", "01Song.mp3", Options(), false},
        {"a digit not at the start", "Song1.mp3", Options().Leading(), false},
        {"a trailing digit of the base", "Song1.mp3", Options().Trailing(), true},
        {"the 3 of .mp3 is no trailing digit", "Song.mp3", Options().Trailing(), false},
        {"an empty base has no trailing digit", ".mp3", Options().Trailing(), false},
        {"a prefix in force", "Song.mp3", Options().Prefix("Track"), true},
        {"a ticked prefix with empty text", "Song.mp3", Options().Prefix(""), false},
        {"a suffix in force", "Song.mp3", Options().Suffix("-x"), true},
        {"a ticked suffix with empty text", "Song.mp3", Options().Suffix(""), false},
        {"a keyword only in the extension", "song.mp3", Options().Pair(0, "mp3", "wav"), true},
        {"a keyword that does not occur", "Song.mp3", Options().Pair(0, "song", "Pop"), false},
        {"an enabled pair with an empty keyword", "Song.mp3", Options().Pair(0, "", "x"), false},
        {"a disabled pair", "Song.mp3", Options().Pair(0, "Song", "x", false), false},
        {"pair 5 occurs, an earlier one does not", "Song.mp3",
         Options().Pair(0, "Rock", "x").Pair(5, "So", "x"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NeedsCleaning(row.listed, row.settings), row.expected);
    }
}

TEST(ProgressValue, ShareOfTheListHalvesToEven) {
    struct Row {
        const char* why;
        int position;
        int count;
        int expected;
    };
    const Row rows[] = {
        {"four entries: 33.3 goes down", 1, 4, 33},
        {"four entries: 66.7 goes up", 2, 4, 67},
        {"nine entries: 12.5 goes down to 12", 1, 9, 12},
        {"nine entries: 37.5 goes up to 38", 3, 9, 38},
        {"a single entry shows 0", 0, 1, 0},
        {"a position times 100 beyond 32 bits: the last", 29999999, 30000000, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(ProgressValue(row.position, row.count), row.expected);
    }
}

// Every row takes index number 1 (width 1, first index 1, none handed out yet).
TEST(ComputeNewName, RulesInTheirOrder) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        std::string newFilename;
        std::string extension = ".mp3";
    };
    const Row rows[] = {
        {"the extension keeps its letter case", "Song.Mp3", Options(), "Song", ".Mp3"},
        {"trailing space: extension trimmed, base cut as listed", "song.mp3 ", Options(), "song."},
        {"only the space is trimmed, a tab stays", "\tSong.krt", Options(), "\tSong", ".krt"},
        {"leading digits, then trim", "01 - Intro.mp3", Options().Leading(), "-_Intro"},
        {"a name of digits only becomes empty", "1999.mp3", Options().Leading(), ""},
        {"leading run found after trim", "  5 Song.mp3", Options().Leading().Mode(kKeep), "Song"},
        {"a full-width digit stays", "\xef\xbc\x91Song.mp3", Options().Leading(),
         "\xef\xbc\x91Song"},
        {"trailing run and bared space go", "Track 12.wav", Options().Trailing(), "Track", ".wav"},
        {"only the last run goes", "Song 01 02.mp3", Options().Trailing().Mode(kKeep), "Song 01"},
        {"no option: digits stay", "1 Take5.mp3", Options().Mode(kKeep), "1 Take5"},
        {"digits go before prefix and suffix arrive", "5.mp3",
         Options().Leading().Trailing().Prefix("#").Suffix("#"), "11"},
        {"mode 0 keeps end underscores", "_A_B C_.mp3", Options(), "_A_B_C_"},
        {"mode 1, then trim", "_A_B C_.mp3", Options().Mode(kToSpaces), "A B C"},
        {"mode 2 removes spaces and underscores", "A_B C.mp3", Options().Mode(kRemoveBoth), "ABC"},
        {"mode 3 keeps spaces and underscores", "A_B C.mp3", Options().Mode(kKeep), "A_B C"},
        {"a pair's end space is trimmed", "Song-live.mp3", Options().Pair(0, "-live", " "), "Song"},
        {"left to right, without overlap", "aaa.mp3", Options().Pair(0, "aa", "b"), "ba"},
        {"a pair skips its own insertion", "banana.mp3", Options().Pair(0, "a", "aa"), "baanaanaa"},
        {"an earlier pair does not see what a later pair inserts", "cat and dog.mp3",
         Options().Pair(0, "dog", "wolf").Pair(1, "cat", "dog").Mode(kKeep), "dog and wolf"},
        {"pairs chain in index order up to pair 5", "a.mp3",
         Options().Pair(0, "a", "b").Pair(3, "b", "c").Pair(5, "c", "d"), "d"},
        {"a pair out of force does not stop the later pairs", "Song.mp3",
         Options().Pair(0, "", "X").Pair(1, "Song", "X", false).Pair(2, "Song", "Tune"), "Tune"},
        {"keywords never touch the extension", "song.mp3", Options().Pair(0, "mp3", "wav"), "song"},
        {"replacements see prefix and suffix", "Song.mp3",
         Options().Prefix("The ").Suffix(" live").Pair(0, "e", "E").Mode(kKeep), "ThE Song livE"},
        {"replaced before removed", "Don't Stop.mp3", Options().Pair(0, "Don't", "Do not"),
         "Do_not_Stop"},
        {"a listed # is no index", "No #1 Hit.mp3", Options().Prefix("#-"), "1-No_1_Hit"},
        {"the prefix is cleaned", "Intro.mp3", Options().Prefix("My Song "), "My_Song_Intro"},
        {"every # of the prefix gets the index", "Song.mp3", Options().Prefix("#-#-"), "1-1-Song"},
        {"characters go after the trim", "It's @Home $5 100% ^~.mp3", Options(), "Its_Home_5_100_"},
        {"& becomes and after trimming", "Rock & Roll.mp3", Options(), "Rock_and_Roll"},
        {"other punctuation stays", "Hey!(Live)[2]-+=,;.mp3", Options(), "Hey!(Live)[2]-+=,;"},
        {"discard, no prefix or suffix: empty", "Old Name.WAV", Options().Discard(), "", ".WAV"},
        {"discard joins prefix and suffix and cleans nothing", "12 Old_x.mp3",
         Options().Discard().Leading().Prefix(" A&B's @#~").Suffix("_#").Pair(0, "A", "Z"),
         " A&B's @1~_1"},
        {"non-UTF-8 bytes cleaned byte by byte", "\xff\xfe song.mp3", Options(), "\xff\xfe_song"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state;
        state.FileCountChars = 1;
        const NewName result = ComputeNewName(row.listed, row.settings, state);
        EXPECT_EQ(result.NewFilename, row.newFilename);
        EXPECT_EQ(result.FileExtension, row.extension);
        EXPECT_EQ(state.CurFileCount, 1) << "each name takes exactly one index number";
    }
}

TEST(NextIndexString, PaddedNumberAndCount) {
    struct Row {
        const char* why;
        int width;
        std::int32_t offset;
        std::int32_t handedOut;
        std::string expected;
    };
    const Row rows[] = {
        {"width 3 pads with zeros", 3, 0, 0, "001"},
        {"a two-digit number with width 1 is not cut", 1, 11, 0, "12"},
        {"the count before the call adds to the offset", 4, 9, 5, "0015"},
        {"a negative width pads nothing", -1, 0, 0, "1"},
        {"zeros go in front of the minus sign", 3, -5, 0, "0-4"},
        {"the top of the 32-bit range does not wrap", 1, 2147483646, 1, "2147483648"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state;
        state.FileCountChars = row.width;
        state.FileIndexCountOffset = row.offset;
        state.CurFileCount = row.handedOut;
        EXPECT_EQ(NextIndexString(state), row.expected);
        EXPECT_EQ(state.CurFileCount, row.handedOut + 1);
    }
}

// The text of a run that keeps the names: the opening, the given middle, the question.
std::string Keep(std::string_view middle) {
    return std::string(kKeepOpening) + std::string(middle) + std::string(kQuestion);
}
std::string Adds(std::string_view what) {
    return Keep(".\r\n\r\nAdditionally, you have chosen to " + std::string(what) +
                " to your file names.");
}
std::string Replaces(std::string_view what) {
    return Keep(".\r\n\r\nYou have also optionally chosen to replace the " + std::string(what) +
                ".");
}
std::string Structure(std::string_view structure) {
    return std::string(kDiscardOpening) + std::string(structure) + std::string(kQuestion);
}

TEST(TaskConfirmationText, ClausesAndSentencesInTheirPlace) {
    struct Row {
        const char* why;
        CleanSettings settings;
        std::string expected;
    };
    const Row rows[] = {
        {"mode 0 alone", Options(), Keep(", as well as replace spaces with underscores.")},
        {"mode 1 alone", Options().Mode(kToSpaces),
         Keep(", as well as replace underscores with spaces.")},
        {"mode 2 alone", Options().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores.")},
        {"mode 3 alone: a full stop", Options().Mode(kKeep), Keep(".")},
        {"leading digits, mode 0: two blanks each side", Options().Leading(),
         Keep(", as well as replace spaces with underscores and remove all  leading  digits from "
              "your filenames.")},
        {"trailing digits, mode 1", Options().Trailing().Mode(kToSpaces),
         Keep(", as well as replace underscores with spaces and remove all  trailing  digits from "
              "your filenames.")},
        {"both digit options, mode 2", Options().Leading().Trailing().Mode(kRemoveBoth),
         Keep(", as well as remove spaces and underscores and remove all  leading and trailing  "
              "digits from your filenames.")},
        {"trailing digits, mode 3: single blanks", Options().Trailing().Mode(kKeep),
         Keep(", and remove all trailing digits from your filenames.")},
        {"each # as the digit count's zeros", Options().Mode(kKeep).Prefix("#x#").Width(2),
         Adds("prepend \"00x00\"")},
        {"suffix alone", Options().Mode(kKeep).Suffix(" (live)"), Adds("append \" (live)\"")},
        {"a count below 1: # as nothing", Options().Mode(kKeep).Prefix("#-").Width(-2),
         Adds("prepend \"-\"")},
        {"prefix and suffix in one sentence", Options().Mode(kKeep).Prefix("#").Suffix("-#"),
         Adds("prepend \"0\" and append \"-0\"")},
        {"one pair: singular, no separator", Options().Mode(kKeep).Pair(3, "Live", "Studio"),
         Replaces("keyword \"Live\" with \"Studio\"")},
        {"pairs 1 and 4: , and", Options().Mode(kKeep).Pair(1, "a", "b").Pair(4, "c", "d"),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"pairs 0, 2, 5: a comma, then , and; an empty keyword listed",
         Options().Mode(kKeep).Pair(0, "", "w0").Pair(2, "k2", "w2").Pair(5, "k5", "w5"),
         Replaces("keywords \"\" with \"w0\", \"k2\" with \"w2\", and \"k5\" with \"w5\"")},
        {"an unticked later pair is not the last",
         Options().Mode(kKeep).Pair(0, "a", "b").Pair(1, "c", "d").Pair(5, "e", "f", false),
         Replaces("keywords \"a\" with \"b\", and \"c\" with \"d\"")},
        {"every sentence in its place",
         Options().Leading().Prefix("#-").Suffix("_#").Width(2).Pair(0, "feat.", "ft"),
         Keep(", as well as replace spaces with underscores and remove all  leading  digits from "
              "your filenames.\r\n\r\nAdditionally, you have chosen to prepend \"00-\" and append "
              "\"_00\" to your file names.\r\n\r\nYou have also optionally chosen to replace the "
              "keyword \"feat.\" with \"ft\".")},
        {"discard alone: the question after the line break", Options().Discard(), Structure("")},
        {"discard: prefix and suffix in one pair of quotes, nothing else",
         Options().Discard().Leading().Pair(0, "a", "b").Prefix("Song #").Suffix(" (live)"),
         Structure("\"Song 0 (live)\".")},
        {"discard with a suffix alone", Options().Discard().Prefix("").Suffix("_#"),
         Structure("\"_0\".")},
        {"discard with a prefix alone", Options().Discard().Prefix("Track #"),
         Structure("\"Track 0\".")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(TaskConfirmationText(row.settings), row.expected);
    }
}

TEST(LogLine, FieldsBackToBack) {
    struct Row {
        const char* why;
        std::string folder;
        std::string listed;
        std::string target;
        std::string expected;
    };
    const Row rows[] = {
        {"fields back to back", "/m", "01 Intro.mp3", "01_Intro.mp3",
         LogLineText("/m/01 Intro.mp3", "/m/01_Intro.mp3")},
        {"root folder keeps its slash", "/", "a b.mp3", "a_b.mp3",
         LogLineText("//a b.mp3", "//a_b.mp3")},
        {"control bytes and delete as hex: a line break starts no forged line", "/m",
         "a\r\nRe-named x\t\x1b\x7f.mp3", "a.mp3",
         LogLineText("/m/a\\x0D\\x0ARe-named x\\x09\\x1B\\x7F.mp3", "/m/a.mp3")},
        {"bytes that are not UTF-8 stay", "/m", "caf\xe9.mp3", "cafe.mp3",
         LogLineText("/m/caf\xe9.mp3", "/m/cafe.mp3")},
        {"a backslash is escaped", "/m\\d", "a\\x0A.mp3", "a.mp3",
         LogLineText("/m\\x5Cd/a\\x5Cx0A.mp3", "/m\\x5Cd/a.mp3")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(LogLine(row.folder, row.listed, row.target), row.expected);
    }
}

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
        {"the first of three bytes U+0800", "\xe0\xa0\x80", 3},
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
        {"blanks to the end", "  ", 0.0},
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
        const std::vector<char> bytes(row.text.begin(), row.text.end());
        EXPECT_DOUBLE_EQ(NumericValue({bytes.data(), bytes.size()}), row.expected);
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
        {".MP2", "D.MP2", true},
        {"the list does not show .TMC", "TAKE.TMC", false},
        {"an audio extension in the middle", "song.mp3.bak", false},
        {"one letter long", "song.mp33", false},
        {"shorter than an extension", "mp3", false},
        {"an extension alone", ".mp3", true},
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

// A run's marks and table are its own: the next run's list is looked up afresh. Names are bytes,
// found as such beside an empty one.
TEST(TakenEntries, MarksEveryEntryOfTheNameAndForgetsThemAtAReset) {
    const NameList first = {"a.mp3", "", "a.mp3", "b\xE9.mp3"}, second = {"c", "b.mp3"};
    TakenEntries taken;
    taken.Reset(first);
    taken.Take("a.mp3");
    taken.Take("b\xE9.mp3");
    EXPECT_TRUE(taken.IsTaken(0) && !taken.IsTaken(1) && taken.IsTaken(2) && taken.IsTaken(3) &&
                !taken.IsTaken(4));
    taken.Reset(second);
    taken.Take("b.mp3");
    EXPECT_TRUE(!taken.IsTaken(0) && taken.IsTaken(1));
}

TEST(ListAudioFiles, FilesOfTheListPatternInNaturalOrder) {
    TempFolder folder;
    // A link counts as what it leads to; one to nothing is a file.
    folder.Create({"Track 10.mp3: ", "Track 2.MP3: ", "notes.txt: ", "take.tmc: ", "b.krt: ",
                   "Folder.mp3/", "a1.wav: ", "A01.wav: ", "z.mp2 -> Folder.mp3",
                   "gone.mp3 -> nowhere", "Track 02.mp3: ", "c.mp3 -> b.krt"});
    const PosixFileSystem fs{};
    const FolderListing listing = ListAudioFiles(fs, folder.Path());
    EXPECT_FALSE(listing.Error) << listing.Error.message();
    EXPECT_EQ(listing.Names, (NameList{"A01.wav", "a1.wav", "b.krt", "c.mp3", "gone.mp3",
                                       "Track 02.mp3", "Track 2.MP3", "Track 10.mp3"}));

    // Listed in this order, the sort meets "B" after "a", whose key is one below its own.
    struct Listed : PosixFileSystem {
        FolderListing ListFiles(const std::filesystem::path&) const override {
            return {NameList{"a.mp3", "B.mp3"}, {}};
        }
    };
    EXPECT_EQ(ListAudioFiles(Listed{}, "/").Names, (NameList{"a.mp3", "B.mp3"}));

    const FolderListing missing = ListAudioFiles(fs, folder.Path() / "gone");
    EXPECT_TRUE(missing.Error) << "a folder that is not there is reported";
    EXPECT_EQ(missing.Names, NameList{});
}

}  // namespace
}  // namespace klarwell::engine
