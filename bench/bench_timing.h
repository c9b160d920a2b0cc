#pragma once

#include <time.h>

#include <chrono>

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

}  // namespace klarwell::bench
