// Reading a large generated shape whole (every table, every distance level),
// about 60 MB as UTF-16 like the converter writes it, and the same text as
// 8-bit. Reported as a ratio to `wc -l` on the same file in the same run
// (target: at most 3), and with the reader's peak memory as a multiple of the
// file's size (target: at most 3). The time is the time the reader takes:
// its sub-objects are read by as many threads as the processor runs at once.
// Its processor time, all threads together, stands beside it.

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "shape/ShapeReader.h"
#include "shape/ShapeText.h"

#include "CountedAllocation.h"
#include "LargeShape.h"
#include "WcBaseline.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <thread>

namespace {

using quillfen::bench::LargeShape;
using quillfen::bench::largeShape;

bool readShape(const std::string& path) {
    const quillfen::LocalFileSystem fileSystem;
    return quillfen::shape::readShapeFile(fileSystem, path).ok();
}

/// Each iteration times `wc -l` and the reader one after the other, so a busy
/// machine disturbs both alike; the ratio compares the fastest of each.
void BM_ReadLargeShape(benchmark::State& state) {
    const LargeShape& shape = largeShape(state.range(0) != 0);
    bench::Seconds baseline;
    bench::Seconds reading;
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        baseline.keepFastest(
            bench::secondsOf([&] { return bench::countLinesWithWc(shape.path); }, RUSAGE_CHILDREN));
        state.ResumeTiming();
        const long long before = bench::liveBytes.load();
        bench::peakBytes = before;
        reading.keepFastest(bench::secondsOf([&] { return readShape(shape.path); }));
        peak = std::max(peak, bench::peakBytes.load() - before);
    }
    if (!readShape(shape.path)) state.SkipWithError("the generated shape could not be read");
    state.counters["file_MB"] = shape.megabytes;
    state.counters["wc_l_ms"] = baseline.wall * 1e3;
    state.counters["wc_l_cpu_ms"] = baseline.processor * 1e3;
    state.counters["reader_cpu_ms"] = reading.processor * 1e3;
    state.counters["reader_ms"] = reading.wall * 1e3;
    state.counters["ratio_to_wc_l"] = reading.wall / baseline.wall;
    state.counters["cpu_ratio_to_wc_l"] = reading.processor / baseline.processor;
    state.counters["threads"] = std::thread::hardware_concurrency();
    // The allocations counted, plus the file itself: the reader maps it whole while it reads.
    state.counters["peak_to_file_size"] = static_cast<double>(peak) / 1e6 / shape.megabytes + 1.0;
}

/// Where the time goes: mapping the file, narrowing its text, and reading the text in memory.
void BM_Parts(benchmark::State& state) {
    const LargeShape& shape = largeShape(true);
    const quillfen::LocalFileSystem fileSystem;
    const std::string text = quillfen::shape::shapeTextFromBytes(*fileSystem.readBytes(shape.path));
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(fileSystem.mapBytes(shape.path)->view().size());
            break;
        case 1:
            benchmark::DoNotOptimize(
                quillfen::shape::ShapeText(fileSystem.mapBytes(shape.path)->view()).view().size());
            break;
        default:
            benchmark::DoNotOptimize(quillfen::shape::readShapeText(text).ok());
            break;
        }
    }
}

BENCHMARK(BM_Parts)->ArgName("bytes_narrowed_parsed")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargeShape)->ArgName("utf16")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    for (const bool unicode : {true, false}) std::filesystem::remove(largeShape(unicode).path, ignored);
    return 0;
}
