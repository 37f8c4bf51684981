// The box of a large generated shape: 32 767 points (the most a 16-bit index
// reaches) and about three million vertex records in a hundred sub-objects,
// about 60 MB. Reported as a ratio to reading the same file and counting its
// lines (target: under 3), with the peak memory of one computation as a
// multiple of the file's size (target: under 3).

#include "bbox/BoundingBoxCalculation.h"
#include "bbox/ShapeGeometryReader.h"
#include "core/ProgramState.h"
#include "platform/FileSystem.h"

#include "CountedAllocation.h"
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

namespace {

constexpr int kPoints = 32767;
constexpr int kSubObjects = 100;
constexpr int kVerticesPerSubObject = 30000;

/// Writes the shape in the converter's layout, one record per line.
std::string writeLargeShape() {
    const auto path = std::filesystem::temp_directory_path() / "quillfen-bench-bbox.s";
    std::ofstream out(path, std::ios::binary);
    std::string block;
    block.reserve(1 << 20);
    const auto flush = [&] {
        out << block;
        block.clear();
    };
    block +=
        "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tpoints ( " + std::to_string(kPoints) + "\r\n";
    char line[128];
    for (int p = 0; p < kPoints; ++p) {
        std::snprintf(line, sizeof line, "\t\tpoint ( %d.%04d %d.%04d -%d.%04d )\r\n", p % 97, p % 9999,
                      p % 13, (p * 7) % 9999, p % 31, (p * 3) % 9999);
        block += line;
    }
    block +=
        "\t)\r\n\tuv_points ( 1\r\n\t\tuv_point ( 0 0 )\r\n\t)\r\n\tmatrices ( 2\r\n"
        "\t\tmatrix MAIN ( 1 0 0 0 1 0 0 0 1 0 0 0 )\r\n"
        "\t\tmatrix BODY ( 0 0 1 0 1 0 -1 0 0 5 0.5 -2 )\r\n\t)\r\n"
        "\timages ( 1\r\n\t\timage ( wall.ace )\r\n\t)\r\n"
        "\tvtx_states ( 2\r\n\t\tvtx_state ( 00000000 0 -5 0 00000002 )\r\n"
        "\t\tvtx_state ( 00000000 1 -5 0 00000002 )\r\n\t)\r\n"
        "\tprim_states ( 1\r\n\t\tprim_state wall ( 00000000 0\r\n\t\t\ttex_idxs ( 1 0 ) 0 0 0 0 "
        "1\r\n\t\t)\r\n\t)\r\n"
        "\tlod_controls ( 1\r\n\t\tlod_control (\r\n\t\t\tdistance_levels ( 1\r\n\t\t\t\tdistance_level (\r\n"
        "\t\t\t\t\tdistance_level_header (\r\n\t\t\t\t\t\tdlevel_selection ( 2000 )\r\n"
        "\t\t\t\t\t\thierarchy ( 2 -1 0 )\r\n\t\t\t\t\t)\r\n\t\t\t\t\tsub_objects ( " +
        std::to_string(kSubObjects) + "\r\n";
    for (int s = 0; s < kSubObjects; ++s) {
        block += "\t\t\t\t\t\tsub_object (\r\n\t\t\t\t\t\t\tvertices ( " +
                 std::to_string(kVerticesPerSubObject) + "\r\n";
        for (int v = 0; v < kVerticesPerSubObject; ++v) {
            std::snprintf(line, sizeof line, "vertex ( 0 %d )\r\n",
                          (s * kVerticesPerSubObject + v) % kPoints);
            block += line;
        }
        block += "\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tvertex_sets ( 1\r\n\t\t\t\t\t\t\t\tvertex_set ( " +
                 std::to_string(s % 2) + " 0 " + std::to_string(kVerticesPerSubObject) +
                 " )\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tprimitives ( 1\r\n"
                 "\t\t\t\t\t\t\t\tprim_state_idx ( 0 )\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t)\r\n";
        flush();
    }
    block += "\t\t\t\t\t)\r\n\t\t\t\t)\r\n\t\t\t)\r\n\t\t)\r\n\t)\r\n)\r\n";
    flush();
    return path.string();
}

const std::string& largeShape() {
    static const std::string path = writeLargeShape();
    return path;
}

double fileMegabytes() {
    return static_cast<double>(std::filesystem::file_size(largeShape())) / 1e6;
}

/// The baseline: reading the file as text and counting its lines.
long long readAndCountLines() {
    quillfen::LocalFileSystem fileSystem;
    const auto text = fileSystem.readText(largeShape());
    return text.ok() ? static_cast<long long>(std::count(text->begin(), text->end(), '\n')) : -1;
}

bool computeBox() {
    quillfen::LocalFileSystem fileSystem;
    const quillfen::ProgramState state;
    const auto text = fileSystem.readText(largeShape());
    if (!text.ok()) return false;
    quillfen::GeometryTables tables;
    quillfen::DiscardedLog log;
    auto reading = quillfen::liesShapeGeometrie(*text, tables, state, log);
    if (!quillfen::runToEnd(reading).ok()) return false;
    return quillfen::berechneBoundingBox(tables, state.gintNachkommastellen).ok();
}

void BM_ReadAndCountLines(benchmark::State& state) {
    long long peak = 0;
    for (auto _ : state) {
        const long long before = bench::liveBytes.load();
        bench::peakBytes = before;
        benchmark::DoNotOptimize(readAndCountLines());
        peak = std::max(peak, bench::peakBytes.load() - before);
    }
    state.counters["file_MB"] = fileMegabytes();
    // Reading alone already holds the bytes and the decoded text at once.
    state.counters["peak_to_file_size"] = static_cast<double>(peak) / 1e6 / fileMegabytes();
}

/// Each iteration times the baseline and the box one after the other, so a
/// busy machine disturbs both alike; the ratio compares the fastest of each.
void BM_BoundingBoxOfLargeShape(benchmark::State& state) {
    bench::Seconds baseline;
    bench::Seconds box;
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        baseline.keepFastest(bench::secondsOf(readAndCountLines));
        state.ResumeTiming();
        const long long before = bench::liveBytes.load();
        bench::peakBytes = before;
        box.keepFastest(bench::secondsOf(computeBox));
        peak = std::max(peak, bench::peakBytes.load() - before);
    }
    if (!computeBox()) state.SkipWithError("the generated shape gave no box");
    state.counters["ratio_to_read_and_count"] = box.processor / baseline.processor;
    state.counters["wall_ratio_to_read_and_count"] = box.wall / baseline.wall;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_to_file_size"] = static_cast<double>(peak) / 1e6 / fileMegabytes();
}

/// Where the time goes: reading the geometry from text already in memory.
void BM_ReadGeometryOnly(benchmark::State& state) {
    quillfen::LocalFileSystem fileSystem;
    const quillfen::ProgramState programState;
    const auto text = fileSystem.readText(largeShape());
    for (auto _ : state) {
        quillfen::GeometryTables tables;
        quillfen::DiscardedLog log;
        auto reading = quillfen::liesShapeGeometrie(*text, tables, programState, log);
        benchmark::DoNotOptimize(quillfen::runToEnd(reading).ok());
    }
}

BENCHMARK(BM_ReadAndCountLines)->Unit(benchmark::kMillisecond)->MinTime(1.0);
/// The same box against `wc -l` on the file, the baseline of work on a file.
void BM_BoundingBoxAgainstWcL(benchmark::State& state) {
    bench::Seconds baseline;
    bench::Seconds box;
    for (auto _ : state) {
        state.PauseTiming();
        baseline.keepFastest(
            bench::secondsOf([] { return bench::countLinesWithWc(largeShape()); }, RUSAGE_CHILDREN));
        state.ResumeTiming();
        box.keepFastest(bench::secondsOf(computeBox));
    }
    state.counters["ratio_to_wc_l"] = box.processor / baseline.processor;
    state.counters["wall_ratio_to_wc_l"] = box.wall / baseline.wall;
}

BENCHMARK(BM_BoundingBoxOfLargeShape)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BoundingBoxAgainstWcL)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadGeometryOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove(largeShape(), ignored);
    return 0;
}
