#include <string>

#include <gtest/gtest.h>

#include "engine/batch_run.h"
#include "engine/clean_settings.h"
#include "tests/engine/engine_fixture.h"

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
        {"one letter short", "song.mp", false},
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
        {"each of the ten characters", "'@#$%^~&.mp3", Options(), true},
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
        {"the first entry shows 0", 0, 4, 0},
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

}  // namespace
}  // namespace klarwell::engine
