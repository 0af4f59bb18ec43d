#pragma once

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

// One row of the benchmark table: a figure beside the baseline measured in the same run.
inline void printBenchRow(const std::string &figure, double measured, double baseline,
                          const char *unit)
{
    char m[32], b[32];
    std::snprintf(m, sizeof m, "%.3f %s", measured, unit);
    std::snprintf(b, sizeof b, "%.3f %s", baseline, unit);
    std::printf("%-58s | %14s | %14s | %9.4fx\n", figure.c_str(), m, b,
                baseline > 0 ? measured / baseline : 0.0);
    std::fflush(stdout);
}

// Best of `rounds` timings of `fn`, in microseconds per call over `calls` calls.
template <typename Fn> double bestMicros(int rounds, int calls, Fn &&fn)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int c = 0; c < calls; ++c)
            fn();
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / calls);
    }
    return best;
}

// The CPU time this process has used, in milliseconds: what a wait or a poll costs a core.
inline double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}
