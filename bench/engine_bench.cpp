// A whole batch run over a folder of files that all need cleaning, against a loop that makes only
// the system calls a rename must make, and against the floor of any renamer.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
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

// What both loops below rename and log, every path and line made before the timing.
struct RenamePlan {
    // Full paths, or names relative to the folder.
    RenamePlan(const BenchFolder& folder, bool fullPaths)
        : LogFile(folder.LogFile().native()), Folder(folder.Music().native()) {
        const std::string in = fullPaths ? Folder + "/" : "";
        for (std::size_t i = 0; i < folder.Listed().size(); ++i) {
            From.push_back(in + folder.Listed()[i]);
            To.push_back(in + folder.Cleaned()[i]);
            Lines.push_back("Re-named" + Folder + "/" + folder.Listed()[i] + " as " + Folder + "/" +
                            folder.Cleaned()[i] + "\r\n");
        }
    }

    std::string LogFile;
    std::string Folder;
    std::vector<std::string> From;
    std::vector<std::string> To;
    std::vector<std::string> Lines;
};

void SyncAndClose(int fd) {
    if (fd >= 0) {
        benchmark::DoNotOptimize(::fsync(fd));
        ::close(fd);
    }
}

// The system calls a rename must make and nothing else: the existence test of the target, the
// no-replace rename on full paths, and open/check/append/close of the log; once per run the flush
// of the log and the folder.
int BareLoop(const RenamePlan& plan) {
    int renamed = 0;
    for (std::size_t i = 0; i < plan.From.size(); ++i) {
        struct stat info {};
        if (::lstat(plan.To[i].c_str(), &info) == 0 ||
            ::renameat2(AT_FDCWD, plan.From[i].c_str(), AT_FDCWD, plan.To[i].c_str(),
                        RENAME_NOREPLACE) != 0) {
            continue;
        }
        // The log's own checks: a regular file, and whether its last line is whole.
        const int fd = ::open(plan.LogFile.c_str(),
                              O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
        if (fd >= 0) {
            struct stat log {};
            char tail[2] = {};
            if (::fstat(fd, &log) == 0 && log.st_size >= 2) {
                benchmark::DoNotOptimize(::pread(fd, tail, sizeof tail, log.st_size - 2));
            }
            benchmark::DoNotOptimize(::write(fd, plan.Lines[i].data(), plan.Lines[i].size()));
            ::close(fd);
        }
        ++renamed;
    }
    SyncAndClose(::open(plan.LogFile.c_str(), O_RDONLY | O_CLOEXEC));
    SyncAndClose(::open(plan.Folder.c_str(), O_RDONLY | O_CLOEXEC));
    return renamed;
}

// The floor under any renamer: the same renames relative to the folder opened once, and one
// write(2) per log line to the log opened once.
int FloorLoop(const RenamePlan& plan) {
    const int dir = ::open(plan.Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int log = ::open(plan.LogFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    int renamed = 0;
    for (std::size_t i = 0; dir >= 0 && log >= 0 && i < plan.From.size(); ++i) {
        if (::renameat2(dir, plan.From[i].c_str(), dir, plan.To[i].c_str(), RENAME_NOREPLACE) ==
            0) {
            benchmark::DoNotOptimize(::write(log, plan.Lines[i].data(), plan.Lines[i].size()));
            ++renamed;
        }
    }
    SyncAndClose(log);
    SyncAndClose(dir);
    return renamed;
}

using klarwell::bench::Measure;
using klarwell::bench::Timing;

// Engine run, bare loop and floor loop take turns; each must rename every file.
void BM_RunBatch_AgainstRenameSyscalls(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const BenchFolder folder(count);
    // Only the closing "Finished!" box is shown; AllCleaned() catches any other.
    klarwell::bench::EngineRun run(folder, folder.Listed());
    const RenamePlan bare(folder, true);
    const RenamePlan floor(folder, false);
    int renamed = 0;
    const auto check = [&] {
        return renamed == count && folder.AllCleaned() &&
               folder.LoggedLines() == static_cast<std::size_t>(count) && folder.Restore();
    };
    const std::vector<Timing> medians =
        klarwell::bench::MedianRounds(state, {{[&] { renamed = run.Run(); }, check},
                                              {[&] { renamed = BareLoop(bare); }, check},
                                              {[&] { renamed = FloorLoop(floor); }, check}});
    const double perFile = 1e6 / static_cast<double>(count);
    state.counters["engine_us"] = medians[0].Real * perFile;
    state.counters["bare_us"] = medians[1].Real * perFile;
    state.counters["floor_us"] = medians[2].Real * perFile;
    state.counters["x_bare"] = medians[0].Real / medians[1].Real;
    state.counters["x_floor"] = medians[0].Real / medians[2].Real;
    // CPU time of our own: the engine's beyond what the bare loop spends on the same calls.
    state.counters["own_cpu_us"] = (medians[0].Cpu - medians[1].Cpu) * perFile;
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
        klarwell::bench::Register("BM_RunBatch_AgainstRenameSyscalls",
                                  BM_RunBatch_AgainstRenameSyscalls, files, rounds);
    }
    return klarwell::bench::RunBenchmarks(argc, argv);
}
