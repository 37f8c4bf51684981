#pragma once
// Speeds as a ratio to a baseline measured in the same run: `wc -l` on the
// work's input file, done in process (read the file, count its line feeds).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

struct Seconds {
    double wall = 1e9;
    double processor = 1e9; ///< less disturbed by other programs on a busy machine

    void keepFastest(const Seconds& other) {
        wall = std::min(wall, other.wall);
        processor = std::min(processor, other.processor);
    }
};

template <class Work> Seconds secondsOf(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startClock = std::clock();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC};
}

inline std::string readFile(const std::filesystem::path& file) {
    std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(file)), '\0');
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

/// The baseline: what `wc -l FILE` does.
inline long long countLines(const std::filesystem::path& file) {
    const std::string bytes = readFile(file);
    return std::count(bytes.begin(), bytes.end(), '\n');
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
