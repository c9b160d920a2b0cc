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

// Lines go to the program folder's log, else to the state folder's; when neither takes them the
// user is told once per run. A torn write is cut back; a FIFO without a reader would block the
// run for ever. Only the logs a run wrote are flushed, once.
TEST(CleanupLog, ProgramFolderFirstElseTheStateFolder) {
    enum class Where { Program, Fallback, Neither };
    struct Row {
        const char* why;
        Lines program;           // the program folder's entries
        Faults faults;           // "program" stands for the program folder
        const char* programLog;  // nullptr: not to be read
        Where where;
        bool fifo = false;
    };
    const Row rows[] = {
        {"a writable program folder", Lines{}, Faults{}, "", Where::Program},
        {"a read-only program folder", Lines{},
         Faults{.AppendFolder = "program", .AppendError = EACCES}, "<missing>", Where::Fallback},
        {"a write stopping part-way", Lines{"cleanup.log: old\r\n"},
         Faults{.WriteFolder = "program", .WriteLimit = 30, .WriteError = ENOSPC}, "old\r\n",
         Where::Fallback},
        {"a FIFO", Lines{}, Faults{}, nullptr, Where::Fallback, true},
        {"a folder", Lines{"cleanup.log/"}, Faults{}, nullptr, Where::Fallback},
        {"neither writable", Lines{}, Faults{.AppendError = EROFS}, "<missing>", Where::Neither},
    };
    const std::string line = "Re-named/music/a a.mp3 as /music/a_a.mp3\r\n";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Program.Create(row.program);
        const std::filesystem::path programLog = f.Program.Path() / "cleanup.log";
        const std::filesystem::path stateLog = f.State.Path() / "klarwell/cleanup.log";
        if (row.fifo) {
            ASSERT_EQ(::mkfifo(programLog.c_str(), 0644), 0);
        }
        Faults faults = row.faults;
        for (std::filesystem::path* folder : {&faults.AppendFolder, &faults.WriteFolder}) {
            *folder = *folder == "program" ? f.Program.Path() : *folder;
        }
        FaultyFileSystem fs(faults);
        const std::string box =
            BoxEvent(kTitle, Buttons::Ok,
                     LogFailureText(programLog.native() + " or " + stateLog.native(),
                                    "Read-only file system"));
        const bool told = row.where == Where::Neither;
        ScriptedUserInterface ui(told ? Answers{Answer::Ok, Answer::Ok} : Answers{});
        f.Log.StartRun();
        f.Log.Append(line, fs, ui);
        f.Log.Append(line, fs, ui);
        f.Log.Sync(fs);
        f.Log.StartRun();
        f.Log.Sync(fs);
        f.Log.Append(line, fs, ui);
        EXPECT_EQ(ui.Events(), (told ? Lines{box, box} : Lines{}));
        const std::string all = line + line + line;
        if (row.programLog != nullptr) {
            EXPECT_EQ(f.LogText(), row.programLog + (row.where == Where::Program ? all : ""));
        }
        EXPECT_EQ(f.State.Read("klarwell/cleanup.log"),
                  row.where == Where::Fallback ? all : "<missing>");
        using Paths = std::vector<std::filesystem::path>;
        EXPECT_EQ(fs.Synced(),
                  told ? Paths{} : Paths{row.where == Where::Program ? programLog : stateLog});
    }
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
        TempFolder folder;
        if (!row.before.empty()) {
            folder.CreateFile("cleanup.log", row.before);
        }
        PosixFileSystem fs;
        EXPECT_FALSE(fs.AppendLine(folder.Path() / "cleanup.log", "new\r\n"));
        EXPECT_EQ(folder.Read("cleanup.log"), row.after);
    }
}

// Each test runs in a process of its own, and no other test reads these variables.
TEST(DefaultFallbackLogFolder, FollowsXdgStateHomeElseHome) {
    struct Row {
        const char* state;  // nullptr: not set
        const char* home;
        const char* expected;
    };
    const Row rows[] = {
        {"/x/state", "/home/u", "/x/state/klarwell"},
        {"relative", "/home/u", "/home/u/.local/state/klarwell"},  // only an absolute path counts
        {nullptr, "/home/u", "/home/u/.local/state/klarwell"},
        {nullptr, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        row.state != nullptr ? setenv("XDG_STATE_HOME", row.state, 1) : unsetenv("XDG_STATE_HOME");
        setenv("HOME", row.home, 1);
        EXPECT_EQ(DefaultFallbackLogFolder(), row.expected);
    }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() / "klarwell_engine_tests"));
}

}  // namespace
}  // namespace klarwell::engine
