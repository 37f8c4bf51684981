#pragma once
// The baseline of every benchmark of work on a file: `wc -l` on that file,
// timed in the same run. Processor time (user and system) is compared, because
// it is less disturbed than wall time by other programs on a busy machine; for
// `wc -l`, a program of its own, it is counted in this process's children.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

namespace quillfen::bench::timing {

/// The baseline: `wc -l` on the file, as a separate program.
inline bool countLinesWithWc(const std::string& path) {
    const std::string command = "wc -l '" + path + "' > /dev/null";
    return std::system(command.c_str()) == 0;
}

struct Seconds {
    double wall = 1e9;
    double processor = 1e9; ///< user and system time, less disturbed by other programs on a busy machine
};

inline double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// The time of `work`, its processor time counted in this process or (for a
/// separate program) in its children.
inline Seconds secondsOf(bool (*work)(const std::string&), const std::string& path, int who) {
    const auto start = std::chrono::steady_clock::now();
    const double startProcessor = processorSeconds(who);
    benchmark::DoNotOptimize(work(path));
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            processorSeconds(who) - startProcessor};
}

inline Seconds fastest(const Seconds& a, const Seconds& b) {
    return {std::min(a.wall, b.wall), std::min(a.processor, b.processor)};
}

} // namespace quillfen::bench::timing
