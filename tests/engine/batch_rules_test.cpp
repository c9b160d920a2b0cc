#include <string>

#include <gtest/gtest.h>

#include "engine/batch_run.h"
#include "engine/clean_settings.h"
#include "tests/engine/engine_fixture.h"

namespace klarwell::engine {
namespace {

using testing::kKeep;
using testing::kToSpaces;
using testing::Options;

TEST(IsAudioFileName, ExtensionOfTheTrimmedName) {
    struct Row {
        const char* why;
        std::string name;
        bool expected;
    };
    const Row rows[] = {
        {"mixed-case .Mp3", "song.Mp3", true},
        {"upper-case .WAV", "A.WAV", true},
        {".krt", "a.krt", true},
        {"mixed-case .mP2", "song.mP2", true},
        {"the engine accepts .TMC", "TAKE.TMC", true},
        {"only the last extension counts", "song.wav.mp3", true},
        {"exactly four characters", ".mp3", true},
        {"several trailing spaces are trimmed", "song.wav   ", true},
        {"leading and trailing spaces are trimmed", "  song.krt  ", true},
        {"bytes that are not UTF-8 before the extension", "\xff\xfe.mp3", true},
        {".flac is not audio here", "song.flac", false},
        {"an audio extension in the middle", "song.mp3.bak", false},
        {"no dot", "songmp3", false},
        {"one letter short", "song.mp", false},
        {"one letter long", "song.mp33", false},
        {"a tab is not trimmed", "song.mp3\t", false},
        {"an empty name", "", false},
        {"three characters", "mp3", false},
        {"too short once trimmed", " mp3 ", false},
        {"a full-width letter does not fold", "song.\xef\xbd\x8dp3", false},
        {"an invalid byte in the extension", "song.\xff", false},
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
        {"a plain name with nothing in force", "Song.mp3", Options(), false},
        {"a space", "My Song.mp3", Options(), true},
        {"an underscore even when kept", "My_Song.mp3", Options().Mode(kKeep), true},
        {"an apostrophe", "It's.mp3", Options(), true},
        {"an at sign", "a@b.mp3", Options(), true},
        {"a number sign", "No#1.mp3", Options(), true},
        {"a dollar sign", "Ca$h.mp3", Options(), true},
        {"a percent sign", "100%.mp3", Options(), true},
        {"a caret", "Up^.mp3", Options(), true},
        {"a tilde", "Home~.mp3", Options(), true},
        {"an ampersand", "R&B.mp3", Options(), true},
        {"a trailing space of the listed name counts", "Song.mp3 ", Options(), true},
        {"other punctuation does not count", "Song-(1)!.mp3", Options(), false},
        {"a tab is not a space", "Song\t.mp3", Options(), false},
        {"non-UTF-8 bytes alone need nothing", "\xff\xfe.mp3", Options(), false},
        {"the space mode alone hands nothing on", "Song.mp3", Options().Mode(kToSpaces), false},
        {"discard mode alone hands nothing on", "Song.mp3", Options().Discard(), false},
        {"discard with a prefix hands it on", "Song.mp3", Options().Discard().Prefix("#"), true},

        {"a leading digit with the option", "01Song.mp3", Options().Leading(), true},
        {"a leading digit without the option", "01Song.mp3", Options(), false},
        {"a digit not at the start", "Song1.mp3", Options().Leading(), false},
        {"an Arabic-Indic digit is not a digit", "\xd9\xa1Song.mp3", Options().Leading(), false},
        {"a trailing digit of the base with the option", "Song1.mp3", Options().Trailing(), true},
        {"a trailing digit without the option", "Song1.mp3", Options(), false},
        {"the 3 of .mp3 is no trailing digit", "Song.mp3", Options().Trailing(), false},
        {"a leading digit does not count as trailing", "1Song.mp3", Options().Trailing(), false},
        {"an empty base has no trailing digit", ".mp3", Options().Trailing(), false},

        {"a prefix in force", "Song.mp3", Options().Prefix("Track "), true},
        {"a ticked prefix with empty text", "Song.mp3", Options().Prefix(""), false},
        {"an unticked prefix", "Song.mp3", Options().Prefix("Track", false), false},
        {"a suffix in force", "Song.mp3", Options().Suffix("-x"), true},
        {"a ticked suffix with empty text", "Song.mp3", Options().Suffix(""), false},
        {"an unticked suffix", "Song.mp3", Options().Suffix("-x", false), false},

        {"a keyword that occurs", "Song.mp3", Options().Pair(0, "Song", "Tune"), true},
        {"a keyword that does not occur", "Song.mp3", Options().Pair(0, "Rock", "Pop"), false},
        {"a disabled pair", "Song.mp3", Options().Pair(0, "Song", "Tune", false), false},
        {"an enabled pair with an empty keyword", "Song.mp3", Options().Pair(0, "", "x"), false},
        {"a keyword only in the extension", "song.mp3", Options().Pair(0, "mp3", "wav"), true},
        {"a keyword across the extension's dot", "Song.mp3", Options().Pair(0, "g.m", ""), true},
        {"keywords are case-sensitive", "Song.mp3", Options().Pair(0, "song", "x"), false},
        {"pair 5 occurs, an earlier one does not", "Song.mp3",
         Options().Pair(0, "Rock", "x").Pair(5, "So", "x"), true},
        {"a keyword of an invalid byte", "\xff\xfe.mp3", Options().Pair(0, "\xfe", ""), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(NeedsCleaning(row.listed, row.settings), row.expected);
    }
}

// Small lists are covered entry by entry by the batch run's progress sequence.
TEST(ProgressValue, SingleEntriesOfLargeLists) {
    struct Row {
        const char* why;
        int position;
        int count;
        int expected;
    };
    const Row rows[] = {
        {"201 entries: 0.5 goes down to 0", 1, 201, 0},
        {"201 entries: 1.5 goes up to 2", 3, 201, 2},
        {"201 entries: 2.5 goes down to 2", 5, 201, 2},
        {"100,000 entries: just past the middle", 50000, 100000, 50},
        {"100,000 entries: 99.999", 99998, 100000, 100},
        {"past the 16-bit count: 81.92", 32767, 40000, 82},
        {"a position times 100 beyond 32 bits: the middle", 15000000, 30000000, 50},
        {"a position times 100 beyond 32 bits: the last", 29999999, 30000000, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(ProgressValue(row.position, row.count), row.expected);
    }
}

}  // namespace
}  // namespace klarwell::engine
