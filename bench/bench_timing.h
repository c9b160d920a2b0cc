#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

namespace klarwell::bench {

struct Timing {
    double Real = 0;  // seconds
    double Cpu = 0;   // seconds of process CPU time, system calls included
};

inline double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Real time is what the user waits; CPU time shows the cost apart from the load of a shared
// machine.
template <typename Work>
Timing Measure(const Work& work) {
    const double cpuStart = CpuSeconds();
    const auto realStart = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> real = std::chrono::steady_clock::now() - realStart;
    return {real.count(), CpuSeconds() - cpuStart};
}

// The median round, by real time.
inline Timing Median(std::vector<Timing> rounds) {
    if (rounds.empty()) {
        return {};
    }
    const auto middle = rounds.begin() + static_cast<std::ptrdiff_t>(rounds.size() / 2);
    std::nth_element(rounds.begin(), middle, rounds.end(),
                     [](const Timing& a, const Timing& b) { return a.Real < b.Real; });
    return *middle;
}

// One of the runs that take turns: Prepare and Check are not timed; a Check that fails stops the
// benchmark, so that no time of a wrong result counts.
struct Contender {
    std::function<void()> Run;
    std::function<bool()> Check = [] { return true; };
    std::function<void()> Prepare = [] {};
};

// Each round runs every contender once, in an order rotated from round to round, so that all see
// the same load of a shared machine. Returns the median round of each; the iteration time is the
// first contender's.
inline std::vector<Timing> MedianRounds(benchmark::State& state,
                                        const std::vector<Contender>& contenders) {
    std::vector<std::vector<Timing>> rounds(contenders.size());
    std::size_t first = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < contenders.size(); ++k) {
            const std::size_t which = (first + k) % contenders.size();
            contenders[which].Prepare();
            rounds[which].push_back(Measure(contenders[which].Run));
            if (!contenders[which].Check()) {
                state.SkipWithError("a run did not do all its work");
                return std::vector<Timing>(contenders.size());
            }
        }
        first = (first + 1) % contenders.size();
        state.SetIterationTime(rounds[0].back().Real);
    }
    std::vector<Timing> medians;
    for (const std::vector<Timing>& timings : rounds) {
        medians.push_back(Median(timings));
    }
    return medians;
}

// A benchmark over a folder of `files`, timed by hand over `rounds` rounds.
inline void Register(const char* name, void (*function)(benchmark::State&), int files, int rounds) {
    benchmark::RegisterBenchmark(name, function)
        ->Arg(files)
        ->Iterations(rounds)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
}

inline int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Removes `flag` from the command line, which the benchmark library would refuse; true when it
// was there.
inline bool TakeFlag(int& argc, char** argv, const char* flag) {
    const auto end = std::remove_if(
        argv + 1, argv + argc, [flag](const char* arg) { return std::strcmp(arg, flag) == 0; });
    const bool found = end != argv + argc;
    argc = static_cast<int>(end - argv);
    return found;
}

// Folder sizes of a whole run with the number of interleaved rounds each gets: fewer for larger
// folders, whose rounds vary less. 1,000,000 files only when asked for.
inline std::vector<std::pair<int, int>> RunSizes(bool large) {
    std::vector<std::pair<int, int>> sizes = {{1000, 21}, {10000, 9}, {100000, 5}};
    if (large) {
        sizes.emplace_back(1000000, 3);
    }
    return sizes;
}

}  // namespace klarwell::bench
