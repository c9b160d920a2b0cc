// klarwell-undo run as a child process on real folders, after runs of the engine and of a
// klarwell-batch that is killed part-way.

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
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
    for (std::size_t start = 0, end = 0; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
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

// Runs a program with stdin from /dev/null (not a terminal) and its state folder in `work`, so
// that nothing lands under $HOME.
Outcome RunProgram(const std::string& program, const Lines& args, const TempFolder& work,
                   const std::filesystem::path& cwd = {}) {
    const std::filesystem::path out = work.Path() / "out.txt";
    const std::filesystem::path err = work.Path() / "err.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        setenv("XDG_STATE_HOME", (work.Path() / "state").c_str(), 1);
        const bool ready = (cwd.empty() || chdir(cwd.c_str()) == 0) &&
                           dup2(open("/dev/null", O_RDONLY), 0) == 0 &&
                           dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1) == 1 &&
                           dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2) == 2;
        if (ready) {
            execv(program.c_str(), argv.data());
        }
        _exit(127);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, SplitLines(ReadFile(out)),
            SplitLines(ReadFile(err))};
}

Outcome Undo(const Lines& args, const TempFolder& work, const std::filesystem::path& cwd = {}) {
    return RunProgram(KLARWELL_UNDO_PATH, args, work, cwd);
}

std::string Summary(int renamed, int skipped, int notFound) {
    return std::to_string(renamed) + " renamed back, " + std::to_string(skipped) + " skipped, " +
           std::to_string(notFound) + " not found.";
}

std::string Plan(std::string_view oldName, std::string_view newName) {
    return std::string(oldName) + std::string(texts::kUndoArrow) + std::string(newName);
}

TEST(KlarwellUndo, TakesBackACleanRunExactlyAndASecondUndoRedoesIt) {
    EngineFixture f;
    const std::vector<std::string> names{"01 It's @Live #1.mp3", "back\\slash & more 2.wav",
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
    EXPECT_EQ(undo.Out, (Lines{Summary(6, 0, 0), std::string(texts::kUndoLost)}));
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
    const std::string fragment = "Re-named" + m + "/i j.mp3 as " + m + "/i_";
    const std::string logText = "Re-named" + m + "/a b.mp3 as " + m + "/a_b.mp3\r\n" + "Re-named" +
                                m + "/c d.mp3 as " + m + "/c_d.mp3\r\n" + "Re-named" +
                                other.Path().native() + "/g h.mp3 as " + other.Path().native() +
                                "/g_h.mp3\r\n" + "Re-named" + m + "/e f.mp3 as " + m +
                                "/e_f.mp3\r\n" + "Re-named" + m + "/k l.mp3 a\r\n" + fragment;
    const std::filesystem::path log = work.Path() / "cleanup.log";
    std::ofstream(log, std::ios::binary) << logText;
    const Lines notes{"klarwell-undo: line 5 of " + log.native() + " " +
                          std::string(texts::kLineNoSplit) + ", skipped",
                      "klarwell-undo: line 6 of " + log.native() + " " +
                          std::string(texts::kLineTorn) + ", skipped"};
    const Snapshot before = Take(music);

    const Outcome plan = Undo({"--dry-run", "--log", log.native(), m}, work);
    EXPECT_EQ(plan.Status, 0);
    EXPECT_EQ(plan.Out,
              (Lines{Plan("e f.mp3", "e_f.mp3"), Plan("c d.mp3", "c_d.mp3"),
                     Plan("a b.mp3", "a_b.mp3"), "3" + std::string(texts::kUndoPlanned)}));
    EXPECT_EQ(plan.Err, notes);
    EXPECT_EQ(Take(music), before);
    EXPECT_EQ(ReadFile(log), logText);

    const Outcome undo = Undo({"--yes", "--log", log.native(), m}, work);
    EXPECT_EQ(undo.Status, 1);
    EXPECT_EQ(undo.Out, (Lines{"not found: " + Plan("e f.mp3", "e_f.mp3") + ": e_f.mp3 is gone",
                               "skipped: " + Plan("c d.mp3", "c_d.mp3") + ": c d.mp3 is taken",
                               Summary(1, 1, 1), std::string(texts::kUndoLost)}));
    EXPECT_EQ(undo.Err, notes);
    EXPECT_EQ(Take(music), (Snapshot{{"a b.mp3", "A"}, {"c d.mp3", "C new"}, {"c_d.mp3", "C"}}));
    EXPECT_EQ(Take(other), (Snapshot{{"g_h.mp3", "G"}}));
    // The torn fragment keeps a line of its own.
    EXPECT_EQ(ReadFile(log), logText + "\r\nRe-named" + m + "/a_b.mp3 as " + m + "/a b.mp3\r\n");
}

TEST(KlarwellUndo, RefusesBadArgumentsWithoutTouchingTheFolder) {
    TempFolder music;
    TempFolder work;
    music.CreateFile("a_b.mp3");
    const std::string m = music.Path().native();
    const std::string log = (work.Path() / "cleanup.log").native();
    std::ofstream(log, std::ios::binary) << "Re-named" + m + "/a b.mp3 as " + m + "/a_b.mp3\r\n";
    struct Row {
        const char* why;
        Lines args;
    };
    const Row rows[] = {
        {"no folder", {"--log", log, "--last", "1"}},
        {"a count of 0", {"--log", log, "--last", "0", m}},
        {"a count that is not a number", {"--log", log, "--last", "1x", m}},
        {"an unknown option", {"--log", log, "--force", m}},
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
    std::ofstream(bin / "cleanup.log", std::ios::binary)
        << "Re-named" + m + "/a b.mp3 as " + m + "/a_b.mp3\r\n";
    std::ofstream(state / "cleanup.log", std::ios::binary)
        << "Re-named" + m + "/c d.mp3 as " + m + "/c_d.mp3\r\n";
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(bin / "cleanup.log", now - std::chrono::hours(1));
    std::filesystem::last_write_time(state / "cleanup.log", now);

    const Outcome undo = RunProgram((bin / "klarwell-undo").native(), {"--last", "1", m}, work);
    EXPECT_EQ(undo.Status, 0);
    EXPECT_EQ(undo.Err, Lines{std::string(texts::kUndoBothLogs) + (bin / "cleanup.log").native() +
                              " and " + (state / "cleanup.log").native()});
    EXPECT_EQ(music.Names(), (Lines{"a_b.mp3", "c d.mp3"}));
    // The rename back went beside the program, so it is now the newest line of all.
    EXPECT_EQ(ReadFile(bin / "cleanup.log"), "Re-named" + m + "/a b.mp3 as " + m +
                                                 "/a_b.mp3\r\nRe-named" + m + "/c_d.mp3 as " + m +
                                                 "/c d.mp3\r\n");
}

// Reads the batch's JSON lines until `renames` renames have been reported, then kills it.
void KillAfter(pid_t pid, int output, int renames) {
    std::string seen;
    char buffer[4096];
    int reported = 0;
    for (ssize_t got = 0; reported < renames && (got = read(output, buffer, sizeof buffer)) > 0;) {
        seen.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t at = 0; (at = seen.find(" cleaned\"", at)) != std::string::npos; ++at) {
            ++reported;
        }
        // Keep a tail too short to hold a whole mark, so no mark is counted twice.
        seen.erase(0, seen.size() > 8 ? seen.size() - 8 : 0);
    }
    kill(pid, SIGKILL);
    close(output);
    waitpid(pid, nullptr, 0);
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
    const int killAt = std::uniform_int_distribution<int>(1, kFiles)(seed);
    SCOPED_TRACE("killed after " + std::to_string(killAt) + " reported renames");

    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], 1);
        close(pipeEnds[0]);
        setenv("XDG_STATE_HOME", (work.Path() / "state").c_str(), 1);
        execl(KLARWELL_BATCH_PATH, KLARWELL_BATCH_PATH, "--answers", "Yes,Yes,OK", "--log-dir",
              work.Path().c_str(), music.Path().c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    KillAfter(pid, pipeEnds[0], killAt);

    const std::string log = ReadFile(work.Path() / "cleanup.log");
    int whole = 0;
    for (std::size_t at = 0; (at = log.find("\r\n", at)) != std::string::npos; at += 2) {
        ++whole;
    }
    ASSERT_GE(whole, killAt);
    const Outcome undo = Undo({"--log", (work.Path() / "cleanup.log").native(), "--last",
                               std::to_string(whole), music.Path().native()},
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
