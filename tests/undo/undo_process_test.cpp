// klarwell-undo run as a child process on real folders, after runs of the engine and of a
// klarwell-batch that is killed part-way.

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/clean_command.h"
#include "engine/posix_file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/program_texts.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

using klarwell::engine::Answer;
using klarwell::testing::EngineFixture;
using klarwell::testing::TempFolder;
namespace texts = klarwell::testing::texts;
using Lines = std::vector<std::string>;
using Snapshot = std::map<std::string, std::string>;  // name -> content

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

Snapshot Take(const TempFolder& folder) {
    Snapshot files;
    for (const std::string& name : folder.Names()) {
        files[name] = folder.Read(name);
    }
    return files;
}

struct Outcome {
    int Status = -1;
    Lines Out;
    Lines Err;
};

// Starts a program with stdin from /dev/null (not a terminal), stdout to `out`, and its state
// folder in `work`, so that nothing lands under $HOME.
pid_t Start(const std::string& program, const Lines& args, const TempFolder& work, int out,
            const std::filesystem::path& cwd = {}) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        setenv("XDG_STATE_HOME", (work.Path() / "state").c_str(), 1);
        const int err = open((work.Path() / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if ((cwd.empty() || chdir(cwd.c_str()) == 0) && dup2(open("/dev/null", O_RDONLY), 0) == 0 &&
            dup2(out, 1) == 1 && dup2(err, 2) == 2) {
            execv(program.c_str(), argv.data());
        }
        _exit(127);
    }
    return pid;
}

Outcome RunProgram(const std::string& program, const Lines& args, const TempFolder& work,
                   const std::filesystem::path& cwd = {}) {
    const std::filesystem::path out = work.Path() / "out.txt";
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t pid = Start(program, args, work, fd, cwd);
    close(fd);
    int raw = 0;
    waitpid(pid, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, SplitLines(ReadFile(out)),
            SplitLines(ReadFile(work.Path() / "err.txt"))};
}

Outcome Undo(const Lines& args, const TempFolder& work, const std::filesystem::path& cwd = {}) {
    return RunProgram(KLARWELL_UNDO_PATH, args, work, cwd);
}

// A log line as the program writes it, for a folder without bytes that need escaping.
std::string Logged(const std::string& folder, std::string_view oldName, std::string_view newName) {
    return "Re-named" + folder + "/" + std::string(oldName) + " as " + folder + "/" +
           std::string(newName) + "\r\n";
}

TEST(KlarwellUndo, TakesBackACleanRunExactlyAndASecondUndoRedoesIt) {
    EngineFixture f;
    const std::vector<std::string> names{"01 It's @Live #1.mp3", "back\\x41slash & more 2.wav",
                                         "new\nline\x7f 3.mp3",  "bad\xe9 name 04.mp3",
                                         "x as y.MP3",           "tab\tkeyword Live.mp2"};
    for (const std::string& name : names) {
        f.Music.CreateFile(name, "content of " + name);
    }
    f.Music.CreateFile("notes.txt", "not audio");
    f.Settings = klarwell::testing::Options()
                     .Leading()
                     .Trailing()
                     .Pair(0, "Live", "(live)")
                     .Pair(1, "y", "")
                     .Prefix("#-")
                     .Suffix(" [#]")
                     .Width(2);
    f.Settings.FolderChosen = true;
    f.Settings.FolderPath = f.Music.Path();
    f.Settings.FileNames = names;
    f.Settings.IndexNumbering = true;
    f.Settings.FirstIndex = 7;
    const Snapshot before = Take(f.Music);
    klarwell::testing::ScriptedUserInterface ui({Answer::Yes, Answer::Yes, Answer::Ok});
    klarwell::engine::PosixFileSystem fs;
    klarwell::engine::RunCleanCommand(f.Settings, f.Run, ui, fs, f.Log);
    ASSERT_EQ(f.Run.Corrections, 6);
    const Snapshot cleaned = Take(f.Music);

    // The folder is named with a trailing "/" first, then through a link to it.
    const std::string log = (f.Program.Path() / "cleanup.log").native();
    const Outcome undo =
        Undo({"--log", log, "--last", "6", f.Music.Path().native() + "/"}, f.State);
    EXPECT_EQ(undo.Status, 0);
    EXPECT_EQ(undo.Out, (Lines{texts::UndoSummary(6, 0, 0), std::string(texts::kUndoLost)}));
    EXPECT_EQ(Take(f.Music), before);

    std::filesystem::create_directory_symlink(f.Music.Path(), f.State.Path() / "link");
    const Outcome redo = Undo({"--log", log, "--last", "6", "link"}, f.State, f.State.Path());
    EXPECT_EQ(redo.Status, 0);
    EXPECT_EQ(Take(f.Music), cleaned);
    EXPECT_EQ(SplitLines(ReadFile(log)).size(), 18u);
}

TEST(KlarwellUndo, SkipsWhatCannotBeTakenBackWithItsReasonAndTouchesNothingElse) {
    TempFolder music;
    TempFolder other;
    TempFolder work;
    const std::string m = music.Path().native();
    music.CreateFile("a_b.mp3", "A");
    music.CreateFile("c d.mp3", "C new");
    music.CreateFile("c_d.mp3", "C");
    other.CreateFile("g_h.mp3", "G");
    const std::string logText = Logged(m, "a b.mp3", "a_b.mp3") + Logged(m, "c d.mp3", "c_d.mp3") +
                                Logged(other.Path(), "g h.mp3", "g_h.mp3") +
                                Logged(m, "e f.mp3", "e_f.mp3") + "Re-named" + m +
                                "/k l.mp3 a\r\n" + "Re-named" + m + "/i j.mp3 as " + m + "/i_";
    const std::filesystem::path log = work.Path() / "cleanup.log";
    std::ofstream(log, std::ios::binary) << logText;
    const Lines notes{texts::UndoLineSkipped(5, log.native(), texts::kLineNoSplit),
                      texts::UndoLineSkipped(6, log.native(), texts::kLineTorn)};
    const Snapshot before = Take(music);

    const Outcome plan = Undo({"--dry-run", "--log", log.native(), m}, work);
    EXPECT_EQ(plan.Status, 0);
    EXPECT_EQ(
        plan.Out,
        (Lines{texts::UndoPlan("e f.mp3", "e_f.mp3"), texts::UndoPlan("c d.mp3", "c_d.mp3"),
               texts::UndoPlan("a b.mp3", "a_b.mp3"), "3" + std::string(texts::kUndoPlanned)}));
    EXPECT_EQ(plan.Err, notes);
    EXPECT_EQ(Take(music), before);
    EXPECT_EQ(ReadFile(log), logText);

    const Outcome undo = Undo({"--yes", "--log", log.native(), m}, work);
    EXPECT_EQ(undo.Status, 1);
    EXPECT_EQ(undo.Out, (Lines{texts::UndoNotFound("e f.mp3", "e_f.mp3"),
                               texts::UndoTaken("c d.mp3", "c_d.mp3"), texts::UndoSummary(1, 1, 1),
                               std::string(texts::kUndoLost)}));
    EXPECT_EQ(undo.Err, notes);
    EXPECT_EQ(Take(music), (Snapshot{{"a b.mp3", "A"}, {"c d.mp3", "C new"}, {"c_d.mp3", "C"}}));
    EXPECT_EQ(Take(other), (Snapshot{{"g_h.mp3", "G"}}));
    // The torn fragment keeps a line of its own.
    EXPECT_EQ(ReadFile(log), logText + "\r\n" + Logged(m, "a_b.mp3", "a b.mp3"));
}

TEST(KlarwellUndo, RefusesBadArgumentsWithoutTouchingTheFolder) {
    TempFolder music;
    TempFolder work;
    music.CreateFile("a_b.mp3");
    const std::string m = music.Path().native();
    const std::string log = (work.Path() / "cleanup.log").native();
    std::ofstream(log, std::ios::binary) << Logged(m, "a b.mp3", "a_b.mp3");
    struct Row {
        const char* why;
        Lines args;
    };
    const Row rows[] = {
        {"a count of 0", {"--log", log, "--last", "0", m}},
        {"a folder that is not there", {"--log", log, "--last", "1", m + "/nothing"}},
        {"a log that is not there", {"--log", log + ".old", "--last", "1", m}},
        {"a log that is a folder", {"--log", m, "--last", "1", m}},
        {"every rename without --yes when standard input is no terminal", {"--log", log, m}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        const Outcome outcome = Undo(row.args, work);
        EXPECT_EQ(outcome.Status, 2);
        EXPECT_TRUE(outcome.Out.empty());
        EXPECT_EQ(music.Names(), Lines{"a_b.mp3"});
    }
}

TEST(KlarwellUndo, ReadsTheLogBesideTheProgramAndTheStateFolderOlderFirst) {
    TempFolder music;
    TempFolder work;
    const std::string m = music.Path().native();
    music.CreateFile("a_b.mp3");
    music.CreateFile("c_d.mp3");
    const std::filesystem::path bin = work.Path() / "bin";
    const std::filesystem::path state = work.Path() / "state" / "klarwell";
    std::filesystem::create_directories(state);
    std::filesystem::create_directory(bin);
    std::filesystem::copy_file(KLARWELL_UNDO_PATH, bin / "klarwell-undo");
    std::ofstream(bin / "cleanup.log", std::ios::binary) << Logged(m, "a b.mp3", "a_b.mp3");
    std::ofstream(state / "cleanup.log", std::ios::binary) << Logged(m, "c d.mp3", "c_d.mp3");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(bin / "cleanup.log", now - std::chrono::hours(1));
    std::filesystem::last_write_time(state / "cleanup.log", now);

    const Outcome undo = RunProgram((bin / "klarwell-undo").native(), {"--last", "1", m}, work);
    EXPECT_EQ(undo.Status, 0);
    EXPECT_EQ(undo.Err, Lines{std::string(texts::kUndoBothLogs) + (bin / "cleanup.log").native() +
                              " and " + (state / "cleanup.log").native()});
    EXPECT_EQ(music.Names(), (Lines{"a_b.mp3", "c d.mp3"}));
    // The rename back went beside the program, so it is now the newest line of all.
    EXPECT_EQ(ReadFile(bin / "cleanup.log"),
              Logged(m, "a b.mp3", "a_b.mp3") + Logged(m, "c_d.mp3", "c d.mp3"));
}

TEST(KlarwellUndo, TakesBackTheLinesOfARunKilledAtARandomMoment) {
    constexpr int kFiles = 2000;
    TempFolder music;
    TempFolder work;
    auto original = [](int i) { return "track " + std::to_string(10000 + i) + ".mp3"; };
    for (int i = 0; i < kFiles; ++i) {
        music.CreateFile(original(i), std::to_string(i));
    }
    std::random_device seed;
    const int killAt = std::uniform_int_distribution<int>(1, kFiles - 1)(seed);
    SCOPED_TRACE("killed after " + std::to_string(killAt) + " reported renames");

    // The batch prints a status line after each logged rename. A small pipe keeps it at most a
    // few renames ahead of this reader, so the kill lands part-way, at no fixed moment.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    fcntl(pipeEnds[1], F_SETPIPE_SZ, 4096);
    const pid_t pid = Start(KLARWELL_BATCH_PATH,
                            {"--answers", "Yes,Yes,OK", "--log-dir", work.Path(), music.Path()},
                            work, pipeEnds[1]);
    close(pipeEnds[1]);
    std::FILE* output = fdopen(pipeEnds[0], "r");
    char* line = nullptr;
    std::size_t size = 0;
    for (int reported = 0; reported < killAt && getline(&line, &size, output) > 0;) {
        reported += std::string_view(line).find(" cleaned\"") != std::string_view::npos ? 1 : 0;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    free(line);
    std::fclose(output);

    const std::string log = ReadFile(work.Path() / "cleanup.log");
    const auto whole = std::count(log.begin(), log.end(), '\n');
    ASSERT_GE(whole, killAt);
    const Outcome undo =
        Undo({"--log", work.Path() / "cleanup.log", "--last", std::to_string(whole), music.Path()},
             work);
    EXPECT_EQ(undo.Status, 0);
    // Every file is back but the one whose rename was in flight and not logged; none is lost.
    int notBack = 0;
    for (int i = 0; i < kFiles; ++i) {
        std::string cleaned = original(i);
        cleaned[5] = '_';
        const bool back = music.Read(original(i)) == std::to_string(i);
        notBack += back ? 0 : 1;
        EXPECT_TRUE(back || music.Read(cleaned) == std::to_string(i)) << original(i);
    }
    EXPECT_LE(notBack, 1);
    EXPECT_EQ(music.Names().size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
