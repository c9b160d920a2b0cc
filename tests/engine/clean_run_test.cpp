#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/batch_run.h"
#include "engine/clean_command.h"
#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "engine/rename_step.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/faulty_file_system.h"

// A clean run on real temporary folders: the command, the batch, the rename step and the log.
namespace klarwell::engine {
namespace {

using namespace testing;

// Started without standard input, the program gets descriptor 0 for the first file it opens.
[[maybe_unused]] const int kNoStandardInput = ::close(STDIN_FILENO);

const std::string kBackupBox = BoxEvent(kTitle, Buttons::YesNo, kBackupWarning);
const std::string kCancelled = "status " + std::string(kCanceledStatus);

// The digit count is checked whatever the backup answer; a No or a refusal cancels the command.
TEST(RunCleanCommand, DeclinedOrDigitCountRefused) {
    struct Row {
        const char* why;
        int files;
        int width;
        std::int32_t firstIndex;
        std::string message;  // empty: no refusal, the summary is asked and answered No
        Answer backup = Answer::Yes;
        bool numbering = true;
    };
    const Row rows[] = {
        {"12 files need two digits", 12, 1, 1, DigitCountText(2, 12)},
        {"the check follows a declined backup warning too", 12, 1, 1, DigitCountText(2, 12),
         Answer::No},
        {"a start index of 2 is named", 10, 1, 2, DigitCountText(2, 10, "2")},
        {"No to the backup warning", 9, 1, 1, "", Answer::No},
        {"9 files fit one digit", 9, 1, 1, ""},
        {"first index 0 makes the highest index 9 for 10 files", 10, 1, 0, ""},
        {"a minus sign counts: one file from -5", 1, 1, -5, DigitCountText(2, 1)},
        {"no check while index numbering is off", 100, 1, 1, "", Answer::Yes, false},
        {"the top of the index range does not wrap", 2, 9, 2147483647,
         DigitCountText(10, 2, "2147483647")},
    };
    const std::string summary =
        BoxEvent(kConfirmationTitle, Buttons::YesNo,
                 std::string(kKeepOpening) + ", as well as replace spaces with underscores." +
                     std::string(kQuestion));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Settings.FileNames =
            NameList(std::vector<std::string>(static_cast<std::size_t>(row.files), "clean.mp3"));
        f.Settings.IndexNumbering = row.numbering;
        f.Settings.FileCountChars = row.width;
        f.Settings.FirstIndex = row.firstIndex;
        Answers answers = {row.backup};
        Lines events = {kBackupBox};
        if (!row.message.empty()) {
            answers.push_back(Answer::Ok);
            events.push_back(BoxEvent(kTitle, Buttons::Ok, row.message));
        } else if (row.backup == Answer::Yes) {
            answers.push_back(Answer::No);
            events.push_back(summary);
        }
        events.push_back(kCancelled);
        ScriptedUserInterface ui(answers);
        PosixFileSystem fs;
        EXPECT_EQ(RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log),
                  row.message.empty() ? CleanOutcome::Declined : CleanOutcome::WidthRefused);
        EXPECT_EQ(ui.Events(), events);
    }
}

// The bar is shown around the batch, and the numbering restarts whatever a run before left.
TEST(RunCleanCommand, ConfirmedRunShowsTheBarAroundTheBatchAndNumbersAfresh) {
    EngineFixture f;
    f.Music.Create({"x.mp3: x", "y.mp3: y"});
    f.Settings = Options().Prefix("#_").Width(2).First(0);
    f.Settings.FolderPath = f.Music.Path();
    f.Settings.FileNames = {"x.mp3", "y.mp3"};
    f.Settings.IndexNumbering = true;
    f.Run.CurFileCount = 77;
    ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    PosixFileSystem fs;
    EXPECT_EQ(RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log), CleanOutcome::Ran);
    const std::string text = std::string(kKeepOpening) +
                             ", as well as replace spaces with underscores.\r\n\r\nAdditionally, "
                             "you have chosen to prepend \"00_\" to your file names." +
                             std::string(kQuestion);
    EXPECT_EQ(ui.Events(),
              (Lines{kBackupBox, BoxEvent(kConfirmationTitle, Buttons::YesNo, text), "show",
                     "yield", "select 0", "progress 0", Cleaned(1), "select 1", "progress 100",
                     Cleaned(2), "progress 100", "reread", FinishedBox(2), "hide"}));
    EXPECT_EQ(f.Music.Entries(), (Lines{"00_x.mp3: x", "01_y.mp3: y"}));
}

// Each listed file holds its own name. The list is read once, before the run.
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
        {"only audio files that need cleaning; the bar moves for every entry",
         Lines{"01 Intro.mp3", "notes here.txt", "Song.Mp3"}, Options(), Answers{Ok},
         Lines{"select 0", "progress 0", Cleaned(1), "select 1", "progress 50", "select 2", done,
               done, "reread", FinishedBox(1)},
         Lines{"01_Intro.mp3: 01 Intro.mp3", "Song.Mp3: Song.Mp3",
               "notes here.txt: notes here.txt"}},
        {"a Cancel ends the loop before the next entry",
         Lines{"a a.mp3", "_.mp3", "b b.mp3", "c c.mp3", "d d.mp3"}, Options().Mode(kRemoveBoth),
         Answers{Cancel, Ok},
         Lines{"select 0", "progress 0", Cleaned(1), "select 1", "progress 25",
               EmptyNameBox("_.mp3"), done, "reread", FinishedBox(1)},
         Lines{"_.mp3: _.mp3", "aa.mp3: a a.mp3", "b b.mp3: b b.mp3", "c c.mp3: c c.mp3",
               "d d.mp3: d d.mp3"}},
        {"a skipped file gives its index number to the next rename",
         Lines{"a a.mp3", "b b.mp3", "c c.mp3"}, Options().Prefix("Track#-").Width(3),
         Answers{No, Ok},
         Lines{"select 0", "progress 0", Cleaned(1), "select 1", "progress 50",
               ConflictBox("b b.mp3", "Track002-b_b.mp3"), "select 2", done, Cleaned(2), done,
               "reread", FinishedBox(2)},
         Lines{"Track001-a_a.mp3: a a.mp3", "Track002-b_b.mp3: other", "Track002-c_c.mp3: c c.mp3",
               "b b.mp3: b b.mp3"},
         Lines{"Track002-b_b.mp3: other"}},
        {"a renumbering chain moves each file once", Lines{"n1.mp3", "n2.mp3", "n3.mp3"},
         Options().Discard().Prefix("n#").First(2), Answers{Yes, Ok},
         Lines{"select 0", "progress 0", ConflictBox("n1.mp3", "n2.mp3"), Cleaned(1), "select 1",
               "progress 50", "select 2", done, done, "reread", FinishedBox(1)},
         Lines{"n2.mp3: n1.mp3", "n3.mp3: n3.mp3"}},
        {"an entry whose file a rename took away is not found, and nothing is lost",
         Lines{"a b.mp3", "a b.mp3"}, Options(), Answers{Yes, Ok, Ok},
         Lines{"select 0", "progress 0", Cleaned(1), "select 1", done,
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
        settings.FileNames = NameList(row.listed);
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

// Once a run, and only after a rename, so that what "Finished!" reports is on the disk.
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

// Whatever happens to the chosen folder's path during a run, each rename reaches the folder the
// list was read from, never a folder that took its path.
TEST(RunBatch, RenamesStayInTheFolderTheListCameFrom) {
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "the path replaced by a link" : "another folder moved to the path");
        EngineFixture f;
        f.Music.Create({"music/", "music/a a.mp3: a", "music/b b.mp3: b", "decoy/",
                        "decoy/a a.mp3: decoy", "decoy/b b.mp3: decoy"});
        const std::filesystem::path root = f.Music.Path();
        f.Settings.FolderPath = root / "music";
        f.Settings.FileNames = {"a a.mp3", "b b.mp3"};
        ScriptedUserInterface ui({Answer::Ok});
        FaultyFileSystem fs({.BeforeRename = [&](const std::filesystem::path&) {
            if (!std::filesystem::exists(root / "moved")) {
                std::filesystem::rename(root / "music", root / "moved");
                link ? std::filesystem::create_directory_symlink("decoy", root / "music")
                     : std::filesystem::rename(root / "decoy", root / "music");
            }
        }});
        RunBatch(f.Settings, f.Run, ui, fs, f.Log);
        EXPECT_EQ(f.Music.Read("moved/a_a.mp3") + f.Music.Read("moved/b_b.mp3"), "ab");
        EXPECT_EQ(f.Music.Read("music/a a.mp3") + f.Music.Read("music/b b.mp3"), "decoydecoy");
        EXPECT_EQ(FileExists(fs, root / "moved") * 10 + FileExists(fs, root / "gone"), -10);
    }
}

// "a b.mp3" gets the row's base name and ".mp3", with 5 index numbers handed out. Only a rename is
// counted and logged, after the log's earlier lines.
TEST(RenameStep, EveryOutcomeOfOneFile) {
    using enum Answer;
    struct Row {
        const char* why;
        Lines before;  // the folder
        std::string newFilename;
        Answers answers;
        Lines events;
        Lines after;
        std::int32_t handedOut;  // 4: the index number was given back
        Faults faults = {};
        std::string listed = "a b.mp3";
    };
    const Lines mine = {"a b.mp3: mine"};
    const Lines renamed = {"a_b.mp3: mine"};
    const Lines both = {"a b.mp3: mine", "a_b.mp3: other"};
    const Lines late = {"a b.mp3: mine", "a_b.mp3: late"};
    const Lines selfLink = {"a b.mp3 -> a_b.mp3", "a_b.mp3: only copy"};
    const std::string conflict = ConflictBox("a b.mp3", "a_b.mp3");
    const std::string cleaned = Cleaned(1);
    const auto failed = [](std::string_view reason, std::string_view target = "a_b.mp3") {
        return FailureBox("a b.mp3", target, reason);
    };
    const auto appear = [](const std::filesystem::path& from) {
        std::ofstream(from.parent_path() / "a_b.mp3") << "late";
    };
    const auto vanish = [](const std::filesystem::path& from) { ::unlink(from.c_str()); };
    const std::string tooLong(300, 'x');
    const Row rows[] = {
        {"a plain rename, bytes as they are", Lines{"a\xe9 b.mp3: mine"}, "a\xe9_b", Answers{},
         Lines{cleaned}, Lines{"a\xe9_b.mp3: mine"}, 5, Faults{}, "a\xe9 b.mp3"},
        {"an unchanged name gives its index back", mine, "a b", Answers{}, Lines{}, mine, 4},
        {"an empty name, OK skips the file", mine, "", Answers{Ok}, Lines{EmptyNameBox("a b.mp3")},
         mine, 4},
        {"an empty base though unchanged, Cancel stops", Lines{".mp3: x"}, "", Answers{Cancel},
         Lines{EmptyNameBox(".mp3")}, Lines{".mp3: x"}, 4, Faults{}, ".mp3"},
        {"a conflict, No keeps both", both, "a_b", Answers{No}, Lines{conflict}, both, 4},
        {"a conflict, Yes replaces", both, "a_b", Answers{Yes}, Lines{conflict, cleaned}, renamed,
         5},
        {"a conflict, Cancel stops and keeps the index", both, "a_b", Answers{Cancel},
         Lines{conflict}, both, 5},
        {"a folder bearing the name is a conflict", Lines{"a b.mp3: mine", "a_b.mp3/"}, "a_b",
         Answers{No}, Lines{conflict}, Lines{"a b.mp3: mine", "a_b.mp3/"}, 4},
        {"a refused rename, OK goes on", mine, "a_b", Answers{Ok},
         Lines{failed("Permission denied")}, mine, 4,
         Faults{.RenameName = "a b.mp3", .RenameError = EACCES}},
        {"a name too long, Cancel stops", mine, tooLong, Answers{Cancel},
         Lines{failed("File name too long", tooLong + ".mp3")}, mine, 4},
        {"the source vanished", mine, "a_b", Answers{Ok},
         Lines{failed("No such file or directory")}, Lines{}, 4, Faults{.BeforeRename = vanish}},
        {"a late file at the target is asked about", mine, "a_b", Answers{No}, Lines{conflict},
         late, 4, Faults{.BeforeRename = appear}},
        {"without no-replace, the hard link finds a late file", mine, "a_b", Answers{No},
         Lines{conflict}, late, 4, Faults{.NoReplaceError = EINVAL, .BeforeRename = appear}},
        {"without no-replace or links, a look finds a late file", mine, "a_b", Answers{No},
         Lines{conflict}, late, 4,
         Faults{.NoReplaceError = EINVAL, .LinkError = EPERM, .BeforeRename = appear}},
        {"the old name stays after the link: the new is taken back", mine, "a_b", Answers{Ok},
         Lines{failed("Permission denied")}, mine, 4,
         Faults{.RemoveName = "a b.mp3", .RemoveError = EACCES, .NoReplaceError = EINVAL}},
        {"a separator would move the file", Lines{"a b.mp3: mine", "sub/"}, "sub/a", Answers{Ok},
         Lines{failed("Invalid argument", "sub/a.mp3")}, Lines{"a b.mp3: mine", "sub/"}, 4},
        {"a NUL would cut the name short", mine, std::string("a\0b", 3), Answers{Ok},
         Lines{failed("Invalid argument", std::string("a\0b.mp3", 7))}, mine, 4},
        {"a failed replace leaves both files", both, "a_b", Answers{Yes, Ok},
         Lines{conflict, failed("Permission denied")}, both, 4,
         Faults{.RenameName = "a_b.mp3", .RenameError = EACCES}},
        // Replacing the file it points to would leave the link to nothing.
        {"a link whose new name is its own file", selfLink, "a_b", Answers{Yes, Ok},
         Lines{conflict, failed("it is a link to the file that has that name")}, selfLink, 4},
        {"a FUSE mount answers EINVAL: link, then unlink", mine, "a_b", Answers{}, Lines{cleaned},
         renamed, 5, Faults{.NoReplaceError = EINVAL}},
        {"an old kernel answers ENOSYS", mine, "a_b", Answers{}, Lines{cleaned}, renamed, 5,
         Faults{.NoReplaceError = ENOSYS}},
        {"no links either: look, then rename", mine, "a_b", Answers{}, Lines{cleaned}, renamed, 5,
         Faults{.NoReplaceError = EINVAL, .LinkError = EOPNOTSUPP}},
        {"too many links to the file: look, then rename", mine, "a_b", Answers{}, Lines{cleaned},
         renamed, 5, Faults{.NoReplaceError = EINVAL, .LinkError = EMLINK}},
        {"a link refused for another reason is a failure", mine, "a_b", Answers{Ok},
         Lines{failed("Permission denied")}, mine, 4,
         Faults{.NoReplaceError = EINVAL, .LinkError = EACCES}},
        {"Yes over a hard link", Lines{"a b.mp3: mine", "a_b.mp3 => a b.mp3"}, "a_b", Answers{Yes},
         Lines{conflict, cleaned}, renamed, 5},
        {"Yes over a link to the file", Lines{"a b.mp3: mine", "a_b.mp3 -> a b.mp3"}, "a_b",
         Answers{Yes}, Lines{conflict, cleaned}, renamed, 5},
        {"a link to nothing is a conflict", Lines{"a b.mp3: mine", "a_b.mp3 -> gone.mp3"}, "a_b",
         Answers{Yes}, Lines{conflict, cleaned}, renamed, 5},
        {"a case-only change on a case-blind disk", mine, "A b", Answers{Yes},
         Lines{ConflictBox("a b.mp3", "A b.mp3"), cleaned}, Lines{"A b.mp3: mine"}, 5,
         Faults{.IgnoreCase = true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EngineFixture f;
        f.Music.Create(row.before);
        f.Program.CreateFile("cleanup.log", "old\r\n");
        FaultyFileSystem fs(row.faults);
        ScriptedUserInterface ui(row.answers);
        f.Run.CurFileCount = 5;
        f.Run.NewFilename = row.newFilename;
        f.Run.FileExtension = ".mp3";
        RenameStep(row.listed, f.Settings, f.Run, ui, fs, f.Log);
        EXPECT_EQ(ui.Events(), row.events);
        EXPECT_EQ(f.Music.Entries(), row.after);
        EXPECT_EQ(f.Run.CurFileCount, row.handedOut);
        EXPECT_EQ(f.Run.CancelProcess,
                  !row.answers.empty() && row.answers.back() == Answer::Cancel);
        const bool logged = !row.events.empty() && row.events.back() == cleaned;
        EXPECT_EQ(f.Run.Corrections, logged ? 1 : 0);
        const std::string line = logged ? f.Logged(row.listed, row.newFilename + ".mp3") : "";
        EXPECT_EQ(f.LogText(), "old\r\n" + line);
    }
}

// The program folder's log, else the state folder's; when neither takes a line, the user is told
// once a run. Only the logs a run wrote are flushed.
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
    const std::string line = LogLineText("/music/a a.mp3", "/music/a_a.mp3");
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
        {"a log of one empty line", "\r\n", "\r\nnew\r\n"},
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

// A log the user may write but not read still takes the line, after the old ones.
TEST(AppendLine, WriteOnlyLog) {
    TempFolder folder;
    const std::filesystem::path log = folder.Path() / "cleanup.log";
    folder.CreateFile("cleanup.log", "old\r\n");
    constexpr uid_t kNobody = 65534;  // root reads any file: the writer is another user
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0711) + ::chmod(log.c_str(), 0200), 0);
    ASSERT_EQ(root ? ::chown(log.c_str(), kNobody, kNobody) : 0, 0);
    EXPECT_EXIT(std::_Exit(root && ::setuid(kNobody) != 0                 ? 2
                           : PosixFileSystem{}.AppendLine(log, "new\r\n") ? 1
                                                                          : 0),
                ::testing::ExitedWithCode(0), "");
    ASSERT_EQ(::chmod(log.c_str(), 0600), 0);
    EXPECT_EQ(folder.Read("cleanup.log"), "old\r\nnew\r\n");
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
