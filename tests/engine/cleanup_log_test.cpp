#include "engine/cleanup_log.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"

namespace klarwell::engine {
namespace {

using namespace testing;

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
        {"a backslash is escaped, so a name spelling \\x0A reads back as itself", "/m\\d",
         "a\\x0A.mp3", "a.mp3", "Re-named/m\\x5Cd/a\\x5Cx0A.mp3 as /m\\x5Cd/a.mp3\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(LogLine(row.folder, row.listed, row.target), row.expected);
    }
}

// Each line goes to the program folder's log, else to the state folder's, without a box. A torn
// write is cut back; a FIFO without a reader would block the run for ever.
TEST(CleanupLog, ProgramFolderFirstElseTheStateFolder) {
    struct Row {
        const char* why;
        void (*arrange)(EngineFixture&, FaultyFileSystem&);
        const char* program;  // nullptr: not to be read
        bool fallback;
    };
    const Row rows[] = {
        {"a writable program folder", [](EngineFixture&, FaultyFileSystem&) {}, "", false},
        {"a read-only program folder",
         [](EngineFixture& f, FaultyFileSystem& fs) { fs.FailAppendsIn(f.Program.Path(), EACCES); },
         "<missing>", true},
        {"a write stopping part-way",
         [](EngineFixture& f, FaultyFileSystem& fs) {
             f.Program.CreateFile("cleanup.log", "old\r\n");
             fs.FailWritesAfter(f.Program.Path(), 30, ENOSPC);
         },
         "old\r\n", true},
        {"a FIFO",
         [](EngineFixture& f, FaultyFileSystem&) {
             ASSERT_EQ(::mkfifo((f.Program.Path() / "cleanup.log").c_str(), 0644), 0);
         },
         nullptr, true},
        {"a folder",
         [](EngineFixture& f, FaultyFileSystem&) {
             std::filesystem::create_directory(f.Program.Path() / "cleanup.log");
         },
         nullptr, true},
    };
    const std::string line = "Re-named/music/a a.mp3 as /music/a_a.mp3\r\n";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        ScriptedUserInterface ui;
        FaultyFileSystem fs;
        row.arrange(f, fs);
        f.Log.StartRun();
        f.Log.Append(line, fs, ui);
        f.Log.Append(line, fs, ui);
        const std::string both = line + line;
        if (row.program != nullptr) {
            EXPECT_EQ(f.LogText(), std::string(row.program) + (row.fallback ? "" : both));
        }
        EXPECT_EQ(f.State.Read("klarwell/cleanup.log"), row.fallback ? both : "<missing>");
        EXPECT_TRUE(ui.Boxes().empty());
        // Only the logs this run wrote are flushed.
        f.Log.Sync(fs);
        f.Log.StartRun();
        f.Log.Sync(fs);
        EXPECT_EQ(fs.Synced(), std::vector{row.fallback ? f.State.Path() / "klarwell/cleanup.log"
                                                        : f.Program.Path() / "cleanup.log"});
    }
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
    ExpectBox(ui.Boxes()[0], LogFailureText(program + " or " + state, "Read-only file system"),
              kTitle, Buttons::Ok);
    f.Log.StartRun();
    f.Log.Append("three\r\n", fs, ui);
    EXPECT_EQ(ui.Boxes().size(), 2U);
    EXPECT_TRUE(ui.AllAnswersUsed());
}

// A fragment without its line end (a writer killed mid-line) keeps a line of its own.
TEST(AppendLine, EveryLineStartsOnALineOfItsOwn) {
    struct Row {
        const char* why;
        std::string before;
        std::string after;
    };
    const Row rows[] = {
        {"a new log holds just the line", "", "new\r\n"},
        {"a whole last line is followed directly", "old\r\n", "old\r\nnew\r\n"},
        {"a torn last line is ended first", "Re-named/m/a a.mp3 a",
         "Re-named/m/a a.mp3 a\r\nnew\r\n"},
        {"a bare line feed is not a line end of the log", "old\n", "old\n\r\nnew\r\n"},
        {"a lone CR", "old\r", "old\r\r\nnew\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        if (!row.before.empty()) {
            f.Program.CreateFile("cleanup.log", row.before);
        }
        PosixFileSystem fs;
        EXPECT_FALSE(fs.AppendLine(f.Program.Path() / "cleanup.log", "new\r\n"));
        EXPECT_EQ(f.LogText(), row.after);
    }
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
    EXPECT_TRUE(std::filesystem::exists(folder / "klarwell_engine_tests"));
}

}  // namespace
}  // namespace klarwell::engine
