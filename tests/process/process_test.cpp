// Runs the real klarwell-batch on real folders, with faults injected into the process and with
// SIGKILL at random moments, and checks that no file the user did not agree to lose is lost and
// that cleanup.log holds whole lines only.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

using klarwell::testing::TempFolder;
using Environment = std::vector<std::string>;
// Name to content.
using Files = std::map<std::string, std::string>;

Files Contents(const TempFolder& folder) {
    Files files;
    for (const std::string& name : folder.Names()) {
        files[name] = folder.Read(name);
    }
    return files;
}

struct HarnessRun {
    TempFolder Music;
    TempFolder Work;  // the program's log folder and the state folder

    [[nodiscard]] std::filesystem::path Log() const { return Work.Path() / "cleanup.log"; }
    // The logs' texts, or "<missing>".
    [[nodiscard]] std::string LogText() const { return Work.Read("cleanup.log"); }
    [[nodiscard]] std::string StateLogText() const {
        return Work.Read("state/klarwell/cleanup.log");
    }
    [[nodiscard]] std::string InMusic(std::string_view name) const {
        return Music.Path().native() + "/" + std::string(name);
    }
    [[nodiscard]] std::string LogLine(std::string_view from, std::string_view to) const {
        return "Re-named" + InMusic(from) + " as " + InMusic(to) + "\r\n";
    }

    // Starts klarwell-batch on the music folder; answers "Yes,Yes" for the two confirmations come
    // first, then `answers`.
    pid_t Start(const std::string& answers, const Environment& faults = {}) const {
        std::vector<std::string> args = {KLARWELL_BATCH_PATH,  "--answers",
                                         "Yes,Yes," + answers, "--log-dir",
                                         Work.Path().native(), Music.Path().native()};
        // The fallback log goes to a state folder of this run's own.
        setenv("XDG_STATE_HOME", (Work.Path() / "state").c_str(), 1);
        Environment env = faults;
        if (!faults.empty()) {
            env.push_back(std::string("LD_PRELOAD=") + KLARWELL_FAULT_INJECTOR);
            // In a sanitized tree the injector comes before the sanitizer's runtime.
            env.emplace_back("ASAN_OPTIONS=verify_asan_link_order=0");
        }
        for (char** e = environ; *e != nullptr; ++e) {
            env.emplace_back(*e);
        }
        const auto pointers = [](std::vector<std::string>& strings) {
            std::vector<char*> result;
            for (std::string& text : strings) {
                result.push_back(text.data());
            }
            result.push_back(nullptr);
            return result;
        };
        std::vector<char*> argv = pointers(args);
        std::vector<char*> envp = pointers(env);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // The exit status, or -1 when the process did not end by itself.
    static int Wait(pid_t pid) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int Finish(const std::string& answers, const Environment& faults = {}) const {
        return Wait(Start(answers, faults));
    }
};

std::string Repeat(std::string_view word, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += std::string(word) + ",";
    }
    return text;
}

// The log's lines with their CR LF; a last line without one (a fragment that no later line
// followed) comes last as it is.
std::vector<std::string> LogLines(const std::string& log) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = 0; (end = log.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(log.substr(start, end + 2 - start));
    }
    if (start < log.size()) {
        lines.push_back(log.substr(start));
    }
    return lines;
}

TEST(FaultInjection, WithoutNoReplaceALateFileIsNeverReplaced) {
    HarnessRun run;
    for (const char* name : {"a a.mp3", "b b.mp3", "c c.mp3"}) {
        run.Music.CreateFile(name, name);
    }
    // Every target appears just before the hard link that stands in for the rename; the kernel
    // refuses each link, and the user is asked (No keeps both files).
    const Environment faults = {"KLARWELL_FAULT_NOREPLACE=22",
                                "KLARWELL_FAULT_RACE_DIR=" + run.Music.Path().native()};
    EXPECT_EQ(run.Finish(Repeat("No", 3) + "OK", faults), 0);
    EXPECT_EQ(Contents(run.Music), (Files{{"a a.mp3", "a a.mp3"},
                                          {"a_a.mp3", "raced"},
                                          {"b b.mp3", "b b.mp3"},
                                          {"b_b.mp3", "raced"},
                                          {"c c.mp3", "c c.mp3"},
                                          {"c_c.mp3", "raced"}}));
    EXPECT_EQ(run.LogText(), "<missing>");
}

// Disk full after 30 bytes of the program's log: the fragment is cut off and the lines go to the
// state folder whole; a later run appends whole lines after them.
TEST(FaultInjection, TornLogWriteIsCutBack) {
    HarnessRun run;
    run.Music.CreateFile("a a.mp3", "A");
    std::ofstream(run.Log(), std::ios::binary) << "old\r\n";
    const Environment faults = {"KLARWELL_FAULT_WRITE_FILE=" + run.Log().native(),
                                "KLARWELL_FAULT_WRITE_AFTER=30", "KLARWELL_FAULT_WRITE_ERRNO=28"};
    EXPECT_EQ(run.Finish("OK", faults), 0);
    EXPECT_EQ(run.LogText(), "old\r\n");
    EXPECT_EQ(run.StateLogText(), run.LogLine("a a.mp3", "a_a.mp3"));
}

// SIGKILL at 20 random moments of a 2,000-file run in which 500 conflicts are answered Yes; then a
// second run finishes the folder on the same log.
TEST(KilledRun, NothingLostAndTheLogStaysWholeLines) {
    constexpr int kFiles = 2000;
    constexpr int kConflictEvery = 4;
    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HarnessRun run;
        Files before;
        for (int i = 0; i < kFiles; ++i) {
            const std::string stem = "t" + std::to_string(10000 + i);
            run.Music.CreateFile(stem + " x.mp3", "source " + stem);
            if (i % kConflictEvery == 0) {
                run.Music.CreateFile(stem + "_x.mp3", "target " + stem);
            }
        }
        const std::string answers = Repeat("Yes", kFiles / kConflictEvery) + "OK";
        const pid_t pid = run.Start(answers);
        // Kill once the log has reached a random length, so that every moment of the run can be
        // hit whatever the machine's speed.
        const auto threshold = std::uniform_int_distribution<std::uintmax_t>(0, 200000)(random);
        std::error_code ec;
        int status = 0;
        bool ended = false;
        const auto logSize = [&run, &ec] {
            const std::uintmax_t size = std::filesystem::file_size(run.Log(), ec);
            return ec ? 0 : size;
        };
        while (!ended && logSize() < threshold) {
            ended = waitpid(pid, &status, WNOHANG) == pid;
            const timespec pause{0, 50000};
            nanosleep(&pause, nullptr);
        }
        if (!ended) {
            kill(pid, SIGKILL);
            HarnessRun::Wait(pid);
        }
        // A fragment as a kill mid-write leaves it; the next run must not glue its line to it.
        const std::string fragment = "Re-named" + run.InMusic("t1");
        const std::string killedLog = run.LogText();
        if (killedLog == "<missing>" || killedLog.empty() || killedLog.ends_with("\r\n")) {
            std::ofstream(run.Log(), std::ios::binary | std::ios::app) << fragment;
        }
        int conflictsLeft = 0;
        for (int i = 0; i < kFiles; i += kConflictEvery) {
            const std::string stem = "t" + std::to_string(10000 + i);
            conflictsLeft += std::filesystem::exists(run.Music.Path() / (stem + " x.mp3")) ? 1 : 0;
        }
        EXPECT_EQ(run.Finish(Repeat("Yes", conflictsLeft) + "OK"), 0);

        // Every source survives exactly once, under its cleaned name; only the targets that a Yes
        // replaced are gone.
        Files expected;
        for (int i = 0; i < kFiles; ++i) {
            const std::string stem = "t" + std::to_string(10000 + i);
            expected[stem + "_x.mp3"] = "source " + stem;
        }
        ASSERT_EQ(Contents(run.Music), expected);

        const std::vector<std::string> lines = LogLines(run.LogText());
        int renames = 0;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.find("Re-named", 1), std::string::npos) << "glued: " << line;
            if (line.size() <= fragment.size() + 2 || line.find(" as ") == std::string::npos) {
                continue;  // a fragment, on a line of its own
            }
            const std::string stem = line.substr(run.InMusic("").size() + 8, 6);
            ASSERT_EQ(line, run.LogLine(stem + " x.mp3", stem + "_x.mp3"));
            ++renames;
        }
        // A kill between a rename and its line may leave that one rename unlogged.
        EXPECT_GE(renames, kFiles - 1);
        EXPECT_LE(renames, kFiles);
    }
}

}  // namespace
