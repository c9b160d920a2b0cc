#include "engine/name_rules.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/clean_settings.h"
#include "engine/run_state.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using namespace testing;

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
        {"leading digits, then trim, then underscores", "01 - Intro.mp3", Options().Leading(),
         "-_Intro"},
        {"a name of digits only becomes empty", "1999.mp3", Options().Leading(), ""},
        {"leading run found after trim", "  5 Song.mp3", Options().Leading().Mode(kKeep), "Song"},
        {"a full-width digit is not a digit", "\xef\xbc\x91Song.mp3",
         Options().Leading().Mode(kKeep), "\xef\xbc\x91Song"},
        {"trailing run and bared space go", "Track 12.wav", Options().Trailing(), "Track", ".wav"},
        {"only the last run goes", "Song 01 02.mp3", Options().Trailing().Mode(kKeep), "Song 01"},
        {"without the options digits stay at both ends", "1 Take5.mp3", Options().Mode(kKeep),
         "1 Take5"},
        {"digits go before prefix and suffix arrive", "5.mp3",
         Options().Leading().Trailing().Prefix("#").Suffix("#"), "11"},
        {"mode 0 keeps end underscores", "_A_B C_.mp3", Options(), "_A_B_C_"},
        {"mode 1 turns underscores into spaces and trims", "_A_B C_.mp3", Options().Mode(kToSpaces),
         "A B C"},
        {"mode 2 removes spaces and underscores", "A_B C.mp3", Options().Mode(kRemoveBoth), "ABC"},
        {"mode 3 keeps spaces and underscores", "A_B C.mp3", Options().Mode(kKeep), "A_B C"},
        {"a space bared by character removal is not trimmed", "@ Song.mp3", Options(), "_Song"},
        {"end space from a pair trimmed before mode 0", "Song-live.mp3",
         Options().Pair(0, "-live", " "), "Song"},
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
        {"a replacement acts before the apostrophe is removed", "Don't Stop.mp3",
         Options().Pair(0, "Don't", "Do not"), "Do_not_Stop"},
        {"a listed # is removed, the prefix's # is the index", "No #1 Hit.mp3",
         Options().Prefix("#-"), "1-No_1_Hit"},
        {"prefix is cleaned with the name", "Intro.mp3", Options().Prefix("My Song "),
         "My_Song_Intro"},
        {"every # of the prefix gets the index", "Song.mp3", Options().Prefix("#-#-"), "1-1-Song"},
        {"characters go after the trim", "It's @Home $5 100% ^~.mp3", Options(), "Its_Home_5_100_"},
        {"& becomes and after trimming", "Rock & Roll.mp3", Options(), "Rock_and_Roll"},
        {"other punctuation stays", "Hey! (Live) [2] -+=,;.mp3", Options().Mode(kKeep),
         "Hey! (Live) [2] -+=,;"},
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

}  // namespace
}  // namespace klarwell::engine
