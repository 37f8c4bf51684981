// The window load's discovery on a folder of 30 000 files: listing, both
// sort orders, and the whole discovery (list, 3DS check, LOD list, name
// check, proposal), each as a multiple of listing the folder alone.
// The whole discovery must stay under 0.5 s.

#include "app/FolderListing.h"
#include "app/Session.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using quillfen::LocalFileSystem;
using quillfen::ProgramState;
using Clock = std::chrono::steady_clock;

constexpr int kFileCount = 30000;
constexpr double kDiscoveryLimitSeconds = 0.5;

/// A model folder of kFileCount files: one in three a 3DS LOD with a distance,
/// the rest textures and other files; removed at the end of the run.
class BigModelFolder {
public:
    BigModelFolder() {
        std::mt19937 random(2026);
        m_path = std::filesystem::temp_directory_path() / ("quillfen-bench-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
        const char* const endings[] = {".3ds", ".ace", ".dds", ".txt", ".3DS", ".s"};
        for (int i = 0; i < kFileCount; ++i) {
            const std::string stem = "part " + std::to_string(random() % 100000) + "_" + std::to_string(i);
            const std::string ending = endings[i % 6];
            std::ofstream(m_path / (stem + ending)) << "x";
        }
    }
    ~BigModelFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    BigModelFolder(const BigModelFolder&) = delete;
    BigModelFolder& operator=(const BigModelFolder&) = delete;

    [[nodiscard]] std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

const BigModelFolder& folder() {
    static const BigModelFolder instance;
    return instance;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// Seconds to list the folder once (the median of a few, caches warm).
double listingBaselineSeconds() {
    static const double seconds = [] {
        const LocalFileSystem fileSystem;
        std::vector<double> times;
        for (int i = 0; i < 7; ++i) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(fileSystem.listFiles(folder().path()));
            times.push_back(secondsSince(start));
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }();
    return seconds;
}

/// Makes the folder and measures the baseline before any timing starts.
void prepare() {
    benchmark::DoNotOptimize(listingBaselineSeconds());
}

/// Reports the mean time of one iteration as a multiple of the listing.
void reportRatio(benchmark::State& state, double totalSeconds) {
    const double perIteration = totalSeconds / static_cast<double>(state.iterations());
    state.counters["x_listing"] = perIteration / listingBaselineSeconds();
    state.counters["files"] = kFileCount;
}

void BM_ListFolderBaseline(benchmark::State& state) {
    prepare();
    const LocalFileSystem fileSystem;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(fileSystem.listFiles(folder().path()));
        total += secondsSince(start);
    }
    reportRatio(state, total);
}

void listAndSort(benchmark::State& state, const char* sortBy) {
    prepare();
    const LocalFileSystem fileSystem;
    double total = 0;
    for (auto _ : state) {
        ProgramState program;
        const auto start = Clock::now();
        benchmark::DoNotOptimize(quillfen::LiesDateiFeld(program, fileSystem, folder().path(), sortBy));
        total += secondsSince(start);
        if (program.gintAnzahlDateien != kFileCount) state.SkipWithError("the folder was not listed in full");
    }
    reportRatio(state, total);
}

void BM_ListAndSortByName(benchmark::State& state) {
    listAndSort(state, "name");
}
void BM_ListAndSortBySuffix(benchmark::State& state) {
    listAndSort(state, "suffix");
}

void BM_WindowLoadDiscovery(benchmark::State& state) {
    prepare();
    const LocalFileSystem fileSystem;
    double total = 0;
    double slowest = 0;
    for (auto _ : state) {
        ProgramState program;
        program.gstrProgrammPfad = folder().path();
        const auto start = Clock::now();
        benchmark::DoNotOptimize(quillfen::discoverModels(program, quillfen::SavedSettings{}, fileSystem));
        const double seconds = secondsSince(start);
        total += seconds;
        slowest = std::max(slowest, seconds);
        if (program.gintAnzahlLODs != kFileCount / 3) state.SkipWithError("not every LOD file was found");
    }
    reportRatio(state, total);
    state.counters["slowest_s"] = slowest;
    if (slowest >= kDiscoveryLimitSeconds)
        state.SkipWithError("the window-load discovery took 0.5 s or more");
}

BENCHMARK(BM_ListFolderBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListAndSortByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListAndSortBySuffix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowLoadDiscovery)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
