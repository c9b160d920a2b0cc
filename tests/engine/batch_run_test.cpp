#include "engine/batch_run.h"

#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using namespace testing;
using ::testing::ElementsAre;

// Lists the names and creates each as a file holding its own name.
void ListFiles(EngineFixture& f, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        f.Music.CreateFile(name, name);
    }
    f.Settings.FileNames = names;
}

ScriptedUserInterface RunOver(EngineFixture& f, std::vector<Answer> answers) {
    ScriptedUserInterface ui(std::move(answers));
    PosixFileSystem fs;
    RunBatch(f.Settings, f.Run, ui, fs, f.Log);
    return ui;
}

TEST(RunBatch, ProgressBeforeEachEntryThenHundredRereadAndSummary) {
    struct Row {
        const char* why;
        int entries;
        std::vector<int> progress;
    };
    const Row rows[] = {
        {"an empty list only finishes", 0, {100}},
        {"one entry shows 0 for it and 100 after the loop", 1, {0, 100}},
        {"three entries", 3, {0, 50, 100, 100}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        // Names without anything to clean are visited but never handed on.
        f.Settings.FileNames.assign(static_cast<std::size_t>(row.entries), "clean.mp3");
        const ScriptedUserInterface ui = RunOver(f, {Answer::Ok});
        EXPECT_EQ(ui.ProgressValues(), row.progress);
        ASSERT_EQ(ui.Boxes().size(), 1U);
        ExpectBox(ui.Boxes()[0], FinishedText(0), kTitle, Buttons::Ok);
        ASSERT_GE(ui.Events().size(), 3U);
        EXPECT_THAT(std::vector<std::string>(ui.Events().end() - 3, ui.Events().end()),
                    ElementsAre("progress 100", "reread", "box Klarwell"));
    }
}

TEST(RunBatch, RenamesOnlyAudioFilesThatNeedCleaning) {
    EngineFixture f;
    ListFiles(f, {"01 Intro.mp3", "notes here.txt", "Song.Mp3", "take one.tmc", "x.flac"});
    const ScriptedUserInterface ui = RunOver(f, {Answer::Ok});
    EXPECT_THAT(f.Music.Names(), ElementsAre("01_Intro.mp3", "Song.Mp3", "notes here.txt",
                                             "take_one.tmc", "x.flac"));
    EXPECT_EQ(f.Music.Read("take_one.tmc"), "take one.tmc");
    EXPECT_EQ(f.Run.Corrections, 2);
    EXPECT_EQ(ui.Boxes().back().Text, FinishedText(2));
    EXPECT_THAT(ui.StatusTexts(), ElementsAre("1 cleaned", "2 cleaned"));
    EXPECT_EQ(f.LogText(), "Re-named" + f.InMusic("01 Intro.mp3") + " as " +
                               f.InMusic("01_Intro.mp3") + "\r\nRe-named" +
                               f.InMusic("take one.tmc") + " as " + f.InMusic("take_one.tmc") +
                               "\r\n");
}

TEST(RunBatch, CancelEndsTheLoopBeforeTheNextEntry) {
    EngineFixture f;
    ListFiles(f, {"a a.mp3", "_.mp3", "b b.mp3", "c c.mp3", "d d.mp3"});
    f.Settings.SpaceMode = SpaceUnderscoreMode::RemoveSpacesAndUnderscores;
    const ScriptedUserInterface ui = RunOver(f, {Answer::Cancel, Answer::Ok});
    EXPECT_THAT(ui.Selections(), ElementsAre(0, 1));
    EXPECT_THAT(ui.ProgressValues(), ElementsAre(0, 25, 100));
    EXPECT_TRUE(f.Run.CancelProcess);
    EXPECT_THAT(f.Music.Names(), ElementsAre("_.mp3", "aa.mp3", "b b.mp3", "c c.mp3", "d d.mp3"));
    ASSERT_EQ(ui.Boxes().size(), 2U);
    EXPECT_EQ(ui.Boxes()[1].Text, FinishedText(1));
    EXPECT_TRUE(ui.AllAnswersUsed());
}

TEST(RunBatch, SkippedFileGivesItsIndexNumberToTheNextRename) {
    EngineFixture f;
    ListFiles(f, {"a a.mp3", "b b.mp3", "c c.mp3"});
    f.Music.CreateFile("Track002-b_b.mp3", "other");
    f.Settings.AddPrefix = true;
    f.Settings.Prefix = "Track#-";
    f.Run.FileCountChars = 3;
    const ScriptedUserInterface ui = RunOver(f, {Answer::No, Answer::Ok});
    EXPECT_EQ(ui.Boxes()[0].Title, kConflictTitle);
    EXPECT_THAT(f.Music.Names(),
                ElementsAre("Track001-a_a.mp3", "Track002-b_b.mp3", "Track002-c_c.mp3", "b b.mp3"));
    EXPECT_EQ(f.Music.Read("Track002-c_c.mp3"), "c c.mp3");
    EXPECT_EQ(f.Music.Read("Track002-b_b.mp3"), "other");
    EXPECT_EQ(f.Run.CurFileCount, 2);
}

TEST(RunBatch, MoreThanThirtyTwoThousandEntriesAreHandledWhole) {
    EngineFixture f;
    constexpr int kEntries = 40000;
    f.Settings.FileNames.assign(kEntries, "clean.mp3");
    f.Settings.FileNames.back() = "last one.mp3";
    f.Music.CreateFile("last one.mp3", "end");
    const ScriptedUserInterface ui = RunOver(f, {Answer::Ok});
    EXPECT_EQ(ui.Selections().size(), static_cast<std::size_t>(kEntries));
    EXPECT_EQ(ui.Selections().back(), kEntries - 1);
    // 100 / 39999 * 20000 = 50.0013 and the entry before the last 99.9975.
    EXPECT_EQ(ui.ProgressValues()[20000], 50);
    EXPECT_EQ(ui.ProgressValues()[kEntries - 2], 100);
    EXPECT_THAT(f.Music.Names(), ElementsAre("last_one.mp3"));
    EXPECT_EQ(ui.Boxes().back().Text, FinishedText(1));
}

// n1 takes n2's name with the user's Yes; the entry n2 now leads to n1's file and is passed over,
// so n1's content is not moved on to n3 and no box names a file it does not move.
TEST(RunBatch, RenumberingChainRenamesEachFileOnce) {
    EngineFixture f;
    ListFiles(f, {"n1.mp3", "n2.mp3", "n3.mp3"});
    f.Settings.DiscardOriginalNames = true;
    f.Settings.AddPrefix = true;
    f.Settings.Prefix = "n#";
    f.Run.FileIndexCountOffset = 1;
    f.Run.FileCountChars = 1;
    const ScriptedUserInterface ui = RunOver(f, {Answer::Yes, Answer::Ok});
    ASSERT_EQ(ui.Boxes().size(), 2U);
    EXPECT_EQ(ui.Boxes()[0].Title, kConflictTitle);
    EXPECT_EQ(ui.Boxes()[0].Text, ConflictText("n1.mp3", "n2.mp3"));
    EXPECT_EQ(ui.Boxes()[1].Text, FinishedText(1));
    EXPECT_THAT(f.Music.Names(), ElementsAre("n2.mp3", "n3.mp3"));
    EXPECT_EQ(f.Music.Read("n2.mp3"), "n1.mp3");
    EXPECT_EQ(f.Music.Read("n3.mp3"), "n3.mp3");
    // n3 took index 3 for its unchanged name and gave it back.
    EXPECT_EQ(f.Run.CurFileCount, 1);
}

TEST(RunBatch, FlushesTheLogAndTheFolderOnceAtTheEnd) {
    EngineFixture f;
    ListFiles(f, {"a a.mp3", "b b.mp3", "clean.mp3"});
    ScriptedUserInterface ui({Answer::Ok});
    FaultyFileSystem fs;
    RunBatch(f.Settings, f.Run, ui, fs, f.Log);
    EXPECT_THAT(fs.Synced(), ElementsAre(f.Program.Path() / "cleanup.log", f.Music.Path()));

    f.Settings.FileNames = {"clean.mp3"};
    FaultyFileSystem untouched;
    ScriptedUserInterface second({Answer::Ok});
    RunBatch(f.Settings, f.Run, second, untouched, f.Log);
    EXPECT_TRUE(untouched.Synced().empty());
}

TEST(RunBatch, NamesStayAsListedAtTheStart) {
    EngineFixture f;
    // The list is not re-read mid-run: the second entry still means the name as listed, which
    // the first rename took away. Even answering Yes to replace its target loses nothing.
    f.Music.CreateFile("a b.mp3", "first");
    f.Settings.FileNames = {"a b.mp3", "a b.mp3"};
    const ScriptedUserInterface ui = RunOver(f, {Answer::Yes, Answer::Ok, Answer::Ok});
    ASSERT_EQ(ui.Boxes().size(), 3U);
    EXPECT_EQ(ui.Boxes()[0].Title, kConflictTitle);
    EXPECT_EQ(ui.Boxes()[1].Text,
              RenameFailureText("a b.mp3", "a_b.mp3", "No such file or directory"));
    EXPECT_EQ(ui.Boxes()[2].Text, FinishedText(1));
    EXPECT_THAT(f.Music.Names(), ElementsAre("a_b.mp3"));
    EXPECT_EQ(f.Music.Read("a_b.mp3"), "first");
}

}  // namespace
}  // namespace klarwell::engine
