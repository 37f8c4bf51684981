#pragma once
// The baseline of every benchmark of work on a file: `wc -l` on that file,
// timed in the same run. Processor time (user and system) is compared where the
// work runs on one thread, because it is less disturbed than wall time by other
// programs on a busy machine; work shared by threads compares wall time.
// `countLines` does in process what `wc -l` does (read the file, count its line
// feeds); `countLinesWithWc` runs the program itself, whose time is counted in
// this process's children.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>

#include <sys/resource.h>

namespace bench {

struct Seconds {
    double wall = 1e9;
    double processor = 1e9;

    void keepFastest(const Seconds& other) {
        wall = std::min(wall, other.wall);
        processor = std::min(processor, other.processor);
    }
};

/// User and system time of this process (RUSAGE_SELF) or of its ended children (RUSAGE_CHILDREN).
inline double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// The time of `work`; its processor time counted in this process or, for a
/// separate program (RUSAGE_CHILDREN), in its children.
template <class Work> Seconds secondsOf(Work&& work, int who = RUSAGE_SELF) {
    const auto start = std::chrono::steady_clock::now();
    const double startProcessor = processorSeconds(who);
    if constexpr (std::is_void_v<decltype(work())>)
        work();
    else
        benchmark::DoNotOptimize(work());
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            processorSeconds(who) - startProcessor};
}

inline std::string readFile(const std::filesystem::path& file) {
    std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(file)), '\0');
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

/// What `wc -l FILE` does, in this process.
inline long long countLines(const std::filesystem::path& file) {
    const std::string bytes = readFile(file);
    return std::count(bytes.begin(), bytes.end(), '\n');
}

/// `wc -l` on the file, as a separate program (time it with RUSAGE_CHILDREN).
inline bool countLinesWithWc(const std::string& path) {
    const std::string command = "wc -l '" + path + "' > /dev/null";
    return std::system(command.c_str()) == 0;
}

/// Counters of a benchmark whose iterations timed the work and the baseline alike (fastest of each).
inline void reportRatio(benchmark::State& state, const Seconds& work, const Seconds& baseline,
                        double limitSeconds) {
    state.counters["work_ms"] = 1000 * work.wall;
    state.counters["work_cpu_ms"] = 1000 * work.processor;
    state.counters["wc_l_ms"] = 1000 * baseline.wall;
    state.counters["ratio_to_wc_l"] = work.processor / baseline.processor;
    state.counters["wall_ratio_to_wc_l"] = work.wall / baseline.wall;
    state.counters["within_target"] = work.wall < limitSeconds ? 1 : 0;
}

} // namespace bench
