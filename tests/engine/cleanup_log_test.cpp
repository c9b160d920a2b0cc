#include "engine/cleanup_log.h"

#include <stdlib.h>

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using testing::EngineFixture;
using testing::FaultyFileSystem;
using testing::ScriptedUserInterface;

TEST(LogLine, FieldsBackToBack) {
    struct Row {
        const char* why;
        std::string folder;
        std::string listed;
        std::string target;
        std::string expected;
    };
    const Row rows[] = {
        {"no blank after Re-named, one blank around as, CR LF at the end", "/music", "01 Intro.mp3",
         "01_Intro.mp3", "Re-named/music/01 Intro.mp3 as /music/01_Intro.mp3\r\n"},
        {"root folder keeps its slash", "/", "a b.mp3", "a_b.mp3",
         "Re-named//a b.mp3 as //a_b.mp3\r\n"},
        {"a line break in a name cannot start a forged line", "/m", "a\r\nRe-named x.mp3", "a.mp3",
         "Re-named/m/a\\x0D\\x0ARe-named x.mp3 as /m/a.mp3\r\n"},
        {"tab, escape and delete bytes are written as hex", "/m", "a\tb\x1b\x7f.mp3", "ab.mp3",
         "Re-named/m/a\\x09b\\x1B\\x7F.mp3 as /m/ab.mp3\r\n"},
        {"bytes that are not UTF-8 are kept as they are", "/m", "caf\xe9.mp3", "cafe.mp3",
         "Re-named/m/caf\xe9.mp3 as /m/cafe.mp3\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(LogLine(row.folder, row.listed, row.target), row.expected);
    }
}

TEST(CleanupLog, WritesInTheProgramFolderFirst) {
    EngineFixture f;
    ScriptedUserInterface ui;
    FaultyFileSystem fs;
    f.Log.Append("one\r\n", fs, ui);
    f.Log.Append("two\r\n", fs, ui);
    EXPECT_EQ(f.LogText(), "one\r\ntwo\r\n");
    EXPECT_EQ(f.State.Read("klarwell/cleanup.log"), "<missing>");
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(CleanupLog, ReadOnlyProgramFolderFallsBackToTheStateFolder) {
    EngineFixture f;
    ScriptedUserInterface ui;
    FaultyFileSystem fs;
    fs.FailAppendsIn(f.Program.Path(), EACCES);
    f.Log.Append("one\r\n", fs, ui);
    EXPECT_EQ(f.LogText(), "<missing>");
    EXPECT_EQ(f.State.Read("klarwell/cleanup.log"), "one\r\n");
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(CleanupLog, NeitherWritableTellsTheUserOncePerRun) {
    EngineFixture f;
    ScriptedUserInterface ui({Answer::Ok, Answer::Ok});
    FaultyFileSystem fs;
    fs.FailAppendsIn({}, EROFS);
    f.Log.StartRun();
    f.Log.Append("one\r\n", fs, ui);
    f.Log.Append("two\r\n", fs, ui);
    ASSERT_EQ(ui.Boxes().size(), 1U);
    const std::string program = f.Program.Path().native() + "/cleanup.log";
    const std::string state = f.State.Path().native() + "/klarwell/cleanup.log";
    EXPECT_EQ(ui.Boxes()[0].Text, "Could not write the rename log " + program + " or " + state +
                                      ": Read-only file system\r\n\r\nThe files are renamed, but "
                                      "this run's renames are not logged.");
    EXPECT_EQ(ui.Boxes()[0].Title, "Klarwell");
    EXPECT_EQ(ui.Boxes()[0].Buttons, Buttons::Ok);
    f.Log.StartRun();
    f.Log.Append("three\r\n", fs, ui);
    EXPECT_EQ(ui.Boxes().size(), 2U);
    EXPECT_TRUE(ui.AllAnswersUsed());
}

TEST(DefaultFallbackLogFolder, FollowsXdgStateHomeElseHome) {
    const char* oldState = getenv("XDG_STATE_HOME");
    const std::string savedState = oldState ? oldState : "";
    const char* oldHome = getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";

    setenv("XDG_STATE_HOME", "/x/state", 1);
    EXPECT_EQ(DefaultFallbackLogFolder(), "/x/state/klarwell");
    setenv("XDG_STATE_HOME", "relative", 1);  // a relative value is to be ignored
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultFallbackLogFolder(), "/home/u/.local/state/klarwell");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(DefaultFallbackLogFolder(), "/home/u/.local/state/klarwell");

    if (oldState) {
        setenv("XDG_STATE_HOME", savedState.c_str(), 1);
    }
    if (oldHome) {
        setenv("HOME", savedHome.c_str(), 1);
    }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::filesystem::path folder = ProgramFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / "klarwell_engine_tests") ||
                std::filesystem::exists(folder / "klarwell_engine_tests_san"));
}

}  // namespace
}  // namespace klarwell::engine
