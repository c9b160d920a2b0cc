// What only a real process shows: faults the kernel gives on no demand, injected into
// klarwell-batch, and SIGKILL part-way through a run.
#include <fcntl.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "tests/process/tool_process.h"
#include "tests/support/program_texts.h"

namespace klarwell::testing {
namespace {

// A run of klarwell-batch on `music` that answers Yes to both confirmations, then `answers`.
std::string Batch(const TempFolder& music, const TempFolder& work, const std::string& answers,
                  const std::string& faults = "") {
    // In a sanitized tree the injector comes before the sanitizer's runtime.
    const std::string preload = "LD_PRELOAD=" + Quote(KLARWELL_FAULT_INJECTOR) +
                                " ASAN_OPTIONS=verify_asan_link_order=0 " + faults;
    return Command(KLARWELL_BATCH_PATH,
                   {"--answers", "Yes,Yes," + answers, "--log-dir", work.Path(), music.Path()},
                   work, faults.empty() ? "" : preload);
}

std::string Logged(const TempFolder& music, const std::string& from, const std::string& to) {
    return LogLineText((music.Path() / from).native(), (music.Path() / to).native());
}

// The rename cannot refuse a replace (EINVAL), so the link fallback runs, and the target appears
// right after the look: the late file stays, the rename is refused and told.
TEST(FaultInjection, WithoutNoReplaceALateFileIsNeverReplaced) {
    TempFolder music;
    TempFolder work;
    music.CreateFile("a a.mp3", "A");
    const std::string faults =
        "KLARWELL_FAULT_NOREPLACE=22 KLARWELL_FAULT_RACE_DIR=" + Quote(music.Path());
    EXPECT_EQ(RunTool(Batch(music, work, "OK,OK", faults), work).Status, 0);
    EXPECT_EQ(Take(music), "a a.mp3=A|a_a.mp3=raced");
    EXPECT_EQ(work.Read("cleanup.log"), "<missing>");
}

// Disk full 30 bytes into the program's log line: the fragment is cut off and the line goes
// whole to the state folder.
TEST(FaultInjection, TornLogWriteIsCutBack) {
    TempFolder music;
    TempFolder work;
    music.CreateFile("a a.mp3", "A");
    work.CreateFile("cleanup.log", "old\r\n");
    const std::string faults = "KLARWELL_FAULT_WRITE_FILE=" + Quote(work.Path() / "cleanup.log") +
                               " KLARWELL_FAULT_WRITE_AFTER=30 KLARWELL_FAULT_WRITE_ERRNO=28";
    EXPECT_EQ(RunTool(Batch(music, work, "OK", faults), work).Status, 0);
    EXPECT_EQ(work.Read("cleanup.log"), "old\r\n");
    EXPECT_EQ(work.Read("state/klarwell/cleanup.log"), Logged(music, "a a.mp3", "a_a.mp3"));
}

// SIGKILL at 20 random moments of a 2,000-file run in which every fourth file replaces another on
// a Yes; then a second run finishes the folder on the same log.
TEST(KilledRun, NothingLostAndTheLogStaysWholeLines) {
    constexpr int kFiles = 2000;
    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        const int killAt = std::uniform_int_distribution<int>(0, kFiles)(random);
        SCOPED_TRACE("killed after " + std::to_string(killAt) + " reported renames");
        TempFolder music;
        TempFolder work;
        std::string cleaned;
        std::string lines;
        for (int i = 0; i < kFiles; ++i) {
            const std::string stem = "t" + std::to_string(10000 + i);
            music.CreateFile(stem + " x.mp3", stem);
            if (i % 4 == 0) {
                music.CreateFile(stem + "_x.mp3", "replaced");
            }
            cleaned += (i == 0 ? "" : "|") + stem + "_x.mp3=" + stem;
            lines += Logged(music, stem + " x.mp3", stem + "_x.mp3");
        }
        std::string yes;
        for (int i = 0; i < kFiles / 4; ++i) {
            yes += "Yes,";
        }

        // A status line follows each logged rename. A small pipe keeps the batch at most a few
        // renames ahead of this reader, so the kill lands part-way, at no fixed moment.
        std::FILE* output = popen(("echo $$; " + Batch(music, work, yes + "OK")).c_str(), "r");
        fcntl(fileno(output), F_SETPIPE_SZ, 4096);
        pid_t pid = 0;
        ASSERT_EQ(std::fscanf(output, "%d", &pid), 1);
        char line[4096];
        for (int reported = 0; reported < killAt && std::fgets(line, sizeof line, output);) {
            reported += std::string_view(line).find(" cleaned\"") != std::string_view::npos ? 1 : 0;
        }
        kill(pid, SIGKILL);
        pclose(output);

        int conflictsLeft = 0;
        for (int i = 0; i < kFiles; i += 4) {
            conflictsLeft +=
                music.Read("t" + std::to_string(10000 + i) + " x.mp3") != "<missing>" ? 1 : 0;
        }
        EXPECT_EQ(RunTool(Batch(music, work, yes.substr(0, 4 * conflictsLeft) + "OK"), work).Status,
                  0);
        EXPECT_EQ(Take(music), cleaned);
        // A kill between a rename and its line may leave that one rename unlogged.
        const std::string logged = work.Read("cleanup.log");
        if (logged != lines) {
            const auto at = static_cast<std::size_t>(
                std::mismatch(logged.begin(), logged.end(), lines.begin(), lines.end()).second -
                lines.begin());
            const std::size_t start = lines.rfind('\n', at) + 1;
            lines.erase(start, lines.find('\n', at) + 1 - start);
        }
        EXPECT_EQ(logged, lines);
    }
}

}  // namespace
}  // namespace klarwell::testing
