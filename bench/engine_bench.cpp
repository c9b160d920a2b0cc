// A whole batch run over a folder of files that all need cleaning, against a loop that makes only
// the system calls a rename must make: the existence test of the target, rename(2), and
// open/append/close of the log.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/batch_run.h"
#include "engine/cleanup_log.h"
#include "engine/posix_file_system.h"
#include "engine/run_state.h"

namespace {

using namespace klarwell::engine;

class SilentInterface : public UserInterface {
public:
    // Only the closing "Finished!" box is expected; any other box would fail the check below.
    Answer ShowMessage(std::string_view, std::string_view, Buttons, Icon) override {
        return Answer::Ok;
    }
    void SetStatusText(std::string_view) override {}
    void SetProgress(int) override {}
    void SelectListEntry(int) override {}
    void RereadList() override {}
    void ShowProgress(bool) override {}
    void ProcessPendingEvents() override {}
};

// A music folder of `count` files named "track NNNNN.mp3" (each needs cleaning for its space) and
// a log folder, both removed at the end.
class BenchFolder {
public:
    explicit BenchFolder(int count) {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "klarwell-bench-XXXXXX").native();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_Root = pattern;
        }
        std::filesystem::create_directory(Music(), ec);
        std::filesystem::create_directory(LogFolder(), ec);
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "track %05d.mp3", i);
            m_Listed.emplace_back(name);
            m_Cleaned.push_back(m_Listed.back());
            m_Cleaned.back()[5] = '_';
            const int fd = ::open((Music() / name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_Root, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    [[nodiscard]] std::filesystem::path Music() const { return m_Root / "music"; }
    [[nodiscard]] std::filesystem::path LogFolder() const { return m_Root / "log"; }
    [[nodiscard]] std::filesystem::path LogFile() const { return LogFolder() / kLogFileName; }
    [[nodiscard]] const std::vector<std::string>& Listed() const { return m_Listed; }
    [[nodiscard]] const std::vector<std::string>& Cleaned() const { return m_Cleaned; }

    // True when every file bears its cleaned name and nothing else is in the folder.
    [[nodiscard]] bool AllCleaned() const {
        std::error_code ec;
        int entries = 0;
        for (std::filesystem::directory_iterator it(Music(), ec), end; !ec && it != end;
             it.increment(ec)) {
            ++entries;
        }
        if (ec || entries != static_cast<int>(m_Cleaned.size())) {
            return false;
        }
        for (const std::string& name : m_Cleaned) {
            struct stat info {};
            if (::stat((Music() / name).c_str(), &info) != 0) {
                return false;
            }
        }
        return true;
    }

    // Gives the files their listed names back and empties the log, outside the timed region.
    [[nodiscard]] bool Restore() const {
        bool ok = true;
        for (std::size_t i = 0; i < m_Listed.size(); ++i) {
            ok = ::rename((Music() / m_Cleaned[i]).c_str(), (Music() / m_Listed[i]).c_str()) == 0 &&
                 ok;
        }
        return ::truncate(LogFile().c_str(), 0) == 0 && ok;
    }

private:
    std::filesystem::path m_Root;
    std::vector<std::string> m_Listed;
    std::vector<std::string> m_Cleaned;
};

void ReportPerFile(benchmark::State& state, int count) {
    state.counters["per_file"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RunBatch_AllNeedCleaning(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const BenchFolder folder(count);
    CleanSettings settings;
    settings.FolderChosen = true;
    settings.FolderPath = folder.Music();
    settings.FileNames = folder.Listed();
    PosixFileSystem fs;
    SilentInterface ui;
    CleanupLog log(folder.LogFolder(), folder.LogFolder() / "fallback");

    RunState check;
    RunBatch(settings, check, ui, fs, log);
    if (check.Corrections != count || check.CancelProcess || !folder.AllCleaned()) {
        state.SkipWithError("the run did not rename every file");
        return;
    }
    if (!folder.Restore()) {
        state.SkipWithError("cannot restore the folder");
        return;
    }

    for (auto _ : state) {
        RunState runState;
        RunBatch(settings, runState, ui, fs, log);
        benchmark::DoNotOptimize(runState.Corrections);
        state.PauseTiming();
        const bool restored = folder.Restore();
        state.ResumeTiming();
        if (!restored) {
            state.SkipWithError("cannot restore the folder");
            break;
        }
    }
    ReportPerFile(state, count);
}

void BM_RenameSyscalls_Baseline(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const BenchFolder folder(count);
    std::vector<std::string> from;
    std::vector<std::string> to;
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        from.push_back((folder.Music() / folder.Listed()[static_cast<std::size_t>(i)]).native());
        to.push_back((folder.Music() / folder.Cleaned()[static_cast<std::size_t>(i)]).native());
        lines.push_back("Re-named" + from.back() + " as " + to.back() + "\r\n");
    }
    const std::string logFile = folder.LogFile().native();

    const auto renameAll = [&] {
        int renamed = 0;
        for (int i = 0; i < count; ++i) {
            const auto at = static_cast<std::size_t>(i);
            struct stat info {};
            if (::stat(to[at].c_str(), &info) == 0) {
                continue;
            }
            if (::rename(from[at].c_str(), to[at].c_str()) != 0) {
                continue;
            }
            const int fd = ::open(logFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
            if (fd >= 0) {
                benchmark::DoNotOptimize(::write(fd, lines[at].data(), lines[at].size()));
                ::close(fd);
            }
            ++renamed;
        }
        return renamed;
    };

    if (renameAll() != count || !folder.AllCleaned()) {
        state.SkipWithError("the baseline did not rename every file");
        return;
    }
    if (!folder.Restore()) {
        state.SkipWithError("cannot restore the folder");
        return;
    }

    for (auto _ : state) {
        benchmark::DoNotOptimize(renameAll());
        state.PauseTiming();
        const bool restored = folder.Restore();
        state.ResumeTiming();
        if (!restored) {
            state.SkipWithError("cannot restore the folder");
            break;
        }
    }
    ReportPerFile(state, count);
}

// Engine and baseline side by side for each size, so both see the same machine load. Times are
// process CPU time (system calls included), which other work on a shared machine disturbs least.
void Sizes(benchmark::internal::Benchmark* bench, int count) {
    bench->Arg(count)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(3);
}
BENCHMARK(BM_RunBatch_AllNeedCleaning)->Apply([](auto* b) { Sizes(b, 1000); });
BENCHMARK(BM_RenameSyscalls_Baseline)->Apply([](auto* b) { Sizes(b, 1000); });
BENCHMARK(BM_RunBatch_AllNeedCleaning)->Apply([](auto* b) { Sizes(b, 10000); });
BENCHMARK(BM_RenameSyscalls_Baseline)->Apply([](auto* b) { Sizes(b, 10000); });

}  // namespace

BENCHMARK_MAIN();
