#include "engine/name_rules.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/run_state.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using testing::kKeep;
using testing::kRemoveBoth;
using testing::kToSpaces;
using testing::kToUnderscores;
using testing::Options;

RunState Numbering(int width, std::int32_t offset, std::int32_t handedOut) {
    RunState state;
    state.FileCountChars = width;
    state.FileIndexCountOffset = offset;
    state.CurFileCount = handedOut;
    return state;
}

// Every row takes index number 1 (width 1, first index 1, none handed out yet).
TEST(ComputeNewName, RulesInTheirOrder) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        std::string newFilename;
        std::string extension = ".mp3";  // left out in most rows
    };
    const Row rows[] = {
        // Extension and base name.
        {"the extension keeps its letter case", "Song.Mp3", Options(), "Song", ".Mp3"},
        {"trailing space: extension trimmed, base cut as listed", "song.mp3 ", Options(), "song."},
        {"two trailing spaces: base loses the last 4 bytes", "song.mp3  ", Options(), "song.m"},
        {"only the space is trimmed, a tab stays", "\tSong.krt", Options(), "\tSong", ".krt"},
        {"a name that is only the extension gives an empty base", ".mp2", Options(), "", ".mp2"},

        // Leading digits.
        {"digits, then trim, then underscores", "01 - Intro.mp3", Options().Leading(), "-_Intro"},
        {"a name of digits only becomes empty", "1999.mp3", Options().Leading(), ""},
        {"leading run ends at space", "12 34 Song.mp3", Options().Leading().Mode(kKeep), "34 Song"},
        {"leading run found after trim", "  5 Song.mp3", Options().Leading().Mode(kKeep), "Song"},
        {"a full-width digit is not a digit", "\xef\xbc\x91Song.mp3",
         Options().Leading().Mode(kKeep), "\xef\xbc\x91Song"},
        {"no option: leading digits stay", "01 Intro.mp3", Options().Mode(kKeep), "01 Intro"},

        // Trailing digits.
        {"trailing run and bared space go", "Track 12.wav", Options().Trailing(), "Track", ".wav"},
        {"only the last run goes", "Song 01 02.mp3", Options().Trailing().Mode(kKeep), "Song 01"},
        {"3 of .mp3 is no trailing digit", "Song.mp3", Options().Trailing().Mode(kKeep), "Song"},
        {"trailing run found after trim", "Song 7 .mp3", Options().Trailing().Mode(kKeep), "Song"},
        {"without the option trailing digits stay", "Take5.mp3", Options().Mode(kKeep), "Take5"},

        // Both ends.
        {"both runs go and the spaces left are trimmed", "01 Song 02.mp3",
         Options().Leading().Trailing().Mode(kKeep), "Song"},
        {"two runs, a space: empty", "12 34.mp3", Options().Leading().Trailing().Mode(kKeep), ""},
        {"digits go before prefix and suffix arrive", "5.mp3",
         Options().Leading().Trailing().Prefix("#").Suffix("#"), "11"},
        {"prefix on an emptied name", "01.mp3", Options().Leading().Prefix("Track #"), "Track_1"},

        // Spaces and underscores.
        {"mode 0: spaces to underscores", "A_B C.mp3", Options().Mode(kToUnderscores), "A_B_C"},
        {"mode 1 turns underscores into spaces", "A_B C.mp3", Options().Mode(kToSpaces), "A B C"},
        {"mode 2 removes spaces and underscores", "A_B C.mp3", Options().Mode(kRemoveBoth), "ABC"},
        {"mode 3 keeps spaces and underscores", "A_B C.mp3", Options().Mode(kKeep), "A_B C"},
        {"mode 1 trims spaces it made", "_Song_.mp3", Options().Mode(kToSpaces), "Song"},
        {"mode 0 keeps end underscores", "_Song_.mp3", Options().Mode(kToUnderscores), "_Song_"},
        {"a space bared by character removal is not trimmed", "@ Song.mp3", Options(), "_Song"},
        {"mode 1 trims again after removal", "~_Song.mp3", Options().Mode(kToSpaces), "Song"},
        {"end space from a pair trimmed", "Song-live.mp3", Options().Pair(0, "-live", " "), "Song"},
        {"keyword spaces match before mode 0", "My Song.mp3", Options().Pair(0, "My ", ""), "Song"},

        // Keyword pairs.
        {"left to right, without overlap", "aaa.mp3", Options().Pair(0, "aa", "b"), "ba"},
        {"a pair skips its own insertion", "banana.mp3", Options().Pair(0, "a", "aa"), "baanaanaa"},
        {"an earlier pair does not see what a later pair inserts", "cat and dog.mp3",
         Options().Pair(0, "dog", "wolf").Pair(1, "cat", "dog").Mode(kKeep), "dog and wolf"},
        {"six pairs chain in index order", "a.mp3",
         Options()
             .Pair(0, "a", "b")
             .Pair(1, "b", "c")
             .Pair(2, "c", "d")
             .Pair(3, "d", "e")
             .Pair(4, "e", "f")
             .Pair(5, "f", "g"),
         "g"},
        {"an empty keyword changes nothing and does not stop the later pairs", "Song.mp3",
         Options().Pair(0, "", "X").Pair(1, "Song", "Tune"), "Tune"},
        {"a disabled pair is ignored", "Song.mp3", Options().Pair(0, "Song", "X", false), "Song"},
        {"an empty With deletes the keyword", "Song (Remastered).mp3",
         Options().Pair(0, " (Remastered)", ""), "Song"},
        {"keywords never touch the extension", "song.mp3", Options().Pair(0, "mp3", "wav"), "song"},
        {"base dot replaced, extension dot not", "a.b.mp3", Options().Pair(0, ".", "-"), "a-b"},
        {"keywords are case-sensitive", "LIVE live.mp3", Options().Pair(0, "live", "X").Mode(kKeep),
         "LIVE X"},
        {"replacements see the prefix", "Song.mp3",
         Options().Prefix("The ").Pair(0, "The", "A").Mode(kKeep), "A Song"},
        {"replacements see the suffix", "Song.mp3",
         Options().Suffix(" (live)").Pair(0, "live", "studio").Mode(kKeep), "Song (studio)"},
        {"a replacement acts before the apostrophe is removed", "Don't Stop.mp3",
         Options().Pair(0, "Don't", "Do not"), "Do_not_Stop"},
        {"a # keyword finds the listed name's # but the prefix's # is already the index",
         "Song#.mp3", Options().Prefix("#.").Pair(0, "#", "No").Mode(kKeep), "1.SongNo"},
        {"a keyword & is replaced before & becomes and", "Rock & Roll.mp3",
         Options().Pair(0, "&", "n").Mode(kKeep), "Rock n Roll"},

        // Prefix and suffix.
        {"prefix is cleaned too", "Intro.mp3", Options().Prefix("My Song "), "My_Song_Intro"},
        {"an unticked prefix adds nothing", "Song.mp3", Options().Prefix("X-", false), "Song"},
        {"an unticked suffix adds nothing", "Song.mp3", Options().Suffix("-X", false), "Song"},
        {"suffix before extension", "Song.mp3", Options().Suffix(" (#)").Mode(kKeep), "Song (1)"},
        {"every # of the prefix gets the index", "Song.mp3", Options().Prefix("#-#-"), "1-1-Song"},
        {"suffix end space trimmed, no underscore", "Song.mp3", Options().Suffix(" "), "Song"},

        // Character removal.
        {"characters go after the trim", "It's @Home $5 100% ^~.mp3", Options(), "Its_Home_5_100_"},
        {"& becomes and after trimming", "Rock & Roll.mp3", Options(), "Rock_and_Roll"},
        {"a listed # is removed, no index", "No #1 Hit.mp3", Options().Prefix("#-"), "1-No_1_Hit"},
        {"other punctuation stays", "Hey! (Live) [2] {x} -+=,;.mp3", Options().Mode(kKeep),
         "Hey! (Live) [2] {x} -+=,;"},

        // Discard mode: no cleaning at all.
        {"discard, no prefix or suffix: empty", "Old Name.WAV", Options().Discard(), "", ".WAV"},
        {"discard joins prefix and suffix", "Old.mp3",
         Options().Discard().Prefix("Song #").Suffix(" (live)"), "Song 1 (live)"},
        {"discard removes no characters", "Song.mp3", Options().Discard().Prefix("A&B's @#~"),
         "A&B's @1~"},
        {"discard ignores leading and trailing digits", "Song.mp3",
         Options().Discard().Leading().Trailing().Prefix("1#").Suffix("-7"), "11-7"},
        {"discard ignores replacements", "Song.mp3",
         Options().Discard().Prefix("Song#").Pair(0, "Song", "X"), "Song1"},
        {"discard neither trims nor touches spaces and underscores", "Song.mp3",
         Options().Discard().Prefix(" A B_").Suffix("# ").Mode(kRemoveBoth), " A B_1 "},
        {"discard with an unticked suffix uses the prefix alone", "Song.mp3",
         Options().Discard().Prefix("P#").Suffix("S#", false), "P1"},

        // Names are bytes.
        {"non-UTF-8 bytes cleaned byte by byte", "\xff\xfe song.mp3", Options(), "\xff\xfe_song"},
        {"a Latin-1 no-break space stays", " \xa0Song.mp3", Options().Mode(kKeep), "\xa0Song"},
        {"a keyword of invalid bytes", "\xffx\xff.mp3", Options().Pair(0, "\xff", "y"), "yxy"},
        {"trailing digits after a 0xFF",
         "\xff"
         "12.mp3",
         Options().Trailing().Mode(kKeep), "\xff"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(1, 0, 0);
        const NewName result = ComputeNewName(row.listed, row.settings, state);
        EXPECT_EQ(result.NewFilename, row.newFilename);
        EXPECT_EQ(result.FileExtension, row.extension);
        EXPECT_EQ(state.CurFileCount, 1) << "each name takes exactly one index number";
    }
}

TEST(ComputeNewName, IndexNumberFromTheNumberingState) {
    struct Row {
        const char* why;
        std::string listed;
        CleanSettings settings;
        int width;
        std::int32_t handedOut;
        std::string newFilename;
    };
    const Row rows[] = {
        {"width 3 pads the index", "Intro.mp3", Options().Prefix("Track#-").Mode(kKeep), 3, 0,
         "Track001-Intro"},
        {"every # gets the whole index", "X.mp3", Options().Prefix("##-"), 2, 6, "0707-X"},
        {"trailing digits do not eat the suffix's index", "Song 3.mp3",
         Options().Trailing().Suffix("#").Mode(kKeep), 1, 8, "Song 9"},
        {"discard mode pads the index too", "Old.mp3",
         Options().Discard().Prefix("Song #").Suffix(" (live)"), 2, 1, "Song 02 (live)"},
        {"a name that uses no index still takes one", "Song.mp3", Options(), 1, 4, "Song"},
        {"an empty discard name takes one", "Song.mp3", Options().Discard(), 1, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(row.width, 0, row.handedOut);
        EXPECT_EQ(ComputeNewName(row.listed, row.settings, state).NewFilename, row.newFilename);
        EXPECT_EQ(state.CurFileCount, row.handedOut + 1);
        EXPECT_EQ(state.FileIndexCountOffset, 0) << "the offset is only read";
        EXPECT_EQ(state.FileCountChars, row.width) << "the width is only read";
    }
}

TEST(ComputeNewName, ConsecutiveNamesGetConsecutiveNumbersAndAGivenBackOneAgain) {
    const CleanSettings prefixed = Options().Prefix("Track#-").Mode(kKeep);
    RunState state = Numbering(3, 0, 0);
    EXPECT_EQ(ComputeNewName("Intro.mp3", prefixed, state).NewFilename, "Track001-Intro");
    EXPECT_EQ(ComputeNewName("Outro.mp3", prefixed, state).NewFilename, "Track002-Outro");
    --state.CurFileCount;  // the file was not renamed
    EXPECT_EQ(ComputeNewName("Skit.mp3", prefixed, state).NewFilename, "Track002-Skit");
    EXPECT_EQ(ComputeNewName("Air.mp3", prefixed, state).NewFilename, "Track003-Air");
    EXPECT_EQ(state.CurFileCount, 3);
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
        {"the first index of a default run", 1, 0, 0, "1"},
        {"width 3 pads with zeros", 3, 0, 0, "001"},
        {"first index 0 with width 3", 3, -1, 0, "000"},
        {"a two-digit number with width 1 is not cut", 1, 11, 0, "12"},
        {"the count before the call adds to the offset", 4, 9, 5, "0015"},
        {"width 0 pads nothing", 0, 0, 4, "5"},
        {"a negative width pads nothing", -1, 0, 0, "1"},
        {"a negative number keeps its sign", 1, -5, 0, "-4"},
        {"zeros go in front of the minus sign", 3, -5, 0, "0-4"},
        {"past the 16-bit range", 1, 0, 32767, "32768"},
        {"six digits, no grouping", 7, 99999, 0, "0100000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        RunState state = Numbering(row.width, row.offset, row.handedOut);
        EXPECT_EQ(NextIndexString(state), row.expected);
        EXPECT_EQ(state.CurFileCount, row.handedOut + 1);
    }
}

}  // namespace
}  // namespace klarwell::engine
