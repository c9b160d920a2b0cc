#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>
#include <vector>

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
