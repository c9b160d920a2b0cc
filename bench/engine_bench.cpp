// A whole batch run over a folder of files that all need cleaning, against a loop that makes only
// the system calls a rename must make: the existence test of the target, the no-replace rename,
// and open/check/append/close of the log; and once per run the flush of the log and the folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "bench/bench_timing.h"
#include "bench/engine_run.h"
#include "engine/cleanup_log.h"

namespace {

using namespace klarwell::engine;

// A music folder of `count` files named "track NNNNN.mp3", each needing cleaning for its space.
class BenchFolder : public klarwell::bench::BenchRoot {
public:
    explicit BenchFolder(int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "track %05d.mp3", i);
            m_Listed.emplace_back(name);
            m_Cleaned.push_back(m_Listed.back());
            m_Cleaned.back()[5] = '_';
            CreateEmptyFile(Music() / name);
        }
    }

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
    std::vector<std::string> m_Listed;
    std::vector<std::string> m_Cleaned;
};

// The system calls a rename must make and nothing else, with every path and log line made before.
class BaselineRenamer {
public:
    explicit BaselineRenamer(const BenchFolder& folder)
        : m_LogFile(folder.LogFile().native()), m_Folder(folder.Music().native()) {
        for (std::size_t i = 0; i < folder.Listed().size(); ++i) {
            m_From.push_back((folder.Music() / folder.Listed()[i]).native());
            m_To.push_back((folder.Music() / folder.Cleaned()[i]).native());
            m_Lines.push_back("Re-named" + m_From.back() + " as " + m_To.back() + "\r\n");
        }
    }

    int RenameAll() const {
        int renamed = 0;
        for (std::size_t i = 0; i < m_From.size(); ++i) {
            struct stat info {};
            if (::lstat(m_To[i].c_str(), &info) == 0) {
                continue;
            }
            if (::renameat2(AT_FDCWD, m_From[i].c_str(), AT_FDCWD, m_To[i].c_str(),
                            RENAME_NOREPLACE) != 0) {
                continue;
            }
            // The log's own checks: a regular file, and whether its last line is whole.
            const int fd = ::open(m_LogFile.c_str(),
                                  O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
            if (fd >= 0) {
                struct stat log {};
                char tail[2] = {};
                if (::fstat(fd, &log) == 0 && log.st_size >= 2) {
                    benchmark::DoNotOptimize(::pread(fd, tail, sizeof tail, log.st_size - 2));
                }
                benchmark::DoNotOptimize(::write(fd, m_Lines[i].data(), m_Lines[i].size()));
                ::close(fd);
            }
            ++renamed;
        }
        // Once per run: the log and the folder go to the disk.
        for (const std::string& path : {m_LogFile, m_Folder}) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
            if (fd >= 0) {
                benchmark::DoNotOptimize(::fsync(fd));
                ::close(fd);
            }
        }
        return renamed;
    }

private:
    std::string m_LogFile;
    std::string m_Folder;
    std::vector<std::string> m_From;
    std::vector<std::string> m_To;
    std::vector<std::string> m_Lines;
};

// The floor under any renamer: the same renames relative to the folder opened once, and one
// write(2) per log line to the log opened once.
class FloorRenamer {
public:
    explicit FloorRenamer(const BenchFolder& folder)
        : m_LogFile(folder.LogFile().native()),
          m_Folder(folder.Music().native()),
          m_From(folder.Listed()),
          m_To(folder.Cleaned()) {
        for (std::size_t i = 0; i < m_From.size(); ++i) {
            m_Lines.push_back("Re-named" + m_Folder + "/" + m_From[i] + " as " + m_Folder + "/" +
                              m_To[i] + "\r\n");
        }
    }

    int RenameAll() const {
        const int dir = ::open(m_Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int log = ::open(m_LogFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        int renamed = 0;
        for (std::size_t i = 0; dir >= 0 && log >= 0 && i < m_From.size(); ++i) {
            if (::renameat2(dir, m_From[i].c_str(), dir, m_To[i].c_str(), RENAME_NOREPLACE) != 0) {
                continue;
            }
            benchmark::DoNotOptimize(::write(log, m_Lines[i].data(), m_Lines[i].size()));
            ++renamed;
        }
        for (const int fd : {log, dir}) {
            if (fd >= 0) {
                benchmark::DoNotOptimize(::fsync(fd));
                ::close(fd);
            }
        }
        return renamed;
    }

private:
    std::string m_LogFile;
    std::string m_Folder;
    std::vector<std::string> m_From;
    std::vector<std::string> m_To;
    std::vector<std::string> m_Lines;
};

using klarwell::bench::Measure;
using klarwell::bench::Median;
using klarwell::bench::Timing;

// Engine run, bare loop and floor loop take turns within each round, each round in a rotated
// order, so that all three see the same load of a shared machine; the figures are the medians
// of the rounds. The iteration time is the engine's.
void BM_RunBatch_AgainstRenameSyscalls(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const BenchFolder folder(count);
    // Only the closing "Finished!" box is shown; AllCleaned() below catches any other.
    klarwell::bench::EngineRun run(folder, folder.Listed());
    const BaselineRenamer baseline(folder);
    const FloorRenamer floor(folder);
    const std::function<int()> contenders[] = {[&] { return run.Run(); },
                                               [&] { return baseline.RenameAll(); },
                                               [&] { return floor.RenameAll(); }};
    constexpr std::size_t kContenders = std::size(contenders);

    // Each must rename every file before its time counts.
    for (const auto& contender : contenders) {
        if (contender() != count || !folder.AllCleaned() || !folder.Restore()) {
            state.SkipWithError("a run did not rename every file");
            return;
        }
    }

    std::vector<Timing> rounds[kContenders];
    std::size_t first = 0;
    for (auto _ : state) {
        Timing times[kContenders];
        bool restored = true;
        for (std::size_t k = 0; k < kContenders; ++k) {
            const std::size_t which = (first + k) % kContenders;
            times[which] = Measure([&] { benchmark::DoNotOptimize(contenders[which]()); });
            restored = folder.Restore() && restored;
        }
        first = (first + 1) % kContenders;
        state.SetIterationTime(times[0].Real);
        for (std::size_t k = 0; k < kContenders; ++k) {
            rounds[k].push_back(times[k]);
        }
        if (!restored) {
            state.SkipWithError("cannot restore the folder");
            break;
        }
    }
    const double perFile = 1e6 / static_cast<double>(count);
    const Timing engine = Median(rounds[0]);
    const Timing bare = Median(rounds[1]);
    const Timing floorLoop = Median(rounds[2]);
    state.counters["engine_us"] = engine.Real * perFile;
    state.counters["bare_us"] = bare.Real * perFile;
    state.counters["floor_us"] = floorLoop.Real * perFile;
    state.counters["x_bare"] = engine.Real / bare.Real;
    state.counters["x_floor"] = engine.Real / floorLoop.Real;
    // CPU time of our own: the engine's beyond what the bare loop spends on the same calls.
    state.counters["own_cpu_us"] = (engine.Cpu - bare.Cpu) * perFile;
}

// `count` files "h NNNNN.mp3", each with a hard link under its cleaned name "h_NNNNN.mp3": every
// entry is a conflict answered Yes, which drops the listed name.
class HardLinkFolder : public klarwell::bench::BenchRoot {
public:
    explicit HardLinkFolder(int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "h %05d.mp3", i);
            m_Listed.emplace_back(name);
            m_Cleaned.push_back(m_Listed.back());
            m_Cleaned.back()[1] = '_';
            CreateEmptyFile(Music() / m_Cleaned.back());
        }
    }

    [[nodiscard]] const std::vector<std::string>& Listed() const { return m_Listed; }

    // Makes the listed names again and empties the log, outside the timed region.
    [[nodiscard]] bool Link() const {
        bool ok = true;
        for (std::size_t i = 0; i < m_Listed.size(); ++i) {
            ok = ::link((Music() / m_Cleaned[i]).c_str(), (Music() / m_Listed[i]).c_str()) == 0 &&
                 ok;
        }
        const bool logEmptied =
            ::truncate((LogFolder() / kLogFileName).c_str(), 0) == 0 || errno == ENOENT;
        return logEmptied && ok;
    }

    // True when only the cleaned names are left.
    [[nodiscard]] bool OnlyCleanedLeft() const {
        for (std::size_t i = 0; i < m_Listed.size(); ++i) {
            struct stat info {};
            if (::lstat((Music() / m_Listed[i]).c_str(), &info) == 0 ||
                ::lstat((Music() / m_Cleaned[i]).c_str(), &info) != 0) {
                return false;
            }
        }
        return true;
    }

private:
    std::vector<std::string> m_Listed;
    std::vector<std::string> m_Cleaned;
};

// The cost of one hard-link conflict must not grow with the folder.
void BM_RunBatch_HardLinkConflicts(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const HardLinkFolder folder(count);
    klarwell::bench::EngineRun engine(folder, folder.Listed());
    if (!folder.Link()) {
        state.SkipWithError("cannot make the hard links");
        return;
    }
    if (engine.Run() != count || !folder.OnlyCleanedLeft()) {
        state.SkipWithError("a conflict was not resolved");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        if (!folder.Link()) {
            state.SkipWithError("cannot make the hard links");
            break;
        }
        const Timing run = Measure([&] { benchmark::DoNotOptimize(engine.Run()); });
        state.SetIterationTime(run.Real);
        total += run.Real;
    }
    state.counters["us_per_conflict"] =
        total / (static_cast<double>(count) * static_cast<double>(state.iterations())) * 1e6;
}

BENCHMARK(BM_RunBatch_HardLinkConflicts)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(1.0);

}  // namespace

// `--large` adds a folder of 1,000,000 files, which takes minutes.
int main(int argc, char** argv) {
    const bool large = klarwell::bench::TakeFlag(argc, argv, "--large");
    for (const auto& [files, rounds] : klarwell::bench::RunSizes(large)) {
        benchmark::RegisterBenchmark("BM_RunBatch_AgainstRenameSyscalls",
                                     BM_RunBatch_AgainstRenameSyscalls)
            ->Arg(files)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
