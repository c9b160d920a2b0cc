// Undoing a clean run from its log against the clean run that made it, both timed in each
// iteration on the same folder: the clean run renames every file and logs it, the undo reads the
// log back, renames every file back without replacing and logs that too.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "bench/bench_timing.h"
#include "bench/engine_run.h"
#include "engine/cleanup_log.h"
#include "tools/undo/undo_run.h"

namespace {

using namespace klarwell::engine;

// A music folder of `count` files named "track NNNNNN.mp3", each needing cleaning for its space.
class UndoFolder : public klarwell::bench::BenchRoot {
public:
    explicit UndoFolder(int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "track %06d.mp3", i);
            m_Listed.emplace_back(name);
            CreateEmptyFile(Music() / name);
        }
    }

    [[nodiscard]] std::filesystem::path LogFile() const { return LogFolder() / kLogFileName; }
    [[nodiscard]] const std::vector<std::string>& Listed() const { return m_Listed; }

    // True when every file bears the name `cleaned` says and nothing else is in the folder.
    [[nodiscard]] bool AllNamed(bool cleaned) const {
        std::error_code ec;
        int entries = 0;
        for (std::filesystem::directory_iterator it(Music(), ec), end; !ec && it != end;
             it.increment(ec)) {
            ++entries;
        }
        bool all = !ec && entries == static_cast<int>(m_Listed.size());
        for (std::string name : m_Listed) {
            name[5] = cleaned ? '_' : ' ';
            all = all && std::filesystem::exists(Music() / name, ec);
        }
        return all;
    }

private:
    std::vector<std::string> m_Listed;
};

using klarwell::bench::Measure;
using klarwell::bench::Timing;

void BM_Undo_AgainstTheCleanRun(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const UndoFolder folder(count);
    klarwell::bench::EngineRun engine(folder, folder.Listed());
    const auto appendLine = [&](std::string_view line) {
        engine.Log.Append(line, engine.Fs, engine.Ui);
    };

    Timing cleanTotal;
    Timing undoTotal;
    bool checked = false;
    for (auto _ : state) {
        int cleaned = 0;
        const Timing clean = Measure([&] { cleaned = engine.Run(); });
        klarwell::undo::Tally tally;
        const Timing undo = Measure([&] {
            klarwell::undo::ProgressLine progress(nullptr, count, {});
            const klarwell::undo::Selection selection = klarwell::undo::SelectSteps(
                {folder.LogFile()}, folder.Music(), count, stderr, progress);
            tally = klarwell::undo::UndoSteps(folder.Music(), selection.Steps, engine.Fs,
                                              appendLine, stderr, progress);
        });

        if (!checked) {
            // Checked once, after timing, so the check's listing does not warm the timed runs.
            const bool right = cleaned == count && tally.Renamed == count && folder.AllNamed(false);
            if (!right) {
                state.SkipWithError("the undo did not give every file its name back");
                return;
            }
            checked = true;
        }
        state.SetIterationTime(undo.Real);
        cleanTotal.Real += clean.Real;
        cleanTotal.Cpu += clean.Cpu;
        undoTotal.Real += undo.Real;
        undoTotal.Cpu += undo.Cpu;
        // A fresh log for the next round, outside the timed regions.
        if (::truncate(folder.LogFile().c_str(), 0) != 0) {
            state.SkipWithError("cannot empty the log");
            return;
        }
    }
    const double lines = static_cast<double>(count) * static_cast<double>(state.iterations());
    state.counters["clean_us"] = cleanTotal.Real / lines * 1e6;
    state.counters["undo_us"] = undoTotal.Real / lines * 1e6;
    state.counters["ratio"] = undoTotal.Real / cleanTotal.Real;
    state.counters["clean_cpu_us"] = cleanTotal.Cpu / lines * 1e6;
    state.counters["undo_cpu_us"] = undoTotal.Cpu / lines * 1e6;
    state.counters["cpu_ratio"] = undoTotal.Cpu / cleanTotal.Cpu;
}

BENCHMARK(BM_Undo_AgainstTheCleanRun)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(1.0)
    ->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
