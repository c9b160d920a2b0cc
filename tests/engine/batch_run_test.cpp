#include "engine/batch_run.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"

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

// Each listed name is a file holding its own name. The list is read once, before the run: an
// entry whose name a rename of this run took over is passed over, so that no file moves twice.
TEST(RunBatch, VisitsTheListInOrderThenFinishes) {
    using enum Answer;
    struct Row {
        const char* why;
        Lines listed;
        CleanSettings settings;
        Answers answers;
        Lines events;
        Lines after;
        Lines others = {};  // files that are not listed
    };
    const std::string done = "progress 100";
    const Row rows[] = {
        {"an empty list only finishes", Lines{}, Options(), Answers{Ok},
         Lines{done, "reread", FinishedBox(0)}, Lines{}},
        {"only audio files that need cleaning; the bar moves for every entry",
         Lines{"01 Intro.mp3", "notes here.txt", "Song.Mp3", "take one.tmc", "x y.flac"}, Options(),
         Answers{Ok},
         Lines{"select 0", "progress 0", "status 1 cleaned", "select 1", "progress 25", "select 2",
               "progress 50", "select 3", "progress 75", "status 2 cleaned", "select 4", done, done,
               "reread", FinishedBox(2)},
         Lines{"01_Intro.mp3: 01 Intro.mp3", "Song.Mp3: Song.Mp3", "notes here.txt: notes here.txt",
               "take_one.tmc: take one.tmc", "x y.flac: x y.flac"}},
        {"a Cancel ends the loop before the next entry",
         Lines{"a a.mp3", "_.mp3", "b b.mp3", "c c.mp3", "d d.mp3"}, Options().Mode(kRemoveBoth),
         Answers{Cancel, Ok},
         Lines{"select 0", "progress 0", "status 1 cleaned", "select 1", "progress 25",
               EmptyNameBox("_.mp3"), done, "reread", FinishedBox(1)},
         Lines{"_.mp3: _.mp3", "aa.mp3: a a.mp3", "b b.mp3: b b.mp3", "c c.mp3: c c.mp3",
               "d d.mp3: d d.mp3"}},
        {"a skipped file gives its index number to the next rename",
         Lines{"a a.mp3", "b b.mp3", "c c.mp3"}, Options().Prefix("Track#-").Width(3),
         Answers{No, Ok},
         Lines{"select 0", "progress 0", "status 1 cleaned", "select 1", "progress 50",
               ConflictBox("b b.mp3", "Track002-b_b.mp3"), "select 2", done, "status 2 cleaned",
               done, "reread", FinishedBox(2)},
         Lines{"Track001-a_a.mp3: a a.mp3", "Track002-b_b.mp3: other", "Track002-c_c.mp3: c c.mp3",
               "b b.mp3: b b.mp3"},
         Lines{"Track002-b_b.mp3: other"}},
        {"a renumbering chain moves each file once", Lines{"n1.mp3", "n2.mp3", "n3.mp3"},
         Options().Discard().Prefix("n#").First(2), Answers{Yes, Ok},
         Lines{"select 0", "progress 0", ConflictBox("n1.mp3", "n2.mp3"), "status 1 cleaned",
               "select 1", "progress 50", "select 2", done, done, "reread", FinishedBox(1)},
         Lines{"n2.mp3: n1.mp3", "n3.mp3: n3.mp3"}},
        {"an entry whose file a rename took away is not found, and nothing is lost",
         Lines{"a b.mp3", "a b.mp3"}, Options(), Answers{Yes, Ok, Ok},
         Lines{"select 0", "progress 0", "status 1 cleaned", "select 1", done,
               ConflictBox("a b.mp3", "a_b.mp3"),
               FailureBox("a b.mp3", "a_b.mp3", "No such file or directory"), done, "reread",
               FinishedBox(1)},
         Lines{"a_b.mp3: a b.mp3"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        CleanSettings settings = row.settings;
        settings.FolderPath = f.Music.Path();
        settings.FileNames = row.listed;
        for (const std::string& name : row.listed) {
            f.Music.CreateFile(name, name);
        }
        f.Music.Create(row.others);
        f.Run.FileCountChars = settings.FileCountChars;
        f.Run.FileIndexCountOffset = settings.FirstIndex - 1;
        ScriptedUserInterface ui(row.answers);
        PosixFileSystem fs;
        RunBatch(settings, f.Run, ui, fs, f.Log);
        EXPECT_EQ(ui.Events(), row.events);
        EXPECT_EQ(f.Music.Entries(), row.after);
    }
}

// The counters are wider than the window's historic 16 bits.
TEST(RunBatch, MoreThanThirtyTwoThousandEntriesAreHandledWhole) {
    EngineFixture f;
    f.Settings.FileNames.assign(40000, "clean.mp3");
    f.Settings.FileNames.back() = "last one.mp3";
    f.Music.CreateFile("last one.mp3", "end");
    ScriptedUserInterface ui({Answer::Ok});
    PosixFileSystem fs;
    RunBatch(f.Settings, f.Run, ui, fs, f.Log);
    EXPECT_EQ(f.Music.Entries(), Lines{"last_one.mp3: end"});
}

// Once per run, and only when something was renamed, so that what "Finished!" reports is on the
// disk.
TEST(RunBatch, FlushesTheLogAndTheFolderOnceAtTheEnd) {
    EngineFixture f;
    f.Music.Create({"a a.mp3: a", "b b.mp3: b"});
    f.Settings.FileNames = {"a a.mp3", "b b.mp3", "clean.mp3"};
    FaultyFileSystem fs;
    ScriptedUserInterface ui({Answer::Ok, Answer::Ok});
    RunBatch(f.Settings, f.Run, ui, fs, f.Log);
    EXPECT_EQ(fs.Synced(), (std::vector{f.Program.Path() / "cleanup.log", f.Music.Path()}));
    FaultyFileSystem untouched;
    f.Settings.FileNames = {"clean.mp3"};
    RunBatch(f.Settings, f.Run, ui, untouched, f.Log);
    EXPECT_TRUE(untouched.Synced().empty());
}

}  // namespace
}  // namespace klarwell::engine
